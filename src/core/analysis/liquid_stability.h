#pragma once
// Stability of a model's single binary liquid. With g = Delta G_mix / (R T) at fixed T,
//   g = x1 ln x1 + x2 ln x2 + x1 ln gamma1 + x2 ln gamma2,
// and Gibbs-Duhem, d(x1 ln gamma1 + x2 ln gamma2)/dx1 = ln gamma1 - ln gamma2, so
//   d2g/dx1^2 = 1 / (x1 x2) + d(ln gamma1 - ln gamma2)/dx1.
// The first term is exact; the derivative is a central difference with the step
// h = kStabilityStep, shrunk to a third of x1 or x2 near the ends (its error is about
// h^2 / 6 times the third derivative, 1e-11 for smooth models, against round-off near
// 1e-19 / h).
// The single liquid is unstable where d2g/dx1^2 < 0: inside the model's spinodal. The model's
// two-liquid region (where a tangent-plane test finds a lower pair of liquids) contains that
// range and reaches beyond it.
//
// Along a bubble curve every point is tested at its own temperature; the ends of an unstable
// range are refined by bisection on x1 (a bubble point and a test each) to kSplitTolerance.
// A range narrower than the curve's step may be missed. Units: tau = T / 273.15 K, P in Pa.

#include <vector>

#include "core/analysis/phase_diagram.h"
#include "core/base/real.h"

namespace bubblix {

inline constexpr Real kStabilityStep = 1e-5L;
inline constexpr Real kSplitTolerance = 1e-8L;  // x1

// d2g/dx1^2 of the liquid x1 at tau. Throws InputError for x1 outside 0 < x1 < 1 (a pure
// liquid is always stable), ArithmeticError when the model gives no finite value there.
Real mixingCurvature(const BinaryEquilibrium& eq, Real x1, Real tau);

// A range of x1 where the single liquid is unstable; From and To are the bubble points at
// its ends (the last unstable points found by the refinement).
struct SplitRange {
  EquilibriumPoint From;
  EquilibriumPoint To;
};

// The unstable ranges along `bubble` (a curve of bubbleCurve on condition c), ascending.
std::vector<SplitRange> findLiquidSplit(const BinaryEquilibrium& eq, Condition c,
                                        const ModelCurve& bubble);

}  // namespace bubblix
