// The equilibrium dialogue on a parameter set put in place by hand.

#include "core/session/equilibrium_dialogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/base/units.h"
#include "core/data/properties.h"
#include "core/session/parameter_file_dialogs.h"
#include "session_test_support.h"

namespace bubblix::session_test {
namespace {

// A state holding a Wilson set of the given database components (parameters reduced).
SessionState wilsonState(std::vector<std::uint16_t> components, Real a12 = 0.8L, Real a21 = 1.7L,
                         Language lang = Language::English) {
  SessionState state;
  state.InterfaceLanguage = lang;
  state.ParameterSet.ModelCode = Model::Wilson;
  state.ParameterSet.ComponentCount = static_cast<std::uint8_t>(components.size());
  for (std::size_t i = 0; i < components.size(); ++i) {
    state.ParameterSet.Components[i] = components[i];
  }
  state.ParameterSet.WilsonEnergy[0][1] = a12;
  state.ParameterSet.WilsonEnergy[1][0] = a21;
  state.SelectedCount = state.ParameterSet.ComponentCount;
  reloadParameterSetMixture(state, builtInDatabase());
  return state;
}

struct Dialogue {
  explicit Dialogue(SessionState s) : state(std::move(s)) {}
  SessionResult run(std::string_view script) {
    requests = {};
    echo.str("");
    RecordingDialogs dialogs(script, echo, requests);
    const SessionResult result = runEquilibriumDialogue(dialogs, report, state);
    leftOver = dialogs.scripted().script().remaining();
    return result;
  }
  SessionState state;
  LineListReport report;
  Requests requests;
  std::ostringstream echo;
  std::size_t leftOver = 0;
};

TEST(EquilibriumDialogue, OneRowPerAcceptedPointUntilCancel) {
  Dialogue d(wilsonState({1, 2}));
  ASSERT_EQ(d.run("variant 2 vapour\ngrid 80 30\ngrid 90 40\ncancel\n").Outcome,
            SessionOutcome::Completed);
  EXPECT_EQ(d.leftOver, 0u);

  ASSERT_EQ(d.requests.Variants.size(), 1u);
  const VariantRequest& question = d.requests.Variants[0];
  EXPECT_EQ(question.FormCaption, "Choice of variant");
  EXPECT_EQ(question.Prompt,
            "Wish to calculate a boiling temperature of a mix on\r\npreset pressure and "
            "composition of liquid or vapour phase?\r\nOr pressure on a preset boiling "
            "temperature and composition\r\nof liquid or vapour phase?");
  EXPECT_EQ(question.Items[1], "temperature of boiling on pressure");
  EXPECT_EQ(question.Items[2], "pressure on temperature of boiling");
  ASSERT_TRUE(question.CheckBoxes);
  EXPECT_TRUE(question.CheckBoxes->Visible);
  EXPECT_EQ(question.CheckBoxes->Caption1, "to set composition of liquid phase");
  EXPECT_EQ(question.CheckBoxes->Caption2, "to set composition of vapour phase");

  // The same grid for every point, its value cells empty each time.
  ASSERT_EQ(d.requests.Grids.size(), 3u);
  for (const GridEntry& grid : d.requests.Grids) {
    EXPECT_EQ(grid.FormCaption, "Data entry for calculation of equilibrium");
    EXPECT_EQ(grid.Lang, Language::English);
    EXPECT_EQ(grid.Cols, 2);
    EXPECT_EQ(grid.Rows, 3);
    EXPECT_EQ(grid.CurrentCol, 0);
    EXPECT_EQ(grid.CellText[0][0], "     t boil");
    EXPECT_EQ(grid.CellText[0][1], " degr.C");
    EXPECT_EQ(grid.CellText[1][0], "comp.1");
    EXPECT_EQ(grid.CellText[1][1], "   % molar");
    EXPECT_EQ(grid.CellText[0][2], "");
    EXPECT_EQ(grid.CellText[1][2], "");
    EXPECT_EQ(grid.Prompt,
              "Enter temperature (degr.C) and densities of\r\ncomponents in a vapour phase (% of "
              "molar) for\r\ncalculation of mixture pressure and equilibrium\r\ncomposition of a "
              "vapour phase.");
  }

  ASSERT_EQ(d.report.lineCount(), 4 + 2);
  EXPECT_EQ(d.report.line(0), "All densities of components are expressed in molar percents ");
  for (const int k : {4, 5})
    ASSERT_TRUE(isEquilibriumRow(d.report.line(k), 2)) << k;
  const std::vector<double> first = numbersOf(d.report.line(4));
  EXPECT_EQ(first[1], 80.0);
  EXPECT_EQ(first[3], 30.0);  // the given vapour
  EXPECT_EQ(first[5], 70.0);
  EXPECT_NEAR(first[2] + first[4], 100.0, 1e-3);  // the computed liquid sums to 100 %
  // The last row is the state's point, and it is a dew point: x_i gamma_i Psat_i = P y_i
  // (to about 1e-6 relative, the last Jacobian evaluation).
  const SessionState& s = d.state;
  EXPECT_EQ(d.report.line(5), equilibriumRow(s));
  EXPECT_EQ(s.Tau, tauFromCelsius(90.0L));
  for (int i = 0; i < 2; ++i) {
    const Real lhs = s.LiquidX[i] * s.Gamma[i] * SaturationPressure(s.Components, i, s.Tau);
    EXPECT_NEAR(static_cast<double>(lhs / (s.Pressure * s.VapourY[i])), 1.0, 1e-4) << i;
  }
}

TEST(EquilibriumDialogue, BubbleTemperatureAndTheFluidPrompt) {
  Dialogue d(wilsonState({1, 2}));
  // Task t with the vapour box ticked: the prompt still speaks of the fluid phase.
  ASSERT_EQ(d.run("variant 1 vapour\ncancel\n").Outcome, SessionOutcome::Completed);
  const std::string fluidPrompt =
      "Enter pressure (mm of a hg) and densities of\r\ncomponents in a fluid phase (% of "
      "molar) for\r\ncalculation of mix boiling point and equilibrium\r\ncomposition of a "
      "vapour phase";
  EXPECT_EQ(d.requests.Grids.at(0).Prompt, fluidPrompt);
  EXPECT_EQ(d.requests.Grids.at(0).CellText[0][0], "     Pabs ");
  EXPECT_EQ(d.requests.Grids.at(0).CellText[0][1], " mm of hg. ");
  EXPECT_EQ(d.report.lineCount(), 4);  // Cancel appends no row

  ASSERT_EQ(d.run("variant 1 liquid\ngrid 760 30\ncancel\n").Outcome, SessionOutcome::Completed);
  EXPECT_EQ(d.requests.Grids.at(0).Prompt, fluidPrompt);
  const SessionState& s = d.state;
  EXPECT_EQ(s.LiquidX[0], 30.0L / 100.0L);
  EXPECT_EQ(s.LiquidX[1], 1.0L - 30.0L / 100.0L);
  EXPECT_EQ(s.Pressure, mmHgToPa(760.0L));
  // A bubble point: y_i P = x_i gamma_i Psat_i at the solver's last evaluation, which lies
  // off the root by up to half the last secant correction: sum y = 1 within 5e-3.
  for (int i = 0; i < 2; ++i) {
    const Real rhs = s.LiquidX[i] * s.Gamma[i] * SaturationPressure(s.Components, i, s.Tau);
    EXPECT_NEAR(static_cast<double>(s.VapourY[i] * s.Pressure / rhs), 1.0, 1e-12) << i;
  }
  EXPECT_NEAR(static_cast<double>(s.VapourY[0] + s.VapourY[1]), 1.0, 5e-3);
  const std::string text = d.report.line(d.report.lineCount() - 1);
  // The desktop program writes the locale's separator: the same row with commas.
  std::string commas = text;
  std::replace(commas.begin(), commas.end(), '.', ',');
  EXPECT_EQ(equilibriumRow(s, ","), commas);
  const std::vector<double> row = numbersOf(text);
  EXPECT_EQ(row[0], 760.0);
  EXPECT_GT(row[1], 78.0);  // between the boiling points of comp.1 and comp.2
  EXPECT_LT(row[1], 100.0);
}

TEST(EquilibriumDialogue, EntriesWithoutPhysicalSenseAreRefusedAndAskedAgain) {
  Dialogue d(wilsonState({1, 2, 3}, 0.0L, 0.0L));
  ASSERT_EQ(d.run("variant 1\ngrid 760 120 0\ngrid 760 60 50\ngrid 0 30 30\ngrid -5 30 30\n"
                  "grid 760 -1 30\ngrid 760 40 60\ncancel\n")
                .Outcome,
            SessionOutcome::Completed);
  EXPECT_EQ(d.leftOver, 0u);
  EXPECT_EQ(d.echo.str(),
            "Warning: The mole percent of comp.1 must lie between 0 and 100: 120. Enter the point "
            "again.\n"
            "Warning: The mole percents entered add up to 110, more than 100: nothing would be "
            "left for comp.3. Enter the point again.\n"
            "Warning: The pressure must be greater than zero: 0 mm Hg. Enter the point again.\n"
            "Warning: The pressure must be greater than zero: -5 mm Hg. Enter the point again.\n"
            "Warning: The mole percent of comp.1 must lie between 0 and 100: -1. Enter the point "
            "again.\n");
  // Only the last entry, whose percents add up to exactly 100, gives a row: comp.3 gets 0.
  ASSERT_EQ(d.report.lineCount(), 4 + 1);
  const std::vector<double> row = numbersOf(d.report.line(4));
  ASSERT_TRUE(isEquilibriumRow(d.report.line(4), 3));
  EXPECT_EQ(row[6], 0.0);
  EXPECT_EQ(d.state.LiquidX[2], 0.0L);

  ASSERT_EQ(d.run("variant 2\ngrid -273.15 50 0\ngrid -300 50 0\ncancel\n").Outcome,
            SessionOutcome::Completed);
  EXPECT_EQ(d.echo.str(),
            "Warning: The temperature must be above absolute zero (-273.15 °C): -273.15 °C. "
            "Enter the point again.\n"
            "Warning: The temperature must be above absolute zero (-273.15 °C): -300 °C. Enter "
            "the point again.\n");
}

TEST(EquilibriumDialogue, SolverFailureRefusesThePointAndAsksAgain) {
  Dialogue d(wilsonState({1, 2}));
  ASSERT_EQ(d.run("variant 2 vapour\ngrid 1e6 50\ngrid 80 50\ncancel\n").Outcome,
            SessionOutcome::Completed);
  EXPECT_TRUE(
      d.echo.str().starts_with("Error: This point could not be calculated: Dew pressure "
                               "at t = 1000000 °C"))
      << d.echo.str();
  EXPECT_TRUE(d.echo.str().ends_with(". Enter another point or change the values.\n"));
  ASSERT_EQ(d.report.lineCount(), 4 + 1);
  EXPECT_EQ(numbersOf(d.report.line(4))[1], 80.0);
}

TEST(EquilibriumDialogue, RussianTexts) {
  Dialogue d(wilsonState({1, 2}, 0.8L, 1.7L, Language::Russian));
  ASSERT_EQ(d.run("variant 2 liquid\ncancel\n").Outcome, SessionOutcome::Completed);
  const VariantRequest& question = d.requests.Variants.at(0);
  EXPECT_EQ(question.FormCaption, "Выбор варианта");
  EXPECT_EQ(question.Items[1], "температуру кипения по давлению");
  EXPECT_EQ(question.CheckBoxes->Caption2, "задать состав паровой фазы");
  const GridEntry& grid = d.requests.Grids.at(0);
  EXPECT_EQ(grid.FormCaption, "Ввод данных для расчета равновесия");
  EXPECT_EQ(grid.CellText[0][0], "     t кип ");
  EXPECT_EQ(grid.CellText[0][1], " град.С");
  EXPECT_EQ(grid.CellText[1][0], "комп.1");
  EXPECT_EQ(grid.CellText[1][1], "   % мольн.");
  EXPECT_EQ(grid.Prompt,
            "Введите температуру (град.С) и концентрации\r\nкомпонентов в жидкой (% мольн.) для "
            "рас-\r\nчета давления смеси и равновесного состава\r\nпаровой фазы.");
  EXPECT_EQ(d.report.line(0), "Все концентрации компонентов выражены в мольных процентах   ");
}

}  // namespace
}  // namespace bubblix::session_test
