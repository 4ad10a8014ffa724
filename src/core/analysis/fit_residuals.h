#pragma once
// The residuals of a parameter set against the equilibrium data of its pairs: for each measured
// point the model's bubble point at the measured x1 - the temperature at the measured P for an
// isobaric or mixed set, the pressure at the measured t for an isothermal one
// (classifyDataSet) - and the differences calculated - measured of that unknown and of y1.
// Points at x1 = 0 or 1 have no y1 residual (y1 = x1 there by the model).
//
// Every pair of the set's components is solved in the whole mixture with the other
// components absent (x = 0), so a multicomponent set is judged by the parameters its pairs
// carry, whatever the model. The bubble points come from SolveEquilibrium with the adequacy
// check's start rule (equilibrium_point.h) - the solver every reported bubble point takes, with
// its fallbacks - whichever objective fitted the set.
//
// Units: residuals of t in K, of P in mm Hg; x1 and y1 are of the pair's first component (the
// set's order).

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/base/real.h"
#include "core/data/database.h"
#include "core/models/parameter_set.h"
#include "core/texts/text.h"

namespace bubblix {

struct ResidualPoint {
  Real x1 = 0;
  Real Unknown = 0;        // t_calc - t, K, or P_calc - P, mm Hg
  std::optional<Real> Y1;  // y1_calc - y1
};

struct PairResiduals {
  std::array<int, 2> Positions{};   // the pair's places in the set, 0-based, first < second
  std::array<int, 2> Components{};  // their database numbers
  std::array<std::string, 2> Names;
  bool Isothermal = false;            // pressures at the measured t
  int Measured = 0;                   // points of the data
  std::vector<ResidualPoint> Points;  // the solved points, in the data's order
  Real RmsUnknown = 0;                // over Points
  std::optional<Real> RmsY1;          // over the points that have a y1 residual
};

// The residuals of the pair at positions i < j of the set. Throws InputError for a set the
// solvers refuse or positions outside it, and what pairEquilibriumData throws for a pair
// without data.
PairResiduals pairResiduals(const Database& db, const TParameterSet& set, int i, int j,
                            Language lang);

// The residuals of every pair of the set with equilibrium data, in the order (1,2), (1,3), ...,
// (n-1,n); pairs without data are left out.
std::vector<PairResiduals> parameterSetResiduals(const Database& db, const TParameterSet& set,
                                                 Language lang);

}  // namespace bubblix
