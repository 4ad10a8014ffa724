// The small-matrix inversion that keeps the dew point's Jacobian on the stack must be the
// 50 x 50 elimination step for step: the same bits, the same refusals.

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <span>
#include <stdexcept>

#include "core/base/errors.h"
#include "core/numerics/matrix_inversion.h"
#include "core/numerics/newton.h"
#include "core/texts/numerics_texts.h"

namespace bubblix {
namespace {

bool sameBits(Real a, Real b) {
  return std::memcmp(&a, &b, 10) == 0;
}

TEST(SmallMatrixInversion, SameBitsAsTheFullOrderForEveryOrderUpToFive) {
  std::mt19937 engine(20240611);
  std::uniform_int_distribution<int> digits(-999, 999);
  for (std::uint16_t n = 1; n <= kSmallMatrixOrder; ++n) {
    for (int trial = 0; trial < 50; ++trial) {
      TSquareMatrix big{};
      SmallSquareMatrix small{};
      for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j) {
          // Scattered magnitudes make the pivot search move rows and columns.
          const Real v = digits(engine) / 7.0L * (1 + (i * 3 + j) % 4);
          big[i][j] = v;
          small[i][j] = v;
        }
      }
      bool bigSingular = false;
      bool smallSingular = false;
      try {
        InvertMatrix(n, big, 1e-8L);
      } catch (const ArithmeticError&) {
        bigSingular = true;
      }
      try {
        InvertMatrix(n, small, 1e-8L);
      } catch (const ArithmeticError&) {
        smallSingular = true;
      }
      ASSERT_EQ(bigSingular, smallSingular) << "n " << n << " trial " << trial;
      if (bigSingular) continue;
      for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j) {
          EXPECT_TRUE(sameBits(small[i][j], big[i][j]))
              << "n " << n << " trial " << trial << " (" << i << ", " << j << ")";
        }
      }
    }
  }
}

TEST(SmallMatrixInversion, RefusesLikeTheFullOrder) {
  SmallSquareMatrix singular{};
  singular[0] = {1.0L, 2.0L};
  singular[1] = {2.0L, 4.0L};
  try {
    InvertMatrix(2, singular, 1e-8L);
    FAIL() << "no error for a singular matrix";
  } catch (const ArithmeticError& e) {
    EXPECT_EQ(&e.text(), &texts::kMatrixSingular);
  }
  SmallSquareMatrix any{};
  EXPECT_THROW(InvertMatrix(6, any, 1e-8L), std::invalid_argument);
}

TEST(SmallMatrixInversion, NewtonSolveBeyondFiveUnknownsStillConverges) {
  // Six unknowns take the heap matrix: v_i^2 = i + 1, started at 1, gives sqrt(i + 1).
  std::array<Real, 6> v{};
  v.fill(1.0L);
  const auto F = [](std::span<const Real> x, std::span<Real> out) {
    for (std::size_t i = 0; i < x.size(); ++i)
      out[i] = x[i] * x[i] - static_cast<Real>(i + 1);
  };
  const IterationResult result = NewtonSolve(6, std::span<Real>(v), F, 1e-12L);
  ASSERT_TRUE(result.converged());
  for (std::size_t i = 0; i < v.size(); ++i)
    EXPECT_NEAR(v[i], std::sqrt(static_cast<Real>(i + 1)), 1e-12L) << i;  // identity
}

}  // namespace
}  // namespace bubblix
