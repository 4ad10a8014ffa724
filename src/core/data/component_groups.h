#pragma once
// The UNIFAC group record of one component. The same record is held per mixture component in
// a parameter set and written into parameter files as a fixed 1336-byte image
// (docs/parameter-file.md describes the image).

#include <array>
#include <cstdint>

#include "core/base/real.h"

namespace bubblix {

struct TComponentGroups {
  std::uint8_t Count = 0;               // distinct groups of the component, 1..10
  std::array<std::uint8_t, 10> IdsA{};  // first identifier: main-group number 1..18
  std::array<std::uint8_t, 10> Nu{};    // how often each group occurs in the molecule
  std::array<std::uint8_t, 10> IdsB{};  // second identifier: subgroup letter ('A', 'B', ' ')
  std::array<Real, 10> Q{};             // group area parameters
  std::array<Real, 10> R{};             // group volume parameters
  std::array<Real, 10> X{};             // group mole fractions in the pure component
  Matrix10 A{};                         // interactions among the component's own groups

  bool operator==(const TComponentGroups&) const = default;
};

}  // namespace bubblix
