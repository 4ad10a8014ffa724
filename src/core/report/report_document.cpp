#include "core/report/report_document.h"

#include <stdexcept>

namespace bubblix {

std::vector<std::string> ReportDocument::lines() const {
  std::vector<std::string> out;
  const int count = lineCount();
  out.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) out.push_back(line(i));
  return out;
}

void ReportDocument::append(std::string_view text) {
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string_view::npos) {
      insertLine(lineCount(), std::string(text.substr(start)));
      return;
    }
    insertLine(lineCount(), std::string(text.substr(start, end - start)));
    start = end + 2;
  }
}

void LineListReport::insertLine(int index, const std::string& text) {
  if (index < 0 || index > lineCount()) throw std::out_of_range("report line index");
  lines_.insert(lines_.begin() + index, text);
}

void LineListReport::deleteLine(int index) {
  if (index < 0 || index >= lineCount()) throw std::out_of_range("report line index");
  lines_.erase(lines_.begin() + index);
}

}  // namespace bubblix
