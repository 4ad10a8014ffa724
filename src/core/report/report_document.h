#pragma once
// The report: a list of text lines that the sessions append to and that the user may edit,
// save, open and print. The command-line tool keeps it in a LineListReport; the desktop
// program implements it over its memo widget.

#include <string>
#include <string_view>
#include <vector>

namespace bubblix {

class ReportDocument {
 public:
  virtual ~ReportDocument() = default;

  virtual int lineCount() const = 0;
  virtual std::string line(int index) const = 0;
  // Inserts one line before `index` (index == lineCount() appends).
  virtual void insertLine(int index, const std::string& text) = 0;
  virtual void deleteLine(int index) = 0;

  // Replaces the whole content.
  virtual void setLines(const std::vector<std::string>& lines) = 0;
  virtual std::vector<std::string> lines() const;

  // Appends a text at the end. Each CR LF inside it starts a new line, so "text\r\n" leaves
  // an empty line after "text".
  void append(std::string_view text);
};

class LineListReport : public ReportDocument {
 public:
  int lineCount() const override { return static_cast<int>(lines_.size()); }
  std::string line(int index) const override { return lines_.at(static_cast<size_t>(index)); }
  void insertLine(int index, const std::string& text) override;
  void deleteLine(int index) override;
  void setLines(const std::vector<std::string>& lines) override { lines_ = lines; }
  std::vector<std::string> lines() const override { return lines_; }

 private:
  std::vector<std::string> lines_;
};

}  // namespace bubblix
