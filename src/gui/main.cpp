// bubblix: the desktop program.

#include <QAction>
#include <QApplication>
#include <QTimer>

#include "core/session_state.h"
#include "gui/actions.h"
#include "gui/desktop.h"
#include "gui/main_window.h"
#include "gui/qt_dialogs.h"
#include "gui/session_entry.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  bubblix::SessionState state;
  bubblix::gui::Desktop desktop(state);
  // Ending the program from inside a session goes through Exit once Run's handler has returned.
  auto quitThroughExit = [&desktop] {
    QTimer::singleShot(0, desktop.fmAction->CancAction, &QAction::trigger);
  };
  desktop.fmVLE->setSession(bubblix::gui::calculationSession(
      state, bubblix::gui::systemDecimalSeparator(), quitThroughExit));
  desktop.show();
  return QApplication::exec();
}
