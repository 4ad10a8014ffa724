#include "core/analysis/loaded_set_diagrams.h"

#include <algorithm>
#include <cmath>

#include "core/base/errors.h"
#include "core/base/units.h"
#include "core/io/number_format.h"
#include "core/texts/analysis_texts.h"

namespace bubblix {

std::vector<LoadedSetCondition> loadedSetConditions(const Database& db, const TParameterSet& set) {
  std::vector<LoadedSetCondition> out;
  if (set.ComponentCount != 2) return out;
  const int first = set.Components[0];
  const int second = set.Components[1];
  for (std::size_t k = 0; k < db.LoadedSets.size(); ++k) {
    const LoadedDataSet& data = db.LoadedSets[k];
    const bool same = data.Components[0] == first && data.Components[1] == second;
    const bool mirrored = data.Components[0] == second && data.Components[1] == first;
    if ((!same && !mirrored) || data.t.empty()) continue;
    LoadedSetCondition c;
    c.Index = k;
    c.FileName = data.FileName;
    std::vector<DataPoint> points;
    Real pressureSum = 0;
    Real tauSum = 0;
    for (std::size_t i = 0; i < data.t.size(); ++i) {
      const Real tau = tauFromCelsius(data.t[i]);
      const Real x1 = same ? data.x[i] : 1.0L - data.x[i];
      const Real y1 = same ? data.y[i] : 1.0L - data.y[i];
      points.push_back(DataPoint{tau, data.P[i], x1, y1});
      c.Points.push_back(MeasuredPoint{x1, y1, tau, data.P[i]});
      pressureSum += data.P[i];
      tauSum += tau;
    }
    const Real n = static_cast<Real>(points.size());
    c.Kind = classifyDataSet(points);
    switch (c.Kind) {
      case DataSetKind::Isobaric:
        c.At = Condition::atPressure(pressureSum / n);
        break;
      case DataSetKind::Isothermal:
        c.At = Condition::atTau(tauSum / n);
        break;
      case DataSetKind::Mixed:
        break;
    }
    out.push_back(std::move(c));
  }
  return out;
}

std::string conditionText(Condition at, Language lang, std::string_view decimalSeparator) {
  return at.isobaric()
             ? render(kAtPressure, lang, {formatFixed(paToMmHg(at.Value), 2, decimalSeparator)})
             : render(kAtTemperature, lang,
                      {formatFixed(celsiusFromTau(at.Value), 2, decimalSeparator)});
}

std::vector<std::string> mixedSetReportLines(const std::vector<LoadedSetCondition>& sets,
                                             Language lang, std::string_view decimalSeparator) {
  std::vector<std::string> lines;
  for (const LoadedSetCondition& c : sets) {
    if (c.Kind != DataSetKind::Mixed || c.Points.empty()) continue;
    Real tMin = c.Points.front().tau, tMax = tMin;
    Real pMin = c.Points.front().P, pMax = pMin;
    for (const MeasuredPoint& m : c.Points) {
      tMin = std::min(tMin, m.tau);
      tMax = std::max(tMax, m.tau);
      pMin = std::min(pMin, m.P);
      pMax = std::max(pMax, m.P);
    }
    lines.push_back(render(kLoadedSetMixedLine, lang,
                           {c.FileName, formatFixed(celsiusFromTau(tMin), 2, decimalSeparator),
                            formatFixed(celsiusFromTau(tMax), 2, decimalSeparator),
                            formatFixed(paToMmHg(pMin), 2, decimalSeparator),
                            formatFixed(paToMmHg(pMax), 2, decimalSeparator)}));
  }
  return lines;
}

std::vector<LoadedSetAnalysis> analyseLoadedSets(const Database& db, const BinaryEquilibrium& eq,
                                                 const std::vector<LoadedSetCondition>& sets,
                                                 Language lang) {
  std::vector<LoadedSetAnalysis> out;
  for (const LoadedSetCondition& set : sets) {
    if (set.Kind == DataSetKind::Mixed) continue;
    LoadedSetAnalysis analysis;
    analysis.Set = set;
    try {
      analysis.Analysis = analyseBinary(db, eq, set.At);
    } catch (const Error& error) {
      analysis.Error = error.message(lang);
    }
    out.push_back(std::move(analysis));
  }
  return out;
}

std::vector<std::string> loadedSetReportLines(const std::vector<LoadedSetAnalysis>& analyses,
                                              const std::vector<LoadedSetCondition>& sets,
                                              std::optional<Condition> skip, Language lang,
                                              std::string_view decimalSeparator) {
  std::vector<std::string> lines;
  for (const LoadedSetAnalysis& a : analyses) {
    if (skip && sameCondition(*skip, a.Set.At)) continue;
    lines.push_back(render(kLoadedSetAnalysisLine, lang,
                           {a.Set.FileName, conditionText(a.Set.At, lang, decimalSeparator)}));
    if (a.Analysis) {
      for (std::string& line : analysisReportLines(*a.Analysis, lang, decimalSeparator))
        lines.push_back(std::move(line));
    } else if (a.Error) {
      lines.push_back(*a.Error);
    }
  }
  for (std::string& line : mixedSetReportLines(sets, lang, decimalSeparator))
    lines.push_back(std::move(line));
  return lines;
}

bool sameCondition(Condition a, Condition b) {
  return a.Kind == b.Kind && std::fabs(a.Value - b.Value) <= 1e-6L;
}

}  // namespace bubblix
