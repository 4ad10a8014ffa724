#include "core/fitting/unifac_group_tables.h"

#include <cassert>
#include <string>

#include "core/base/errors.h"
#include "core/texts/data_texts.h"
#include "core/texts/fitting_texts.h"

namespace bubblix {

namespace {

std::size_t mainGroupIndex(std::uint8_t mainGroup) {
  if (mainGroup < 1 || mainGroup > 18) {
    throw DataError(texts::kMainGroupNumberInvalid, {std::to_string(mainGroup)});
  }
  return static_cast<std::size_t>(mainGroup - 1);
}

// The entry of the ordered pair of groups (mainG, letterG), (mainH, letterH).
template <class Tables>
auto& tableEntry(Tables& tables, std::uint8_t mainG, std::uint8_t mainH, std::uint8_t letterG,
                 std::uint8_t letterH) {
  const std::size_t m = mainGroupIndex(mainG);
  const std::size_t n = mainGroupIndex(mainH);
  if (tables.Variant == UnifacVariant::MainGroups) return tables.MainGroupTable[m][n];
  return tables.SubgroupTable[m][n][static_cast<std::size_t>(subgroupClass(letterG))]
                             [static_cast<std::size_t>(subgroupClass(letterH))];
}

}  // namespace

int subgroupClass(std::uint8_t letter) {
  switch (letter) {
    case 'A':
      return 0;
    case 'B':
      return 1;
    case 'C':
      return 2;
    default:
      return 3;
  }
}

SubgroupTableType subgroupTableFromMainGroups(const MainGroupTableType& mainGroups) {
  SubgroupTableType table{};
  for (std::size_t m = 0; m < 18; ++m) {
    for (std::size_t n = 0; n < 18; ++n) {
      const Real value = m == n ? 0.0L : mainGroups[m][n];
      for (auto& row : table[m][n])
        row.fill(value);
    }
  }
  return table;
}

UnifacTables startUnifacTables(const MainGroupTableType& mainGroups, UnifacVariant variant) {
  UnifacTables tables;
  tables.Variant = variant;
  tables.MainGroupTable = mainGroups;
  tables.SubgroupTable = subgroupTableFromMainGroups(mainGroups);
  return tables;
}

void SetGroupParameter(UnifacTables& tables, std::span<const std::uint8_t> mainGroups,
                       std::span<const std::uint8_t> letters, int g, int h, Real value) {
  if (g == h) return;
  const auto G = static_cast<std::size_t>(g);
  const auto H = static_cast<std::size_t>(h);
  tableEntry(tables, mainGroups[G], mainGroups[H], letters[G], letters[H]) = value;
}

Real groupParameter(const UnifacTables& tables, std::span<const std::uint8_t> mainGroups,
                    std::span<const std::uint8_t> letters, int g, int h) {
  if (g == h) return 0.0L;
  const auto G = static_cast<std::size_t>(g);
  const auto H = static_cast<std::size_t>(h);
  if (tables.Variant == UnifacVariant::MainGroups && mainGroups[G] == mainGroups[H]) {
    return 0.0L;
  }
  return tableEntry(tables, mainGroups[G], mainGroups[H], letters[G], letters[H]);
}

Matrix10 BuildGroupMatrix(const UnifacTables& tables, int count,
                          std::span<const std::uint8_t> mainGroups,
                          std::span<const std::uint8_t> letters) {
  assert(count >= 0 && count <= 10);
  Matrix10 a{};
  for (int g = 0; g < count; ++g) {
    for (int h = 0; h < count; ++h)
      a[static_cast<std::size_t>(g)][static_cast<std::size_t>(h)] =
          groupParameter(tables, mainGroups, letters, g, h);
  }
  return a;
}

void distributeGroupParameters(UnifacTables& tables, int m,
                               std::span<const std::uint8_t> mainGroups,
                               std::span<const std::uint8_t> letters, const TParamVector& p) {
  std::size_t pos = 0;
  for (int g = 0; g < m; ++g) {
    for (int h = 0; h < m; ++h) {
      if (g == h) continue;
      SetGroupParameter(tables, mainGroups, letters, g, h, p[pos]);
      ++pos;
    }
  }
}

void buildComponentMatrix(const UnifacTables& tables, TComponentGroups& record) {
  record.A = BuildGroupMatrix(tables, record.Count, record.IdsA, record.IdsB);
}

void storeUnifacGroups(const UnifacTables& tables, const Mixture& mixture, int n,
                       TParameterSet& set) {
  if (n < 1 || n > 4) throw DataError(kMixtureSizeInvalidText, {std::to_string(n)});
  const MixtureGroups groups = BuildMixtureGroups(
      std::span<const TComponentGroups>(mixture.Groups.data(), static_cast<std::size_t>(n)));
  set.GroupCount = groups.Count;
  set.GroupIdsA = groups.IdsA;
  set.GroupIdsB = groups.IdsB;
  set.GroupQ = groups.Q;
  set.GroupR = groups.R;
  set.GroupInteraction = BuildGroupMatrix(tables, groups.Count, groups.IdsA, groups.IdsB);
  for (std::size_t i = 0; i < 4; ++i) {
    set.ComponentGroups[i] = {};
    if (i < static_cast<std::size_t>(n)) {
      set.ComponentGroups[i] = mixture.Groups[i];
      buildComponentMatrix(tables, set.ComponentGroups[i]);
    }
  }
}

}  // namespace bubblix
