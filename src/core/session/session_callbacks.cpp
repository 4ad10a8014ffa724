#include "core/session/session_callbacks.h"

#include <string>

namespace bubblix {

ContinueQuestion slowConvergenceQuestion(Dialogs& dialogs, Language lang) {
  return [&dialogs, lang](const Text& question) {
    const MessageButton answer =
        dialogs.showMessage({MessageKind::Confirmation, std::string(question.in(lang)),
                             MessageButtons::AbortRetry, lang});
    return answer != MessageButton::Abort;
  };
}

YesNoQuestion inversionErrorMessage(Dialogs& dialogs, Language lang) {
  return [&dialogs, lang](const Text& message) {
    return dialogs.showMessage({MessageKind::Error, std::string(message.in(lang)),
                                MessageButtons::YesNo, lang}) == MessageButton::Yes;
  };
}

}  // namespace bubblix
