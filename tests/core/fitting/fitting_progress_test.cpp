#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/fitting/fitting_objectives.h"
#include "core/report/report_document.h"

namespace bubblix {
namespace {

// Three points with gamma1 set by hand; F = 2 over N = 3 gives E = sqrt(2/3) =
// 0.81649658092772603..., 0.8164965809 at 10 significant digits.
class ProgressLine : public ::testing::Test {
 protected:
  void SetUp() override {
    TBinaryFitData& fit = state->Fit;
    fit.N = 3;
    fit.P = 1000.0L;
    for (std::size_t k = 0; k < 3; ++k) {
      fit.x1[k] = 0.5L;
      fit.y1[k] = 0.5L;
      fit.gamma1[k] = 1.0L;
      fit.Psat[0][k] = 1000.0L;
    }
    fit.names = {"comp.1", "comp.2"};
    report.setLines({"heading", "second heading line"});
    state->Progress.Report = &report;
    state->Progress.Line = 2;
    state->MinimizerF = &F;
    state->MinimizerIterations = &iterations;
  }

  void call(int times) {
    for (int k = 0; k < times; ++k)
      ResidualSum(*state);
  }

  std::unique_ptr<FittingState> state = std::make_unique<FittingState>();
  LineListReport report;
  Real F = 2.0L;
  std::uint16_t iterations = 17;
};

TEST_F(ProgressLine, ExactTextInBothLanguages) {
  EXPECT_EQ(FitProgressLine(state->Fit, Language::English, 17, 2.0L),
            " Number of iterations 17;  root-mean-square error for system comp.1-comp.2:  E = "
            "0.8164965809");
  state->Fit.names = {"комп.1", "комп.2"};
  EXPECT_EQ(FitProgressLine(state->Fit, Language::Russian, 17, 2.0L),
            " Число итераций 17;  среднеквадратичная погрешность для системы комп.1-комп.2:  E = "
            "0.8164965809");
  // Small errors switch to exponent notation; the separator is the caller's.
  EXPECT_EQ(FitProgressLine(state->Fit, Language::English, 0, 3e-12L, ","),
            " Number of iterations 0;  root-mean-square error for system комп.1-комп.2:  E = "
            "1E-6");
  EXPECT_EQ(FitProgressLine(state->Fit, Language::English, 3, 0.03L, ","),
            " Number of iterations 3;  root-mean-square error for system комп.1-комп.2:  E = "
            "0,1");
}

TEST_F(ProgressLine, FirstRefreshAtTheTwoHundredthCallThenReplacedInPlace) {
  call(199);
  EXPECT_EQ(report.lineCount(), 2);
  call(1);
  ASSERT_EQ(report.lineCount(), 3);
  EXPECT_EQ(report.line(2),
            " Number of iterations 17;  root-mean-square error for system comp.1-comp.2:  E = "
            "0.8164965809");
  EXPECT_EQ(state->CallCounter, 0);

  // The line shows the minimiser's current F and counter, not the S just computed (0 here).
  F = 0.03L;
  iterations = 250;
  call(199);
  EXPECT_EQ(report.line(2).substr(0, 26), " Number of iterations 17; ");
  call(1);
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
  state->Progress.Line = 1;
  call(200);
  ASSERT_EQ(report.lineCount(), 3);
  EXPECT_EQ(report.line(1).substr(0, 22), " Number of iterations ");
  EXPECT_EQ(report.line(2), "result line");
}

TEST_F(ProgressLine, CallCounterRunsOnAcrossFitsAndWithoutAReport) {
  // 150 calls of an earlier fit without a report line, then a new fit: its first line comes
  // at its 50th call, the 200th since the last refresh.
  state->Progress.Report = nullptr;
  call(150);
  EXPECT_EQ(state->CallCounter, 150);
  state->Progress.Report = &report;
  call(49);
  EXPECT_EQ(report.lineCount(), 2);
  call(1);
  EXPECT_EQ(report.lineCount(), 3);
  EXPECT_EQ(state->CallCounter, 0);

  // A line index past the end (the report was shortened) appends instead of failing.
  report.setLines({"only line"});
  state->Progress.Line = 7;
  call(200);
  ASSERT_EQ(report.lineCount(), 2);
  EXPECT_EQ(report.line(0), "only line");
  EXPECT_EQ(report.line(1).substr(0, 22), " Number of iterations ");
}

TEST_F(ProgressLine, ResidualSumIsTheSumOfSquaredVapourDeviations) {
  // y1 - x1 gamma1 Psat / P at the three points: 0.5 - 0.5 * 1 * 1, 0.5 - 0.5 * 1.2 * 1,
  // 0.5 - 0.5 * 1 * 0.8: 0, -0.1, 0.1, so S = 0.02 (hand calculation; tolerance 1e-17
  // relative for the roundings of 1.2, 0.8 and the products).
  state->Fit.gamma1[1] = 1.2L;
  state->Fit.Psat[0][2] = 800.0L;
  EXPECT_NEAR(ResidualSum(*state), 0.02L, 0.02L * 1e-17L);
}

}  // namespace
}  // namespace bubblix
