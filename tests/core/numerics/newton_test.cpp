#include "core/numerics/newton.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <span>
#include <string>
#include <vector>

#include "core/base/real.h"
#include "core/texts/numerics_texts.h"

namespace bubblix {
namespace {

// --- NewtonSolve ------------------------------------------------------------------------------

// F = (2 v0 - 1, v1 - 3) from (0.45, 3): the first iteration perturbs each unknown by
// 0.1 / 10; the second by its last change / 10 (0.05 / 10 for v0) and, for v1, which did not
// change, by the tolerance / 10. Two iterations reach the root.
TEST(NewtonSolve, IncrementsFollowTheStepsButNotBelowTheTolerance) {
  std::vector<std::array<Real, 2>> calls;
  const auto F = [&](std::span<const Real> v, std::span<Real> out) {
    calls.push_back({v[0], v[1]});
    out[0] = 2.0L * v[0] - 1.0L;
    out[1] = v[1] - 3.0L;
  };
  std::array<Real, 2> v{0.45L, 3.0L};
  const IterationResult result = NewtonSolve(2, v, F, 1e-6L);
  ASSERT_TRUE(result.converged());
  EXPECT_EQ(result.Iterations, 2);
  EXPECT_LE(std::fabs(v[0] - 0.5L), 1e-18L);
  EXPECT_EQ(v[1], 3.0L);
  ASSERT_EQ(calls.size(), 10u);  // per iteration F(v) and two evaluations per unknown
  EXPECT_EQ(calls[1][0], 0.45L + 0.01L);
  EXPECT_EQ(calls[2][0], 0.45L - 0.01L);
  EXPECT_EQ(calls[3][1], 3.0L + 0.01L);
  EXPECT_EQ(calls[4][1], 3.0L - 0.01L);
  const Real change0 = calls[5][0] - 0.45L;  // the iterate of the second pass
  EXPECT_LE(std::fabs(change0 - 0.05L), 1e-18L);
  EXPECT_EQ(calls[6][0], calls[5][0] + change0 / 10.0L);
  EXPECT_EQ(calls[8][1], 3.0L + 1e-6L / 10.0L);
  EXPECT_EQ(calls[9][1], 3.0L - 1e-6L / 10.0L);
}

// A singular Jacobian ends the iteration with the inversion's own error; v keeps its value.
TEST(NewtonSolve, SingularJacobianEndsWithTheInversionError) {
  std::array<Real, 2> v{0.2L, 0.3L};
  const IterationResult result = NewtonSolve(
      2, v,
      [](std::span<const Real> w, std::span<Real> out) {
        out[0] = w[0] + w[1] - 1.0L;
        out[1] = 2.0L * w[0] + 2.0L * w[1] - 2.0L;
      },
      1e-6L);
  EXPECT_EQ(result.Status, SolveStatus::ArithmeticFault);
  EXPECT_EQ(result.Step, SolveStep::InvertMatrix);
  EXPECT_EQ(result.Fault, SolveFault::SingularMatrix);
  EXPECT_EQ(result.Message, &texts::kMatrixSingular);
  EXPECT_EQ(v, (std::array<Real, 2>{0.2L, 0.3L}));
}

// A Jacobian whose elements are near the largest extended number overflows during the
// inversion: the Russian message goes through the callback once, in both languages the same
// text, and the iteration ends with a fault instead of a step made of infinities.
TEST(NewtonSolve, OverflowingInversionAsksTheCallbackAndEnds) {
  const Real M = 1e4932L;
  const auto F = [M](std::span<const Real> w, std::span<Real> out) {
    out[0] = M * w[0] + M * w[1] + M * w[2];
    out[1] = -M * w[0] + M * w[1] + M * w[2];
    out[2] = M * w[0] - M * w[1] + M * w[2];
  };
  std::vector<std::string> shown;
  const YesNoQuestion ask = [&](const Text& text) {
    shown.push_back(std::string(text.en) + "|" + std::string(text.ru));
    return true;
  };
  std::array<Real, 3> v{0.1L, 0.1L, 0.1L};
  const IterationResult result = NewtonSolve(3, v, F, 1e-6L, ask);
  EXPECT_EQ(result.Status, SolveStatus::ArithmeticFault);
  EXPECT_EQ(result.Step, SolveStep::InvertMatrix);
  EXPECT_EQ(result.Fault, SolveFault::NotFinite);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], "Ошибка при обращении матрицы|Ошибка при обращении матрицы");
  for (Real value : v)
    EXPECT_EQ(value, 0.1L);
}

// F = v^2 + 1 has no real root: the iteration stops after exactly the iteration limit.
TEST(NewtonSolve, NoRootEndsAtTheIterationLimit) {
  int calls = 0;
  std::array<Real, 1> v{0.7L};
  const IterationResult result = NewtonSolve(
      1, v,
      [&](std::span<const Real> w, std::span<Real> out) {
        ++calls;
        out[0] = w[0] * w[0] + 1.0L;
      },
      1e-6L);
  EXPECT_EQ(result.Status, SolveStatus::NoConvergence);
  EXPECT_EQ(result.Iterations, kMaxNewtonIterations);
  EXPECT_EQ(calls, 3 * kMaxNewtonIterations);
  EXPECT_TRUE(std::isfinite(v[0]));
}

}  // namespace
}  // namespace bubblix
