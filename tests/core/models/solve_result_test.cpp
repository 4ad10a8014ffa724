#include "core/models/solve_result.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <span>

#include "core/base/errors.h"
#include "core/numerics/newton.h"
#include "core/numerics/secant.h"
#include "core/texts/numerics_texts.h"

namespace bubblix {
namespace {

// A failure without a text of its own is told by its step and iteration count.
TEST(SolveResult, AFaultWithoutItsOwnTextNamesTheStep) {
  Real estimate = 42.0L;
  const SolveResult result = ParabolicStart(
      0.0L, 2.0L,
      [](Real t) { return t < 1.5L ? t - 0.5L : std::numeric_limits<Real>::quiet_NaN(); },
      estimate);
  EXPECT_EQ(result.message(Language::English),
            "Arithmetic fault in ParabolicStart after 0 iterations");
  EXPECT_THROW(result.throwIfFailed(), ArithmeticError);
}

TEST(SolveResult, TheIterationLimitIsANoConvergenceError) {
  Real estimate = 0.3L;
  const SolveResult result =
      SecantSolve(estimate, 0.02L, 1e-6L, [](Real t) { return t * t + 1.0L; });
  EXPECT_THROW(result.throwIfFailed(), NoConvergenceError);
}

// A singular Jacobian: the inversion's own text, in both languages, and its error.
TEST(SolveResult, TheInversionsOwnTextIsKept) {
  std::array<Real, 2> v{0.2L, 0.3L};
  const SolveResult result = NewtonSolve(
      2, v,
      [](std::span<const Real> w, std::span<Real> out) {
        out[0] = w[0] + w[1] - 1.0L;
        out[1] = 2.0L * w[0] + 2.0L * w[1] - 2.0L;
      },
      1e-6L);
  EXPECT_EQ(result.message(Language::Russian), "matrix is singular");
  try {
    result.throwIfFailed();
    ADD_FAILURE() << "no error";
  } catch (const ArithmeticError& error) {
    EXPECT_EQ(&error.text(), &texts::kMatrixSingular);
  }
}

}  // namespace
}  // namespace bubblix
