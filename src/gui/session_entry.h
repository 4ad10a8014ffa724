#pragma once
// The calculation session that the Run button starts, as one replaceable entry point: it gets
// the dialogs to ask through and the report to write into, and returns when the session has
// ended. Errors it throws end the session with a message box; the report keeps its lines.

#include <functional>
#include <string>

namespace bubblix {
class Dialogs;
class ReportDocument;
struct Database;
struct SessionState;
struct ObjectiveOptions;
}  // namespace bubblix

namespace bubblix::gui {

using SessionEntry = std::function<void(Dialogs&, ReportDocument&)>;

// The session of the desktop program, on the run's state. decimalSeparator: the system
// locale's, used for the numbers of the report. onQuitRequested runs when the user chose to
// end the program inside the session; the front end then leaves through its Exit action,
// which offers to keep the report. db: the data the session fits to and checks against, the
// built-in database unless another is given (it must outlive the entry).
SessionEntry calculationSession(SessionState& state, const std::string& decimalSeparator,
                                std::function<void()> onQuitRequested);
SessionEntry calculationSession(SessionState& state, const std::string& decimalSeparator,
                                std::function<void()> onQuitRequested, const Database& db);
// The same with the fitting method chosen in the desktop (Options -> Fitting method...), read
// at the start of each session; it must outlive the entry.
SessionEntry calculationSession(SessionState& state, const std::string& decimalSeparator,
                                std::function<void()> onQuitRequested, const Database& db,
                                const ObjectiveOptions& fittingMethod);

}  // namespace bubblix::gui
