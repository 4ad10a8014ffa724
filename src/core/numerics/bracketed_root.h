#pragma once
// Roots of a function of one variable where a sign change brackets them:
//   bracketedRoot       Brent's method inside a given bracket: inverse quadratic
//                       interpolation or a secant step where it stays well inside the
//                       bracket, bisection otherwise, so the bracket always holds a sign
//                       change and shrinks at least as fast as bisection does every few steps;
//   steppedBracketRoot  a bracket found by growing steps from a guess, then narrowed by the
//                       Illinois form of regula falsi;
//   bisectRoot          plain bisection of a given bracket.

#include <cfloat>
#include <cmath>
#include <limits>
#include <optional>

#include "core/base/real.h"

namespace bubblix {

struct BracketedRootResult {
  Real x = 0;              // the end of the final bracket with the smaller |f|
  Real fx = 0;             // f(x)
  bool converged = false;  // the bracket is within the tolerance or f(x) = 0
  int evaluations = 0;     // calls of f
};

// f(x) returns std::optional<Real>; an evaluation that fails (nullopt or a value that is not
// finite) ends the search with the best point so far and converged false. fa = f(a) and
// fb = f(b) must have opposite signs (or one be zero). The search stops when the bracket is
// narrower than 2 (eps |x| + xTolerance / 2) or after maxEvaluations calls.
template <class F>
BracketedRootResult bracketedRoot(F&& f, Real a, Real b, Real fa, Real fb, Real xTolerance,
                                  int maxEvaluations = 100) {
  BracketedRootResult result;
  if (fa == 0.0L) {
    result = {a, fa, true, 0};
    return result;
  }
  Real c = a;
  Real fc = fa;
  Real d = b - a;
  Real e = d;
  for (;;) {
    if ((fb > 0.0L && fc > 0.0L) || (fb < 0.0L && fc < 0.0L)) {
      c = a;
      fc = fa;
      d = b - a;
      e = d;
    }
    if (std::fabs(fc) < std::fabs(fb)) {
      a = b;
      b = c;
      c = a;
      fa = fb;
      fb = fc;
      fc = fa;
    }
    const Real tol = 2.0L * LDBL_EPSILON * std::fabs(b) + 0.5L * xTolerance;
    const Real xm = 0.5L * (c - b);
    result.x = b;
    result.fx = fb;
    if (std::fabs(xm) <= tol || fb == 0.0L) {
      result.converged = true;
      return result;
    }
    if (result.evaluations >= maxEvaluations) return result;
    if (std::fabs(e) >= tol && std::fabs(fa) > std::fabs(fb)) {
      const Real s = fb / fa;
      Real p;
      Real q;
      if (a == c) {
        p = 2.0L * xm * s;
        q = 1.0L - s;
      } else {
        const Real qa = fa / fc;
        const Real r = fb / fc;
        p = s * (2.0L * xm * qa * (qa - r) - (b - a) * (r - 1.0L));
        q = (qa - 1.0L) * (r - 1.0L) * (s - 1.0L);
      }
      if (p > 0.0L) q = -q;
      p = std::fabs(p);
      const Real bound1 = 3.0L * xm * q - std::fabs(tol * q);
      const Real bound2 = std::fabs(e * q);
      if (2.0L * p < (bound1 < bound2 ? bound1 : bound2)) {
        e = d;
        d = p / q;
      } else {
        d = xm;
        e = d;
      }
    } else {
      d = xm;
      e = d;
    }
    a = b;
    fa = fb;
    b += std::fabs(d) > tol ? d : (xm > 0.0L ? tol : -tol);
    const std::optional<Real> value = f(b);
    ++result.evaluations;
    if (!value || !std::isfinite(*value)) return result;  // x, fx: the previous best point
    fb = *value;
  }
}

// How steppedBracketRoot looks for a sign change and narrows it.
struct BracketSteps {
  Real FirstStep = 0;       // the first step from the guess; each further one doubles
  int MaxBracketSteps = 0;  // steps looking for a sign change
  int MaxRootSteps = 0;     // regula falsi steps narrowing it
  Real RootResidual = 0;    // |fn| that ends the narrowing at once
};

// A root of fn, which rises (rising) or falls with its argument, searched from `guess`
// (which must give a finite value) above `lower`. Steps of FirstStep * 2^k go in the
// direction that brings fn towards 0 (a step that would not stay above `lower` goes halfway
// to it; a step into values that are not finite is retried at a quarter of its length) until
// fn changes sign; then the Illinois form of regula falsi (the kept end's value halved when
// the same end stays twice) narrows the bracket until |fn| <= RootResidual or its width is a
// few units in the last place. `root` receives the point of smallest |fn| met while
// narrowing; `evaluations` counts the calls of fn. False when no sign change is found or a
// value inside the bracket is not finite.
template <class F>
bool steppedBracketRoot(F&& fn, Real guess, bool rising, Real lower, const BracketSteps& steps,
                        Real& root, int& evaluations) {
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
  const Real direction = (std::signbit(fa) == rising) ? 1.0L : -1.0L;
  Real step = steps.FirstStep;
  Real b = a;
  Real fb = fa;
  bool found = false;
  for (int k = 0; k < steps.MaxBracketSteps; ++k) {
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
    if (std::signbit(fb) != std::signbit(fa)) {
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
  for (int k = 0; k < steps.MaxRootSteps; ++k) {
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
    if (fBest <= steps.RootResidual) break;
    if (std::signbit(fc) == std::signbit(fhi)) {
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
    if (std::fabs(hi - lo) <=
        4.0L * std::numeric_limits<Real>::epsilon() * std::fmax(std::fabs(lo), std::fabs(hi)))
      break;
  }
  root = best;
  return true;
}

// Bisection of [low, high], g(low) < 0 < g(high): the midpoint takes the place of the end
// whose sign it shares, until the two ends are neighbouring reals, a value of g is not
// finite, or after maxSteps halvings. Returns the midpoint of the final bracket.
template <class G>
Real bisectRoot(G&& g, Real low, Real high, int maxSteps = 200) {
  for (int i = 0; i < maxSteps && high - low > 0.0L; ++i) {
    const Real mid = low + (high - low) / 2.0L;
    if (mid <= low || mid >= high) break;
    const Real gm = g(mid);
    if (!std::isfinite(gm)) break;
    (gm < 0.0L ? low : high) = mid;
  }
  return low + (high - low) / 2.0L;
}

}  // namespace bubblix
