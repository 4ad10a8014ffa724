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
  if (result.converged() && !(std::fabs(result.LastResidual) <= kReportedSumTolerance)) {
    const Real atRoot = f(result.RootEstimate);
    if (std::isfinite(atRoot)) {
      result.LastResidual = atRoot;
      result.ReportedAtRoot = true;
    } else {
      result.Status = SolveStatus::ArithmeticFault;
      result.Step = SolveStep::SecantSolve;
      result.Fault = SolveFault::NotFinite;
    }
  }
  describeBubbleFailure(result, temperatureTask, givenTau, givenP, vars.x, n, lastArgument, start,
                        end);
  if (result.failed()) bubbleFallback(temperatureTask, start, end, f, result);
  return result;
}

// The Newton iteration leaves gamma of its last evaluation, a perturbed point of the final
// Jacobian. Where x_i gamma_i Psat_i = y_i P is off with it by more than kDewRelationTolerance
// (relative, for the fractions above the solver tolerance), gamma is taken at the solution
// itself: F_i = x_i - P y_i / (Psat_i gamma_i) there gives P y_i / Psat_i = gamma_i (x_i - F_i).
template <class Residual>
void reportGammaAtSolution(int n, std::span<const Real> v, Residual&& F, CompositionVector& gamma,
                           SolveResult& result) {
  const CompositionVector returned = gamma;
  std::array<Real, 5> out{};
  F(v, std::span<Real>(out.data(), static_cast<std::size_t>(n) + 1));  // gamma at v
  bool finite = true;
  Real worst = 0.0L;
  for (int i = 0; i <= n; ++i)
    finite = finite && std::isfinite(out[i]);
  for (int i = 0; finite && i < n; ++i) {
    const Real q = v[i] - out[i];
    if (!(v[i] > kSolverTolerance && q > kSolverTolerance)) continue;
    worst = std::fmax(worst, std::fabs(v[i] * returned[i] / (gamma[i] * q) - 1.0L));
  }
  if (!finite || worst <= kDewRelationTolerance) {
    gamma = returned;
    return;
  }
  result.GammaAtSolution = true;
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
  if (result.converged()) reportGammaAtSolution(n, unknowns, F, vars.gamma, result);
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
