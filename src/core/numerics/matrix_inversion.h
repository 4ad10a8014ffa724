#pragma once
// In-place inversion of a square matrix by Gauss-Jordan elimination with full pivoting.

#include <array>
#include <cstddef>
#include <cstdint>

#include "core/base/real.h"

namespace bubblix {

// Only the leading n x n block is used; the rest is never read or written.
using TSquareMatrix = std::array<std::array<Real, 50>, 50>;

// Replaces the leading n x n block of A by its inverse. A pivot whose magnitude is below eps
// marks the matrix as singular: ArithmeticError with the text "matrix is singular".
void InvertMatrix(std::uint16_t n, TSquareMatrix& A, Real eps);

// The same elimination, step for step, on a square array of another order (n <= Order, else
// std::invalid_argument): a small system keeps its matrix on the stack.
template <std::size_t Order>
void InvertMatrix(std::uint16_t n, std::array<std::array<Real, Order>, Order>& A, Real eps);

// The order of the small matrices of the solvers: the dew point of four components has five
// unknowns.
inline constexpr std::size_t kSmallMatrixOrder = 5;
using SmallSquareMatrix = std::array<std::array<Real, kSmallMatrixOrder>, kSmallMatrixOrder>;
extern template void InvertMatrix<kSmallMatrixOrder>(std::uint16_t, SmallSquareMatrix&, Real);

}  // namespace bubblix
