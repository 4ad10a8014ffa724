// PrintMemo on a PDF printer, read back with poppler's pdfinfo and pdftotext: the page
// layout, lines wider than the page, the print dialog's range and copies, and the
// demonstration's report printed with `bubblix --print-pdf`.

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QFontMetrics>
#include <QPrinter>
#include <sstream>

#include "core/base/errors.h"
#include "core/io/report_file.h"
#include "gui/gui_test_support.h"
#include "gui/printing.h"
#include "gui/report_memo.h"
#include "gui/report_pdf.h"

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

// A text with every run of blanks made one blank, and no blanks at its ends.
std::string collapsed(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (c == ' ' || c == '\t') {
      if (!out.empty() && out.back() != ' ') out += ' ';
    } else {
      out += c;
    }
  }
  if (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

// The report's lines as the PDF shows them: page labels dropped, each continuation row joined
// to the row before it, blanks collapsed. `continuations` counts the rows joined.
std::vector<std::string> printedLines(const QString& pdf, int* continuations = nullptr) {
  const std::string mark = continuationPrefix().trimmed().toStdString() + " ";
  std::vector<std::string> out;
  int joined = 0;
  const auto pages = pdfPageLines(pdf);
  for (std::size_t k = 0; k < pages.size(); ++k) {
    for (std::size_t i = 0; i < pages[k].size(); ++i) {
      const std::string& row = pages[k][i];
      if (k > 0 && i == 0 && row == "- " + std::to_string(k + 1) + " -") continue;
      if (row.rfind(mark, 0) == 0 && !out.empty()) {
        out.back() += " " + row.substr(mark.size());
        ++joined;
      } else {
        out.push_back(row);
      }
    }
  }
  for (std::string& line : out)
    line = collapsed(line);
  if (continuations != nullptr) *continuations = joined;
  return out;
}

TEST(PrintMemo, ALineWiderThanThePageWrapsWithoutLosingACharacter) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageSize(QPageSize(QPageSize::A4));
  const QFontMetrics metrics(ReportMemo::defaultFont(), &printer);
  const int width = printer.width() - 2 * printLeftMargin(printer.width());
  const QString prefix = continuationPrefix();

  // A table row of 40 numbers in columns of 12: about three times the width of A4.
  QString row;
  for (int i = 0; i < 40; ++i)
    row += QStringLiteral("%1").arg(i * 1.25, 12, 'f', 4);
  const std::vector<PrintRow> rows = wrapLine(row, metrics, width);
  ASSERT_GE(rows.size(), 3u);
  QString joined;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_LE(metrics.horizontalAdvance(rows[i].text.trimmed()), width) << i;
    EXPECT_EQ(rows[i].continuation, i > 0);
    EXPECT_EQ(rows[i].text.startsWith(prefix), i > 0);
    const QString piece = i > 0 ? rows[i].text.mid(prefix.size()) : rows[i].text;
    // Breaks fall between the columns: no number is cut.
    EXPECT_TRUE(i == 0 || !piece.startsWith(QLatin1Char(' '))) << piece.toStdString();
    EXPECT_TRUE(piece.endsWith(QLatin1Char(' ')) || i + 1 == rows.size()) << piece.toStdString();
    joined += piece;
  }
  EXPECT_EQ(joined.simplified(), row.simplified());

  // A word longer than the page is cut where the page ends; every character stays.
  const QString word(300, QLatin1Char('x'));
  const std::vector<PrintRow> cut = wrapLine(word, metrics, width);
  ASSERT_GE(cut.size(), 2u);
  qsizetype characters = 0;
  for (std::size_t i = 0; i < cut.size(); ++i) {
    EXPECT_LE(metrics.horizontalAdvance(cut[i].text), width);
    characters += cut[i].text.size() - (i > 0 ? prefix.size() : 0);
  }
  EXPECT_EQ(characters, word.size());

  // Blanks past the right edge need no row; a line that fits is one row as it is.
  EXPECT_EQ(
      wrapLine(QStringLiteral("short") + QString(400, QLatin1Char(' ')), metrics, width).size(),
      1u);
  EXPECT_EQ(wrapLine(QStringLiteral("  t boil"), metrics, width).front().text,
            QStringLiteral("  t boil"));
}

