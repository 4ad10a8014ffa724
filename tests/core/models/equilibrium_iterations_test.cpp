// The warm-start entry of the shared bubble solver, on an ideal binary with vapour pressures
// of a closed form whose bubble temperature is known by bisection: from a start near the root
// it finishes to the tolerance asked for, from a start where the model cannot be evaluated the
// fallback takes over, and a problem without a root ends as a failure.

#include "core/models/equilibrium_iterations.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/base/errors.h"
#include "core/texts/text.h"

namespace bubblix {
namespace {

constexpr Text kOutOfRange{"out of the vapour-pressure range", "вне диапазона давления пара"};

// Raoult's law with Psat_c = exp(a_c - b_c / tau) Pa, P = 101325 Pa; no value above tau = 2.
struct IdealBinary {
  Real x1 = 0.3L;
  Real P = 101325.0L;
  int evaluations = 0;

  Real evaluate(solver_detail::Variables& vars) {
    ++evaluations;
    if (vars.tau > 2.0L) throw ArithmeticError(kOutOfRange);
    vars.gamma = {1.0L, 1.0L};
    vars.y[0] = x1 * std::exp(25.0L - 17.0L / vars.tau) / P;
    vars.y[1] = (1.0L - x1) * std::exp(24.0L - 16.5L / vars.tau) / P;
    return vars.y[0] + vars.y[1] - 1.0L;
  }

  // The root by bisection on the sum, which rises with tau.
  Real bisectedRoot() {
    Real low = 1.0L;
    Real high = 2.0L;
    for (int k = 0; k < 200; ++k) {
      const Real mid = 0.5L * (low + high);
      if (mid == low || mid == high) break;
      solver_detail::Variables vars{mid, P, {x1, 1.0L - x1}, {}, {}};
      (evaluate(vars) > 0.0L ? high : low) = mid;
    }
    return high;
  }
};

TEST(SolveBubbleFrom, FinishesFromAWarmStartAndFallsBackFromABadOne) {
  IdealBinary binary;
  const Real root = binary.bisectedRoot();
  for (Real start : {root * (1.0L + 1e-4L), root * (1.0L - 3e-3L)}) {
    solver_detail::Variables vars{start, binary.P, {binary.x1, 1.0L - binary.x1}, {}, {}};
    binary.evaluations = 0;
    const SolveResult result = solver_detail::solveBubbleFrom(
        true, start, 1e-7L, 1e-15L, 2, vars, [&] { return binary.evaluate(vars); });
    ASSERT_TRUE(result.converged());
    EXPECT_EQ(result.Fallback, SolveFallback::None);
    // The sum to the tolerance asked for, the root to the bisection's last bits (relative
    // 1e-15: the sum's slope in tau is about 30), and the last evaluation at the root.
    EXPECT_LE(std::fabs(vars.y[0] + vars.y[1] - 1.0L), 1e-15L);
    EXPECT_NEAR(vars.tau, root, 1e-15L * root);
    EXPECT_EQ(vars.tau, result.RootEstimate);
    EXPECT_LT(binary.evaluations, 20);  // a few secant passes, not a search
  }

  // No value at the start (above tau = 2): the finishing passes fail at once, the bracketed
  // search of the fallback finds the same root.
  solver_detail::Variables vars{2.5L, binary.P, {binary.x1, 1.0L - binary.x1}, {}, {}};
  const SolveResult fallback = solver_detail::solveBubbleFrom(
      true, 2.5L, 1e-7L, 1e-15L, 2, vars, [&] { return binary.evaluate(vars); });
  ASSERT_TRUE(fallback.converged());
  EXPECT_EQ(fallback.Fallback, SolveFallback::BubbleTemperature);
  EXPECT_LE(std::fabs(vars.y[0] + vars.y[1] - 1.0L), kBubbleSumTolerance);
  EXPECT_NEAR(vars.tau, root, 1e-12L * root);

  // A pressure no temperature below tau = 2 reaches: no root, a failure, not a point.
  binary.P = 1e30L;
  solver_detail::Variables none{1.5L, binary.P, {binary.x1, 1.0L - binary.x1}, {}, {}};
  const SolveResult failed = solver_detail::solveBubbleFrom(true, 1.5L, 1e-7L, 1e-15L, 2, none,
                                                            [&] { return binary.evaluate(none); });
  EXPECT_TRUE(failed.failed());
}

}  // namespace
}  // namespace bubblix
