#pragma once
// The mixtures, compositions and fitted parameter sets the benchmark cases work on.
//
// Mixtures: the database components 1 and 2 (binary) and 1 to 4 (quaternary), in database
// order. Parameter sets are fitted the way the fitting session fits them: every pair (i, j),
// i < j, of the mixture in turn, from the built-in start vectors (UNIFAC: 0.2 for every group
// parameter, the working tables starting from the reference table and carried from pair to
// pair), without questions; then the pair's parameters go to (i, j) and (j, i) of the model's
// matrices (UNIFAC: the mixture's groups and matrices built from the working tables).

#include <array>
#include <memory>
#include <string>

#include "core/base/real.h"
#include "core/data/properties.h"
#include "core/fitting/binary_fit.h"
#include "core/fitting/unifac_group_tables.h"
#include "core/models/parameter_set.h"

namespace bubblix::bench {

enum class Model { Wilson, NRTL, UNIQUAC, UNIFAC1, UNIFAC2 };

inline constexpr std::array<Model, 5> kAllModels = {Model::Wilson, Model::NRTL, Model::UNIQUAC,
                                                    Model::UNIFAC1, Model::UNIFAC2};
// The models of the activity-coefficient and solver cases: UNIFAC with subgroup interactions.
inline constexpr std::array<Model, 4> kSolverModels = {Model::Wilson, Model::NRTL, Model::UNIQUAC,
                                                       Model::UNIFAC2};

const char* caseModelName(Model model);      // "Wilson", ..., "UNIFAC1", "UNIFAC2"
bubblix::Model modelOf(Model model);         // the parameter set's model
UnifacVariant unifacVariantOf(Model model);  // the UNIFAC variant (MainGroups for the other models)

// The database components 1..n as a mixture (n = 2..4).
const Mixture& databaseMixture(int n);

// A fitting state with the system of the mixture's components i < j (slots) selected and the
// working tables at the start of a session of `model`.
std::unique_ptr<FittingState> selectedPairState(Model model, int i, int j);

// The fit of the mixture slots i < j with the model's fit driver; state from selectedPairState
// (or carried from the previous pair of a session).
FitResult fitPair(Model model, FittingState& state, const Mixture& mixture, int i, int j);

// The fitting session of the database components 1..n: every pair fitted in order, the
// results stored in the model's matrices.
TParameterSet fitMixture(Model model, int n);

// fitMixture, computed once per model and size.
const TParameterSet& fittedSet(Model model, int n);

// The liquid (or vapour) composition the cases give: (0.3, 0.7) for a binary, (0.1, 0.2, 0.3,
// 0.4) for four components.
CompositionVector caseComposition(int n);

// The model's parameters of a set for its n components, row by row (UNIFAC: the group
// matrix and each component's own matrix), for the golden results.
std::vector<Real> setParameters(const TParameterSet& set);

}  // namespace bubblix::bench
