#include "core/data/component_groups_image.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <span>

#include "core/io/extended80.h"

namespace bubblix {
namespace {

// A record with a different value in every slot, so that a value at the wrong offset shows.
TComponentGroups distinctRecord() {
  TComponentGroups g;
  g.Count = 3;
  for (std::size_t k = 0; k < 10; ++k) {
    g.IdsA[k] = static_cast<std::uint8_t>(1 + k);
    g.Nu[k] = static_cast<std::uint8_t>(20 + k);
    g.IdsB[k] = static_cast<std::uint8_t>(k % 2 == 0 ? 'A' : 'B');
    g.Q[k] = 0.5L + k;
    g.R[k] = -1.25L - k;
    g.X[k] = 1.0L / (3.0L + k);
    for (std::size_t m = 0; m < 10; ++m)
      g.A[k][m] = 100.0L * k + m + 0.125L;
  }
  return g;
}

Real realAt(const ComponentGroupsImage& image, std::size_t offset) {
  return decodeExtended80(std::span<const std::uint8_t>(image).subspan(offset).first<10>());
}

// Offsets from the table of the group record in docs/parameter-file.md.
TEST(ComponentGroupsImage, FieldsLieAtTheirDocumentedOffsets) {
  const TComponentGroups g = distinctRecord();
  const ComponentGroupsImage image = writeComponentGroupsImage(g);
  EXPECT_EQ(image.size(), 1336u);
  EXPECT_EQ(image[0], 3);
  for (std::size_t k = 0; k < 10; ++k) {
    EXPECT_EQ(image[1 + k], g.IdsA[k]);
    EXPECT_EQ(image[11 + k], g.Nu[k]);
    EXPECT_EQ(image[21 + k], g.IdsB[k]);
    EXPECT_EQ(realAt(image, 32 + 10 * k), g.Q[k]);
    EXPECT_EQ(realAt(image, 132 + 10 * k), g.R[k]);
    EXPECT_EQ(realAt(image, 232 + 10 * k), g.X[k]);
  }
  EXPECT_EQ(realAt(image, 336 + 100 * 2 + 10 * 7), g.A[2][7]);
  EXPECT_EQ(realAt(image, 1326), g.A[9][9]);
  // Fillers are zero.
  EXPECT_EQ(image[31], 0);
  for (std::size_t b = 332; b < 336; ++b)
    EXPECT_EQ(image[b], 0) << b;
  // Q_1 = 0.5 spelled out: significand 0x8000000000000000, exponent 16382 = 0x3FFE.
  const std::uint8_t half[10] = {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFE, 0x3F};
  for (std::size_t b = 0; b < 10; ++b)
    EXPECT_EQ(image[32 + b], half[b]) << b;
}

TEST(ComponentGroupsImage, ReadingGivesBackTheRecordAndIgnoresFillers) {
  const TComponentGroups g = distinctRecord();
  ComponentGroupsImage image = writeComponentGroupsImage(g);
  EXPECT_EQ(readComponentGroupsImage(image), g);
  image[31] = 0xAB;
  image[333] = 0xCD;
  EXPECT_EQ(readComponentGroupsImage(image), g);

  // Negative zero and a subnormal survive a round trip bit for bit.
  TComponentGroups odd;
  odd.X[4] = -0.0L;
  odd.A[9][0] = std::numeric_limits<Real>::denorm_min();
  const ComponentGroupsImage oddImage = writeComponentGroupsImage(odd);
  const TComponentGroups back = readComponentGroupsImage(oddImage);
  EXPECT_TRUE(std::signbit(back.X[4]));
  EXPECT_EQ(writeComponentGroupsImage(back), oddImage);
}

}  // namespace
}  // namespace bubblix
