#pragma once
// The fitting method as a front end's dialog takes it, field by field as typed, and its reading
// into the ObjectiveOptions the sessions take - the same options bubblix-cli's --objective,
// --sigma, --fix and --bound give. Numbers are read with the interface's decimal separator;
// every refusal is an InputError naming the field and what was typed.

#include <string>
#include <string_view>
#include <vector>

#include "core/fitting/objective_fit.h"
#include "core/models/model.h"
#include "core/session/session_options.h"
#include "core/texts/text.h"

namespace bubblix {

// One row of the limits: a parameter, named by its label of the result line, with the pair it
// applies to (empty: every pair) and its fixed value and bounds (empty: none), in the result
// line's units.
struct ParameterLimitEntry {
  std::string Pair;  // "I-J", database numbers
  std::string Label;
  std::string Fixed;
  std::string Lower;
  std::string Upper;
};

struct FittingMethodEntry {
  FitObjective Objective = FitObjective::Y1;
  std::string SigmaT, SigmaP, SigmaX, SigmaY;  // K, mm Hg, mole fractions
  std::vector<ParameterLimitEntry> Limits;
};

// The labels of a model's parameters as the result line shows them (l12-l11, l21-l22 for
// Wilson; g12-g22, g21-g11, alp12 for NRTL; u12-u22, u21-u11 for UNIQUAC). UNIFAC's are named
// by the pair's groups (isGroupParameterLabel): none here.
std::vector<std::string> parameterLabels(Model model);
// a0[M,N] (main groups) or a[MA,NB] (subgroups), case ignored.
bool isGroupParameterLabel(std::string_view label);

// The options of an entry. The σ's are read only where the objective takes them, the limits
// only when it takes limits (kFitObjectives); a row with neither a fixed value nor a bound is
// no constraint. componentCount: the highest database number a pair may name. Refused, naming
// the field: a number that parseReal does not read, a σ not above zero, an unknown label, a
// pair that is not two different numbers 1..componentCount, a lower bound above the upper one,
// a fixed value outside the bounds, and a value without a parameter.
ObjectiveOptions readFittingMethod(const FittingMethodEntry& entry,
                                   std::string_view decimalSeparator, int componentCount);

// The entry that shows options again (numbers with the separator, 17 significant digits at
// most, so that reading it back gives the same options).
FittingMethodEntry fittingMethodEntry(const ObjectiveOptions& options,
                                      std::string_view decimalSeparator);

// The lines that name a method other than the default in the fitting report: the objective with
// the σ's it takes, then one line per constraint in the result line's units (an unbounded side
// written as -inf or inf). None for y1: the default report stays as it is.
std::vector<std::string> fittingMethodReportLines(const ObjectiveOptions& options, Language lang,
                                                  std::string_view decimalSeparator);

// The choice of an objective in kFitObjectives (the first, the default, for none listed).
const FitObjectiveChoice& fitObjectiveChoice(FitObjective objective);

}  // namespace bubblix
