#pragma once
// Isobaric T-x-y data of the six binary systems of the database, with the start vectors of
// the Wilson, NRTL and UNIQUAC fits.

#include <array>
#include <cstdint>
#include <vector>

#include "core/real.h"

namespace bubblix {

struct TExperimentalSet {
  std::uint16_t N = 0;
  std::vector<Real> x;  // liquid mole fraction of the set's first component
  std::vector<Real> y;  // vapour mole fraction of the set's first component
  std::vector<Real> t;  // boiling temperature, degC
  Real P = 0;           // Pa
  std::array<Real, 2> WilsonStart{};
  std::array<Real, 2> UNIQUACStart{};
  std::array<Real, 3> NRTLStart{};  // the third value is the NRTL alpha
};

// ExperimentalData[a - 1][b - 1] is the system of database components a and b; its x and y
// are the mole fractions of component a.
using ExperimentalTable = std::array<std::array<TExperimentalSet, 4>, 4>;

ExperimentalTable BuildExperimentalData();

}  // namespace bubblix
