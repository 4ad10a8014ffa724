#pragma once
// The experimental points and property values of the binary pair being fitted, shared by the
// fitting session and the objectives. Points are indexed 0..N-1; property arrays by the
// mixture slot of the component (0..3).

#include <array>
#include <cstdint>
#include <string>

#include "core/numerics/param_vector.h"
#include "core/real.h"

namespace bubblix {

inline constexpr int kMaxFitPoints = 60;

struct TBinaryFitData {
  std::uint16_t N = 0;  // number of points, 1..60
  std::uint8_t i = 0;   // mixture slot of the pair's first component (its gamma and y are fitted)
  std::uint8_t j = 0;   // mixture slot of the pair's second component
  Real P = 0;           // system pressure of the data set, Pa
  std::array<Real, kMaxFitPoints> x1{};   // measured liquid mole fraction of component i
  std::array<Real, kMaxFitPoints> x2{};   // 1 - x1, written by the objectives
  std::array<Real, kMaxFitPoints> y1{};   // measured vapour mole fraction of component i
  std::array<Real, kMaxFitPoints> tau{};  // reduced temperature of each point
  std::array<std::array<Real, kMaxFitPoints>, 4> Psat{};  // [slot][point], Pa
  std::array<std::array<Real, kMaxFitPoints>, 4> V{};     // [slot][point], dm3/mol
  std::array<Real, kMaxFitPoints> gamma1{};  // activity coefficient of i, written by objectives
  std::array<std::string, 2> names;          // names of i and j for the progress line
  TParamVector WilsonStart{};
  TParamVector NRTLStart{};
  TParamVector UNIQUACStart{};
  TParamVector UNIFACStart{};
};

}  // namespace bubblix
