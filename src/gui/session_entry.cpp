#include "gui/session_entry.h"

#include "core/data/database.h"
#include "core/session/calculation_session.h"
#include "core/session/session_state.h"

namespace bubblix::gui {

SessionEntry calculationSession(SessionState& state, const std::string& decimalSeparator,
                                std::function<void()> onQuitRequested) {
  return calculationSession(state, decimalSeparator, std::move(onQuitRequested), builtInDatabase());
}

SessionEntry calculationSession(SessionState& state, const std::string& decimalSeparator,
                                std::function<void()> onQuitRequested, const Database& db) {
  static const ObjectiveOptions kDefault;  // the described objective, never changed
  return calculationSession(state, decimalSeparator, std::move(onQuitRequested), db, kDefault);
}

SessionEntry calculationSession(SessionState& state, const std::string& decimalSeparator,
                                std::function<void()> onQuitRequested, const Database& db,
                                const ObjectiveOptions& fittingMethod) {
  return [&state, &db, &fittingMethod, decimalSeparator,
          onQuitRequested = std::move(onQuitRequested)](Dialogs& dialogs, ReportDocument& report) {
    SessionOptions options;
    options.DecimalSeparator = decimalSeparator;
    // As bubblix-cli session --objective, --sigma, --fix, --bound give it.
    options.Objective = fittingMethod;
    // A save is checked against the files this session reads and every file saved so far.
    state.Files.forgetReads();
    const SessionResult result = runCalculationSession(dialogs, report, state, db, options);
    if (result.Outcome == SessionOutcome::QuitRequested && onQuitRequested) onQuitRequested();
  };
}

}  // namespace bubblix::gui
