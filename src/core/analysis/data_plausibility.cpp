#include "core/analysis/data_plausibility.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "core/analysis/phase_diagram.h"
#include "core/base/units.h"

namespace bubblix {
namespace {

std::vector<std::size_t> ascendingX1(std::span<const DataPoint> points) {
  std::vector<std::size_t> order(points.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return points[a].x1 < points[b].x1; });
  return order;
}

void checkEndPoints(const Mixture& mixture, std::span<const DataPoint> points, DataSetKind kind,
                    PlausibilityChecks& checks) {
  const bool pressure = kind == DataSetKind::Isothermal;
  for (std::size_t k = 0; k < points.size(); ++k) {
    const DataPoint& p = points[k];
    if (p.x1 != 0.0L && p.x1 != 1.0L) continue;
    EndPointCheck end;
    end.Index = k;
    end.x1 = p.x1;
    end.Slot = p.x1 == 1.0L ? 0 : 1;
    end.Pressure = pressure;
    end.Measured = pressure ? p.P : p.tau;
    end.Pure = pressure ? SaturationPressure(mixture, end.Slot, p.tau)
                        : boilingTauOfPure(mixture, end.Slot, p.P);
    checks.EndPoints.push_back(end);
    const Real shown = pressure ? paToMmHg(end.difference()) : end.difference() * kZeroCelsiusK;
    const bool far = pressure ? std::fabs(end.difference()) > kEndPointPressureTolerance * end.Pure
                              : std::fabs(shown) > kEndPointTemperatureTolerance;
    if (far) {
      DataWarning w;
      w.Kind = WarningKind::EndPoint;
      w.Points[0] = k;
      w.Values[0] = p.x1;
      w.Values[1] = shown;
      w.Pressure = pressure;
      checks.Warnings.push_back(w);
    }
  }
}

bool samePoint(const DataPoint& a, const DataPoint& b) {
  return a.tau == b.tau && a.P == b.P && a.x1 == b.x1 && a.y1 == b.y1;
}

void checkRepeats(std::span<const DataPoint> points, PlausibilityChecks& checks) {
  const std::size_t n = points.size();
  for (std::size_t j = 1; j < n; ++j) {
    for (std::size_t i = 0; i < j; ++i) {
      if (!samePoint(points[i], points[j])) continue;
      DataWarning w;
      w.Kind = WarningKind::RepeatedPoint;
      w.Points = {i, j, 0, 0};
      checks.Warnings.push_back(w);
      break;
    }
  }
  // Blocks: the longest run starting at j that repeats a run starting at i < j, not
  // overlapping it; the search goes on after the repeat.
  for (std::size_t j = 1; j < n;) {
    std::size_t bestLength = 0;
    std::size_t bestStart = 0;
    for (std::size_t i = 0; i < j; ++i) {
      std::size_t length = 0;
      while (j + length < n && i + length < j && points[i + length].tau == points[j + length].tau)
        ++length;
      if (length > bestLength) {
        bestLength = length;
        bestStart = i;
      }
    }
    const auto block = points.subspan(j, bestLength);
    const bool varies = std::any_of(block.begin(), block.end(),
                                    [&](const DataPoint& p) { return p.tau != block[0].tau; });
    if (bestLength >= kRepeatedBlockLength && varies) {
      DataWarning w;
      w.Kind = WarningKind::RepeatedBlock;
      w.Points = {j, j + bestLength - 1, bestStart, bestStart + bestLength - 1};
      checks.Warnings.push_back(w);
      j += bestLength;
    } else {
      ++j;
    }
  }
}

void checkVapour(std::span<const DataPoint> points, const std::vector<std::size_t>& order,
                 PlausibilityChecks& checks) {
  for (std::size_t k = 1; k < order.size(); ++k) {
    const DataPoint& a = points[order[k - 1]];
    const DataPoint& b = points[order[k]];
    if (b.x1 > a.x1 && a.y1 - b.y1 > kFallingVapourTolerance) {
      DataWarning w;
      w.Kind = WarningKind::FallingVapour;
      w.Points = {order[k - 1], order[k], 0, 0};
      w.Values = {a.x1, b.x1, a.y1, b.y1};
      checks.Warnings.push_back(w);
    }
  }
  for (std::size_t k = 0; k < points.size(); ++k) {
    const DataPoint& p = points[k];
    if (p.x1 > 0.0L && p.x1 < 1.0L && std::fabs(p.y1 - p.x1) <= kDataAzeotropeTolerance) {
      DataWarning w;
      w.Kind = WarningKind::AzeotropePoint;
      w.Points[0] = k;
      w.Values[0] = p.x1;
      checks.Warnings.push_back(w);
    }
  }
}

// The widest run of neighbours in ascending x1 that makes a plateau, if any.
void checkTwoLiquids(std::span<const DataPoint> points, const std::vector<std::size_t>& order,
                     DataSetKind kind, PlausibilityChecks& checks) {
  const bool pressure = kind == DataSetKind::Isothermal;
  std::optional<DataWarning> widest;
  for (std::size_t first = 0; first < order.size(); ++first) {
    const DataPoint& start = points[order[first]];
    Real lowU = pressure ? start.P : start.tau;
    Real highU = lowU;
    Real lowY = start.y1;
    Real highY = lowY;
    std::size_t last = first;
    for (std::size_t k = first + 1; k < order.size(); ++k) {
      const DataPoint& p = points[order[k]];
      const Real u = pressure ? p.P : p.tau;
      const Real newLowU = std::min(lowU, u);
      const Real newHighU = std::max(highU, u);
      const Real newLowY = std::min(lowY, p.y1);
      const Real newHighY = std::max(highY, p.y1);
      const bool flat =
          pressure ? newHighU - newLowU <= kTwoLiquidPressureSpread * newLowU
                   : (newHighU - newLowU) * kZeroCelsiusK <= kTwoLiquidTemperatureSpread + 1e-12L;
      if (!flat || newHighY - newLowY > kTwoLiquidVapourSpread + 1e-12L) break;
      lowU = newLowU;
      highU = newHighU;
      lowY = newLowY;
      highY = newHighY;
      last = k;
    }
    const std::size_t count = last - first + 1;
    const Real span = points[order[last]].x1 - start.x1;
    if (count < kTwoLiquidPoints || span < kTwoLiquidSpan - 1e-12L) continue;
    if (widest && span <= widest->Values[1] - widest->Values[0]) continue;
    DataWarning w;
    w.Kind = WarningKind::TwoLiquids;
    w.Points[0] = count;
    w.Values = {start.x1, points[order[last]].x1,
                pressure ? paToMmHg(highU - lowU) : (highU - lowU) * kZeroCelsiusK, highY - lowY};
    w.Pressure = pressure;
    widest = w;
  }
  if (widest) {
    checks.Warnings.push_back(*widest);
    checks.TwoLiquids = true;
  }
}

}  // namespace

PlausibilityChecks checkPlausibility(const Mixture& mixture, std::span<const DataPoint> points,
                                     DataSetKind kind) {
  PlausibilityChecks checks;
  const std::vector<std::size_t> order = ascendingX1(points);
  checkEndPoints(mixture, points, kind, checks);
  checkRepeats(points, checks);
  checkVapour(points, order, checks);
  checkTwoLiquids(points, order, kind, checks);
  return checks;
}

}  // namespace bubblix
