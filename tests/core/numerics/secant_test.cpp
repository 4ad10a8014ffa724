#include "core/numerics/secant.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "core/base/real.h"

namespace bubblix {
namespace {

bool sameBits(Real a, Real b) {
  return std::memcmp(&a, &b, 10) == 0;
}

// --- ParabolicStart ------------------------------------------------------------------------

// f = t^2 - 4t + 3 over [0, 2]: the parabola is f itself, roots 1 and 3, the best point is
// A + d = 1 (f = 0) and the root nearer to it is taken. The three evaluations come in the
// order A, A + d, B.
TEST(ParabolicStart, ExactParabolaGivesTheRootNearestTheBestPoint) {
  std::vector<Real> calls;
  const auto f = [&](Real t) {
    calls.push_back(t);
    return t * t - 4.0L * t + 3.0L;
  };
  Real estimate = -7.0L;
  const IterationResult result = ParabolicStart(0.0L, 2.0L, f, estimate);
  ASSERT_TRUE(result.converged());
  EXPECT_EQ(estimate, 1.0L);
  EXPECT_EQ(calls, (std::vector<Real>{0.0L, 1.0L, 2.0L}));
}

// f = 8t^2 - 14t + 3 (roots 0.25 and 1.5) over [0, 2]: |f(0)| = |f(1)| = 3, and the tie
// keeps A as the best point, so the root 0.25 is taken; had the middle point won, 1.5 would
// be nearer. f = t^2 - 2t over [-1, 3]: roots 0 and 2 lie equally far from the best point 1,
// and the tie takes X2 = A + d (t0 - w) = 0.
TEST(ParabolicStart, TiesKeepTheEarlierPointAndTakeTheSecondRoot) {
  Real estimate = 0.0L;
  ASSERT_TRUE(ParabolicStart(
                  0.0L, 2.0L, [](Real t) { return 8.0L * t * t - 14.0L * t + 3.0L; }, estimate)
                  .converged());
  EXPECT_EQ(estimate, 0.25L);
  ASSERT_TRUE(ParabolicStart(
                  -1.0L, 3.0L, [](Real t) { return t * t - 2.0L * t; }, estimate)
                  .converged());
  EXPECT_EQ(estimate, 0.0L);
}

// A straight line gives e = 0, a parabola above the axis a negative value under the root, a
// NaN a value that is not finite: each is a fault of ParabolicStart, and the estimate is
// left alone.
TEST(ParabolicStart, LinearFunctionNoRealRootAndNaNAreFaults) {
  Real estimate = 42.0L;
  IterationResult result = ParabolicStart(
      0.0L, 2.0L, [](Real t) { return 2.0L * t - 3.0L; }, estimate);
  EXPECT_EQ(result.Status, SolveStatus::ArithmeticFault);
  EXPECT_EQ(result.Step, SolveStep::ParabolicStart);
  EXPECT_EQ(result.Fault, SolveFault::ZeroQuadraticCoefficient);

  result = ParabolicStart(
      0.0L, 2.0L, [](Real t) { return t * t + 1.0L; }, estimate);
  EXPECT_EQ(result.Fault, SolveFault::NegativeUnderRoot);

  result = ParabolicStart(
      0.0L, 2.0L,
      [](Real t) { return t < 1.5L ? t - 0.5L : std::numeric_limits<Real>::quiet_NaN(); },
      estimate);
  EXPECT_EQ(result.Fault, SolveFault::NotFinite);
  EXPECT_EQ(estimate, 42.0L);
  EXPECT_EQ(result.Message, nullptr);
}

// --- SecantSolve ----------------------------------------------------------------------------

// f = t^2 - 2 from 1.5: the root estimate reaches sqrt 2, while the last evaluation, the one
// the caller's variables keep, is d + s of the final pass with s half the previous
// correction.
TEST(SecantSolve, ConvergesAndEndsWithTheEvaluationAtDPlusS) {
  std::vector<Real> calls;
  const auto f = [&](Real t) {
    calls.push_back(t);
    return t * t - 2.0L;
  };
  Real estimate = 1.5L;
  const IterationResult result = SecantSolve(estimate, 0.02L, 1e-6L, f);
  ASSERT_TRUE(result.converged());
  // The last correction is below 1e-6 and the convergence superlinear: 1e-9 is ample.
  EXPECT_LE(std::fabs(estimate - std::sqrt(2.0L)), 1e-9L);
  EXPECT_EQ(result.RootEstimate, estimate);
  ASSERT_EQ(calls.size(), 2u * result.Iterations);
  ASSERT_GE(result.Iterations, 2);
  const Real d = calls[calls.size() - 2];
  const Real previousD = calls[calls.size() - 4];
  EXPECT_TRUE(sameBits(calls.back(), d + (d - previousD) / 2.0L));
  EXPECT_TRUE(sameBits(result.LastResidual, calls.back() * calls.back() - 2.0L));
  EXPECT_NE(calls.back(), estimate) << "the last evaluation is not the root estimate";
}

// f = t^2 + 1 has no root: the iteration ends after exactly the pass limit; a constant f has a
// zero slope at once.
TEST(SecantSolve, NoRootEndsAtThePassLimitAndAFlatFunctionIsAFault) {
  int calls = 0;
  Real estimate = 0.3L;
  IterationResult result = SecantSolve(estimate, 0.02L, 1e-6L, [&](Real t) {
    ++calls;
    return t * t + 1.0L;
  });
  EXPECT_EQ(result.Status, SolveStatus::NoConvergence);
  EXPECT_EQ(result.Fault, SolveFault::IterationLimit);
  EXPECT_EQ(result.Iterations, kMaxSecantPasses);
  EXPECT_EQ(calls, 2 * kMaxSecantPasses);
  EXPECT_TRUE(result.failed());

  estimate = 0.3L;
  result = SecantSolve(estimate, 0.02L, 1e-6L, [](Real) { return 1.0L; });
  EXPECT_EQ(result.Status, SolveStatus::ArithmeticFault);
  EXPECT_EQ(result.Fault, SolveFault::ZeroSlope);
  EXPECT_EQ(estimate, 0.3L);
}

}  // namespace
}  // namespace bubblix
