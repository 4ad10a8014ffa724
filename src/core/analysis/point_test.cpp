#include "core/analysis/point_test.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "core/base/units.h"
#include "core/io/number_format.h"
#include "core/models/parameter_set.h"
#include "core/models/vle_object.h"
#include "core/numerics/least_squares.h"
#include "core/numerics/root_polish.h"
#include "core/texts/consistency_texts.h"

namespace bubblix {
namespace {

// Half-widths of the bubble solver's first-estimate span around the measured value.
constexpr Real kSpanTau = 0.01L;       // 2.7 K
constexpr Real kSpanPressure = 0.05L;  // relative
// A polished bubble point whose sum y - 1 is larger is no bubble point.
constexpr Real kSeriesSumLimit = 1e-9L;

// L_k(z) and dL_k/dz for k < m.
struct LegendreValues {
  std::array<Real, kMaxLegendreTerms> L{};
  std::array<Real, kMaxLegendreTerms> dL{};
};

LegendreValues legendre(int m, Real z) {
  LegendreValues v;
  v.L[0] = 1.0L;
  v.dL[0] = 0.0L;
  if (m > 1) {
    v.L[1] = z;
    v.dL[1] = 1.0L;
  }
  for (int k = 1; k + 1 < m; ++k) {
    const Real kk = static_cast<Real>(k);
    v.L[k + 1] = ((2.0L * kk + 1.0L) * z * v.L[k] - kk * v.L[k - 1]) / (kk + 1.0L);
    v.dL[k + 1] = v.dL[k - 1] + (2.0L * kk + 1.0L) * v.L[k];
  }
  return v;
}

// The series as a model object, so that the project's bubble solver solves its points.
class SeriesObject final : public TVLEObj {
 public:
  SeriesObject(const Mixture& mixture, std::span<const Real> a)
      : TVLEObj(mixture, kBinary), a_(a) {}

  void BubbleResidual(CompositionVector x, Real& sum, CompositionVector& y,
                      CompositionVector& gamma, Real P, Real tau) override {
    const std::array<Real, 2> lnGamma = legendreLnGamma(a_, x[0]);
    gamma[0] = std::exp(lnGamma[0]);
    gamma[1] = std::exp(lnGamma[1]);
    TVLEObj::BubbleResidual(x, sum, y, gamma, P, tau);
  }

