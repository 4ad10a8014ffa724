#include "gui/report_pdf.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <cstring>

#include "core/base/errors.h"
#include "core/io/report_file.h"
#include "core/texts/gui_texts.h"
#include "gui/printing.h"
#include "gui/qt_text.h"
#include "gui/report_memo.h"

namespace bubblix::gui {

bool asksForPrintPdf(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], kPrintPdfOption) == 0) return true;
  }
  return false;
}

int printReportToPdf(const std::string& reportFile, const std::string& pdfFile) {
  const QFileInfo report(toQString(reportFile));
  const QFileInfo pdf(toQString(pdfFile));
  // Printing over the report would destroy it.
  if (pdf.exists() && report.exists() && pdf.canonicalFilePath() == report.canonicalFilePath())
    throw FileError(texts::kPrintPdfSameFile, {reportFile});
  const std::vector<std::string> lines = openReport(reportFile);
  if (lines.empty()) throw FileError(texts::kPrintPdfEmptyReport, {reportFile});

  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(toQString(pdfFile));
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageOrientation(QPageLayout::Portrait);
  printer.setDocName(report.fileName());
  return PrintMemo(lines, ReportMemo::defaultFont(), printer);
}

int runPrintPdfCommand(const std::vector<std::string>& args, std::ostream& err) {
  const Language lang = Language::English;
  if (args.size() != 3 || args[0] != kPrintPdfOption) {
    err << render(texts::kPrintPdfUsage, lang) << '\n';
    return 2;
  }
  try {
    printReportToPdf(args[1], args[2]);
  } catch (const Error& error) {
    err << error.message(lang) << '\n';
    return 1;
  }
  return 0;
}

}  // namespace bubblix::gui
