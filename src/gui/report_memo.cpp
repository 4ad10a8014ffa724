#include "gui/report_memo.h"

#include <QFontDatabase>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <stdexcept>

#include "gui/qt_text.h"

namespace bubblix::gui {
namespace {

// A report line is one paragraph: a line break inside it would shift every later index.
QString asOneLine(const std::string& text) {
  QString line = toQString(text);
  for (QChar& c : line) {
    if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar::ParagraphSeparator ||
        c == QChar::LineSeparator) {
      c = QLatin1Char(' ');
    }
  }
  return line;
}

}  // namespace

template <typename Change>
void ReportMemo::programChange(Change&& change) {
  QTextDocument* doc = document();
  // Switching the history off clears it: the user's earlier edits cannot be undone past the
  // program's change, which keeps the positions of the history consistent.
  doc->setUndoRedoEnabled(false);
  change();
  doc->setUndoRedoEnabled(true);
  doc->setModified(true);
}

bool ReportMemo::hasUnsavedChanges() const {
  return document()->isModified() && !document()->isEmpty();
}

void ReportMemo::markSaved() {
  document()->setModified(false);
}

ReportMemo::ReportMemo(QWidget* parent) : QPlainTextEdit(parent) {
  setObjectName(QStringLiteral("mmVLE"));
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setFont(defaultFont());
}

QFont ReportMemo::defaultFont() {
  QFont font(QStringLiteral("DejaVu Sans Mono"));
  font.setStyleHint(QFont::Monospace);
  font.setFixedPitch(true);
  font.setPointSize(10);
  return font;
}

int ReportMemo::lineCount() const {
  const QTextDocument* doc = document();
  int count = doc->blockCount();
  if (doc->lastBlock().text().isEmpty()) --count;
  return count;
}

std::string ReportMemo::line(int index) const {
  if (index < 0 || index >= lineCount()) throw std::out_of_range("report line index");
  return toStdString(document()->findBlockByNumber(index).text());
}

void ReportMemo::insertLine(int index, const std::string& text) {
  const int count = lineCount();
  if (index < 0 || index > count) throw std::out_of_range("report line index");
  const QString line = asOneLine(text);
  QTextCursor cursor(document());
  if (index < count) {
    programChange([&] {
      cursor.setPosition(document()->findBlockByNumber(index).position());
      cursor.insertText(line + QLatin1Char('\n'));
    });
    return;
  }
  programChange([&] {
    cursor.movePosition(QTextCursor::End);
    const bool lastLineOpen = !document()->lastBlock().text().isEmpty();
    cursor.insertText(lastLineOpen ? QLatin1Char('\n') + line + QLatin1Char('\n')
                                   : line + QLatin1Char('\n'));
  });
  // Appended results come into view, as on a terminal.
  setTextCursor(cursor);
  ensureCursorVisible();
  horizontalScrollBar()->setValue(0);
}

void ReportMemo::deleteLine(int index) {
  if (index < 0 || index >= lineCount()) throw std::out_of_range("report line index");
  const QTextBlock block = document()->findBlockByNumber(index);
  QTextCursor cursor(document());
  const QTextBlock next = block.next();
  if (next.isValid()) {
    cursor.setPosition(block.position());
    cursor.setPosition(next.position(), QTextCursor::KeepAnchor);
  } else {
    // The last line has no line break of its own: take the one before it.
    cursor.setPosition(block.position() + block.length() - 1);
    cursor.setPosition(index > 0 ? block.position() - 1 : block.position(),
                       QTextCursor::KeepAnchor);
  }
  programChange([&] { cursor.removeSelectedText(); });
}

void ReportMemo::setLines(const std::vector<std::string>& lines) {
  QString text;
  for (const std::string& line : lines) {
    text += asOneLine(line);
    text += QLatin1Char('\n');
  }
  programChange([&] { setPlainText(text); });
}

std::vector<std::string> ReportMemo::lines() const {
  std::vector<std::string> out;
  const int count = lineCount();
  out.reserve(static_cast<size_t>(count));
  QTextBlock block = document()->firstBlock();
  for (int i = 0; i < count; ++i, block = block.next())
    out.push_back(toStdString(block.text()));
  return out;
}

}  // namespace bubblix::gui
