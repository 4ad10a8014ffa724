#include "gui/message_box.h"

#include <QMessageBox>
#include <QPushButton>

#include "core/session/dialog_rules.h"
#include "gui/qt_text.h"

namespace bubblix::gui {
namespace {

QMessageBox::Icon iconOf(MessageKind kind) {
  switch (kind) {
    case MessageKind::Error:
      return QMessageBox::Critical;
    case MessageKind::Confirmation:
      return QMessageBox::Question;
    case MessageKind::Information:
      return QMessageBox::Information;
    case MessageKind::Warning:
      break;
  }
  return QMessageBox::Warning;
}

QMessageBox::StandardButton standardButtonOf(MessageButton button) {
  switch (button) {
    case MessageButton::Yes:
      return QMessageBox::Yes;
    case MessageButton::No:
      return QMessageBox::No;
    case MessageButton::Abort:
      return QMessageBox::Abort;
    case MessageButton::Retry:
      return QMessageBox::Retry;
    case MessageButton::Ok:
      break;
  }
  return QMessageBox::Ok;
}

std::vector<MessageButton> buttonsOf(MessageButtons set) {
  switch (set) {
    case MessageButtons::YesNo:
      return {MessageButton::Yes, MessageButton::No};
    case MessageButtons::AbortRetry:
      return {MessageButton::Abort, MessageButton::Retry};
    case MessageButtons::Ok:
      break;
  }
  return {MessageButton::Ok};
}

}  // namespace

std::unique_ptr<QMessageBox> makeMessageBox(QWidget* parent, const MessageRequest& request) {
  const std::vector<MessageButton> buttons = buttonsOf(request.Buttons);
  auto box = std::make_unique<QMessageBox>(iconOf(request.Kind),
                                           displayed(messageTitle(request.Kind), request.Lang),
                                           displayed(request.Text), QMessageBox::NoButton, parent);
  box->setTextFormat(Qt::PlainText);
  for (MessageButton button : buttons)
    box->addButton(standardButtonOf(button));
  box->setDefaultButton(standardButtonOf(buttons.front()));
  box->setEscapeButton(box->button(standardButtonOf(closingAnswer(request.Buttons))));
  return box;
}

MessageButton showMessageBox(QWidget* parent, const MessageRequest& request) {
  const std::vector<MessageButton> buttons = buttonsOf(request.Buttons);
  const std::unique_ptr<QMessageBox> box = makeMessageBox(parent, request);
  box->exec();
  QAbstractButton* pressed = box->clickedButton();
  for (MessageButton button : buttons) {
    if (pressed != nullptr && pressed == box->button(standardButtonOf(button))) return button;
  }
  return closingAnswer(request.Buttons);
}

void showWarningBox(QWidget* parent, const std::string& text, Language lang) {
  showMessageBox(parent, {MessageKind::Warning, text, MessageButtons::Ok, lang});
}

void showErrorBox(QWidget* parent, const std::string& text, Language lang) {
  showMessageBox(parent, {MessageKind::Error, text, MessageButtons::Ok, lang});
}

bool askYesNoBox(QWidget* parent, const std::string& text, Language lang) {
  return showMessageBox(parent, {MessageKind::Confirmation, text, MessageButtons::YesNo, lang}) ==
         MessageButton::Yes;
}

SaveChoice askSaveDiscardCancelBox(QWidget* parent, const std::string& text, Language lang) {
  QMessageBox box(QMessageBox::Question, displayed(messageTitle(MessageKind::Confirmation), lang),
                  displayed(text), QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                  parent);
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(QMessageBox::Save);
  box.setEscapeButton(QMessageBox::Cancel);
  switch (box.exec()) {
    case QMessageBox::Save:
      return SaveChoice::Save;
    case QMessageBox::Discard:
      return SaveChoice::Discard;
    default:
      break;
  }
  return SaveChoice::Cancel;
}

}  // namespace bubblix::gui
