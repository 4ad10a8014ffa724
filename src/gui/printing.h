#pragma once
// Printing of the report: PrintMemo lays the report's lines out on pages and draws the pages
// the print dialog chose, and TfmPrint holds the printer and the print dialog for the whole
// run.

#include <QFont>
#include <QObject>
#include <QPrinter>
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "core/texts/text.h"

class QFontMetrics;
class QPrintDialog;
class QWidget;

namespace bubblix::gui {

// A continuation row of a line wider than the page starts with this prefix: four blanks and
// a right-pointing double angle quotation mark, then a blank. The mark never begins a row of
// its own line, so a reader (or a program reading the printout back) joins every row that
// starts with it to the row before.
inline constexpr char16_t kContinuationMark = u'\u00BB';
QString continuationPrefix();

// One printed row: a whole report line, or one piece of a line wider than the page.
struct PrintRow {
  QString text;               // as drawn, with the continuation prefix when it is one
  bool continuation = false;  // a piece after the first of its line
};

// Splits a line into rows no wider than `width` device units in the font of `metrics`. A row
// ends after the last run of blanks that fits (the blanks stay invisible at its end, the next
// row starts with the next printable character); a row without such a run is cut at the last
// character that fits, and a row always holds at least one character. Continuation rows
// carry continuationPrefix() and are measured with it. No printable character is dropped:
// joining the rows (without their prefixes) gives the line less the blanks at the breaks.
std::vector<PrintRow> wrapLine(const QString& line, const QFontMetrics& metrics, int width);

// The rows of each page of the report, page 1 first.
using PrintPages = std::vector<std::vector<PrintRow>>;

// The pages of the report on a page `pageWidth` x `pageHeight` device units with rows of
// height h, by the rule of PrintMemo below.
PrintPages layoutPages(const std::vector<std::string>& lines, const QFontMetrics& metrics,
                       int pageWidth, int pageHeight);

// Prints the lines in the font, in the printer's device units with integer arithmetic. h is
// the height of the text "1" in the font. The first row's top is at page width / 15; after
// every row (the last one included) a new page is started when less than 2 h remains below
// it; the new page gets the label "- n -" centred at the top (y = h), a rule from (x0, 3h/2)
// to (page width - x0, 9h/4), and its first row at y = 3h. The left margin x0 is page width /
// 15, the same distance as the top of the first page; rows are at most page width - 2 x0
// wide, a longer line wraps as wrapLine() says.
//
// The print dialog's choices are honoured: the page range (pages keep their own numbers and
// labels), the number of copies (collated: the whole range again; not collated: each page
// repeated) when the printer does not make the copies itself, and the page order.
//
// An empty report prints nothing and starts no job. Shows the busy cursor while it works.
// Returns the number of sheets drawn (pages times copies made here); throws bubblix::Error
// when the printer refuses the job or the range holds no page of the report (then no job is
// started).
int PrintMemo(const std::vector<std::string>& lines, const QFont& font, QPrinter& printer);

// The left margin of the printout, in the printer's device units.
int printLeftMargin(int pageWidth);

// The holder of the printer and of PrintDialog1 (one copy, from page 1).
class TfmPrint : public QObject {
  Q_OBJECT

 public:
  explicit TfmPrint(QObject* parent = nullptr);
  ~TfmPrint() override;

  QPrinter& printer() { return printer_; }
  // Shows the print dialog modally over the parent; the result is not used.
  void showPrintDialog(QWidget* parent);

 private:
  QPrinter printer_;
};

}  // namespace bubblix::gui
