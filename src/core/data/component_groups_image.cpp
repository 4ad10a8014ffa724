#include "core/data/component_groups_image.h"

#include <algorithm>

#include "core/io/extended80.h"

namespace bubblix {

namespace {

using Offsets = ComponentGroupsOffsets;

void putReal(std::span<std::uint8_t, kComponentGroupsImageSize> out, std::size_t offset,
             Real value) {
  encodeExtended80(value, out.subspan(offset).first<kExtended80Size>());
}

Real getReal(std::span<const std::uint8_t, kComponentGroupsImageSize> in, std::size_t offset) {
  return decodeExtended80(in.subspan(offset).first<kExtended80Size>());
}

}  // namespace

void writeComponentGroupsImage(const TComponentGroups& groups,
                               std::span<std::uint8_t, kComponentGroupsImageSize> out) {
  std::fill(out.begin(), out.end(), std::uint8_t{0});
  out[Offsets::Count] = groups.Count;
  for (std::size_t k = 0; k < 10; ++k) {
    out[Offsets::IdsA + k] = groups.IdsA[k];
    out[Offsets::Nu + k] = groups.Nu[k];
    out[Offsets::IdsB + k] = groups.IdsB[k];
    putReal(out, Offsets::Q + 10 * k, groups.Q[k]);
    putReal(out, Offsets::R + 10 * k, groups.R[k]);
    putReal(out, Offsets::X + 10 * k, groups.X[k]);
    for (std::size_t m = 0; m < 10; ++m) {
      putReal(out, Offsets::A + 100 * k + 10 * m, groups.A[k][m]);
    }
  }
}

ComponentGroupsImage writeComponentGroupsImage(const TComponentGroups& groups) {
  ComponentGroupsImage image;
  writeComponentGroupsImage(groups, image);
  return image;
}

TComponentGroups readComponentGroupsImage(
    std::span<const std::uint8_t, kComponentGroupsImageSize> bytes) {
  TComponentGroups groups;
  groups.Count = bytes[Offsets::Count];
  for (std::size_t k = 0; k < 10; ++k) {
    groups.IdsA[k] = bytes[Offsets::IdsA + k];
    groups.Nu[k] = bytes[Offsets::Nu + k];
    groups.IdsB[k] = bytes[Offsets::IdsB + k];
    groups.Q[k] = getReal(bytes, Offsets::Q + 10 * k);
    groups.R[k] = getReal(bytes, Offsets::R + 10 * k);
    groups.X[k] = getReal(bytes, Offsets::X + 10 * k);
    for (std::size_t m = 0; m < 10; ++m) {
      groups.A[k][m] = getReal(bytes, Offsets::A + 100 * k + 10 * m);
    }
  }
  return groups;
}

}  // namespace bubblix
