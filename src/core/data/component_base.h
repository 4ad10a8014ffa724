#pragma once
// The built-in database of four pure components and the heating-steam tables.
// Temperatures in degC, vapour pressures in mm Hg (after the build-time conversions),
// densities in kg/m3, molar masses in g/mol. Tables are indexed from 0.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/base/real.h"
#include "core/data/component_groups.h"

namespace bubblix {

struct TComponentRecord {
  std::string EnglishName;  // at most 20 characters
  std::string RussianName;  // at most 20 characters (UTF-8 here)
  TComponentGroups Groups;
  std::uint16_t PropertyRows = 0;
  std::uint16_t PressureRows = 0;          // 0 when the component has no vapour-pressure table
  std::vector<Real> LiquidEnthalpy;        // kJ/kg
  std::vector<Real> VapourEnthalpy;        // kJ/kg
  std::vector<Real> Density;               // kg/m3
  std::vector<Real> Viscosity;             // Pa s
  std::vector<Real> SurfaceTension;        // N/m
  std::vector<Real> ExpansionCoefficient;  // 1/K
  std::vector<Real> HeatCapacity;          // J/(kg K)
  std::vector<Real> Prandtl;
  std::vector<Real> Conductivity;         // W/(m K)
  std::vector<Real> Temperature;          // degC, rows of the ten tables above, ascending
  std::vector<Real> VapourPressure;       // mm Hg
  std::vector<Real> PressureTemperature;  // degC, rows of VapourPressure, ascending
  Real AntoineA = 0;                      // ln P = A - B / (T + C), P in mm Hg, T in K
  Real AntoineB = 0;                      // K
  Real AntoineC = 0;                      // K
  Real MolarMass = 0;                     // g/mol
  // A library component's equation holds over [ValidFrom, ValidTo], degC (its valid_t_c);
  // a built-in one over the rows of its liquid data (docs/property-ranges.md).
  bool FromLibrary = false;
  bool HasValidRange = false;
  Real ValidFrom = 0;
  Real ValidTo = 0;
};

struct SteamTables {
  std::array<Real, 14> SteamPressure{};       // kgf/cm2
  std::array<Real, 14> SteamEnthalpy{};       // kJ/kg
  std::array<Real, 14> CondensateEnthalpy{};  // kJ/kg
};

// ComponentBase[k - 1] is database record k: 1..4 the built-in components, 5.. those of a
// component library (component_library.h), at most kMaxComponents in all.
using ComponentTable = std::vector<TComponentRecord>;

inline constexpr int kBuiltInComponents = 4;
inline constexpr int kMaxComponents = 16;  // the component dialog holds 16

// The four built-in records.
ComponentTable buildComponentBase();
SteamTables buildSteamTables();

}  // namespace bubblix
