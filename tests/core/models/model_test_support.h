#pragma once
// Mixtures of the built-in database and parameter sets for the model and solver tests.

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <vector>

#include "core/base/real.h"
#include "core/data/database.h"
#include "core/data/properties.h"
#include "core/data/unifac_tables.h"
#include "core/models/model_printing.h"
#include "core/models/parameter_set.h"

namespace bubblix::test {

// Relative difference, for tolerances stated as relative.
inline Real relative(Real a, Real b) {
  return std::fabs(a - b) / std::fabs(b);
}

// The database components `numbers` (1..4) in the given order as a mixture.
inline Mixture mixtureOf(std::initializer_list<int> numbers) {
  Mixture mixture;
  int slot = 0;
  for (int number : numbers) {
    loadComponent(mixture, builtInDatabase(), slot++, "comp." + std::to_string(number));
  }
  return mixture;
}

// What a model object reads of a calculation session: its mixture and component count, and
// the parameter set it is built from.
struct ObjectSession {
  Mixture Components;
  std::uint8_t SelectedCount = 0;
  TParameterSet ParameterSet;
};

// A session whose mixture is the database components `numbers`.
inline void loadSession(ObjectSession& session, std::initializer_list<int> numbers) {
  session.Components = mixtureOf(numbers);
  session.SelectedCount = static_cast<std::uint8_t>(numbers.size());
}

// Every mixture of 2 to 4 of the database components, in ascending database order.
inline std::vector<std::vector<int>> allDatabaseMixtures() {
  std::vector<std::vector<int>> mixtures;
  for (int mask = 0; mask < 16; ++mask) {
    std::vector<int> numbers;
    for (int k = 0; k < 4; ++k) {
      if (mask & (1 << k)) numbers.push_back(k + 1);
    }
    if (numbers.size() >= 2) mixtures.push_back(numbers);
  }
  return mixtures;
}

// Interaction between two groups by their main-group numbers in a main-group table: 0 within
// one main group.
inline Real groupPairValue(const MainGroupTableType& table, int mainA, int mainB) {
  return mainA == mainB ? 0.0L : table[mainA - 1][mainB - 1];
}

// The UNIFAC parameter set of a mixture with the interactions of `table` (the reference
// table unless given): the mixture group list, the group matrix and every component record
// with its own matrix built by the same rule.
inline TParameterSet unifacSet(
    const Mixture& mixture, int n,
    const MainGroupTableType& table = builtInDatabase().ReferenceMainGroupTable) {
  TParameterSet set;
  set.ModelCode = Model::UNIFAC;
  set.ComponentCount = static_cast<std::uint8_t>(n);
  const MixtureGroups groups =
      BuildMixtureGroups(std::span<const TComponentGroups>(mixture.Groups.data(), n));
  set.GroupCount = groups.Count;
  set.GroupIdsA = groups.IdsA;
  set.GroupIdsB = groups.IdsB;
  set.GroupQ = groups.Q;
  set.GroupR = groups.R;
  for (int g = 0; g < groups.Count; ++g) {
    for (int h = 0; h < groups.Count; ++h) {
      set.GroupInteraction[g][h] = groupPairValue(table, groups.IdsA[g], groups.IdsA[h]);
    }
  }
  for (int i = 0; i < n; ++i) {
    TComponentGroups record = mixture.Groups[i];
    for (int k = 0; k < record.Count; ++k) {
      for (int l = 0; l < record.Count; ++l) {
        record.A[k][l] = groupPairValue(table, record.IdsA[k], record.IdsA[l]);
      }
    }
    set.ComponentGroups[i] = record;
  }
  return set;
}

// Moderate hand-picked parameters (reduced energies) of the three component models, the same
// pattern for every mixture size: a_ij grows with i and falls with j.
inline TParameterSet wilsonSet(int n) {
  TParameterSet set;
  set.ModelCode = Model::Wilson;
  set.ComponentCount = static_cast<std::uint8_t>(n);
  for (int i = 0; i < n; ++i) {
    for (int j = 0; j < n; ++j) {
      if (i != j) set.WilsonEnergy[i][j] = 0.25L + 0.2L * i - 0.1L * j;
    }
  }
  return set;
}

inline TParameterSet nrtlSet(int n) {
  TParameterSet set;
  set.ModelCode = Model::NRTL;
  set.ComponentCount = static_cast<std::uint8_t>(n);
  for (int i = 0; i < n; ++i) {
    for (int j = 0; j < n; ++j) {
      if (i == j) continue;
      set.NRTLEnergy[i][j] = 0.6L - 0.15L * i + 0.1L * j;
      set.NRTLAlpha[i][j] = 0.3L;
    }
  }
  return set;
}

inline TParameterSet uniquacSet(int n) {
  TParameterSet set;
  set.ModelCode = Model::UNIQUAC;
  set.ComponentCount = static_cast<std::uint8_t>(n);
  for (int i = 0; i < n; ++i) {
    for (int j = 0; j < n; ++j) {
      if (i != j) set.UNIQUACEnergy[i][j] = 0.35L - 0.1L * i + 0.05L * j;
    }
  }
  return set;
}

// The parameter set of `model` for the mixture's first n components.
inline TParameterSet modelSet(Model model, const Mixture& mixture, int n) {
  switch (model) {
    case Model::Wilson:
      return wilsonSet(n);
    case Model::NRTL:
      return nrtlSet(n);
    case Model::UNIQUAC:
      return uniquacSet(n);
    case Model::UNIFAC:
      break;
  }
  return unifacSet(mixture, n);
}

}  // namespace bubblix::test
