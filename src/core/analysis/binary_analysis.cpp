#include "core/analysis/binary_analysis.h"

#include <algorithm>

#include "core/base/units.h"
#include "core/io/number_format.h"
#include "core/texts/analysis_texts.h"

namespace bubblix {
namespace {

std::string fixed(std::string_view pattern, Real v, std::string_view separator) {
  return formatReport(pattern, {v}, separator);
}

std::string conditionText(Condition c, Language lang, std::string_view separator) {
  if (c.isobaric()) return render(kAtPressure, lang, {fixed("%.2f", paToMmHg(c.Value), separator)});
  return render(kAtTemperature, lang, {fixed("%.2f", celsiusFromTau(c.Value), separator)});
}

}  // namespace

BinaryAnalysis analyseBinary(const Database& db, const BinaryEquilibrium& eq, Condition c,
                             int points) {
  BinaryAnalysis analysis;
  analysis.Diagram = c.isobaric() ? isobaricDiagram(db, eq, c.Value, points)
                                  : isothermalDiagram(eq, c.Value, points);
  analysis.Azeotropes = findAzeotropes(eq, c, analysis.Diagram.Bubble);
  analysis.LiquidSplit = findLiquidSplit(eq, c, analysis.Diagram.Bubble);
  for (Azeotrope& a : analysis.Azeotropes) {
    for (const SplitRange& range : analysis.LiquidSplit) {
      if (a.Point.x1 >= range.From.x1 && a.Point.x1 <= range.To.x1) a.InsideLiquidSplit = true;
    }
  }
  return analysis;
}

std::vector<std::string> analysisReportLines(const BinaryAnalysis& analysis, Language lang,
                                             std::string_view separator) {
  std::vector<std::string> lines;
  const Condition c = analysis.Diagram.At;
  const std::string condition = conditionText(c, lang, separator);
  const ModelCurve& bubble = analysis.Diagram.Bubble;
  if (bubble.Points.empty()) {
    lines.push_back(render(kNoBubblePointSolved, lang, {condition}));
    return lines;
  }
  if (!bubble.Skipped.empty()) {
    lines.push_back(render(
        kBubblePointsSkipped, lang,
        {std::to_string(bubble.Skipped.size()), std::to_string(bubble.Requested), condition}));
  }
  for (const Azeotrope& a : analysis.Azeotropes) {
    std::string line =
        render(kAzeotropeLine, lang,
               {fixed("%.2f", celsiusFromTau(a.Point.tau), separator),
                fixed("%.2f", paToMmHg(a.Point.P), separator), fixed("%.4f", a.Point.x1, separator),
                render(a.Kind == AzeotropeKind::MinimumBoiling ? kAzeotropeMinimumBoiling
                                                               : kAzeotropeMaximumBoiling,
                       lang)});
    if (a.InsideLiquidSplit) line += render(kAzeotropeInsideSplit, lang);
    lines.push_back(std::move(line));
  }
  if (analysis.Azeotropes.empty()) lines.push_back(render(kNoAzeotropeLine, lang, {condition}));
  for (const SplitRange& range : analysis.LiquidSplit) {
    lines.push_back(render(kLiquidSplitLine, lang,
                           {condition, fixed("%.4f", range.From.x1, separator),
                            fixed("%.4f", range.To.x1, separator)}));
  }
  if (analysis.LiquidSplit.empty()) {
    lines.push_back(render(kNoLiquidSplitLine, lang, {condition}));
  } else {
    lines.push_back(render(kLiquidSplitWarning, lang));
  }
  return lines;
}

AzeotropeSummary summarize(const BinaryAnalysis& analysis) {
  AzeotropeSummary summary;
  if (!analysis.Azeotropes.empty()) {
    const EquilibriumPoint& p = analysis.Azeotropes.front().Point;
    summary.azeotrope =
        AzeotropeSummary::AzeotropeValues{celsiusFromTau(p.tau), paToMmHg(p.P), p.x1};
  }
  if (!analysis.LiquidSplit.empty()) {
    AzeotropeSummary::SplitValues split{analysis.LiquidSplit.front().From.x1,
                                        analysis.LiquidSplit.front().To.x1};
    for (const SplitRange& range : analysis.LiquidSplit) {
      split.x1_from = std::min(split.x1_from, range.From.x1);
      split.x1_to = std::max(split.x1_to, range.To.x1);
    }
    summary.liquid_split = split;
  }
  return summary;
}

}  // namespace bubblix
