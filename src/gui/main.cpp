// bubblix: the desktop program.

#include <QApplication>

#include "core/session/session_state.h"
#include "gui/desktop.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  bubblix::SessionState state;
  bubblix::gui::Desktop desktop(state);
  desktop.useCalculationSession();
  desktop.show();
  return QApplication::exec();
}
