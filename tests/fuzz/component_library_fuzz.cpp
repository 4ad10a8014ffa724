// Component libraries of any bytes: the reader either refuses the text with a FileError or
// gives 1 to 12 components that keep every rule of docs/components.md, and the database grown
// by them finds every component by its name.

#include <cmath>
#include <string>

#include "core/base/errors.h"
#include "core/data/component_library.h"
#include "core/data/mixture_loading.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace bubblix;
  const Database& builtIn = builtInDatabase();
  ComponentLibrary library;
  try {
    library = parseComponentLibrary(fuzz::asText(data, size), "fuzz.json", builtIn);
  } catch (const FileError&) {
    return 0;
  }
  FUZZ_CHECK(!library.Components.empty() && library.Components.size() <= 12);
  const Database db = withLibrary(builtIn, library);
  for (std::size_t k = 0; k < library.Components.size(); ++k) {
    const TComponentRecord& c = library.Components[k];
    FUZZ_CHECK(c.MolarMass > 0 && std::isfinite(c.MolarMass));
    FUZZ_CHECK(c.Groups.Count >= 1 && c.Groups.Count <= 10);
    FUZZ_CHECK(c.PropertyRows >= 2 && c.Density.size() == c.PropertyRows);
    for (std::size_t r = 1; r < c.Temperature.size(); ++r)
      FUZZ_CHECK(c.Temperature[r] > c.Temperature[r - 1]);
    const Real tb = boilingTemperature(c);
    FUZZ_CHECK(tb >= -150.0L && tb <= 400.0L);
    // The grown database loads it as a mixture component by its name.
    Mixture m;
    loadComponent(m, db, 0, c.EnglishName);
    FUZZ_CHECK(m.Records[0] == &db.ComponentBase[4 + k]);
  }
  return 0;
}
