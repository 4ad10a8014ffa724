#include "core/analysis/consistency.h"

#include <string>

#include "core/base/errors.h"
#include "core/texts/consistency_texts.h"

namespace bubblix {
namespace {

Verdict verdictOf(bool consistent) {
  return consistent ? Verdict::Consistent : Verdict::Inconsistent;
}

std::optional<AreaTestResult> areaTest(const ConsistencyCheck& check,
                                       std::span<const DataPoint> points) {
  std::vector<Real> x1;
  std::vector<Real> f;
  for (const DataGamma& g : check.Gammas) {
    x1.push_back(g.Point.x1);
    f.push_back(g.lnRatio());
  }
  AreaTestResult area;
  try {
    area.Areas = areasOverUnitInterval(x1, f);
  } catch (const InputError&) {
    return std::nullopt;
  }
  area.D = areaDeviation(area.Areas);
  switch (check.Kind) {
    case DataSetKind::Isobaric:
      area.Method = AreaMethod::Herington;
      area.J = heringtonJ(points);
      area.Result = verdictOf(area.D - area.J < kHeringtonLimit);
      break;
    case DataSetKind::Isothermal:
      area.Method = AreaMethod::RedlichKister;
      area.Result = verdictOf(area.D < kRedlichKisterLimit);
      break;
    case DataSetKind::Mixed:
      area.Method = AreaMethod::None;
      area.Result = Verdict::NotApplicable;
      break;
  }
  return area;
}

}  // namespace

ConsistencyCheck checkConsistency(const Mixture& mixture, const EquilibriumDataSet& set,
                                  int terms) {
  if (terms < kMinLegendreTerms || terms > kMaxLegendreTerms) {
    throw InputError(kPointTestTermCount, {std::to_string(terms)});
  }
  const std::span<const DataPoint> points(set.Points);
  validateDataSet(points);
  ConsistencyCheck check;
  check.Components = set.Components;
  check.PointCount = points.size();
  check.Kind = classifyDataSet(points);
  check.Ranges = rangesOf(points);
  check.Gammas = dataActivityCoefficients(mixture, points);
  check.Plausibility = checkPlausibility(mixture, points, check.Kind);
  check.Area = areaTest(check, points);
  check.Point = runPointTest(mixture, check.Gammas, check.Kind, terms);
  if (!check.Point.Failure) check.PointVerdict = verdictOf(check.Point.MeanAbsDy < kPointTestLimit);
  if (check.Plausibility.TwoLiquids) {
    if (check.Area) check.Area->Result = Verdict::NotValidTwoLiquids;
    check.PointVerdict = Verdict::NotValidTwoLiquids;
  }
  return check;
}

}  // namespace bubblix
