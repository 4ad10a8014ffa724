#pragma once
// Small vector types shared by the activity-coefficient models and the solvers.
// Index 0 is the first component (or the first group).

#include <array>
#include <cstdint>

#include "core/base/real.h"
#include "core/base/units.h"
#include "core/data/component_groups.h"
#include "core/data/properties.h"

namespace bubblix {

// One value per mixture component (molar volumes in dm3/mol, vapour pressures in Pa).
using ComponentValues = std::array<Real, 4>;

// One value per mixture group (UNIFAC group fractions, group area parameters).
using GroupVector = std::array<Real, 10>;

// Main-group numbers or subgroup letters of the mixture groups.
using GroupIds = std::array<std::uint8_t, 10>;

// The group records of the mixture's components, in mixture order.
using ComponentGroupTable = std::array<TComponentGroups, 4>;

// Liquid molar volumes of the first n components at reduced temperature tau (t = (tau - 1) *
// 273.15 degC), dm3/mol; each looked up once.
inline ComponentValues molarVolumesAt(const Mixture& mixture, int n, Real tau) {
  ComponentValues V{};
  const Real t = celsiusFromTau(tau);
  for (int i = 0; i < n; ++i)
    V[i] = MolarVolume(mixture, i, t);
  return V;
}

// Saturated vapour pressures of the first n components at reduced temperature tau, Pa.
inline ComponentValues saturationPressuresAt(const Mixture& mixture, int n, Real tau) {
  ComponentValues Psat{};
  for (int i = 0; i < n; ++i)
    Psat[i] = SaturationPressure(mixture, i, tau);
  return Psat;
}

}  // namespace bubblix
