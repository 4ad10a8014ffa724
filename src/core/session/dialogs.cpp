#include "core/session/dialogs.h"

namespace bubblix {

void Dialogs::setRunIndicator(bool /*running*/) {}

void Dialogs::showWarning(const std::string& text, Language lang) {
  showMessage({MessageKind::Warning, text, MessageButtons::Ok, lang});
}

void Dialogs::showError(const std::string& text, Language lang) {
  showMessage({MessageKind::Error, text, MessageButtons::Ok, lang});
}

bool Dialogs::askYesNo(const std::string& text, Language lang) {
  return showMessage({MessageKind::Confirmation, text, MessageButtons::YesNo, lang}) ==
         MessageButton::Yes;
}

}  // namespace bubblix
