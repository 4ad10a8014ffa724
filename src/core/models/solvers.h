#pragma once
// Bubble- and dew-point solvers of the modified Raoult law y_i P = x_i gamma_i(x, T) Psat_i(T)
// (ideal vapour). Units: tau = T / 273.15 K, P in Pa, mole fractions; index 0 is the first
// component.
//
// Bubble problem (phase letter 'y' or 'Y'; x given, y unknown): find tau at given P (task
// 'T'/'t') or P at given tau (task 'P'/'p') such that sum y_i = 1. A three-point parabolic
// first estimate over the end points A and B (tau values for task 'T', mm Hg for task 'P')
// is followed by a secant iteration with the first step 0.02 (tau) or 0.2 Pa. The secant stops
// when its correction is within 1e-6 (tau or Pa), which can leave its last evaluation, at
// d + s of the final pass, up to several kelvin from the root. So the point is finished: f is
// evaluated at the root estimate c, and while |sum y - 1| there is above kBubbleSumTolerance
// (1e-9), further secant passes go on from it (SolveResult::FinishPasses counts them, usually
// none or one); when the pass limit comes first, the bracketed root search of the fallback
// (solver_fallback.h) finishes the root. On return tau or P, y and gamma are those of the
// final evaluation, at the root reported (SolveResult::RootEstimate): x_i gamma_i Psat_i =
// y_i P holds there exactly and |sum y - 1| <= 1e-9.
//
// Dew problem (phase letter 'x' or 'X'; y given, x unknown): Newton iteration with a
// numerical Jacobian on the n + 1 unknowns x_1..x_n and tau (task 'T', start 1.3) or P (task
// 'P', start 5332 Pa), started from x = y, residual
//   F_i = x_i - P y_i / (Psat_i(tau) gamma_i),   F_{n+1} = 1 - sum x_i.
// The Newton iteration stops when the rms of its step is within 1e-6; the solution is then
// finished: F is evaluated at it, and while 1 - sum x or a relation x_i - P y_i / (Psat_i gamma_i)
// is off by more than kDewRelativeTolerance (1e-9, relative to the larger side; a mole fraction
// below 1e-6 counts as 1e-6), further Newton steps go on from it with the Jacobian over
// increments of 1e-6 (SolveResult::FinishPasses). On return x[0..n-1] and tau or P hold the
// solution, x[n] the same tau or P, and gamma the coefficients at that solution, so
// x_i gamma_i Psat_i = P y_i holds with them within 1e-9.
//
// Both iterations, their finishing passes included, are limited to 200 secant passes and 200
// Newton iterations: on the database mixtures a converging secant needs at most about ten passes
// and a converging Newton iteration at most about thirty-five, so reaching 200 means a case
// that does not converge (a few milliseconds at most). Every value the iterations compute is
// checked: a value that is not finite (or a property look-up out of its range), a negative
// value under the root of the parabolic estimate, a straight line through its three points
// or a zero secant slope ends the calculation with an arithmetic fault that names the step,
// and the caller's variables are left as they were. The model routines themselves do not
// check. A Newton solution with a mole fraction below -1e-6, or whose residual stayed large
// while the steps became small, is no equilibrium either (rejectFalseDewSolutions in
// solver_fallback.h): it ends as an arithmetic fault of NewtonSolve with the fault
// NegativeFraction or ResidualNotSmall.
//
// Only when an iteration fails, a safeguarded method takes over (solver_fallback.h): the
// bubble pressure directly, the bubble temperature by a bracketed root search, the dew point
// by successive substitution. Its point satisfies the same relations, and the result says
// that it ran (SolveResult::Fallback) and still tells how the iteration failed.

#include <string>

#include "core/base/real.h"
#include "core/data/properties.h"
#include "core/models/model_types.h"
#include "core/models/parameter_set.h"
#include "core/models/solve_result.h"
#include "core/numerics/newton.h"

namespace bubblix {

inline constexpr Real kSolverTolerance = 1e-6L;        // tau units or Pa
inline constexpr Real kSecantStepTemperature = 0.02L;  // tau units, 5.463 K
inline constexpr Real kSecantStepPressure = 0.2L;      // Pa
inline constexpr Real kDewStartTau = 1.3L;
inline constexpr Real kDewStartPressure = 5332.0L;  // Pa, 40 mm Hg
// Largest |sum y - 1| of a reported bubble point.
inline constexpr Real kBubbleSumTolerance = 1e-9L;
// Largest relative error of sum x = 1 and of x_i gamma_i Psat_i = y_i P at a dew point.
inline constexpr Real kDewRelativeTolerance = 1e-9L;
// The smallest step of a finishing secant pass, relative to the root estimate.
inline constexpr Real kFinishStep = 1e-9L;

// The free solver: the model routines of set.ModelCode for the set's n components, the
// mixture's vapour pressures and molar volumes. Arguments and results as described at the
// top. Throws InputError before solving for input without physical sense (P <= 0, T <= 0 K,
// A or B not above zero, a negative mole fraction, a value that is not finite) or a set the
// solver cannot use (model code, component or group counts), std::invalid_argument for a
// task letter other than T, t, P, p. A phase letter other than x, X, y, Y changes nothing
// (status Unchanged). Failures of the iterations come back in the result, and so does a given
// temperature of task 'P' at which a component has no vapour pressure (at or below the pole of
// its equation, above 1e30 Pa: SaturationPressure), with the look-up's message naming the
// component and the limit.
SolveResult SolveEquilibrium(const Mixture& mixture, char task, char phase, Real A, Real B,
                             Real& tau, Real& P, const TParameterSet& set, CompositionVector& x,
                             CompositionVector& gamma, CompositionVector& y,
                             const YesNoQuestion& onInversionError = {});

// The same, throwing NoConvergenceError or ArithmeticError when the solution fails.
SolveResult solveEquilibriumOrThrow(const Mixture& mixture, char task, char phase, Real A, Real B,
                                    Real& tau, Real& P, const TParameterSet& set,
                                    CompositionVector& x, CompositionVector& gamma,
                                    CompositionVector& y,
                                    const YesNoQuestion& onInversionError = {});

}  // namespace bubblix