 private:
  static constexpr std::uint8_t kBinary = 2;
  std::span<const Real> a_;
};

// TVLEObj::Solve reads a parameter set only for its input checks and for the dew problem;
// the series' own BubbleResidual gives gamma, so this set's model code and zero energies
// never enter a bubble point.
TParameterSet bubbleCarrierSet() {
  TParameterSet set;
  set.ModelCode = Model::Wilson;
  set.ComponentCount = 2;
  return set;
}

bool usable(Real v) {
  return std::isfinite(v) && v > 0.0L;
}

// The residual of one point: the unknown's difference in K (tau) or mm Hg (P).
Real residualOf(bool temperatureTask, Real calculated, Real measured) {
  return temperatureTask ? (calculated - measured) * kZeroCelsiusK
                         : paToMmHg(calculated - measured);
}

PointTestFailure failure(const Text& reason) {
  PointTestFailure f;
  f.Reason = &reason;
  return f;
}

}  // namespace

std::array<Real, 2> legendreLnGamma(std::span<const Real> a, Real x1) {
  const int m = static_cast<int>(a.size());
  const LegendreValues v = legendre(m, 2.0L * x1 - 1.0L);
  Real S = 0.0L;
  Real dS = 0.0L;  // dS/dx1 = 2 dS/dz
  for (int k = 0; k < m; ++k) {
    S += a[static_cast<std::size_t>(k)] * v.L[static_cast<std::size_t>(k)];
    dS += a[static_cast<std::size_t>(k)] * 2.0L * v.dL[static_cast<std::size_t>(k)];
  }
  const Real x2 = 1.0L - x1;
  const Real g = x1 * x2 * S;
  const Real dg = (x2 - x1) * S + x1 * x2 * dS;
  return {g + x2 * dg, g - x1 * dg};
}

std::string PointTestFailure::message(Language lang) const {
  if (Reason == &kPointTestBubbleFailed) {
    return render(kPointTestBubbleFailed, lang,
                  {std::to_string(Index + 1), formatGeneral(x1, 6),
                   Cause ? Cause->message(lang) : std::string()});
  }
  return Reason != nullptr ? render(*Reason, lang) : std::string();
}

SeriesBubblePoint seriesBubble(const Mixture& mixture, std::span<const Real> a,
                               const DataPoint& point, bool temperatureTask) {
  SeriesObject object(mixture, a);
  CompositionVector x{};
  x[0] = point.x1;
  x[1] = 1.0L - point.x1;
  CompositionVector gamma{};
  CompositionVector y{};
  Real tau = point.tau;
  Real P = point.P;
  const Real A =
      temperatureTask ? point.tau - kSpanTau : paToMmHg(point.P) * (1.0L - kSpanPressure);
  const Real B =
      temperatureTask ? point.tau + kSpanTau : paToMmHg(point.P) * (1.0L + kSpanPressure);
  const SolveResult result =
      object.Solve(temperatureTask ? 'T' : 'P', 'y', A, B, tau, P, bubbleCarrierSet(), x, gamma, y);
  result.throwIfFailed();

  Real& unknown = temperatureTask ? tau : P;
  const Real estimate = usable(result.RootEstimate) ? result.RootEstimate : unknown;
  const auto f = [&](Real value) {
    unknown = value;
    Real sum = 0.0L;
    object.BubbleResidual(x, sum, y, gamma, P, tau);
    if (!std::isfinite(sum)) throw ArithmeticError(kPointTestFitFailed);
    return sum;
  };
  const Real root = polishedRoot(f, estimate);
  const Real sum = f(root);  // y at the polished root
  if (!(std::fabs(sum) <= kSeriesSumLimit) || !std::isfinite(y[0])) {
    throw NoConvergenceError(kPointTestFitFailed);
  }
  return {root, y[0]};
}

PointTestResult runPointTest(const Mixture& mixture, std::span<const DataGamma> points,
                             DataSetKind kind, int terms) {
  if (terms < kMinLegendreTerms || terms > kMaxLegendreTerms) {
    throw InputError(kPointTestTermCount, {std::to_string(terms)});
  }
  PointTestResult result;
  result.Terms = terms;
  result.FitsPressures = kind != DataSetKind::Isobaric;
  const bool temperatureTask = !result.FitsPressures;
  const auto n = static_cast<int>(points.size());
  if (n < terms) {
    result.Failure = failure(kPointTestTooFewPoints);
    return result;
  }

  // The linear fit of g / (x1 x2) of the data by a series of k terms.
  const auto linearStart = [&](int k) {
    const ResidualFunction linear = [&](std::span<const Real> a, std::span<Real> r) {
      for (std::size_t i = 0; i < points.size(); ++i) {
        const DataPoint& p = points[i].Point;
        const Real g = p.x1 * points[i].LnGamma1 + (1.0L - p.x1) * points[i].LnGamma2;
        const LegendreValues v = legendre(k, 2.0L * p.x1 - 1.0L);
        Real S = 0.0L;
        for (int j = 0; j < k; ++j)
          S += a[static_cast<std::size_t>(j)] * v.L[static_cast<std::size_t>(j)];
        r[i] = g / (p.x1 * (1.0L - p.x1)) - S;
      }
      return true;
    };
    const std::vector<Real> zero(static_cast<std::size_t>(k), 0.0L);
    return minimiseSumOfSquares(linear, zero, n).Parameters;
  };

  // The point whose bubble point failed last, for the message when the fit cannot go on.
  std::optional<PointTestFailure> lastFailure;
  const auto bubbleAt = [&](std::span<const Real> a, const DataGamma& p) {
    try {
      return seriesBubble(mixture, a, p.Point, temperatureTask);
    } catch (const Error& error) {
      lastFailure = PointTestFailure{&kPointTestBubbleFailed, p.Index, p.Point.x1, error};
      throw;
    }
  };
  const ResidualFunction bubble = [&](std::span<const Real> a, std::span<Real> r) {
    try {
      for (std::size_t k = 0; k < points.size(); ++k) {
        const DataPoint& p = points[k].Point;
        const Real calculated = bubbleAt(a, points[k]).Unknown;
        r[k] = residualOf(temperatureTask, calculated, temperatureTask ? p.tau : p.P);
      }
      return true;
    } catch (const Error&) {
      return false;
    }
  };
  // The fit from a start; nothing when the start has no bubble points or the fit does not
  // converge (result.Failure then says which).
  const auto fitFrom = [&](const std::vector<Real>& start) -> std::optional<std::vector<Real>> {
    try {
      const LeastSquaresResult fit = minimiseSumOfSquares(bubble, start, n);
      if (fit.Converged) return fit.Parameters;
      result.Failure = failure(kPointTestFitFailed);
    } catch (const ArithmeticError&) {
      result.Failure = lastFailure;  // no bubble point at the start
    }
    return std::nullopt;
  };

  // From the linear start of all m terms; where its series has no bubble point at some point
  // (a start with a large gamma far from the data, as for a two-liquid set), by continuation:
  // the fit of k terms starts from that of k - 1 terms with a_{k-1} = 0.
  std::optional<std::vector<Real>> fitted = fitFrom(linearStart(terms));
  if (!fitted && terms > 1) {
    std::vector<Real> a = linearStart(1);
    for (int k = 1; k <= terms; ++k) {
      if (k > 1) a.push_back(0.0L);
      const std::optional<std::vector<Real>> stage = fitFrom(a);
      if (!stage) return result;
      a = *stage;
    }
    fitted = a;
    result.Failure.reset();
  }
  if (!fitted) return result;
  result.Coefficients = *fitted;

  Real sumDy = 0.0L;
  Real sumUnknown = 0.0L;
  for (const DataGamma& p : points) {
    SeriesBubblePoint calculated;
    try {
      calculated = bubbleAt(result.Coefficients, p);
    } catch (const Error&) {
      result.Failure = lastFailure;
      return result;
    }
    PointTestPoint row;
    row.Index = p.Index;
    row.x1 = p.Point.x1;
    row.y1Measured = p.Point.y1;
    row.y1Calculated = calculated.y1;
    row.Measured = temperatureTask ? p.Point.tau : p.Point.P;
    row.Calculated = calculated.Unknown;
    sumDy += std::fabs(row.y1Calculated - row.y1Measured);
    sumUnknown += std::fabs(row.Calculated - row.Measured);
    result.Points.push_back(row);
  }
  result.MeanAbsDy = sumDy / static_cast<Real>(n);
  if (temperatureTask) {
    result.MeanAbsDt = sumUnknown / static_cast<Real>(n) * kZeroCelsiusK;
  } else {
    result.MeanAbsDp = sumUnknown / static_cast<Real>(n);
  }

  Real numerator = 0.0L;
  Real denominator = 0.0L;
  for (std::size_t k = 0; k < result.Points.size(); ++k) {
    const Real e = result.Points[k].y1Calculated - result.Points[k].y1Measured;
    denominator += e * e;
    if (k > 0) {
      const Real d = e - (result.Points[k - 1].y1Calculated - result.Points[k - 1].y1Measured);
      numerator += d * d;
    }
  }
  if (denominator > 0.0L) result.DurbinWatson = numerator / denominator;
  return result;
}

}  // namespace bubblix
