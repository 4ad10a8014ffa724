#include "plot/diagram_data.h"

#include "core/analysis/phase_diagram.h"
#include "core/base/errors.h"
#include "core/base/units.h"
#include "core/io/number_format.h"
#include "core/texts/analysis_texts.h"
#include "core/texts/gui_texts.h"

namespace bubblix::plot {

bool hasBinaryParameterSet(const TParameterSet& set) {
  return set.ComponentCount == 2;
}

DiagramData computeDiagram(const Database& db, const TParameterSet& set,
                           std::optional<Real> celsius, Language lang,
                           std::string_view decimalSeparator) {
  const Mixture mixture = binaryMixture(db, set, lang);
  const BinaryEquilibrium eq(mixture, set);
  const Condition at = celsius ? Condition::atTau(tauFromCelsius(*celsius))
                               : Condition::atPressure(dataSetPressure(db, set));
  DiagramData data;
  data.Lang = lang;
  data.DecimalSeparator = std::string(decimalSeparator);
  data.Names = {mixture.ComponentNames[0], mixture.ComponentNames[1]};
  data.Analysis = analyseBinary(db, eq, at);
  if (data.Analysis.Diagram.Bubble.Points.empty()) {
    // Nothing to draw: an empty diagram would pass for a result.
    const std::string condition =
        at.isobaric()
            ? render(kAtPressure, lang, {formatFixed(paToMmHg(at.Value), 2, decimalSeparator)})
            : render(kAtTemperature, lang, {formatFixed(*celsius, 2, decimalSeparator)});
    throw NoConvergenceError(kNoBubblePointSolved, {condition});
  }
  data.Labels = makeDiagramLabels(data.Analysis.Diagram, set, data.Names, lang, decimalSeparator);
  return data;
}

std::vector<std::string> diagramReportLines(const DiagramData& data) {
  std::vector<std::string> lines{data.Labels.MainTitle};
  for (std::string& line : analysisReportLines(data.Analysis, data.Lang, data.DecimalSeparator))
    lines.push_back(std::move(line));
  return lines;
}

std::string azeotropeLegendText(const DiagramData& data, const Azeotrope& azeotrope) {
  const EquilibriumPoint& p = azeotrope.Point;
  const std::string condition =
      data.isobaric()
          ? render(kAtTemperature, data.Lang,
                   {formatFixed(celsiusFromTau(p.tau), 2, data.DecimalSeparator)})
          : render(kAtPressure, data.Lang, {formatFixed(paToMmHg(p.P), 2, data.DecimalSeparator)});
  return render(
      texts::kDiagramAzeotropeEntry, data.Lang,
      {data.Labels.AzeotropeLegend, condition, formatFixed(p.x1, 4, data.DecimalSeparator)});
}

std::string splitLegendText(const DiagramData& data, const SplitRange& range) {
  return render(
      texts::kDiagramSplitEntry, data.Lang,
      {data.Labels.LiquidSplitLegend, formatFixed(range.From.x1, 4, data.DecimalSeparator),
       formatFixed(range.To.x1, 4, data.DecimalSeparator)});
}

}  // namespace bubblix::plot
