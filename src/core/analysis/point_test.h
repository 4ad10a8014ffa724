#pragma once
// The point test of binary equilibrium data (Van Ness, Byer and Gibbs 1973, in the form of
// Fredenslund, Gmehling and Rasmussen 1977). The excess Gibbs energy is a Legendre series in
// z = 2 x1 - 1 with coefficients independent of T:
//   g = G^E / RT = x1 x2 sum_{k=0}^{m-1} a_k L_k(z),   L_0 = 1, L_1 = z,
//   (k + 1) L_{k+1} = (2k + 1) z L_k - k L_{k-1},
//   ln gamma1 = g + x2 g',  ln gamma2 = g - x1 g'   (g' = dg/dx1).
// The a_k are fitted by least squares (least_squares.h) to the measured temperatures of an
// isobaric set (the bubble temperature at each point's P) or to the measured pressures of
// any other set (the bubble pressure at each point's own t), through bubble points of the
// project's bubble solver with these gamma (a model object, TVLEObj::Solve), each finished
// from the solver's root estimate by Newton steps (root_polish.h) so that the unknown and y
// belong to the same converged root. The start is the linear fit of g / (x1 x2) to the g of
// the data; where the series of that start has no bubble point at some point, the fit goes by
// continuation instead: m = 1 from its linear start, then each k from the k - 1 terms' result
// with a_{k-1} = 0. The points are those with 0 < x1 < 1 and 0 < y1 < 1 (dataActivityCoefficients).
//
// Results: the a_k; per point the calculated unknown and y1; mean |dy1| (dy1 = y1,calc -
// y1,measured), mean |dt| (K) or |dP| (Pa); the Durbin-Watson statistic of the dy1 in
// ascending x1, d = sum_{k>=1} (dy1_k - dy1_{k-1})^2 / sum dy1_k^2 (about 2 for residuals
// without a trend, near 0 for a systematic run). Consistent when mean |dy1| < 0.01.

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/analysis/consistency_data.h"
#include "core/base/errors.h"
#include "core/base/real.h"
#include "core/data/properties.h"
#include "core/texts/text.h"

namespace bubblix {

inline constexpr int kDefaultLegendreTerms = 3;
inline constexpr int kMinLegendreTerms = 1;
inline constexpr int kMaxLegendreTerms = 5;
inline constexpr Real kPointTestLimit = 0.01L;  // on mean |dy1|

// ln gamma1 and ln gamma2 of the series with the coefficients a (1 to 5 of them) at x1.
std::array<Real, 2> legendreLnGamma(std::span<const Real> a, Real x1);

struct PointTestPoint {
  std::size_t Index = 0;  // position in the set
  Real x1 = 0;
  Real y1Measured = 0;
  Real y1Calculated = 0;
  Real Measured = 0;    // tau (temperatures fitted) or P, Pa
  Real Calculated = 0;  // the bubble tau or P of the series
};

// Why a point test could not be completed.
struct PointTestFailure {
  const Text* Reason = nullptr;  // kPointTestTooFewPoints, kPointTestBubbleFailed or
                                 // kPointTestFitFailed
  std::size_t Index = 0;         // kPointTestBubbleFailed: the point (position in the set)
  Real x1 = 0;
  std::optional<Error> Cause;  // kPointTestBubbleFailed: the solver's error

  std::string message(Language lang) const;
};

struct PointTestResult {
  std::optional<PointTestFailure> Failure;  // when set, nothing below holds a result
  int Terms = 0;                            // m
  bool FitsPressures = false;               // the unknown is P (not isobaric) or tau
  std::vector<Real> Coefficients;           // a_0 .. a_{m-1}
  std::vector<PointTestPoint> Points;       // ascending x1
  Real MeanAbsDy = 0;
  Real MeanAbsDt = 0;                // K, temperatures fitted
  Real MeanAbsDp = 0;                // Pa, pressures fitted
  std::optional<Real> DurbinWatson;  // none when every dy1 is zero
};

// The bubble point of the series at one measured point: the unknown (tau when
// `temperatureTask`, else P in Pa) and y1. Throws NoConvergenceError or ArithmeticError
// when the solver finds none.
struct SeriesBubblePoint {
  Real Unknown = 0;
  Real y1 = 0;
};
SeriesBubblePoint seriesBubble(const Mixture& mixture, std::span<const Real> a,
                               const DataPoint& point, bool temperatureTask);

// The test on the points (ascending x1, as dataActivityCoefficients gives them). Throws
// InputError for m outside 1..5. Fewer points than m, a bubble point of the series that cannot
// be found at the start or at the end of the fit, or a fit that does not converge come back
// as the result's Failure.
PointTestResult runPointTest(const Mixture& mixture, std::span<const DataGamma> points,
                             DataSetKind kind, int terms = kDefaultLegendreTerms);

}  // namespace bubblix
