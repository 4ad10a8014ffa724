#include "core/session/session_support.h"

#include "core/base/errors.h"
#include "core/texts/session_texts.h"

namespace bubblix::session_detail {

VariantAnswer GuardedDialogs::chooseVariant(const VariantRequest& request) {
  return guarded([&] { return inner_.chooseVariant(request); });
}
ModelAnswer GuardedDialogs::chooseModel(const ModelRequest& request) {
  return guarded([&] { return inner_.chooseModel(request); });
}
ComponentAnswer GuardedDialogs::tickComponents(const ComponentRequest& request) {
  return guarded([&] { return inner_.tickComponents(request); });
}
void GuardedDialogs::enterGrid(GridEntry& grid) {
  guarded([&] { inner_.enterGrid(grid); });
}
MessageButton GuardedDialogs::showMessage(const MessageRequest& request) {
  return guarded([&] { return inner_.showMessage(request); });
}
std::optional<std::string> GuardedDialogs::openFileName(const FileRequest& request) {
  return guarded([&] { return inner_.openFileName(request); });
}
std::optional<std::string> GuardedDialogs::saveFileName(const FileRequest& request) {
  return guarded([&] { return inner_.saveFileName(request); });
}
void GuardedDialogs::setStatusText(const std::string& text) {
  guarded([&] { inner_.setStatusText(text); });
}
void GuardedDialogs::processPendingMessages() {
  guarded([&] { inner_.processPendingMessages(); });
}
// Switching the busy cursor and the run indicator off happens while a session unwinds, so it
// never throws: a front end that fails there has nothing left to show them on.
void GuardedDialogs::setBusy(bool busy) {
  if (busy) {
    guarded([&] { inner_.setBusy(true); });
    return;
  }
  try {
    inner_.setBusy(false);
  } catch (...) {
  }
}
void GuardedDialogs::setRunIndicator(bool running) {
  if (running) {
    guarded([&] { inner_.setRunIndicator(true); });
    return;
  }
  try {
    inner_.setRunIndicator(false);
  } catch (...) {
  }
}

std::string errorText(const std::exception& error, Language lang) {
  if (const auto* own = dynamic_cast<const Error*>(&error)) return own->message(lang);
  return render(texts::kSessionEnded, lang, {error.what()});
}

void clearStatus(Dialogs& dialogs) noexcept {
  try {
    dialogs.setStatusText("");
  } catch (...) {
  }
}

}  // namespace bubblix::session_detail
