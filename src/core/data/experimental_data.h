#pragma once
// Isobaric T-x-y data of the six binary systems of the database, with the start vectors of
// the Wilson, NRTL and UNIQUAC fits.

#include <array>
#include <cstdint>
#include <vector>

#include "core/base/real.h"
#include "core/fitting/binary_fit_data.h"

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

// Entries [1][2] and [3][4] (database numbers) are stored with their points; [3][1], [4][1],
// [3][2] and [4][2] hold only points; [1][3], [1][4], [2][3] and [2][4] are their mirrors
// (same t, x := 1 - x, y := 1 - y) with pressure 101308 Pa and start vectors; the rest empty.
ExperimentalTable BuildExperimentalData();

struct Database;

// True exactly for the ordered pairs of database numbers (2, 5), (3, 5) and (4, 5); every
// pair of the four database components counts as having data.
bool HasNoExperimentalData(int a, int b);

// Copies the complete set [a][b] (database numbers 1..4) into the fitting data: N, P, the
// three start vectors (the rest of each vector zero) and for every point
//   tau = t / 273.15 + 1, x1 = x, y1 = y
// (point entries from N on are zeroed; the other fields are left alone). `pressure` (the
// session's system pressure, Pa) receives P as well. Throws DataError for a number outside
// 1..4, a set without points or pressure (every entry but [a][b] with a < b), or a set of
// more than kMaxFitPoints points.
void SelectExperimentalSet(const Database& db, int a, int b, TBinaryFitData& fit, Real& pressure);

}  // namespace bubblix
