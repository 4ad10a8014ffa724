#pragma once
// Parameter sets fitted to the built-in experimental data, built as the fitting session
// builds them: every pair (i, j), i < j, of the mixture in the order (1,2), (1,3), ...,
// fitted by its model's binary fit; Wilson, NRTL and UNIQUAC store a_ij at (i, j) and a_ji at
// (j, i) (NRTL alpha at both), zeros on the diagonal; UNIFAC writes each pair's fitted values
// into one set of working tables, started from the reference table, in pair order (a later
// pair overwrites an earlier one where they share a pair of groups), and then stores the
// mixture's groups and matrices from the tables.
//
// A pair fit depends only on the pair's data (UNIFAC fits every interaction among the pair's
// groups), so each fit runs once per test process and is reused by every mixture holding the
// pair. A fit that ends with an error leaves out every mixture holding its pair; the reason
// names the pair and the error.

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "core/base/errors.h"
#include "core/base/real.h"
#include "core/data/database.h"
#include "core/data/experimental_data.h"
#include "core/data/properties.h"
#include "core/fitting/binary_fit.h"
#include "core/fitting/fitting_objectives.h"
#include "core/fitting/unifac_group_tables.h"
#include "core/models/parameter_file.h"
#include "core/models/parameter_set.h"

namespace bubblix::test {

// A model of the sweep: its letter and, for Model::UNIFAC, the UNIFAC variant.
struct FittedModel {
  Model Code = Model::Wilson;
  UnifacVariant Variant = UnifacVariant::MainGroups;

  std::string name() const {
    if (Code == Model::UNIFAC)
      return Variant == UnifacVariant::MainGroups ? "UNIFAC-1" : "UNIFAC-2";
    return std::string(modelName(Code));
  }
};

inline void PrintTo(const FittedModel& model, std::ostream* os) {
  *os << model.name();
}

// The database components `numbers` (1..4, ascending) as a mixture, slot k holding numbers[k].
inline Mixture databaseMixture(const std::vector<int>& numbers) {
  Mixture mixture;
  for (std::size_t k = 0; k < numbers.size(); ++k) {
    loadComponent(mixture, builtInDatabase(), static_cast<int>(k),
                  "comp." + std::to_string(numbers[k]));
  }
  return mixture;
}

// One pair's fit: the fitted vector, or the error it ended with. For UNIFAC also the groups
// the vector is indexed by.
struct PairFit {
  bool Ok = false;
  std::string Error;
  FitResult Result;
  int FitGroupCount = 0;
  std::array<std::uint8_t, 10> FitGroupIdsA{};
  std::array<std::uint8_t, 10> FitGroupIdsB{};
};

// The fit of database components a < b by `model`, run once per process.
inline const PairFit& fitPair(const FittedModel& model, int a, int b) {
  static std::map<std::tuple<Model, int, int, int>, PairFit> cache;
  const auto key = std::make_tuple(model.Code, static_cast<int>(model.Variant), a, b);
  if (const auto found = cache.find(key); found != cache.end()) return found->second;

  const Database& db = builtInDatabase();
  const Mixture mixture = databaseMixture({a, b});
  auto state = std::make_unique<FittingState>();
  loadExperimentalPoints(SelectExperimentalSet(db, a, b), state->Fit);
  state->Tables = startUnifacTables(db.ReferenceMainGroupTable, model.Variant);
  FitControls controls;
  controls.AskToContinue = [](const Text&) { return false; };  // Abort at the iteration limit

  PairFit fit;
  try {
    switch (model.Code) {
      case Model::Wilson:
        fit.Result = fitWilson(*state, mixture, 0, 1, controls);
        break;
      case Model::NRTL:
        fit.Result = fitNRTL(*state, mixture, 0, 1, controls);
        break;
      case Model::UNIQUAC:
        fit.Result = fitUNIQUAC(*state, mixture, 0, 1, controls);
        break;
      case Model::UNIFAC:
        fit.Result = fitUNIFAC(*state, mixture, 0, 1, controls);
        fit.FitGroupCount = state->Fit.FitGroupCount;
        fit.FitGroupIdsA = state->Fit.FitGroupIdsA;
        fit.FitGroupIdsB = state->Fit.FitGroupIdsB;
        break;
    }
    fit.Ok = true;
  } catch (const Error& error) {
    fit.Error = error.message(Language::English);
  }
  return cache.emplace(key, std::move(fit)).first->second;
}

// The parameter set of `model` for the database components `numbers` (ascending), or
// nullopt with `leftOut` naming the pair whose fit failed and its error.
inline std::optional<TParameterSet> fittedSet(const FittedModel& model,
                                              const std::vector<int>& numbers,
                                              std::string* leftOut = nullptr) {
  const int n = static_cast<int>(numbers.size());
  const Mixture mixture = databaseMixture(numbers);
  TParameterSet set;
  set.ModelCode = model.Code;
  set.ComponentCount = static_cast<std::uint8_t>(n);
  for (int k = 0; k < n; ++k)
    set.Components[static_cast<std::size_t>(k)] = static_cast<std::uint16_t>(numbers[k]);
  UnifacTables tables = startUnifacTables(builtInDatabase().ReferenceMainGroupTable, model.Variant);
  for (int i = 0; i < n; ++i) {
    for (int j = i + 1; j < n; ++j) {
      const PairFit& fit = fitPair(model, numbers[i], numbers[j]);
      if (!fit.Ok) {
        if (leftOut != nullptr) {
          *leftOut = model.name() + " comp." + std::to_string(numbers[i]) + "-comp." +
                     std::to_string(numbers[j]) + ": " + fit.Error;
        }
        return std::nullopt;
      }
      const TParamVector& p = fit.Result.Parameters;
      switch (model.Code) {
        case Model::Wilson:
          set.WilsonEnergy[i][j] = p[0];
          set.WilsonEnergy[j][i] = p[1];
          break;
        case Model::NRTL:
          set.NRTLEnergy[i][j] = p[0];
          set.NRTLEnergy[j][i] = p[1];
          set.NRTLAlpha[i][j] = p[2];
          set.NRTLAlpha[j][i] = p[2];
          break;
        case Model::UNIQUAC:
          set.UNIQUACEnergy[i][j] = p[0];
          set.UNIQUACEnergy[j][i] = p[1];
          break;
        case Model::UNIFAC:
          distributeGroupParameters(tables, fit.FitGroupCount, fit.FitGroupIdsA, fit.FitGroupIdsB,
                                    p);
          break;
      }
    }
  }
  if (model.Code == Model::UNIFAC) storeUnifacGroups(tables, mixture, n, set);
  return set;
}

}  // namespace bubblix::test
