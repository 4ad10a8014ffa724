#include "plot/diagram_data.h"

#include <algorithm>
#include <cmath>

#include "core/analysis/phase_diagram.h"
#include "core/base/errors.h"
#include "core/base/units.h"
#include "core/data/user_data.h"
#include "core/io/number_format.h"
#include "core/texts/analysis_texts.h"
#include "core/texts/gui_texts.h"

namespace bubblix::plot {

bool hasBinaryParameterSet(const TParameterSet& set) {
  return set.ComponentCount == 2;
}

namespace {

constexpr Real kSameTemperature = 0.01L;  // K

std::string conditionOf(Condition at, Language lang, std::string_view decimalSeparator) {
  return conditionText(at, lang, decimalSeparator);
}

DiagramData diagramAt(const Database& db, const TParameterSet& set, Condition at, Language lang,
                      std::string_view decimalSeparator, const std::vector<MeasuredPoint>* points) {
  const Mixture mixture = binaryMixture(db, set, lang);
  const BinaryEquilibrium eq(mixture, set);
  DiagramData data;
  data.Lang = lang;
  data.DecimalSeparator = std::string(decimalSeparator);
  data.Names = {mixture.ComponentNames[0], mixture.ComponentNames[1]};
  data.Analysis = analyseBinary(db, eq, at);
  if (data.Analysis.Diagram.Bubble.Points.empty()) {
    // Nothing to draw: an empty diagram would pass for a result.
    throw NoConvergenceError(kNoBubblePointSolved, {conditionOf(at, lang, decimalSeparator)});
  }
  if (points != nullptr) data.Analysis.Diagram.Measured = *points;
  data.Labels = makeDiagramLabels(data.Analysis.Diagram, set, data.Names, lang, decimalSeparator);
  return data;
}

}  // namespace

DiagramData computeDiagram(const Database& db, const TParameterSet& set,
                           std::optional<Real> celsius, Language lang,
                           std::string_view decimalSeparator) {
  const Condition at = celsius ? Condition::atTau(tauFromCelsius(*celsius))
                               : Condition::atPressure(dataSetPressure(db, set));
  if (celsius) {
    // P-x-y at the temperature of an isothermal loaded set (within kSameTemperature) shows
    // that set's points.
    for (const LoadedSetCondition& loaded : loadedSetConditions(db, set)) {
      if (loaded.Kind == DataSetKind::Isothermal &&
          std::fabs(loaded.At.Value - at.Value) * kZeroCelsiusK <= kSameTemperature) {
        return diagramAt(db, set, at, lang, decimalSeparator, &loaded.Points);
      }
    }
  }
  return diagramAt(db, set, at, lang, decimalSeparator, nullptr);
}

DiagramData computeLoadedSetDiagram(const Database& db, const TParameterSet& set,
                                    const LoadedSetCondition& loaded, Language lang,
                                    std::string_view decimalSeparator) {
  if (loaded.Kind == DataSetKind::Mixed) {
    const DataSetRange r = dataSetRange(db.LoadedSets.at(loaded.Index));
    throw InputError(
        kLoadedSetMixedLine,
        {loaded.FileName, formatFixed(r.tMin, 2, decimalSeparator),
         formatFixed(r.tMax, 2, decimalSeparator), formatFixed(r.pMin, 2, decimalSeparator),
         formatFixed(r.pMax, 2, decimalSeparator)});
  }
  DiagramData data = diagramAt(db, set, loaded.At, lang, decimalSeparator, &loaded.Points);
  data.DataSetFile = loaded.FileName;
  return data;
}

std::vector<std::string> diagramReportLines(const DiagramData& data) {
  std::vector<std::string> lines;
  if (!data.DataSetFile.empty()) {
    lines.push_back(render(kLoadedSetDiagramLine, data.Lang,
                           {data.DataSetFile, conditionOf(data.Analysis.Diagram.At, data.Lang,
                                                          data.DecimalSeparator)}));
  }
  lines.push_back(data.Labels.MainTitle);
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
