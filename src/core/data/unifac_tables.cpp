#include "core/data/unifac_tables.h"

#include <algorithm>
#include <string>
#include <vector>

#include "core/base/errors.h"
#include "core/base/units.h"
#include "core/texts/data_texts.h"

namespace bubblix {

MainGroupTableType buildReferenceMainGroupTable() {
  MainGroupTableType a{};
  auto set = [&a](int m, int n, Real kelvin) {
    a[static_cast<std::size_t>(m - 1)][static_cast<std::size_t>(n - 1)] = kelvin;
  };
  set(1, 5, 931.2L);
  set(1, 6, 634.235L);
  set(1, 10, 122.691L);
  set(5, 1, 169.7L);
  set(5, 6, -320.8L);
  set(5, 10, 174.3L);
  set(6, 1, -48.251L);
  set(6, 5, 287.5L);
  set(6, 10, 6.731L);
  set(10, 1, 129.103L);
  set(10, 5, 167.5L);
  set(10, 6, 532.067L);
  for (auto& row : a) {
    for (Real& entry : row)
      entry = reducedFromKelvin(entry);
  }
  return a;
}

MixtureGroups BuildMixtureGroups(std::span<const TComponentGroups> components) {
  if (components.empty() || components.size() > 4) {
    throw DataError(kMixtureSizeInvalidText, {std::to_string(components.size())});
  }
  std::size_t collected = 0;
  for (const TComponentGroups& c : components)
    collected += c.Count;
  if (collected > 10) throw DataError(kTooManyMixtureGroupsText, {std::to_string(collected)});

  MixtureGroups out;
  std::size_t count = 0;
  for (const TComponentGroups& c : components) {
    for (std::size_t k = 0; k < c.Count; ++k) {
      out.IdsA[count] = c.IdsA[k];
      out.IdsB[count] = c.IdsB[k];
      out.Q[count] = c.Q[k];
      out.R[count] = c.R[k];
      ++count;
    }
  }

  // Later duplicates are removed; the entries after a removed one move down a place.
  for (std::size_t a = 0; a + 1 < count; ++a) {
    std::size_t b = a + 1;
    while (b < count) {
      if (out.IdsA[b] != out.IdsA[a] || out.IdsB[b] != out.IdsB[a]) {
        ++b;
        continue;
      }
      for (std::size_t k = b; k + 1 < count; ++k) {
        out.IdsA[k] = out.IdsA[k + 1];
        out.IdsB[k] = out.IdsB[k + 1];
        out.Q[k] = out.Q[k + 1];
        out.R[k] = out.R[k + 1];
      }
      --count;
      out.IdsA[count] = 0;
      out.IdsB[count] = 0;
      out.Q[count] = 0;
      out.R[count] = 0;
    }
  }
  out.Count = static_cast<std::uint8_t>(count);

  std::size_t mainCount = count;
  out.MainGroups = out.IdsA;
  for (std::size_t a = 0; a + 1 < mainCount; ++a) {
    std::size_t b = a + 1;
    while (b < mainCount) {
      if (out.MainGroups[b] != out.MainGroups[a]) {
        ++b;
        continue;
      }
      for (std::size_t k = b; k + 1 < mainCount; ++k)
        out.MainGroups[k] = out.MainGroups[k + 1];
      --mainCount;
      out.MainGroups[mainCount] = 0;
    }
  }
  out.MainGroupCount = static_cast<std::uint8_t>(mainCount);
  return out;
}

std::optional<std::array<int, 2>> mainGroupPairWithoutReference(
    const MainGroupTableType& reference, std::span<const TComponentGroups> components) {
  std::vector<int> mains;
  for (const TComponentGroups& c : components) {
    for (std::size_t k = 0; k < c.Count && k < c.IdsA.size(); ++k) {
      if (std::find(mains.begin(), mains.end(), c.IdsA[k]) == mains.end()) {
        mains.push_back(c.IdsA[k]);
      }
    }
  }
  for (std::size_t a = 0; a < mains.size(); ++a) {
    for (std::size_t b = a + 1; b < mains.size(); ++b) {
      const int m = mains[a];
      const int n = mains[b];
      const bool known =
          m >= 1 && m <= 18 && n >= 1 && n <= 18 &&
          (reference[static_cast<std::size_t>(m - 1)][static_cast<std::size_t>(n - 1)] != 0 ||
           reference[static_cast<std::size_t>(n - 1)][static_cast<std::size_t>(m - 1)] != 0);
      if (!known) return std::array<int, 2>{m, n};
    }
  }
  return std::nullopt;
}

}  // namespace bubblix
