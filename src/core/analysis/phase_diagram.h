#pragma once
// Binary phase diagrams of an activity-coefficient model: the bubble and dew curves of a
// binary mixture at a fixed pressure (t-x-y; its y-x curve is the bubble curve's (x1, y1))
// or at a fixed temperature (P-x-y), with the pair's measured points.
//
// Units: tau = T / 273.15 K, P in Pa; x1 and y1 are the liquid and vapour mole fractions of
// the mixture's first component (slot 0), whatever the order of the database numbers.
//
// Every point is solved by SolveEquilibrium (bubble: the parabolic start and the secant
// iteration; dew: the Newton iteration) with start values taken from the neighbouring point:
//   bubble  the first estimate spans guess -+ 0.01 (tau) or guess -+ 5 % (P), the guess being
//           the straight line through the two previous points (the pure-component boiling
//           temperature or vapour pressure at the first end); failing that, a span over both
//           pure-component values, then the interactive dialogue's span;
//   dew     the solver's own start, and the Newton iteration on DewResidual continued from the
//           previous dew point of a sweep upwards from y1 = 0 and of a sweep downwards from
//           y1 = 1; of the solutions whose liquid lies in 0 <= x1 <= 1 the dew point is the
//           highest temperature (t-x-y) or the lowest pressure (P-x-y), the point where a
//           cooled or compressed vapour forms its first liquid.
// A bubble point is reported at the secant's root estimate (SolveResult::RootEstimate, not
// the solver's last evaluation, which lies half a secant step away), polished by at most four
// Newton steps on the same bubble function, with y evaluated there: the unknown and y are
// then consistent to the last bits, which the azeotrope and split searches need.
// A point that no start solves is left out and counted; no value is ever NaN or infinite.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/base/real.h"
#include "core/data/database.h"
#include "core/data/properties.h"
#include "core/models/model_evaluation.h"
#include "core/models/model_types.h"
#include "core/models/parameter_set.h"
#include "core/texts/text.h"

namespace bubblix {

inline constexpr int kDefaultCurvePoints = 101;  // x1 = 0, 0.01, ..., 1
inline constexpr int kMinCurvePoints = 3;
inline constexpr int kMaxCurvePoints = 10001;
inline constexpr Real kDefaultDiagramPressure = 101308.0L;  // Pa, 760 mm Hg
// A solved liquid composition may leave 0..1 by this much (rounding of the Newton solution).
inline constexpr Real kCompositionSlack = 1e-9L;

// t-x-y at a fixed pressure, or P-x-y at a fixed temperature.
enum class DiagramKind : std::uint8_t { Isobaric, Isothermal };

// What is held fixed along a curve: the pressure (Pa) or the reduced temperature.
struct Condition {
  DiagramKind Kind = DiagramKind::Isobaric;
  Real Value = 0;  // P in Pa (Isobaric) or tau (Isothermal)

  static Condition atPressure(Real P) { return {DiagramKind::Isobaric, P}; }
  static Condition atTau(Real tau) { return {DiagramKind::Isothermal, tau}; }
  bool isobaric() const { return Kind == DiagramKind::Isobaric; }
};

// One vapour-liquid equilibrium point of a binary mixture.
struct EquilibriumPoint {
  Real x1 = 0;   // liquid
  Real y1 = 0;   // vapour
  Real tau = 0;  // T / 273.15 K
  Real P = 0;    // Pa

  // The unknown of the condition's curves: tau (isobaric) or P (isothermal).
  Real unknown(DiagramKind kind) const { return kind == DiagramKind::Isobaric ? tau : P; }
};

// A curve of a model: the solved points in ascending order of the given fraction (x1 for the
// bubble curve, y1 for the dew curve) and the given fractions that no start solved.
struct ModelCurve {
  bool Bubble = true;  // the given fraction is x1 (bubble curve) or y1 (dew curve)
  std::vector<EquilibriumPoint> Points;
  std::vector<Real> Skipped;  // ascending
  int Requested = 0;          // fractions tried: Points.size() + Skipped.size()

  Real given(const EquilibriumPoint& p) const { return Bubble ? p.x1 : p.y1; }
  // The runs of points with no skipped fraction between them, the pieces a renderer joins
  // with lines (a run of one point is drawn as a dot or not at all).
  std::vector<std::span<const EquilibriumPoint>> segments() const;
};

// One measured point of the pair, in the mixture's order.
struct MeasuredPoint {
  Real x1 = 0;
  Real y1 = 0;
  Real tau = 0;
  Real P = 0;  // Pa; 0 when the data give none (the built-in sets, drawn only isobaric)
};

// A binary mixture with its parameter set, checked once, and the single equilibrium points
// the curves are made of. The mixture must outlive the object.
class BinaryEquilibrium {
 public:
  // Throws InputError when the set is not one the solvers can use (validateParameterSet), does
  // not hold exactly two components, or the mixture's slot 0 or 1 has no component loaded.
  BinaryEquilibrium(const Mixture& mixture, const TParameterSet& set);

  const Mixture& mixture() const { return *mixture_; }
  const TParameterSet& set() const { return set_; }

