// Student's t quantiles against the closed forms of one and two degrees of freedom and the
// normal limit.

#include "core/numerics/student_t.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <stdexcept>

namespace bubblix {
namespace {

TEST(StudentT, QuantilesMatchTheClosedForms) {
  for (Real p : {0.6L, 0.9L, 0.975L, 0.995L}) {
    // nu = 1 (Cauchy): t = tan(pi (p - 1/2)); nu = 2: t = (2p - 1) / sqrt(2 p (1 - p)).
    // Tolerance 1e-13 relative: the bisection's 1e-15 and the beta function's rounding.
    const Real cauchy = std::tan(std::numbers::pi_v<Real> * (p - 0.5L));
    EXPECT_NEAR(studentTQuantile(p, 1), cauchy, 1e-13L * cauchy);
    const Real two = (2.0L * p - 1.0L) / std::sqrt(2.0L * p * (1.0L - p));
    EXPECT_NEAR(studentTQuantile(p, 2), two, 1e-13L * two);
  }
  // Many degrees of freedom: the normal quantile 1.959963985 (reference value), to the
  // 1/nu correction of 1e-6.
  EXPECT_NEAR(studentTQuantile(0.975L, 1000000), 1.959963985L, 1e-5L);
  EXPECT_NEAR(studentTDistribution(0.0L, 7), 0.5L, 1e-18L);
  EXPECT_THROW(studentTQuantile(0.975L, 0), std::invalid_argument);
  EXPECT_THROW(studentTQuantile(1.0L, 5), std::invalid_argument);
}

}  // namespace
}  // namespace bubblix
