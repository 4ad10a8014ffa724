#include "gui/printing.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPrintDialog>
#include <algorithm>

#include "core/base/errors.h"
#include "core/texts/gui_texts.h"
#include "gui/qt_text.h"

namespace bubblix::gui {
namespace {

struct BusyCursor {
  BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyCursor() { QApplication::restoreOverrideCursor(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

std::string printerName(const QPrinter& printer) {
  if (printer.outputFormat() == QPrinter::PdfFormat) return toStdString(printer.outputFileName());
  return toStdString(printer.printerName());
}

[[noreturn]] void refused(const QPrinter& printer) {
  const std::string name = printerName(printer);
  if (name.empty()) throw Error(texts::kNoPrintTarget);
  throw Error(texts::kPrintFailed, {name});
}

bool isBlank(QChar c) {
  return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

QString rightTrimmed(const QString& s) {
  qsizetype end = s.size();
  while (end > 0 && isBlank(s[end - 1]))
    --end;
  return s.left(end);
}

// The longest start of `text` (at least one character) no wider than `width`.
qsizetype fittingLength(const QString& text, const QFontMetrics& metrics, int width) {
  qsizetype low = 1;  // always fits, by the rule that a row holds a character
  qsizetype high = text.size();
  while (low < high) {
    const qsizetype mid = (low + high + 1) / 2;
    if (metrics.horizontalAdvance(text.left(mid)) <= width) {
      low = mid;
    } else {
      high = mid - 1;
    }
  }
  return low;
}

// Where to end a row of `text` that must not be longer than `fit` characters: after the last
// run of blanks that starts within it and follows a printable character, else at `fit`.
qsizetype breakAt(const QString& text, qsizetype fit) {
  for (qsizetype i = fit; i > 0; --i) {
    if (i < text.size() && isBlank(text[i]) && !isBlank(text[i - 1])) {
      qsizetype next = i;
      while (next < text.size() && isBlank(text[next]))
        ++next;
      return next;
    }
  }
  return fit;
}

// The pages printed, in order, by the dialog's range, copies and page order.
std::vector<int> sheetsToPrint(const QPrinter& printer, int pageCount) {
  int first = 1;
  int last = pageCount;
  if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
    first = printer.fromPage();
    last = std::min(pageCount, printer.toPage() > 0 ? printer.toPage() : pageCount);
  }
  std::vector<int> range;
  for (int page = first; page <= last; ++page)
    range.push_back(page);
  if (printer.pageOrder() == QPrinter::LastPageFirst) std::reverse(range.begin(), range.end());

  // A printer that makes the copies itself gets the range once.
  const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
  std::vector<int> sheets;
  if (printer.collateCopies()) {
    for (int copy = 0; copy < copies; ++copy)
      sheets.insert(sheets.end(), range.begin(), range.end());
  } else {
    for (int page : range)
      sheets.insert(sheets.end(), static_cast<std::size_t>(copies), page);
  }
  return sheets;
}

}  // namespace

QString continuationPrefix() {
  return QStringLiteral("    ") + QChar(kContinuationMark) + QLatin1Char(' ');
}

std::vector<PrintRow> wrapLine(const QString& line, const QFontMetrics& metrics, int width) {
  std::vector<PrintRow> rows;
  QString rest = line;
  const QString prefix = continuationPrefix();
  const int prefixWidth = metrics.horizontalAdvance(prefix);
  while (true) {
    const bool continuation = !rows.empty();
    const int room = continuation ? width - prefixWidth : width;
    // Blanks past the right edge are not drawn; they need no row of their own.
    if (metrics.horizontalAdvance(rightTrimmed(rest)) <= room) {
      rows.push_back({continuation ? prefix + rest : rest, continuation});
      return rows;
    }
    const qsizetype end = breakAt(rest, fittingLength(rest, metrics, room));
    rows.push_back({continuation ? prefix + rest.left(end) : rest.left(end), continuation});
    rest = rest.mid(end);
  }
}

PrintPages layoutPages(const std::vector<std::string>& lines, const QFontMetrics& metrics,
                       int pageWidth, int pageHeight) {
  PrintPages pages;
  if (lines.empty()) return pages;
  // The height of the text "1" is the font's line height: every text of the font has it.
  const int h = metrics.height();
  const int x0 = printLeftMargin(pageWidth);
  const int width = pageWidth - 2 * x0;
  pages.emplace_back();
  int y = pageWidth / 15;
  for (const std::string& line : lines) {
    for (PrintRow& row : wrapLine(toQString(line), metrics, width)) {
      pages.back().push_back(std::move(row));
      y += h;
      if (pageHeight - y < 2 * h) {
        pages.emplace_back();
        y = 3 * h;
      }
    }
  }
  return pages;
}

int printLeftMargin(int pageWidth) {
  return pageWidth / 15;
}

int PrintMemo(const std::vector<std::string>& lines, const QFont& font, QPrinter& printer) {
  if (lines.empty()) return 0;
  BusyCursor busy;
  const QFontMetrics metrics(font, &printer);
  const int h = metrics.height();
  const int ascent = metrics.ascent();
  const int pageWidth = printer.width();
  const int pageHeight = printer.height();
  const int x0 = printLeftMargin(pageWidth);
  const PrintPages pages = layoutPages(lines, metrics, pageWidth, pageHeight);
  const int pageCount = static_cast<int>(pages.size());
  const std::vector<int> sheets = sheetsToPrint(printer, pageCount);
  if (sheets.empty()) {
    throw Error(texts::kPrintRangeEmpty,
                {std::to_string(printer.fromPage()), std::to_string(printer.toPage()),
                 std::to_string(pageCount)});
  }

  QPainter canvas;
  if (!canvas.begin(&printer)) refused(printer);
  canvas.setFont(font);
  for (std::size_t sheet = 0; sheet < sheets.size(); ++sheet) {
    if (sheet > 0 && !printer.newPage()) {
      canvas.end();
      refused(printer);
    }
    const int page = sheets[sheet];
    int y = pageWidth / 15;
    if (page > 1) {
      const QString label = QStringLiteral("- ") + QString::number(page) + QStringLiteral(" -");
      canvas.drawText((pageWidth - metrics.horizontalAdvance(label)) / 2, h + ascent, label);
      canvas.drawLine(x0, 3 * h / 2, pageWidth - x0, 9 * h / 4);
      y = 3 * h;
    }
    for (const PrintRow& row : pages[static_cast<std::size_t>(page - 1)]) {
      canvas.drawText(x0, y + ascent, row.text);
      y += h;
    }
  }
  if (!canvas.end()) refused(printer);
  return static_cast<int>(sheets.size());
}

TfmPrint::TfmPrint(QObject* parent) : QObject(parent), printer_(QPrinter::HighResolution) {
  setObjectName(QStringLiteral("fmPrint"));
  printer_.setCopyCount(1);
  printer_.setFromTo(0, 0);
  printer_.setPrintRange(QPrinter::AllPages);
}

TfmPrint::~TfmPrint() = default;

void TfmPrint::showPrintDialog(QWidget* parent) {
  QPrintDialog PrintDialog1(&printer_, parent);
  PrintDialog1.setObjectName(QStringLiteral("PrintDialog1"));
  // The report has no selection to print and no current page; the range and the copies are
  // honoured.
  PrintDialog1.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
                          QAbstractPrintDialog::PrintCollateCopies |
                          QAbstractPrintDialog::PrintShowPageSize);
  PrintDialog1.exec();
}

}  // namespace bubblix::gui
