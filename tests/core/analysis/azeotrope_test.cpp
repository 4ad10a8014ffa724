#include "core/analysis/azeotrope.h"

#include <gtest/gtest.h>

#include <cmath>

#include "analysis_test_support.h"
#include "core/analysis/binary_analysis.h"
#include "core/base/units.h"

namespace bubblix {
namespace {

using test::BinaryCase;

constexpr Real kP760 = 101308.0L;  // Pa

std::vector<Azeotrope> azeotropesOf(const BinaryCase& c, Condition at, int points = 101) {
  const BinaryEquilibrium eq(c.mixture, c.set);
  return findAzeotropes(eq, at, bubbleCurve(eq, at, points));
}

// A found azeotrope is a bubble point with y1 = x1 where the unknown has its extremum: a
// minimum-boiling one lies below its neighbours on the t-x-y curve (above them on P-x-y).
void expectTrueAzeotrope(const BinaryCase& c, Condition at, const Azeotrope& a) {
  const BinaryEquilibrium eq(c.mixture, c.set);
  EXPECT_NEAR(a.Point.y1, a.Point.x1, 1e-9L);
  const Real u = a.Point.unknown(at.Kind);
  for (Real dx : {-1e-3L, 1e-3L}) {
    const auto side = eq.bubblePoint(at, a.Point.x1 + dx, u);
    ASSERT_TRUE(side);
    const bool below = at.isobaric() == (a.Kind == AzeotropeKind::MinimumBoiling);
    if (below) {
      EXPECT_GT(side->unknown(at.Kind), u) << double(dx);
    } else {
      EXPECT_LT(side->unknown(at.Kind), u) << double(dx);
    }
  }
}

TEST(Azeotrope, IdealMixturesHaveNone) {
  // y1 - x1 = x1 x2 (Psat1 - Psat2) / P keeps the sign of Psat1 - Psat2 along the curve.
  for (const auto& pair : test::kPairs) {
    const BinaryCase c = test::idealCase(pair[0], pair[1]);
    EXPECT_TRUE(azeotropesOf(c, Condition::atPressure(kP760)).empty()) << pair[0] << pair[1];
    EXPECT_TRUE(azeotropesOf(c, Condition::atTau(tauFromCelsius(50.0L))).empty())
        << pair[0] << pair[1];
  }
}

TEST(Azeotrope, FittedComp1Comp2ModelsNearTheMeasuredOne) {
  // Measured: x = y = 0.89447 at 78.15 degC (a point of the built-in data). The data's
  // y1 - x1 stays below 0.006 from x1 = 0.85 to 1, so the composition of a model's azeotrope
  // moves a long way with small errors of y1: the Wilson fit places it within 0.02 of the
  // measured one, the NRTL fit (root-mean-square error of y1 0.0025) at x1 = 0.994.
  const Condition at = Condition::atPressure(kP760);
  for (Model model : {Model::Wilson, Model::NRTL, Model::UNIQUAC, Model::UNIFAC}) {
    SCOPED_TRACE(model);
    const BinaryCase& c = test::fitted(1, 2, model);
    const auto found = azeotropesOf(c, at);
    ASSERT_EQ(found.size(), 1u);
    const Azeotrope& a = found[0];
    EXPECT_EQ(a.Kind, AzeotropeKind::MinimumBoiling);
    EXPECT_EQ(a.Point.P, kP760);
    EXPECT_NEAR(celsiusFromTau(a.Point.tau), 78.15L, 0.3L);
    expectTrueAzeotrope(c, at, a);
    // Reference values of these fits beside the measured composition.
    const Real expected = model == Model::Wilson ? 0.89447L
                          : model == Model::NRTL ? 0.9944L
                                                 : 0.94L;
    EXPECT_NEAR(a.Point.x1, expected, model == Model::Wilson ? 0.02L : 0.005L);
  }
}

TEST(Azeotrope, MaximumBoilingIsFoundAndAgreesBetweenTheTwoDiagrams) {
  // Strong negative deviations (NRTL, a12 = a21 = -0.8, alpha 0.3) for two components whose
  // boiling points lie 1.2 K apart: a maximum-boiling azeotrope, a pressure minimum at its
  // temperature. The isothermal azeotrope at the isobaric one's temperature is the same point
  // (1e-7 in x1, 1e-6 relative in P: the two root searches' tolerances).
  BinaryCase c = test::idealCase(1, 4);
  c.set.NRTLEnergy[0][1] = c.set.NRTLEnergy[1][0] = -0.8L;
  const BinaryEquilibrium eq(c.mixture, c.set);
  const Condition isobaric = Condition::atPressure(kP760);
  const auto byT = azeotropesOf(c, isobaric);
  ASSERT_EQ(byT.size(), 1u);
  EXPECT_EQ(byT[0].Kind, AzeotropeKind::MaximumBoiling);
  EXPECT_GT(byT[0].Point.tau, eq.pureBoilingTau(0, kP760));
  EXPECT_GT(byT[0].Point.tau, eq.pureBoilingTau(1, kP760));
  expectTrueAzeotrope(c, isobaric, byT[0]);

  const Condition isothermal = Condition::atTau(byT[0].Point.tau);
  const auto byP = azeotropesOf(c, isothermal);
  ASSERT_EQ(byP.size(), 1u);
  EXPECT_EQ(byP[0].Kind, AzeotropeKind::MaximumBoiling);
  EXPECT_NEAR(byP[0].Point.x1, byT[0].Point.x1, 1e-7L);
  EXPECT_NEAR(byP[0].Point.P / kP760, 1.0L, 1e-6L);
  expectTrueAzeotrope(c, isothermal, byP[0]);
}

TEST(Azeotrope, MinimumBoilingAgreesBetweenTheTwoDiagrams) {
  const BinaryCase& c = test::fitted(1, 4, Model::Wilson);
  const auto byT = azeotropesOf(c, Condition::atPressure(kP760));
  ASSERT_EQ(byT.size(), 1u);
  const Condition isothermal = Condition::atTau(byT[0].Point.tau);
  const auto byP = azeotropesOf(c, isothermal);
  ASSERT_EQ(byP.size(), 1u);
  EXPECT_EQ(byP[0].Kind, AzeotropeKind::MinimumBoiling);
  EXPECT_NEAR(byP[0].Point.x1, byT[0].Point.x1, 1e-7L);
  EXPECT_NEAR(byP[0].Point.P / kP760, 1.0L, 1e-6L);
  expectTrueAzeotrope(c, isothermal, byP[0]);
}

TEST(Azeotrope, CoarseCurveFindsTheSameRootsNextToThePureEnds) {
  // With x1 = 0, 0.5, 1 only, the azeotropes of comp.1-comp.4 (x1 near 0.46) and comp.1-comp.2
  // (near 0.90) lie between a pure end and the one interior point, where the sign next to
  // the end comes from the limiting slope.
  for (const auto& pair : {std::pair{1, 4}, std::pair{1, 2}}) {
    const BinaryCase& c = test::fitted(pair.first, pair.second, Model::Wilson);
    const Condition at = Condition::atPressure(kP760);
    const auto fine = azeotropesOf(c, at);
    const auto coarse = azeotropesOf(c, at, 3);
    ASSERT_EQ(fine.size(), 1u);
    ASSERT_EQ(coarse.size(), 1u);
    EXPECT_NEAR(coarse[0].Point.x1, fine[0].Point.x1, 1e-8L);
    EXPECT_NEAR(coarse[0].Point.tau, fine[0].Point.tau, 1e-8L);
  }
}

TEST(Azeotrope, EndSignsFollowTheLimitingVolatility) {
  // Ideal comp.1-comp.3 at 760 mm Hg: comp.3 boils lower, so comp.1 is the less volatile one
  // at both ends: y1 < x1 next to x1 = 0 and next to x1 = 1.
  const BinaryCase c = test::idealCase(1, 3);
  const BinaryEquilibrium eq(c.mixture, c.set);
  const ModelCurve bubble = bubbleCurve(eq, Condition::atPressure(kP760), 3);
  ASSERT_EQ(bubble.Points.size(), 3u);
  EXPECT_EQ(endSign(eq, bubble.Points.front(), 0), -1);
  EXPECT_EQ(endSign(eq, bubble.Points.back(), 1), -1);
  EXPECT_LT(bubble.Points[1].y1, bubble.Points[1].x1);
}

}  // namespace
}  // namespace bubblix
