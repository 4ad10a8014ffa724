#pragma once
// Isobaric T-x-y data of the six binary systems of the database, with the start vectors of
// the Wilson, NRTL and UNIQUAC fits.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/base/real.h"

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
ExperimentalTable buildExperimentalData();

struct Database;

// A data set loaded from a file (data_set_file.h): measured points of one pair, each with its
// own temperature and pressure, so isobaric, isothermal and mixed sets are alike.
struct LoadedDataSet {
  std::string FileName;
  std::array<int, 2> Components{};  // database numbers; x and y are of Components[0]
  std::vector<Real> t;              // degC
  std::vector<Real> P;              // Pa
  std::vector<Real> x;              // liquid mole fraction of Components[0]
  std::vector<Real> y;              // vapour mole fraction of Components[0]
  std::vector<int> Lines;           // the file's line of each point, from 1
};

// The largest number of points a pair can have in all its loaded sets.
inline constexpr int kMaxPairPoints = 2000;

// Whether the pair of database numbers a and b (either order) has data to fit: a loaded set
// naming both, or a usable built-in set (pairDataSet).
bool pairHasData(const Database& db, int a, int b);

// A pair without built-in or loaded data.
bool HasNoExperimentalData(const Database& db, int a, int b);

// The points of one system's data set as the fits take them.
struct ExperimentalPoints {
  int A = 0;                    // database number of the system's first component
  int B = 0;                    // and of its second
  Real P = 0;                   // Pa; of the first point when the points have several
  std::vector<Real> tau;        // reduced boiling temperature of each point, t / 273.15 + 1
  std::vector<Real> Pressures;  // Pa, of each point
  std::vector<Real> x1;         // liquid mole fraction of component A
  std::vector<Real> y1;         // vapour mole fraction of component A
  std::array<Real, 2> WilsonStart{};
  std::array<Real, 3> NRTLStart{};  // the third value is the NRTL alpha
  std::array<Real, 2> UNIQUACStart{};
};

// The complete set [a][b] (database numbers 1..4): its pressure, start vectors and its N
// points with tau = t / 273.15 + 1, x1 = x, y1 = y. Throws DataError for a number outside
// 1..4, or a set without points or pressure (every entry but [a][b] with a < b) or with fewer
// values than points.
ExperimentalPoints SelectExperimentalSet(const Database& db, int a, int b);

// The built-in data set of the pair of database numbers a and b, in either order: the one of
// the smaller number first, when the pair can use it - both numbers 1..4 and different,
// points, a finite pressure above zero and an x, y and t for every point. Null otherwise.
const TExperimentalSet* pairDataSet(const Database& db, int a, int b);

// The fixed start vectors of a pair without built-in ones (docs/data-sets.md): moderate
// interactions. The fitting session replaces Wilson's and UNIQUAC's by a UNIFAC estimate where
// the pair's groups allow one (fitting/unifac_start_estimate.h).
inline constexpr std::array<Real, 2> kDefaultWilsonStart = {0.5L, 0.5L};
inline constexpr std::array<Real, 3> kDefaultNRTLStart = {0.5L, 0.5L, 0.3L};
inline constexpr std::array<Real, 2> kDefaultUNIQUACStart = {0.5L, 0.5L};

// The points of the pair as the pair a, b sees them: A = a, B = b, x1 and y1 the mole
// fractions of a. The loaded sets naming the pair take the place of the built-in set: all of
// them, in the order they were loaded, each mirrored (1 - x, 1 - y) when its first component
// is b. Without loaded sets, the built-in set, the data of the smaller number mirrored when
// a > b. The start vectors are the built-in set's when the pair has one, else the defaults.
// Throws DataError naming the pair when there are no points.
ExperimentalPoints pairExperimentalPoints(const Database& db, int a, int b);

// The pressure all the pair's points share (loaded or built-in), Pa; none when the pair has no
// data or its points are at several pressures.
std::optional<Real> pairCommonPressure(const Database& db, int a, int b);

}  // namespace bubblix
