#pragma once
// The start-up of the desktop program: the language dialog, the application title, the
// long-lived windows in their fixed order and the printer check.

#include <functional>
#include <memory>

#include "core/texts/text.h"

class QTranslator;

namespace bubblix {
struct Database;
struct SessionState;
}  // namespace bubblix

namespace bubblix::gui {

class QtDialogs;
class TfmAction;
class TfmAltern;
class TfmCheckListBox;
class TfmFont;
class TfmPrint;
class TfmSaveFile;
class TfmVLE;

// Qt's own texts in the interface language: for Russian, qtbase_ru from Qt's translations
// folder (the buttons of the message boxes, the file, print and font dialogs, the report's
// context menu). Installed until the translator is destroyed; nothing for English, and a
// warning on standard error when the file is missing.
std::unique_ptr<QTranslator> installQtTranslations(Language lang);

struct StartUpOptions {
  // Whether the system lists at least one printer; Qt's list of printers when not set.
  std::function<bool()> printerInstalled;
};

// Owns the windows that live for the whole run, in the order they were created: fmVLE (so it
// is the main window), fmAltern, fmSaveFile, fmPrint, fmFont, fmAction, fmCheckListBox. They
// are destroyed in the reverse order (members are declared in the order of creation).
class Desktop {
 public:
  // Asks the interface language (TForm0, modal), writes it into the state, sets the
  // application title and creates the windows. Without a printer it says so once, in an
  // error box with Yes and No (the answer is not used); printing is still offered, to a PDF
  // file or a printer added later.
  explicit Desktop(SessionState& state, const StartUpOptions& options = {});
  ~Desktop();
  Desktop(const Desktop&) = delete;
  Desktop& operator=(const Desktop&) = delete;

  // Shows the main window and makes it the active one.
  void show();

  // Makes the Run button run the calculation session on the state given at start-up, with the
  // system locale's decimal separator and the data of `db` (the main window's database, which
  // the Data menu grows, unless another is given; it must outlive the desktop). When the user
  // chooses to end the program inside the session, the program leaves through the Exit action once
  // the session is over (from the event loop, not from inside the session), so the report is
  // offered for saving first.
  void useCalculationSession();
  void useCalculationSession(const Database& db);

  // Qt's own Russian texts (buttons of message boxes, file dialogs); outlives the windows.
  std::unique_ptr<QTranslator> translator;
  std::unique_ptr<TfmVLE> fmVLE;
  std::unique_ptr<TfmAltern> fmAltern;
  std::unique_ptr<TfmSaveFile> fmSaveFile;
  std::unique_ptr<TfmPrint> fmPrint;
  std::unique_ptr<TfmFont> fmFont;
  std::unique_ptr<TfmAction> fmAction;
  std::unique_ptr<TfmCheckListBox> fmCheckListBox;
  std::unique_ptr<QtDialogs> dialogs;

 private:
  SessionState& state_;
};

}  // namespace bubblix::gui
