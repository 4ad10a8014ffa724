#include "core/io/number_reading.h"

#include <stdlib.h>

#include <array>
#include <charconv>
#include <cmath>
#include <string>

#include "core/io/c_locale.h"

namespace bubblix {

namespace {

bool isBlank(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}
bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// The canonical form of a number (sign, digits, '.', digits, 'e', sign, digits), built on the
// stack for the lengths numbers have, so that reading one allocates nothing (batch mode reads
// every field of every line).
class Canonical {
 public:
  explicit Canonical(std::size_t length) : onStack_(length < stack_.size()) {
    if (!onStack_) heap_.reserve(length);
  }
  void add(char c) {
    if (onStack_) {
      stack_[size_++] = c;
    } else {
      heap_ += c;
    }
  }
  // Converts the form with the "C" locale's conventions, whatever locale the process set.
  std::optional<Real> value() {
    if (onStack_) stack_[size_] = '\0';
    const char* begin = onStack_ ? stack_.data() : heap_.c_str();
    const std::size_t size = onStack_ ? size_ : heap_.size();
    const locale_t locale = cLocale();
    Real value = 0;
    if (locale != static_cast<locale_t>(nullptr)) {
      char* end = nullptr;
      value = strtold_l(begin, &end, locale);
      if (end != begin + size) return std::nullopt;
    } else {
      // Without a locale object from_chars still reads the form; it refuses underflow as well.
      const auto result = std::from_chars(begin, begin + size, value);
      if (result.ec != std::errc() || result.ptr != begin + size) return std::nullopt;
    }
    if (!std::isfinite(value)) return std::nullopt;
    return value;
  }

 private:
  bool onStack_;
  std::array<char, 128> stack_;  // the form and its terminator
  std::size_t size_ = 0;
  std::string heap_;
};

void appendDigits(std::string_view text, std::size_t& i, Canonical& out, int& count) {
  while (i < text.size() && isDigit(text[i])) {
    out.add(text[i++]);
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

std::optional<Real> parseReal(std::string_view text, std::string_view decimalSeparator) {
  if (text.empty() || decimalSeparator.empty()) return std::nullopt;

  // The canonical form is never longer than the text and its separator, one byte or more.
  Canonical canonical(text.size());
  std::size_t i = 0;
  if (text[i] == '+' || text[i] == '-') canonical.add(text[i++]);
  int mantissaDigits = 0;
  appendDigits(text, i, canonical, mantissaDigits);
  if (text.substr(i).starts_with(decimalSeparator)) {
    canonical.add('.');
    i += decimalSeparator.size();
    appendDigits(text, i, canonical, mantissaDigits);
  }
  if (mantissaDigits == 0) return std::nullopt;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    canonical.add('e');
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) canonical.add(text[i++]);
    int exponentDigits = 0;
    appendDigits(text, i, canonical, exponentDigits);
    if (exponentDigits == 0) return std::nullopt;
  }
  if (i != text.size()) return std::nullopt;
  return canonical.value();
}

std::optional<Real> parseGridNumber(std::string_view text, std::string_view decimalSeparator) {
  return parseReal(trimBlanks(text), decimalSeparator);
}

std::optional<Real> parseDecimalNumber(std::string_view text) {
  return parseReal(text, ".");
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
