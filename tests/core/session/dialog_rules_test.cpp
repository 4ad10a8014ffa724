#include "core/session/dialog_rules.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/base/errors.h"

namespace bubblix {
namespace {

// ---- Number reading in a comma locale ----

// Switches the process to a locale whose decimal separator is a comma for the length of a
// test. When none is installed it builds one with localedef into a temporary folder.
class CommaLocale : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"de_DE.UTF-8", "ru_RU.UTF-8", "fr_FR.UTF-8", "de_DE.utf8"}) {
      if (use(name)) return;
    }
    namespace fs = std::filesystem;
    dir_ = fs::temp_directory_path() / ("bubblix-locale-" + std::to_string(::getpid()));
    fs::create_directories(dir_);
    const std::string command =
        "localedef -i de_DE -f UTF-8 '" + (dir_ / "de_DE.UTF-8").string() + "' >/dev/null 2>&1";
    (void)std::system(command.c_str());
    ::setenv("LOCPATH", dir_.c_str(), 1);
    if (use("de_DE.UTF-8")) return;
    GTEST_SKIP() << "no locale with a decimal comma is installed and localedef could not "
                    "build one";
  }
  void TearDown() override {
    std::setlocale(LC_ALL, "C");
    ::unsetenv("LOCPATH");
    if (!dir_.empty()) std::filesystem::remove_all(dir_);
  }

 private:
  bool use(const char* name) {
    if (std::setlocale(LC_ALL, name) == nullptr) return false;
    if (std::string(std::localeconv()->decimal_point) == ",") return true;
    std::setlocale(LC_ALL, "C");
    return false;
  }
  std::filesystem::path dir_;
};

TEST_F(CommaLocale, ReadingDoesNotDependOnTheProcessLocale) {
  // The locale is really in force: the C library reads "1.5" as 1 here.
  ASSERT_EQ(std::strtold("1.5", nullptr), 1.0L);
  EXPECT_EQ(parseGridNumber("1.5", "."), 1.5L);
  EXPECT_EQ(parseGridNumber("2.5e-3", "."), 2.5e-3L);
  EXPECT_FALSE(parseGridNumber("1,5", ".").has_value());
  EXPECT_EQ(parseGridNumber("1,5", ","), 1.5L);
  EXPECT_FALSE(parseGridNumber("1.5", ",").has_value());
  EXPECT_FALSE(parseGridNumber("1e5000", ",").has_value());
}

TEST_F(CommaLocale, TypingAFullStopIsReportedAtTheKeystrokeThatTypesIt) {
  const std::string typed = "1.5";
  std::vector<std::string> messages;
  for (std::size_t n = 1; n <= typed.size(); ++n) {
    if (auto m = gridKeystrokeMessage(typed.substr(0, n), ",", Language::English)) {
      messages.push_back(*m);
    }
  }
  ASSERT_EQ(messages.size(), 2u);  // after "1." and after "1.5"; "1" is a number
  EXPECT_EQ(messages[0], "Wrong symbol at input of number 1.");
  EXPECT_EQ(messages[1], "Wrong symbol at input of number 1.5");
}

TEST(GridKeystroke, ABeginningOfANumberIsNoErrorAnyOtherSymbolIsAtOnce) {
  // Every key of a negative number with an exponent, of a bare fraction and of a number in
  // blanks: no message on the way.
  for (const std::string typed : {"-1e-5", "+7.6E+12", ".5", "-.5e3", "  12.5  "}) {
    for (std::size_t n = 0; n <= typed.size(); ++n) {
      EXPECT_EQ(gridKeystrokeMessage(typed.substr(0, n), ".", Language::English), std::nullopt)
          << "\"" << typed.substr(0, n) << "\"";
    }
  }
  // A two-byte separator (U+066B) typed a byte at a time.
  EXPECT_EQ(gridKeystrokeMessage("1\xD9", "\xD9\xAB", Language::English), std::nullopt);
  EXPECT_EQ(gridKeystrokeMessage("1\xD9\xAB"
                                 "5",
                                 "\xD9\xAB", Language::English),
            std::nullopt);
  EXPECT_EQ(gridKeystrokeMessage("1\xD9x", "\xD9\xAB", Language::English),
            "Wrong symbol at input of number 1\xD9x");

  // What no typing can make a number of: named at once, with the text as typed.
  EXPECT_EQ(gridKeystrokeMessage("-x", ".", Language::English),
            "Wrong symbol at input of number -x");
  EXPECT_EQ(gridKeystrokeMessage("e", ".", Language::English), "Wrong symbol at input of number e");
  EXPECT_EQ(gridKeystrokeMessage("1.5.", ".", Language::English),
            "Wrong symbol at input of number 1.5.");
  EXPECT_EQ(gridKeystrokeMessage("1e5e", ".", Language::English),
            "Wrong symbol at input of number 1e5e");
  // A blank ends the number: after a sign or a bare exponent it is an error.
  EXPECT_EQ(gridKeystrokeMessage("- ", ".", Language::English),
            "Wrong symbol at input of number - ");
  EXPECT_EQ(gridKeystrokeMessage("1e 5", ".", Language::Russian),
            "Неправильный символ при вводе числа 1e 5");
  // Any language byte but English gives Russian.
  EXPECT_EQ(gridKeystrokeMessage("x", ".", Language::NotChosen),
            "Неправильный символ при вводе числа x");
}

