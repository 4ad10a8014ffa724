// bubblix: the desktop program; with --print-pdf, the printing of a report file to PDF
// without a window (gui/report_pdf.h).

#include <QApplication>
#include <iostream>
#include <string>
#include <vector>

#include "core/io/temporary_files.h"
#include "core/session/session_state.h"
#include "gui/desktop.h"
#include "gui/report_pdf.h"

int main(int argc, char** argv) {
  // A file-size limit, SIGINT or SIGTERM never leave a half-written file or a temporary one.
  bubblix::installFileSignalHandlers();
  if (bubblix::gui::asksForPrintPdf(argc, argv)) {
    // No window is shown: no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Qt has taken its own options (-platform and the like) out of argv.
    std::vector<std::string> args;
    for (const QString& arg : QCoreApplication::arguments().mid(1))
      args.push_back(arg.toStdString());
    return bubblix::gui::runPrintPdfCommand(args, std::cerr);
  }
  QApplication app(argc, argv);
  bubblix::SessionState state;
  bubblix::gui::Desktop desktop(state);
  desktop.useCalculationSession();
  desktop.show();
  return QApplication::exec();
}
