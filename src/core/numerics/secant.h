#pragma once
// Root finding on a function of one unknown from a first guess: the three-point parabolic
// first estimate and the secant iteration. Every value is checked: a value of f that is not
// finite, a negative value under the root of the parabola, a straight line through its three
// points or a zero secant slope ends the iteration with a fault that names the step.

#include <cmath>

#include "core/base/real.h"
#include "core/numerics/iteration_result.h"

namespace bubblix {

inline constexpr int kMaxSecantPasses = 200;

// Three-point parabolic first estimate of a root of f over [A, B]:
//   d = (B - A) / 2; f_A = f(A), f_M = f(A + d), f_B = f(B), in this order;
//   best point A, replaced by A + d if |f_M| < |f_A|, then by B if |f_B| < |f(best)|;
//   e = f_A / 2 - f_M + f_B / 2,  g = -1.5 f_A + 2 f_M - f_B / 2  (p(t) = f_A + g t + e t^2);
//   t0 = -0.5 g / e,  w = sqrt((g / e)^2 * 0.25 - f_A / e);
//   X1 = A + d (t0 + w), X2 = A + d (t0 - w); estimate = X2 if |X1 - best| >= |X2 - best|,
//   else X1.
// e = 0 (f linear over the three points) and a negative value under the root are faults.
template <class F>
IterationResult ParabolicStart(Real A, Real B, F&& f, Real& estimate);

// Secant iteration from `estimate` with the first step `step`:
//   d = estimate; f_0 = f(d); f_1 = f(d + s); c = d - f_0 / ((f_1 - f_0) / s);
//   estimate = c; s = (c - d) / 2; repeated while |c - d| > tolerance.
// The last evaluation is f(d + s) of the final pass. A zero slope is a fault.
template <class F>
IterationResult SecantSolve(Real& estimate, Real step, Real tolerance, F&& f,
                            int maxPasses = kMaxSecantPasses);

// ---------------------------------------------------------------------------------------
// Template definitions.

template <class F>
IterationResult ParabolicStart(Real A, Real B, F&& f, Real& estimate) {
  using iteration_detail::fault;
  constexpr SolveStep step = SolveStep::ParabolicStart;
  const Real d = (B - A) / 2.0L;
  const Real fA = f(A);
  if (!std::isfinite(fA)) return fault(step, SolveFault::NotFinite);
  const Real fM = f(A + d);
  if (!std::isfinite(fM)) return fault(step, SolveFault::NotFinite);
  const Real fB = f(B);
  if (!std::isfinite(fB)) return fault(step, SolveFault::NotFinite);

  Real best = A;
  Real fBest = fA;
  if (std::fabs(fM) < std::fabs(fA)) {
    best = A + d;
    fBest = fM;
  }
  if (std::fabs(fB) < std::fabs(fBest)) best = B;

  const Real e = fA / 2.0L - fM + fB / 2.0L;
  const Real g = -1.5L * fA + 2.0L * fM - fB / 2.0L;
  if (e == 0.0L) return fault(step, SolveFault::ZeroQuadraticCoefficient);
  const Real t0 = -0.5L * g / e;
  const Real ratio = g / e;
  const Real radicand = ratio * ratio * 0.25L - fA / e;
  if (radicand < 0.0L) return fault(step, SolveFault::NegativeUnderRoot);
  if (!std::isfinite(t0) || !std::isfinite(radicand)) return fault(step, SolveFault::NotFinite);
  const Real w = std::sqrt(radicand);
  const Real X1 = A + d * (t0 + w);
  const Real X2 = A + d * (t0 - w);
  const Real chosen = std::fabs(X1 - best) >= std::fabs(X2 - best) ? X2 : X1;
  if (!std::isfinite(chosen)) return fault(step, SolveFault::NotFinite);

  estimate = chosen;
  IterationResult result;
  result.LastResidual = fB;
  result.RootEstimate = chosen;
  return result;
}

template <class F>
IterationResult SecantSolve(Real& estimate, Real step, Real tolerance, F&& f, int maxPasses) {
  IterationResult result;
  const auto fail = [&result](SolveFault kind) {
    result.Status = SolveStatus::ArithmeticFault;
    result.Step = SolveStep::SecantSolve;
    result.Fault = kind;
    return result;
  };
  Real s = step;
  Real c = estimate;
  for (int pass = 0; pass < maxPasses; ++pass) {
    const Real d = c;
    const Real f0 = f(d);
    if (!std::isfinite(f0)) return fail(SolveFault::NotFinite);
    const Real f1 = f(d + s);
    if (!std::isfinite(f1)) return fail(SolveFault::NotFinite);
    result.LastResidual = f1;
    const Real slope = (f1 - f0) / s;
    if (slope == 0.0L) return fail(SolveFault::ZeroSlope);
    const Real next = d - f0 / slope;
    if (!std::isfinite(next)) return fail(SolveFault::NotFinite);
    c = next;
    s = (c - d) / 2.0L;
    estimate = c;
    result.Iterations = pass + 1;
    result.LastCorrection = std::fabs(c - d);
    result.RootEstimate = c;
    if (!(std::fabs(c - d) > tolerance)) return result;
  }
  result.Status = SolveStatus::NoConvergence;
  result.Step = SolveStep::SecantSolve;
  result.Fault = SolveFault::IterationLimit;
  return result;
}

}  // namespace bubblix
