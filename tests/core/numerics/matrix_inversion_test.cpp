#include "core/numerics/matrix_inversion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>

#include "core/base/errors.h"
#include "core/texts/numerics_texts.h"

namespace bubblix {
namespace {

// A matrix whose every element holds a marker value, to see what was written.
TSquareMatrix filled(Real marker) {
  TSquareMatrix A;
  for (auto& row : A)
    row.fill(marker);
  return A;
}

template <std::size_t N>
void load(TSquareMatrix& A, const Real (&values)[N][N]) {
  for (std::size_t i = 0; i < N; ++i)
    for (std::size_t j = 0; j < N; ++j)
      A[i][j] = values[i][j];
}

// max |(M * Inv) - I| over the leading n x n block.
Real identityDefect(const TSquareMatrix& M, const TSquareMatrix& Inv, std::size_t n) {
  Real worst = 0.0L;
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = 0; j < n; ++j) {
      Real sum = 0.0L;
      for (std::size_t k = 0; k < n; ++k)
        sum += M[i][k] * Inv[k][j];
      worst = std::fmax(worst, std::fabs(sum - (i == j ? 1.0L : 0.0L)));
    }
  }
  return worst;
}

// Random diagonally dominant matrix (well conditioned), fixed seed.
TSquareMatrix randomDominant(std::size_t n, std::uint32_t seed) {
  std::mt19937 engine(seed);
  std::uniform_int_distribution<int> digits(-1000, 1000);
  TSquareMatrix A = filled(7.0L);
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = 0; j < n; ++j)
      A[i][j] = digits(engine) / 1000.0L;
    A[i][i] += (A[i][i] < 0 ? -1.0L : 1.0L) * static_cast<Real>(n);
  }
  return A;
}

void expectSingular(std::uint16_t n, TSquareMatrix& A, Real eps) {
  try {
    InvertMatrix(n, A, eps);
    FAIL() << "no error for a singular matrix";
  } catch (const ArithmeticError& e) {
    EXPECT_EQ(&e.text(), &texts::kMatrixSingular);
    EXPECT_STREQ(e.what(), "matrix is singular");
    EXPECT_EQ(e.message(Language::Russian), "matrix is singular");
  }
}

TEST(InvertMatrix, PermutationMatricesAreUnpermutedInReverseOrder) {
  // The largest element lies off the diagonal: swaps of rows and columns must be undone.
  TSquareMatrix A = filled(0.0L);
  load(A, {{0.0L, 1.0L}, {1.0L, 0.0L}});
  InvertMatrix(2, A, 1e-8L);
  EXPECT_EQ(A[0][0], 0.0L);
  EXPECT_EQ(A[0][1], 1.0L);
  EXPECT_EQ(A[1][0], 1.0L);
  EXPECT_EQ(A[1][1], 0.0L);

  // A scaled cyclic permutation; its inverse (hand calculation: the transpose with reciprocal
  // entries) is exact in binary, so the comparison is exact.
  load(A, {{0.0L, 2.0L, 0.0L}, {0.0L, 0.0L, 4.0L}, {8.0L, 0.0L, 0.0L}});
  InvertMatrix(3, A, 1e-8L);
  const Real expected[3][3] = {{0.0L, 0.0L, 0.125L}, {0.5L, 0.0L, 0.0L}, {0.0L, 0.25L, 0.0L}};
  for (std::size_t i = 0; i < 3; ++i)
    for (std::size_t j = 0; j < 3; ++j)
      EXPECT_EQ(A[i][j], expected[i][j]) << i << "," << j;
}

TEST(InvertMatrix, OneByOneAndEmptyMatrices) {
  TSquareMatrix A = filled(3.0L);
  A[0][0] = -4.0L;
  InvertMatrix(1, A, 1e-8L);
  EXPECT_EQ(A[0][0], -0.25L);
  EXPECT_EQ(A[0][1], 3.0L);
  EXPECT_EQ(A[1][0], 3.0L);

  TSquareMatrix B = filled(0.0L);  // zero, but n = 0 touches nothing and cannot be singular
  InvertMatrix(0, B, 1e-8L);
  EXPECT_EQ(B, filled(0.0L));
}

TEST(InvertMatrix, PivotOfMagnitudeEqualToEpsPassesAndBelowIsSingular) {
  TSquareMatrix A = filled(0.0L);
  A[0][0] = 0.5L;
  InvertMatrix(1, A, 0.5L);
  EXPECT_EQ(A[0][0], 2.0L);

  A[0][0] = 0.5L;
  expectSingular(1, A, std::nextafter(0.5L, 1.0L));
}

