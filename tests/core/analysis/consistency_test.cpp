// The consistency tests of equilibrium data. Expected values come from
// scripts/consistency_reference.py, which computes them apart from this code (plain Python,
// its own vapour pressures, bisection to converged bubble points, its own Gauss-Newton fit);
// the script states its method.

#include "core/analysis/consistency.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "core/base/errors.h"
#include "core/base/units.h"
#include "core/data/database.h"
#include "core/models/model_evaluation.h"
#include "core/models/parameter_set.h"

namespace bubblix {
namespace {

// 15 bubble points of Wilson with the comp.1-comp.4 parameters of the built-in fit at 760 mm
// Hg, x1 = 0.05 ... 0.95 (x1, t in degC, y1), as the script prints them.
constexpr std::array<std::array<Real, 3>, 15> kWilsonSet{{
    {0.050000000000000003L, 75.747217892531452L, 0.091448252047542991L},
    {0.1142857142857143L, 74.444816784763916L, 0.18194128288498801L},
    {0.1785714285714286L, 73.543881117810898L, 0.25299910507354961L},
    {0.24285714285714288L, 72.936172047523499L, 0.31113138453304867L},
    {0.30714285714285716L, 72.542382523889245L, 0.36073231331353967L},
    {0.37142857142857144L, 72.310898085974088L, 0.40479387933859939L},
    {0.43571428571428572L, 72.209580725736529L, 0.44551235416660501L},
    {0.5L, 72.220800455336317L, 0.48466119540622726L},
    {0.56428571428571439L, 72.338920650413655L, 0.52384650185790371L},
    {0.62857142857142856L, 72.569782829352732L, 0.56471755002066715L},
    {0.69285714285714295L, 72.932211995332267L, 0.60918883365223642L},
    {0.75714285714285723L, 73.462224222163016L, 0.65973821448451631L},
    {0.82142857142857151L, 74.221840077268112L, 0.71988916029098515L},
    {0.88571428571428579L, 75.283771299062337L, 0.79532445018083653L},
    {0.95000000000000007L, 76.715931659697304L, 0.89544865689775399L},
}};
constexpr Real kWilsonA12 = 1.1331848558782005L;    // l12-l11 of the built-in fit
constexpr Real kWilsonA21 = 0.022861375977492205L;  // l21-l22
// The inconsistent copy: y1 := min(kVapourFactor * y1, 0.999).
constexpr Real kVapourFactor = 1.03L;

EquilibriumDataSet wilsonSet(Real factor) {
  EquilibriumDataSet set;
  set.Components = {1, 4};
  for (const auto& [x1, t, y1] : kWilsonSet) {
    set.Points.push_back({tauFromCelsius(t), 101308.0L, x1, std::min(factor * y1, 0.999L)});
  }
  return set;
}

Mixture mixtureOf(const EquilibriumDataSet& set) {
  return dataSetMixture(builtInDatabase(), set, Language::English);
}

// The script's points are bubble points of the project's own Wilson model: sum y = 1 and its
// y1 at its t, to the script's double precision.
TEST(ConsistencyWilsonSet, PointsAreBubblePointsOfTheProjectsWilsonModel) {
  const EquilibriumDataSet set = wilsonSet(1.0L);
  const Mixture mixture = mixtureOf(set);
  TParameterSet wilson;
  wilson.ModelCode = Model::Wilson;
  wilson.ComponentCount = 2;
  wilson.WilsonEnergy[0][1] = kWilsonA12;
  wilson.WilsonEnergy[1][0] = kWilsonA21;
  for (const DataPoint& p : set.Points) {
    CompositionVector x{p.x1, 1.0L - p.x1};
    CompositionVector y{};
    CompositionVector gamma{};
    const Real sum = BubbleSum(mixture, wilson, x, y, gamma, p.tau, p.P);
    EXPECT_NEAR(sum, 0.0L, 1e-10L) << "x1 = " << static_cast<double>(p.x1);
    EXPECT_NEAR(y[0], p.y1, 1e-10L) << "x1 = " << static_cast<double>(p.x1);
  }
}

// Expected values from the script; tolerances cover its double precision and the 80-bit
// reals here (the area test), and the fit's convergence (point test: the mean |dy1| depends
// on the a_k only to second order at the optimum).
TEST(ConsistencyWilsonSet, ConsistentSetPassesEveryTest) {
  const EquilibriumDataSet set = wilsonSet(1.0L);
  const ConsistencyCheck check = checkConsistency(mixtureOf(set), set);
  EXPECT_EQ(check.Kind, DataSetKind::Isobaric);
  ASSERT_TRUE(check.Area.has_value());
  EXPECT_EQ(check.Area->Method, AreaMethod::Herington);
  EXPECT_NEAR(check.Area->D, 0.004910660505L, 1e-7L);
  EXPECT_NEAR(check.Area->J, 1.957243053L, 1e-8L);
  EXPECT_EQ(check.Area->Result, Verdict::Consistent);
  ASSERT_FALSE(check.Point.Failure.has_value()) << check.Point.Failure->message(Language::English);
  ASSERT_EQ(check.Point.Coefficients.size(), 3u);
  EXPECT_NEAR(check.Point.Coefficients[0], 0.8070789758L, 1e-7L);
  EXPECT_NEAR(check.Point.Coefficients[1], 0.03125034892L, 1e-7L);
  EXPECT_NEAR(check.Point.Coefficients[2], 0.001363929782L, 1e-7L);
  EXPECT_NEAR(check.Point.MeanAbsDy, 0.0005348295838L, 1e-9L);
  EXPECT_NEAR(check.Point.MeanAbsDt, 0.002560744474L, 1e-8L);
  ASSERT_TRUE(check.Point.DurbinWatson.has_value());
  EXPECT_NEAR(*check.Point.DurbinWatson, 0.1952081547L, 1e-6L);
  EXPECT_EQ(check.PointVerdict, Verdict::Consistent);
  EXPECT_FALSE(check.Plausibility.TwoLiquids);
  EXPECT_TRUE(check.Plausibility.Warnings.empty());
}

// y1 raised by 3 %: D - J = 23.2, beyond Herington's margin of J + 10, and the vapour misses
// the series' y1 by 0.0147 on average. The temperatures are unchanged, so the fitted a_k are
// those of the consistent set.
TEST(ConsistencyWilsonSet, RaisedVapourFailsEveryTest) {
  const EquilibriumDataSet set = wilsonSet(kVapourFactor);
  const ConsistencyCheck check = checkConsistency(mixtureOf(set), set);
  ASSERT_TRUE(check.Area.has_value());
  EXPECT_NEAR(check.Area->D, 25.1540094L, 1e-6L);
  EXPECT_NEAR(check.Area->J, 1.957243053L, 1e-8L);
  EXPECT_EQ(check.Area->Result, Verdict::Inconsistent);
  ASSERT_FALSE(check.Point.Failure.has_value());
  EXPECT_NEAR(check.Point.MeanAbsDy, 0.01468657165L, 1e-9L);
  EXPECT_NEAR(check.Point.Coefficients[0], 0.8070789758L, 1e-7L);
  EXPECT_EQ(check.PointVerdict, Verdict::Inconsistent);
}

// f = ln(gamma1/gamma2) of 1 at x1 = 0.25 (twice) and -3 at 0.75: f(0) = 3 and f(1) = -5 on
// the lines through the points of distinct x1. Pieces: 0..0.25 +0.5; 0.25..0.75 crosses zero
// at 0.375: +0.0625 and -0.5625; 0.75..1 -1. A+ = 0.5625, A- = 1.5625, D = 100 / 2.125. Without
// the split the middle trapezoid would give -0.5 and D = 50.
TEST(ConsistencyAreaTest, SplitsTrapezoidsAtTheirZeroCrossing) {
  const std::vector<Real> x{0.25L, 0.25L, 0.75L};
  const std::vector<Real> f{1.0L, 1.0L, -3.0L};
  const SignedAreas areas = areasOverUnitInterval(x, f);
  EXPECT_NEAR(areas.Above, 0.5625L, 1e-15L);
  EXPECT_NEAR(areas.Below, 1.5625L, 1e-15L);
  EXPECT_NEAR(areaDeviation(areas), 100.0L / 2.125L, 1e-12L);
  const std::vector<Real> one{0.5L, 0.5L};
  const std::vector<Real> two{1.0L, -1.0L};
  EXPECT_THROW(areasOverUnitInterval(one, two), InputError);
}

// Gibbs-Duhem and the definition of g hold for any coefficients: g = x1 ln gamma1 + x2 ln
// gamma2 and x1 d ln gamma1 + x2 d ln gamma2 = 0 (central differences, step 1e-5).
TEST(ConsistencyPointTest, LegendreSeriesSatisfiesGibbsDuhem) {
  const std::vector<Real> a{0.9L, -0.4L, 0.25L, 0.1L, -0.05L};
  for (int m = 1; m <= 5; ++m) {
    const std::span<const Real> terms(a.data(), static_cast<std::size_t>(m));
    for (const Real x1 : {0.1L, 0.37L, 0.5L, 0.83L}) {
      const auto l = legendreLnGamma(terms, x1);
      const Real z = 2.0L * x1 - 1.0L;
      // g by the closed forms of L_0..L_4.
      const std::array<Real, 5> L{1.0L, z, (3.0L * z * z - 1.0L) / 2.0L,
                                  (5.0L * z * z * z - 3.0L * z) / 2.0L,
                                  (35.0L * z * z * z * z - 30.0L * z * z + 3.0L) / 8.0L};
      Real S = 0.0L;
      for (int k = 0; k < m; ++k)
        S += a[static_cast<std::size_t>(k)] * L[static_cast<std::size_t>(k)];
      EXPECT_NEAR(x1 * l[0] + (1.0L - x1) * l[1], x1 * (1.0L - x1) * S, 1e-15L);
      const Real h = 1e-5L;
      const auto up = legendreLnGamma(terms, x1 + h);
      const auto down = legendreLnGamma(terms, x1 - h);
      const Real duhem = x1 * (up[0] - down[0]) + (1.0L - x1) * (up[1] - down[1]);
      EXPECT_NEAR(duhem / (2.0L * h), 0.0L, 1e-8L) << "m = " << m;
    }
  }
}

// The six built-in sets, component 1 first: D and J as the script gives them (their two-
// decimal values also stand in docs/consistency.md), and what the plausibility checks find.
TEST(ConsistencyBuiltInSets, AreaTestsAndPlausibility) {
  struct Case {
    int a, b;
    Real D, J;
  };
  const Case cases[] = {{1, 2, 4.294878L, 9.329633L},  {1, 3, 98.051896L, 6.084382L},
                        {1, 4, 2.898604L, 2.782205L},  {2, 3, 11.078038L, 15.746224L},
                        {2, 4, 8.436590L, 12.900175L}, {3, 4, 1.542977L, 6.733781L}};
  for (const Case& c : cases) {
    SCOPED_TRACE("comp." + std::to_string(c.a) + "-comp." + std::to_string(c.b));
    const EquilibriumDataSet set = builtInDataSet(builtInDatabase(), c.a, c.b);
    const Mixture mixture = mixtureOf(set);
    const ConsistencyCheck check = checkConsistency(mixture, set);
    ASSERT_TRUE(check.Area.has_value());
    EXPECT_NEAR(check.Area->D, c.D, 1e-5L);
    EXPECT_NEAR(check.Area->J, c.J, 1e-5L);
    EXPECT_EQ(check.Plausibility.TwoLiquids, c.a == 2 && c.b == 4);
    EXPECT_EQ(check.PointVerdict == Verdict::NotValidTwoLiquids, c.a == 2 && c.b == 4);
  }
}

// An isothermal set: Wilson bubble pressures at 70 degC (P = sum x_i gamma_i Psat_i, the bubble
// sum at 1 Pa plus 1), for x1 = 0.1 ... 0.9. Redlich-Kister applies, the series is fitted to
// the pressures and, the data being consistent, both tests pass.
TEST(ConsistencyKinds, IsothermalSetGetsRedlichKisterAndAPressureFit) {
  EquilibriumDataSet set;
  set.Components = {1, 4};
  const Mixture mixture = mixtureOf(set);
  TParameterSet wilson;
  wilson.ModelCode = Model::Wilson;
  wilson.ComponentCount = 2;
  wilson.WilsonEnergy[0][1] = kWilsonA12;
  wilson.WilsonEnergy[1][0] = kWilsonA21;
  const Real tau = tauFromCelsius(70.0L);
  for (int k = 1; k <= 9; ++k) {
    const Real x1 = k / 10.0L;
    CompositionVector x{x1, 1.0L - x1};
    CompositionVector y{};
    CompositionVector gamma{};
    const Real P = BubbleSum(mixture, wilson, x, y, gamma, tau, 1.0L) + 1.0L;
    set.Points.push_back({tau, P, x1, y[0] / P});
  }
  ASSERT_EQ(classifyDataSet(set.Points), DataSetKind::Isothermal);
  const ConsistencyCheck check = checkConsistency(mixture, set);
  ASSERT_TRUE(check.Area.has_value());
  EXPECT_EQ(check.Area->Method, AreaMethod::RedlichKister);
  EXPECT_EQ(check.Area->Result, Verdict::Consistent);
  EXPECT_TRUE(check.Point.FitsPressures);
  EXPECT_EQ(check.PointVerdict, Verdict::Consistent);
  // One point at 75 degC makes the set mixed: the area test has no verdict.
  set.Points[4].tau = tauFromCelsius(75.0L);
  EXPECT_EQ(classifyDataSet(set.Points), DataSetKind::Mixed);
  const ConsistencyCheck mixed = checkConsistency(mixture, set);
  EXPECT_EQ(mixed.Area->Result, Verdict::NotApplicable);
}

// A hand-made set with one of each fault the plausibility checks name (point numbers 1-based
// in the messages, 0-based here).
TEST(ConsistencyPlausibility, NamesRepeatsFallingVapourAndAzeotropes) {
  EquilibriumDataSet set;
  set.Components = {1, 2};
  const Real P = 101308.0L;
  const auto add = [&](Real t, Real x1, Real y1) {
    set.Points.push_back({tauFromCelsius(t), P, x1, y1});
  };
  add(90.0L, 0.05L, 0.30L);
  add(85.0L, 0.15L, 0.45L);
  add(82.0L, 0.30L, 0.57L);
  add(81.0L, 0.40L, 0.56L);  // y1 falls by 0.01 while x1 rises
  add(80.0L, 0.60L, 0.60L);  // y1 = x1
  add(85.0L, 0.70L, 0.72L);  // points 5..7 repeat the temperatures of points 1..3
  add(82.0L, 0.80L, 0.81L);
  add(81.0L, 0.85L, 0.86L);
  add(81.0L, 0.85L, 0.86L);  // a repeat of the point before
  const PlausibilityChecks checks =
      checkPlausibility(mixtureOf(set), set.Points, DataSetKind::Isobaric);
  std::vector<WarningKind> kinds;
  for (const DataWarning& w : checks.Warnings)
    kinds.push_back(w.Kind);
  const auto has = [&](WarningKind kind) { return std::count(kinds.begin(), kinds.end(), kind); };
  EXPECT_EQ(has(WarningKind::FallingVapour), 1);
  EXPECT_EQ(has(WarningKind::AzeotropePoint), 1);
  EXPECT_EQ(has(WarningKind::RepeatedPoint), 1);
  EXPECT_EQ(has(WarningKind::RepeatedBlock), 1);
  EXPECT_EQ(has(WarningKind::TwoLiquids), 0);
  EXPECT_TRUE(checks.EndPoints.empty());
  for (const DataWarning& w : checks.Warnings) {
    if (w.Kind == WarningKind::RepeatedBlock) {
      EXPECT_EQ(w.Points, (std::array<std::size_t, 4>{5, 7, 1, 3}));
    }
  }
}

TEST(ConsistencyInput, RefusesPointsWithoutPhysicalSenseNamingThePoint) {
  EquilibriumDataSet set = wilsonSet(1.0L);
  const Mixture mixture = mixtureOf(set);
  set.Points[6].y1 = 1.2L;
  try {
    checkConsistency(mixture, set);
    FAIL() << "y1 = 1.2 accepted";
  } catch (const InputError& error) {
    EXPECT_NE(error.message(Language::English).find("point 7"), std::string::npos);
  }
  set.Points.resize(2);
  EXPECT_THROW(checkConsistency(mixture, set), InputError);
  EXPECT_THROW(checkConsistency(mixture, wilsonSet(1.0L), 6), InputError);
  EXPECT_THROW(builtInDataSet(builtInDatabase(), 2, 2), InputError);
}

}  // namespace
}  // namespace bubblix
