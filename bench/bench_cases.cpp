#include "bench_cases.h"

#include <cstdio>
#include <utility>

namespace bubblix::bench {

std::string exactText(Real value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%La", value);
  return buffer;
}

void appendExact(Results& results, std::span<const Real> values) {
  for (const Real value : values)
    results.push_back(exactText(value));
}

std::vector<BenchCase>& allCases() {
  static std::vector<BenchCase> cases;
  return cases;
}

void addCase(BenchCase c) {
  allCases().push_back(std::move(c));
}

}  // namespace bubblix::bench
