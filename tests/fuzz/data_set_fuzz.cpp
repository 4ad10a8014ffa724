// Data sets of any bytes: the reader either refuses the text with a FileError or gives 3 to 500
// points of two different components whose values keep the rules of docs/data-sets.md, and the
// pair's points then hold them all, mirrored for the other order.

#include <cmath>

#include "core/base/errors.h"
#include "core/data/data_set_file.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace bubblix;
  Database db = builtInDatabase();
  LoadedDataSet set;
  try {
    set = parseDataSet(fuzz::asText(data, size), "fuzz.csv", db);
  } catch (const FileError&) {
    return 0;
  }
  const std::size_t n = set.t.size();
  FUZZ_CHECK(n >= 3 && n <= 500);
  FUZZ_CHECK(set.P.size() == n && set.x.size() == n && set.y.size() == n);
  FUZZ_CHECK(set.Components[0] != set.Components[1]);
  for (std::size_t k = 0; k < n; ++k) {
    FUZZ_CHECK(std::isfinite(set.t[k]) && set.t[k] > -273.15L);
    FUZZ_CHECK(std::isfinite(set.P[k]) && set.P[k] > 0);
    FUZZ_CHECK(set.x[k] >= 0 && set.x[k] <= 1 && set.y[k] >= 0 && set.y[k] <= 1);
  }
  const int a = set.Components[0];
  const int b = set.Components[1];
  addDataSet(db, set);
  const ExperimentalPoints forward = pairExperimentalPoints(db, a, b);
  const ExperimentalPoints backward = pairExperimentalPoints(db, b, a);
  FUZZ_CHECK(forward.tau.size() == n && backward.tau.size() == n);
  for (std::size_t k = 0; k < n; ++k) {
    FUZZ_CHECK(forward.x1[k] == set.x[k]);
    FUZZ_CHECK(backward.x1[k] == 1.0L - set.x[k]);
  }
  return 0;
}
