#pragma once
// The letters and values a solver is called with, checked before anything is computed
// (solvers.h gives the rules). Shared by the free solver and the model objects.

#include <optional>

#include "core/base/real.h"
#include "core/data/properties.h"
#include "core/models/parameter_set.h"
#include "core/models/solve_result.h"

namespace bubblix::solver_detail {

// True for task 'T' or 't' (the temperature is unknown), false for 'P' or 'p';
// std::invalid_argument for any other letter.
bool isTemperatureTask(char task);
bool isBubblePhase(char phase);  // 'y' or 'Y': x given
bool isDewPhase(char phase);     // 'x' or 'X': y given

// Which problem the letters ask for, with every check made before anything is computed.
struct Problem {
  bool temperatureTask;
  bool bubble;
  int n;
};

// Throws InputError for values without physical sense or a set the solvers cannot use;
// nullopt for a phase letter other than x, X, y, Y (nothing to solve).
std::optional<Problem> openProblem(char task, char phase, Real A, Real B, Real tau, Real P,
                                   const TParameterSet& set, const CompositionVector& x,
                                   const CompositionVector& y);

// A given temperature (task 'P') at which a component has no vapour pressure (at or below the
// pole of its equation, an absurd or a negative value) ends the solution before it starts: a
// failed result (an arithmetic fault, no step) with the look-up's own text, which names the
// component and the limit; nothing when every component has one.
std::optional<SolveResult> missingVapourPressure(const Mixture& mixture, int n, Real tau);

}  // namespace bubblix::solver_detail
