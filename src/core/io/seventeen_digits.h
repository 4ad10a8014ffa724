#pragma once
// The exact 17-digit format of a real, in which batch mode writes its rows: printf's %.17Lg
// in the C locale, correctly rounded to the nearest (ties to even), whatever locale the
// process set.

#include <cstddef>

#include "core/base/real.h"

namespace bubblix {

// Writes at most kSeventeenDigitsLength characters (no terminator) and returns the count.
inline constexpr std::size_t kSeventeenDigitsLength = 32;
std::size_t formatSeventeenDigits(Real value, char* out);

}  // namespace bubblix