  // The bubble point of the liquid x1 (0..1): tau at the condition's P, or P at its tau.
  // `guess` is the expected unknown (tau, or P in Pa); a value that is not positive and finite
  // means none. Tries the starts listed at the top; nullopt when none converges. Throws
  // InputError for a fraction outside 0..1 or a condition value that is not finite and
  // positive (also dewPoint).
  std::optional<EquilibriumPoint> bubblePoint(Condition c, Real x1, Real guess) const;

  // One dew point of the vapour y1 (0..1): by SolveEquilibrium's own start when `start` is
  // null, else by the Newton iteration on DewResidual from `start` (its x1 and unknown).
  // nullopt when the iteration fails or the liquid leaves 0..1.
  std::optional<EquilibriumPoint> dewPoint(Condition c, Real y1,
                                           const EquilibriumPoint* start = nullptr) const;

  // ln gamma_1 and ln gamma_2 of the liquid x1 at tau by the set's model.
  std::array<Real, 2> lnGamma(Real x1, Real tau) const;

  // Saturation pressure of slot 0 or 1 at tau, Pa.
  Real vapourPressure(int slot, Real tau) const;
  // Boiling tau of slot 0 or 1 at P (Pa): boilingTauOfPure below.
  Real pureBoilingTau(int slot, Real P) const;
  // The unknown of the pure component `slot` on the condition: its boiling tau at P or its
  // vapour pressure at tau.
  Real pureUnknown(Condition c, int slot) const;

 private:
  static void checkPoint(Condition c, const char* name, Real fraction);

  const Mixture* mixture_;
  TParameterSet set_;
};

// Boiling tau of mixture slot `slot` at P (Pa), where SaturationPressure(mixture, slot, tau) = P,
// by bisection. Throws NoConvergenceError when the vapour pressure does not reach P for
// 0.5 <= tau <= 3.
Real boilingTauOfPure(const Mixture& mixture, int slot, Real P);

// The curves of one condition.
struct PhaseDiagram {
  Condition At;
  ModelCurve Bubble;  // given x1 = k / (points - 1): the t-x-y liquid line and the y-x curve
  ModelCurve Dew;     // given y1 = k / (points - 1)
  // The pair's measured points when the diagram is isobaric at the pressure of the pair's data
  // set (within 1e-6 Pa); empty otherwise, since the data are isobaric.
  std::vector<MeasuredPoint> Measured;
};

// Throws InputError for a point count outside kMinCurvePoints..kMaxCurvePoints, a pressure
// that is not finite and positive, or a tau that is not finite and positive.
void validateCondition(Condition c, int points);

// The bubble curve, x1 = k / (points - 1), k = 0..points-1, by continuation from x1 = 0.
ModelCurve bubbleCurve(const BinaryEquilibrium& eq, Condition c, int points = kDefaultCurvePoints);
// The dew curve, y1 = k / (points - 1), by the candidates described at the top.
ModelCurve dewCurve(const BinaryEquilibrium& eq, Condition c, int points = kDefaultCurvePoints);

// The pressure all the data points of the set's first two components share (built-in or
// loaded, pairCommonPressure), Pa; kDefaultDiagramPressure when there is none.
Real dataSetPressure(const Database& db, const TParameterSet& set);
// Its points in the mixture's order: x1 and y1 of the set's first component (the complements
// when the data are of the other one), tau = t / 273.15 + 1.
std::vector<MeasuredPoint> measuredPoints(const Database& db, const TParameterSet& set);

// t-x-y (and y-x) at P, Pa; without P at the pair's data-set pressure. Measured points as
// described under PhaseDiagram.
PhaseDiagram isobaricDiagram(const Database& db, const BinaryEquilibrium& eq,
                             std::optional<Real> P = std::nullopt,
                             int points = kDefaultCurvePoints);
// P-x-y at tau.
PhaseDiagram isothermalDiagram(const BinaryEquilibrium& eq, Real tau,
                               int points = kDefaultCurvePoints);

// The binary mixture of a set's two database components (slots 0 and 1, names in `lang`).
// Throws InputError when the set does not hold two components of the database.
Mixture binaryMixture(const Database& db, const TParameterSet& set, Language lang);

// Everything a renderer writes on the diagrams of one PhaseDiagram, in one language.
struct DiagramLabels {
  std::string MainTitle;  // t-x-y or P-x-y
  std::string XyTitle;
  std::string CompositionAxis;  // x of the main diagram
  std::string UnknownAxis;      // y of the main diagram: t, °C or P, mm Hg
  std::string LiquidAxis;       // x of the y-x diagram
  std::string VapourAxis;       // y of the y-x diagram
  std::string BubbleLegend, DewLegend, ModelXyLegend, DiagonalLegend;
  std::string MeasuredLiquidLegend, MeasuredVapourLegend, MeasuredXyLegend;
  std::string AzeotropeLegend, LiquidSplitLegend;
};

// names: the two components' names in `lang`; the fixed value is written with 2 decimals.
DiagramLabels makeDiagramLabels(const PhaseDiagram& diagram, const TParameterSet& set,
                                const std::array<std::string, 2>& names, Language lang,
                                std::string_view decimalSeparator = ".");

// The unknown shown on a diagram's axis: t in °C (isobaric) or P in mm Hg (isothermal).
Real shownUnknown(DiagramKind kind, const EquilibriumPoint& p);

}  // namespace bubblix
