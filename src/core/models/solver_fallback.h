#pragma once
// Safeguarded methods that take over when the bubble or dew iteration of solvers.h ends in a
// failure. They run only then, so every point the iterations find is left exactly as it is
// (a Newton "solution" at a negative mole fraction or with a large residual is no point:
// rejectFalseDewSolutions makes it a failure first); SolveResult::Fallback records that one ran.
// Each needs only the function the failed iteration used, so the free solver and the model objects
// share them.
//
// Bubble pressure: gamma does not depend on P, so sum y - 1 = S / P - 1 with
//   S = sum x_i gamma_i(x, tau) Psat_i(tau), and the root is P = S itself: f at 1 Pa gives S,
//   f at S the point (repeated while that changes P, at most kMaxPressurePasses times).
// Bubble temperature: a bracketed root search on f(tau) = sum y - 1, which rises with tau.
//   From the first start point A (else B, else tau = 1.2) that gives a value, steps of
//   0.02 * 2^k go in the direction that brings f towards 0 (a step into values that are not
//   finite is retried at a quarter of its length) until f changes sign; then the Illinois
//   form of regula falsi narrows the bracket until |f| <= 1e-16 or its width is a few units
//   in the last place. f is evaluated once more at the best point, which is reported.
// Dew point: successive substitution on x. With v = (x, u), u = tau (task 'T') or P (task 'P'),
//   the dew residual gives q_i = v_i - F_i = P y_i / (Psat_i(tau) gamma_i(x, tau)), the liquid
//   in equilibrium with y at u for the activity coefficients of x. Started from x = y:
//     task 'P': u <- u / sum q (gamma does not depend on P), x <- q / sum q;
//     task 'T': u <- the root of ln sum q(x, tau) = 0 (bracketed as above, falling with tau,
//               started from the last u, first 1.3), x <- q / sum q;
//   damped by a factor halved whenever a step turns back against the one before (an
//   oscillation; down to 1/64) and raised again by a quarter while the steps keep their
//   direction. It stops when no x_i changes by more than kDewFallbackTolerance and (task 'P')
//   sum q is 1 within it. Reported are x = q / sum q (summing to 1) and u (task 'P': u / sum q)
//   with the gamma of the last evaluation, at an x within the tolerance of the reported one:
//   x_i gamma_i Psat_i = P y_i holds with it to rounding.
//
// Every value is checked: a function value that is not finite (NaN from the caller's wrapper)
// is stepped around where a bracket allows and otherwise ends the fallback, which then leaves
// the result failed as the iteration left it.

#include <functional>
#include <span>

#include "core/base/real.h"
#include "core/models/solvers.h"

namespace bubblix {

inline constexpr int kMaxPressurePasses = 4;
inline constexpr int kMaxBracketSteps = 60;
inline constexpr int kMaxRootSteps = 200;
inline constexpr int kMaxDewFallbackIterations = 2000;
inline constexpr Real kDewFallbackTolerance = 1e-11L;

// f(argument) stores the argument as tau or P, evaluates gamma and y there and returns
// sum y - 1, or NaN when a value is not finite.
using BubbleFunction = std::function<Real(Real)>;

// F(v, out): the dew residual at v (n + 1 unknowns), NaN in out where a value is not finite.
using DewFunction = std::function<void(std::span<const Real>, std::span<Real>)>;

// After a failed bubble iteration: the point by the method above for the task. On success
// the result's Status becomes Converged, RootEstimate the root found, and the last
// evaluation of f is at that root; in either case Fallback and FallbackIterations
// (evaluations of f) are set and the rest of the result is left as the iteration left it.
// `start` and `end` are the iteration's start points in tau (task 'T').
void bubbleFallback(bool temperatureTask, Real start, Real end, const BubbleFunction& f,
                    SolveResult& result);

// After a failed dew iteration (or a false solution, see rejectFalseDewSolutions):
// successive substitution as above for the n components of the given vapour y, whose
// residual is F. On success v holds x[0..n-1] and the unknown v[n], the result's Status becomes
// Converged and the last evaluation of F is at v; FallbackIterations counts substitutions.
void dewFallback(bool temperatureTask, int n, const CompositionVector& y, const DewFunction& F,
                 std::span<Real> v, SolveResult& result);

// The Newton iteration stops on the size of its step, which also becomes small where the
// residual is steep rather than small (the Antoine equation below its pole T = -C, about
// -240 degC, gives astronomical vapour pressures). A converged result whose residual at the
// iterate before the last step (SolveResult::LastResidual) exceeds kFalseConvergenceResidual
// (genuine solutions of the database mixtures: at most 2.3e-5), or whose x has a mole
// fraction below -tolerance (Wilson with a negative x can give a negative gamma that
// satisfies the residual), becomes an arithmetic fault of NewtonSolve with the fault
// ResidualNotSmall or NegativeFraction.
inline constexpr Real kFalseConvergenceResidual = 1e-2L;
void rejectFalseDewSolutions(int n, std::span<const Real> v, SolveResult& result);

}  // namespace bubblix
