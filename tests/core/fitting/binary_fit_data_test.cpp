#include "core/fitting/binary_fit_data.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/base/errors.h"
#include "core/data/database.h"
#include "core/data/experimental_data.h"
#include "core/texts/data_texts.h"

namespace bubblix {
namespace {

class LoadExperimentalPointsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fit.resizePoints(59);
    fit.i = 1;
    fit.j = 3;
    std::fill(fit.x1.begin(), fit.x1.end(), 0.25L);
    std::fill(fit.y1.begin(), fit.y1.end(), 0.25L);
    std::fill(fit.tau.begin(), fit.tau.end(), 9.0L);
    std::fill(fit.x2.begin(), fit.x2.end(), 0.75L);
    fit.WilsonStart.fill(8.0L);
    fit.NRTLStart.fill(8.0L);
    fit.UNIQUACStart.fill(8.0L);
    fit.UNIFACStart.fill(8.0L);
    fit.names = {"a", "b"};
  }
  TBinaryFitData fit;
};

TEST_F(LoadExperimentalPointsTest, CopiesThePointsAndSizesTheTables) {
  const ExperimentalPoints points = SelectExperimentalSet(builtInDatabase(), 1, 2);
  loadExperimentalPoints(points, fit);
  EXPECT_EQ(fit.N, 52);
  EXPECT_EQ(fit.P, 101308.0L);
  for (std::size_t k = 0; k < 52; ++k) {
    EXPECT_EQ(fit.tau[k], points.tau[k]);
    EXPECT_EQ(fit.x1[k], points.x1[k]);
    EXPECT_EQ(fit.y1[k], points.y1[k]);
    EXPECT_EQ(fit.Pk[k], 101308.0L);
  }
  const TParamVector wilson = {7.5L, 3.5L};
  const TParamVector nrtl = {1.5L, 1.5L, 1.0L};
  const TParamVector uniquac = {0.5L, 0.5L};
  EXPECT_EQ(fit.WilsonStart, wilson);
  EXPECT_EQ(fit.NRTLStart, nrtl);
  EXPECT_EQ(fit.UNIQUACStart, uniquac);
  // Every table of points holds the 52; what the data selection does not own is left alone.
  for (const auto* table : {&fit.tau, &fit.x1, &fit.y1, &fit.Pk, &fit.x2, &fit.gamma1}) {
    EXPECT_EQ(table->size(), 52u);
  }
  EXPECT_EQ(fit.Psat[3].size(), 52u);
  EXPECT_EQ(fit.GroupFractions.size(), 52u);
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
  points.tau.assign(2001, 1.3L);
  points.x1.assign(2001, 0.5L);
  points.y1.assign(2001, 0.5L);
  try {
    loadExperimentalPoints(points, fit);
    ADD_FAILURE() << "loaded 2001 points";
  } catch (const DataError& e) {
    EXPECT_EQ(&e.text(), &kTooManyPointsText);
    EXPECT_EQ(e.args(), (std::vector<std::string>{"1", "2", "2001", "2000"}));
  }
  // A refused set leaves the fitting data as they were.
  EXPECT_EQ(fit.N, 59);
  EXPECT_EQ(fit.x1[0], 0.25L);

  points.tau.resize(2000);
  points.x1.resize(2000);
  points.y1.resize(2000);
  loadExperimentalPoints(points, fit);
  EXPECT_EQ(fit.N, 2000);
  EXPECT_EQ(fit.x1[1999], 0.5L);
  // Without pressures of their own the points take the set's.
  EXPECT_EQ(fit.Pk[1999], 101308.0L);
}

}  // namespace
}  // namespace bubblix
