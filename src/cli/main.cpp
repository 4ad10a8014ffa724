// bubblix-cli: for now a short demonstration of the built-in component data.

#include <cstdio>
#include <exception>

#include "core/data/database.h"
#include "core/data/properties.h"
#include "core/errors.h"
#include "core/units.h"

namespace {

constexpr bubblix::Real kTemperatures[] = {0.0L, 20.0L, 40.0L, 60.0L, 78.32L, 80.0L, 100.0L};

void printHeading(const bubblix::Mixture& mixture, const char* title) {
  std::printf("\n%s\n  t, °C", title);  // 8 columns
  for (const std::string& name : mixture.ComponentNames)
    std::printf("  %12s", name.c_str());
  std::printf("\n");
}

}  // namespace

int main() {
  using namespace bubblix;
  try {
    const Database& db = BuiltInDatabase();
    Mixture mixture;
    for (int slot = 0; slot < 4; ++slot) {
      LoadComponent(mixture, db, slot,
                    db.ComponentBase[static_cast<std::size_t>(slot)].EnglishName);
    }

    std::printf("Bubblix: vapour-liquid equilibrium calculator\n");
    std::printf("Built-in component data (pressures at 133.3 Pa per mm Hg)\n");

    printHeading(mixture, "Saturated vapour pressure, mm Hg");
    for (Real t : kTemperatures) {
      std::printf("%8.2Lf", t);
      for (int slot = 0; slot < 4; ++slot) {
        std::printf("  %12.3Lf", paToMmHg(SaturationPressure(mixture, slot, tauFromCelsius(t))));
      }
      std::printf("\n");
    }

    printHeading(mixture, "Liquid molar volume, dm3/mol");
    for (Real t : kTemperatures) {
      std::printf("%8.2Lf", t);
      for (int slot = 0; slot < 4; ++slot) {
        std::printf("  %12.6Lf", MolarVolume(mixture, slot, t));
      }
      std::printf("\n");
    }
  } catch (const Error& e) {
    std::fprintf(stderr, "bubblix-cli: %s\n", e.what());
    return 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "bubblix-cli: %s\n", e.what());
    return 1;
  }
  return 0;
}
