// PrintMemo on a PDF printer, read back with poppler's pdfinfo and pdftotext.

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QFontMetrics>
#include <QPrinter>
#include <sstream>

#include "core/base/errors.h"
#include "gui/gui_test_support.h"
#include "gui/printing.h"
#include "gui/report_memo.h"

namespace bubblix::gui {
namespace {

std::vector<std::string> numberedLines(int count) {
  std::vector<std::string> lines;
  for (int i = 1; i <= count; ++i) {
    char text[32];
    std::snprintf(text, sizeof text, "line %03d", i);
    lines.emplace_back(text);
  }
  return lines;
}

struct PdfPrinter {
  explicit PdfPrinter(const QString& path) : printer(QPrinter::HighResolution) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
  }
  // Lines on the first page and on each later one, by the layout rule: the first line's top
  // is at W/15 and a page is full once less than 2h remains below a line; later pages start
  // at 3h. So page 1 holds the smallest n with H - (W/15 + n h) < 2h, a later page the
  // smallest n with H - (3h + n h) < 2h.
  int firstPageLines(const QFont& font) {
    const int h = QFontMetrics(font, &printer).height();
    return (printer.height() - printer.width() / 15 - 2 * h) / h + 1;
  }
  int laterPageLines(const QFont& font) {
    const int h = QFontMetrics(font, &printer).height();
    return (printer.height() - 5 * h) / h + 1;
  }
  QPrinter printer;
};

int pdfPages(const QString& path) {
  const std::string info = test::runProgram(QStringLiteral(BUBBLIX_PDFINFO), {path});
  const std::size_t at = info.find("Pages:");
  if (at == std::string::npos) return -1;
  return std::stoi(info.substr(at + 6));
}

// The non-empty lines of each page, blanks trimmed.
std::vector<std::vector<std::string>> pdfPageLines(const QString& path) {
  const std::string text = test::runProgram(QStringLiteral(BUBBLIX_PDFTOTEXT),
                                            {QStringLiteral("-layout"), path, QStringLiteral("-")});
  std::vector<std::vector<std::string>> pages(1);
  std::string line;
  for (const char c : text) {
    if (c == '\f') {
      pages.emplace_back();
    } else if (c == '\n') {
      const auto first = line.find_first_not_of(' ');
      if (first != std::string::npos) {
        pages.back().push_back(line.substr(first, line.find_last_not_of(' ') - first + 1));
      }
      line.clear();
    } else {
      line += c;
    }
  }
  if (pages.back().empty()) pages.pop_back();
  return pages;
}

TEST(PrintMemo, TwoHundredLinesFillPagesLabelledFromTheSecondOn) {
  test::TemporaryCurrentDir dir;
  const QString pdf = dir.file(QStringLiteral("report.pdf"));
  PdfPrinter p(pdf);
  const QFont font = ReportMemo::defaultFont();
  const int n1 = p.firstPageLines(font);
  const int n2 = p.laterPageLines(font);
  ASSERT_GT(n1, 10);
  ASSERT_LT(n1, 200);
  const int expectedPages = 1 + 1 + (200 - n1) / n2;

  EXPECT_EQ(PrintMemo(numberedLines(200), font, p.printer), expectedPages);
  ASSERT_EQ(pdfPages(pdf), expectedPages);
  const auto pages = pdfPageLines(pdf);
  ASSERT_EQ(static_cast<int>(pages.size()), expectedPages);
  // Page 1: no label, lines 1..n1. Page k: the label "- k -", then its lines.
  EXPECT_EQ(pages[0].front(), "line 001");
  EXPECT_EQ(static_cast<int>(pages[0].size()), n1);
  int next = n1 + 1;
  for (int k = 2; k <= expectedPages; ++k) {
    const auto& page = pages[static_cast<size_t>(k - 1)];
    ASSERT_FALSE(page.empty());
    EXPECT_EQ(page.front(), "- " + std::to_string(k) + " -");
    for (std::size_t i = 1; i < page.size(); ++i, ++next) {
      EXPECT_EQ(page[i], numberedLines(next).back()) << "page " << k;
    }
  }
  EXPECT_EQ(next, 201);
}

TEST(PrintMemo, AReportEndingWhereThePageIsFullLeavesALastPageWithOnlyItsLabel) {
  test::TemporaryCurrentDir dir;
  const QString pdf = dir.file(QStringLiteral("full.pdf"));
  PdfPrinter p(pdf);
  const QFont font = ReportMemo::defaultFont();
  const int n1 = p.firstPageLines(font);
  EXPECT_EQ(PrintMemo(numberedLines(n1), font, p.printer), 2);
  const auto pages = pdfPageLines(pdf);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[1], std::vector<std::string>{"- 2 -"});

  // One line fewer fits on one page.
  const QString shorter = dir.file(QStringLiteral("short.pdf"));
  PdfPrinter q(shorter);
  EXPECT_EQ(PrintMemo(numberedLines(n1 - 1), font, q.printer), 1);
  EXPECT_EQ(pdfPages(shorter), 1);
}

TEST(PrintMemo, AnEmptyReportStartsNoJob) {
  test::TemporaryCurrentDir dir;
  const QString pdf = dir.file(QStringLiteral("empty.pdf"));
  PdfPrinter p(pdf);
  EXPECT_EQ(PrintMemo({}, ReportMemo::defaultFont(), p.printer), 0);
  EXPECT_FALSE(QFileInfo::exists(pdf));
}

TEST(PrintMemo, APrinterThatRefusesTheJobIsReportedByName) {
  PdfPrinter p(QStringLiteral("/nonexistent-folder/report.pdf"));
  try {
    PrintMemo(numberedLines(3), ReportMemo::defaultFont(), p.printer);
    ADD_FAILURE() << "printed into a missing folder";
  } catch (const Error& error) {
    EXPECT_EQ(error.message(Language::English),
              "The document cannot be printed on /nonexistent-folder/report.pdf");
  }
  // Without a printer the print dialog offers a PDF file; none chosen is said so.
  PdfPrinter none{QString()};
  try {
    PrintMemo(numberedLines(3), ReportMemo::defaultFont(), none.printer);
    ADD_FAILURE() << "printed without a target";
  } catch (const Error& error) {
    EXPECT_EQ(error.message(Language::English),
              "The document cannot be printed: no printer and no output file is chosen");
  }
}

}  // namespace
}  // namespace bubblix::gui
