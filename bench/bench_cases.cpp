#include "bench_cases.h"

#include <cstdio>
#include <utility>

namespace bubblix::bench {

std::string Exact(Real value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%La", value);
  return buffer;
}

void AppendExact(Results& results, std::span<const Real> values) {
  for (const Real value : values)
    results.push_back(Exact(value));
}

std::vector<BenchCase>& Cases() {
  static std::vector<BenchCase> cases;
  return cases;
}

void AddCase(BenchCase c) {
  Cases().push_back(std::move(c));
}

}  // namespace bubblix::bench
