#include "core/numerics/student_t.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace bubblix {

namespace {

// The continued fraction of I_x(a, b), valid for x < (a + 1) / (a + b + 2).
Real betaContinuedFraction(Real x, Real a, Real b) {
  constexpr Real kTiny = 1e-300L;
  constexpr Real kEpsilon = 1e-18L;
  const Real qab = a + b;
  const Real qap = a + 1.0L;
  const Real qam = a - 1.0L;
  Real c = 1.0L;
  Real d = 1.0L - qab * x / qap;
  if (std::fabs(d) < kTiny) d = kTiny;
  d = 1.0L / d;
  Real h = d;
  for (int m = 1; m <= 1000; ++m) {
    const Real rm = static_cast<Real>(m);
    const Real m2 = 2.0L * rm;
    Real aa = rm * (b - rm) * x / ((qam + m2) * (a + m2));
    d = 1.0L + aa * d;
    if (std::fabs(d) < kTiny) d = kTiny;
    c = 1.0L + aa / c;
    if (std::fabs(c) < kTiny) c = kTiny;
    d = 1.0L / d;
    h *= d * c;
    aa = -(a + rm) * (qab + rm) * x / ((a + m2) * (qap + m2));
    d = 1.0L + aa * d;
    if (std::fabs(d) < kTiny) d = kTiny;
    c = 1.0L + aa / c;
    if (std::fabs(c) < kTiny) c = kTiny;
    d = 1.0L / d;
    const Real step = d * c;
    h *= step;
    if (std::fabs(step - 1.0L) < kEpsilon) break;
  }
  return h;
}

}  // namespace

Real regularisedIncompleteBeta(Real x, Real a, Real b) {
  if (x <= 0.0L) return 0.0L;
  if (x >= 1.0L) return 1.0L;
  const Real logFront =
      std::lgamma(a + b) - std::lgamma(a) - std::lgamma(b) + a * std::log(x) + b * std::log1p(-x);
  const Real front = std::exp(logFront);
  if (x < (a + 1.0L) / (a + b + 2.0L)) return front * betaContinuedFraction(x, a, b) / a;
  return 1.0L - front * betaContinuedFraction(1.0L - x, b, a) / b;
}

Real studentTDistribution(Real t, int nu) {
  const Real v = static_cast<Real>(nu);
  const Real tail = 0.5L * regularisedIncompleteBeta(v / (v + t * t), 0.5L * v, 0.5L);
  return t >= 0.0L ? 1.0L - tail : tail;
}

Real studentTQuantile(Real p, int nu) {
  if (nu < 1 || !(p >= 0.5L) || !(p < 1.0L)) {
    throw std::invalid_argument("studentTQuantile: p " + std::to_string(static_cast<double>(p)) +
                                ", nu " + std::to_string(nu));
  }
  Real lo = 0.0L;
  Real hi = 1.0L;
  while (studentTDistribution(hi, nu) < p)
    hi *= 2.0L;
  for (int k = 0; k < 200 && hi - lo > 1e-15L * hi; ++k) {
    const Real mid = 0.5L * (lo + hi);
    if (studentTDistribution(mid, nu) < p) {
      lo = mid;
    } else {
      hi = mid;
    }
  }
  return 0.5L * (lo + hi);
}

}  // namespace bubblix
