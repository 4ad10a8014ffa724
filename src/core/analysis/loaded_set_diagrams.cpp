#include "core/analysis/loaded_set_diagrams.h"

#include "core/base/units.h"

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

}  // namespace bubblix
