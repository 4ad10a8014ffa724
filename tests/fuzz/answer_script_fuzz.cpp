// Answer scripts of bubblix-cli: any text is read as answers or refused with an
// AnswerScriptError naming its line; each answer read back from its own text is the same
// answer; and the scripted dialogs, asked the session's kinds of question in turn, answer
// within the dialogs' ranges or stop with an AnswerScriptError, never with anything else.

#include <algorithm>
#include <cmath>
#include <set>
#include <sstream>
#include <string>

#include "core/session/answer_script.h"
#include "core/session/scripted_dialogs.h"
#include "fuzz_check.h"

namespace {

using namespace bubblix;

void checkAnswer(const ScriptAnswer& answer, int lineCount) {
  FUZZ_CHECK(answer.Line >= 1 && answer.Line <= lineCount);
  FUZZ_CHECK(!answer.Text.empty());
  FUZZ_CHECK(trimBlanks(answer.Text) == answer.Text);
  FUZZ_CHECK(answer.Text.find_first_of("\r\n") == std::string::npos);
  switch (answer.Kind) {
    case AnswerKind::Variant:
      FUZZ_CHECK(answer.Variant >= 1 && answer.Variant <= kMaxVariants);
      FUZZ_CHECK(answer.Phase == 0 || answer.Phase == 'x' || answer.Phase == 'y');
      break;
    case AnswerKind::Model:
      FUZZ_CHECK(!(answer.Model && answer.ModelExit));
      if (answer.Model) FUZZ_CHECK(*answer.Model >= 0 && *answer.Model < kModelCount);
      break;
    case AnswerKind::Components: {
      FUZZ_CHECK(!(answer.AllComponents && !answer.Components.empty()));
      const std::set<int> distinct(answer.Components.begin(), answer.Components.end());
      FUZZ_CHECK(distinct.size() == answer.Components.size());
      for (const int number : answer.Components)
        FUZZ_CHECK(number >= 1 && number <= kMaxCheckListItems);
      break;
    }
    case AnswerKind::Grid:
      for (const std::string& cell : answer.Cells) {
        FUZZ_CHECK(!cell.empty());
        FUZZ_CHECK(std::none_of(cell.begin(), cell.end(),
                                [](char c) { return static_cast<unsigned char>(c) <= ' '; }));
      }
      break;
    case AnswerKind::File:
      FUZZ_CHECK(!answer.Path.empty());
      break;
    default:
      break;
  }
}

// The answer's own text, read as a script of one line, gives the same answer.
void checkReread(const ScriptAnswer& answer) {
  const AnswerScript alone = AnswerScript::parse(answer.Text);
  FUZZ_CHECK(alone.answers().size() == 1);
  const ScriptAnswer& again = alone.answers().front();
  FUZZ_CHECK(again.Kind == answer.Kind && again.Text == answer.Text);
  FUZZ_CHECK(again.Variant == answer.Variant && again.Phase == answer.Phase);
  FUZZ_CHECK(again.Model == answer.Model && again.ModelExit == answer.ModelExit);
  FUZZ_CHECK(again.Components == answer.Components);
  FUZZ_CHECK(again.AllComponents == answer.AllComponents);
  FUZZ_CHECK(again.Cells == answer.Cells && again.Path == answer.Path);
}

// The session's kinds of question, asked in turn until the script ends or does not fit.
void askInTurn(AnswerScript script) {
  std::ostringstream echo;
  ScriptedDialogs dialogs(std::move(script), echo);

  VariantRequest source;
  source.FormCaption = "Choice of variant";
  source.ItemCount = 2;
  VariantRequest task = source;
  task.ItemCount = 4;
  task.CheckBoxes = AlternCheckBoxes{"liquid", "vapour", true};
  VariantRequest plain = source;
  plain.ItemCount = 3;
  plain.CheckBoxes = AlternCheckBoxes{"", "", false};
  ModelRequest model;
  model.WarnText = "Choose one of equilibrium calculation methods.";
  ComponentRequest components;
  components.ItemNames = {"comp.1", "comp.2", "comp.3", "comp.4"};
  GridEntry grid(219, 0, 2);
  grid.Cols = 3;
  grid.Rows = 3;
  FileRequest file;
  file.DefaultExt = "dat";

  try {
    for (int question = 0; !dialogs.script().atEnd(); ++question) {
      const std::size_t before = dialogs.script().remaining();
      switch (question % 10) {
        case 0: {
          const VariantAnswer a = dialogs.chooseVariant(source);
          FUZZ_CHECK(a.Tag >= 0 && a.Tag < 4 && (a.BoxAnswer == 'y' || a.BoxAnswer == 'x'));
          break;
        }
        case 1: {
          const VariantAnswer a = dialogs.chooseVariant(task);
          FUZZ_CHECK(a.Tag >= 0 && a.Tag < 4 && (a.BoxAnswer == 'y' || a.BoxAnswer == 'x'));
          break;
        }
        case 2:
          FUZZ_CHECK(dialogs.chooseVariant(plain).BoxAnswer == 'y');
          break;
        case 3: {
          const ModelAnswer a = dialogs.chooseModel(model);
          FUZZ_CHECK(a.Tag >= 0 && a.Tag < kModelCount && (!a.Exit || a.Tag == 0));
          break;
        }
        case 4: {
          const ComponentAnswer a = dialogs.tickComponents(components);
          // OK leaves at least one tick; only the close box may leave none.
          FUZZ_CHECK(a.Ticks.size() == 4 && (a.Closed || std::find(a.Ticks.begin(), a.Ticks.end(),
                                                                   true) != a.Ticks.end()));
        } break;
        case 5:
          dialogs.enterGrid(grid);
          for (int col = 0; col < grid.Cols; ++col)
            FUZZ_CHECK(std::isfinite(grid.Values[static_cast<std::size_t>(col)][2]));
          break;
        case 6: {
          const MessageButton b = dialogs.showMessage(
              {MessageKind::Confirmation, "Wish to print ?", MessageButtons::YesNo, {}});
          FUZZ_CHECK(b == MessageButton::Yes || b == MessageButton::No);
          break;
        }
        case 7: {
          const MessageButton b = dialogs.showMessage(
              {MessageKind::Confirmation, "Too slow", MessageButtons::AbortRetry, {}});
          FUZZ_CHECK(b == MessageButton::Abort || b == MessageButton::Retry);
          break;
        }
        case 8:
          if (const auto name = dialogs.saveFileName(file)) FUZZ_CHECK(!name->empty());
          break;
        case 9:
          if (const auto name = dialogs.openFileName(file)) FUZZ_CHECK(!name->empty());
          dialogs.showMessage({MessageKind::Information, "done", MessageButtons::Ok, {}});
          break;
      }
      FUZZ_CHECK(dialogs.script().remaining() < before);  // every question takes a line
    }
  } catch (const AnswerScriptError& error) {
    FUZZ_CHECK(std::string_view(error.what()).starts_with("Answer script"));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  AnswerScript script;
  try {
    script = AnswerScript::parse(fuzz::asText(data, size));
  } catch (const AnswerScriptError& error) {
    FUZZ_CHECK(std::string_view(error.what()).starts_with("Answer script line "));
    FUZZ_CHECK(!error.message(Language::Russian).empty());
    return 0;
  }
  for (const ScriptAnswer& answer : script.answers()) {
    checkAnswer(answer, script.lineCount());
    checkReread(answer);
  }
  askInTurn(std::move(script));
  return 0;
}
