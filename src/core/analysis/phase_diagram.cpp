#include "core/analysis/phase_diagram.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "core/base/errors.h"
#include "core/base/units.h"
#include "core/data/experimental_data.h"
#include "core/data/mixture_loading.h"
#include "core/io/number_format.h"
#include "core/models/equilibrium_point.h"
#include "core/models/solvers.h"
#include "core/numerics/bracketed_root.h"
#include "core/numerics/root_polish.h"
#include "core/texts/analysis_texts.h"

namespace bubblix {
namespace {

constexpr Real kNaN = std::numeric_limits<Real>::quiet_NaN();

// Half-widths of the first-estimate spans around a guess, and around the pure-component values.
constexpr Real kGuessSpanTau = 0.01L;       // 2.7 K
constexpr Real kGuessSpanPressure = 0.05L;  // relative
constexpr Real kPureSpanTau = 0.02L;
constexpr Real kPureSpanPressure = 0.2L;  // relative
// The pure boiling temperature is looked for in this range of tau (-136.6 to 546.3 degC).
constexpr Real kBoilingSearchLow = 0.5L;
constexpr Real kBoilingSearchHigh = 3.0L;
constexpr Real kBoilingSearchStep = 0.05L;
// A bubble solution whose sum y - 1 at the polished root is larger is not taken.
constexpr Real kBubbleSumLimit = 1e-6L;

bool usable(Real v) {
  return std::isfinite(v) && v > 0.0L;
}

CompositionVector binary(Real first) {
  CompositionVector v{};
  v[0] = first;
  v[1] = 1.0L - first;
  return v;
}

bool insideUnit(Real v) {
  return v >= -kCompositionSlack && v <= 1.0L + kCompositionSlack;
}

// The first estimate spans (A, B) of the bubble solver for one condition, in the solver's
// units: tau, or mm Hg.
struct Span {
  Real A;
  Real B;
};

}  // namespace

std::vector<std::span<const EquilibriumPoint>> ModelCurve::segments() const {
  std::vector<std::span<const EquilibriumPoint>> runs;
  std::size_t begin = 0;
  std::size_t skipped = 0;
  for (std::size_t k = 1; k <= Points.size(); ++k) {
    bool cut = k == Points.size();
    if (!cut) {
      // A skipped fraction between the previous point and this one cuts the run.
      while (skipped < Skipped.size() && Skipped[skipped] <= given(Points[k - 1]))
        ++skipped;
      cut = skipped < Skipped.size() && Skipped[skipped] < given(Points[k]);
    }
    if (cut) {
      runs.emplace_back(Points.data() + begin, k - begin);
      begin = k;
    }
  }
  return runs;
}

BinaryEquilibrium::BinaryEquilibrium(const Mixture& mixture, const TParameterSet& set)
    : mixture_(&mixture), set_(set) {
  if (set.ComponentCount != 2) {
    throw InputError(kAnalysisNotBinary, {std::to_string(set.ComponentCount)});
  }
  validateParameterSet(set);
  for (int slot = 0; slot < 2; ++slot) {
    if (mixture.Records[slot] == nullptr) {
      throw InputError(kAnalysisComponentNotLoaded, {std::to_string(slot + 1)});
    }
  }
}

std::array<Real, 2> BinaryEquilibrium::lnGamma(Real x1, Real tau) const {
  const CompositionVector x = binary(x1);
  CompositionVector gamma{};
  modelGamma(*mixture_, set_, x, gamma, tau);
  return {std::log(gamma[0]), std::log(gamma[1])};
}

Real BinaryEquilibrium::vapourPressure(int slot, Real tau) const {
  return SaturationPressure(*mixture_, slot, tau);
}

Real boilingTauOfPure(const Mixture& mixture, int slot, Real P) {
  // g(tau) = Psat(tau) - P; a look-up out of its range counts as undefined.
  const auto g = [&](Real tau) -> Real {
    try {
      return SaturationPressure(mixture, slot, tau) - P;
    } catch (const ArithmeticError&) {
      return kNaN;
    }
  };
  Real low = kNaN;
  Real gLow = kNaN;
  for (Real tau = kBoilingSearchLow; tau <= kBoilingSearchHigh + 1e-12L;
       tau += kBoilingSearchStep) {
    const Real value = g(tau);
    if (!std::isfinite(value)) continue;
    if (value == 0.0L) return tau;
    if (value > 0.0L && std::isfinite(gLow) && gLow < 0.0L) return bisectRoot(g, low, tau);
    low = tau;
    gLow = value;
  }
  throw NoConvergenceError(kPureBoilingPointNotFound,
                           {std::to_string(slot + 1), formatFixed(paToMmHg(P), 2)});
}

Real BinaryEquilibrium::pureBoilingTau(int slot, Real P) const {
  return boilingTauOfPure(*mixture_, slot, P);
}

Real BinaryEquilibrium::pureUnknown(Condition c, int slot) const {
  return c.isobaric() ? pureBoilingTau(slot, c.Value) : vapourPressure(slot, c.Value);
}

std::optional<EquilibriumPoint> BinaryEquilibrium::bubblePoint(Condition c, Real x1,
                                                               Real guess) const {
  checkPoint(c, "x1", x1);
  const bool isobaric = c.isobaric();
  const auto solve = [&](Span span) -> std::optional<EquilibriumPoint> {
    if (!usable(span.A) || !usable(span.B) || span.A == span.B) return std::nullopt;
    CompositionVector x = binary(x1);
    CompositionVector y{};
    CompositionVector gamma{};
    Real tau = isobaric ? 0.0L : c.Value;
    Real P = isobaric ? c.Value : 0.0L;
    const SolveResult result = SolveEquilibrium(*mixture_, isobaric ? 'T' : 'P', 'y', span.A,
                                                span.B, tau, P, set_, x, gamma, y);
    // The curves keep to points the iteration itself finds (SolveResult::Fallback): the
    // fallbacks also find points far outside the property data, such as at 1 Pa.
    if (!result.converged() || result.Fallback != SolveFallback::None ||
        !usable(result.RootEstimate)) {
      return std::nullopt;
    }
    Real& unknown = isobaric ? tau : P;
    const UNIFACComposition unifac =
        set_.ModelCode == Model::UNIFAC ? prepareUNIFAC(*mixture_, set_, x) : UNIFACComposition{};
    const auto f = [&](Real value) {
      unknown = value;
      return BubbleSum(*mixture_, set_, x, y, gamma, tau, P,
                       set_.ModelCode == Model::UNIFAC ? &unifac : nullptr);
    };
    Real sum = kNaN;
    try {
      const Real root = polishedRoot(f, result.RootEstimate);
      sum = f(root);  // y and the unknown at the polished root
    } catch (const ArithmeticError&) {
      return std::nullopt;
    }
    if (!std::isfinite(sum) || std::fabs(sum) > kBubbleSumLimit || !std::isfinite(y[0]) ||
        !insideUnit(y[0])) {
      return std::nullopt;
    }
    return EquilibriumPoint{x1, y[0], tau, P};
  };

  if (usable(guess)) {
    const Span span = isobaric ? Span{guess - kGuessSpanTau, guess + kGuessSpanTau}
                               : Span{paToMmHg(guess) * (1.0L - kGuessSpanPressure),
                                      paToMmHg(guess) * (1.0L + kGuessSpanPressure)};
    if (auto point = solve(span)) return point;
  }
  try {
    const Real u0 = pureUnknown(c, 0);
    const Real u1 = pureUnknown(c, 1);
    const Real low = std::min(u0, u1);
    const Real high = std::max(u0, u1);
    const Span span = isobaric ? Span{low - kPureSpanTau, high + kPureSpanTau}
                               : Span{paToMmHg(low) * (1.0L - kPureSpanPressure),
                                      paToMmHg(high) * (1.0L + kPureSpanPressure)};
    if (auto point = solve(span)) return point;
  } catch (const Error&) {
    // No pure-component span: the dialogue's start remains.
  }
  // The start of the interactive equilibrium dialogue.
  const SolverStart start =
      isobaric ? temperatureTaskStart(c.Value) : pressureTaskStart(celsiusFromTau(c.Value));
  return solve(Span{start.A, start.B});
}

std::optional<EquilibriumPoint> BinaryEquilibrium::dewPoint(Condition c, Real y1,
                                                            const EquilibriumPoint* start) const {
  checkPoint(c, "y1", y1);
  const bool isobaric = c.isobaric();
  const char task = isobaric ? 'T' : 'P';
  const CompositionVector y = binary(y1);
  Real tau = isobaric ? 0.0L : c.Value;
  Real P = isobaric ? c.Value : 0.0L;
  CompositionVector x{};
  if (start == nullptr) {
    CompositionVector gamma{};
    CompositionVector vapour = y;
    // A and B belong to the bubble problem; the dew problem only needs them positive.
    const SolveResult result =
        SolveEquilibrium(*mixture_, task, 'x', 1.0L, 1.0L, tau, P, set_, x, gamma, vapour);
    if (!result.converged() || result.Fallback != SolveFallback::None) return std::nullopt;
  } else {
    std::array<Real, 3> v{start->x1, 1.0L - start->x1, start->unknown(c.Kind)};
    if (!usable(v[2])) return std::nullopt;
    CompositionVector gamma{};
    const auto F = [&](std::span<const Real> point, std::span<Real> out) {
      try {
        DewResidual(*mixture_, task, point, y, P, tau, set_, out, gamma);
      } catch (const ArithmeticError&) {
        std::fill(out.begin(), out.end(), kNaN);
      }
    };
    const SolveResult result = NewtonSolve(3, std::span<Real>(v), F, kSolverTolerance);
    if (!result.converged()) return std::nullopt;
    x[0] = v[0];
    x[1] = v[1];
    (isobaric ? tau : P) = v[2];
  }
  if (!usable(tau) || !usable(P) || !insideUnit(x[0]) || !insideUnit(x[1])) return std::nullopt;
  return EquilibriumPoint{x[0], y1, tau, P};
}

namespace {

void validateValue(Condition c) {
  if (!usable(c.Value)) {
    if (c.isobaric()) {
      throw InputError(kAnalysisPressureInvalid, {formatGeneral(c.Value, 10)});
    }
    throw InputError(kAnalysisTemperatureInvalid, {formatGeneral(celsiusFromTau(c.Value), 10)});
  }
}

}  // namespace

void validateCondition(Condition c, int points) {
  if (points < kMinCurvePoints || points > kMaxCurvePoints) {
    throw InputError(kAnalysisPointCount, {std::to_string(points), std::to_string(kMinCurvePoints),
                                           std::to_string(kMaxCurvePoints)});
  }
  validateValue(c);
}

void BinaryEquilibrium::checkPoint(Condition c, const char* name, Real fraction) {
  validateValue(c);
  if (!(fraction >= 0.0L && fraction <= 1.0L)) {
    throw InputError(kAnalysisFractionInvalid, {name, formatGeneral(fraction, 10)});
  }
}

namespace {

Real fractionAt(int k, int points) {
  return k == points - 1 ? 1.0L : static_cast<Real>(k) / static_cast<Real>(points - 1);
}

Real pureOrNone(const BinaryEquilibrium& eq, Condition c, int slot) {
  try {
    return eq.pureUnknown(c, slot);
  } catch (const Error&) {
    return 0.0L;
  }
}

}  // namespace

ModelCurve bubbleCurve(const BinaryEquilibrium& eq, Condition c, int points) {
  validateCondition(c, points);
  ModelCurve curve;
  curve.Bubble = true;
  curve.Requested = points;
  curve.Points.reserve(static_cast<std::size_t>(points));
  const Real pure = pureOrNone(eq, c, 1);  // x1 = 0 is the second component alone
  for (int k = 0; k < points; ++k) {
    const Real x1 = fractionAt(k, points);
    Real guess = pure;
    const std::size_t solved = curve.Points.size();
    if (solved >= 2) {
      const EquilibriumPoint& a = curve.Points[solved - 2];
      const EquilibriumPoint& b = curve.Points[solved - 1];
      guess =
          b.unknown(c.Kind) + (b.unknown(c.Kind) - a.unknown(c.Kind)) * (x1 - b.x1) / (b.x1 - a.x1);
    } else if (solved == 1) {
      guess = curve.Points[0].unknown(c.Kind);
    }
    if (const auto point = eq.bubblePoint(c, x1, guess)) {
      curve.Points.push_back(*point);
    } else {
      curve.Skipped.push_back(x1);
    }
  }
  return curve;
}

ModelCurve dewCurve(const BinaryEquilibrium& eq, Condition c, int points) {
  validateCondition(c, points);
  const auto n = static_cast<std::size_t>(points);
  std::vector<std::optional<EquilibriumPoint>> best(n);
  const auto offer = [&](std::size_t k, const std::optional<EquilibriumPoint>& candidate) {
    if (!candidate) return;
    std::optional<EquilibriumPoint>& current = best[k];
    const bool better =
        !current || (c.isobaric() ? candidate->tau > current->tau : candidate->P < current->P);
    if (better) current = candidate;
  };
  for (std::size_t k = 0; k < n; ++k)
    offer(k, eq.dewPoint(c, fractionAt(static_cast<int>(k), points)));

  // The two sweeps, each started at its pure component and continued from its own last
  // solution.
  for (int direction : {+1, -1}) {
    const int slot = direction > 0 ? 1 : 0;  // y1 = 0 is the second component alone
    const Real pure = pureOrNone(eq, c, slot);
    std::optional<EquilibriumPoint> previous;
    if (usable(pure)) {
      EquilibriumPoint start;
      start.x1 = direction > 0 ? 0.0L : 1.0L;
      start.y1 = start.x1;
      start.tau = c.isobaric() ? pure : c.Value;
      start.P = c.isobaric() ? c.Value : pure;
      previous = start;
    }
    for (std::size_t step = 0; step < n; ++step) {
      const std::size_t k = direction > 0 ? step : n - 1 - step;
      if (!previous) continue;
      const auto point = eq.dewPoint(c, fractionAt(static_cast<int>(k), points), &*previous);
      if (point) previous = point;
      offer(k, point);
    }
  }

  ModelCurve curve;
  curve.Bubble = false;
  curve.Requested = points;
  for (std::size_t k = 0; k < n; ++k) {
    if (best[k]) {
      curve.Points.push_back(*best[k]);
    } else {
      curve.Skipped.push_back(fractionAt(static_cast<int>(k), points));
    }
  }
  return curve;
}

namespace {

// The pressure all the points of the set's first two components share, or none.
std::optional<Real> setDataPressure(const Database& db, const TParameterSet& set) {
  if (set.ComponentCount < 2) return std::nullopt;
  return pairCommonPressure(db, set.Components[0], set.Components[1]);
}

}  // namespace

Real dataSetPressure(const Database& db, const TParameterSet& set) {
  return setDataPressure(db, set).value_or(kDefaultDiagramPressure);
}

std::vector<MeasuredPoint> measuredPoints(const Database& db, const TParameterSet& set) {
  std::vector<MeasuredPoint> points;
  if (set.ComponentCount < 2 || !pairHasData(db, set.Components[0], set.Components[1])) {
    return points;
  }
  const ExperimentalPoints data = pairExperimentalPoints(db, set.Components[0], set.Components[1]);
  points.reserve(data.tau.size());
  for (std::size_t k = 0; k < data.tau.size(); ++k)
    points.push_back(MeasuredPoint{data.x1[k], data.y1[k], data.tau[k],
                                   k < data.Pressures.size() ? data.Pressures[k] : data.P});
  return points;
}

PhaseDiagram isobaricDiagram(const Database& db, const BinaryEquilibrium& eq, std::optional<Real> P,
                             int points) {
  PhaseDiagram diagram;
  const Real pressure = P ? *P : dataSetPressure(db, eq.set());
  diagram.At = Condition::atPressure(pressure);
  validateCondition(diagram.At, points);
  diagram.Bubble = bubbleCurve(eq, diagram.At, points);
  diagram.Dew = dewCurve(eq, diagram.At, points);
  const std::optional<Real> dataPressure = setDataPressure(db, eq.set());
  if (dataPressure && std::fabs(*dataPressure - pressure) <= 1e-6L) {
    diagram.Measured = measuredPoints(db, eq.set());
  }
  return diagram;
}

PhaseDiagram isothermalDiagram(const BinaryEquilibrium& eq, Real tau, int points) {
  PhaseDiagram diagram;
  diagram.At = Condition::atTau(tau);
  validateCondition(diagram.At, points);
  diagram.Bubble = bubbleCurve(eq, diagram.At, points);
  diagram.Dew = dewCurve(eq, diagram.At, points);
  return diagram;
}

Mixture binaryMixture(const Database& db, const TParameterSet& set, Language lang) {
  if (set.ComponentCount != 2) {
    throw InputError(kAnalysisNotBinary, {std::to_string(set.ComponentCount)});
  }
  for (const int number : componentNumbers(set)) {
    if (number < 1 || number > static_cast<int>(db.ComponentBase.size())) {
      throw InputError(kAnalysisComponentNumber,
                       {std::to_string(number), std::to_string(db.ComponentBase.size())});
    }
  }
  return loadMixture(db, componentNumbers(set), lang);
}

Real shownUnknown(DiagramKind kind, const EquilibriumPoint& p) {
  return kind == DiagramKind::Isobaric ? celsiusFromTau(p.tau) : paToMmHg(p.P);
}

DiagramLabels makeDiagramLabels(const PhaseDiagram& diagram, const TParameterSet& set,
                                const std::array<std::string, 2>& names, Language lang,
                                std::string_view decimalSeparator) {
  const bool isobaric = diagram.At.isobaric();
  const std::string fixed =
      formatFixed(isobaric ? paToMmHg(diagram.At.Value) : celsiusFromTau(diagram.At.Value), 2,
                  decimalSeparator);
  const std::string model(modelName(set.ModelCode));
  const std::vector<std::string> titleArgs{names[0], names[1], fixed, model};
  DiagramLabels labels;
  labels.MainTitle = render(isobaric ? kTxyDiagramTitle : kPxyDiagramTitle, lang, titleArgs);
  labels.XyTitle = render(isobaric ? kXyDiagramTitle : kIsothermalXyDiagramTitle, lang, titleArgs);
  labels.CompositionAxis = render(kCompositionAxis, lang, {names[0]});
  labels.UnknownAxis = render(isobaric ? kTemperatureAxis : kPressureAxis, lang);
  labels.LiquidAxis = render(kLiquidFractionAxis, lang, {names[0]});
  labels.VapourAxis = render(kVapourFractionAxis, lang, {names[0]});
  labels.BubbleLegend = render(kBubbleCurveLegend, lang);
  labels.DewLegend = render(kDewCurveLegend, lang);
  labels.ModelXyLegend = render(kModelXyLegend, lang);
  labels.DiagonalLegend = render(kDiagonalLegend, lang);
  labels.MeasuredLiquidLegend = render(kMeasuredLiquidLegend, lang);
  labels.MeasuredVapourLegend = render(kMeasuredVapourLegend, lang);
  labels.MeasuredXyLegend = render(kMeasuredXyLegend, lang);
  labels.AzeotropeLegend = render(kAzeotropeLegend, lang);
  labels.LiquidSplitLegend = render(kLiquidSplitLegend, lang);
  return labels;
}

}  // namespace bubblix
