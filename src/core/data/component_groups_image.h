#pragma once
// The fixed 1336-byte image of a component's UNIFAC group record, as parameter files hold it
// (docs/parameter-file.md). Offsets, all little-endian, reals in the 10-byte extended format:
//     0  count                          1 byte
//     1  first identifiers (main group) 10 bytes
//    11  nu (occurrences)               10 bytes
//    21  second identifiers (letter)    10 bytes
//    31  filler                         1 byte, zero
//    32  Q, 10 reals                    100 bytes
//   132  R, 10 reals                    100 bytes
//   232  X, 10 reals                    100 bytes
//   332  filler                         4 bytes, zero
//   336  A, 10 x 10 reals, row by row   1000 bytes

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/data/component_groups.h"

namespace bubblix {

inline constexpr std::size_t kComponentGroupsImageSize = 1336;
using ComponentGroupsImage = std::array<std::uint8_t, kComponentGroupsImageSize>;

// Byte offsets of the fields in the image.
struct ComponentGroupsOffsets {
  static constexpr std::size_t Count = 0;
  static constexpr std::size_t IdsA = 1;
  static constexpr std::size_t Nu = 11;
  static constexpr std::size_t IdsB = 21;
  static constexpr std::size_t Q = 32;
  static constexpr std::size_t R = 132;
  static constexpr std::size_t X = 232;
  static constexpr std::size_t A = 336;
};

// Writes the image into out (every byte, fillers zero).
void writeComponentGroupsImage(const TComponentGroups& groups,
                               std::span<std::uint8_t, kComponentGroupsImageSize> out);
ComponentGroupsImage writeComponentGroupsImage(const TComponentGroups& groups);

// Reads an image; fillers are ignored. The count is taken as it stands (callers that index
// with it check it).
TComponentGroups readComponentGroupsImage(
    std::span<const std::uint8_t, kComponentGroupsImageSize> bytes);

}  // namespace bubblix
