#include "core/analysis/binary_analysis.h"

#include <gtest/gtest.h>

#include <string>

#include "analysis_test_support.h"
#include "core/base/units.h"

namespace bubblix {
namespace {

using test::BinaryCase;

constexpr Real kP760 = 101308.0L;  // Pa

BinaryAnalysis analyse(const BinaryCase& c, Condition at, int points = kDefaultCurvePoints) {
  const BinaryEquilibrium eq(c.mixture, c.set);
  return analyseBinary(builtInDatabase(), eq, at, points);
}

TEST(BinaryAnalysis, ReportLinesOfAMinimumBoilingAzeotropeInBothLanguages) {
  // Reference values of the Wilson fit to comp.1-comp.2: 78.1550 degC, x1 = 0.9019802.
  const BinaryAnalysis a = analyse(test::fitted(1, 2, Model::Wilson), Condition::atPressure(kP760));
  EXPECT_EQ(a.Diagram.Measured.size(), 52u);
  const auto en = analysisReportLines(a, Language::English);
  ASSERT_EQ(en.size(), 2u);
  EXPECT_EQ(en[0],
            "Azeotrope at t = 78.16 °C, P = 760.00 mm Hg: x1 = y1 = 0.9020, minimum-boiling");
  EXPECT_EQ(
      en[1],
      "No liquid split at P = 760.00 mm Hg: the single liquid is stable at every bubble point");
  const auto ru = analysisReportLines(a, Language::Russian, ",");
  ASSERT_EQ(ru.size(), 2u);
  EXPECT_EQ(ru[0],
            "Азеотроп при t = 78,16 °C, P = 760,00 мм рт.ст.: x1 = y1 = 0,9020, с минимумом "
            "температуры кипения");
  EXPECT_EQ(ru[1],
            "Расслаивания при P = 760,00 мм рт.ст. нет: однородная жидкость устойчива во всех "
            "точках кипения");
}

TEST(BinaryAnalysis, IdealMixtureHasNeitherAzeotropeNorSplit) {
  const BinaryAnalysis a = analyse(test::idealCase(2, 3), Condition::atTau(tauFromCelsius(50.0L)));
  EXPECT_TRUE(a.Diagram.Measured.empty());  // isothermal: the data are isobaric
  const auto lines = analysisReportLines(a, Language::English);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "No azeotrope at t = 50.00 °C: y1 - x1 keeps its sign for 0 < x1 < 1");
  EXPECT_EQ(lines[1],
            "No liquid split at t = 50.00 °C: the single liquid is stable at every bubble point");
}

TEST(BinaryAnalysis, SplitIsReportedWithItsWarningAndMarksAnAzeotropeInsideIt) {
  // NRTL fitted to comp.2-comp.4: at 760 mm Hg its azeotrope (x1 near 0.315) lies below the
  // unstable range; at 3000 mm Hg (reference values: azeotrope x1 = 0.37, range 0.27 to 0.67)
  // inside it.
  const BinaryCase& c = test::fitted(2, 4, Model::NRTL);
  const BinaryAnalysis at760 = analyse(c, Condition::atPressure(kP760));
  ASSERT_EQ(at760.Azeotropes.size(), 1u);
  ASSERT_EQ(at760.LiquidSplit.size(), 1u);
  EXPECT_FALSE(at760.Azeotropes[0].InsideLiquidSplit);
  const auto lines = analysisReportLines(at760, Language::English);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1].rfind("Liquid split at P = 760.00 mm Hg: the model predicts two liquid "
                           "phases; the single liquid is unstable for 0.",
                           0),
            0u)
      << lines[1];
  EXPECT_EQ(lines[2].rfind("Warning: every result above assumes a single liquid phase", 0), 0u);

  const AzeotropeSummary summary = summarize(at760);
  ASSERT_TRUE(summary.azeotrope && summary.liquid_split);
  EXPECT_EQ(summary.liquid_split->x1_from, at760.LiquidSplit[0].From.x1);
  EXPECT_EQ(summary.liquid_split->x1_to, at760.LiquidSplit[0].To.x1);
  EXPECT_EQ(summary.azeotrope->p_mmhg, paToMmHg(at760.Azeotropes[0].Point.P));
  const BinaryAnalysis at3000 = analyse(c, Condition::atPressure(mmHgToPa(3000.0L)));
  ASSERT_EQ(at3000.Azeotropes.size(), 1u);
  EXPECT_TRUE(at3000.Azeotropes[0].InsideLiquidSplit);
  const std::string line = analysisReportLines(at3000, Language::English)[0];
  EXPECT_NE(line.find(", minimum-boiling; the model predicts two liquids there, so the real "
                      "azeotrope is heterogeneous"),
            std::string::npos)
      << line;
}

TEST(BinaryAnalysis, UnsolvedBubblePointsAreReportedInsteadOfAVerdict) {
  const BinaryCase& c = test::fitted(1, 2, Model::NRTL);
  const BinaryAnalysis none = analyse(c, Condition::atPressure(1.0L));
  EXPECT_EQ(analysisReportLines(none, Language::English),
            std::vector<std::string>{"No bubble point at P = 0.01 mm Hg could be solved: "
                                     "azeotropes and liquid split cannot be judged"});

  BinaryAnalysis some = analyse(c, Condition::atPressure(kP760), 5);
  some.Diagram.Bubble.Points.erase(some.Diagram.Bubble.Points.begin() + 1);
  some.Diagram.Bubble.Skipped.push_back(0.25L);
  const auto lines = analysisReportLines(some, Language::Russian, ",");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0],
            "1 из 5 точек кипения при P = 760,00 мм рт.ст. рассчитать не удалось; "
            "строки ниже основаны на остальных");
}

}  // namespace
}  // namespace bubblix