// ---- The OK visit ----

// The equilibrium grid of a ternary mixture: three columns, two heading rows, one entry row.
GridEntry ternaryGrid() {
  GridEntry grid(219, 0, 2);
  grid.Lang = Language::English;
  grid.Cols = 3;
  grid.Rows = 3;
  for (auto& column : grid.Values)
    column.fill(99.0L);
  grid.Cancelled = true;
  return grid;
}

TEST(GridOkVisit, StopsAtTheFirstEmptyCellAndClosesWhenSomethingWasRead) {
  GridEntry grid = ternaryGrid();
  GridArray<std::string> cells;
  cells[0][2] = "760";
  cells[2][2] = "40";  // after the empty cell: never read
  const GridOkOutcome outcome = gridOkVisit(grid, cells, ".");
  EXPECT_TRUE(outcome.Close);
  EXPECT_EQ(outcome.CellsRead, 1);
  EXPECT_FALSE(outcome.BadCell.has_value());
  EXPECT_FALSE(grid.Cancelled);
  EXPECT_EQ(grid.Values[0][2], 760.0L);
  EXPECT_EQ(grid.Values[1][2], 99.0L);
  EXPECT_EQ(grid.Values[2][2], 99.0L);
}

TEST(GridOkVisit, BadCellIsEmptiedEarlierValuesStayAndTheNextOkStopsThere) {
  GridEntry grid = ternaryGrid();
  GridArray<std::string> cells;
  cells[0][2] = "100";
  cells[1][2] = " 3O ";
  cells[2][2] = "5";
  GridOkOutcome outcome = gridOkVisit(grid, cells, ".");
  EXPECT_FALSE(outcome.Close);
  EXPECT_EQ(outcome.BadCell, (GridCell{1, 2}));
  EXPECT_EQ(outcome.Message, "Error of number entry  3O ");
  EXPECT_EQ(cells[1][2], "");
  EXPECT_EQ(grid.CurrentCol, 1);
  EXPECT_EQ(grid.Values[0][2], 100.0L);
  EXPECT_EQ(grid.Values[2][2], 99.0L);
  EXPECT_TRUE(grid.Cancelled);  // not touched while the dialog stays open

  outcome = gridOkVisit(grid, cells, ".");
  EXPECT_TRUE(outcome.Close);
  EXPECT_TRUE(outcome.Message.empty());
  EXPECT_EQ(outcome.CellsRead, 1);
  EXPECT_FALSE(grid.Cancelled);

  grid.Lang = Language::Russian;
  cells[0][2] = "abc";
  outcome = gridOkVisit(grid, cells, ".");
  EXPECT_EQ(outcome.Message, "Ошибка при вводе числа abc");
  EXPECT_EQ(grid.CurrentCol, 0);
}

TEST(GridOkVisit, FirstEntryCellEmptyReadsNothingAndStaysOpenSilently) {
  GridEntry grid = ternaryGrid();
  GridArray<std::string> cells;
  cells[1][2] = "30";
  const GridOkOutcome outcome = gridOkVisit(grid, cells, ".");
  EXPECT_FALSE(outcome.Close);
  EXPECT_EQ(outcome.CellsRead, 0);
  EXPECT_TRUE(outcome.Message.empty());
  EXPECT_TRUE(grid.Cancelled);
  EXPECT_EQ(grid.Values[1][2], 99.0L);
}

TEST(GridOkVisit, GoesColumnByColumnAndSkipsFixedCellsThenCancelKeepsValues) {
  GridEntry grid(219, 1, 1);  // a heading column and a heading row
  grid.Cols = 3;
  grid.Rows = 3;
  GridArray<std::string> cells;
  cells[0][1] = "heading";  // fixed: never read
  cells[1][0] = "title";
  cells[1][1] = "1";
  cells[1][2] = "2";
  cells[2][1] = "3";
  cells[2][2] = "4,5";
  GridOkOutcome outcome = gridOkVisit(grid, cells, ",");
  EXPECT_TRUE(outcome.Close);
  EXPECT_EQ(outcome.CellsRead, 4);
  EXPECT_EQ(grid.Values[1][1], 1.0L);
  EXPECT_EQ(grid.Values[1][2], 2.0L);
  EXPECT_EQ(grid.Values[2][1], 3.0L);
  EXPECT_EQ(grid.Values[2][2], 4.5L);

  // Column-major order: an empty second row of column 1 stops before column 2.
  cells[1][2] = "";
  cells[2][1] = "7";
  outcome = gridOkVisit(grid, cells, ",");
  EXPECT_EQ(outcome.CellsRead, 1);
  EXPECT_EQ(grid.Values[2][1], 3.0L);

  gridCancel(grid);
  EXPECT_TRUE(grid.Cancelled);
  EXPECT_EQ(grid.Values[2][2], 4.5L);
}

