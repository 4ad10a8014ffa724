#pragma once
// The interaction-parameter set of one mixture. Only the matrices of the set's own model are
// meaningful; the others keep whatever an earlier fit or load left in them. The file image of
// the set is described in docs/parameter-file.md.

#include <array>
#include <cstdint>

#include "core/base/real.h"
#include "core/data/component_groups.h"

namespace bubblix {

struct TParameterSet {
  char ModelCode = 0;                         // 'W' Wilson, 'N' NRTL, 'Q' UNIQUAC, 'F' UNIFAC
  std::array<std::uint16_t, 4> Components{};  // database numbers 1..4, mixture order
  std::uint8_t ComponentCount = 0;            // n, 2..4
  std::uint8_t GroupCount = 0;                // g, 0..10 (UNIFAC)
  std::array<std::uint8_t, 10> GroupIdsB{};   // subgroup letter of each mixture group
  std::array<std::uint8_t, 10> GroupIdsA{};   // main-group number of each mixture group
  Matrix4 NRTLAlpha{};                        // NRTL non-randomness, reduced energies below
  Matrix4 NRTLEnergy{};
  Matrix4 WilsonEnergy{};
  Matrix10 UNIQUACEnergy{};       // component order
  std::array<Real, 10> GroupQ{};  // area parameter of each mixture group
  std::array<Real, 10> GroupR{};  // volume parameter of each mixture group
  Matrix10 GroupInteraction{};    // UNIFAC group interaction matrix, group order
  std::array<TComponentGroups, 4> ComponentGroups{};  // UNIFAC, one record per component

  bool operator==(const TParameterSet&) const = default;
};

}  // namespace bubblix
