#pragma once
// In-place inversion of a square matrix by Gauss-Jordan elimination with full pivoting.

#include <array>
#include <cstdint>

#include "core/real.h"

namespace bubblix {

// Only the leading n x n block is used; the rest is never read or written.
using TSquareMatrix = std::array<std::array<Real, 50>, 50>;

// Replaces the leading n x n block of A by its inverse. A pivot whose magnitude is below eps
// marks the matrix as singular: ArithmeticError with the text "matrix is singular".
void InvertMatrix(std::uint16_t n, TSquareMatrix& A, Real eps);

}  // namespace bubblix
