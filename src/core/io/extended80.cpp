#include "core/io/extended80.h"

#include <cmath>
#include <limits>

namespace bubblix {

namespace {

constexpr int kBias = 16383;
constexpr int kMaxBiased = 0x7FFF;
constexpr int kSignificandBits = 64;
constexpr std::uint64_t kLeadingBit = std::uint64_t{1} << 63;
// A subnormal (biased exponent 0) is significand * 2^(1 - 16383 - 63).
constexpr int kSubnormalScale = 1 - kBias - (kSignificandBits - 1);

}  // namespace

void encodeExtended80(Real value, std::span<std::uint8_t, kExtended80Size> out) {
  const bool negative = std::signbit(value);
  std::uint64_t significand = 0;
  int biased = 0;
  if (std::isnan(value)) {
    significand = kLeadingBit | (kLeadingBit >> 1);  // quiet NaN
    biased = kMaxBiased;
  } else if (std::isinf(value)) {
    significand = kLeadingBit;
    biased = kMaxBiased;
  } else if (value != 0.0L) {
    const Real magnitude = std::fabs(value);
    int exponent = 0;
    const Real fraction = std::frexp(magnitude, &exponent);  // magnitude = fraction * 2^exponent
    biased = exponent - 1 + kBias;
    if (biased > 0) {
      // fraction in [0.5, 1) carries at most 64 significant bits, so this is exact.
      significand = static_cast<std::uint64_t>(std::ldexp(fraction, kSignificandBits));
    } else {
      biased = 0;
      significand = static_cast<std::uint64_t>(std::ldexp(magnitude, -kSubnormalScale));
    }
  }
  for (std::size_t i = 0; i < 8; ++i) {
    out[i] = static_cast<std::uint8_t>(significand >> (8 * i));
  }
  const unsigned word = (negative ? 0x8000u : 0u) | static_cast<unsigned>(biased);
  out[8] = static_cast<std::uint8_t>(word & 0xFFu);
  out[9] = static_cast<std::uint8_t>(word >> 8);
}

Extended80Image encodeExtended80(Real value) {
  Extended80Image image{};
  encodeExtended80(value, image);
  return image;
}

Real decodeExtended80(std::span<const std::uint8_t, kExtended80Size> bytes) {
  std::uint64_t significand = 0;
  for (std::size_t i = 0; i < 8; ++i) {
    significand |= static_cast<std::uint64_t>(bytes[i]) << (8 * i);
  }
  const unsigned word = static_cast<unsigned>(bytes[8]) | (static_cast<unsigned>(bytes[9]) << 8);
  const bool negative = (word & 0x8000u) != 0;
  const int biased = static_cast<int>(word & 0x7FFFu);
  Real magnitude;
  if (biased == kMaxBiased) {
    magnitude = significand == kLeadingBit ? std::numeric_limits<Real>::infinity()
                                           : std::numeric_limits<Real>::quiet_NaN();
  } else {
    const int scale = biased == 0 ? kSubnormalScale : biased - kBias - (kSignificandBits - 1);
    // A 64-bit integer is exact in the 64-bit significand; scaling by a power of two is exact
    // whenever the result is representable, which every finite pattern's value is.
    magnitude = std::ldexp(static_cast<Real>(significand), scale);
  }
  return negative ? -magnitude : magnitude;
}

}  // namespace bubblix
