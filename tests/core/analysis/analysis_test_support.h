#pragma once
// Binary parameter sets for the analysis tests: the program's own fits to the built-in data
// (each fitted once per test run) and ideal sets.

#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "core/analysis/phase_diagram.h"
#include "core/data/database.h"
#include "core/data/experimental_data.h"
#include "core/data/properties.h"
#include "core/fitting/binary_fit.h"
#include "core/fitting/fitting_objectives.h"
#include "core/fitting/unifac_group_tables.h"
#include "core/models/model_printing.h"
#include "core/models/parameter_set.h"

namespace bubblix::test {

// A binary mixture of database components with its parameter set.
struct BinaryCase {
  Mixture mixture;
  TParameterSet set;
};

inline Mixture pairMixture(int a, int b) {
  Mixture mixture;
  loadComponent(mixture, builtInDatabase(), 0, "comp." + std::to_string(a));
  loadComponent(mixture, builtInDatabase(), 1, "comp." + std::to_string(b));
  return mixture;
}

// The set the fitting session stores for the pair a < b fitted with `model` (UNIFAC:
// variant 1) to the pair's built-in data.
inline BinaryCase fitCase(int a, int b, Model model) {
  const Database& db = builtInDatabase();
  BinaryCase out{pairMixture(a, b), {}};
  auto state = std::make_unique<FittingState>();
  loadExperimentalPoints(SelectExperimentalSet(db, a, b), state->Fit);
  state->Tables = startUnifacTables(db.ReferenceMainGroupTable, UnifacVariant::MainGroups);
  FitControls controls;
  controls.AskToContinue = [](const Text&) { return true; };
  TParameterSet& set = out.set;
  set.ModelCode = model;
  set.ComponentCount = 2;
  set.Components = {static_cast<std::uint16_t>(a), static_cast<std::uint16_t>(b), 0, 0};
  switch (model) {
    case Model::Wilson: {
      const FitResult fit = fitWilson(*state, out.mixture, 0, 1, controls);
      set.WilsonEnergy[0][1] = fit.Parameters[0];
      set.WilsonEnergy[1][0] = fit.Parameters[1];
      break;
    }
    case Model::NRTL: {
      const FitResult fit = fitNRTL(*state, out.mixture, 0, 1, controls);
      set.NRTLEnergy[0][1] = fit.Parameters[0];
      set.NRTLEnergy[1][0] = fit.Parameters[1];
      set.NRTLAlpha[0][1] = set.NRTLAlpha[1][0] = fit.Parameters[2];
      break;
    }
    case Model::UNIQUAC: {
      const FitResult fit = fitUNIQUAC(*state, out.mixture, 0, 1, controls);
      set.UNIQUACEnergy[0][1] = fit.Parameters[0];
      set.UNIQUACEnergy[1][0] = fit.Parameters[1];
      break;
    }
    case Model::UNIFAC:
      fitUNIFAC(*state, out.mixture, 0, 1, controls);
      storeUnifacGroups(state->Tables, out.mixture, 2, set);
      break;
  }
  return out;
}

// The same, fitted once per run. The mixture lives as long as the cache.
inline const BinaryCase& fitted(int a, int b, Model model) {
  static std::map<std::tuple<int, int, Model>, std::unique_ptr<BinaryCase>> cache;
  auto& entry = cache[{a, b, model}];
  if (!entry) entry = std::make_unique<BinaryCase>(fitCase(a, b, model));
  return *entry;
}

// NRTL with zero energies: every tau_ij is 0, so gamma = 1 whatever the volume ratios
// inside G: an ideal liquid (Raoult's law).
inline BinaryCase idealCase(int a, int b) {
  BinaryCase out{pairMixture(a, b), {}};
  out.set.ModelCode = Model::NRTL;
  out.set.ComponentCount = 2;
  out.set.Components = {static_cast<std::uint16_t>(a), static_cast<std::uint16_t>(b), 0, 0};
  out.set.NRTLAlpha[0][1] = out.set.NRTLAlpha[1][0] = 0.3L;
  return out;
}

inline constexpr int kPairs[6][2] = {{1, 2}, {1, 3}, {1, 4}, {2, 3}, {2, 4}, {3, 4}};

}  // namespace bubblix::test
