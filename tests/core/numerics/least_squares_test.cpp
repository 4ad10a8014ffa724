// The Levenberg-Marquardt fit: exact data of a nonlinear model are fitted back to their
// parameters, and points the residuals refuse are stepped around.

#include "core/numerics/least_squares.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <vector>

#include "core/base/errors.h"

namespace bubblix {
namespace {

// y = p0 exp(p1 t) + p2 at t = 0..9, generated with p = (2, -0.3, 0.5): the fit from (1, 0, 0)
// recovers p to 1e-12 (the data are exact; the tolerance covers the central-difference
// Jacobian). A refusal of every p1 > 0.5 leaves the optimum reachable.
TEST(LeastSquares, RecoversTheParametersOfExactData) {
  const std::vector<Real> truth{2.0L, -0.3L, 0.5L};
  std::vector<Real> data;
  for (int k = 0; k < 10; ++k)
    data.push_back(truth[0] * std::exp(truth[1] * k) + truth[2]);
  int refused = 0;
  const ResidualFunction residuals = [&](std::span<const Real> p, std::span<Real> r) {
    if (p[1] > 0.5L) {
      ++refused;
      return false;
    }
    for (int k = 0; k < 10; ++k)
      r[static_cast<std::size_t>(k)] =
          p[0] * std::exp(p[1] * k) + p[2] - data[static_cast<std::size_t>(k)];
    return true;
  };
  const std::vector<Real> start{1.0L, 0.0L, 0.0L};
  const LeastSquaresResult fit = minimiseSumOfSquares(residuals, start, 10);
  ASSERT_TRUE(fit.Converged);
  for (std::size_t k = 0; k < truth.size(); ++k)
    EXPECT_NEAR(fit.Parameters[k], truth[k], 1e-12L) << k;
  EXPECT_LT(fit.SumOfSquares, 1e-24L);
  EXPECT_GT(fit.Evaluations, 0);
}

TEST(LeastSquares, RefusesAStartItCannotEvaluateAndTooFewResiduals) {
  const ResidualFunction never = [](std::span<const Real>, std::span<Real>) { return false; };
  const std::vector<Real> start{1.0L, 2.0L};
  EXPECT_THROW(minimiseSumOfSquares(never, start, 3), ArithmeticError);
  EXPECT_THROW(minimiseSumOfSquares(never, start, 1), std::invalid_argument);
}

}  // namespace
}  // namespace bubblix
