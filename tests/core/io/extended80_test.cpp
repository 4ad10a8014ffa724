#include "core/io/extended80.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

namespace bubblix {
namespace {

using Image = Extended80Image;

// The machine's own memory image of a long double (the x87 format holds its 10 bytes first);
// an independent source for the expected bytes.
Image machineImage(Real value) {
  Image image{};
  std::memcpy(image.data(), &value, image.size());
  return image;
}

// Expected images written out by hand from the format: significand bytes first (least
// significant first), then the sign/exponent word.
TEST(Extended80, KnownValuesHaveTheirExactBytes) {
  // 1.0 = 1.0b * 2^0: significand 0x8000000000000000, exponent 0 + 16383 = 0x3FFF.
  EXPECT_EQ(encodeExtended80(1.0L), (Image{0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}));
  // -2.5 = -1.01b * 2^1: significand 0xA000000000000000, word 0x8000 | 0x4000.
  EXPECT_EQ(encodeExtended80(-2.5L), (Image{0, 0, 0, 0, 0, 0, 0, 0xA0, 0x00, 0xC0}));
  // Smallest normal 2^-16382: exponent field 1.
  EXPECT_EQ(encodeExtended80(std::numeric_limits<Real>::min()),
            (Image{0, 0, 0, 0, 0, 0, 0, 0x80, 0x01, 0x00}));
  // Largest normal: all significand bits set, exponent field 0x7FFE.
  EXPECT_EQ(encodeExtended80(std::numeric_limits<Real>::max()),
            (Image{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0x7F}));
  EXPECT_EQ(encodeExtended80(0.0L), (Image{}));
  EXPECT_EQ(encodeExtended80(-0.0L), (Image{0, 0, 0, 0, 0, 0, 0, 0, 0x00, 0x80}));
  // Smallest subnormal 2^-16445: significand 1, exponent field 0.
  EXPECT_EQ(encodeExtended80(std::numeric_limits<Real>::denorm_min()),
            (Image{1, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(encodeExtended80(-std::numeric_limits<Real>::infinity()),
            (Image{0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0xFF}));
  // 3.40912 = 1.70456 * 2^1: exponent 0x4000; its significand is checked against the
  // machine's image of the same literal.
  const Image image = encodeExtended80(3.40912L);
  EXPECT_EQ(image, machineImage(3.40912L));
  EXPECT_EQ(image[9], 0x40);
  EXPECT_EQ(image[8], 0x00);
  EXPECT_EQ(image[7] & 0x80, 0x80);  // the explicit leading bit
}

TEST(Extended80, DecodingGivesBackEveryKnownValueWithItsSign) {
  for (Real value : {1.0L, -2.5L, 3.40912L, 0.0L, std::numeric_limits<Real>::min(),
                     std::numeric_limits<Real>::max(), std::numeric_limits<Real>::denorm_min(),
                     -std::numeric_limits<Real>::infinity(), 1e-4940L, 273.15L}) {
    const Real back = decodeExtended80(encodeExtended80(value));
    EXPECT_EQ(back, value);
    EXPECT_EQ(std::signbit(back), std::signbit(value));
  }
  const Real negativeZero = decodeExtended80(Image{0, 0, 0, 0, 0, 0, 0, 0, 0x00, 0x80});
  EXPECT_EQ(negativeZero, 0.0L);
  EXPECT_TRUE(std::signbit(negativeZero));

  const Image nan = encodeExtended80(std::numeric_limits<Real>::quiet_NaN());
  EXPECT_EQ(nan[9] & 0x7F, 0x7F);
  EXPECT_EQ(nan[8], 0xFF);
  EXPECT_TRUE(std::isnan(decodeExtended80(nan)));
}

TEST(Extended80, PatternsWithAMismatchedLeadingBitDecodeToTheirArithmeticValue) {
  // Exponent 0x7FFF with a zero leading bit is not an infinity.
  EXPECT_TRUE(std::isnan(decodeExtended80(Image{0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0x7F})));
  // Exponent field 0x3FFF with significand 0x4000000000000000: 0.5 by value.
  EXPECT_EQ(decodeExtended80(Image{0, 0, 0, 0, 0, 0, 0, 0x40, 0xFF, 0x3F}), 0.5L);
  // Exponent field 0 with the leading bit set: the smallest normal.
  EXPECT_EQ(decodeExtended80(Image{0, 0, 0, 0, 0, 0, 0, 0x80, 0x00, 0x00}),
            std::numeric_limits<Real>::min());
}

TEST(Extended80, AgreesWithTheMachineImageOverRandomValuesOfEveryMagnitude) {
  std::mt19937_64 engine(20240601u);
  std::uniform_int_distribution<int> exponent(-16445, 16383);
  for (int trial = 0; trial < 20000; ++trial) {
    const std::uint64_t bits = engine();
    Real value = std::ldexp(static_cast<Real>(bits | (std::uint64_t{1} << 63)), -63);
    value = std::ldexp(value, exponent(engine));  // may round into the subnormal range
    if (trial % 2 == 1) value = -value;
    const Image image = encodeExtended80(value);
    ASSERT_EQ(image, machineImage(value)) << static_cast<double>(value);
    ASSERT_EQ(decodeExtended80(image), value);
  }
}

}  // namespace
}  // namespace bubblix
