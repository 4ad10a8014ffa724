#include "core/io/number_format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/base/errors.h"
#include "core/io/c_locale.h"
#include "core/io/utf8.h"
#include "core/texts/report_texts.h"

namespace bubblix {
namespace {

// Widths and precisions come from the program's own patterns; this bound only keeps a typo
// from allocating gigabytes.
constexpr int kMaxWidth = 4096;

[[noreturn]] void badFormat(std::string_view pattern, std::string detail) {
  throw DataError(kBadReportFormat, {std::string(pattern), std::move(detail)});
}

// Runs snprintf with the "C" locale of this thread only, so that a comma locale set by the
// desktop program (or anyone else) never changes the decimal point.
class CLocaleScope {
 public:
  CLocaleScope() : previous_(uselocale(cLocale())) {}
  ~CLocaleScope() { uselocale(previous_); }
  CLocaleScope(const CLocaleScope&) = delete;
  CLocaleScope& operator=(const CLocaleScope&) = delete;

 private:
  locale_t previous_;
};

template <typename... A>
std::string printfC(const char* format, A... args) {
  const CLocaleScope scope;
  char small[128];
  const int size = std::snprintf(small, sizeof small, format, args...);
  if (size < 0) return {};
  if (static_cast<std::size_t>(size) < sizeof small)
    return std::string(small, static_cast<std::size_t>(size));
  // Only huge values in fixed notation (up to about 4950 digits) come here.
  std::vector<char> large(static_cast<std::size_t>(size) + 1);
  std::snprintf(large.data(), large.size(), format, args...);
  return std::string(large.data(), static_cast<std::size_t>(size));
}

void replaceDecimalPoint(std::string& number, std::string_view separator) {
  if (separator == ".") return;
  const std::size_t point = number.find('.');
  if (point != std::string::npos) number.replace(point, 1, separator);
}

std::string nonFinite(Real value) {
  if (std::isnan(value)) return "NAN";
  return value < 0 ? "-INF" : "INF";
}

std::string fixed(Real value, int precision, std::string_view separator) {
  if (!std::isfinite(value)) return nonFinite(value);
  std::string out = printfC("%.*Lf", precision, value);
  if (out.front() == '-' && out.find_first_not_of("0.", 1) == std::string::npos) out.erase(0, 1);
  replaceDecimalPoint(out, separator);
  return out;
}

std::string integer(long long value, int minDigits) {
  std::string digits = std::to_string(value);
  const bool negative = digits.front() == '-';
  if (negative) digits.erase(0, 1);
  if (static_cast<int>(digits.size()) < minDigits)
    digits.insert(0, static_cast<std::size_t>(minDigits) - digits.size(), '0');
  return negative ? "-" + digits : digits;
}

// The first `count` characters of a text (whole UTF-8 sequences).
std::string_view firstCharacters(std::string_view text, std::size_t count) {
  std::size_t pos = 0;
  for (std::size_t n = 0; n < count && pos < text.size(); ++n) {
    const std::size_t length = utf8SequenceLength(text, pos);
    pos += length == 0 ? 1 : length;
  }
  return text.substr(0, pos);
}

void appendPadded(std::string& out, std::string_view value, int width, bool left) {
  const std::size_t chars = characterCount(value);
  const std::size_t pad = width > 0 && chars < static_cast<std::size_t>(width) ? width - chars : 0;
  if (!left) out.append(pad, ' ');
  out += value;
  if (left) out.append(pad, ' ');
}

int readNumber(std::string_view pattern, std::size_t& pos) {
  int value = 0;
  while (pos < pattern.size() && pattern[pos] >= '0' && pattern[pos] <= '9') {
    value = value * 10 + (pattern[pos] - '0');
    if (value > kMaxWidth) badFormat(pattern, "width or precision above 4096");
    ++pos;
  }
  return value;
}

const char* kindName(FormatArg::Kind kind) {
  switch (kind) {
    case FormatArg::Kind::Real:
      return "a real";
    case FormatArg::Kind::Integer:
      return "an integer";
    case FormatArg::Kind::Text:
      return "a text";
  }
  return "?";
}

}  // namespace

std::size_t characterCount(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < text.size(); ++count) {
    const std::size_t length = utf8SequenceLength(text, pos);
    pos += length == 0 ? 1 : length;
  }
  return count;
}

