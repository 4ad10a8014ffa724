#pragma once
// Number formats of the report and of the messages: every number the program writes as text
// (but the 17-digit format of batch output, seventeen_digits.h) is written here.
//
// formatReport() fills a printf-style pattern: %f (a real), %d (an integer), %s (a text) and
// %%. A conversion is %[-][width][.precision]type:
//   - width is a minimum, counted in characters (UTF-8 code points, so a Russian text pads
//     like an English one); a longer value is never cut;
//   - '-' aligns left within the width;
//   - precision: digits after the decimal separator for %f (2 when left out), the minimum
//     number of digits for %d (leading zeros), the maximum number of characters for %s.
// %f rounds correctly to the nearest (glibc's conversion of the full 80-bit value; an exact
// tie goes to the even digit) and never shows a minus sign on a result that rounds to zero
// ("-0.00" would read as a real negative value in a table).
//
// formatGeneral() writes a real with a given number of significant digits in the "general"
// form of the old run-time library:
//   1. The value is written as 0.d1d2...d18 x 10^e with 18 correctly rounded significant
//      digits, then rounded half up (away from zero) to `precision` digits; a carry may add a
//      digit (999999.5 at 6 digits becomes 0.1 x 10^7). Trailing zeros are dropped.
//   2. Fixed notation when -3 <= e <= precision: 0.0001, 123456, 12.5.
//      Scientific notation otherwise (e > precision or e < -3): the mantissa d1[.d2...]
//      without trailing zeros, 'E', a minus sign only for a negative exponent and no leading
//      zeros in the exponent: 1.5E-7, 1E20, 1.23457E6.
//   3. Zero (of either sign) is "0"; a negative value gets a leading '-'.
// Non-finite values, which a calculation must never report, are written visibly as "NAN",
// "INF" and "-INF" rather than being hidden.
//
// Every function takes the decimal separator to write ('.' for bubblix-cli, the system
// locale's separator in the desktop program) and never depends on the process's C locale.

#include <concepts>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "core/base/real.h"

namespace bubblix {

// One argument of formatReport(). Reals must be long double: a double argument would have
// passed through 53 bits, so it is refused at compile time (write 1.5L).
class FormatArg {
 public:
  enum class Kind { Real, Integer, Text };

  FormatArg(Real value) : kind_(Kind::Real), real_(value) {}
  template <std::integral T>
  requires(!std::same_as<T, bool> && !std::same_as<T, char>) FormatArg(T value)
      : kind_(Kind::Integer), integer_(static_cast<long long>(value)) {}
  FormatArg(std::string_view text) : kind_(Kind::Text), text_(text) {}
  FormatArg(const char* text) : kind_(Kind::Text), text_(text) {}
  FormatArg(const std::string& text) : kind_(Kind::Text), text_(text) {}
  FormatArg(double) = delete;
  FormatArg(float) = delete;
  FormatArg(bool) = delete;  // would silently become the real 1.0
  FormatArg(char) = delete;  // a character is written as a one-letter text: std::string(1, c)

  Kind kind() const { return kind_; }
  Real real() const { return real_; }
  long long integer() const { return integer_; }
  std::string_view text() const { return text_; }

 private:
  Kind kind_;
  Real real_ = 0.0L;
  long long integer_ = 0;
  std::string_view text_;
};

// Fills the pattern. A malformed pattern, a missing argument, an argument of the wrong kind
// or left over arguments throw DataError naming the pattern (a programming error).
std::string formatReport(std::string_view pattern, std::span<const FormatArg> args,
                         std::string_view decimalSeparator = ".");
std::string formatReport(std::string_view pattern, std::initializer_list<FormatArg> args,
                         std::string_view decimalSeparator = ".");

// The general format with `precision` significant digits (1..18; 6 and 10 are the ones the
// reports use). Rule in the comment at the top of this header.
std::string formatGeneral(Real value, int precision, std::string_view decimalSeparator = ".");

// The fixed format with `decimals` digits after the separator: formatReport's %.{decimals}f.
std::string formatFixed(Real value, int decimals, std::string_view decimalSeparator = ".");

// printf's %.{digits}Lg as the C locale writes it, with `decimalSeparator` for its point: the
// numbers of the calculation's own messages (a value refused, the last iterate of a solver),
// which read like the report's numbers whatever locale the process set; "nan" and "inf" as
// printf writes them. The exact 17-digit format of batch output is seventeen_digits.h's.
std::string formatSignificant(Real value, int digits, std::string_view decimalSeparator = ".");

// Number of characters (UTF-8 code points; a byte that starts no valid sequence counts as
// one) of a text, the unit of the widths above.
std::size_t characterCount(std::string_view text);

}  // namespace bubblix
