#pragma once
// The experimental points and property values of the binary pair being fitted, shared by the
// fitting session and the objectives: a table of points that grows with the data (at most
// kMaxFitPoints), each with its own temperature and pressure. Points are indexed 0..N-1;
// property arrays by the mixture slot of the component (0..3). The tables are sized when the
// points are loaded (resizePoints), so the objectives never allocate.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/base/real.h"
#include "core/data/component_groups.h"
#include "core/data/experimental_data.h"
#include "core/numerics/param_vector.h"

namespace bubblix {

inline constexpr int kMaxFitPoints = kMaxPairPoints;

struct TBinaryFitData {
  std::uint16_t N = 0;    // number of points, 1..kMaxFitPoints
  std::uint8_t i = 0;     // mixture slot of the pair's first component (its gamma and y are fitted)
  std::uint8_t j = 0;     // mixture slot of the pair's second component
  Real P = 0;             // pressure of the data set (of its first point), Pa
  std::vector<Real> Pk;   // pressure of each point, Pa
  std::vector<Real> x1;   // measured liquid mole fraction of component i
  std::vector<Real> x2;   // 1 - x1, written by the objectives
  std::vector<Real> y1;   // measured vapour mole fraction of component i
  std::vector<Real> tau;  // reduced temperature of each point
  std::array<std::vector<Real>, 4> Psat;  // [slot][point], Pa
  std::array<std::vector<Real>, 4> V;     // [slot][point], dm3/mol
  std::vector<Real> gamma1;               // activity coefficient of i, written by objectives
  std::array<std::string, 2> names;       // names of i and j for the progress line
  TParamVector WilsonStart{};
  TParamVector NRTLStart{};
  TParamVector UNIQUACStart{};
  TParamVector UNIFACStart{};

  // UNIQUAC: the components' volume (r) and area (q) parameters, [slot], and per point the
  // factor C = (q_i Sr / (r_i Sq))^(5 q_i) (r_i / Sr), which does not depend on the parameters.
  std::array<Real, 4> r{};
  std::array<Real, 4> q{};
  std::vector<Real> UNIQUACFactor;

  // UNIFAC. The model runs on the pair's subgroups, the distinct (main group, letter) pairs
  // of the two components, in order of first appearance.
  std::uint8_t GroupCount = 0;
  std::array<std::uint8_t, 10> GroupIdsA{};  // main-group number of each subgroup
  std::array<std::uint8_t, 10> GroupIdsB{};  // subgroup letter of each subgroup
  std::array<Real, 10> GroupQ{};             // area parameter of each subgroup
  // The groups the fitted parameters are indexed by: the distinct main groups (variant 1,
  // letters unused) or the subgroups (variant 2).
  std::uint8_t FitGroupCount = 0;
  std::array<std::uint8_t, 10> FitGroupIdsA{};
  std::array<std::uint8_t, 10> FitGroupIdsB{};
  // The group records of i (element 0) and j (element 1); their matrices A and the pair's
  // GroupMatrix are rebuilt from the tables by every objective call.
  std::array<TComponentGroups, 4> ComponentGroups{};
  Matrix10 GroupMatrix{};
  // Per point, independent of the parameters: the combinatorial coefficients of i and j
  // (elements 0 and 1) and the subgroup mole fractions at x = (x1, 1 - x1).
  std::vector<std::array<Real, 5>> CombinatorialGamma;
  std::vector<std::array<Real, 10>> GroupFractions;

  // Sets N and sizes every table of points to n, new entries zero.
  void resizePoints(std::size_t n);
};

// Copies a data set's points into the fitting data: N, P, the three start vectors (the rest
// of each vector zero) and tau, Pk, x1 and y1 of every point (the tables sized to N; the other
// fields are left alone). Throws DataError for more than kMaxFitPoints points, leaving the
// fitting data as they were.
void loadExperimentalPoints(const ExperimentalPoints& points, TBinaryFitData& fit);

}  // namespace bubblix
