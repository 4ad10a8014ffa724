#pragma once
// Texts of the numerical routines: matrix inversion and the gradient minimiser.

#include "core/texts/text.h"

namespace bubblix::texts {

// The singular-matrix line is English in both interfaces.
inline constexpr Text kMatrixSingular{"matrix is singular", "matrix is singular"};
inline constexpr Text kMatrixTooLarge{"matrix inversion: order {0} is above 50",
                                      "обращение матрицы: порядок {0} больше 50"};
inline constexpr Text kMatrixInverseNotFinite{
    "matrix inversion: element ({0}, {1}) of the inverse is not finite (overflow or a "
    "non-finite element in the matrix)",
    "обращение матрицы: элемент ({0}, {1}) обратной матрицы не является конечным числом "
    "(переполнение или нечисловой элемент в матрице)"};

}  // namespace bubblix::texts
