#include <cstdio>

int main() {
  std::puts("Bubblix: vapour-liquid equilibrium calculator (command-line tool under construction)");
  return 0;
}
