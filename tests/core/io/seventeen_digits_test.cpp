#include "core/io/seventeen_digits.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace bubblix {
namespace {

// The format is printf's %.17Lg (the test runs in the C locale), checked on values of every
// magnitude, exact ties and rounding carries.
TEST(SeventeenDigits, IsPrintfsSeventeenDigits) {
  std::vector<Real> values = {0.0L,
                              -0.0L,
                              1.0L,
                              0.1L,
                              -2.5L,
                              760.0L,
                              1e-5L,
                              1e-4L,
                              9.99999999999999999e-5L,
                              99999999999999999.0L,
                              12345678901234567.5L,  // a tie at the 17th digit: to even
                              12345678901234568.5L,
                              1e16L,
                              1e17L,
                              1e-39L,
                              1e-40L,
                              3e300L,
                              1e-4000L,
                              LDBL_MAX,
                              LDBL_TRUE_MIN};
  std::mt19937_64 engine(7);
  std::uniform_real_distribution<double> exponent(-60.0, 30.0);
  for (int k = 0; k < 200000; ++k) {
    Real v = std::pow(10.0L, static_cast<Real>(exponent(engine)));
    // All 64 mantissa bits random.
    std::uint64_t bits = engine() | (std::uint64_t{1} << 63);
    int e2 = 0;
    std::frexp(v, &e2);
    v = std::ldexp(static_cast<Real>(bits), e2 - 64);
    values.push_back(k % 2 == 0 ? v : -v);
  }
  int mismatches = 0;
  for (const Real v : values) {
    char expected[64];
    std::snprintf(expected, sizeof expected, "%.17Lg", v);
    char got[kSeventeenDigitsLength];
    const std::string text(got, formatSeventeenDigits(v, got));
    if (text != expected && ++mismatches <= 10) {
      ADD_FAILURE() << "got " << text << ", printf " << expected;
    }
  }
  EXPECT_EQ(mismatches, 0);
}

}  // namespace
}  // namespace bubblix
