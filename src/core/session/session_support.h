#pragma once
// What the calculation, fitting and equilibrium sessions share: the session's context, the
// way a session ends early, and small look-ups.

#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/data/database.h"
#include "core/report/report_document.h"
#include "core/session/dialogs.h"
#include "core/session/session_options.h"
#include "core/session/session_state.h"
#include "core/texts/text.h"

namespace bubblix::session_detail {

// An exception thrown by the front end's dialogs (a script that has run out of answers, a
// window that went away). It is no failure of the calculation: it passes through the
// session's error handling unchanged and leaves the session as it was thrown.
struct FrontEndFailure {
  std::exception_ptr Original;
};

// The front end's dialogs, with every exception they throw wrapped in FrontEndFailure.
class GuardedDialogs final : public Dialogs {
 public:
  explicit GuardedDialogs(Dialogs& inner) : inner_(inner) {}

  VariantAnswer chooseVariant(const VariantRequest& request) override;
  ModelAnswer chooseModel(const ModelRequest& request) override;
  ComponentAnswer tickComponents(const ComponentRequest& request) override;
  void enterGrid(GridEntry& grid) override;
  MessageButton showMessage(const MessageRequest& request) override;
  std::optional<std::string> openFileName(const FileRequest& request) override;
  std::optional<std::string> saveFileName(const FileRequest& request) override;
  void setStatusText(const std::string& text) override;
  void setBusy(bool busy) override;
  void processPendingMessages() override;
  void setRunIndicator(bool running) override;

 private:
  template <class F>
  decltype(auto) guarded(F&& call);
  Dialogs& inner_;
};

// Ends a session early without an error: the user left, or asked to end the program.
struct SessionStop {
  SessionOutcome Outcome = SessionOutcome::Stopped;
  std::string Message;  // shown already, or empty
};

struct SessionContext {
  Dialogs& dialogs;  // guarded
  ReportDocument& report;
  SessionState& state;
  const Database& db;
  const SessionOptions& options;
  // Set when a file the session was to save could not be written (its message was shown).
  bool* saveFailed = nullptr;

  Language lang() const { return state.InterfaceLanguage; }
  std::string text(const Text& t, const std::vector<std::string>& args = {}) const {
    return render(t, lang(), args);
  }
};

// Runs `body` (which may throw) as one session: an Error or another standard exception is
// shown in an error box and gives Failed; SessionStop gives its outcome; an exception of the
// front end's dialogs is thrown again as it was. The report keeps every line written.
template <class Body>
SessionResult runSession(Dialogs& frontEnd, Language lang, Body&& body);

// ---- template definitions ----

template <class F>
decltype(auto) GuardedDialogs::guarded(F&& call) {
  try {
    return call();
  } catch (...) {
    throw FrontEndFailure{std::current_exception()};
  }
}

std::string errorText(const std::exception& error, Language lang);
// Clears the status text a failed step may have left ("please wait"); never throws.
void clearStatus(Dialogs& dialogs) noexcept;

template <class Body>
SessionResult runSession(Dialogs& frontEnd, Language lang, Body&& body) {
  GuardedDialogs dialogs(frontEnd);
  SessionResult result;
  try {
    try {
      body(static_cast<Dialogs&>(dialogs));
    } catch (const SessionStop& stop) {
      result.Outcome = stop.Outcome;
      result.Message = stop.Message;
    } catch (const std::exception& error) {
      result.Outcome = SessionOutcome::Failed;
      result.Message = errorText(error, lang);
      clearStatus(dialogs);
      dialogs.showError(result.Message, lang);
    }
  } catch (const FrontEndFailure& failure) {
    std::rethrow_exception(failure.Original);
  }
  return result;
}

}  // namespace bubblix::session_detail
