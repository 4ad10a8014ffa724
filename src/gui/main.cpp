// bubblix: the desktop program.

#include <QApplication>

#include "core/session_state.h"
#include "gui/desktop.h"
#include "gui/main_window.h"
#include "gui/qt_dialogs.h"
#include "gui/session_entry.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  bubblix::SessionState state;
  bubblix::gui::Desktop desktop(state);
  desktop.fmVLE->setSession(
      bubblix::gui::calculationSession(state, bubblix::gui::systemDecimalSeparator()));
  desktop.show();
  return QApplication::exec();
}
