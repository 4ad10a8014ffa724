#pragma once
// Fitting state with a built-in binary system selected, for the fitting tests.

#include <memory>
#include <string>

#include "core/data/database.h"
#include "core/data/experimental_data.h"
#include "core/data/properties.h"
#include "core/fitting/binary_fit.h"
#include "core/fitting/fitting_objectives.h"

namespace bubblix::test {

// The database components a < b as a binary mixture (slots 0 and 1) with their system
// selected into a fresh fitting state whose tables start from the reference table.
struct SelectedPair {
  Mixture mixture;
  std::unique_ptr<FittingState> state = std::make_unique<FittingState>();

  SelectedPair(int a, int b, UnifacVariant variant = UnifacVariant::MainGroups) {
    const Database& db = builtInDatabase();
    loadComponent(mixture, db, 0, "comp." + std::to_string(a));
    loadComponent(mixture, db, 1, "comp." + std::to_string(b));
    loadExperimentalPoints(SelectExperimentalSet(db, a, b), state->Fit);
    state->Tables = startUnifacTables(db.ReferenceMainGroupTable, variant);
  }

  TBinaryFitData& fit() { return state->Fit; }
};

}  // namespace bubblix::test
