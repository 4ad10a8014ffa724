#pragma once
// Out-of-range warnings of a computed point. A result is given wherever the solvers find one,
// but the property data behind it hold only over a range of temperatures: beyond it the
// vapour-pressure and density tables are extended linearly from their end intervals and the
// vapour-pressure equation is used outside the range of its constants.
//
// A component's valid range (degC) for a model is the intersection of
//   - the range of its vapour-pressure data: the rows of its vapour-pressure table, or, for a
//     component given by the equation, the documented range of the equation: for the
//     built-in components the rows of their liquid property tables (docs/property-ranges.md);
//     a component without either has no limit from its vapour pressure;
//   - the rows of its liquid density table, where the model uses molar volumes (Wilson, NRTL).
// A point whose temperature lies outside the valid range of a mixture component gets one
// warning per such component.

#include <optional>
#include <string>
#include <vector>

#include "core/base/real.h"
#include "core/data/properties.h"
#include "core/models/model.h"
#include "core/texts/text.h"

namespace bubblix {

struct TemperatureRange {
  Real Low = 0;   // degC
  Real High = 0;  // degC
};

struct RangeWarning {
  int Component = 0;  // mixture slot, 0-based
  std::string Name;   // the component's name as the mixture holds it
  TemperatureRange Range;
};

// The valid range of mixture slot `slot` for `model`; nothing when the data set no limit.
std::optional<TemperatureRange> componentValidRange(const Mixture& mixture, int slot, Model model);

// The warnings of a point at t degC for the first n components of the mixture, in slot order.
std::vector<RangeWarning> rangeWarnings(const Mixture& mixture, int n, Model model, Real celsius);

// "values extrapolated beyond the property data of comp.3, -20 … 140 °C" in the language.
std::string rangeWarningText(const RangeWarning& warning, Language lang);

}  // namespace bubblix
