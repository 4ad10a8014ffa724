#include "gui/printing.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPrintDialog>

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

}  // namespace

int printLeftMargin(int pageWidth) {
  return pageWidth / 15;
}

int PrintMemo(const std::vector<std::string>& lines, const QFont& font, QPrinter& printer) {
  if (lines.empty()) return 0;
  BusyCursor busy;
  QPainter canvas;
  if (!canvas.begin(&printer)) refused(printer);
  canvas.setFont(font);
  const QFontMetrics metrics(canvas.font(), &printer);
  // The height of the text "1" is the font's line height: every text of the font has it.
  const int h = metrics.height();
  const int ascent = metrics.ascent();
  const int pageWidth = printer.width();
  const int pageHeight = printer.height();
  const int x0 = printLeftMargin(pageWidth);

  int pages = 1;
  int y = pageWidth / 15;
  for (const std::string& line : lines) {
    canvas.drawText(x0, y + ascent, toQString(line));
    y += h;
    if (pageHeight - y < 2 * h) {
      if (!printer.newPage()) {
        canvas.end();
        refused(printer);
      }
      ++pages;
      const QString label = QStringLiteral("- ") + QString::number(pages) + QStringLiteral(" -");
      canvas.drawText((pageWidth - metrics.horizontalAdvance(label)) / 2, h + ascent, label);
      canvas.drawLine(x0, 3 * h / 2, pageWidth - x0, 9 * h / 4);
      y = 3 * h;
    }
  }
  if (!canvas.end()) refused(printer);
  return pages;
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
  PrintDialog1.exec();
}

}  // namespace bubblix::gui
