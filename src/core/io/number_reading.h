#pragma once
// Reading numbers from text, whatever locale the process set: one reader (parseReal) for a
// typed number with the separator of the interface (the grid's cells, command-line options)
// and for a number of a data file with a full stop. The fields of a CSV line are
// csv_fields.h's.

#include <optional>
#include <string_view>

#include "core/base/real.h"

namespace bubblix {

// The text without leading and trailing blanks (bytes up to and including the space, which
// covers tabs and line breaks).
std::string_view trimBlanks(std::string_view text);

// The one reader of a real number in text: the whole text is an optional sign, digits with at
// most one decimal separator (at least one digit in all) and an optional exponent part (e or
// E, optional sign, digits). `decimalSeparator` may be several bytes (none reads nothing).
// Nothing else is a
// number: no empty text, blanks, lone sign, letters, "nan", "inf", hexadecimal form,
// thousands separator or trailing characters. A value beyond the range of Real is refused; a
// value too small for it reads as the nearest Real (possibly 0). The result does not depend on
// the process's C locale, and reading allocates nothing for a text shorter than 128 bytes.
std::optional<Real> parseReal(std::string_view text, std::string_view decimalSeparator);

// A typed number: parseReal of the text without its blanks. `decimalSeparator` is the
// separator of the numbers typed: the system locale's in the desktop program's grids, "." on
// the command lines of bubblix-cli and bubblix-diagram.
std::optional<Real> parseGridNumber(std::string_view text, std::string_view decimalSeparator);

// Whether typing on can still make a number of the text: it is empty or blank, a number, or
// the start of one - a sign, digits, the decimal separator (or the first bytes of a separator
// of several), an exponent mark after digits and the exponent's sign - with blanks before it.
// Blanks after it end it, so they may follow only a whole number. By the syntax alone: a
// value out of range is refused by OK, not here.
bool isGridNumberBeginning(std::string_view text, std::string_view decimalSeparator);

// A number of a data file (a CSV field): parseReal with a full stop.
std::optional<Real> parseDecimalNumber(std::string_view text);

}  // namespace bubblix
