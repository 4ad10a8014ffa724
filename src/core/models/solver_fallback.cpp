#include "core/models/solver_fallback.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "core/numerics/bracketed_root.h"

namespace bubblix {

namespace {

constexpr Real kNaN = std::numeric_limits<Real>::quiet_NaN();
constexpr Real kFirstBracketStep = 0.02L;  // tau units, 5.463 K
constexpr Real kBubbleTemperatureStart = 1.2L;
constexpr Real kBubbleFallbackResidual = 1e-12L;  // |sum y - 1| accepted at the point found
constexpr Real kRootResidual = 1e-16L;            // |fn| that ends a root search at once
constexpr BracketSteps kBracketSteps{kFirstBracketStep, kMaxBracketSteps, kMaxRootSteps,
                                     kRootResidual};
constexpr Real kMinDamping = 1.0L / 64.0L;

using Function = std::function<Real(Real)>;

void bubblePressure(const BubbleFunction& f, SolveResult& result) {
  // S / 1 Pa - 1, so S = f(1) + 1; then P = S, repeated while P changes.
  Real sum = f(1.0L);
  ++result.FallbackIterations;
  if (!std::isfinite(sum)) return;
  Real P = 1.0L;
  for (int pass = 0; pass < kMaxPressurePasses; ++pass) {
    const Real next = P * (sum + 1.0L);
    if (!std::isfinite(next) || !(next > 0.0L)) return;
    P = next;
    sum = f(P);
    ++result.FallbackIterations;
    if (!std::isfinite(sum)) return;
    if (std::fabs(sum) <= kBubbleFallbackResidual && P * (sum + 1.0L) == P) break;
  }
  if (std::fabs(sum) <= kBubbleFallbackResidual) {
    result.Status = SolveStatus::Converged;
    result.RootEstimate = P;
  }
}

void bubbleTemperature(Real start, Real end, const BubbleFunction& f, SolveResult& result) {
  int evaluations = 0;
  Real guess = 0.0L;
  bool finiteStart = false;
  for (Real candidate : {start, end, kBubbleTemperatureStart}) {
    if (!(candidate > 0.0L) || !std::isfinite(candidate)) continue;
    ++evaluations;
    if (std::isfinite(f(candidate))) {
      guess = candidate;
      finiteStart = true;
      break;
    }
  }
  Real root = 0.0L;
  const bool found = finiteStart && steppedBracketRoot(f, guess, /*rising=*/true, 0.0L,
                                                       kBracketSteps, root, evaluations);
  result.FallbackIterations = evaluations;
  if (!found) return;
  const Real sum = f(root);  // the point reported
  ++result.FallbackIterations;
  if (std::isfinite(sum) && std::fabs(sum) <= kBubbleFallbackResidual) {
    result.Status = SolveStatus::Converged;
    result.RootEstimate = root;
  }
}

}  // namespace

void bubbleFallback(bool temperatureTask, Real start, Real end, const BubbleFunction& f,
                    SolveResult& result) {
  result.FallbackIterations = 0;
  if (temperatureTask) {
    result.Fallback = SolveFallback::BubbleTemperature;
    bubbleTemperature(start, end, f, result);
  } else {
    result.Fallback = SolveFallback::BubblePressure;
    bubblePressure(f, result);
  }
}

void dewFallback(bool temperatureTask, int n, const CompositionVector& y, const DewFunction& F,
                 std::span<Real> v, SolveResult& result) {
  result.Fallback = SolveFallback::DewPoint;
  result.FallbackIterations = 0;
  const auto N = static_cast<std::size_t>(n) + 1;
  std::array<Real, 5> point{};  // (x, u) where F is evaluated
  std::array<Real, 5> out{};
  std::array<Real, 4> q{};
  const std::span<const Real> at(point.data(), N);
  const std::span<Real> residual(out.data(), N);

  // sum q at (x, u), with q; NaN when a value is not finite.
  const auto substitute = [&](Real u) -> Real {
    point[static_cast<std::size_t>(n)] = u;
    F(at, residual);
    Real sum = 0.0L;
    for (int i = 0; i < n; ++i) {
      q[i] = point[i] - out[i];
      sum += q[i];
    }
    return std::isfinite(sum) && std::isfinite(out[n]) && sum > 0.0L ? sum : kNaN;
  };

  Real ySum = 0.0L;
  for (int i = 0; i < n; ++i)
    ySum += y[i];
  if (!(ySum > 0.0L)) return;
  for (int i = 0; i < n; ++i)
    point[i] = y[i] / ySum;
  Real u = temperatureTask ? kDewStartTau : kDewStartPressure;
  Real damping = 1.0L;
  std::array<Real, 4> step{};
  std::array<Real, 4> lastStep{};
  int evaluations = 0;
  const Function logSum = [&](Real tau) { return std::log(substitute(tau)); };

  for (int iteration = 0; iteration < kMaxDewFallbackIterations; ++iteration) {
    result.FallbackIterations = iteration + 1;
    if (temperatureTask) {
      Real root = u;
      if (!steppedBracketRoot(logSum, u, /*rising=*/false, 0.0L, kBracketSteps, root,
                              evaluations)) {
        return;
      }
      u = root;
    }
    const Real sum = substitute(u);
    if (!std::isfinite(sum)) return;
    Real change = 0.0L;
    for (int i = 0; i < n; ++i)
      change = std::fmax(change, std::fabs(q[i] / sum - point[i]));
    if (change <= kDewFallbackTolerance &&
        (temperatureTask || std::fabs(sum - 1.0L) <= kDewFallbackTolerance)) {
      // Report the substituted liquid: x_i gamma_i Psat_i = P y_i holds with the gamma of
      // this evaluation, and x sums to 1.
      const Real reported = temperatureTask ? u : u / sum;
      for (int i = 0; i < n; ++i)
        v[i] = q[i] / sum;
      v[n] = reported;
      result.Status = SolveStatus::Converged;
      return;
    }
    if (!temperatureTask) u /= sum;
    // Damped while the substitution turns back on itself (an oscillation), freed again while
    // it keeps its direction.
    Real turn = 0.0L;
    for (int i = 0; i < n; ++i) {
      step[i] = q[i] / sum - point[i];
      turn += step[i] * lastStep[i];
    }
    damping =
        turn < 0.0L ? std::fmax(damping / 2.0L, kMinDamping) : std::fmin(1.0L, damping * 1.25L);
    lastStep = step;
    Real total = 0.0L;
    for (int i = 0; i < n; ++i) {
      point[i] += damping * step[i];
      total += point[i];
    }
    for (int i = 0; i < n; ++i)
      point[i] /= total;
  }
}

void rejectFalseDewSolutions(int n, std::span<const Real> v, SolveResult& result) {
  if (!result.converged()) return;
  const auto reject = [&result](SolveFault fault) {
    result.Status = SolveStatus::ArithmeticFault;
    result.Step = SolveStep::NewtonSolve;
    result.Fault = fault;
  };
  if (!(result.LastResidual <= kFalseConvergenceResidual)) {
    reject(SolveFault::ResidualNotSmall);
    return;
  }
  for (int i = 0; i < n; ++i) {
    if (v[i] < -kSolverTolerance) {
      reject(SolveFault::NegativeFraction);
      return;
    }
  }
}

}  // namespace bubblix
