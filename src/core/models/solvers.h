#pragma once
// Bubble- and dew-point solvers of the modified Raoult law y_i P = x_i gamma_i(x, T) Psat_i(T)
// (ideal vapour). Units: tau = T / 273.15 K, P in Pa, mole fractions; index 0 is the first
// component.
//
// Bubble problem (phase letter 'y' or 'Y'; x given, y unknown): find tau at given P (task
// 'T'/'t') or P at given tau (task 'P'/'p') such that sum y_i = 1. A three-point parabolic
// first estimate over the end points A and B (tau values for task 'T', mm Hg for task 'P')
// is followed by a secant iteration with the first step 0.02 (tau) or 0.2 Pa. On return tau
// or P, y and gamma hold the values of the LAST evaluation, at d + s of the final secant
// pass, not the root estimate c (SolveResult::RootEstimate keeps c). That point lies half the
// previous secant correction from the root: on task 'T' usually a few hundredths of a
// degree, and x_i gamma_i Psat_i = y_i P holds exactly there. When the secant ends after two
// or three passes, the last evaluation can lie up to 5.7 K from the root, with sum y - 1 up
// to 0.32 (the solver sweep, docs/solver-sweep.md): no bubble point. So when |sum y - 1| at
// the last evaluation exceeds kReportedSumTolerance, the point is evaluated once more at c and
// reported there (SolveResult::ReportedAtRoot).
//
// Dew problem (phase letter 'x' or 'X'; y given, x unknown): Newton iteration with a
// numerical Jacobian on the n + 1 unknowns x_1..x_n and tau (task 'T', start 1.3) or P (task
// 'P', start 5332 Pa), started from x = y, residual
//   F_i = x_i - P y_i / (Psat_i(tau) gamma_i),   F_{n+1} = 1 - sum x_i.
// On return x[0..n-1] and tau or P hold the Newton solution, x[n] the same tau or P; gamma
// holds the coefficients of the last residual evaluation, the last one of the final
// Jacobian (the previous iterate with its last unknown lowered by the increment), so
// x_i gamma_i Psat_i = P y_i holds with it only to about 1e-5, not to the last bit. Where it is
// off by more than kDewRelationTolerance (75 of 110 000 dew-T points of the solver sweep, up to
// 5e-3), gamma is evaluated once more at the solution and reported from there
// (SolveResult::GammaAtSolution).
//
// Both iterations stop when their correction is within 1e-6 (tau units or Pa; the Newton
// iteration uses the rms of the step). They are limited to 200 secant passes and 200 Newton
// iterations: on the database mixtures a converging secant needs at most about ten passes
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
// that it ran (SolveResult::Fallback) and still tells how the iteration failed. Every point
// the iterations find themselves is returned unchanged.

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
// Largest |sum y - 1| of a reported bubble point taken from the secant's last evaluation.
inline constexpr Real kReportedSumTolerance = 1e-3L;
// Largest relative error of x_i gamma_i Psat_i = y_i P of a dew point with the gamma of the
// Newton iteration's last evaluation; beyond it gamma is taken at the solution.
inline constexpr Real kDewRelationTolerance = 1e-4L;

// The free solver: the model routines of set.ModelCode for the set's n components, the
// mixture's vapour pressures and molar volumes. Arguments and results as described at the
// top. Throws InputError before solving for input without physical sense (P <= 0, T <= 0 K,
// A or B not above zero, a negative mole fraction, a value that is not finite) or a set the
// solver cannot use (model code, component or group counts), std::invalid_argument for a
// task letter other than T, t, P, p. A phase letter other than x, X, y, Y changes nothing
// (status Unchanged). Failures of the iterations come back in the result.
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