// ---- Geometry (hand calculations: row height 17, column widths 64) ----

GridEntry sizedGrid(int cols, int rows) {
  GridEntry grid(219, 0, 2);
  grid.Cols = cols;
  grid.Rows = rows;
  return grid;
}

TEST(GridGeometryRules, WindowAndGridSizesAndScrollBars) {
  GridGeometry g = gridGeometry(sizedGrid(2, 3));
  EXPECT_EQ(g.WindowHeight, 219);  // (3 - 2 - 1) * 17 + 219
  EXPECT_EQ(g.GridHeight, 54);     // 3 * 18
  EXPECT_EQ(g.GridWidth, 130);     // 64 + 1 * 65 + 1
  EXPECT_EQ(g.Bars, ScrollBars::None);

  g = gridGeometry(sizedGrid(4, 5));
  EXPECT_EQ(g.WindowHeight, 253);  // (5 - 2 - 1) * 17 + 219
  EXPECT_EQ(g.GridWidth, 260);     // 64 + 3 * 65 + 1
  EXPECT_EQ(g.Bars, ScrollBars::None);

  g = gridGeometry(sizedGrid(5, 3));
  EXPECT_EQ(g.Bars, ScrollBars::Horizontal);
  EXPECT_EQ(g.GridWidth, 260);  // four columns visible
  EXPECT_EQ(g.GridHeight, 72);  // (3 + 1) * 18: room for the bar
  EXPECT_EQ(g.VisibleCols, 4);

  g = gridGeometry(sizedGrid(2, 6));
  EXPECT_EQ(g.Bars, ScrollBars::Vertical);
  EXPECT_EQ(g.WindowHeight, 253);  // five rows visible
  EXPECT_EQ(g.GridHeight, 90);     // 5 * 18
  EXPECT_EQ(g.VisibleRows, 5);

  g = gridGeometry(sizedGrid(25, 25), 80, 70);
  EXPECT_EQ(g.Bars, ScrollBars::Both);
  EXPECT_EQ(g.GridWidth, 80 + 3 * 71 + 1);
  EXPECT_EQ(g.GridHeight, 108);  // (5 + 1) * 18
}

TEST(GridGeometryRules, GridsThatCannotBeShownAreRefused) {
  EXPECT_THROW(gridGeometry(sizedGrid(0, 3)), InputError);
  EXPECT_THROW(gridGeometry(sizedGrid(26, 3)), InputError);
  EXPECT_THROW(gridGeometry(sizedGrid(2, 2)), InputError);  // only the two heading rows
  EXPECT_THROW(gridGeometry(sizedGrid(2, 26)), InputError);
  GridEntry grid = sizedGrid(2, 3);
  grid.FixedCols = 2;
  GridArray<std::string> cells;
  EXPECT_THROW(gridOkVisit(grid, cells, "."), InputError);
}

// ---- Component and model dialogs ----

TEST(ComponentDialogRules, OkNeedsAtLeastOneTick) {
  EXPECT_EQ(componentOkWarning({false, false, false, false}, Language::English),
            "Choose even one component of a mix");
  EXPECT_EQ(componentOkWarning({}, Language::Russian), "Выберите хотя-бы один компонент смеси");
  EXPECT_EQ(componentOkWarning({false, false, true, false}, Language::English), std::nullopt);
  ComponentRequest request;
  request.ItemNames.assign(17, "x");
  EXPECT_THROW(validateComponents(request), InputError);
  request.ItemNames.resize(16);
  EXPECT_NO_THROW(validateComponents(request));
}

TEST(ModelDialogRules, OkWithoutAModelGivesTheCallersWarning) {
  ModelRequest request;
  request.WarnText = "Choose one of equilibrium calculation methods.";
  EXPECT_EQ(modelOkWarning(std::nullopt, request), request.WarnText);
  EXPECT_EQ(modelOkWarning(4, request), request.WarnText);
  EXPECT_EQ(modelOkWarning(0, request), std::nullopt);
  EXPECT_EQ(modelOkWarning(3, request), std::nullopt);
}

