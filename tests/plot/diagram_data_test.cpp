// The data of the phase diagrams: texts in both languages and the sets that can be drawn.

#include "plot/diagram_data.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/base/errors.h"
#include "core/data/database.h"
#include "plot/plot_test_support.h"

namespace bubblix::plot {
namespace {

TEST(DiagramData, RussianTextsAndTheLocaleSeparator) {
  const DiagramData data = computeDiagram(builtInDatabase(), test::fittedSet(1, 2, Model::NRTL),
                                          80.0L, Language::Russian, ",");
  EXPECT_FALSE(data.isobaric());
  EXPECT_EQ(data.Labels.MainTitle,
            "Равновесие пар-жидкость комп.1-комп.2: P-x-y при t = 80,00 °C, модель NRTL");
  ASSERT_EQ(data.Analysis.Azeotropes.size(), 1u);
  // Reference value of this fit: the pressure maximum near 812.7 mm Hg at x1 = 0.98.
  const std::string entry = azeotropeLegendText(data, data.Analysis.Azeotropes[0]);
  EXPECT_EQ(entry.rfind("Азеотроп: P = 812,", 0), 0u) << entry;
  const std::vector<std::string> lines = diagramReportLines(data);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], data.Labels.MainTitle);
  EXPECT_EQ(lines[1].rfind("Азеотроп при t = 80,00 °C, P = 812,", 0), 0u) << lines[1];
  EXPECT_EQ(lines[2].rfind("Расслаивания при t = 80,00 °C нет", 0), 0u) << lines[2];
}

TEST(DiagramData, OnlyABinarySetIsDrawn) {
  TParameterSet set = test::fittedSet(1, 2, Model::NRTL);
  EXPECT_TRUE(hasBinaryParameterSet(set));
  EXPECT_FALSE(hasBinaryParameterSet(TParameterSet{}));  // before the first fit or load
  set.ComponentCount = 3;
  EXPECT_FALSE(hasBinaryParameterSet(set));
  try {
    computeDiagram(builtInDatabase(), set, std::nullopt, Language::English);
    FAIL() << "no error";
  } catch (const InputError& e) {
    EXPECT_EQ(e.message(Language::English),
              "Diagrams and the azeotrope search need a binary parameter set; this one holds 3 "
              "components");
  }
  set.ComponentCount = 2;
  EXPECT_THROW(computeDiagram(builtInDatabase(), set, -300.0L, Language::English), InputError);
  // A temperature at which no bubble point can be solved gives no empty diagram.
  try {
    computeDiagram(builtInDatabase(), set, 1.0e6L, Language::English);
    FAIL() << "no error";
  } catch (const NoConvergenceError& e) {
    EXPECT_EQ(e.message(Language::English),
              "No bubble point at t = 1000000.00 °C could be solved: azeotropes and liquid split "
              "cannot be judged");
  }
}

}  // namespace
}  // namespace bubblix::plot
