#include "cli/json_output.h"

#include <array>
#include <charconv>
#include <cmath>
#include <ostream>

#include "cli/cli_texts.h"
#include "core/base/errors.h"

namespace bubblix::cli {

namespace {

void appendNumber(std::string& text, double value) {
  // to_chars does not depend on the locale; 17 significant digits read back as the same
  // double.
  std::array<char, 40> buffer{};
  const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                          std::chars_format::general, 17);
  text.append(buffer.data(), end);
  // 1e+20 and 3 are numbers of JSON as they are; nothing to add.
  (void)error;
}

void append(std::string& text, const Json& value) {
  switch (value.type()) {
    case Json::value_t::object: {
      text += '{';
      bool first = true;
      for (const auto& [key, element] : value.items()) {
        if (!first) text += ", ";
        first = false;
        text += Json(key).dump(-1, ' ', false, Json::error_handler_t::replace);
        text += ": ";
        append(text, element);
      }
      text += '}';
      break;
    }
    case Json::value_t::array: {
      text += '[';
      bool first = true;
      for (const Json& element : value) {
        if (!first) text += ", ";
        first = false;
        append(text, element);
      }
      text += ']';
      break;
    }
    case Json::value_t::number_float: {
      const double number = value.get<double>();
      if (!std::isfinite(number)) {
        throw ArithmeticError(texts::kResultNotFinite, {"(JSON)"});
      }
      appendNumber(text, number);
      break;
    }
    default:
      text += value.dump(-1, ' ', false, Json::error_handler_t::replace);
      break;
  }
}

}  // namespace

Json jsonReal(Real value, const std::string& name) {
  const auto number = static_cast<double>(value);
  if (!std::isfinite(value) || !std::isfinite(number)) {
    throw ArithmeticError(texts::kResultNotFinite, {name});
  }
  return Json(number);
}

Json jsonReals(std::span<const Real> values, const std::string& name) {
  Json array = Json::array();
  for (std::size_t k = 0; k < values.size(); ++k) {
    array.push_back(jsonReal(values[k], name + "[" + std::to_string(k) + "]"));
  }
  return array;
}

std::string jsonText(const Json& document) {
  std::string text;
  append(text, document);
  return text;
}

void writeJson(std::ostream& out, const Json& document) {
  out << jsonText(document) << '\n';
  out.flush();
}

Json jsonWarnings(const std::vector<RangeWarning>& warnings, Language lang) {
  Json array = Json::array();
  for (const RangeWarning& warning : warnings) {
    Json entry;
    entry["component"] = warning.Component + 1;
    entry["name"] = warning.Name;
    entry["t_min_c"] = jsonReal(warning.Range.Low, "t_min_c");
    entry["t_max_c"] = jsonReal(warning.Range.High, "t_max_c");
    entry["text"] = rangeWarningText(warning, lang);
    array.push_back(std::move(entry));
  }
  return array;
}

Json jsonWarnings(const Mixture& mixture, int n, Model model, Real celsius, Language lang) {
  return jsonWarnings(rangeWarnings(mixture, n, model, celsius), lang);
}

}  // namespace bubblix::cli