// ---- The variant dialog's lasting state ----

VariantRequest twoVariants() {
  VariantRequest request;
  request.FormCaption = "Choice of variant";
  request.ItemCount = 2;
  request.Items = {"", " variant 1", " variant 2"};
  return request;
}

TEST(AlternDialogStateRules, OpensOnTheFirstVariantAndTheCloseBoxKeepsThePreviousTag) {
  AlternDialogState state;
  state.open(twoVariants());
  EXPECT_EQ(state.closeBox().Tag, 0);  // a fresh dialog's Tag

  state.open(twoVariants());
  EXPECT_EQ(state.chosen(), 0);
  state.choose(1);
  EXPECT_EQ(state.confirm().Tag, 1);

  state.open(twoVariants());
  EXPECT_EQ(state.chosen(), 0);  // reopening chooses the first variant again
  EXPECT_EQ(state.closeBox().Tag, 1);
  state.open(twoVariants());
  EXPECT_EQ(state.confirm().Tag, 0);

  EXPECT_THROW(state.choose(2), InputError);
  VariantRequest bad = twoVariants();
  bad.ItemCount = 0;
  EXPECT_THROW(state.open(bad), InputError);
  bad.ItemCount = 11;
  EXPECT_THROW(state.open(bad), InputError);
}

TEST(AlternDialogStateRules, CheckBoxesSwapAndKeepTheLastCallersSettings) {
  AlternDialogState state;
  state.open(twoVariants());
  EXPECT_FALSE(state.checkBoxes().Visible);

  VariantRequest phase = twoVariants();
  phase.CheckBoxes = AlternCheckBoxes{"to set composition of liquid phase",
                                      "to set composition of vapour phase", true};
  state.open(phase);
  EXPECT_TRUE(state.box1Ticked());
  state.setBox1Ticked(false);  // unticking the first ticks the second
  EXPECT_TRUE(state.box2Ticked());
  EXPECT_FALSE(state.box1Ticked());
  EXPECT_EQ(state.confirm().BoxAnswer, 'x');
  state.setBox2Ticked(false);
  EXPECT_EQ(state.boxAnswer(), 'y');
  state.setBox2Ticked(true);
  EXPECT_EQ(state.boxAnswer(), 'x');

  // A later request without settings finds the boxes as they were left, first box ticked.
  state.open(twoVariants());
  EXPECT_TRUE(state.checkBoxes().Visible);
  EXPECT_EQ(state.checkBoxes().Caption2, "to set composition of vapour phase");
  EXPECT_EQ(state.boxAnswer(), 'y');
  // Until a request hides them.
  VariantRequest hide = twoVariants();
  hide.CheckBoxes = AlternCheckBoxes{};
  state.open(hide);
  state.open(twoVariants());
  EXPECT_FALSE(state.checkBoxes().Visible);
}

// ---- Message boxes and file dialogs ----

TEST(MessageRules, ClosingABoxAnswersItsGentlestButton) {
  EXPECT_EQ(closingAnswer(MessageButtons::Ok), MessageButton::Ok);
  EXPECT_EQ(closingAnswer(MessageButtons::YesNo), MessageButton::No);
  EXPECT_EQ(closingAnswer(MessageButtons::AbortRetry), MessageButton::Retry);
  EXPECT_EQ(messageTitle(MessageKind::Confirmation).in(Language::English), "Confirm");
}

TEST(FileDialogRules, FilterPairsAndDefaultExtension) {
  auto filter = parseFileFilter("Datafiles|*.dat");
  ASSERT_EQ(filter.size(), 1u);
  EXPECT_EQ(filter[0].Description, "Datafiles");
  EXPECT_EQ(filter[0].Patterns, std::vector<std::string>{"*.dat"});
  filter = parseFileFilter("Text files|*.txt; *.log|All");
  ASSERT_EQ(filter.size(), 2u);
  EXPECT_EQ(filter[0].Patterns, (std::vector<std::string>{"*.txt", "*.log"}));
  EXPECT_EQ(filter[1].Patterns, std::vector<std::string>{"*"});
  EXPECT_TRUE(parseFileFilter("").empty());

  EXPECT_EQ(withDefaultExtension("NRTL", "dat"), "NRTL.dat");
  EXPECT_EQ(withDefaultExtension("/tmp/v1.2/NRTL", "dat"), "/tmp/v1.2/NRTL.dat");
  EXPECT_EQ(withDefaultExtension("/tmp/NRTL.bin", "dat"), "/tmp/NRTL.bin");
  EXPECT_EQ(withDefaultExtension("NRTL", ""), "NRTL");
  EXPECT_EQ(withDefaultExtension("", "dat"), "");
}

}  // namespace
}  // namespace bubblix
