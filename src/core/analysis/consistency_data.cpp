#include "core/analysis/consistency_data.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/base/errors.h"
#include "core/base/units.h"
#include "core/data/experimental_data.h"
#include "core/io/number_format.h"
#include "core/texts/consistency_texts.h"

namespace bubblix {
namespace {

void refusePoint(std::size_t k, const std::string& what) {
  throw InputError(kDataPointInvalid, {std::to_string(k + 1), what});
}

std::string named(const char* name, Real value) {
  return std::string(name) + " = " + formatGeneral(value, 10);
}

}  // namespace

DataRanges rangesOf(std::span<const DataPoint> points) {
  DataRanges r;
  if (points.empty()) return r;
  r.TauMin = r.TauMax = points[0].tau;
  r.PMin = r.PMax = points[0].P;
  for (const DataPoint& p : points) {
    r.TauMin = std::min(r.TauMin, p.tau);
    r.TauMax = std::max(r.TauMax, p.tau);
    r.PMin = std::min(r.PMin, p.P);
    r.PMax = std::max(r.PMax, p.P);
  }
  return r;
}

std::string_view dataSetKindName(DataSetKind kind) {
  switch (kind) {
    case DataSetKind::Isobaric:
      return "isobaric";
    case DataSetKind::Isothermal:
      return "isothermal";
    case DataSetKind::Mixed:
      break;
  }
  return "mixed";
}

DataSetKind classifyDataSet(std::span<const DataPoint> points) {
  const DataRanges r = rangesOf(points);
  if ((r.PMax - r.PMin) / r.PMin < kIsobaricSpread) return DataSetKind::Isobaric;
  // T = 273.15 K * tau, so a difference of tau times 273.15 is one in K.
  if ((r.TauMax - r.TauMin) * kZeroCelsiusK < kIsothermalSpread) {
    return DataSetKind::Isothermal;
  }
  return DataSetKind::Mixed;
}

void validateDataSet(std::span<const DataPoint> points) {
  if (points.size() < 3) throw InputError(kDataTooFewPoints, {std::to_string(points.size())});
  for (std::size_t k = 0; k < points.size(); ++k) {
    const DataPoint& p = points[k];
    if (!std::isfinite(p.tau) || !(p.tau > 0.0L)) {
      refusePoint(k, named("t", celsiusFromTau(p.tau)) + " degr.C");
    }
    if (!std::isfinite(p.P) || !(p.P > 0.0L)) refusePoint(k, named("P", paToMmHg(p.P)) + " mm Hg");
    if (!(p.x1 >= 0.0L && p.x1 <= 1.0L)) refusePoint(k, named("x1", p.x1));
    if (!(p.y1 >= 0.0L && p.y1 <= 1.0L)) refusePoint(k, named("y1", p.y1));
  }
}

EquilibriumDataSet builtInDataSet(const Database& db, int first, int second) {
  const int count = static_cast<int>(db.ComponentBase.size());
  if (first < 1 || second < 1 || first > count || second > count || first == second) {
    throw InputError(kConsistencyPairInvalid, {std::to_string(first), std::to_string(second)});
  }
  const bool stored = first < second;
  const ExperimentalPoints data =
      stored ? SelectExperimentalSet(db, first, second) : SelectExperimentalSet(db, second, first);
  EquilibriumDataSet set;
  set.Components = {first, second};
  set.Points.reserve(data.tau.size());
  for (std::size_t k = 0; k < data.tau.size(); ++k) {
    DataPoint p;
    p.tau = data.tau[k];
    p.P = data.P;
    p.x1 = stored ? data.x1[k] : 1.0L - data.x1[k];
    p.y1 = stored ? data.y1[k] : 1.0L - data.y1[k];
    set.Points.push_back(p);
  }
  return set;
}

EquilibriumDataSet pairEquilibriumData(const Database& db, int first, int second) {
  const bool loaded =
      first != second &&
      std::any_of(db.LoadedSets.begin(), db.LoadedSets.end(), [&](const LoadedDataSet& s) {
        return (s.Components[0] == first && s.Components[1] == second) ||
               (s.Components[0] == second && s.Components[1] == first);
      });
  if (!loaded) return builtInDataSet(db, first, second);
  const ExperimentalPoints data = pairExperimentalPoints(db, first, second);
  EquilibriumDataSet set;
  set.Components = {first, second};
  for (std::size_t k = 0; k < data.tau.size(); ++k)
    set.Points.push_back(DataPoint{data.tau[k], data.Pressures[k], data.x1[k], data.y1[k]});
  return set;
}

Mixture dataSetMixture(const Database& db, const EquilibriumDataSet& set, Language lang) {
  Mixture mixture;
  for (int slot = 0; slot < 2; ++slot) {
    const int number = set.Components[static_cast<std::size_t>(slot)];
    if (number < 1 || number > static_cast<int>(db.ComponentBase.size())) {
      throw InputError(kConsistencyPairInvalid,
                       {std::to_string(set.Components[0]), std::to_string(set.Components[1])});
    }
    const TComponentRecord& record = db.ComponentBase[static_cast<std::size_t>(number - 1)];
    loadComponent(mixture, db, slot,
                  lang == Language::English ? record.EnglishName : record.RussianName);
  }
  return mixture;
}

std::vector<DataGamma> dataActivityCoefficients(const Mixture& mixture,
                                                std::span<const DataPoint> points) {
  std::vector<DataGamma> result;
  for (std::size_t k = 0; k < points.size(); ++k) {
    const DataPoint& p = points[k];
    if (!(p.x1 > 0.0L && p.x1 < 1.0L && p.y1 > 0.0L && p.y1 < 1.0L)) continue;
    DataGamma g;
    g.Index = k;
    g.Point = p;
    g.LnGamma1 = std::log(p.y1 * p.P / (p.x1 * SaturationPressure(mixture, 0, p.tau)));
    g.LnGamma2 =
        std::log((1.0L - p.y1) * p.P / ((1.0L - p.x1) * SaturationPressure(mixture, 1, p.tau)));
    result.push_back(g);
  }
  std::stable_sort(result.begin(), result.end(),
                   [](const DataGamma& a, const DataGamma& b) { return a.Point.x1 < b.Point.x1; });
  return result;
}

}  // namespace bubblix
