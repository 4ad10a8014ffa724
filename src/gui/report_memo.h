#pragma once
// mmVLE: the report memo of the main window. It holds the report as lines of text that the
// sessions append to and that the user may edit; a line is one paragraph of the editor.
//
// The program's own changes (the lines of the sessions, Open) are not undoable edits: each
// clears the undo history, so Ctrl+Z takes back only what the user typed since the program
// last wrote. Every change, the program's or the user's, marks the report as holding
// unsaved changes until markSaved().
//
// Line counting follows a list of lines each ending in a line break: an empty memo has no
// lines, and the empty place after the last line break is not a line. A last line the user
// typed without a line break is a line.

#include <QPlainTextEdit>
#include <string>
#include <vector>

#include "core/report/report_document.h"

namespace bubblix::gui {

class ReportMemo : public QPlainTextEdit, public ReportDocument {
  Q_OBJECT

 public:
  explicit ReportMemo(QWidget* parent = nullptr);

  int lineCount() const override;
  std::string line(int index) const override;
  void insertLine(int index, const std::string& text) override;
  void deleteLine(int index) override;
  void setLines(const std::vector<std::string>& lines) override;
  std::vector<std::string> lines() const override;

  // Whether the report holds something not yet saved in (or read from) a file.
  bool hasUnsavedChanges() const;
  // The report is now the content of a file: written by Save or read by Open.
  void markSaved();

  // The memo's default font: fixed pitch (the report's columns line up) with Cyrillic.
  static QFont defaultFont();

 private:
  // Runs one change of the program's own outside the undo history.
  template <typename Change>
  void programChange(Change&& change);
};

}  // namespace bubblix::gui
