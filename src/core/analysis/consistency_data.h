#pragma once
// Binary vapour-liquid equilibrium data as the consistency tests take them: one measured
// point (t, P, x1, y1) per row, so that isobaric, isothermal and mixed sets are one shape and
// a set read from a file is checked like a built-in one. Component 1 is the first component
// of the set; x1 and y1 are its liquid and vapour mole fractions.
//
// Activity coefficients from the data by the modified Raoult law with the mixture's vapour
// pressures (an ideal vapour, the liquid's pressure dependence neglected):
//   gamma_i = y_i P / (x_i Psat_i(T)),
// for the points with 0 < x1 < 1 and 0 < y1 < 1 only.
//
// Units: tau = T / 273.15 K, P in Pa.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "core/base/real.h"
#include "core/data/database.h"
#include "core/data/properties.h"
#include "core/texts/text.h"

namespace bubblix {

struct DataPoint {
  Real tau = 0;
  Real P = 0;  // Pa
  Real x1 = 0;
  Real y1 = 0;
};

struct EquilibriumDataSet {
  std::array<int, 2> Components{};  // database numbers of components 1 and 2
  std::vector<DataPoint> Points;    // in the order of the set
};

enum class DataSetKind : std::uint8_t { Isobaric, Isothermal, Mixed };

// Isobaric when (P_max - P_min) / P_min is below kIsobaricSpread; isothermal when
// t_max - t_min is below kIsothermalSpread (K); mixed otherwise.
inline constexpr Real kIsobaricSpread = 0.01L;
inline constexpr Real kIsothermalSpread = 0.1L;  // K
DataSetKind classifyDataSet(std::span<const DataPoint> points);
// "isobaric", "isothermal", "mixed": the kind as the JSON output names it.
std::string_view dataSetKindName(DataSetKind kind);

// The ranges of the set's temperatures and pressures.
struct DataRanges {
  Real TauMin = 0;
  Real TauMax = 0;
  Real PMin = 0;  // Pa
  Real PMax = 0;
};
DataRanges rangesOf(std::span<const DataPoint> points);

// Throws InputError naming the point (1-based) for a value that is not finite, x1 or y1
// outside 0..1, P <= 0 or T <= 0 K, and for a set of fewer than 3 points.
void validateDataSet(std::span<const DataPoint> points);

// The built-in set of the pair with `first` as component 1 (database numbers 1..4, distinct):
// the stored points of [first][second], or those of [second][first] with x1 and y1
// complemented. Throws InputError for any other pair.
EquilibriumDataSet builtInDataSet(const Database& db, int first, int second);

// The data of the pair as the fits take them: its loaded sets (data_set_file.h), all of them,
// each point at its own pressure, x1 and y1 of `first`; without loaded sets, builtInDataSet.
// Throws InputError for a pair that has neither.
EquilibriumDataSet pairEquilibriumData(const Database& db, int first, int second);

// The binary mixture of the set's components: slot 0 component 1, slot 1 component 2, names
// in `lang`. Throws InputError for a number that is not a database record.
Mixture dataSetMixture(const Database& db, const EquilibriumDataSet& set, Language lang);

// Activity coefficients of one point from the data.
struct DataGamma {
  std::size_t Index = 0;  // the point's position in the set (0-based)
  DataPoint Point;
  Real LnGamma1 = 0;
  Real LnGamma2 = 0;

  Real lnRatio() const { return LnGamma1 - LnGamma2; }
};

// The points with 0 < x1 < 1 and 0 < y1 < 1 in ascending x1 (points of equal x1 in the set's
// order) with their ln gamma. Throws ArithmeticError (from the vapour pressures) for a
// temperature outside the property data.
std::vector<DataGamma> dataActivityCoefficients(const Mixture& mixture,
                                                std::span<const DataPoint> points);

}  // namespace bubblix
