#include "core/fitting/binary_fit_data.h"

#include <gtest/gtest.h>

#include "core/base/errors.h"
#include "core/data/database.h"
#include "core/data/experimental_data.h"
#include "core/texts/data_texts.h"

namespace bubblix {
namespace {

class LoadExperimentalPointsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fit.N = 59;
    fit.i = 1;
    fit.j = 3;
    fit.x1.fill(0.25L);
    fit.y1.fill(0.25L);
    fit.tau.fill(9.0L);
    fit.x2.fill(0.75L);
    fit.WilsonStart.fill(8.0L);
    fit.NRTLStart.fill(8.0L);
    fit.UNIQUACStart.fill(8.0L);
    fit.UNIFACStart.fill(8.0L);
    fit.names = {"a", "b"};
  }
  TBinaryFitData fit;
};

TEST_F(LoadExperimentalPointsTest, CopiesThePointsAndClearsTheRest) {
  const ExperimentalPoints points = SelectExperimentalSet(builtInDatabase(), 1, 2);
  loadExperimentalPoints(points, fit);
  EXPECT_EQ(fit.N, 52);
  EXPECT_EQ(fit.P, 101308.0L);
  for (std::size_t k = 0; k < 52; ++k) {
    EXPECT_EQ(fit.tau[k], points.tau[k]);
    EXPECT_EQ(fit.x1[k], points.x1[k]);
    EXPECT_EQ(fit.y1[k], points.y1[k]);
  }
  const TParamVector wilson = {7.5L, 3.5L};
  const TParamVector nrtl = {1.5L, 1.5L, 1.0L};
  const TParamVector uniquac = {0.5L, 0.5L};
  EXPECT_EQ(fit.WilsonStart, wilson);
  EXPECT_EQ(fit.NRTLStart, nrtl);
  EXPECT_EQ(fit.UNIQUACStart, uniquac);
  // Points beyond N are cleared; what the data selection does not own is left alone.
  for (std::size_t k = 52; k < kMaxFitPoints; ++k) {
    EXPECT_EQ(fit.tau[k], 0);
    EXPECT_EQ(fit.x1[k], 0);
  }
  EXPECT_EQ(fit.x2[0], 0.75L);
  EXPECT_EQ(fit.UNIFACStart[0], 8.0L);
  EXPECT_EQ(fit.i, 1);
  EXPECT_EQ(fit.j, 3);
  EXPECT_EQ(fit.names[1], "b");
}

TEST_F(LoadExperimentalPointsTest, RefusesMorePointsThanTheFittingDataHold) {
  ExperimentalPoints points;
  points.A = 1;
  points.B = 2;
  points.P = 101308.0L;
  points.tau.assign(61, 1.3L);
  points.x1.assign(61, 0.5L);
  points.y1.assign(61, 0.5L);
  try {
    loadExperimentalPoints(points, fit);
    ADD_FAILURE() << "loaded 61 points";
  } catch (const DataError& e) {
    EXPECT_EQ(&e.text(), &kTooManyPointsText);
    EXPECT_EQ(e.args(), (std::vector<std::string>{"1", "2", "61", "60"}));
  }
  // A refused set leaves the fitting data as they were.
  EXPECT_EQ(fit.N, 59);
  EXPECT_EQ(fit.x1[0], 0.25L);

  points.tau.resize(60);
  points.x1.resize(60);
  points.y1.resize(60);
  loadExperimentalPoints(points, fit);
  EXPECT_EQ(fit.N, 60);
  EXPECT_EQ(fit.x1[59], 0.5L);
}

}  // namespace
}  // namespace bubblix
