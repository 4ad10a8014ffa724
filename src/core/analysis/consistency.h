#pragma once
// The thermodynamic consistency check of one binary equilibrium data set: the activity
// coefficients from the data (consistency_data.h), the area test that fits the set's kind
// (area_test.h: Herington for isobaric sets, Redlich-Kister for isothermal ones, none for
// mixed sets), the point test (point_test.h) and the plausibility checks
// (data_plausibility.h). A set that shows two liquid phases gets the verdict
// NotValidTwoLiquids for both tests, whatever their numbers say.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/analysis/area_test.h"
#include "core/analysis/consistency_data.h"
#include "core/analysis/data_plausibility.h"
#include "core/analysis/point_test.h"
#include "core/data/properties.h"

namespace bubblix {

enum class Verdict : std::uint8_t { Consistent, Inconsistent, NotApplicable, NotValidTwoLiquids };

enum class AreaMethod : std::uint8_t { Herington, RedlichKister, None };

struct AreaTestResult {
  AreaMethod Method = AreaMethod::None;  // None for a mixed set
  SignedAreas Areas;
  Real D = 0;
  Real J = 0;  // Herington only
  Verdict Result = Verdict::NotApplicable;
};

struct ConsistencyCheck {
  std::array<int, 2> Components{};
  std::size_t PointCount = 0;
  DataSetKind Kind = DataSetKind::Isobaric;
  DataRanges Ranges;
  std::vector<DataGamma> Gammas;       // the points used, ascending x1
  std::optional<AreaTestResult> Area;  // none when fewer than two distinct x1
  PointTestResult Point;               // Point.Failure when it could not be completed
  Verdict PointVerdict = Verdict::NotApplicable;
  PlausibilityChecks Plausibility;
};

// Checks the set with the mixture of its two components (slot 0 component 1). Throws
// InputError for a set validateDataSet refuses or terms outside 1..5; ArithmeticError or
// NoConvergenceError when the vapour pressures cannot be evaluated at a point's temperature.
ConsistencyCheck checkConsistency(const Mixture& mixture, const EquilibriumDataSet& set,
                                  int terms = kDefaultLegendreTerms);

}  // namespace bubblix
