#include "core/session/scripted_dialogs.h"

#include <algorithm>

#include "core/texts/dialog_texts.h"

namespace bubblix {

namespace {

std::string_view firstLine(std::string_view text) {
  text = trimBlanks(text);
  return trimBlanks(text.substr(0, text.find_first_of("\r\n")));
}

// The question as an error message names it: the caption and the first line of the prompt.
std::string questionName(std::string_view caption, std::string_view prompt) {
  const std::string_view title = trimBlanks(caption);
  const std::string_view line = firstLine(prompt);
  if (title.empty()) return std::string(line);
  if (line.empty()) return std::string(title);
  return std::string(title) + ": " + std::string(line);
}

// CR LF and lone CR become LF for the echo stream.
std::string withNewlines(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      out += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace

ScriptedDialogs::ScriptedDialogs(AnswerScript script, std::ostream& echo)
    : script_(std::move(script)), echo_(&echo) {}

const ScriptAnswer& ScriptedDialogs::next(const std::string& question, const std::string& forms) {
  if (script_.atEnd()) {
    throw AnswerScriptError(texts::kScriptNoAnswerLeft,
                            {std::to_string(script_.lineCount()), question, forms});
  }
  return script_.take();
}

void ScriptedDialogs::wrongAnswer(const ScriptAnswer& answer, const std::string& question,
                                  const std::string& forms) const {
  throw AnswerScriptError(
      texts::kScriptWrongAnswer,
      {std::to_string(answer.Line), scriptLineForMessage(answer.Text), question, forms});
}

void ScriptedDialogs::echo(MessageKind kind, const std::string& text, Language lang) {
  *echo_ << messageTitle(kind).in(lang) << ": " << withNewlines(text) << '\n';
  echo_->flush();
}

VariantAnswer ScriptedDialogs::chooseVariant(const VariantRequest& request) {
  altern_.open(request);
  const bool boxes = altern_.checkBoxes().Visible;
  const std::string question = questionName(request.FormCaption, request.Prompt);
  const std::string forms = "variant 1.." + std::to_string(altern_.itemCount()) +
                            (boxes ? " [liquid|vapour]" : "") + " | close";
  const ScriptAnswer& answer = next(question, forms);
  if (answer.Kind == AnswerKind::Close) return altern_.closeBox();
  if (answer.Kind != AnswerKind::Variant || answer.Variant > altern_.itemCount() ||
      (answer.Phase != 0 && !boxes)) {
    wrongAnswer(answer, question, forms);
  }
  altern_.choose(answer.Variant - 1);
  if (answer.Phase == 'x') altern_.setBox2Ticked(true);
  if (answer.Phase == 'y') altern_.setBox1Ticked(true);
  return altern_.confirm();
}

ModelAnswer ScriptedDialogs::chooseModel(const ModelRequest& request) {
  const std::string question = questionName(request.FormCaption, request.Prompt);
  const std::string forms = "model Wilson|NRTL|UNIQUAC|UNIFAC|exit | close";
  while (true) {
    const ScriptAnswer& answer = next(question, forms);
    if (answer.Kind == AnswerKind::Close) return {true, 0};
    if (answer.Kind != AnswerKind::Model) wrongAnswer(answer, question, forms);
    if (answer.ModelExit) return {true, 0};
    if (const auto warning = modelOkWarning(answer.Model, request)) {
      echo(MessageKind::Warning, *warning, request.Lang);
      continue;  // the dialog stays open
    }
    return {false, *answer.Model};
  }
}

ComponentAnswer ScriptedDialogs::tickComponents(const ComponentRequest& request) {
  validateComponents(request);
  const int count = static_cast<int>(request.ItemNames.size());
  const std::string question = questionName(request.FormCaption, request.Prompt);
  const std::string forms =
      "components N,N,... (1.." + std::to_string(count) + ") | components all | close";
  while (true) {
    ComponentTicks ticks(request.ItemNames.size(), false);  // every opening starts unticked
    const ScriptAnswer& answer = next(question, forms);
    if (answer.Kind == AnswerKind::Close) return {ticks, true};
    if (answer.Kind != AnswerKind::Components) wrongAnswer(answer, question, forms);
    if (answer.AllComponents) ticks.assign(ticks.size(), true);
    for (const int number : answer.Components) {
      if (number > count) wrongAnswer(answer, question, forms);
      ticks[static_cast<std::size_t>(number - 1)] = true;
    }
    for (const std::string& name : answer.ComponentNames) {
      const auto item = std::find(request.ItemNames.begin(), request.ItemNames.end(), name);
      if (item == request.ItemNames.end()) wrongAnswer(answer, question, forms);
      ticks[static_cast<std::size_t>(item - request.ItemNames.begin())] = true;
    }
    if (const auto warning = componentOkWarning(ticks, request.Lang)) {
      echo(MessageKind::Warning, *warning, request.Lang);
      continue;
    }
    return {ticks, false};
  }
}

void ScriptedDialogs::enterGrid(GridEntry& grid) {
  validateGrid(grid);
  GridArray<std::string> cells = grid.CellText;  // what the dialog shows as it opens
  const int entryCells = (grid.Cols - grid.FixedCols) * (grid.Rows - grid.FixedRows);
  const std::string question = questionName(grid.FormCaption, grid.Prompt);
  const std::string forms =
      "grid TEXT... (1.." + std::to_string(entryCells) + " cells) | cancel | close";
  while (true) {
    const ScriptAnswer& answer = next(question, forms);
    if (answer.Kind == AnswerKind::Cancel || answer.Kind == AnswerKind::Close) {
      gridCancel(grid);
      return;
    }
    if (answer.Kind != AnswerKind::Grid || static_cast<int>(answer.Cells.size()) > entryCells) {
      wrongAnswer(answer, question, forms);
    }
    const int rowsPerCol = grid.Rows - grid.FixedRows;
    for (std::size_t k = 0; k < answer.Cells.size(); ++k) {
      const int index = static_cast<int>(k);
      const auto col = static_cast<std::size_t>(grid.FixedCols + index / rowsPerCol);
      const auto row = static_cast<std::size_t>(grid.FixedRows + index % rowsPerCol);
      cells[col][row] = answer.Cells[k];
    }
    const GridOkOutcome outcome = gridOkVisit(grid, cells, ".");
    if (outcome.Close) return;
    if (outcome.BadCell) echo(MessageKind::Error, outcome.Message, grid.Lang);
  }
}

MessageButton ScriptedDialogs::showMessage(const MessageRequest& request) {
  if (request.Buttons == MessageButtons::Ok) {
    echo(request.Kind, request.Text, request.Lang);
    return MessageButton::Ok;
  }
  const bool yesNo = request.Buttons == MessageButtons::YesNo;
  const std::string question = questionName("", request.Text);
  const std::string forms = yesNo ? "yes | no | close" : "abort | retry | close";
  const ScriptAnswer& answer = next(question, forms);
  if (answer.Kind == AnswerKind::Close) return closingAnswer(request.Buttons);
  if (yesNo && answer.Kind == AnswerKind::Yes) return MessageButton::Yes;
  if (yesNo && answer.Kind == AnswerKind::No) return MessageButton::No;
  if (!yesNo && answer.Kind == AnswerKind::Abort) return MessageButton::Abort;
  if (!yesNo && answer.Kind == AnswerKind::Retry) return MessageButton::Retry;
  wrongAnswer(answer, question, forms);
}

std::optional<std::string> ScriptedDialogs::fileName(const FileRequest& request, bool save) {
  const std::string question = questionName(request.Caption, request.Filter);
  const std::string forms = "file PATH | cancel | close";
  const ScriptAnswer& answer = next(question, forms);
  if (answer.Kind == AnswerKind::Cancel || answer.Kind == AnswerKind::Close) return std::nullopt;
  if (answer.Kind != AnswerKind::File) wrongAnswer(answer, question, forms);
  return save ? withDefaultExtension(answer.Path, request.DefaultExt) : answer.Path;
}

std::optional<std::string> ScriptedDialogs::openFileName(const FileRequest& request) {
  return fileName(request, false);
}

std::optional<std::string> ScriptedDialogs::saveFileName(const FileRequest& request) {
  return fileName(request, true);
}

}  // namespace bubblix
