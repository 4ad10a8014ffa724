#include "bench_fixtures.h"

#include <map>
#include <stdexcept>
#include <string>
#include <utility>

#include "core/data/database.h"
#include "core/data/experimental_data.h"

namespace bubblix::bench {

const char* caseModelName(Model model) {
  switch (model) {
    case Model::Wilson:
      return "Wilson";
    case Model::NRTL:
      return "NRTL";
    case Model::UNIQUAC:
      return "UNIQUAC";
    case Model::UNIFAC1:
      return "UNIFAC1";
    case Model::UNIFAC2:
      return "UNIFAC2";
  }
  return "?";
}

bubblix::Model modelOf(Model model) {
  switch (model) {
    case Model::Wilson:
      return bubblix::Model::Wilson;
    case Model::NRTL:
      return bubblix::Model::NRTL;
    case Model::UNIQUAC:
      return bubblix::Model::UNIQUAC;
    case Model::UNIFAC1:
    case Model::UNIFAC2:
      break;
  }
  return bubblix::Model::UNIFAC;
}

UnifacVariant unifacVariantOf(Model model) {
  return model == Model::UNIFAC2 ? UnifacVariant::Subgroups : UnifacVariant::MainGroups;
}

const Mixture& databaseMixture(int n) {
  static const std::array<Mixture, 5> mixtures = [] {
    std::array<Mixture, 5> all;
    const Database& db = builtInDatabase();
    for (int size = 2; size <= 4; ++size) {
      for (int slot = 0; slot < size; ++slot) {
        loadComponent(all[static_cast<std::size_t>(size)], db, slot,
                      db.ComponentBase[static_cast<std::size_t>(slot)].EnglishName);
      }
    }
    return all;
  }();
  if (n < 2 || n > 4) throw std::invalid_argument("databaseMixture: 2 to 4 components");
  return mixtures[static_cast<std::size_t>(n)];
}

namespace {

// Selects the system of database components i + 1 and j + 1 into the fitting data.
void selectPair(FittingState& state, int i, int j) {
  loadExperimentalPoints(SelectExperimentalSet(builtInDatabase(), i + 1, j + 1), state.Fit);
}

}  // namespace

std::unique_ptr<FittingState> selectedPairState(Model model, int i, int j) {
  auto state = std::make_unique<FittingState>();
  state->Tables =
      startUnifacTables(builtInDatabase().ReferenceMainGroupTable, unifacVariantOf(model));
  selectPair(*state, i, j);
  return state;
}

FitResult fitPair(Model model, FittingState& state, const Mixture& mixture, int i, int j) {
  const FitControls controls;  // no question: the iteration limit is an error
  switch (model) {
    case Model::Wilson:
      return fitWilson(state, mixture, i, j, controls);
    case Model::NRTL:
      return fitNRTL(state, mixture, i, j, controls);
    case Model::UNIQUAC:
      return fitUNIQUAC(state, mixture, i, j, controls);
    case Model::UNIFAC1:
    case Model::UNIFAC2:
      return fitUNIFAC(state, mixture, i, j, controls);
  }
  throw std::invalid_argument("fitPair: unknown model");
}

TParameterSet fitMixture(Model model, int n) {
  const Mixture& mixture = databaseMixture(n);
  TParameterSet set;
  set.ModelCode = modelOf(model);
  set.ComponentCount = static_cast<std::uint8_t>(n);
  for (int i = 0; i < n; ++i)
    set.Components[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(i + 1);

  auto state = std::make_unique<FittingState>();
  state->Tables =
      startUnifacTables(builtInDatabase().ReferenceMainGroupTable, unifacVariantOf(model));
  for (int i = 0; i < n; ++i) {
    for (int j = i + 1; j < n; ++j) {
      selectPair(*state, i, j);
      const FitResult fit = fitPair(model, *state, mixture, i, j);
      const Real a1 = fit.Parameters[0];
      const Real a2 = fit.Parameters[1];
      switch (model) {
        case Model::Wilson:
          set.WilsonEnergy[i][j] = a1;
          set.WilsonEnergy[j][i] = a2;
          break;
        case Model::NRTL:
          set.NRTLEnergy[i][j] = a1;
          set.NRTLEnergy[j][i] = a2;
          set.NRTLAlpha[i][j] = fit.Parameters[2];
          set.NRTLAlpha[j][i] = fit.Parameters[2];
          break;
        case Model::UNIQUAC:
          set.UNIQUACEnergy[i][j] = a1;
          set.UNIQUACEnergy[j][i] = a2;
          break;
        case Model::UNIFAC1:
        case Model::UNIFAC2:
          break;  // the working tables carry the fitted values
      }
    }
  }
  if (set.ModelCode == bubblix::Model::UNIFAC) storeUnifacGroups(state->Tables, mixture, n, set);
  return set;
}

const TParameterSet& fittedSet(Model model, int n) {
  static std::map<std::pair<Model, int>, TParameterSet> sets;
  const auto key = std::make_pair(model, n);
  auto found = sets.find(key);
  if (found == sets.end()) found = sets.emplace(key, fitMixture(model, n)).first;
  return found->second;
}

CompositionVector caseComposition(int n) {
  if (n == 2) return {0.3L, 0.7L, 0.0L, 0.0L, 0.0L};
  if (n == 4) return {0.1L, 0.2L, 0.3L, 0.4L, 0.0L};
  throw std::invalid_argument("Composition: 2 or 4 components");
}

std::vector<Real> setParameters(const TParameterSet& set) {
  std::vector<Real> values;
  const int n = set.ComponentCount;
  const auto matrix = [&values](const auto& a, int size) {
    for (int i = 0; i < size; ++i) {
      for (int j = 0; j < size; ++j)
        values.push_back(a[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)]);
    }
  };
  switch (set.ModelCode) {
    case bubblix::Model::Wilson:
      matrix(set.WilsonEnergy, n);
      break;
    case bubblix::Model::NRTL:
      matrix(set.NRTLEnergy, n);
      matrix(set.NRTLAlpha, n);
      break;
    case bubblix::Model::UNIQUAC:
      matrix(set.UNIQUACEnergy, n);
      break;
    case bubblix::Model::UNIFAC:
      matrix(set.GroupInteraction, set.GroupCount);
      for (int i = 0; i < n; ++i) {
        const TComponentGroups& record = set.ComponentGroups[static_cast<std::size_t>(i)];
        matrix(record.A, record.Count);
      }
      break;
  }
  return values;
}

}  // namespace bubblix::bench
