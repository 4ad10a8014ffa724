// The diagrams of loaded sets: P-x-y at an isothermal set's temperature carries its points
// where the model's bubble pressures lie, a set written with the other component first is
// mirrored, and a mixed set is drawn on no diagram but named in the report.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/base/errors.h"
#include "core/base/units.h"
#include "plot/diagram_data.h"
#include "plot/plot_test_support.h"

namespace bubblix::plot {
namespace {

// Points on the model's own bubble curve at 70 degC, with comp.2 written first.
LoadedDataSet isothermalSet(const Database& db, const TParameterSet& set) {
  const Mixture mixture = binaryMixture(db, set, Language::English);
  const BinaryEquilibrium eq(mixture, set);
  LoadedDataSet data;
  data.FileName = "iso70.csv";
  data.Components = {2, 1};
  for (const Real x : {0.25L, 0.5L, 0.75L}) {
    const auto p = eq.bubblePoint(Condition::atTau(tauFromCelsius(70.0L)), x, 0);
    EXPECT_TRUE(p.has_value());
    data.t.push_back(70.0L);
    data.P.push_back(p ? p->P : 1.0L);
    data.x.push_back(1.0L - x);
    data.y.push_back(p ? 1.0L - p->y1 : 0.5L);
    data.Lines.push_back(static_cast<int>(data.Lines.size()) + 3);
  }
  return data;
}

TEST(LoadedSetDiagram, IsothermalPointsOnTheirPxyAndAMixedSetNamedOnly) {
  Database db = builtInDatabase();
  const TParameterSet set = test::fittedSet(1, 2, Model::NRTL);
  LoadedDataSet iso = isothermalSet(db, set);
  LoadedDataSet mixed = iso;
  mixed.FileName = "mixed.csv";
  mixed.t = {50.0L, 60.0L, 70.0L};
  mixed.P = {40000.0L, 60000.0L, 80000.0L};
  db.LoadedSets = {iso, mixed};

  // bubblix-diagram --kind pxy --t 70: the set's points, mirrored to comp.1, at their P.
  const DiagramData pxy = computeDiagram(db, set, 70.0L, Language::English);
  ASSERT_EQ(pxy.Analysis.Diagram.Measured.size(), 3u);
  const MeasuredPoint& m = pxy.Analysis.Diagram.Measured[0];
  EXPECT_NEAR(static_cast<double>(m.x1), 0.25, 1e-15);
  // The model's bubble pressure at x1 = 0.25 on the drawn curve (x1 = k / 100, k = 25).
  const auto& bubble = pxy.Analysis.Diagram.Bubble.Points;
  const auto onCurve = std::find_if(bubble.begin(), bubble.end(), [](const EquilibriumPoint& p) {
    return std::fabs(static_cast<double>(p.x1) - 0.25) < 1e-12;
  });
  ASSERT_NE(onCurve, bubble.end());
  // Both are the solver's bubble pressure of the same liquid: within its tolerance, 1e-6.
  EXPECT_NEAR(static_cast<double>(onCurve->P / m.P), 1.0, 1e-6);
  // Another temperature shows none.
  EXPECT_TRUE(computeDiagram(db, set, 71.0L, Language::English).Analysis.Diagram.Measured.empty());

  const std::vector<LoadedSetCondition> sets = loadedSetConditions(db, set);
  ASSERT_EQ(sets.size(), 2u);
  const DiagramData own = computeLoadedSetDiagram(db, set, sets[0], Language::English);
  EXPECT_FALSE(own.isobaric());
  const std::vector<std::string> lines = diagramReportLines(own);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0], "Data set iso70.csv, drawn at t = 70.00 °C with its points:");
  EXPECT_THROW(computeLoadedSetDiagram(db, set, sets[1], Language::English), InputError);
  const std::vector<std::string> named = mixedSetReportLines(sets, Language::English);
  ASSERT_EQ(named.size(), 1u);
  EXPECT_NE(named[0].find("Data set mixed.csv is neither isobaric nor isothermal (t 50.00 to "
                          "70.00 °C"),
            std::string::npos)
      << named[0];
}

}  // namespace
}  // namespace bubblix::plot
