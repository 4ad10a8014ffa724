#include "core/session/dialogs.h"

namespace bubblix {

void Dialogs::setRunIndicator(bool /*running*/) {}

std::vector<std::string> Dialogs::openFileNames(const FileRequest& request) {
  std::vector<std::string> names;
  if (std::optional<std::string> name = openFileName(request)) names.push_back(std::move(*name));
  return names;
}

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
