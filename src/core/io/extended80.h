#pragma once
// The 10-byte little-endian image of an 80-bit extended real, as parameter files hold it:
//   bytes 0..7  the 64-bit significand, least significant byte first, with its leading
//               (integer) bit written out as bit 63;
//   bytes 8..9  a 16-bit word: bit 15 the sign, bits 0..14 the exponent biased by 16383
//               (0 for zero and subnormals, 32767 for infinities and NaNs).
// The codec works on the value (frexp/ldexp), not on the memory of a long double, so it is
// exact for every finite value and keeps the sign of zero and of infinities. A NaN is written
// as the quiet NaN of its sign; its payload is not kept.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/base/real.h"

namespace bubblix {

inline constexpr std::size_t kExtended80Size = 10;
using Extended80Image = std::array<std::uint8_t, kExtended80Size>;

// Writes the image of value into out[0..9].
void encodeExtended80(Real value, std::span<std::uint8_t, kExtended80Size> out);
Extended80Image encodeExtended80(Real value);

// Reads an image. Every bit pattern gives a value: an exponent of 32767 gives an infinity
// when the significand is exactly the leading bit, a NaN otherwise; other patterns whose
// leading bit disagrees with the exponent are read by their arithmetic value,
// significand * 2^(max(exponent, 1) - 16383 - 63).
Real decodeExtended80(std::span<const std::uint8_t, kExtended80Size> bytes);

}  // namespace bubblix
