#include "core/session/session_support.h"

#include <algorithm>

#include "core/base/errors.h"
#include "core/data/experimental_data.h"
#include "core/data/properties.h"
#include "core/models/parameter_file.h"
#include "core/texts/data_texts.h"
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

std::string_view methodName(char model) {
  return ParameterFileModelName(model);
}

const std::string& componentName(const Database& db, int number, Language lang) {
  if (number < 1 || number > static_cast<int>(db.ComponentBase.size())) {
    throw DataError(kComponentNumberInvalidText, {std::to_string(number)});
  }
  const TComponentRecord& record = db.ComponentBase[static_cast<std::size_t>(number - 1)];
  return lang == Language::English ? record.EnglishName : record.RussianName;
}

bool pairHasExperimentalData(const Database& db, int a, int b) {
  if (HasNoExperimentalData(a, b)) return false;
  const int lo = std::min(a, b);
  const int hi = std::max(a, b);
  if (lo < 1 || hi > 4 || lo == hi) return false;
  const TExperimentalSet& set =
      db.ExperimentalData[static_cast<std::size_t>(lo - 1)][static_cast<std::size_t>(hi - 1)];
  return set.N > 0 && set.P > 0 && set.x.size() >= set.N && set.y.size() >= set.N &&
         set.t.size() >= set.N;
}

Mixture loadMixture(const Database& db, const TParameterSet& set, Language lang) {
  Mixture mixture;
  const int n = std::min<int>(set.ComponentCount, 4);
  for (int i = 0; i < n; ++i) {
    const std::string& name = componentName(db, set.Components[static_cast<std::size_t>(i)], lang);
    LoadComponent(mixture, db, i, name);
  }
  return mixture;
}

}  // namespace bubblix::session_detail
