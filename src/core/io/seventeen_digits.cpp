#include "core/io/seventeen_digits.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace bubblix {

// %.17Lg needs the 80-bit value rounded to 17 significant digits. printf does this with
// arbitrary precision and costs about half a microsecond a number, as much as a bubble point.
// Here the value m 2^-p (m the 64-bit mantissa) is scaled exactly: N = m 10^s / 2^p in 256-bit
// integer arithmetic, s = 16 - (decimal exponent), and the remainder decides the rounding
// (ties to even, as printf in the default rounding mode). That covers 1e-39 <= |v| < 1e17,
// every value a result normally takes; anything else goes to std::to_chars, which rounds the
// same way and ignores the locale too.

namespace {

using U64 = std::uint64_t;
__extension__ typedef unsigned __int128 U128;  // GCC and Clang; not ISO C++

constexpr int kDigits = 17;
constexpr int kMaxScale = 55;  // 10^55 < 2^183: m 10^s stays below 2^247
constexpr U64 kTenTo16 = 10000000000000000ull;
constexpr U64 kTenTo17 = 100000000000000000ull;

// Little-endian limbs.
using U256 = std::array<U64, 4>;

constexpr std::array<U256, kMaxScale + 1> makePowersOfTen() {
  std::array<U256, kMaxScale + 1> table{};
  table[0] = {1, 0, 0, 0};
  for (int s = 1; s <= kMaxScale; ++s) {
    U128 carry = 0;
    for (int k = 0; k < 4; ++k) {
      const U128 product = static_cast<U128>(table[s - 1][k]) * 10u + carry;
      table[s][k] = static_cast<U64>(product);
      carry = product >> 64;
    }
  }
  return table;
}

constexpr std::array<U256, kMaxScale + 1> kPowersOfTen = makePowersOfTen();

enum class Remainder { BelowHalf, Half, AboveHalf };

// floor(m 10^s / 2^p) (which must fit 64 bits) and how the remainder compares with one half;
// 1 <= p <= 255.
U64 scaledFloor(U64 m, int s, int p, Remainder& remainder) {
  U256 product{};
  U128 carry = 0;
  for (int k = 0; k < 4; ++k) {
    const U128 term = static_cast<U128>(kPowersOfTen[s][k]) * m + carry;
    product[k] = static_cast<U64>(term);
    carry = term >> 64;
  }
  const auto bit = [&product](int i) { return (product[i / 64] >> (i % 64)) & 1u; };
  const int limb = p / 64;
  const int shift = p % 64;
  U64 quotient = product[limb] >> shift;
  if (shift != 0 && limb + 1 < 4) quotient |= product[limb + 1] << (64 - shift);

  // Below the half bit: is anything set?
  bool lowerBits = false;
  for (int k = 0; k < (p - 1) / 64; ++k)
    lowerBits = lowerBits || product[k] != 0;
  const int rest = (p - 1) % 64;
  if (rest != 0) lowerBits = lowerBits || (product[(p - 1) / 64] & ((U64{1} << rest) - 1)) != 0;
  if (bit(p - 1) == 0) {
    remainder = Remainder::BelowHalf;
  } else {
    remainder = lowerBits ? Remainder::AboveHalf : Remainder::Half;
  }
  return quotient;
}

// %g layout of the 17 digits of N (10^16 <= N < 10^17) with decimal exponent X.
std::size_t layOut(bool negative, U64 N, int X, char* out) {
  char digits[kDigits];
  for (int k = kDigits - 1; k >= 0; --k) {
    digits[k] = static_cast<char>('0' + N % 10);
    N /= 10;
  }
  int used = kDigits;  // significant digits after dropping trailing zeros
  while (used > 1 && digits[used - 1] == '0')
    --used;

  char* p = out;
  if (negative) *p++ = '-';
  if (X >= -4 && X < kDigits) {
    if (X >= 0) {
      for (int k = 0; k <= X; ++k)
        *p++ = digits[k];
      if (used > X + 1) {
        *p++ = '.';
        for (int k = X + 1; k < used; ++k)
          *p++ = digits[k];
      }
    } else {
      *p++ = '0';
      *p++ = '.';
      for (int k = 0; k < -X - 1; ++k)
        *p++ = '0';
      for (int k = 0; k < used; ++k)
        *p++ = digits[k];
    }
  } else {
    *p++ = digits[0];
    if (used > 1) {
      *p++ = '.';
      for (int k = 1; k < used; ++k)
        *p++ = digits[k];
    }
    *p++ = 'e';
    *p++ = X < 0 ? '-' : '+';
    const int e = X < 0 ? -X : X;
    if (e >= 1000) *p++ = static_cast<char>('0' + e / 1000);
    if (e >= 100) *p++ = static_cast<char>('0' + e / 100 % 10);
    *p++ = static_cast<char>('0' + e / 10 % 10);
    *p++ = static_cast<char>('0' + e % 10);
  }
  return static_cast<std::size_t>(p - out);
}

std::size_t formatSlowly(Real value, char* out) {
  const std::to_chars_result result =
      std::to_chars(out, out + kSeventeenDigitsLength, value, std::chars_format::general, kDigits);
  return static_cast<std::size_t>(result.ptr - out);
}

}  // namespace

std::size_t formatSeventeenDigits(Real value, char* out) {
  if (value == 0.0L || !std::isfinite(value)) return formatSlowly(value, out);
  // The x87 format: 64 mantissa bits with an explicit leading bit, then 15 exponent bits
  // (bias 16383) and the sign. A normal value has the leading bit set.
  U64 m = 0;
  std::uint16_t signAndExponent = 0;
  std::memcpy(&m, &value, sizeof m);
  std::memcpy(&signAndExponent, reinterpret_cast<const char*>(&value) + 8, sizeof signAndExponent);
  const bool negative = (signAndExponent & 0x8000u) != 0;
  const int biased = signAndExponent & 0x7FFF;
  if (biased == 0 || (m >> 63) == 0) return formatSlowly(value, out);  // subnormal
  const int e2 = biased - 16382;  // |value| = (m / 2^64) 2^e2 with m / 2^64 in [0.5, 1)
  const int p = 64 - e2;          // |value| = m 2^-p
  // The decimal exponent: floor((e2 - 1) log10 2) is it or one below it.
  int X = static_cast<int>(std::floor((e2 - 1) * 0.30102999566398120));
  for (int attempt = 0; attempt < 2; ++attempt) {
    const int s = kDigits - 1 - X;
    if (s < 0 || s > kMaxScale || p < 1 || p > 255) return formatSlowly(value, out);
    Remainder remainder;
    U64 N = scaledFloor(m, s, p, remainder);
    if (N >= kTenTo17) {
      ++X;
      continue;
    }
    if (remainder == Remainder::AboveHalf || (remainder == Remainder::Half && N % 2 == 1)) ++N;
    if (N == kTenTo17) {
      N = kTenTo16;
      ++X;
    }
    return layOut(negative, N, X, out);
  }
  return formatSlowly(value, out);
}

}  // namespace bubblix
