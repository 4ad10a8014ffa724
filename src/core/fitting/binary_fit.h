#pragma once
// The fit of one binary pair of a mixture to its experimental data: the property values and
// UNIFAC quantities the objectives need, then the gradient method from the model's start
// vector.
//
//   model    parameters            start                      tolerance
//   Wilson   2                     WilsonStart of the data    1e-5
//   NRTL     3 (a12, a21, alpha)   NRTLStart of the data      1e-6
//   UNIQUAC  2                     UNIQUACStart of the data   1e-5
//   UNIFAC   m (m - 1), m fit      0.2 each (54.63 K)         1e-5
//            groups of the pair
//
// The result is E = sqrt(S / N), the root-mean-square error of the vapour mole fraction.

#include <cstdint>

#include "core/base/real.h"
#include "core/data/properties.h"
#include "core/fitting/fitting_objectives.h"
#include "core/numerics/gradient_minimizer.h"
#include "core/numerics/param_vector.h"

namespace bubblix {

inline constexpr Real kUnifacStartValue = 0.2L;

// What the session hands to a fit: the slow-convergence question (Abort/Retry; none makes
// the iteration limit an error), the receiver of its progress, and the iteration limit of
// the question.
struct FitControls {
  ContinueQuestion AskToContinue;
  FitProgress Progress;
  std::uint16_t IterationLimit = kDefaultIterationLimit;
};

struct FitResult {
  TParamVector Parameters{};  // the fitted vector; entries from ParameterCount on are 0
  std::uint8_t ParameterCount = 0;
  Real S = 0;                    // the objective at Parameters
  Real E = 0;                    // sqrt(S / N)
  std::uint16_t Iterations = 0;  // the minimiser's counter (since its last reset)
};

// Completes the fit data that SelectExperimentalSet filled (N, P, tau, x1, y1, start
// vectors) for the mixture slots i (the component whose y is fitted) and j: the slots, the
// names, r and q of both, and at every point the molar volumes of i and j at
// t = (tau - 1) * 273.15 degC, the vapour pressure of i at tau and the UNIQUAC factor C. Throws
// InputError for slots that are not two different ones of 0..3, or for data without points, with
// more than 60, without a positive pressure, or with a point whose x1 or y1 lies outside 0..1 or
// whose tau is not a positive number; DataError from the property look-ups.
void preparePairFitData(TBinaryFitData& fit, const Mixture& mixture, int i, int j);

// The UNIFAC part, after preparePairFitData: the pair's subgroups and component records, the
// fit groups of the variant (main groups or subgroups), and at every point the subgroup
// fractions (GroupFractions) and the combinatorial coefficients (UNIQUACCombinatorial) at
// x = (x1, 1 - x1). Throws DataError for more than 10 groups or a main group outside 1..18.
void prepareUnifacFitData(TBinaryFitData& fit, const Mixture& mixture, UnifacVariant variant);

// Each prepares the fit data of the pair (i, j) of the mixture, then minimises the model's
// objective from its start vector, which holds the fitted parameters afterwards. Errors of
// the gradient method leave through them: ArithmeticError for a non-finite objective,
// CancelledError when the question is answered Abort, NoConvergenceError at the iteration
// limit without a question. The progress goes to controls.Progress.
FitResult fitWilson(FittingState& state, const Mixture& mixture, int i, int j,
                    const FitControls& controls);
FitResult fitNRTL(FittingState& state, const Mixture& mixture, int i, int j,
                  const FitControls& controls);
FitResult fitUNIQUAC(FittingState& state, const Mixture& mixture, int i, int j,
                     const FitControls& controls);
// In the variant of state.Tables. Afterwards the tables hold the fitted parameters
// (applyUnifacParameters). A pair of one fit group has nothing to fit: its result is the
// objective with the tables as they are, 0 iterations. More than 20 parameters (6 groups or
// more) throws InputError.
FitResult fitUNIFAC(FittingState& state, const Mixture& mixture, int i, int j,
                    const FitControls& controls);

}  // namespace bubblix
