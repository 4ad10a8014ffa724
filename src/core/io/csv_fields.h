#pragma once
// The fields of a line of a CSV file (comma-separated values).

#include <array>
#include <cstddef>
#include <string_view>

namespace bubblix {

// Fields kept of one line: enough to tell a line with too many; the rest are only counted.
inline constexpr std::size_t kMaxCsvFields = 8;

struct CsvFields {
  std::array<std::string_view, kMaxCsvFields> Field;  // the first min(Count, kMaxCsvFields)
  std::size_t Count = 0;
};

// The fields of a CSV line, each without the spaces and tabs around it. A field written in
// double quotes is its inner text; a quote inside it is written twice and kept so (no name or
// number holds one); text after the closing quote keeps the field as written, which then
// reads as nothing valid. The views point into `line`.
CsvFields splitCsvFields(std::string_view line);

// The text without leading and trailing spaces and tabs.
std::string_view trimSpacesAndTabs(std::string_view text);

// Equal when ASCII letters are compared without their case.
bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b);

}  // namespace bubblix
