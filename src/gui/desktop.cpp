#include "gui/desktop.h"

#include <QAction>
#include <QApplication>
#include <QLibraryInfo>
#include <QPrinterInfo>
#include <QTimer>
#include <QTranslator>

#include "core/data/database.h"
#include "core/session/session_state.h"
#include "core/texts/gui_texts.h"
#include "gui/actions.h"
#include "gui/component_dialog.h"
#include "gui/file_dialogs.h"
#include "gui/language_dialog.h"
#include "gui/main_window.h"
#include "gui/message_box.h"
#include "gui/printing.h"
#include "gui/qt_dialogs.h"
#include "gui/qt_text.h"
#include "gui/session_entry.h"
#include "gui/variant_dialog.h"

namespace bubblix::gui {

std::unique_ptr<QTranslator> installQtTranslations(Language lang) {
  if (lang == Language::English) return nullptr;
  auto translator = std::make_unique<QTranslator>();
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  if (!translator->load(QStringLiteral("qtbase_ru"), folder)) {
    qWarning(
        "Qt's Russian texts (qtbase_ru.qm) are not in %s (Debian package "
        "qt6-translations-l10n): Qt's own buttons and dialogs stay in English",
        qPrintable(folder));
    return nullptr;
  }
  QCoreApplication::installTranslator(translator.get());
  return translator;
}

Desktop::Desktop(SessionState& state, const StartUpOptions& options) : state_(state) {
  {
    TForm0 Form0;
    Form0.exec();
    state.InterfaceLanguage = Form0.chosenLanguage();
  }
  const Language lang = state.InterfaceLanguage;
  QApplication::setApplicationName(displayed(texts::kApplicationTitle, lang));

  translator = installQtTranslations(lang);

  fmVLE = std::make_unique<TfmVLE>(lang);
  fmAltern = std::make_unique<TfmAltern>(fmVLE.get());
  fmSaveFile = std::make_unique<TfmSaveFile>(fmVLE.get());
  const bool printerInstalled = options.printerInstalled
                                    ? options.printerInstalled()
                                    : !QPrinterInfo::availablePrinters().isEmpty();
  if (!printerInstalled) {
    showMessageBox(nullptr, {MessageKind::Error, std::string(texts::kNoPrinter.in(lang)),
                             MessageButtons::YesNo, lang});
  }
  fmPrint = std::make_unique<TfmPrint>();
  fmFont = std::make_unique<TfmFont>(fmVLE.get());
  // Every save of the program is checked against the files saved since start-up.
  fmAction = std::make_unique<TfmAction>(fmVLE.get(), *fmSaveFile, fmPrint.get(), *fmFont,
                                         systemFileSystem(), &state.Files);
  fmCheckListBox = std::make_unique<TfmCheckListBox>(fmVLE.get());

  fmVLE->setActionForm(fmAction.get());
  dialogs = std::make_unique<QtDialogs>(*fmVLE, *fmAltern, *fmCheckListBox);
  fmVLE->setSessionDialogs(dialogs.get());
  fmVLE->setSessionState(&state);
  fmVLE->setRunFiles(&state.Files);
}

Desktop::~Desktop() = default;

void Desktop::useCalculationSession() {
  useCalculationSession(fmVLE->database());
}

void Desktop::useCalculationSession(const Database& db) {
  QAction* exitAction = fmAction->CancAction;
  auto quitThroughExit = [exitAction] { QTimer::singleShot(0, exitAction, &QAction::trigger); };
  fmVLE->setSession(calculationSession(state_, systemDecimalSeparator(), quitThroughExit, db,
                                       fmVLE->fittingMethod()));
}

void Desktop::show() {
  fmVLE->show();
  fmVLE->raise();
  fmVLE->activateWindow();
}

}  // namespace bubblix::gui
