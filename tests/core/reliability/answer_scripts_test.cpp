// Answer scripts that do not fit: every kind of answer given to every kind of question it
// does not answer, a script that ends while a question waits, unknown answers and oversized
// files. Each stops with an AnswerScriptError naming the line and the question, and leaves
// what the dialogs hold as it was.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "core/io/file_test_support.h"
#include "core/session/scripted_dialogs.h"

namespace bubblix {
namespace {

// One question of each kind the sessions ask, with the answers that fit it.
struct Question {
  const char* name;   // the question as messages name it
  const char* forms;  // the answers it takes, as messages list them
  std::vector<AnswerKind> fits;
  std::function<void(ScriptedDialogs&)> ask;
};

GridEntry& sharedGrid() {
  static GridEntry grid = [] {
    GridEntry g(219, 0, 2);
    g.FormCaption = "Data entry for calculation of equilibrium";
    g.Cols = 2;
    g.Rows = 3;
    g.Lang = Language::English;
    return g;
  }();
  return grid;
}

std::vector<Question> questions() {
  VariantRequest variant;
  variant.FormCaption = "Choice of variant";
  variant.Prompt = "Wish to calculate parameters\r\nor load them?";
  variant.ItemCount = 2;
  ModelRequest model;
  model.FormCaption = "Choice of method";
  model.WarnText = "Choose one of equilibrium calculation methods.";
  ComponentRequest components;
  components.FormCaption = "Choice of componental ratio of mixture";
  components.ItemNames = {"comp.1", "comp.2", "comp.3", "comp.4"};
  FileRequest file;
  file.Caption = "Opening file";
  file.Filter = "Datafiles|*.dat";
  file.DefaultExt = "dat";
  using K = AnswerKind;
  return {
      {"Choice of variant: Wish to calculate parameters",
       "variant 1..2 | close",
       {K::Variant, K::Close},
       [=](ScriptedDialogs& d) { d.chooseVariant(variant); }},
      {"Choice of method",
       "model Wilson|NRTL|UNIQUAC|UNIFAC|exit | close",
       {K::Model, K::Close},
       [=](ScriptedDialogs& d) { d.chooseModel(model); }},
      {"Choice of componental ratio of mixture",
       "components N,N,... (1..4) | components all | close",
       {K::Components, K::Close},
       [=](ScriptedDialogs& d) { d.tickComponents(components); }},
      {"Data entry for calculation of equilibrium",
       "grid TEXT... (1..2 cells) | cancel | close",
       {K::Grid, K::Cancel, K::Close},
       [](ScriptedDialogs& d) { d.enterGrid(sharedGrid()); }},
      {"Wish to print ?",
       "yes | no | close",
       {K::Yes, K::No, K::Close},
       [](ScriptedDialogs& d) { d.askYesNo("Wish to print ?", Language::English); }},
      {"Too slow convergence",
       "abort | retry | close",
       {K::Abort, K::Retry, K::Close},
       [](ScriptedDialogs& d) {
         d.showMessage({MessageKind::Confirmation, "Too slow convergence\r\nContinue?",
                        MessageButtons::AbortRetry, Language::English});
       }},
      {"Opening file: Datafiles|*.dat",
       "file PATH | cancel | close",
       {K::File, K::Cancel, K::Close},
       [=](ScriptedDialogs& d) { d.openFileName(file); }},
      {"Opening file: Datafiles|*.dat",
       "file PATH | cancel | close",
       {K::File, K::Cancel, K::Close},
       [=](ScriptedDialogs& d) { d.saveFileName(file); }},
  };
}

// One answer of every kind, as a script line.
const std::pair<AnswerKind, const char*> kAnswers[] = {{AnswerKind::Variant, "variant 1"},
                                                       {AnswerKind::Model, "model NRTL"},
                                                       {AnswerKind::Components, "components 1,2"},
                                                       {AnswerKind::Grid, "grid 760"},
                                                       {AnswerKind::File, "file NRTL.dat"},
                                                       {AnswerKind::Yes, "yes"},
                                                       {AnswerKind::No, "no"},
                                                       {AnswerKind::Abort, "abort"},
                                                       {AnswerKind::Retry, "retry"},
                                                       {AnswerKind::Cancel, "cancel"},
                                                       {AnswerKind::Close, "close"}};

// The message of the AnswerScriptError that `ask` raises, or a failure.
std::string scriptError(const std::function<void()>& ask) {
  try {
    ask();
  } catch (const AnswerScriptError& error) {
    EXPECT_FALSE(error.message(Language::Russian).empty());
    return error.what();
  }
  ADD_FAILURE() << "no AnswerScriptError";
  return {};
}

TEST(AnswerScriptInput, AnswersOfTheWrongKindNameTheLineAndTheQuestion) {
  int refused = 0;
  for (const Question& question : questions()) {
    for (const auto& [kind, line] : kAnswers) {
      SCOPED_TRACE(std::string(question.name) + " <- " + line);
      std::ostringstream echo;
      ScriptedDialogs dialogs(AnswerScript::parse(std::string("# answers\n\n") + line + "\n"),
                              echo);
      GridEntry& grid = sharedGrid();
      grid.Values[0][2] = 101.0L;
      grid.Values[1][2] = 202.0L;
      grid.Cancelled = false;
      if (std::find(question.fits.begin(), question.fits.end(), kind) != question.fits.end()) {
        question.ask(dialogs);  // fits: taken without an error
        EXPECT_TRUE(dialogs.script().atEnd());
        continue;
      }
      ++refused;
      EXPECT_EQ(scriptError([&] { question.ask(dialogs); }),
                std::string("Answer script line 3: \"") + line +
                    "\" does not answer the question \"" + question.name + "\", which takes " +
                    question.forms);
      EXPECT_EQ(grid.Values[0][2], 101.0L);  // a refused answer reads nothing
      EXPECT_EQ(grid.Values[1][2], 202.0L);
      EXPECT_FALSE(grid.Cancelled);
      EXPECT_TRUE(echo.str().empty());
    }
  }
  EXPECT_EQ(refused, 8 * 11 - 21);  // 21 pairs fit
}

TEST(AnswerScriptInput, AScriptThatEndsWhileAQuestionWaitsNamesItsLastLine) {
  for (const Question& question : questions()) {
    SCOPED_TRACE(question.name);
    for (const auto& [script, lastLine] :
         {std::pair{"", "0"}, std::pair{"# nothing but comments\n\n", "2"}}) {
      std::ostringstream echo;
      ScriptedDialogs dialogs(AnswerScript::parse(script), echo);
      EXPECT_EQ(scriptError([&] { question.ask(dialogs); }),
                std::string("Answer script ends at line ") + lastLine +
                    " with no answer to the question \"" + question.name + "\", which takes " +
                    question.forms);
    }
  }
  // A grid whose every try holds a bad number runs out of answers the same way.
  std::ostringstream echo;
  ScriptedDialogs dialogs(AnswerScript::parse("grid 760 x\ngrid abc\n"), echo);
  GridEntry& grid = sharedGrid();
  grid.Values[1][2] = 202.0L;
  EXPECT_NE(scriptError([&] { dialogs.enterGrid(grid); }).find("ends at line 2"),
            std::string::npos);
  EXPECT_EQ(echo.str(), "Error: Error of number entry x\nError: Error of number entry abc\n");
  EXPECT_EQ(grid.Values[1][2], 202.0L);
}

TEST(AnswerScriptInput, UnknownAnswersAreRefusedBeforeAnyQuestionIsAsked) {
  const char* unknown[] = {
      "ok",          "Variant1",        "grid760",          "y",      "n", "exit",
      "models NRTL", "\xEF\xBB\xBFyes", "\xD0\xB4\xD0\xB0", "\"yes\""};
  for (const char* line : unknown) {
    try {
      AnswerScript::parse(std::string("variant 1\n") + line + "\nyes\n");
      ADD_FAILURE() << line << " was taken as an answer";
    } catch (const AnswerScriptError& error) {
      ASSERT_EQ(error.args().size(), 2u) << line;
      EXPECT_EQ(error.args()[0], "2") << line;
      EXPECT_EQ(error.args()[1], line);
      EXPECT_TRUE(std::string(error.what()).starts_with("Answer script line 2: unknown answer"));
    }
  }
}

TEST(AnswerScriptInput, FilesThatAreTooLargeOrNotTextAreRefused) {
  const testing::TempDir dir;
  const std::string big = dir / "big.txt";
  testing::writeBytes(big, "");
  ASSERT_EQ(truncate(big.c_str(), static_cast<off_t>(kMaxAnswerScriptBytes) + 1), 0);
  try {
    AnswerScript::load(big);
    ADD_FAILURE() << "an oversized script was read";
  } catch (const AnswerScriptError& error) {
    EXPECT_EQ(std::string(error.what()), "Answer script " + big + " is larger than " +
                                             std::to_string(kMaxAnswerScriptBytes) + " bytes");
  }
  // Binary data: refused at its first line that is not blank.
  testing::writeBytes(dir / "binary", std::string("\0\0\n\x7F\x45\x4C\x46\x02\x01", 10));
  try {
    AnswerScript::load(dir / "binary");
    ADD_FAILURE() << "binary data were read as answers";
  } catch (const AnswerScriptError& error) {
    EXPECT_EQ(error.args().at(0), "2");
  }
}

}  // namespace
}  // namespace bubblix
