#include "core/analysis/phase_diagram.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "analysis_test_support.h"
#include "core/base/errors.h"
#include "core/base/units.h"

namespace bubblix {
namespace {

using test::BinaryCase;

constexpr Real kP760 = 101308.0L;  // Pa

void expectFiniteInside(const EquilibriumPoint& p) {
  EXPECT_TRUE(std::isfinite(p.x1) && std::isfinite(p.y1) && std::isfinite(p.tau) &&
              std::isfinite(p.P));
  EXPECT_GE(p.x1, -kCompositionSlack);
  EXPECT_LE(p.x1, 1.0L + kCompositionSlack);
  EXPECT_GE(p.y1, -kCompositionSlack);
  EXPECT_LE(p.y1, 1.0L + kCompositionSlack);
  EXPECT_GT(p.tau, 0.0L);
  EXPECT_GT(p.P, 0.0L);
}

// The curve solved at every fraction k / 100, in order, with finite values inside 0..1.
void expectFullCurve(const ModelCurve& curve) {
  EXPECT_EQ(curve.Requested, 101);
  ASSERT_EQ(curve.Points.size(), 101u);
  EXPECT_TRUE(curve.Skipped.empty());
  for (std::size_t k = 0; k < curve.Points.size(); ++k) {
    EXPECT_EQ(curve.given(curve.Points[k]), k == 100 ? 1.0L : static_cast<Real>(k) / 100.0L);
    expectFiniteInside(curve.Points[k]);
  }
  EXPECT_EQ(curve.segments().size(), 1u);
}

class FittedPairCurves : public ::testing::TestWithParam<int> {};

// For the four models fitted to each built-in pair, at the data's pressure and at 70 degC:
// full curves; the pure ends of the bubble and dew curves meet and equal the pure component's
// boiling temperature or vapour pressure (1e-6 in tau is the secant's stopping rule, 2.7e-4 K);
// every dew point lies on the bubble curve (the bubble point of the dew liquid gives the same
// unknown and the dew's vapour).
TEST_P(FittedPairCurves, AreCompleteMeetAtThePureEndsAndAgree) {
  const int a = test::kPairs[GetParam()][0];
  const int b = test::kPairs[GetParam()][1];
  for (Model model : {Model::Wilson, Model::NRTL, Model::UNIQUAC, Model::UNIFAC}) {
    SCOPED_TRACE(testing::Message() << model << " comp." << a << "-comp." << b);
    const BinaryCase& c = test::fitted(a, b, model);
    const BinaryEquilibrium eq(c.mixture, c.set);
    for (Condition at : {Condition::atPressure(kP760), Condition::atTau(tauFromCelsius(70.0L))}) {
      SCOPED_TRACE(at.isobaric() ? "t-x-y" : "P-x-y");
      const ModelCurve bubble = bubbleCurve(eq, at);
      const ModelCurve dew = dewCurve(eq, at);
      expectFullCurve(bubble);
      expectFullCurve(dew);
      if (bubble.Points.size() != 101u || dew.Points.size() != 101u) continue;
      const Real tol = at.isobaric() ? 1e-6L : 1e-9L * at.Value;
      const DiagramKind kind = at.Kind;
      EXPECT_NEAR(bubble.Points.front().unknown(kind), eq.pureUnknown(at, 1), tol);
      EXPECT_NEAR(bubble.Points.back().unknown(kind), eq.pureUnknown(at, 0), tol);
      EXPECT_NEAR(dew.Points.front().unknown(kind), bubble.Points.front().unknown(kind), tol);
      EXPECT_NEAR(dew.Points.back().unknown(kind), bubble.Points.back().unknown(kind), tol);
      for (const EquilibriumPoint& d : dew.Points) {
        const auto onBubble = eq.bubblePoint(at, d.x1, d.unknown(kind));
        ASSERT_TRUE(onBubble) << "y1 = " << double(d.y1);
        EXPECT_NEAR(onBubble->unknown(kind), d.unknown(kind), tol) << "y1 = " << double(d.y1);
        EXPECT_NEAR(onBubble->y1, d.y1, 1e-6L) << "y1 = " << double(d.y1);
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(BuiltInPairs, FittedPairCurves, ::testing::Range(0, 6));

TEST(PhaseDiagram, IdealMixtureFollowsRaoultsLaw) {
  // gamma = 1: bubble x1 Psat1 + x2 Psat2 = P, y1 = x1 Psat1 / P; dew y1 P / Psat1 + y2 P /
  // Psat2 = 1, x1 = y1 P / Psat1. Tolerances: 1e-12 for the polished bubble points; 1e-8 for
  // the dew points, where the Newton iteration's numerical Jacobian leaves a few 1e-9 after
  // its last step below 1e-6.
  for (const auto& pair : test::kPairs) {
    const BinaryCase c = test::idealCase(pair[0], pair[1]);
    const BinaryEquilibrium eq(c.mixture, c.set);
    for (Condition at : {Condition::atPressure(kP760), Condition::atTau(tauFromCelsius(50.0L))}) {
      SCOPED_TRACE(testing::Message()
                   << pair[0] << pair[1] << (at.isobaric() ? " t-x-y" : " P-x-y"));
      const PhaseDiagram d = at.isobaric() ? isobaricDiagram(builtInDatabase(), eq, at.Value)
                                           : isothermalDiagram(eq, at.Value);
      ASSERT_EQ(d.Bubble.Points.size(), 101u);
      ASSERT_EQ(d.Dew.Points.size(), 101u);
      for (const EquilibriumPoint& p : d.Bubble.Points) {
        const Real P1 = eq.vapourPressure(0, p.tau);
        const Real P2 = eq.vapourPressure(1, p.tau);
        EXPECT_NEAR((p.x1 * P1 + (1.0L - p.x1) * P2) / p.P, 1.0L, 1e-12L) << double(p.x1);
        EXPECT_NEAR(p.y1, p.x1 * P1 / p.P, 1e-12L) << double(p.x1);
      }
      for (const EquilibriumPoint& p : d.Dew.Points) {
        const Real P1 = eq.vapourPressure(0, p.tau);
        const Real P2 = eq.vapourPressure(1, p.tau);
        EXPECT_NEAR(p.y1 * p.P / P1 + (1.0L - p.y1) * p.P / P2, 1.0L, 1e-8L) << double(p.y1);
        EXPECT_NEAR(p.x1, p.y1 * p.P / P1, 1e-8L) << double(p.y1);
      }
    }
  }
}

TEST(PhaseDiagram, MeasuredPointsFollowTheMixtureOrderAndPressure) {
  // Entry [1][2] of the built-in data: first point t = 100 degC, x = y = 0 of comp.1.
  const Database& db = builtInDatabase();
  BinaryCase forward = test::idealCase(1, 2);
  BinaryCase backward = test::idealCase(2, 1);
  const auto f = measuredPoints(db, forward.set);
  const auto r = measuredPoints(db, backward.set);
  ASSERT_EQ(f.size(), 52u);
  ASSERT_EQ(r.size(), 52u);
  EXPECT_EQ(f[0].x1, 0.0L);
  EXPECT_EQ(r[0].x1, 1.0L);
  EXPECT_EQ(r[0].y1, 1.0L);
  EXPECT_EQ(f[0].tau, 100.0L / 273.15L + 1.0L);
  EXPECT_EQ(r[44].x1, 1.0L - 0.89447L);  // the azeotropic point
  EXPECT_EQ(r[44].tau, f[44].tau);

  const BinaryEquilibrium eq(backward.mixture, backward.set);
  EXPECT_EQ(isobaricDiagram(db, eq, std::nullopt, 3).Measured.size(), 52u);
  EXPECT_TRUE(isobaricDiagram(db, eq, 50000.0L, 3).Measured.empty());  // data are at 101308 Pa

  // A pair whose data set is at another pressure, or empty.
  Database other = db;
  other.ExperimentalData[0][1].P = 90000.0L;
  EXPECT_EQ(dataSetPressure(other, backward.set), 90000.0L);
  const PhaseDiagram at90 = isobaricDiagram(other, eq, std::nullopt, 3);
  EXPECT_EQ(at90.At.Value, 90000.0L);
  EXPECT_EQ(at90.Measured.size(), 52u);
  other.ExperimentalData[0][1].N = 0;
  EXPECT_EQ(dataSetPressure(other, backward.set), kDefaultDiagramPressure);
  EXPECT_TRUE(measuredPoints(other, backward.set).empty());
}

TEST(PhaseDiagram, SegmentsBreakWhereFractionsWereSkipped) {
  ModelCurve curve;
  for (Real x : {0.0L, 0.25L, 0.5L, 1.0L})
    curve.Points.push_back({x, x, 1.2L, kP760});
  curve.Skipped = {0.75L};
  auto runs = curve.segments();
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].size(), 3u);
  EXPECT_EQ(runs[1].size(), 1u);
  EXPECT_EQ(runs[1][0].x1, 1.0L);

  curve.Skipped = {0.1L, 0.2L};  // two in one gap
  runs = curve.segments();
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].size(), 1u);

  curve.Bubble = false;  // a dew curve is cut by its y1
  curve.Points[1].x1 = 0.05L;
  curve.Skipped = {0.2L};
  EXPECT_EQ(curve.segments().size(), 2u);
  curve.Skipped = {0.1L};
  EXPECT_EQ(curve.segments().size(), 2u);
}

TEST(PhaseDiagram, PointsThatCannotBeSolvedAreCountedNotInvented) {
  // At 1 Pa the boiling temperatures lie far below the vapour-pressure and density data.
  const BinaryCase& c = test::fitted(1, 2, Model::NRTL);
  const BinaryEquilibrium eq(c.mixture, c.set);
  for (const Condition at :
       {Condition::atPressure(1.0L), Condition::atTau(tauFromCelsius(-100.0L))}) {
    const ModelCurve bubble = bubbleCurve(eq, at);
    const ModelCurve dew = dewCurve(eq, at);
    EXPECT_TRUE(bubble.Points.empty());
    EXPECT_EQ(bubble.Skipped.size(), 101u);
    EXPECT_TRUE(dew.Points.empty());
    EXPECT_EQ(dew.Skipped.size(), 101u);
    EXPECT_TRUE(bubble.segments().empty());
  }
  EXPECT_THROW(eq.pureBoilingTau(0, 1.0L), NoConvergenceError);
}

TEST(PhaseDiagram, RefusesInputWithoutSense) {
  const BinaryCase& c = test::fitted(1, 2, Model::Wilson);
  const BinaryEquilibrium eq(c.mixture, c.set);
  const auto message = [](auto call) {
    try {
      call();
    } catch (const InputError& e) {
      return std::string(e.what());
    }
    return std::string("no error");
  };
  EXPECT_EQ(message([&] { bubbleCurve(eq, Condition::atPressure(kP760), 2); }),
            "A curve needs 3 to 10001 points; 2 were asked for");
  EXPECT_EQ(message([&] { dewCurve(eq, Condition::atPressure(kP760), 10002); }),
            "A curve needs 3 to 10001 points; 10002 were asked for");
  EXPECT_EQ(message([&] { bubbleCurve(eq, Condition::atPressure(0.0L)); }),
            "The pressure of a diagram must be a finite number above zero: 0 Pa");
  EXPECT_EQ(message([&] { isobaricDiagram(builtInDatabase(), eq, NAN); }),
            "The pressure of a diagram must be a finite number above zero: NAN Pa");
  EXPECT_NE(message([&] { isothermalDiagram(eq, -0.5L); }).find("-409.725 °C"), std::string::npos);
  EXPECT_EQ(message([&] { eq.bubblePoint(Condition::atPressure(kP760), 1.5L, 0.0L); }),
            "The mole fraction x1 = 1.5 must be a number from 0 to 1");
  EXPECT_EQ(message([&] { eq.dewPoint(Condition::atPressure(kP760), NAN); }),
            "The mole fraction y1 = NAN must be a number from 0 to 1");
  EXPECT_THROW(eq.dewPoint(Condition::atTau(INFINITY), 0.5L), InputError);

  TParameterSet three = c.set;
  three.ComponentCount = 3;
  EXPECT_EQ(message([&] { BinaryEquilibrium(c.mixture, three); }),
            "Diagrams and the azeotrope search need a binary parameter set; this one holds 3 "
            "components");
  Mixture half;
  loadComponent(half, builtInDatabase(), 0, "comp.1");
  EXPECT_EQ(message([&] { BinaryEquilibrium(half, c.set); }),
            "Component 2 of the mixture has no property data loaded");

  TParameterSet fifth = c.set;
  fifth.Components[1] = 5;
  EXPECT_EQ(message([&] { binaryMixture(builtInDatabase(), fifth, Language::English); }),
            "The parameter set names component number 5; the database holds components 1 to 4");
  const Mixture loaded = binaryMixture(builtInDatabase(), c.set, Language::Russian);
  EXPECT_EQ(loaded.ComponentNames[0], "комп.1");
  EXPECT_EQ(loaded.ComponentNames[1], "комп.2");
}

TEST(PhaseDiagram, LabelsNameThePairTheConditionAndTheModel) {
  const BinaryCase& c = test::fitted(1, 2, Model::NRTL);
  PhaseDiagram d;
  d.At = Condition::atPressure(kP760);
  DiagramLabels en = makeDiagramLabels(d, c.set, {"comp.1", "comp.2"}, Language::English);
  EXPECT_EQ(en.MainTitle,
            "Vapour-liquid equilibrium comp.1-comp.2: t-x-y at P = 760.00 mm Hg, "
            "model NRTL");
  EXPECT_EQ(en.UnknownAxis, "t, °C");
  EXPECT_EQ(en.CompositionAxis, "x1, y1 (mole fraction of comp.1)");
  d.At = Condition::atTau(tauFromCelsius(70.0L));
  const DiagramLabels ru =
      makeDiagramLabels(d, c.set, {"комп.1", "комп.2"}, Language::Russian, ",");
  EXPECT_EQ(ru.MainTitle,
            "Равновесие пар-жидкость комп.1-комп.2: P-x-y при t = 70,00 °C, модель NRTL");
  EXPECT_EQ(ru.XyTitle, "Равновесие пар-жидкость комп.1-комп.2: y-x при t = 70,00 °C, модель NRTL");
  EXPECT_EQ(ru.UnknownAxis, "P, мм рт.ст.");
}

}  // namespace
}  // namespace bubblix
