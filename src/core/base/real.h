#pragma once
// Every calculation of Bubblix runs in 80-bit x87 extended precision.

#include <array>
#include <cfloat>
#include <cstddef>

namespace bubblix {

using Real = long double;

static_assert(LDBL_MANT_DIG == 64 && LDBL_MAX_EXP == 16384 && LDBL_MIN_EXP == -16381,
              "Bubblix needs long double to be the x87 80-bit extended format");

// Composition-like vectors: room for four components plus one free element, which the dew
// solver uses for its temperature or pressure unknown. Index 0 is the first component.
using CompositionVector = std::array<Real, 5>;

// Component-by-component matrices of the binary models, [i][j] = parameter of i next to j.
using Matrix4 = std::array<std::array<Real, 4>, 4>;
// UNIQUAC and group matrices.
using Matrix10 = std::array<std::array<Real, 10>, 10>;

}  // namespace bubblix
