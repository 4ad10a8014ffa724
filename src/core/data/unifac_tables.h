#pragma once
// UNIFAC main-group interaction tables (reduced: a_mn / 273.15 K) and the mixture group list.

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "core/base/real.h"
#include "core/data/component_groups.h"

namespace bubblix {

// [m - 1][n - 1] = interaction of main group m with main group n, m, n = 1..18.
using MainGroupTableType = std::array<std::array<Real, 18>, 18>;

// The literature values between main groups 1, 5, 6 and 10 (the groups of the database
// components), in K, divided by 273.15; every other entry 0. Not symmetric.
MainGroupTableType buildReferenceMainGroupTable();

// The distinct UNIFAC groups of a mixture and its distinct main groups. Entries from Count
// (or MainGroupCount) on are zero.
struct MixtureGroups {
  std::uint8_t Count = 0;                     // distinct (main group, subgroup letter) pairs
  std::array<std::uint8_t, 10> IdsA{};        // main-group number of each group
  std::array<std::uint8_t, 10> IdsB{};        // subgroup letter of each group ('A', 'B', ' ')
  std::array<Real, 10> Q{};                   // area parameter of each group
  std::array<Real, 10> R{};                   // volume parameter of each group
  std::uint8_t MainGroupCount = 0;            // distinct main groups
  std::array<std::uint8_t, 10> MainGroups{};  // their numbers

  bool operator==(const MixtureGroups&) const = default;
};

// Collects the groups of the components (mixture order, each record's group order) and
// merges equal groups - same main-group number and subgroup letter - into the first
// appearance, whose Q and R are kept; the main groups are merged the same way. Both lists
// keep the order of first appearance. Throws DataError for other than 1..4 components or more
// than 10 groups collected before merging.
MixtureGroups BuildMixtureGroups(std::span<const TComponentGroups> components);

// The first two different main groups of the components (in order of first appearance) that
// have no reference interaction: both entries [m][n] and [n][m] of the table zero. Main-group
// numbers outside 1..18 count as having none. Nothing when every pair has one.
std::optional<std::array<int, 2>> mainGroupPairWithoutReference(
    const MainGroupTableType& reference, std::span<const TComponentGroups> components);

}  // namespace bubblix
