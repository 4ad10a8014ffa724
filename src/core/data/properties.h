#pragma once
// Pure-component properties of the mixture's components: vapour pressure and liquid molar
// volume at a temperature, and the component constants loaded for a mixture.
// MolarVolume and SaturationPressure run at every solver iteration and every objective
// evaluation: they read the database tables in place and never allocate.

#include <array>
#include <string>
#include <string_view>

#include "core/data/component_base.h"
#include "core/data/component_groups.h"
#include "core/data/database.h"
#include "core/real.h"

namespace bubblix {

// The mixture's component data, in mixture order (slot 0 is the first component).
struct Mixture {
  std::array<std::string, 4> ComponentNames;  // database names in either language
  std::array<Real, 4> MixAntoineA{};
  std::array<Real, 4> MixAntoineB{};
  std::array<Real, 4> MixAntoineC{};
  std::array<Real, 4> MolarMasses{};  // g/mol
  std::array<Real, 4> r{};            // component volume parameters (GroupSums)
  std::array<Real, 4> q{};            // component area parameters (GroupSums)
  std::array<TComponentGroups, 4> Groups{};  // group records with their pure-component X
  // The database record each name was found in, resolved once when the slot is loaded.
  std::array<const TComponentRecord*, 4> Records{};
};

// Fills mixture slot `slot` (0..3) from the database record named `name` (English or Russian
// name, exact match): the name, the vapour-pressure constants, the molar mass, r, q and the
// group record with its group fractions. Throws DataError for an unknown name.
void LoadComponent(Mixture& mixture, const Database& db, int slot, std::string_view name);

// Liquid molar volume of mixture component `slot` at t degC, dm3/mol.
Real MolarVolume(const Mixture& mixture, int slot, Real t);

// Saturated vapour pressure of mixture component `slot` at reduced temperature tau, Pa.
Real SaturationPressure(const Mixture& mixture, int slot, Real tau);

}  // namespace bubblix
