// The fitting method as the desktop's dialog gives it: read into the options the sessions
// take, every bad entry refused naming its field, and shown again as it was read.

#include "core/session/fitting_method.h"

#include <gtest/gtest.h>

#include "core/base/errors.h"

namespace bubblix {
namespace {

FittingMethodEntry bubbleEntry() {
  FittingMethodEntry entry;
  entry.Objective = FitObjective::Bubble;
  entry.SigmaT = "0,2";
  entry.SigmaP = "";
  entry.SigmaX = "0,01";  // bubble takes no σ of x: not read
  entry.SigmaY = " 0,004 ";
  entry.Limits = {{"", "g12-g22", "1,5", "", ""},
                  {"", "ALP12", "", "0,1", "0,9"},
                  {"1-3", "l21-l22", "", "", "4"},
                  {"", "", "", "", ""},  // an empty row is no constraint
                  {"", "a0[1,5]", "", "-100", ""}};
  return entry;
}

// The message in both languages.
std::pair<std::string, std::string> refusal(const FittingMethodEntry& entry) {
  try {
    readFittingMethod(entry, ",", 4);
  } catch (const InputError& error) {
    return {error.message(Language::English), error.message(Language::Russian)};
  }
  ADD_FAILURE() << "not refused";
  return {};
}

TEST(FittingMethod, TheEntriesBecomeTheOptionsOfTheCommandLine) {
  const ObjectiveOptions options = readFittingMethod(bubbleEntry(), ",", 4);
  EXPECT_EQ(options.Objective, FitObjective::Bubble);
  // Exactly the values typed (parseReal reads "0,2" as the Real nearest 0.2, as 0.2L is); the
  // σ of P is left at its default, the σ of x is not the objective's.
  EXPECT_EQ(options.Sigmas.T, 0.2L);
  EXPECT_EQ(options.Sigmas.PmmHg, FitSigmas{}.PmmHg);
  EXPECT_EQ(options.Sigmas.x, FitSigmas{}.x);
  EXPECT_EQ(options.Sigmas.y, 0.004L);
  ASSERT_EQ(options.Constraints.size(), 4u);
  EXPECT_EQ(options.Constraints[0].Label, "g12-g22");
  EXPECT_EQ(options.Constraints[0].Fixed, 1.5L);
  EXPECT_FALSE(options.Constraints[0].Pair);
  EXPECT_EQ(options.Constraints[1].Label, "alp12");  // compared without regard to case
  EXPECT_EQ(options.Constraints[1].Lower, 0.1L);
  EXPECT_EQ(options.Constraints[1].Upper, 0.9L);
  EXPECT_FALSE(options.Constraints[1].Fixed);
  ASSERT_TRUE(options.Constraints[2].Pair);
  EXPECT_EQ(*options.Constraints[2].Pair, (std::array<int, 2>{1, 3}));
  EXPECT_EQ(options.Constraints[2].Upper, 4.0L);
  EXPECT_FALSE(options.Constraints[2].Lower);
  EXPECT_EQ(options.Constraints[3].Label, "a0[1,5]");

  // Shown again and read back: the same options.
  const ObjectiveOptions again = readFittingMethod(fittingMethodEntry(options, ","), ",", 4);
  EXPECT_EQ(again.Objective, options.Objective);
  EXPECT_EQ(again.Sigmas.T, options.Sigmas.T);
  EXPECT_EQ(again.Sigmas.y, options.Sigmas.y);
  ASSERT_EQ(again.Constraints.size(), options.Constraints.size());
  for (std::size_t k = 0; k < options.Constraints.size(); ++k) {
    EXPECT_EQ(again.Constraints[k].Label, options.Constraints[k].Label);
    EXPECT_EQ(again.Constraints[k].Pair, options.Constraints[k].Pair);
    EXPECT_EQ(again.Constraints[k].Fixed, options.Constraints[k].Fixed);
    EXPECT_EQ(again.Constraints[k].Lower, options.Constraints[k].Lower);
    EXPECT_EQ(again.Constraints[k].Upper, options.Constraints[k].Upper);
  }
}

TEST(FittingMethod, TheDefaultObjectiveTakesNeitherSigmasNorLimits) {
  // y1 is the gradient method: whatever the disabled fields hold, the options are the default
  // ones, so the report stays that of the described fit.
  FittingMethodEntry entry = bubbleEntry();
  entry.Objective = FitObjective::Y1;
  entry.SigmaT = "nonsense";
  const ObjectiveOptions options = readFittingMethod(entry, ",", 4);
  EXPECT_EQ(options.Objective, FitObjective::Y1);
  EXPECT_TRUE(options.Constraints.empty());
  EXPECT_EQ(options.Sigmas.T, FitSigmas{}.T);
  // y takes limits but no σ.
  entry.Objective = FitObjective::Y;
  EXPECT_EQ(readFittingMethod(entry, ",", 4).Constraints.size(), 4u);
  // Every objective is listed once, the default first.
  EXPECT_EQ(kFitObjectives.front().Objective, FitObjective::Y1);
  for (const FitObjectiveChoice& choice : kFitObjectives)
    EXPECT_EQ(&fitObjectiveChoice(choice.Objective), &choice);
}

TEST(FittingMethod, BadEntriesAreRefusedNamingTheField) {
  struct Case {
    const char* what;
    std::function<void(FittingMethodEntry&)> spoil;
    const char* english;
    const char* russian;
  };
  const std::vector<Case> cases = {
      {"a σ that is no number", [](FittingMethodEntry& e) { e.SigmaT = "0.2"; },
       "σ of t: \"0.2\" is not a number", "σ температуры: \"0.2\" - не число"},
      {"a σ of zero", [](FittingMethodEntry& e) { e.SigmaY = "0"; },
       "σ of y: the uncertainty must be above zero, not 0", "σ y: погрешность должна быть"},
      {"a negative σ", [](FittingMethodEntry& e) { e.SigmaT = "-1"; },
       "σ of t: the uncertainty must be above zero, not -1", "σ температуры"},
      {"a fixed value that is no number", [](FittingMethodEntry& e) { e.Limits[0].Fixed = "1,5x"; },
       "Fixed value of g12-g22: \"1,5x\" is not a number",
       "Фиксированное значение g12-g22: \"1,5x\" - не число"},
      {"a bound that is infinite", [](FittingMethodEntry& e) { e.Limits[1].Upper = "inf"; },
       "Upper bound of ALP12: \"inf\" is not a number", "Верхняя граница ALP12"},
      {"a lower bound above the upper", [](FittingMethodEntry& e) { e.Limits[1].Lower = "1"; },
       "Bounds of ALP12: the lower bound 1 is above the upper bound 0,9",
       "Границы ALP12: нижняя граница 1 больше верхней 0,9"},
      {"a fixed value outside the bounds",
       [](FittingMethodEntry& e) { e.Limits[1].Fixed = "0,95"; },
       "Fixed value of ALP12: 0,95 lies outside the parameter's bounds",
       "Фиксированное значение ALP12: 0,95 лежит вне границ параметра"},
      {"an unknown parameter", [](FittingMethodEntry& e) { e.Limits[4].Label = "g12"; },
       "Parameter of row 5: \"g12\" names no parameter", "Параметр строки 5: \"g12\" не называет"},
      {"a value without a parameter", [](FittingMethodEntry& e) { e.Limits[3].Lower = "1"; },
       "Row 4: a value is given, but no parameter", "Строка 4: значение задано, а параметр нет"},
      {"a pair of one component", [](FittingMethodEntry& e) { e.Limits[2].Pair = "3-3"; },
       "Pair of l21-l22: \"3-3\" is no pair: two different component numbers from 1 to 4",
       "Пара для l21-l22: \"3-3\" - не пара"},
      {"a pair beyond the database", [](FittingMethodEntry& e) { e.Limits[2].Pair = "1-5"; },
       "Pair of l21-l22: \"1-5\" is no pair", "Пара для l21-l22"},
      {"a pair that is no pair", [](FittingMethodEntry& e) { e.Limits[2].Pair = "1,3"; },
       "Pair of l21-l22: \"1,3\" is no pair", "Пара для l21-l22"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FittingMethodEntry entry = bubbleEntry();
    c.spoil(entry);
    const auto [english, russian] = refusal(entry);
    EXPECT_NE(english.find(c.english), std::string::npos) << english;
    EXPECT_NE(russian.find(c.russian), std::string::npos) << russian;
  }
}

TEST(FittingMethod, AMethodOtherThanTheDefaultIsNamedInTheReport) {
  EXPECT_TRUE(fittingMethodReportLines(ObjectiveOptions{}, Language::English, ".").empty());
  const ObjectiveOptions options = readFittingMethod(bubbleEntry(), ",", 4);
  EXPECT_EQ(fittingMethodReportLines(options, Language::English, ","),
            (std::vector<std::string>{
                " Fitting method: objective bubble,  σ t = 0,2 K,  σ P = 0,5 mm Hg,  σ y = 0,004",
                "   g12-g22 (every pair) fixed at 1,5", "   alp12 (every pair) bounded: 0,1 .. 0,9",
                "   l21-l22 (pair 1-3) bounded: -inf .. 4",
                "   a0[1,5] (every pair) bounded: -100 .. inf"}));
  const std::vector<std::string> russian =
      fittingMethodReportLines(options, Language::Russian, ",");
  ASSERT_EQ(russian.size(), 5u);
  EXPECT_EQ(russian[0],
            " Метод подбора: целевая функция bubble,  σ t = 0,2 K,  σ P = 0,5 мм рт.ст.,  σ y = "
            "0,004");
  // y takes no σ.
  ObjectiveOptions y = options;
  y.Objective = FitObjective::Y;
  EXPECT_EQ(fittingMethodReportLines(y, Language::English, ".").front(),
            " Fitting method: objective y");
}

TEST(FittingMethod, ParameterLabelsAreThoseOfTheResultLines) {
  EXPECT_EQ(parameterLabels(Model::Wilson), (std::vector<std::string>{"l12-l11", "l21-l22"}));
  EXPECT_EQ(parameterLabels(Model::NRTL),
            (std::vector<std::string>{"g12-g22", "g21-g11", "alp12"}));
  EXPECT_EQ(parameterLabels(Model::UNIQUAC), (std::vector<std::string>{"u12-u22", "u21-u11"}));
  EXPECT_TRUE(parameterLabels(Model::UNIFAC).empty());
  EXPECT_TRUE(isGroupParameterLabel("a0[1,5]"));
  EXPECT_TRUE(isGroupParameterLabel("A[1A,10B]"));
  EXPECT_FALSE(isGroupParameterLabel("a0[1,5"));
  EXPECT_FALSE(isGroupParameterLabel("a[1,5]"));
}

}  // namespace
}  // namespace bubblix