std::string formatReport(std::string_view pattern, std::span<const FormatArg> args,
                         std::string_view decimalSeparator) {
  std::string out;
  out.reserve(pattern.size() + 16 * args.size());
  std::size_t next = 0;
  for (std::size_t pos = 0; pos < pattern.size(); ++pos) {
    if (pattern[pos] != '%') {
      out += pattern[pos];
      continue;
    }
    const std::size_t start = pos++;
    if (pos < pattern.size() && pattern[pos] == '%') {
      out += '%';
      continue;
    }
    bool left = false;
    if (pos < pattern.size() && pattern[pos] == '-') {
      left = true;
      ++pos;
    }
    const int width = readNumber(pattern, pos);
    int precision = -1;
    if (pos < pattern.size() && pattern[pos] == '.') {
      ++pos;
      precision = readNumber(pattern, pos);
    }
    if (pos >= pattern.size()) badFormat(pattern, "unfinished conversion at the end");
    const char type = pattern[pos];
    const std::string conversion(pattern.substr(start, pos - start + 1));
    if (type != 'f' && type != 'd' && type != 's')
      badFormat(pattern, "unknown conversion " + conversion);
    if (next >= args.size()) badFormat(pattern, "no argument for " + conversion);
    const FormatArg& arg = args[next++];
    const auto wrongKind = [&] {
      badFormat(pattern, conversion + " does not take " + kindName(arg.kind()) + " (argument " +
                             std::to_string(next) + ")");
    };
    switch (type) {
      case 'f': {
        const int digits = precision < 0 ? 2 : precision;
        if (arg.kind() == FormatArg::Kind::Real) {
          appendPadded(out, fixed(arg.real(), digits, decimalSeparator), width, left);
        } else if (arg.kind() == FormatArg::Kind::Integer) {
          appendPadded(out, fixed(static_cast<Real>(arg.integer()), digits, decimalSeparator),
                       width, left);
        } else {
          wrongKind();
        }
        break;
      }
      case 'd':
        if (arg.kind() != FormatArg::Kind::Integer) wrongKind();
        appendPadded(out, integer(arg.integer(), precision), width, left);
        break;
      case 's': {
        if (arg.kind() != FormatArg::Kind::Text) wrongKind();
        std::string_view text = arg.text();
        if (precision >= 0) text = firstCharacters(text, static_cast<std::size_t>(precision));
        appendPadded(out, text, width, left);
        break;
      }
    }
  }
  if (next != args.size())
    badFormat(pattern, std::to_string(args.size() - next) + " argument(s) left over");
  return out;
}

std::string formatReport(std::string_view pattern, std::initializer_list<FormatArg> args,
                         std::string_view decimalSeparator) {
  return formatReport(pattern, std::span<const FormatArg>(args.begin(), args.size()),
                      decimalSeparator);
}

std::string formatFixed(Real value, int decimals, std::string_view decimalSeparator) {
  return fixed(value, decimals, decimalSeparator);
}

std::string formatSignificant(Real value, int digits, std::string_view decimalSeparator) {
  std::string out = printfC("%.*Lg", digits, value);
  replaceDecimalPoint(out, decimalSeparator);
  return out;
}

std::string formatGeneral(Real value, int precision, std::string_view decimalSeparator) {
  if (!std::isfinite(value)) return nonFinite(value);
  if (value == 0) return "0";
  if (precision < 1) precision = 1;
  if (precision > 18) precision = 18;

  // 18 significant digits, correctly rounded: "d.ddddddddddddddddde[+-]x".
  const std::string scientific = printfC("%.17Le", std::fabs(value));
  std::string digits;
  digits.reserve(19);
  digits += scientific[0];
  digits.append(scientific, 2, 17);
  int exponent = std::atoi(scientific.c_str() + scientific.find('e') + 1) + 1;  // 0.d1d2... form

  // Half up at `precision` digits, carrying into a new leading digit when needed.
  const bool roundUp = precision < 18 && digits[static_cast<std::size_t>(precision)] >= '5';
  digits.resize(static_cast<std::size_t>(precision));
  if (roundUp) {
    int k = precision - 1;
    while (k >= 0 && digits[static_cast<std::size_t>(k)] == '9')
      digits[static_cast<std::size_t>(k--)] = '0';
    if (k >= 0) {
      ++digits[static_cast<std::size_t>(k)];
    } else {
      digits.insert(digits.begin(), '1');
      digits.pop_back();
      ++exponent;
    }
  }
  digits.erase(digits.find_last_not_of('0') + 1);

  std::string out = value < 0 ? "-" : "";
  const int count = static_cast<int>(digits.size());
  if (exponent > precision || exponent < -3) {
    out += digits[0];
    if (count > 1) {
      out += decimalSeparator;
      out.append(digits, 1);
    }
    out += 'E';
    out += std::to_string(exponent - 1);
  } else if (exponent <= 0) {
    out += '0';
    out += decimalSeparator;
    out.append(static_cast<std::size_t>(-exponent), '0');
    out += digits;
  } else if (exponent >= count) {
    out += digits;
    out.append(static_cast<std::size_t>(exponent - count), '0');
  } else {
    out.append(digits, 0, static_cast<std::size_t>(exponent));
    out += decimalSeparator;
    out.append(digits, static_cast<std::size_t>(exponent));
  }
  return out;
}

}  // namespace bubblix
