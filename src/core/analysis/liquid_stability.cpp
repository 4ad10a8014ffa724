#include "core/analysis/liquid_stability.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "core/base/errors.h"
#include "core/base/units.h"
#include "core/io/number_format.h"
#include "core/texts/analysis_texts.h"

namespace bubblix {
namespace {

// Bisection steps at most for one end of a range: 0.01 / 2^60 is far below kSplitTolerance.
constexpr int kMaxBisections = 60;

struct Sample {
  EquilibriumPoint point;
  bool unstable = false;
};

Real interpolate(Real x, const EquilibriumPoint& a, const EquilibriumPoint& b, DiagramKind kind) {
  if (b.x1 == a.x1) return a.unknown(kind);
  return a.unknown(kind) + (b.unknown(kind) - a.unknown(kind)) * (x - a.x1) / (b.x1 - a.x1);
}

std::optional<bool> unstableAt(const BinaryEquilibrium& eq, const EquilibriumPoint& p) {
  try {
    return mixingCurvature(eq, p.x1, p.tau) < 0.0L;
  } catch (const Error&) {
    return std::nullopt;
  }
}

// The unstable end of the bracket between a stable and an unstable sample, narrowed by
// bisection until the two are within kSplitTolerance or a point cannot be solved or tested.
EquilibriumPoint boundary(const BinaryEquilibrium& eq, Condition c, const Sample& stable,
                          const Sample& unstable) {
  Real s = stable.point.x1;
  EquilibriumPoint u = unstable.point;
  for (int i = 0; i < kMaxBisections && std::fabs(u.x1 - s) > kSplitTolerance; ++i) {
    const Real m = s + (u.x1 - s) / 2.0L;
    const auto p = eq.bubblePoint(c, m, interpolate(m, stable.point, unstable.point, c.Kind));
    if (!p) break;
    const std::optional<bool> bad = unstableAt(eq, *p);
    if (!bad) break;
    if (*bad) {
      u = *p;
    } else {
      s = m;
    }
  }
  return u;
}

}  // namespace

Real mixingCurvature(const BinaryEquilibrium& eq, Real x1, Real tau) {
  if (!(x1 > 0.0L && x1 < 1.0L)) {
    throw InputError(kStabilityFractionOutside, {formatGeneral(x1, 10)});
  }
  const Real x2 = 1.0L - x1;
  const Real h = std::min({kStabilityStep, x1 / 3.0L, x2 / 3.0L});
  const auto ratio = [&](Real x) {
    const std::array<Real, 2> lnGamma = eq.lnGamma(x, tau);
    return lnGamma[0] - lnGamma[1];
  };
  const Real derivative = (ratio(x1 + h) - ratio(x1 - h)) / (2.0L * h);
  const Real value = 1.0L / (x1 * x2) + derivative;
  if (!std::isfinite(value)) {
    throw ArithmeticError(kStabilityNotFinite,
                          {formatGeneral(x1, 10), formatGeneral(celsiusFromTau(tau), 10)});
  }
  return value;
}

std::vector<SplitRange> findLiquidSplit(const BinaryEquilibrium& eq, Condition c,
                                        const ModelCurve& bubble) {
  std::vector<Sample> samples;
  for (const EquilibriumPoint& p : bubble.Points) {
    if (!(p.x1 > 0.0L && p.x1 < 1.0L)) continue;
    if (const std::optional<bool> bad = unstableAt(eq, p)) samples.push_back({p, *bad});
  }
  std::vector<SplitRange> ranges;
  if (samples.empty()) return ranges;
  // The pure liquids are stable: ends at x1 = 0 and 1, with the unknown of the nearest sample
  // as the guess of the refinement's bubble points.
  Sample low = samples.front();
  low.point.x1 = 0.0L;
  low.unstable = false;
  Sample high = samples.back();
  high.point.x1 = 1.0L;
  high.unstable = false;
  if (!bubble.Points.empty() && bubble.Points.front().x1 == 0.0L) low.point = bubble.Points.front();
  if (!bubble.Points.empty() && bubble.Points.back().x1 == 1.0L) high.point = bubble.Points.back();
  samples.insert(samples.begin(), low);
  samples.push_back(high);

  std::optional<EquilibriumPoint> from;
  for (std::size_t k = 1; k < samples.size(); ++k) {
    const Sample& a = samples[k - 1];
    const Sample& b = samples[k];
    if (!a.unstable && b.unstable) from = boundary(eq, c, a, b);
    if (a.unstable && !b.unstable && from) {
      ranges.push_back({*from, boundary(eq, c, b, a)});
      from.reset();
    }
  }
  return ranges;
}

}  // namespace bubblix
