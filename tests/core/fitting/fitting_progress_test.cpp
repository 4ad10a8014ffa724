#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "core/fitting/fitting_objectives.h"

namespace bubblix {
namespace {

// Three points with gamma1 set by hand; the progress reports are recorded.
class Progress : public ::testing::Test {
 protected:
  void SetUp() override {
    TBinaryFitData& fit = state->Fit;
    fit.resizePoints(3);
    fit.P = 1000.0L;
    for (std::size_t k = 0; k < 3; ++k) {
      fit.Pk[k] = fit.P;
      fit.x1[k] = 0.5L;
      fit.y1[k] = 0.5L;
      fit.gamma1[k] = 1.0L;
      fit.Psat[0][k] = 1000.0L;
    }
    state->Progress = [this](std::uint16_t i, Real f) { reports.emplace_back(i, f); };
    state->MinimizerF = &F;
    state->MinimizerIterations = &iterations;
  }

  void call(int times) {
    for (int k = 0; k < times; ++k)
      ResidualSum(*state);
  }

  std::unique_ptr<FittingState> state = std::make_unique<FittingState>();
  std::vector<std::pair<std::uint16_t, Real>> reports;
  Real F = 2.0L;
  std::uint16_t iterations = 17;
};

TEST_F(Progress, FirstReportAtTheTwoHundredthCallThenEveryTwoHundred) {
  call(199);
  EXPECT_TRUE(reports.empty());
  call(1);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0], (std::pair<std::uint16_t, Real>{17, 2.0L}));
  EXPECT_EQ(state->CallCounter, 0);

  // The report gives the minimiser's current F and counter, not the S just computed (0 here).
  F = 0.03L;
  iterations = 250;
  call(199);
  EXPECT_EQ(reports.size(), 1u);
  call(1);
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[1], (std::pair<std::uint16_t, Real>{250, 0.03L}));
}

TEST_F(Progress, CallCounterRunsOnAcrossFitsAndWithoutAReceiver) {
  // 150 calls of an earlier fit without a receiver, then a new fit: its first report comes
  // at its 50th call, the 200th since the last report.
  FitProgress receiver = std::move(state->Progress);
  state->Progress = nullptr;
  call(150);
  EXPECT_EQ(state->CallCounter, 150);
  state->Progress = std::move(receiver);
  call(49);
  EXPECT_TRUE(reports.empty());
  call(1);
  EXPECT_EQ(reports.size(), 1u);
  EXPECT_EQ(state->CallCounter, 0);
}

TEST_F(Progress, ResidualSumIsTheSumOfSquaredVapourDeviations) {
  // y1 - x1 gamma1 Psat / P at the three points: 0.5 - 0.5 * 1 * 1, 0.5 - 0.5 * 1.2 * 1,
  // 0.5 - 0.5 * 1 * 0.8: 0, -0.1, 0.1, so S = 0.02 (hand calculation; tolerance 1e-17
  // relative for the roundings of 1.2, 0.8 and the products).
  state->Fit.gamma1[1] = 1.2L;
  state->Fit.Psat[0][2] = 800.0L;
  EXPECT_NEAR(ResidualSum(*state), 0.02L, 0.02L * 1e-17L);
}

}  // namespace
}  // namespace bubblix
