#include "core/io/csv_fields.h"

namespace bubblix {

namespace {

bool isBlank(char c) {
  return c == ' ' || c == '\t';
}

}  // namespace

std::string_view trimSpacesAndTabs(std::string_view text) {
  while (!text.empty() && isBlank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back()))
    text.remove_suffix(1);
  return text;
}

CsvFields splitCsvFields(std::string_view line) {
  CsvFields fields;
  std::size_t i = 0;
  while (true) {
    const std::size_t start = i;
    while (i < line.size() && isBlank(line[i]))
      ++i;
    std::string_view field;
    if (i < line.size() && line[i] == '"') {
      const std::size_t open = i++;
      while (i < line.size()) {
        if (line[i] == '"' && i + 1 < line.size() && line[i + 1] == '"') {
          i += 2;
        } else if (line[i] == '"') {
          break;
        } else {
          ++i;
        }
      }
      const std::size_t close = i;
      if (i < line.size()) ++i;  // the closing quote
      const std::size_t after = i;
      while (i < line.size() && line[i] != ',')
        ++i;
      if (close < line.size() && trimSpacesAndTabs(line.substr(after, i - after)).empty()) {
        field = line.substr(open + 1, close - open - 1);
      } else {
        field = trimSpacesAndTabs(line.substr(start, i - start));
      }
    } else {
      while (i < line.size() && line[i] != ',')
        ++i;
      field = trimSpacesAndTabs(line.substr(start, i - start));
    }
    if (fields.Count < kMaxCsvFields) fields.Field[fields.Count] = field;
    ++fields.Count;
    if (i >= line.size()) return fields;
    ++i;  // the comma
  }
}

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t k = 0; k < a.size(); ++k) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[k]) != lower(b[k])) return false;
  }
  return true;
}

}  // namespace bubblix
