#pragma once
// The interaction-parameter set of one mixture. Only the matrices of the set's own model are
// meaningful; the others keep whatever an earlier fit or load left in them. The file image of
// the set is described in docs/parameter-file.md.

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>

#include "core/base/real.h"
#include "core/data/component_groups.h"
#include "core/models/model.h"

namespace bubblix {

struct TParameterSet {
  // The model whose matrices below are meaningful. A set without components (ComponentCount
  // 0, the state before the first fit or load) has no model, whatever this holds.
  Model ModelCode = Model::Wilson;
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

// The database numbers of the set's components: the first ComponentCount (at most 4).
inline std::span<const std::uint16_t> componentNumbers(const TParameterSet& set) {
  return std::span(set.Components).first(std::min<std::size_t>(set.ComponentCount, 4));
}

}  // namespace bubblix
