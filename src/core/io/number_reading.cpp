#include "core/io/number_reading.h"

#include <locale.h>
#include <stdlib.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>

namespace bubblix {

namespace {

bool isBlank(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}
bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// The C locale, for reading numbers with a full stop whatever locale the process set; null
// when the system cannot make it.
locale_t cLocaleObject() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return locale;
}

// Converts the canonical form (sign, digits, '.', digits, 'e', sign, digits) with the "C"
// locale's conventions, whatever locale the process has set.
std::optional<Real> convertCanonical(const std::string& canonical) {
  const locale_t cLocale = cLocaleObject();
  Real value = 0;
  if (cLocale != static_cast<locale_t>(nullptr)) {
    char* end = nullptr;
    value = strtold_l(canonical.c_str(), &end, cLocale);
    if (end != canonical.c_str() + canonical.size()) return std::nullopt;
  } else {
    // Without a locale object from_chars still reads the form; it refuses underflow as well.
    const auto result =
        std::from_chars(canonical.data(), canonical.data() + canonical.size(), value);
    if (result.ec != std::errc() || result.ptr != canonical.data() + canonical.size()) {
      return std::nullopt;
    }
  }
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

void appendDigits(std::string_view text, std::size_t& i, std::string& out, int& count) {
  while (i < text.size() && isDigit(text[i])) {
    out += text[i++];
    ++count;
  }
}

}  // namespace

std::string_view trimBlanks(std::string_view text) {
  while (!text.empty() && isBlank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back()))
    text.remove_suffix(1);
  return text;
}

std::optional<Real> parseGridNumber(std::string_view text, std::string_view decimalSeparator) {
  text = trimBlanks(text);
  if (text.empty() || decimalSeparator.empty()) return std::nullopt;

  std::string canonical;
  canonical.reserve(text.size() + 1);
  std::size_t i = 0;
  if (text[i] == '+' || text[i] == '-') canonical += text[i++];
  int mantissaDigits = 0;
  appendDigits(text, i, canonical, mantissaDigits);
  if (text.substr(i).starts_with(decimalSeparator)) {
    canonical += '.';
    i += decimalSeparator.size();
    appendDigits(text, i, canonical, mantissaDigits);
  }
  if (mantissaDigits == 0) return std::nullopt;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    canonical += 'e';
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) canonical += text[i++];
    int exponentDigits = 0;
    appendDigits(text, i, canonical, exponentDigits);
    if (exponentDigits == 0) return std::nullopt;
  }
  if (i != text.size()) return std::nullopt;
  return convertCanonical(canonical);
}

std::optional<Real> parseDecimalNumber(std::string_view text) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  int digits = 0;
  while (i < text.size() && isDigit(text[i])) {
    ++i;
    ++digits;
  }
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && isDigit(text[i])) {
      ++i;
      ++digits;
    }
  }
  if (digits == 0) return std::nullopt;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    int exponentDigits = 0;
    while (i < text.size() && isDigit(text[i])) {
      ++i;
      ++exponentDigits;
    }
    if (exponentDigits == 0) return std::nullopt;
  }
  if (i != text.size()) return std::nullopt;

  // strtold needs a terminated string: a short number is copied to the stack.
  std::array<char, 128> buffer;
  std::string longNumber;
  const char* begin = nullptr;
  if (text.size() < buffer.size()) {
    std::copy(text.begin(), text.end(), buffer.begin());
    buffer[text.size()] = '\0';
    begin = buffer.data();
  } else {
    longNumber.assign(text);
    begin = longNumber.c_str();
  }
  Real value = 0;
  if (const locale_t locale = cLocaleObject(); locale != static_cast<locale_t>(nullptr)) {
    char* end = nullptr;
    value = strtold_l(begin, &end, locale);
    if (end != begin + text.size()) return std::nullopt;
  } else {
    const auto result = std::from_chars(begin, begin + text.size(), value);
    if (result.ec != std::errc() || result.ptr != begin + text.size()) return std::nullopt;
  }
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

bool isGridNumberBeginning(std::string_view text, std::string_view decimalSeparator) {
  while (!text.empty() && isBlank(text.front()))
    text.remove_prefix(1);
  // Blanks after the text end the number: what stands before them must be one already.
  const bool ended = !text.empty() && isBlank(text.back());
  text = trimBlanks(text);
  std::size_t i = 0;
  const auto digits = [&] {
    int count = 0;
    while (i < text.size() && isDigit(text[i])) {
      ++i;
      ++count;
    }
    return count;
  };
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  int mantissaDigits = digits();
  bool separator = false;
  if (!decimalSeparator.empty() && text.substr(i).starts_with(decimalSeparator)) {
    separator = true;
    i += decimalSeparator.size();
    mantissaDigits += digits();
  }
  if (i == text.size()) return !ended || mantissaDigits > 0;
  if (text[i] == 'e' || text[i] == 'E') {
    if (mantissaDigits == 0) return false;
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const int exponentDigits = digits();
    return i == text.size() && (!ended || exponentDigits > 0);
  }
  // The first characters of a separator of several.
  return !ended && !separator && decimalSeparator.size() > 1 &&
         decimalSeparator.starts_with(text.substr(i));
}

}  // namespace bubblix
