// The conditions of the loaded sets' diagrams: an isobaric set at its pressure with its points
// in the parameter set's order (a file written the other way round is mirrored), an isothermal
// set at its temperature, a mixed set on neither; the model that generated a set passes
// through its points at the condition found.

#include "core/analysis/loaded_set_diagrams.h"

#include <gtest/gtest.h>

#include <string>

#include "core/base/units.h"
#include "core/data/mixture_loading.h"
#include "core/data/user_data.h"
#include "core/fitting/generated_data.h"
#include "core/models/example_sets.h"

namespace bubblix {
namespace {

std::string example(const std::string& name) {
  return std::string(BUBBLIX_SOURCE_DIR) + "/examples/" + name;
}

TEST(LoadedSetConditions, TheExamplesAreIsobaricAtTheirPressuresAndTheModelPassesThroughThem) {
  const Database db = loadUserData(
      example("benzene-cyclohexane.json"),
      {example("benzene-cyclohexane-760.csv"), example("benzene-cyclohexane-500.csv")});
  const TParameterSet set = test::benzeneCyclohexaneGeneratingSet();
  const std::vector<LoadedSetCondition> sets = loadedSetConditions(db, set);
  ASSERT_EQ(sets.size(), 2u);
  EXPECT_EQ(sets[0].Kind, DataSetKind::Isobaric);
  EXPECT_EQ(sets[1].Kind, DataSetKind::Isobaric);
  // The files' pressures; 133.3 Pa per mm Hg.
  EXPECT_NEAR(static_cast<double>(paToMmHg(sets[0].At.Value)), 760.0, 1e-9);
  EXPECT_NEAR(static_cast<double>(paToMmHg(sets[1].At.Value)), 500.0, 1e-9);
  EXPECT_EQ(sets[1].FileName, example("benzene-cyclohexane-500.csv"));
  ASSERT_EQ(sets[1].Points.size(), 5u);

  const Mixture mixture = binaryMixture(db, set, Language::English);
  const BinaryEquilibrium eq(mixture, set);
  for (const LoadedSetCondition& c : sets) {
    for (const MeasuredPoint& m : c.Points) {
      // The 500 mm Hg file gives cyclohexane first: mirrored, benzene's x1 here. The model's
      // bubble point at the diagram's condition is the point's t, which the file rounds to
      // 0.001 degC, and its y1 (0.00001).
      const auto bubble = eq.bubblePoint(c.At, m.x1, m.tau);
      ASSERT_TRUE(bubble.has_value());
      EXPECT_NEAR(static_cast<double>(celsiusFromTau(bubble->tau)),
                  static_cast<double>(celsiusFromTau(m.tau)), 0.001)
          << c.FileName << " x1 " << static_cast<double>(m.x1);
      EXPECT_NEAR(static_cast<double>(bubble->y1), static_cast<double>(m.y1), 0.00002);
    }
  }
  // Not a pair of the set: nothing.
  TParameterSet other = set;
  other.Components[1] = 1;
  EXPECT_TRUE(loadedSetConditions(db, other).empty());
}

TEST(LoadedSetConditions, AnIsothermalSetAtItsTemperatureAndAMixedSetOnNeither) {
  Database db = loadUserData(example("benzene-cyclohexane.json"), {});
  const TParameterSet set = test::benzeneCyclohexaneGeneratingSet();
  const Mixture mixture = binaryMixture(db, set, Language::English);
  const BinaryEquilibrium eq(mixture, set);
  const Real tau = tauFromCelsius(70.0L);
  // Bubble pressures of the generating model at 70 degC, written cyclohexane first.
  LoadedDataSet isothermal;
  isothermal.FileName = "isothermal.csv";
  isothermal.Components = {6, 5};
  LoadedDataSet mixed = isothermal;
  mixed.FileName = "mixed.csv";
  for (const Real x : {0.2L, 0.4L, 0.6L, 0.8L}) {
    const auto p = eq.bubblePoint(Condition::atTau(tau), x, 0);
    ASSERT_TRUE(p.has_value());
    isothermal.t.push_back(70.0L);
    isothermal.P.push_back(p->P);
    isothermal.x.push_back(1.0L - x);
    isothermal.y.push_back(1.0L - p->y1);
    // The same points at temperatures 5 K apart: neither isobaric nor isothermal.
    mixed.t.push_back(60.0L + 5.0L * x * 4.0L);
    mixed.P.push_back(p->P);
    mixed.x.push_back(1.0L - x);
    mixed.y.push_back(1.0L - p->y1);
  }
  db.LoadedSets = {isothermal, mixed};
  const std::vector<LoadedSetCondition> sets = loadedSetConditions(db, set);
  ASSERT_EQ(sets.size(), 2u);
  EXPECT_EQ(sets[0].Kind, DataSetKind::Isothermal);
  EXPECT_FALSE(sets[0].At.isobaric());
  EXPECT_NEAR(static_cast<double>(sets[0].At.Value), static_cast<double>(tau), 1e-15);
  // Mirrored back: benzene's x1 0.2 first, at its bubble pressure.
  ASSERT_EQ(sets[0].Points.size(), 4u);
  EXPECT_NEAR(static_cast<double>(sets[0].Points[0].x1), 0.2, 1e-15);
  const auto first = eq.bubblePoint(sets[0].At, sets[0].Points[0].x1, 0);
  ASSERT_TRUE(first.has_value());
  EXPECT_NEAR(static_cast<double>(first->P / sets[0].Points[0].P), 1.0, 1e-9);
  EXPECT_EQ(sets[1].Kind, DataSetKind::Mixed);
  EXPECT_EQ(sets[1].FileName, "mixed.csv");
}

TEST(LoadedSetConditions, EachSetIsAnalysedAtItsOwnConditionAndReportedOnce) {
  Database db = loadUserData(
      example("benzene-cyclohexane.json"),
      {example("benzene-cyclohexane-760.csv"), example("benzene-cyclohexane-500.csv")});
  LoadedDataSet mixed = db.LoadedSets[1];
  mixed.FileName = "mixed.csv";
  for (std::size_t k = 0; k < mixed.t.size(); ++k)
    mixed.P[k] = mmHgToPa(400.0L + 100.0L * static_cast<Real>(k));
  db.LoadedSets.push_back(mixed);
  const TParameterSet set = test::benzeneCyclohexaneGeneratingSet();
  const Mixture mixture = binaryMixture(db, set, Language::English);
  const BinaryEquilibrium eq(mixture, set);
  const std::vector<LoadedSetCondition> sets = loadedSetConditions(db, set);
  const std::vector<LoadedSetAnalysis> analyses =
      analyseLoadedSets(db, eq, sets, Language::English);
  ASSERT_EQ(analyses.size(), 2u);  // the mixed set has no condition
  for (const LoadedSetAnalysis& a : analyses) {
    ASSERT_TRUE(a.Analysis.has_value()) << a.Error.value_or("");
    // The same analysis as at the set's condition directly (an identity: one routine).
    const BinaryAnalysis direct = analyseBinary(db, eq, a.Set.At);
    ASSERT_EQ(a.Analysis->Azeotropes.size(), direct.Azeotropes.size());
    ASSERT_EQ(direct.Azeotropes.size(), 1u);  // the generating NRTL has one at both pressures
    EXPECT_EQ(a.Analysis->Azeotropes[0].Point.tau, direct.Azeotropes[0].Point.tau);
  }
  // Lower pressure, lower boiling azeotrope.
  EXPECT_LT(analyses[1].Analysis->Azeotropes[0].Point.tau,
            analyses[0].Analysis->Azeotropes[0].Point.tau);

  // The 760 mm Hg set is the condition shown already: left out; the 500 one named with its
  // condition; the mixed one named with its ranges.
  const std::vector<std::string> lines = loadedSetReportLines(
      analyses, sets, Condition::atPressure(kDefaultDiagramPressure), Language::English);
  const auto has = [&lines](const std::string& part) {
    for (const std::string& line : lines)
      if (line.find(part) != std::string::npos) return true;
    return false;
  };
  EXPECT_TRUE(has("benzene-cyclohexane-500.csv, at P = 500.00 mm Hg:"));
  EXPECT_FALSE(has("benzene-cyclohexane-760.csv"));
  EXPECT_TRUE(has("Data set mixed.csv is neither isobaric nor isothermal"));
  EXPECT_TRUE(has("Azeotrope"));
  const std::vector<std::string> russian =
      loadedSetReportLines(analyses, sets, std::nullopt, Language::Russian, ",");
  ASSERT_FALSE(russian.empty());
  EXPECT_NE(russian[0].find("-760.csv, при P = 760,00 мм рт.ст.:"), std::string::npos)
      << russian[0];
}

}  // namespace
}  // namespace bubblix