TEST(PrintMemo, ThePageRangeAndTheCopiesOfThePrintDialogAreHonoured) {
  test::TemporaryCurrentDir dir;
  const QFont font = ReportMemo::defaultFont();
  // Three pages: page 1 full, page 2 full, page 3 with a few lines.
  PdfPrinter probe(dir.file(QStringLiteral("probe.pdf")));
  const int n1 = probe.firstPageLines(font);
  const int n2 = probe.laterPageLines(font);
  const std::vector<std::string> lines = numberedLines(n1 + n2 + 5);
  const auto firstRows = [](const QString& pdf) {
    std::vector<std::string> out;
    for (const auto& page : pdfPageLines(pdf))
      out.push_back(page.front());
    return out;
  };
  const auto label = [](int page) { return "- " + std::to_string(page) + " -"; };

  struct Case {
    bool collate;
    std::vector<std::string> firstRows;
  };
  // Pages 2 to 3, two copies: collated the range twice, not collated each page twice. The
  // pages keep their own labels.
  for (const Case& c : {Case{true, {label(2), label(3), label(2), label(3)}},
                        Case{false, {label(2), label(2), label(3), label(3)}}}) {
    SCOPED_TRACE(c.collate ? "collated" : "not collated");
    const QString pdf = dir.file(c.collate ? QStringLiteral("c.pdf") : QStringLiteral("u.pdf"));
    PdfPrinter p(pdf);
    ASSERT_FALSE(p.printer.supportsMultipleCopies());
    p.printer.setPrintRange(QPrinter::PageRange);
    p.printer.setFromTo(2, 3);
    p.printer.setCopyCount(2);
    p.printer.setCollateCopies(c.collate);
    EXPECT_EQ(PrintMemo(lines, font, p.printer), 4);
    EXPECT_EQ(firstRows(pdf), c.firstRows);
  }

  // A range past the end is said so, and no file is started.
  const QString none = dir.file(QStringLiteral("none.pdf"));
  PdfPrinter p(none);
  p.printer.setPrintRange(QPrinter::PageRange);
  p.printer.setFromTo(5, 6);
  try {
    PrintMemo(lines, font, p.printer);
    ADD_FAILURE() << "printed pages that are not in the report";
  } catch (const Error& error) {
    EXPECT_EQ(error.message(Language::English),
              "Nothing is printed: the pages 5 to 6 are not in the report, which has 3 pages");
  }
  EXPECT_FALSE(QFileInfo::exists(none));
}

TEST(PrintPdf, TheDemonstrationsReportPrintsEveryLineInOrderOnA4) {
  test::TemporaryCurrentDir dir;
  int status = -1;
  test::runProgram(QStringLiteral(BUBBLIX_CLI_PROGRAM),
                   {QStringLiteral("session"), QStringLiteral("--answers"),
                    QStringLiteral(BUBBLIX_EXAMPLES_DIR "/nrtl-binary.txt"),
                    QStringLiteral("--report"), QStringLiteral("demo.txt")},
                   &status);
  ASSERT_EQ(status, 0);
  const std::vector<std::string> report = openReport(dir.file("demo.txt").toStdString());
  ASSERT_GT(report.size(), 40u);

  const QString pdf = dir.file(QStringLiteral("demo.pdf"));
  test::runProgram(QStringLiteral(BUBBLIX_DESKTOP_PROGRAM),
                   {QStringLiteral("--print-pdf"), QStringLiteral("demo.txt"), pdf}, &status);
  ASSERT_EQ(status, 0);
  const std::string info = test::runProgram(QStringLiteral(BUBBLIX_PDFINFO), {pdf});
  // A4 is 595 x 842 points, portrait.
  EXPECT_NE(info.find("595 x 842 pts (A4)"), std::string::npos) << info;

  std::vector<std::string> expected;
  for (const std::string& line : report) {
    if (!collapsed(line).empty()) expected.push_back(collapsed(line));
  }
  int continuations = 0;
  EXPECT_EQ(printedLines(pdf, &continuations), expected);
  // The adequacy rows are wider than the page: they are the lines that wrap.
  EXPECT_GT(continuations, 10);
}

TEST(PrintPdf, BadCommandLinesAndFilesAreSaidSo) {
  test::TemporaryCurrentDir dir;
  std::ostringstream err;
  EXPECT_EQ(runPrintPdfCommand({"--print-pdf", "only-one.txt"}, err), 2);
  EXPECT_NE(err.str().find("Usage: bubblix --print-pdf REPORT.txt OUT.pdf"), std::string::npos);

  err.str("");
  EXPECT_EQ(runPrintPdfCommand({"--print-pdf", "missing.txt", "out.pdf"}, err), 1);
  EXPECT_NE(err.str().find("missing.txt"), std::string::npos) << err.str();
  EXPECT_FALSE(QFileInfo::exists(dir.file(QStringLiteral("out.pdf"))));

  // The report is never printed over itself.
  test::writeFileBytes(dir.file(QStringLiteral("report.txt")), "kept\r\n");
  err.str("");
  EXPECT_EQ(runPrintPdfCommand({"--print-pdf", "report.txt", "./report.txt"}, err), 1);
  EXPECT_EQ(err.str(),
            "The report report.txt cannot be printed into itself: choose another name for the PDF "
            "file\n");
  EXPECT_EQ(test::readFileBytes(dir.file(QStringLiteral("report.txt"))), "kept\r\n");

  test::writeFileBytes(dir.file(QStringLiteral("empty.txt")), "");
  err.str("");
  EXPECT_EQ(runPrintPdfCommand({"--print-pdf", "empty.txt", "out.pdf"}, err), 1);
  EXPECT_EQ(err.str(), "The report empty.txt is empty: there is nothing to print\n");
}

}  // namespace
}  // namespace bubblix::gui
