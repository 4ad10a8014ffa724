#include "core/session/scripted_dialogs.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

namespace bubblix {
namespace {

// Scripted dialogs over a script given as text, echoing into a string stream.
struct Scripted {
  explicit Scripted(std::string_view text) : dialogs(AnswerScript::parse(text), echo) {}
  std::ostringstream echo;
  ScriptedDialogs dialogs;
};

// The message of the AnswerScriptError that `ask` raises.
template <typename Ask>
std::string scriptError(Ask ask) {
  try {
    ask();
  } catch (const AnswerScriptError& error) {
    return error.what();
  }
  ADD_FAILURE() << "no answer-script error";
  return {};
}

VariantRequest parameterSource() {
  VariantRequest request;
  request.FormCaption = "Choice of variant";
  request.Prompt =
      "  Wish to calculate power parameters of binary interactions of molecules\r\n (structural "
      "groups) components (variant 1), or to load their values\r\n from the file (variant 2)?";
  request.ItemCount = 2;
  request.Items = {"", " variant 1 (is recommended)", " variant 2"};
  return request;
}

VariantRequest equilibriumQuestion() {
  VariantRequest request = parameterSource();
  request.Prompt = "Wish to calculate a boiling temperature of a mix on";
  request.CheckBoxes = AlternCheckBoxes{"to set composition of liquid phase",
                                        "to set composition of vapour phase", true};
  return request;
}

TEST(ScriptedVariant, NumbersAsShownCloseKeepsTheTagAndPhasesTickTheBoxes) {
  Scripted s("variant 2\nclose\nvariant 1\nvariant 2 vapour\nvariant 1\nvariant 2 liquid\n");
  EXPECT_EQ(s.dialogs.chooseVariant(parameterSource()).Tag, 1);
  EXPECT_EQ(s.dialogs.chooseVariant(parameterSource()).Tag, 1);  // the close box
  EXPECT_EQ(s.dialogs.chooseVariant(parameterSource()).Tag, 0);

  VariantAnswer answer = s.dialogs.chooseVariant(equilibriumQuestion());
  EXPECT_EQ(answer.Tag, 1);
  EXPECT_EQ(answer.BoxAnswer, 'x');
  answer = s.dialogs.chooseVariant(equilibriumQuestion());
  EXPECT_EQ(answer.BoxAnswer, 'y');  // each opening ticks the first box again
  // The boxes stay visible for a caller that does not set them, so a phase still fits.
  answer = s.dialogs.chooseVariant(parameterSource());
  EXPECT_EQ(answer.Tag, 1);
  EXPECT_EQ(answer.BoxAnswer, 'y');
  EXPECT_TRUE(s.dialogs.script().atEnd());
}

TEST(ScriptedVariant, AnswersThatDoNotFitNameTheLineAndTheQuestion) {
  Scripted s("# source\nvariant 3\n");
  EXPECT_EQ(scriptError([&] { s.dialogs.chooseVariant(parameterSource()); }),
            "Answer script line 2: \"variant 3\" does not answer the question \"Choice of "
            "variant: Wish to calculate power parameters of binary interactions of molecules\", "
            "which takes variant 1..2 | close");

  Scripted phase("variant 1 vapour\n");
  EXPECT_EQ(scriptError([&] { phase.dialogs.chooseVariant(parameterSource()); }),
            "Answer script line 1: \"variant 1 vapour\" does not answer the question \"Choice of "
            "variant: Wish to calculate power parameters of binary interactions of molecules\", "
            "which takes variant 1..2 | close");

  Scripted kind("yes\n");
  EXPECT_NE(scriptError([&] {
              kind.dialogs.chooseVariant(equilibriumQuestion());
            }).find("which takes variant 1..2 [liquid|vapour] | close"),
            std::string::npos);
}

TEST(ScriptedVariant, RunningOutOfAnswersNamesTheEndAndTheQuestion) {
  Scripted s("variant 1\n# no more\n");
  s.dialogs.chooseVariant(parameterSource());
  EXPECT_EQ(scriptError([&] { s.dialogs.chooseVariant(equilibriumQuestion()); }),
            "Answer script ends at line 2 with no answer to the question \"Choice of variant: "
            "Wish to calculate a boiling temperature of a mix on\", which takes variant 1..2 "
            "[liquid|vapour] | close");
}

ModelRequest modelQuestion(Language lang) {
  ModelRequest request;
  request.FormCaption = "Choose of phase equilibrium calculation method";
  request.Prompt = "Choice of experimental data processing and";
  request.WarnText = lang == Language::English ? "Choose one of equilibrium calculation methods."
                                               : "Выберите один из методов расчета равновесия.";
  request.Lang = lang;
  return request;
}

TEST(ScriptedModel, OkWithoutAModelWarnsAndAsksAgainExitAndCloseGiveNoModel) {
  Scripted s("model\nmodel UNIQUAC\nmodel exit\nclose\nmodel\nmodel unifac\n");
  ModelAnswer answer = s.dialogs.chooseModel(modelQuestion(Language::English));
  EXPECT_FALSE(answer.Exit);
  EXPECT_EQ(answer.Tag, 2);
  EXPECT_EQ(s.echo.str(), "Warning: Choose one of equilibrium calculation methods.\n");
  EXPECT_TRUE(s.dialogs.chooseModel(modelQuestion(Language::English)).Exit);
  answer = s.dialogs.chooseModel(modelQuestion(Language::English));
  EXPECT_TRUE(answer.Exit);
  EXPECT_EQ(answer.Tag, 0);

  s.echo.str("");
  EXPECT_EQ(s.dialogs.chooseModel(modelQuestion(Language::Russian)).Tag, 3);
  EXPECT_EQ(s.echo.str(), "Предупреждение: Выберите один из методов расчета равновесия.\n");

  Scripted wrong("variant 1\n");
  EXPECT_NE(scriptError([&] { wrong.dialogs.chooseModel(modelQuestion(Language::English)); })
                .find("line 1: \"variant 1\" does not answer the question \"Choose of phase "
                      "equilibrium calculation method: Choice of experimental data processing "
                      "and\""),
            std::string::npos);
}

ComponentRequest componentQuestion(Language lang) {
  ComponentRequest request;
  request.FormCaption = "Choice of componental ratio of mixture";
  request.Lang = lang;
  request.ItemNames = {"comp.1", "comp.2", "comp.3", "comp.4"};
  return request;
}

TEST(ScriptedComponents, TicksByDatabaseNumberSelectAllAndTheAtLeastOneRule) {
  Scripted s("components\ncomponents 4, 2\ncomponents all\nclose\ncomponents\ncomponents 1\n");
  EXPECT_EQ(s.dialogs.tickComponents(componentQuestion(Language::English)),
            (ComponentAnswer{{false, true, false, true}, false}));
  EXPECT_EQ(s.echo.str(), "Warning: Choose even one component of a mix\n");
  EXPECT_EQ(s.dialogs.tickComponents(componentQuestion(Language::English)),
            (ComponentAnswer{ComponentTicks(4, true), false}));
  // The close box leaves nothing ticked and says it was closed: the session ends.
  EXPECT_EQ(s.dialogs.tickComponents(componentQuestion(Language::English)),
            (ComponentAnswer{ComponentTicks(4, false), true}));
  s.echo.str("");
  EXPECT_EQ(s.dialogs.tickComponents(componentQuestion(Language::Russian)),
            (ComponentAnswer{{true, false, false, false}, false}));
  EXPECT_EQ(s.echo.str(), "Предупреждение: Выберите хотя-бы один компонент смеси\n");

  Scripted wrong("components 1,5\n");
  EXPECT_NE(scriptError([&] {
              wrong.dialogs.tickComponents(componentQuestion(Language::English));
            }).find("which takes components N,N,... (1..4) | components all | close"),
            std::string::npos);

  // Names tick the item of that name, mixed with numbers; a name the dialog does not list is
  // refused with the line.
  Scripted named("components comp.3 1\ncomponents comp.2,benzene\n");
  EXPECT_EQ(named.dialogs.tickComponents(componentQuestion(Language::English)),
            (ComponentAnswer{{true, false, true, false}, false}));
  const std::string message =
      scriptError([&] { named.dialogs.tickComponents(componentQuestion(Language::English)); });
  EXPECT_NE(message.find("line 2"), std::string::npos) << message;
  EXPECT_NE(message.find("components comp.2,benzene"), std::string::npos) << message;
}

// The equilibrium grid of a binary mixture: pressure and the first component's percent.
GridEntry binaryGrid() {
  GridEntry grid(219, 0, 2);
  grid.FormCaption = "Data entry for calculation of equilibrium";
  grid.Lang = Language::English;
  grid.Cols = 2;
  grid.Rows = 3;
  grid.CellText[0][0] = "     Pabs ";
  grid.CellText[0][1] = " mm of hg. ";
  grid.CellText[1][0] = "comp.1";
  grid.CellText[1][1] = "   % molar";
  return grid;
}

TEST(ScriptedGrid, BadNumbersAreReportedAndTheNextLineAnswersTheSameGrid) {
  Scripted s("grid 760 3O\ngrid 760 30\ngrid 1,5 20\ngrid 700 -\ngrid 700\n");
  GridEntry grid = binaryGrid();
  s.dialogs.enterGrid(grid);
  EXPECT_EQ(s.echo.str(), "Error: Error of number entry 3O\n");
  EXPECT_FALSE(grid.Cancelled);
  EXPECT_EQ(grid.Values[0][2], 760.0L);
  EXPECT_EQ(grid.Values[1][2], 30.0L);
  EXPECT_EQ(s.dialogs.script().remaining(), 3u);

  // The next showing: a comma is no decimal separator in scripts; after the rejected "-" the
  // emptied cell stops the visit, so the percent keeps its earlier value.
  s.echo.str("");
  s.dialogs.enterGrid(grid);
  EXPECT_EQ(s.echo.str(), "Error: Error of number entry 1,5\nError: Error of number entry -\n");
  EXPECT_EQ(grid.Values[0][2], 700.0L);
  EXPECT_EQ(grid.Values[1][2], 30.0L);
  EXPECT_TRUE(s.dialogs.script().atEnd());
}

TEST(ScriptedGrid, CancelCloseAndAnEmptyFirstCellAndCellsTheProgramFilled) {
  Scripted s("grid 760 30\ncancel\ngrid\ngrid 1\nclose\ngrid 500\n");
  GridEntry grid = binaryGrid();
  s.dialogs.enterGrid(grid);
  s.dialogs.enterGrid(grid);
  EXPECT_TRUE(grid.Cancelled);
  EXPECT_EQ(grid.Values[0][2], 760.0L);  // Cancel keeps the values

  // `grid` alone leaves the first cell empty: nothing read, no message, asked again.
  s.dialogs.enterGrid(grid);
  EXPECT_FALSE(grid.Cancelled);
  EXPECT_EQ(grid.Values[0][2], 1.0L);
  EXPECT_EQ(grid.Values[1][2], 30.0L);
  EXPECT_TRUE(s.echo.str().empty());

  s.dialogs.enterGrid(grid);  // the close box cancels
  EXPECT_TRUE(grid.Cancelled);

  grid.CellText[1][2] = "45";  // a cell the program filled in: read unless the script types over it
  s.dialogs.enterGrid(grid);
  EXPECT_EQ(grid.Values[0][2], 500.0L);
  EXPECT_EQ(grid.Values[1][2], 45.0L);
}

TEST(ScriptedGrid, MoreTextsThanEntryCellsDoNotFit) {
  Scripted s("grid 1 2 3\n");
  GridEntry grid = binaryGrid();
  EXPECT_EQ(scriptError([&] { s.dialogs.enterGrid(grid); }),
            "Answer script line 1: \"grid 1 2 3\" does not answer the question \"Data entry for "
            "calculation of equilibrium\", which takes grid TEXT... (1..2 cells) | cancel | "
            "close");
}

TEST(ScriptedMessages, OkBoxesAreEchoedOthersTakeTheirButtonsAndCloseIsTheGentlestOne) {
  Scripted s("yes\nno\nclose\nabort\nretry\nclose\n");
  s.dialogs.showWarning("For calculation of vapor-liquid equilibrium\r\nchoice", Language::English);
  EXPECT_EQ(s.echo.str(), "Warning: For calculation of vapor-liquid equilibrium\nchoice\n");
  EXPECT_EQ(s.dialogs.script().remaining(), 6u);  // no line taken

  EXPECT_TRUE(s.dialogs.askYesNo("Wish to verify adequacy to model NRTL ?", Language::English));
  EXPECT_FALSE(s.dialogs.askYesNo("Wish to verify adequacy to model NRTL ?", Language::English));
  EXPECT_FALSE(s.dialogs.askYesNo("Wish to verify adequacy to model NRTL ?", Language::English));
  const MessageRequest slow{MessageKind::Confirmation,
                            "Слишком медленная сходимость градиентного метода. Желаете\r\n"
                            "продолжить вычисления? Или закончить работу процедуры?",
                            MessageButtons::AbortRetry, Language::English};
  EXPECT_EQ(s.dialogs.showMessage(slow), MessageButton::Abort);
  EXPECT_EQ(s.dialogs.showMessage(slow), MessageButton::Retry);
  EXPECT_EQ(s.dialogs.showMessage(slow), MessageButton::Retry);

  Scripted wrong("abort\n");
  EXPECT_EQ(
      scriptError([&] { wrong.dialogs.askYesNo("Wish to print ?\r\nsecond", Language::English); }),
      "Answer script line 1: \"abort\" does not answer the question \"Wish to print ?\", "
      "which takes yes | no | close");
  Scripted ok("yes\n");
  ok.dialogs.showError("matrix is singular", Language::Russian);
  EXPECT_EQ(ok.echo.str(), "Ошибка: matrix is singular\n");
}

TEST(ScriptedFiles, PathsCancelAndTheSaveDialogsDefaultExtension) {
  Scripted s("file runs/NRTL\nfile runs/old.dat\ncancel\nclose\nfile in\nvariant 1\n");
  FileRequest save;
  save.Caption = "Saving file";
  save.Filter = "Datafiles|*.dat";
  save.DefaultExt = "dat";
  save.FileName = "NRTL";
  EXPECT_EQ(s.dialogs.saveFileName(save), "runs/NRTL.dat");
  EXPECT_EQ(s.dialogs.saveFileName(save), "runs/old.dat");
  EXPECT_EQ(s.dialogs.saveFileName(save), std::nullopt);
  FileRequest open = save;
  open.Caption = "Opening file";
  EXPECT_EQ(s.dialogs.openFileName(open), std::nullopt);
  EXPECT_EQ(s.dialogs.openFileName(open), "in");  // an open dialog takes the name as typed
  EXPECT_EQ(scriptError([&] { s.dialogs.openFileName(open); }),
            "Answer script line 6: \"variant 1\" does not answer the question \"Opening file: "
            "Datafiles|*.dat\", which takes file PATH | cancel | close");
}

TEST(ScriptedWindow, StatusRunIndicatorAndABusyCursorThatEndsWithAnError) {
  Scripted s("");
  s.dialogs.setStatusText("please wait !");
  s.dialogs.setRunIndicator(true);
  EXPECT_EQ(s.dialogs.statusText(), "please wait !");
  EXPECT_TRUE(s.dialogs.runIndicator());
  try {
    BusyCursor busy(s.dialogs);
    EXPECT_TRUE(s.dialogs.busy());
    throw std::runtime_error("fit failed");
  } catch (const std::runtime_error&) {
  }
  EXPECT_FALSE(s.dialogs.busy());
}

}  // namespace
}  // namespace bubblix
