#pragma once
// Pure-component properties of the mixture's components: vapour pressure and liquid molar
// volume at a temperature, and the component constants loaded for a mixture.
// MolarVolume and SaturationPressure run at every solver iteration and every objective
// evaluation: they read the database tables in place and never allocate.

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "core/base/real.h"
#include "core/data/component_base.h"
#include "core/data/component_groups.h"
#include "core/data/database.h"

namespace bubblix {

// The mixture's component data, in mixture order (slot 0 is the first component).
struct Mixture {
  std::array<std::string, 4> ComponentNames;  // database names in either language
  std::array<Real, 4> MixAntoineA{};
  std::array<Real, 4> MixAntoineB{};
  std::array<Real, 4> MixAntoineC{};
  std::array<Real, 4> MolarMasses{};         // g/mol
  std::array<Real, 4> r{};                   // component volume parameters (GroupSums)
  std::array<Real, 4> q{};                   // component area parameters (GroupSums)
  std::array<TComponentGroups, 4> Groups{};  // group records with their pure-component X
  // The database record each name was found in, resolved once when the slot is loaded.
  std::array<const TComponentRecord*, 4> Records{};
};

// What GetProperty delivers. Record is always the record named. For the key "all": the
// vapour-pressure constants A, B, C (ln P = A - B / (T + C), P in mm Hg, T in K), the molar
// mass M (g/mol) and the record's Groups; X and Y stay empty. For a table key: X (ascending
// abscissae) and Y view the database table in place, one element per row; the constants stay
// 0 and Groups null.
struct PropertyLookup {
  const TComponentRecord* Record = nullptr;
  std::span<const Real> X;
  std::span<const Real> Y;
  Real A = 0;
  Real B = 0;
  Real C = 0;
  Real M = 0;
  const TComponentGroups* Groups = nullptr;
};

// Looks a component up by its English or Russian name (exact, case-sensitive) and delivers
// the data of `key`:
//   "all"        constants and group record
//   "density"    X = Temperature (degC),       Y = Density (kg/m3)
//   "vap_press"  X = PressureTemperature (degC), Y = VapourPressure (mm Hg); empty for
//                components without a vapour-pressure table
//   "enthalp_l"  X = Temperature (degC),       Y = LiquidEnthalpy (kJ/kg)
//   "enthalp_v"  X = Temperature (degC),       Y = VapourEnthalpy (kJ/kg)
//   "enthalp_c"  X = SteamPressure (kgf/cm2),  Y = CondensateEnthalpy (kJ/kg), any component
//   "enthalp_s"  X = SteamPressure (kgf/cm2),  Y = SteamEnthalpy (kJ/kg), any component
// Keys match exactly (case-sensitive). An unknown key throws DataError with the Russian text
// kUnknownPropertyText (in both languages), the key cut to 10 characters; an unknown name
// throws DataError with kUnknownComponentText. The key is checked first.
PropertyLookup GetProperty(const Database& db, std::string_view name, std::string_view key);

// The component's UNIFAC volume parameter r = sum nu_k R_k, area parameter q = sum nu_k Q_k
// and group fractions X_k = nu_k / sum nu_k, over its groups k = 0..Count-1 in order.
// Entries of X from Count on are not written. Throws DataError when Count is not 1..10 or
// the multiplicities sum to zero.
void GroupSums(const TComponentGroups& groups, Real& r, Real& q, std::array<Real, 10>& X);

// Linear interpolation of Y over the ascending abscissae X at x. With i the first row from 1
// on whose abscissa is not below x (the last row when there is none):
//   w = (x - X[i-1]) / (X[i] - X[i-1]),  result = (1 - w) Y[i-1] + w Y[i],
// so an abscissa X[i], i >= 1, gives Y[i] exactly. Outside the table the end interval is
// extended linearly (below X[0] the first interval, above the last abscissa the last one), so
// the result is continuous in x and nothing outside the table is read. A one-row table gives
// its one value; an empty table throws DataError. X and Y are used up to the shorter length.
Real Interpolate(Real x, std::span<const Real> Y, std::span<const Real> X);

// Fills mixture slot `slot` (0..3) from the database record named `name` (English or Russian
// name, exact match): the name, the vapour-pressure constants, the molar mass, r, q and the
// group record with its group fractions (GroupSums). The slot keeps a pointer to the record,
// so `db` must outlive the mixture's use. Throws DataError for an unknown name or a slot
// outside 0..3; the slot is then left as it was.
void loadComponent(Mixture& mixture, const Database& db, int slot, std::string_view name);

// Liquid molar volume of mixture component `slot` at t degC, dm3/mol:
//   MolarMasses[slot] / rho(t), rho interpolated in the record's density table.
// Throws DataError when the slot is not loaded, ArithmeticError when rho(t) is not positive
// (far outside the table) or t is not a number. No allocation, no name search.
Real MolarVolume(const Mixture& mixture, int slot, Real t);

// Saturated vapour pressure of mixture component `slot` at reduced temperature tau, Pa.
// A component whose record has a vapour-pressure table (database records 1 and 2) reads it:
//   P = Interpolate(t) * 133.3,  t = (tau - 1) * 273.15 degC;
// the others use the equation with the slot's constants:
//   P = exp(A - B / (T + C)) * 133.3,  T = 273.15 tau K.
// Throws DataError when the slot is not loaded, ArithmeticError when P is not a positive
// finite number, when T + C <= 0 (at or below the pole of the equation: the message names the
// component and the pole in degC) or when P exceeds kLargestVapourPressure. No allocation, no
// name search.
inline constexpr Real kLargestVapourPressure = 1e30L;  // Pa
Real SaturationPressure(const Mixture& mixture, int slot, Real tau);

}  // namespace bubblix
