// Extreme numbers typed into the equilibrium dialogue's grid: numbers the grid reads (finite
// 80-bit reals) but far outside anything physical. Each entry gives a table row of finite
// numbers or a message, and the rows already in the report stay as they are.

#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "core/data/database.h"
#include "core/session/equilibrium_dialogue.h"
#include "core/session/parameter_file_dialogs.h"
#include "core/session/session_test_support.h"

namespace bubblix {
namespace {

using session_test::isEquilibriumRow;
using session_test::RecordingDialogs;
using session_test::Requests;

// A Wilson set of the database components given (reduced energies chosen by hand).
SessionState wilsonState(const std::vector<std::uint16_t>& components) {
  SessionState state;
  state.InterfaceLanguage = Language::English;
  state.ParameterSet.ModelCode = Model::Wilson;
  state.ParameterSet.ComponentCount = static_cast<std::uint8_t>(components.size());
  for (std::size_t i = 0; i < components.size(); ++i) {
    state.ParameterSet.Components[i] = components[i];
    for (std::size_t j = 0; j < components.size(); ++j)
      state.ParameterSet.WilsonEnergy[i][j] = i == j ? 0.0L : 0.4L + 0.3L * static_cast<Real>(j);
  }
  state.SelectedCount = state.ParameterSet.ComponentCount;
  reloadParameterSetMixture(state, builtInDatabase());
  return state;
}

struct Run {
  std::vector<std::string> lines;  // the report
  std::vector<std::string> echo;   // the messages shown, one per line
  SessionOutcome outcome;
};

Run runDialogue(SessionState state, const std::string& script) {
  LineListReport report;
  std::ostringstream echo;
  Requests requests;
  RecordingDialogs dialogs(script, echo, requests);
  const SessionResult result = runEquilibriumDialogue(dialogs, report, state);
  Run run{report.lines(), {}, result.Outcome};
  std::istringstream lines(echo.str());
  for (std::string line; std::getline(lines, line);)
    run.echo.push_back(line);
  return run;
}

bool isRangeNote(const std::string& line) {
  return line.starts_with("  values extrapolated beyond the property data of ");
}

// Every entry after the first point either adds a row or shows one message; the first row
// stays the same; no number is NaN or infinite.
void expectRowsOrMessages(const std::vector<std::uint16_t>& components, const std::string& start,
                          const std::vector<std::string>& entries) {
  const int n = static_cast<int>(components.size());
  const Run first = runDialogue(wilsonState(components), start + "cancel\n");
  ASSERT_EQ(first.outcome, SessionOutcome::Completed);
  ASSERT_TRUE(first.echo.empty()) << first.echo.front();
  const std::string firstRow = first.lines.back();
  ASSERT_TRUE(isEquilibriumRow(firstRow, n)) << firstRow;

  for (const std::string& entry : entries) {
    SCOPED_TRACE(entry);
    Run run = runDialogue(wilsonState(components), start + entry + "\ncancel\n");
    // The note lines of a point outside the property data belong to its row.
    std::erase_if(run.lines, [](const std::string& line) { return isRangeNote(line); });
    EXPECT_EQ(run.outcome, SessionOutcome::Completed);
    const std::size_t rows = run.lines.size() - first.lines.size() + 1;
    EXPECT_EQ(run.lines[first.lines.size() - 1], firstRow);  // the earlier row is kept
    EXPECT_EQ(rows + run.echo.size(), 2u) << (run.echo.empty() ? "" : run.echo.front());
    for (const std::string& message : run.echo) {
      EXPECT_TRUE(message.starts_with("Warning: ") ||
                  message.starts_with("Error: This point could not be calculated: "))
          << message;
      EXPECT_TRUE(message.ends_with("again.") || message.ends_with("change the values."))
          << message;
    }
    if (rows == 2) {
      const std::string& row = run.lines.back();
      EXPECT_TRUE(isEquilibriumRow(row, n)) << row;
      EXPECT_EQ(row.find_first_of("naifNAIF"), std::string::npos) << row;
    }
  }
}

TEST(EquilibriumEntryInput, PressuresFarOutsideAnyPhysicalRangeGiveARowOrAMessage) {
  expectRowsOrMessages(
      {1, 2}, "variant 1\ngrid 760 40\n",
      {"grid 1e400 50", "grid 1e4000 50", "grid 1e-400 50", "grid 1e-4940 50", "grid 1e-5000 50",
       "grid 0.001 50", "grid 1e9 50", "grid 760 1e-4000", "grid 760 100", "grid 760 0",
       "grid 760 99.999999999999999999", "grid 760 100.00000000000000001", "grid 760 -0"});
}

TEST(EquilibriumEntryInput, TemperaturesFarOutsideAnyPhysicalRangeGiveARowOrAMessage) {
  expectRowsOrMessages(
      {1, 2}, "variant 2 vapour\ngrid 80 30\n",
      {"grid 1e400 50", "grid -273.14999999999999 50", "grid 1e-400 50", "grid 5000 50",
       "grid -200 50", "grid 80 1e-4000", "grid 80 100", "grid 80 0"});
}

TEST(EquilibriumEntryInput, FourComponentPercentsAtTheEdgesGiveARowOrAMessage) {
  expectRowsOrMessages(
      {1, 2, 3, 4}, "variant 1\ngrid 760 25 25 25\n",
      {"grid 760 33.333333333333333333 33.333333333333333333 33.333333333333333334",
       "grid 760 100 0 0", "grid 760 0 0 0", "grid 760 1e-4000 1e-4000 1e-4000",
       "grid 760 50 50 1e-30", "grid 760 1e400 0 0"});
}

// Entries the dialogue refuses with a message naming what is wrong, and the one it now takes:
//   - four percents that add up to 100 only to rounding (0.01 + 65.66 + 34.33 is a little
//     more than 100 in binary) are 100: a row whose last component is 0 %;
//   - a cell left empty is missing, never filled from the point before;
//   - a temperature at or below the pole of comp.3's vapour-pressure equation (-238.86 degC)
//     names the component and the pole.
TEST(EquilibriumEntryInput, RefusalsNameWhatIsMissingOrOutOfReach) {
  const auto sum =
      runDialogue(wilsonState({1, 2, 3, 4}), "variant 1\ngrid 760 0.01 65.66 34.33\ncancel\n");
  ASSERT_TRUE(sum.echo.empty()) << sum.echo.front();
  ASSERT_TRUE(isEquilibriumRow(sum.lines.back(), 4)) << sum.lines.back();
  // The last component's liquid percent, the seventh number of the row: 0 (the rule, exactly).
  std::istringstream numbers(sum.lines.back());
  std::vector<double> row{std::istream_iterator<double>(numbers), std::istream_iterator<double>()};
  ASSERT_EQ(row.size(), 10u);
  EXPECT_EQ(row[8], 0.0);

  const auto empty =
      runDialogue(wilsonState({1, 2, 3}), "variant 1\ngrid 760 30 20\ngrid 760 40\ncancel\n");
  ASSERT_EQ(empty.echo.size(), 1u);
  EXPECT_EQ(empty.echo[0],
            "Warning: The cell comp.2 is empty: a point needs every value of its row. Enter the "
            "point again.");
  std::size_t rows = 0;
  for (const std::string& line : empty.lines)
    rows += isEquilibriumRow(line, 3) ? 1 : 0;
  EXPECT_EQ(rows, 1u);  // the first point only; the second is no copy of it

  const auto pole = runDialogue(wilsonState({3, 4}), "variant 2\ngrid -250 50\ncancel\n");
  ASSERT_EQ(pole.echo.size(), 1u);
  EXPECT_NE(pole.echo[0].find("comp.3"), std::string::npos) << pole.echo[0];
  EXPECT_NE(pole.echo[0].find("pole at -238.86 °C"), std::string::npos) << pole.echo[0];
}

}  // namespace
}  // namespace bubblix
