#include "core/numerics/matrix_inversion.h"

#include <cmath>
#include <stdexcept>
#include <string>
#include <utility>

#include "core/base/errors.h"
#include "core/texts/numerics_texts.h"

namespace bubblix {

namespace {

template <class Matrix>
void swapRows(Matrix& A, std::size_t n, std::size_t r1, std::size_t r2) {
  for (std::size_t j = 0; j < n; ++j)
    std::swap(A[r1][j], A[r2][j]);
}

template <class Matrix>
void swapColumns(Matrix& A, std::size_t n, std::size_t c1, std::size_t c2) {
  for (std::size_t i = 0; i < n; ++i)
    std::swap(A[i][c1], A[i][c2]);
}

// The elimination for any order of the array.
template <class Matrix>
void invert(std::size_t n, Matrix& A, Real eps) {
  // Where the pivot of step k stood before it was moved to (k, k).
  std::array<std::uint8_t, 50> pivotRow{};
  std::array<std::uint8_t, 50> pivotColumn{};

  for (std::size_t k = 0; k < n; ++k) {
    // Full pivoting: the first element of largest magnitude in a row-major scan of the
    // remaining block; only a strictly larger magnitude replaces the current choice.
    Real D = A[k][k];
    std::size_t r = k;
    std::size_t c = k;
    for (std::size_t i = k; i < n; ++i) {
      for (std::size_t j = k; j < n; ++j) {
        if (std::fabs(A[i][j]) > std::fabs(D)) {
          D = A[i][j];
          r = i;
          c = j;
        }
      }
    }
    pivotRow[k] = static_cast<std::uint8_t>(r);
    pivotColumn[k] = static_cast<std::uint8_t>(c);
    if (c > k) swapColumns(A, n, k, c);
    if (r > k) swapRows(A, n, k, r);

    // |D| == eps passes; a zero pivot is singular whatever eps is (it would divide by zero).
    if (eps > std::fabs(D) || D == 0.0L) throw ArithmeticError(texts::kMatrixSingular);

    for (std::size_t i = 0; i < n; ++i) {
      if (i != k) A[i][k] = -A[i][k] / D;
    }
    for (std::size_t i = 0; i < n; ++i) {
      if (i == k) continue;
      for (std::size_t j = 0; j < n; ++j) {
        if (j != k) A[i][j] = A[i][k] * A[k][j] + A[i][j];
      }
    }
    for (std::size_t j = 0; j < n; ++j) {
      if (j != k) A[k][j] = A[k][j] / D;
    }
    A[k][k] = 1.0L / D;
  }

  // Undo the permutations in reverse order of the steps: a column swap of the matrix is a row
  // swap of its inverse and vice versa.
  for (std::size_t k = n; k-- > 0;) {
    if (pivotColumn[k] > k) swapRows(A, n, k, pivotColumn[k]);
    if (pivotRow[k] > k) swapColumns(A, n, k, pivotRow[k]);
  }

  // Overflow or a non-finite input element leaves a non-finite inverse; never hand it back.
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = 0; j < n; ++j) {
      if (!std::isfinite(A[i][j])) {
        throw ArithmeticError(texts::kMatrixInverseNotFinite,
                              {std::to_string(i + 1), std::to_string(j + 1)});
      }
    }
  }
}

}  // namespace

void InvertMatrix(std::uint16_t n, TSquareMatrix& A, Real eps) {
  if (n > 50) throw InputError(texts::kMatrixTooLarge, {std::to_string(n)});
  invert(n, A, eps);
}

template <std::size_t Order>
void InvertMatrix(std::uint16_t n, std::array<std::array<Real, Order>, Order>& A, Real eps) {
  if (n > Order) {
    throw std::invalid_argument("InvertMatrix: order " + std::to_string(n) + " above " +
                                std::to_string(Order));
  }
  invert(n, A, eps);
}

template void InvertMatrix<kSmallMatrixOrder>(std::uint16_t, SmallSquareMatrix&, Real);

}  // namespace bubblix
