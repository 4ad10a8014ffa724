#pragma once
// Reading numbers from text, whatever locale the process set: a typed number with the
// separator of the interface (the grid's cells, command-line options) and a number of a data
// file with a full stop.

#include <optional>
#include <string_view>

#include "core/base/real.h"

namespace bubblix {

// The text without leading and trailing blanks (bytes up to and including the space, which
// covers tabs and line breaks).
std::string_view trimBlanks(std::string_view text);

// Reads a cell's text as a real number: after trimming blanks, an optional sign, digits with
// at most one decimal separator (at least one digit in all), and an optional exponent part
// (e or E, optional sign, digits). `decimalSeparator` is the separator of the numbers typed
// (the system locale's in the desktop program, "." in bubblix-cli); it may be several bytes.
// Nothing else is a number: no empty text, lone sign, letters, "nan", "inf", hexadecimal
// form, thousands separator or trailing characters. A value beyond the range of Real is
// refused; a value too small for it reads as the nearest Real (possibly 0). The result does
// not depend on the process's C locale.
std::optional<Real> parseGridNumber(std::string_view text, std::string_view decimalSeparator);

// Whether typing on can still make a number of the text: it is empty or blank, a number, or
// the start of one - a sign, digits, the decimal separator (or the first bytes of a separator
// of several), an exponent mark after digits and the exponent's sign - with blanks before it.
// Blanks after it end it, so they may follow only a whole number. By the syntax alone: a
// value out of range is refused by OK, not here.
bool isGridNumberBeginning(std::string_view text, std::string_view decimalSeparator);

// A number of a data file: the whole text is an optional sign, digits with at most one full
// stop (at least one digit in all) and an optional exponent (e or E, optional sign, digits);
// nothing else (no blanks, "nan", "inf", hexadecimal or thousands separators). A value beyond
// the range of Real is refused.
std::optional<Real> parseDecimalNumber(std::string_view text);

}  // namespace bubblix