TEST(InvertMatrix, ZeroOrRankDeficientMatricesAreSingular) {
  TSquareMatrix zero = filled(0.0L);
  expectSingular(3, zero, 1e-8L);
  expectSingular(1, zero, 0.0L);  // a zero pivot never divides, even with eps = 0

  TSquareMatrix rank1 = filled(0.0L);
  load(rank1, {{1.0L, 2.0L, 3.0L}, {2.0L, 4.0L, 6.0L}, {3.0L, 6.0L, 9.0L}});
  expectSingular(3, rank1, 1e-8L);
}

// Ties of magnitude are visible through the pivots of later steps: the two tie rules lead to
// different remaining blocks. Pivot magnitudes below come from exact elimination by hand.
TEST(InvertMatrix, TiesKeepTheElementMetFirstInRowMajorOrder) {
  // Step 1 has a four-way tie at |2| that includes (1,1). Keeping (1,1) gives the pivots
  // 2, 2, 1/2; taking the last of the tied elements would give 2, 3, 1/3.
  const Real m[3][3] = {{-2.0L, -2.0L, -2.0L}, {0.0L, -1.0L, 0.0L}, {0.0L, 2.0L, -1.0L}};
  TSquareMatrix A = filled(0.0L);
  load(A, m);
  TSquareMatrix original = A;
  InvertMatrix(3, A, 0.4L);  // passes only with the first-met rule
  EXPECT_LE(identityDefect(original, A, 3), 1e-18L);

  // Here the tie at |2| is among (1,2), (1,3) and (2,2) with (1,1) = -1. The first met,
  // (1,2), gives the pivots 2, 2, 1/4; the last would give 2, 3/2, 1/3.
  const Real p[3][3] = {{-1.0L, 2.0L, -2.0L}, {0.0L, -2.0L, 1.0L}, {1.0L, 1.0L, 1.0L}};
  load(A, p);
  expectSingular(3, A, 0.3L);  // 1/4 < 0.3 < 1/3
  load(A, p);
  original = A;
  InvertMatrix(3, A, 0.25L);
  EXPECT_LE(identityDefect(original, A, 3), 1e-18L);
}

TEST(InvertMatrix, WellConditionedMatricesGiveTheIdentity) {
  // Diagonally dominant, so the condition number is small; 80-bit arithmetic leaves about
  // 1e-19 per operation. Tolerance 1e-17 on every element of A * inverse - I.
  for (std::size_t n : {4u, 10u, 50u}) {
    TSquareMatrix A = randomDominant(n, 12345u + static_cast<std::uint32_t>(n));
    const TSquareMatrix original = A;
    InvertMatrix(static_cast<std::uint16_t>(n), A, 1e-8L);
    EXPECT_LE(identityDefect(original, A, n), 1e-17L) << "n = " << n;
    // Inverting twice returns the matrix (same tolerance scaled by its entries, about n).
    InvertMatrix(static_cast<std::uint16_t>(n), A, 1e-8L);
    for (std::size_t i = 0; i < n; ++i)
      for (std::size_t j = 0; j < n; ++j)
        EXPECT_NEAR(A[i][j], original[i][j], 1e-15L) << i << "," << j;
  }
}

TEST(InvertMatrix, ElementsOutsideTheLeadingBlockAreNeitherReadNorChanged) {
  // NaN outside the block would poison any result that read it.
  TSquareMatrix A = randomDominant(4, 99u);
  for (std::size_t i = 0; i < 50; ++i)
    for (std::size_t j = 0; j < 50; ++j)
      if (i >= 4 || j >= 4) A[i][j] = std::nanl("");
  A[4][4] = 1e30L;  // larger than every element inside: must not become a pivot
  const TSquareMatrix original = A;
  InvertMatrix(4, A, 1e-8L);
  EXPECT_LE(identityDefect(original, A, 4), 1e-17L);
  for (std::size_t i = 0; i < 50; ++i)
    for (std::size_t j = 0; j < 50; ++j)
      if (i >= 4 || j >= 4) {
        if (i == 4 && j == 4)
          EXPECT_EQ(A[i][j], 1e30L);
        else
          EXPECT_TRUE(std::isnan(A[i][j])) << i << "," << j;
      }
}

TEST(InvertMatrix, NonFiniteResultsAndOversizedOrdersAreRefused) {
  TSquareMatrix A = filled(0.0L);
  load(A, {{1.0L, 2.0L}, {3.0L, std::nanl("")}});
  EXPECT_THROW(InvertMatrix(2, A, 1e-8L), ArithmeticError);

  // Inverse entries near 1e4932 overflow the format.
  load(A, {{1e-4940L, 0.0L}, {0.0L, 1.0L}});
  EXPECT_THROW(InvertMatrix(2, A, 0.0L), ArithmeticError);

  EXPECT_THROW(InvertMatrix(51, A, 1e-8L), InputError);
}

}  // namespace
}  // namespace bubblix
