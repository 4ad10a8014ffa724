#pragma once
// Units used throughout the core:
//   temperature  reduced, tau = T / 273.15 K; t in degC = (tau - 1) * 273.15
//   pressure     Pa; shown in mm Hg with exactly 133.3 Pa per mm Hg (not 133.322)
//   energies     a = Delta / (R * 273.15 K), R = 8.3144 J/(mol K), so a / tau = Delta / (R T);
//                1 kJ/mol is 1 / 2.27107836 reduced units (2.27107836 = 8.3144 * 0.27315)
//   UNIFAC group parameters are shown in K: a * 273.15

#include "core/base/real.h"

namespace bubblix {

inline constexpr Real kZeroCelsiusK = 273.15L;
inline constexpr Real kPaPerMmHg = 133.3L;
inline constexpr Real kKJPerMolPerReducedEnergy = 2.27107836L;

// tau from degC, in the form t / 273.15 + 1 used wherever a Celsius value becomes tau.
inline constexpr Real tauFromCelsius(Real t) {
  return t / kZeroCelsiusK + 1.0L;
}
inline constexpr Real celsiusFromTau(Real tau) {
  return (tau - 1.0L) * kZeroCelsiusK;
}
inline constexpr Real mmHgToPa(Real p) {
  return p * kPaPerMmHg;
}
inline constexpr Real paToMmHg(Real p) {
  return p / kPaPerMmHg;
}
inline constexpr Real reducedFromKJPerMol(Real e) {
  return e / kKJPerMolPerReducedEnergy;
}
inline constexpr Real kJPerMolFromReduced(Real a) {
  return a * 8.3144L * 0.27315L;
}
inline constexpr Real kelvinFromReduced(Real a) {
  return a * kZeroCelsiusK;
}
inline constexpr Real reducedFromKelvin(Real a) {
  return a / kZeroCelsiusK;
}

}  // namespace bubblix
