#pragma once
// Equilibrium data generated from the NRTL or Wilson model with known parameters, for the tests
// that fit them back: every point is the bubble point of its x1 at P, found by bisection on the
// temperature to the last bits, so the data are free of noise (y1 = x1 gamma1 P1 / P exactly
// as the fit's objective writes it).

#include <algorithm>
#include <cmath>
#include <span>
#include <string>

#include "core/base/units.h"
#include "core/data/database.h"
#include "core/data/mixture_loading.h"
#include "core/models/nrtl.h"
#include "core/models/wilson.h"

namespace bubblix::test {

struct GeneratingPair {
  Real a12 = 0;  // reduced energies, as the fit's parameters
  Real a21 = 0;
  Real alpha = 0.3L;
  bool wilson = false;  // the Wilson model with a12, a21 instead (alpha unused)
};

// sum x gamma Psat - P at tau, and y1.
inline Real bubbleExcess(const Mixture& m, const GeneratingPair& p, Real x1, Real P, Real tau,
                         Real& y1) {
  Matrix4 a{};
  Matrix4 alpha{};
  a[0][1] = p.a12;
  a[1][0] = p.a21;
  alpha[0][1] = alpha[1][0] = p.alpha;
  CompositionVector x{x1, 1.0L - x1};
  CompositionVector gamma{};
  if (p.wilson) {
    WilsonGamma(m, 2, x, a, gamma, tau);
  } else {
    NRTLGamma(m, 2, x, a, gamma, alpha, tau);
  }
  const Real p1 = x1 * gamma[0] * SaturationPressure(m, 0, tau);
  const Real p2 = (1.0L - x1) * gamma[1] * SaturationPressure(m, 1, tau);
  y1 = p1 / P;
  return p1 + p2 - P;
}

// The points of the pair (a, b) at pressure P (Pa) and the liquid fractions xs of a.
inline LoadedDataSet generatedSet(const Database& db, int a, int b, const GeneratingPair& pair,
                                  Real P, std::span<const Real> xs) {
  const std::uint16_t numbers[2] = {static_cast<std::uint16_t>(a), static_cast<std::uint16_t>(b)};
  const Mixture m = loadMixture(db, numbers, Language::English);
  LoadedDataSet set;
  set.FileName = "generated";
  set.Components = {a, b};
  for (const Real x1 : xs) {
    Real low = tauFromCelsius(-20.0L);
    Real high = tauFromCelsius(250.0L);
    Real y1 = 0;
    for (int k = 0; k < 200 && high - low > 0; ++k) {
      const Real mid = 0.5L * (low + high);
      if (mid == low || mid == high) break;
      (bubbleExcess(m, pair, x1, P, mid, y1) > 0 ? high : low) = mid;
    }
    bubbleExcess(m, pair, x1, P, high, y1);
    set.t.push_back(celsiusFromTau(high));
    set.P.push_back(P);
    set.x.push_back(x1);
    set.y.push_back(std::min(std::max(y1, 0.0L), 1.0L));  // the pure ends round to 1 +- 1 ulp
    set.Lines.push_back(static_cast<int>(set.Lines.size()) + 1);
  }
  return set;
}

}  // namespace bubblix::test
