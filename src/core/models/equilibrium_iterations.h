#pragma once
// The bubble and dew problems solved by the iterations of numerics/ with the checks, the
// failure texts and the fallbacks of the solvers (solvers.h); shared by the free solver and
// the model objects, which differ only in how they evaluate the model.

#include <array>
#include <cmath>
#include <limits>
#include <span>

#include "core/base/errors.h"
#include "core/base/real.h"
#include "core/base/units.h"
#include "core/models/model_types.h"
#include "core/models/solve_result.h"
#include "core/models/solver_fallback.h"
#include "core/models/solver_messages.h"
#include "core/models/solvers.h"
#include "core/numerics/newton.h"
#include "core/numerics/secant.h"

namespace bubblix::solver_detail {

inline constexpr Real kNaN = std::numeric_limits<Real>::quiet_NaN();

// The caller's variables, copied on entry and copied back only when the solution converged.
struct Variables {
  Real tau;
  Real P;
  CompositionVector x;
  CompositionVector gamma;
  CompositionVector y;
};

inline bool finiteGamma(const CompositionVector& gamma, int n) {
  for (int i = 0; i < n; ++i) {
    if (!std::isfinite(gamma[i])) return false;
  }
  return true;
}

// After the secant's stopping test: f at the root estimate c, and while |sum y - 1| there is
// above `tolerance` (kBubbleSumTolerance unless a caller asks for less), further secant passes
// from it (the first step half the last correction, every step at least kFinishStep
// relative), all within the secant's pass limit. On success the last evaluation of f is at the
// reported root c = RootEstimate. A value that is not finite is a fault of SecantSolve, the
// pass limit a no-convergence: the fallback then finishes the root.
template <class F>
void finishBubbleRoot(F& f, SolveResult& result, Real tolerance = kBubbleSumTolerance) {
  Real c = result.RootEstimate;
  Real fc = f(c);
  Real s = std::fmax(result.LastCorrection / 2.0L, kFinishStep * std::fabs(c));
  const auto fail = [&](SolveStatus status, SolveFault fault) {
    result.Status = status;
    result.Step = SolveStep::SecantSolve;
    result.Fault = fault;
    result.RootEstimate = c;
  };
  while (true) {
    if (!std::isfinite(fc)) return fail(SolveStatus::ArithmeticFault, SolveFault::NotFinite);
    result.LastResidual = fc;
    if (std::fabs(fc) <= tolerance) break;
    if (result.Iterations >= kMaxSecantPasses)
      return fail(SolveStatus::NoConvergence, SolveFault::IterationLimit);
    const Real f1 = f(c + s);
    if (!std::isfinite(f1)) return fail(SolveStatus::ArithmeticFault, SolveFault::NotFinite);
    const Real slope = (f1 - fc) / s;
    if (slope == 0.0L) return fail(SolveStatus::ArithmeticFault, SolveFault::ZeroSlope);
    const Real next = c - fc / slope;
    if (!std::isfinite(next)) return fail(SolveStatus::ArithmeticFault, SolveFault::NotFinite);
    s = std::fmax(std::fabs(next - c) / 2.0L, kFinishStep * std::fabs(next));
    result.LastCorrection = std::fabs(next - c);
    c = next;
    ++result.Iterations;
    ++result.FinishPasses;
    fc = f(c);
  }
  result.RootEstimate = c;
}

// The Newton solution v of the dew problem for the vapour y is finished when F at v, 1 - sum x
// and every x_i - q_i with q_i = P y_i / (Psat_i gamma_i), lie within kDewRelativeTolerance of
// 1 and of the larger of x_i and q_i, or of kSolverTolerance * q_i / y_i where both are smaller
// (kSolverTolerance for y_i = 0).
// That is the relation x_i gamma_i Psat_i = y_i P relative to its larger side, or to
// kSolverTolerance * P (a component all but absent from both phases).
inline bool dewFinished(int n, std::span<const Real> v, const CompositionVector& y,
                        std::span<const Real> F) {
  for (int i = 0; i <= n; ++i) {
    if (!std::isfinite(F[i])) return false;
  }
  if (!(std::fabs(F[n]) <= kDewRelativeTolerance)) return false;
  for (int i = 0; i < n; ++i) {
    const Real q = v[i] - F[i];
    // y_i = 0: x_i itself must vanish, to kDewRelativeTolerance * kSolverTolerance.
    const Real floor = y[i] > 0.0L ? kSolverTolerance * std::fabs(q) / y[i] : kSolverTolerance;
    const Real scale = std::fmax(std::fmax(std::fabs(v[i]), std::fabs(q)), floor);
    if (!(std::fabs(F[i]) <= kDewRelativeTolerance * scale)) return false;
  }
  return true;
}

// `evaluate` computes gamma, y and sum y - 1 at vars.tau, vars.P from vars.x and returns the
// sum. A property look-up out of its range (ArithmeticError) counts as a value that is not
// finite.
template <class Evaluate>
SolveResult solveBubble(bool temperatureTask, Real A, Real B, int n, Variables& vars,
                        Evaluate&& evaluate) {
  Real& unknown = temperatureTask ? vars.tau : vars.P;
  const Real givenTau = vars.tau;
  const Real givenP = vars.P;
  Real lastArgument = 0.0L;
  const auto f = [&](Real argument) -> Real {
    unknown = argument;
    lastArgument = argument;
    try {
      const Real sum = evaluate();
      return finiteGamma(vars.gamma, n) ? sum : kNaN;
    } catch (const ArithmeticError&) {
      return kNaN;
    }
  };
  const Real start = temperatureTask ? A : mmHgToPa(A);
  const Real end = temperatureTask ? B : mmHgToPa(B);
  Real estimate = 0.0L;
  SolveResult result = ParabolicStart(start, end, f, estimate);
  if (result.converged()) {
    result = SecantSolve(estimate, temperatureTask ? kSecantStepTemperature : kSecantStepPressure,
                         kSolverTolerance, f);
  }
  if (result.converged()) finishBubbleRoot(f, result);
  describeBubbleFailure(result, temperatureTask, givenTau, givenP, vars.x, n, lastArgument, start,
                        end);
  if (result.failed()) {
    // The bracketed search from the root estimate when the passes ran out near it, else from
    // the start points.
    const bool nearRoot = result.Fault == SolveFault::IterationLimit &&
                          std::isfinite(result.RootEstimate) && result.RootEstimate > 0.0L;
    bubbleFallback(temperatureTask, nearRoot ? result.RootEstimate : start, nearRoot ? start : end,
                   f, result);
  }
  return result;
}

// The bubble problem from a start close to its root, as the root of a neighbouring problem
// (a fit whose parameters change little from one evaluation to the next): no parabolic
// estimate and no first secant; the finishing passes of finishBubbleRoot run from `start`
// with the first step `step` until |sum y - 1| <= `tolerance` (at most kBubbleSumTolerance;
// a fit asks for the last bits, so that its difference quotients are smooth), and when they
// fail the fallback takes over from `start`. On success the last evaluation of `evaluate` is
// at the root reported, as for solveBubble. No failure text is written (the caller decides).
template <class Evaluate>
SolveResult solveBubbleFrom(bool temperatureTask, Real start, Real step, Real tolerance, int n,
                            Variables& vars, Evaluate&& evaluate) {
  Real& unknown = temperatureTask ? vars.tau : vars.P;
  const auto f = [&](Real argument) -> Real {
    unknown = argument;
    try {
      const Real sum = evaluate();
      return finiteGamma(vars.gamma, n) ? sum : kNaN;
    } catch (const ArithmeticError&) {
      return kNaN;
    }
  };
  SolveResult result;
  result.RootEstimate = start;
  result.LastCorrection = 2.0L * step;
  finishBubbleRoot(f, result, std::fmin(tolerance, kBubbleSumTolerance));
  if (result.failed()) bubbleFallback(temperatureTask, start, start, f, result);
  return result;
}

// After the Newton iteration's stopping test: F at the solution v, and while dewFinished
// does not hold there, further Newton steps from v with the Jacobian over increments of the
// solver tolerance, all within the iteration limit. On success the last evaluation of F, and
// so gamma, is at the reported v. A step that fails ends as the iteration would have, the
// limit as a no-convergence: the fallback then takes over.
template <class Residual>
void finishDewSolution(int n, std::span<Real> v, const CompositionVector& y, Residual& F,
                       const YesNoQuestion& onInversionError, SolveResult& result) {
  std::array<Real, 5> out{};
  const std::span<Real> residual(out.data(), static_cast<std::size_t>(n) + 1);
  while (true) {
    F(std::span<const Real>(v), residual);
    if (dewFinished(n, v, y, residual)) return;
    if (result.Iterations >= kMaxNewtonIterations) {
      result.Status = SolveStatus::NoConvergence;
      result.Step = SolveStep::NewtonSolve;
      result.Fault = SolveFault::IterationLimit;
      return;
    }
    const IterationResult step =
        NewtonSolve(n + 1, v, F, kSolverTolerance, onInversionError, 1, kSolverTolerance);
    ++result.Iterations;
    ++result.FinishPasses;
    if (step.Status == SolveStatus::ArithmeticFault) {
      const int iterations = result.Iterations;
      const int finish = result.FinishPasses;
      result = step;
      result.Iterations = iterations;
      result.FinishPasses = finish;
      return;
    }
    result.LastCorrection = step.LastCorrection;
    result.LastResidual = step.LastResidual;
  }
}

// `residual(v, F, gamma)` evaluates the dew residual at v (n + 1 unknowns).
template <class Residual>
SolveResult solveDew(bool temperatureTask, int n, Variables& vars, Residual&& residual,
                     const YesNoQuestion& onInversionError) {
  std::array<Real, 5> v{};
  for (int i = 0; i < n; ++i)
    v[i] = vars.y[i];
  v[n] = temperatureTask ? kDewStartTau : kDewStartPressure;
  const auto F = [&](std::span<const Real> point, std::span<Real> out) {
    try {
      residual(point, out, vars.gamma);
      if (!finiteGamma(vars.gamma, n)) out[n] = kNaN;
    } catch (const ArithmeticError&) {
      for (Real& value : out)
        value = kNaN;
    }
  };
  const std::span<Real> unknowns(v.data(), static_cast<std::size_t>(n) + 1);
  SolveResult result = NewtonSolve(n + 1, unknowns, F, kSolverTolerance, onInversionError);
  rejectFalseDewSolutions(n, unknowns, result);
  if (result.converged()) finishDewSolution(n, unknowns, vars.y, F, onInversionError, result);
  describeDewFailure(result, temperatureTask, vars.tau, vars.P, vars.y, n, unknowns);
  if (result.failed()) dewFallback(temperatureTask, n, vars.y, F, unknowns, result);
  if (result.converged()) {
    for (int i = 0; i <= n; ++i)
      vars.x[i] = v[i];
    (temperatureTask ? vars.tau : vars.P) = v[n];
  }
  return result;
}

inline void copyBack(const Variables& vars, Real& tau, Real& P, CompositionVector& x,
                     CompositionVector& gamma, CompositionVector& y) {
  tau = vars.tau;
  P = vars.P;
  x = vars.x;
  gamma = vars.gamma;
  y = vars.y;
}

inline SolveResult unchangedResult() {
  SolveResult result;
  result.Status = SolveStatus::Unchanged;
  return result;
}

}  // namespace bubblix::solver_detail
