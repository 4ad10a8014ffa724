#pragma once
// JSON output of bubblix-cli. Documents are built as nlohmann::ordered_json (keys stay in the
// order written) and written by writeJson, which gives every real number 17 significant
// digits, enough for the number to read back as the same double. Reals of the calculation
// (80-bit) pass through a double on the way. A value that is not finite is never written:
// jsonReal refuses it with a message naming the value.

#include <iosfwd>
#include <nlohmann/json.hpp>
#include <span>
#include <string>
#include <vector>

#include "core/base/real.h"
#include "core/data/properties.h"
#include "core/models/model.h"
#include "core/models/point_warnings.h"
#include "core/texts/text.h"

namespace bubblix::cli {

using Json = nlohmann::ordered_json;

// The real as a JSON number. Throws ArithmeticError naming `name` when it is not finite.
Json jsonReal(Real value, const std::string& name);
// An array of reals; element k is named name[k] in the message.
Json jsonReals(std::span<const Real> values, const std::string& name);

// The out-of-range warnings of a point (point_warnings.h) as an array, empty when there are
// none: {"component": slot from 1, "name", "t_min_c", "t_max_c", "text" in the language}.
Json jsonWarnings(const std::vector<RangeWarning>& warnings, Language lang);
// Those of a point at t degC of the first n components of the mixture.
Json jsonWarnings(const Mixture& mixture, int n, Model model, Real celsius, Language lang);

// The document on one line (", " and ": " as separators), reals with 17 significant digits
// and a full stop whatever the locale, strings as UTF-8 (invalid bytes replaced).
std::string jsonText(const Json& document);
// jsonText and a line end.
void writeJson(std::ostream& out, const Json& document);

}  // namespace bubblix::cli
