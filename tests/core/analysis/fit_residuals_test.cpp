// The residuals of a parameter set against its pairs' data: zero (to the data's rounding) for
// the set that generated the data, the binary pair's own residuals inside a ternary set, and
// bubble pressures for an isothermal set. (That they are the adequacy table's temperature errors
// is tested with the table, tests/core/session/calculation_session_test.cpp.)

#include "core/analysis/fit_residuals.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/analysis/analysis_test_support.h"
#include "core/base/errors.h"
#include "core/base/units.h"
#include "core/data/user_data.h"
#include "core/fitting/generated_data.h"
#include "core/models/example_sets.h"

namespace bubblix {
namespace {

std::string example(const std::string& name) {
  return std::string(BUBBLIX_SOURCE_DIR) + "/examples/" + name;
}

TEST(FitResiduals, TheGeneratingSetMeetsItsDataToTheirRounding) {
  const Database db = loadUserData(
      example("benzene-cyclohexane.json"),
      {example("benzene-cyclohexane-760.csv"), example("benzene-cyclohexane-500.csv")});
  const std::vector<PairResiduals> pairs =
      parameterSetResiduals(db, test::benzeneCyclohexaneGeneratingSet(), Language::English);
  ASSERT_EQ(pairs.size(), 1u);
  const PairResiduals& r = pairs[0];
  EXPECT_EQ(r.Components, (std::array<int, 2>{5, 6}));
  EXPECT_EQ(r.Names[0], "benzene");
  // Both sets, 21 + 5 points, at their own pressures (a mixed set: temperatures at each P).
  EXPECT_FALSE(r.Isothermal);
  EXPECT_EQ(r.Measured, 26);
  ASSERT_EQ(r.Points.size(), 26u);
  // docs/data-sets.md: the files hold these bubble points with t rounded to 0.001 degC and y1
  // to 0.00001; the solved points are converged to |sum y - 1| <= 1e-9, far inside that.
  int withoutY1 = 0;
  for (const ResidualPoint& p : r.Points) {
    EXPECT_LE(std::fabs(p.Unknown), 0.0005L + 1e-6L) << p.x1;
    if (p.Y1) {
      EXPECT_LE(std::fabs(*p.Y1), 0.000005L + 1e-8L) << p.x1;
    } else {
      ++withoutY1;
      EXPECT_TRUE(p.x1 == 0.0L || p.x1 == 1.0L) << p.x1;
    }
  }
  // The 760 mm Hg set runs from x1 = 0 to 1: its two pure ends have no y1 residual.
  EXPECT_EQ(withoutY1, 2);
  EXPECT_LT(r.RmsUnknown, 0.0005L);
}

TEST(FitResiduals, APairOfATernarySetIsItsBinarySetWithTheThirdComponentAbsent) {
  // Wilson fitted to the three built-in pairs of comp.1, comp.2, comp.3 as the fitting
  // session stores them. With x3 = 0 the ternary Wilson equations are the binary ones, so the
  // pair's residuals are the binary set's (1e-9 K: the same solver, sums in another order).
  TParameterSet ternary;
  ternary.ModelCode = Model::Wilson;
  ternary.ComponentCount = 3;
  ternary.Components = {1, 2, 3, 0};
  for (const auto& [i, j] : {std::pair{0, 1}, std::pair{0, 2}, std::pair{1, 2}}) {
    const TParameterSet& binary = test::fitted(i + 1, j + 1, Model::Wilson).set;
    ternary.WilsonEnergy[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] =
        binary.WilsonEnergy[0][1];
    ternary.WilsonEnergy[static_cast<std::size_t>(j)][static_cast<std::size_t>(i)] =
        binary.WilsonEnergy[1][0];
  }
  const std::vector<PairResiduals> pairs =
      parameterSetResiduals(builtInDatabase(), ternary, Language::English);
  ASSERT_EQ(pairs.size(), 3u);
  EXPECT_EQ(pairs[0].Positions, (std::array<int, 2>{0, 1}));
  EXPECT_EQ(pairs[1].Positions, (std::array<int, 2>{0, 2}));
  EXPECT_EQ(pairs[2].Positions, (std::array<int, 2>{1, 2}));
  EXPECT_EQ(pairs[2].Components, (std::array<int, 2>{2, 3}));
  const PairResiduals binary = pairResiduals(
      builtInDatabase(), test::fitted(1, 3, Model::Wilson).set, 0, 1, Language::English);
  ASSERT_EQ(pairs[1].Points.size(), binary.Points.size());
  for (std::size_t k = 0; k < binary.Points.size(); ++k) {
    EXPECT_NEAR(pairs[1].Points[k].Unknown, binary.Points[k].Unknown, 1e-9L);
    ASSERT_EQ(pairs[1].Points[k].Y1.has_value(), binary.Points[k].Y1.has_value());
    if (binary.Points[k].Y1) {
      EXPECT_NEAR(*pairs[1].Points[k].Y1, *binary.Points[k].Y1, 1e-9L);
    }
  }
  // The comp.1-comp.3 fit is the poor one of the built-in pairs (its adequacy e_T 0.63 K
  // against 0.27 K for comp.1-comp.2, docs/fitting.md): the residuals show it.
  EXPECT_GT(pairs[1].RmsUnknown, pairs[0].RmsUnknown);

  // Positions outside the set, or not in ascending order, are refused.
  EXPECT_THROW(pairResiduals(builtInDatabase(), ternary, 1, 3, Language::English), InputError);
  EXPECT_THROW(pairResiduals(builtInDatabase(), ternary, 1, 0, Language::English), InputError);
}

TEST(FitResiduals, AnIsothermalSetHasPressureResiduals) {
  // 70 degC, the pressures the bubble pressures of known Wilson parameters (generated_data.h).
  const test::GeneratingPair wilson{0.6L, 0.1L, 0.3L, true};
  Database db = builtInDatabase();
  const std::uint16_t numbers[2] = {1, 2};
  const Mixture mixture = loadMixture(db, numbers, Language::English);
  LoadedDataSet set;
  set.FileName = "isothermal";
  set.Components = {1, 2};
  const Real tau = tauFromCelsius(70.0L);
  for (const Real x1 : {0.0L, 0.1L, 0.3L, 0.5L, 0.7L, 0.9L, 1.0L}) {
    Real p1 = 0;
    const Real P = test::bubbleExcess(mixture, wilson, x1, 1.0L, tau, p1) + 1.0L;
    set.t.push_back(70.0L);
    set.P.push_back(P);
    set.x.push_back(x1);
    set.y.push_back(std::clamp(p1 / P, 0.0L, 1.0L));
    set.Lines.push_back(static_cast<int>(set.Lines.size()) + 1);
  }
  db.LoadedSets.push_back(set);
  TParameterSet parameters;
  parameters.ModelCode = Model::Wilson;
  parameters.ComponentCount = 2;
  parameters.Components = {1, 2, 0, 0};
  parameters.WilsonEnergy[0][1] = wilson.a12;
  parameters.WilsonEnergy[1][0] = wilson.a21;
  const PairResiduals r = pairResiduals(db, parameters, 0, 1, Language::English);
  EXPECT_TRUE(r.Isothermal);
  ASSERT_EQ(r.Points.size(), 7u);
  // Exact data: the bubble pressures agree to 1e-6 mm Hg (|sum y - 1| <= 1e-9 of ~500 mm Hg).
  for (const ResidualPoint& p : r.Points)
    EXPECT_LT(std::fabs(p.Unknown), 1e-6L) << p.x1;
  ASSERT_TRUE(r.RmsY1.has_value());
  EXPECT_LT(*r.RmsY1, 1e-9L);
}

}  // namespace
}  // namespace bubblix
