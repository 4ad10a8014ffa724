// Bad numbers typed into the equilibrium grid (pressure and two mole percents): each gives
// its message in both languages, at the keystroke and at OK, and loses nothing already read.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/session/dialog_rules.h"

namespace bubblix {
namespace {

constexpr Real kEarlier = 12.5L;  // what the cells held from an earlier showing

GridEntry equilibriumGrid(Language lang) {
  GridEntry grid(219, 0, 2);
  grid.Lang = lang;
  grid.Cols = 3;
  grid.Rows = 3;
  for (auto& column : grid.Values)
    column.fill(kEarlier);
  grid.Cancelled = true;
  return grid;
}

struct BadEntry {
  const char* text;
  const char* separator;
  // The beginning of a number (a sign, blanks, an exponent still without digits, a value out
  // of range): no message while it is typed, only at OK.
  bool beginning = false;
};

TEST(GridEntryInput, EveryBadEntryIsNamedAndLosesNothingReadBefore) {
  const BadEntry bad[] = {{"abc", "."},          {"1,5", "."},
                          {"1.5", ","},          {"nan", "."},
                          {"NAN", ","},          {"inf", "."},
                          {"-inf", ","},         {"Infinity", "."},
                          {"-", ".", true},      {"+", ",", true},
                          {"   ", ".", true},    {"\t", ",", true},
                          {"1e5000", ".", true}, {"-1e5000", ",", true},
                          {"1 5", "."},          {"--1", "."},
                          {"1e", ".", true},     {"e3", "."},
                          {"0x1A", "."},         {"1,5,", ","},
                          {"1.000,5", ","},      {"%", "."},
                          {"- ", "."},           {"1e ", "."}};
  for (const BadEntry& entry : bad) {
    SCOPED_TRACE(std::string("\"") + entry.text + "\" with \"" + entry.separator + "\"");
    for (const Language lang : {Language::English, Language::Russian}) {
      GridEntry grid = equilibriumGrid(lang);
      GridArray<std::string> cells;
      cells[0][2] = "760";
      cells[1][2] = entry.text;
      cells[2][2] = "20";

      if (entry.beginning) {
        EXPECT_EQ(gridKeystrokeMessage(entry.text, entry.separator, lang), std::nullopt);
      } else {
        EXPECT_EQ(gridKeystrokeMessage(entry.text, entry.separator, lang),
                  (lang == Language::English ? "Wrong symbol at input of number "
                                             : "Неправильный символ при вводе числа ") +
                      std::string(entry.text));
      }
      const GridOkOutcome outcome = gridOkVisit(grid, cells, entry.separator);
      EXPECT_EQ(outcome.Message,
                (lang == Language::English ? "Error of number entry " : "Ошибка при вводе числа ") +
                    std::string(entry.text));
      EXPECT_FALSE(outcome.Close);
      EXPECT_EQ(outcome.BadCell, (GridCell{1, 2}));
      EXPECT_EQ(grid.CurrentCol, 1);
      EXPECT_EQ(cells[1][2], "");    // emptied for the next try
      EXPECT_EQ(cells[2][2], "20");  // the cell after it keeps its text
      EXPECT_EQ(grid.Values[0][2], 760.0L);
      EXPECT_EQ(grid.Values[1][2], kEarlier);
      EXPECT_EQ(grid.Values[2][2], kEarlier);
      EXPECT_TRUE(grid.Cancelled);  // the dialog stays open: not an answer yet

      // The corrected entry completes the grid.
      cells[1][2] = "30";
      EXPECT_TRUE(gridOkVisit(grid, cells, entry.separator).Close);
      EXPECT_EQ(grid.Values[1][2], 30.0L);
      EXPECT_EQ(grid.Values[2][2], 20.0L);
      EXPECT_FALSE(grid.Cancelled);
    }
  }
}

TEST(GridEntryInput, NumbersBeyondDoubleRangeAreFiniteExtendedRealsAndTinyOnesReadAsZero) {
  // 1e400 overflows a double but not the 80-bit Real (largest about 1.19e4932): it is a
  // number; whether it makes physical sense is for the calculation to judge.
  GridEntry grid = equilibriumGrid(Language::English);
  GridArray<std::string> cells;
  cells[0][2] = "1e400";
  cells[1][2] = "-1e-400";
  cells[2][2] = "1e-5000";  // below the smallest subnormal Real (about 3.6e-4951)
  const GridOkOutcome outcome = gridOkVisit(grid, cells, ".");
  ASSERT_TRUE(outcome.Close);
  EXPECT_EQ(grid.Values[0][2], 1e400L);
  EXPECT_TRUE(std::isfinite(grid.Values[0][2]));
  EXPECT_GT(grid.Values[0][2], static_cast<Real>(std::numeric_limits<double>::max()));
  EXPECT_EQ(grid.Values[1][2], -1e-400L);
  EXPECT_EQ(grid.Values[2][2], 0.0L);
}

}  // namespace
}  // namespace bubblix
