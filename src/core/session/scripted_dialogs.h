#pragma once
// The dialogs of bubblix-cli: every question is answered by the next line of an answer script
// (answer_script.h describes the format), with the rules of the real dialogs (dialog_rules.h).
// Messages with only an OK button, and the dialogs' own warnings, are written to an echo
// stream as "Title: text". Grid numbers are read with a full stop, whatever the locale.

#include <iostream>
#include <string>

#include "core/session/answer_script.h"
#include "core/session/dialog_rules.h"
#include "core/session/dialogs.h"

namespace bubblix {

class ScriptedDialogs : public Dialogs {
 public:
  explicit ScriptedDialogs(AnswerScript script, std::ostream& echo = std::cerr);

  VariantAnswer chooseVariant(const VariantRequest& request) override;
  ModelAnswer chooseModel(const ModelRequest& request) override;
  ComponentAnswer tickComponents(const ComponentRequest& request) override;
  void enterGrid(GridEntry& grid) override;
  MessageButton showMessage(const MessageRequest& request) override;
  std::optional<std::string> openFileName(const FileRequest& request) override;
  std::optional<std::string> saveFileName(const FileRequest& request) override;
  void setStatusText(const std::string& text) override { statusText_ = text; }
  void setBusy(bool busy) override { busy_ = busy; }
  void processPendingMessages() override {}
  void setRunIndicator(bool running) override { running_ = running; }

  // The answers not yet used: a script written for another path of the session leaves some.
  const AnswerScript& script() const { return script_; }
  const std::string& statusText() const { return statusText_; }
  bool busy() const { return busy_; }
  bool runIndicator() const { return running_; }

 private:
  // The next answer; throws when the script has none left. `question` names the question and
  // `forms` the answers it takes, for the error message.
  const ScriptAnswer& next(const std::string& question, const std::string& forms);
  [[noreturn]] void wrongAnswer(const ScriptAnswer& answer, const std::string& question,
                                const std::string& forms) const;
  void echo(MessageKind kind, const std::string& text, Language lang);
  std::optional<std::string> fileName(const FileRequest& request, bool save);

  AnswerScript script_;
  std::ostream* echo_;
  AlternDialogState altern_;
  std::string statusText_;
  bool busy_ = false;
  bool running_ = false;
};

}  // namespace bubblix
