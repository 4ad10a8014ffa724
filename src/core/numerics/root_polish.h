#pragma once
// Newton steps that finish a root of a function of one unknown from an estimate that is
// already close (an iteration's root estimate): the derivative is a forward difference over
// kPolishStep * u, so each step gains about eight digits and two or three reach the last bits.
// A step that is not finite, not small (beyond kPolishLimit * u: the polish is no new search)
// or that f refuses with an ArithmeticError ends the polish, and the last u is returned.

#include <cfloat>
#include <cmath>

#include "core/base/errors.h"
#include "core/base/real.h"

namespace bubblix {

inline constexpr int kPolishSteps = 4;
inline constexpr Real kPolishStep = 1e-8L;   // relative
inline constexpr Real kPolishLimit = 1e-6L;  // relative

template <class F>
Real polishedRoot(F&& f, Real u) {
  for (int i = 0; i < kPolishSteps; ++i) {
    Real f0;
    Real f1;
    const Real delta = kPolishStep * u;
    try {
      f0 = f(u);
      if (f0 == 0.0L) break;
      f1 = f(u + delta);
    } catch (const ArithmeticError&) {
      break;
    }
    const Real step = f0 * delta / (f1 - f0);
    if (!std::isfinite(step) || std::fabs(step) > kPolishLimit * u) break;
    const Real next = u - step;
    const bool done = std::fabs(step) <= 4.0L * LDBL_EPSILON * u;
    u = next;
    if (done) break;
  }
  return u;
}

}  // namespace bubblix
