#pragma once
// A mixture's component data loaded from the database by the components' database numbers,
// with the names in the interface language.

#include <cstdint>
#include <span>
#include <string>

#include "core/data/database.h"
#include "core/data/properties.h"
#include "core/texts/text.h"

namespace bubblix {

// The name of database record `number` (1..4) in `lang`. Throws DataError for another number.
const std::string& componentName(const Database& db, int number, Language lang);

// The mixture of the database components `numbers` (at most 4), slot k from numbers[k] by
// loadComponent with its name in `lang`; the slots after them stay empty. Throws DataError
// for a number outside 1..4.
Mixture loadMixture(const Database& db, std::span<const std::uint16_t> numbers, Language lang);

}  // namespace bubblix
