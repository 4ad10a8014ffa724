#pragma once
// A root of a function of one variable inside a bracket, by Brent's method: inverse quadratic
// interpolation or a secant step where it stays well inside the bracket, bisection otherwise,
// so the bracket always holds a sign change and shrinks at least as fast as bisection does
// every few steps.

#include <cfloat>
#include <cmath>
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
BracketedRootResult BracketedRoot(F&& f, Real a, Real b, Real fa, Real fb, Real xTolerance,
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

}  // namespace bubblix
