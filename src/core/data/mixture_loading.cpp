#include "core/data/mixture_loading.h"

#include <algorithm>

#include "core/base/errors.h"
#include "core/texts/data_texts.h"

namespace bubblix {

const std::string& componentName(const Database& db, int number, Language lang) {
  if (number < 1 || number > static_cast<int>(db.ComponentBase.size())) {
    throw DataError(kComponentNumberInvalidText, {std::to_string(number)});
  }
  const TComponentRecord& record = db.ComponentBase[static_cast<std::size_t>(number - 1)];
  return lang == Language::English ? record.EnglishName : record.RussianName;
}

Mixture loadMixture(const Database& db, std::span<const std::uint16_t> numbers, Language lang) {
  Mixture mixture;
  const std::size_t n = std::min<std::size_t>(numbers.size(), 4);
  for (std::size_t slot = 0; slot < n; ++slot) {
    loadComponent(mixture, db, static_cast<int>(slot), componentName(db, numbers[slot], lang));
  }
  return mixture;
}

}  // namespace bubblix
