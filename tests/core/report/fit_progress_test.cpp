#include "core/report/fit_progress.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/report/report_document.h"

namespace bubblix {
namespace {

// Three points, so F = 2 over N = 3 gives E = sqrt(2/3) = 0.81649658092772603...,
// 0.8164965809 at 10 significant digits.
class ProgressLine : public ::testing::Test {
 protected:
  void SetUp() override {
    fit->N = 3;
    fit->names = {"comp.1", "comp.2"};
    report.setLines({"heading", "second heading line"});
    target.Report = &report;
    target.Line = 2;
  }

  std::unique_ptr<TBinaryFitData> fit = std::make_unique<TBinaryFitData>();
  LineListReport report;
  ProgressTarget target;
};

TEST_F(ProgressLine, ExactTextInBothLanguages) {
  EXPECT_EQ(fitProgressLine(*fit, Language::English, 17, 2.0L),
            " Number of iterations 17;  root-mean-square error for system comp.1-comp.2:  E = "
            "0.8164965809");
  fit->names = {"комп.1", "комп.2"};
  EXPECT_EQ(fitProgressLine(*fit, Language::Russian, 17, 2.0L),
            " Число итераций 17;  среднеквадратичная погрешность для системы комп.1-комп.2:  E = "
            "0.8164965809");
  // Small errors switch to exponent notation; the separator is the caller's.
  EXPECT_EQ(fitProgressLine(*fit, Language::English, 0, 3e-12L, ","),
            " Number of iterations 0;  root-mean-square error for system комп.1-комп.2:  E = "
            "1E-6");
  EXPECT_EQ(fitProgressLine(*fit, Language::English, 3, 0.03L, ","),
            " Number of iterations 3;  root-mean-square error for system комп.1-комп.2:  E = "
            "0,1");
}

TEST_F(ProgressLine, WrittenBelowTheHeadingThenReplacedInPlace) {
  const FitProgress progress = progressLineWriter(target, *fit);
  progress(17, 2.0L);
  ASSERT_EQ(report.lineCount(), 3);
  EXPECT_EQ(report.line(2),
            " Number of iterations 17;  root-mean-square error for system comp.1-comp.2:  E = "
            "0.8164965809");
  progress(250, 0.03L);
  ASSERT_EQ(report.lineCount(), 3);
  EXPECT_EQ(report.line(0), "heading");
  EXPECT_EQ(report.line(1), "second heading line");
  EXPECT_EQ(report.line(2),
            " Number of iterations 250;  root-mean-square error for system comp.1-comp.2:  E = "
            "0.1");
}

TEST_F(ProgressLine, TheLineAfterTheProgressLineIsTheOneReplaced) {
  // Inserted at L, then the line at L + 1 deleted: a report that already holds the previous
  // progress line at L keeps what follows it.
  report.setLines({"heading", "old progress", "result line"});
  target.Line = 1;
  writeProgressLine(target, *fit, 5, 2.0L);
  ASSERT_EQ(report.lineCount(), 3);
  EXPECT_EQ(report.line(1).substr(0, 22), " Number of iterations ");
  EXPECT_EQ(report.line(2), "result line");
}

TEST_F(ProgressLine, APastTheEndIndexAppendsAndNoReportWritesNothing) {
  // A line index past the end (the report was shortened) appends instead of failing.
  report.setLines({"only line"});
  target.Line = 7;
  writeProgressLine(target, *fit, 5, 2.0L);
  ASSERT_EQ(report.lineCount(), 2);
  EXPECT_EQ(report.line(0), "only line");
  EXPECT_EQ(report.line(1).substr(0, 22), " Number of iterations ");

  target.Report = nullptr;
  writeProgressLine(target, *fit, 5, 2.0L);
  EXPECT_EQ(report.lineCount(), 2);
}

}  // namespace
}  // namespace bubblix
