#include "core/analysis/azeotrope.h"

#include <cmath>
#include <optional>

#include "core/base/errors.h"
#include "core/numerics/bracketed_root.h"

namespace bubblix {
namespace {

// Halvings of the first interior interval tried to find the sign of f next to a pure end.
constexpr int kEndHalvings = 40;

int signOf(Real v) {
  return v > 0.0L ? 1 : (v < 0.0L ? -1 : 0);
}

// The bubble point at a pure end (x1 = 0 or 1): the curve's own end point when it was solved,
// else the pure component's boiling temperature or vapour pressure.
std::optional<EquilibriumPoint> endPoint(const BinaryEquilibrium& eq, Condition c,
                                         const ModelCurve& bubble, int whichEnd) {
  const Real x1 = whichEnd == 0 ? 0.0L : 1.0L;
  if (!bubble.Points.empty()) {
    const EquilibriumPoint& p = whichEnd == 0 ? bubble.Points.front() : bubble.Points.back();
    if (p.x1 == x1) return p;
  }
  try {
    const Real u = eq.pureUnknown(c, whichEnd == 0 ? 1 : 0);
    EquilibriumPoint p{x1, x1, c.isobaric() ? u : c.Value, c.isobaric() ? c.Value : u};
    return p;
  } catch (const Error&) {
    return std::nullopt;
  }
}

struct Sample {
  EquilibriumPoint point;
  int sign = 0;
  bool end = false;
};

Real interpolate(Real x, const EquilibriumPoint& a, const EquilibriumPoint& b, DiagramKind kind) {
  if (b.x1 == a.x1) return a.unknown(kind);
  return a.unknown(kind) + (b.unknown(kind) - a.unknown(kind)) * (x - a.x1) / (b.x1 - a.x1);
}

// The refined azeotrope between two samples of opposite sign; nullopt when no interior point
// of the right sign is found next to an end.
std::optional<Azeotrope> refine(const BinaryEquilibrium& eq, Condition c, Sample lo, Sample hi) {
  const EquilibriumPoint left = lo.point;
  const EquilibriumPoint right = hi.point;
  std::vector<EquilibriumPoint> evaluated;
  const auto f = [&](Real x) -> std::optional<Real> {
    const auto p = eq.bubblePoint(c, x, interpolate(x, left, right, c.Kind));
    if (!p) return std::nullopt;
    evaluated.push_back(*p);
    return p->y1 - p->x1;
  };
  // Next to an end f vanishes at the end itself: move inwards until f shows the end's sign.
  for (Sample* s : {&lo, &hi}) {
    if (!s->end) continue;
    const Sample& other = s == &lo ? hi : lo;
    Real offset = other.point.x1 - s->point.x1;
    bool found = false;
    for (int k = 0; k < kEndHalvings && !found; ++k) {
      offset /= 2.0L;
      const Real x = s->point.x1 + offset;
      const std::optional<Real> value = f(x);
      if (value && signOf(*value) == s->sign) {
        s->point = evaluated.back();
        s->end = false;
        found = true;
      }
    }
    if (!found) return std::nullopt;
  }
  evaluated.push_back(lo.point);
  evaluated.push_back(hi.point);
  const BracketedRootResult root =
      bracketedRoot(f, lo.point.x1, hi.point.x1, lo.point.y1 - lo.point.x1,
                    hi.point.y1 - hi.point.x1, kAzeotropeTolerance);
  Azeotrope azeotrope;
  azeotrope.Kind = lo.sign > 0 ? AzeotropeKind::MinimumBoiling : AzeotropeKind::MaximumBoiling;
  azeotrope.Point = evaluated.back();
  for (const EquilibriumPoint& p : evaluated) {
    if (p.x1 == root.x) {
      azeotrope.Point = p;
      break;
    }
  }
  return azeotrope;
}

}  // namespace

int endSign(const BinaryEquilibrium& eq, const EquilibriumPoint& end, int whichEnd) {
  // Infinite dilution of the component that vanishes at this end.
  const int dilute = whichEnd == 0 ? 0 : 1;
  const std::array<Real, 2> lnGamma = eq.lnGamma(whichEnd == 0 ? 0.0L : 1.0L, end.tau);
  const Real K = std::exp(lnGamma[static_cast<std::size_t>(dilute)]) *
                 eq.vapourPressure(dilute, end.tau) / end.P;
  if (!std::isfinite(K)) return 0;
  const int sign = signOf(K - 1.0L);
  return whichEnd == 0 ? sign : -sign;
}

std::vector<Azeotrope> findAzeotropes(const BinaryEquilibrium& eq, Condition c,
                                      const ModelCurve& bubble) {
  std::vector<Sample> samples;
  const auto addEnd = [&](int whichEnd) {
    const auto p = endPoint(eq, c, bubble, whichEnd);
    if (!p) return;
    try {
      samples.push_back({*p, endSign(eq, *p, whichEnd), true});
    } catch (const Error&) {
      // No limiting slope: the end takes no part in the scan.
    }
  };
  addEnd(0);
  for (const EquilibriumPoint& p : bubble.Points) {
    if (p.x1 > 0.0L && p.x1 < 1.0L) samples.push_back({p, signOf(p.y1 - p.x1), false});
  }
  addEnd(1);

  std::vector<Azeotrope> found;
  for (std::size_t k = 0; k < samples.size(); ++k) {
    const Sample& s = samples[k];
    if (!s.end && s.sign == 0) {
      // Exactly on the diagonal at a curve point: its kind from the nearest signs around it.
      int before = 0;
      int after = 0;
      for (std::size_t i = k; i-- > 0 && before == 0;)
        before = samples[i].sign;
      for (std::size_t i = k + 1; i < samples.size() && after == 0; ++i)
        after = samples[i].sign;
      if (before != 0 && after == -before) {
        Azeotrope a;
        a.Point = s.point;
        a.Kind = before > 0 ? AzeotropeKind::MinimumBoiling : AzeotropeKind::MaximumBoiling;
        found.push_back(a);
      }
      continue;
    }
    if (k + 1 >= samples.size()) break;
    const Sample& next = samples[k + 1];
    if (s.sign != 0 && next.sign == -s.sign) {
      if (auto a = refine(eq, c, s, next)) found.push_back(*a);
    }
  }
  return found;
}

}  // namespace bubblix
