#include "core/report/report_document.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace bubblix {
namespace {

using Lines = std::vector<std::string>;

TEST(ReportDocument, AppendStartsALineAtEachCrLf) {
  LineListReport report;
  report.append("Heading\r\n");  // a trailing CR LF leaves a blank line after the text
  EXPECT_EQ(report.lines(), (Lines{"Heading", ""}));
  report.append("a\r\nb\r\n\r\nc");
  EXPECT_EQ(report.lines(), (Lines{"Heading", "", "a", "b", "", "c"}));
  report.append("");
  report.append("lone\rCR and lone\nLF stay inside");
  EXPECT_EQ(report.lineCount(), 8);
  EXPECT_EQ(report.line(6), "");
  EXPECT_EQ(report.line(7), "lone\rCR and lone\nLF stay inside");
}

TEST(ReportDocument, InsertAndDeleteAtAnIndex) {
  LineListReport report;
  report.setLines({"first", "third"});
  report.insertLine(1, "second");
  report.insertLine(3, "fourth");
  report.deleteLine(0);
  EXPECT_EQ(report.lines(), (Lines{"second", "third", "fourth"}));
  EXPECT_THROW(report.insertLine(4, "x"), std::out_of_range);
  EXPECT_THROW(report.insertLine(-1, "x"), std::out_of_range);
  EXPECT_THROW(report.deleteLine(3), std::out_of_range);
  EXPECT_EQ(report.lineCount(), 3);
}

}  // namespace
}  // namespace bubblix
