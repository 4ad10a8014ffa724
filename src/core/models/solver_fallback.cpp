#include "core/models/solver_fallback.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace bubblix {

namespace {

constexpr Real kNaN = std::numeric_limits<Real>::quiet_NaN();
constexpr Real kEpsilon = std::numeric_limits<Real>::epsilon();
constexpr Real kFirstBracketStep = 0.02L;  // tau units, 5.463 K
constexpr Real kBubbleTemperatureStart = 1.2L;
constexpr Real kBubbleFallbackResidual = 1e-12L;  // |sum y - 1| accepted at the point found
constexpr Real kRootResidual = 1e-16L;            // |fn| that ends a root search at once
constexpr Real kMinDamping = 1.0L / 64.0L;

using Function = std::function<Real(Real)>;

bool negative(Real v) {
  return std::signbit(v);
}

// A root of fn, which rises (rising) or falls with its argument, searched from `guess`
// (which must give a finite value) above `lower`. `evaluations` counts the calls. False when
// no sign change is found.
bool bracketedRoot(const Function& fn, Real guess, bool rising, Real lower, Real& root,
                   int& evaluations) {
  Real a = guess;
  Real fa = fn(a);
  ++evaluations;
  if (!std::isfinite(fa)) return false;
  if (fa == 0.0L) {
    root = a;
    return true;
  }
  // Towards the root if fn is monotonic: up when the value must rise and fn rises with its
  // argument, or must fall and fn falls.
  const Real direction = (negative(fa) == rising) ? 1.0L : -1.0L;
  Real step = kFirstBracketStep;
  Real b = a;
  Real fb = fa;
  bool found = false;
  for (int k = 0; k < kMaxBracketSteps; ++k) {
    b = a + direction * step;
    if (!(b > lower)) b = (a + lower) / 2.0L;
    fb = fn(b);
    ++evaluations;
    if (!std::isfinite(fb)) {
      step /= 4.0L;  // back towards the last finite value
      continue;
    }
    if (fb == 0.0L) {
      root = b;
      return true;
    }
    if (negative(fb) != negative(fa)) {
      found = true;
      break;
    }
    a = b;
    fa = fb;
    step *= 2.0L;
  }
  if (!found) return false;

  // Illinois: regula falsi that halves the kept end's value when the same end stays twice.
  Real lo = a, flo = fa, hi = b, fhi = fb;
  Real best = std::fabs(fa) <= std::fabs(fb) ? a : b;
  Real fBest = std::fmin(std::fabs(fa), std::fabs(fb));
  int kept = 0;  // -1: lo was kept last time, +1: hi was kept
  for (int k = 0; k < kMaxRootSteps; ++k) {
    Real c = (lo * fhi - hi * flo) / (fhi - flo);
    const Real left = std::fmin(lo, hi), right = std::fmax(lo, hi);
    if (!(c > left && c < right)) c = left + (right - left) / 2.0L;
    Real fc = fn(c);
    ++evaluations;
    if (!std::isfinite(fc)) return false;
    if (std::fabs(fc) < fBest) {
      best = c;
      fBest = std::fabs(fc);
    }
    if (fBest <= kRootResidual) break;
    if (negative(fc) == negative(fhi)) {
      hi = c;
      fhi = fc;
      if (kept == -1) flo /= 2.0L;
      kept = -1;
    } else {
      lo = c;
      flo = fc;
      if (kept == 1) fhi /= 2.0L;
      kept = 1;
    }
    if (std::fabs(hi - lo) <= 4.0L * kEpsilon * std::fmax(std::fabs(lo), std::fabs(hi))) break;
  }
  root = best;
  return true;
}

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
  const bool found =
      finiteStart && bracketedRoot(f, guess, /*rising=*/true, 0.0L, root, evaluations);
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

void BubbleFallback(bool temperatureTask, Real start, Real end, const BubbleFunction& f,
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

void DewFallback(bool temperatureTask, int n, const CompositionVector& y, const DewFunction& F,
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
      if (!bracketedRoot(logSum, u, /*rising=*/false, 0.0L, root, evaluations)) return;
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

void RejectFalseDewSolutions(int n, std::span<const Real> v, SolveResult& result) {
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
