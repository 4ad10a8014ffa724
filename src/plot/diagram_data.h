#pragma once
// What the binary diagrams show, computed once from a parameter set: the curves, measured
// points, azeotropes and unstable liquid ranges of one condition (the pair's data-set pressure
// or a temperature the user gives), with the titles and legend texts in one language. The
// desktop window and bubblix-diagram draw it with the painter of diagram_painter.h.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/binary_analysis.h"
#include "core/analysis/loaded_set_diagrams.h"
#include "core/base/real.h"
#include "core/data/database.h"
#include "core/models/parameter_set.h"
#include "core/texts/text.h"

namespace bubblix::plot {

// The main diagram (t-x-y at a pressure, P-x-y at a temperature) or the y-x diagram.
enum class DiagramView : std::uint8_t { Main, Xy };

struct DiagramData {
  BinaryAnalysis Analysis;
  DiagramLabels Labels;
  std::array<std::string, 2> Names;  // the two components, in the interface language
  Language Lang = Language::English;
  std::string DecimalSeparator = ".";

  // The loaded data set drawn (its file), empty for the diagram of the pair's data.
  std::string DataSetFile;

  bool isobaric() const { return Analysis.Diagram.At.isobaric(); }
};

// The diagram of one loaded set of the pair (analysis/loaded_set_diagrams.h): t-x-y at an
// isobaric set's pressure, P-x-y at an isothermal set's temperature, with the set's own
// points. Throws InputError for a mixed set, and what computeDiagram throws.
DiagramData computeLoadedSetDiagram(const Database& db, const TParameterSet& set,
                                    const LoadedSetCondition& loaded, Language lang,
                                    std::string_view decimalSeparator = ".");

// The report lines of the mixed loaded sets: mixedSetReportLines (analysis/loaded_set_diagrams.h).

// Whether a parameter set is one the diagrams can show: two components.
bool hasBinaryParameterSet(const TParameterSet& set);

// The diagrams of a binary set: isobaric at the pressure of the pair's data set (760 mm Hg
// when the pair has none) without `celsius`, isothermal at `celsius` (°C) with it, with the
// points of an isothermal loaded set of the pair at that temperature (within 0.01 K). Numbers in
// titles, legends and tick labels use decimalSeparator. Throws InputError for a set that is
// not binary or names components outside the database, a temperature that is not finite or
// not above absolute zero, and whatever the analysis throws (Error subclasses);
// NoConvergenceError when not one bubble point could be solved (nothing to draw).
DiagramData computeDiagram(const Database& db, const TParameterSet& set,
                           std::optional<Real> celsius, Language lang,
                           std::string_view decimalSeparator = ".");

// The lines the report gets for a diagram: the line naming its loaded set if any, its main
// title, then the analysis lines
// (unsolved bubble points, azeotropes or none, liquid split or none).
std::vector<std::string> diagramReportLines(const DiagramData& data);

// The legend entry of an azeotrope: "Azeotrope: t = 78.16 °C, x1 = 0.8945" (P = ... mm Hg on a
// P-x-y diagram), and of a liquid-split range: "Two liquids (model): 0.3100 < x1 < 0.6700".
std::string azeotropeLegendText(const DiagramData& data, const Azeotrope& azeotrope);
std::string splitLegendText(const DiagramData& data, const SplitRange& range);

}  // namespace bubblix::plot
