#include "gui/qt_dialogs.h"

#include <QApplication>
#include <QLabel>
#include <QLocale>

#include "gui/component_dialog.h"
#include "gui/file_dialogs.h"
#include "gui/grid_dialog.h"
#include "gui/main_window.h"
#include "gui/message_box.h"
#include "gui/model_dialog.h"
#include "gui/qt_text.h"
#include "gui/variant_dialog.h"

namespace bubblix::gui {

std::string systemDecimalSeparator() {
  return toStdString(QLocale::system().decimalPoint());
}

QtDialogs::QtDialogs(TfmVLE& mainWindow, TfmAltern& altern, TfmCheckListBox& checkList)
    : main_(mainWindow),
      altern_(altern),
      checkList_(checkList),
      decimalSeparator_(systemDecimalSeparator()) {}

QtDialogs::~QtDialogs() {
  while (busy_ > 0)
    setBusy(false);
}

VariantAnswer QtDialogs::chooseVariant(const VariantRequest& request) {
  return altern_.ask(request);
}

ModelAnswer QtDialogs::chooseModel(const ModelRequest& request) {
  TForm1 form1(request, &main_);
  return form1.ask();
}

ComponentAnswer QtDialogs::tickComponents(const ComponentRequest& request) {
  return checkList_.ask(request);
}

void QtDialogs::enterGrid(GridEntry& grid) {
  TfmStrGr fmStrGr(grid, decimalSeparator_, &main_);
  fmStrGr.exec();
}

MessageButton QtDialogs::showMessage(const MessageRequest& request) {
  return showMessageBox(&main_, request);
}

std::optional<std::string> QtDialogs::openFileName(const FileRequest& request) {
  return chooseFileToOpen(&main_, request);
}

std::vector<std::string> QtDialogs::openFileNames(const FileRequest& request) {
  return chooseFilesToOpen(&main_, request);
}

std::optional<std::string> QtDialogs::saveFileName(const FileRequest& request) {
  return chooseFileToSave(&main_, request);
}

void QtDialogs::setStatusText(const std::string& text) {
  main_.frMainForm1->lbFrame->setText(displayed(text));
}

void QtDialogs::setBusy(bool busy) {
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ++busy_;
  } else if (busy_ > 0) {
    QApplication::restoreOverrideCursor();
    --busy_;
  }
}

void QtDialogs::processPendingMessages() {
  // Repaints and timers only: a click or a key press waits until the session is over.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtDialogs::setRunIndicator(bool running) {
  main_.frMainForm1->loadRunGlyph(running ? QStringLiteral("LED2ON.BMP")
                                          : QStringLiteral("LED2OFF.BMP"));
}

}  // namespace bubblix::gui
