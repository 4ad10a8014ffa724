#pragma once
// The whole analysis of a binary parameter set on one condition: the diagram's curves, the
// azeotropes and the ranges of liquid split along the bubble curve, with the report lines
// and the compact summary that bubblix-cli prints as JSON. Nothing here changes the
// parameter set or any other result: the liquid-split lines are a warning beside them.
// Units: tau = T / 273.15 K, P in Pa; shown as °C, mm Hg and mole fractions.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/azeotrope.h"
#include "core/analysis/liquid_stability.h"
#include "core/analysis/phase_diagram.h"
#include "core/base/real.h"
#include "core/data/database.h"
#include "core/texts/text.h"

namespace bubblix {

struct BinaryAnalysis {
  PhaseDiagram Diagram;
  std::vector<Azeotrope> Azeotropes;    // ascending in x1
  std::vector<SplitRange> LiquidSplit;  // ascending in x1
};

// The diagram on condition c (isobaric with the measured points at the data set's pressure,
// see isobaricDiagram), its azeotropes and its unstable liquid ranges; an azeotrope inside a
// range is marked InsideLiquidSplit. Throws InputError for a bad condition or point count.
BinaryAnalysis analyseBinary(const Database& db, const BinaryEquilibrium& eq, Condition c,
                             int points = kDefaultCurvePoints);

// The report lines, in this order: a line on the bubble points that could not be solved, if
// any (when none was solved, that line alone); one line per azeotrope (t %.2f °C, P %.2f mm Hg,
// x1 %.4f) or the line saying there is none; one line per unstable range (x1 %.4f) followed
// by the warning, or the line saying the liquid is stable.
std::vector<std::string> analysisReportLines(const BinaryAnalysis& analysis, Language lang,
                                             std::string_view decimalSeparator = ".");

// The compact result: the first azeotrope and the overall unstable range (from the lowest
// start to the highest end of the ranges) or nothing. Field names are the JSON keys.
struct AzeotropeSummary {
  struct AzeotropeValues {
    Real t_c = 0;     // °C
    Real p_mmhg = 0;  // mm Hg
    Real x1 = 0;
  };
  struct SplitValues {
    Real x1_from = 0;
    Real x1_to = 0;
  };
  std::optional<AzeotropeValues> azeotrope;
  std::optional<SplitValues> liquid_split;
};

AzeotropeSummary summarize(const BinaryAnalysis& analysis);

}  // namespace bubblix
