#include "core/data/experimental_data.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "core/base/errors.h"
#include "core/base/units.h"
#include "core/data/database.h"
#include "core/texts/data_texts.h"

namespace bubblix {
namespace {

const TExperimentalSet& set(const ExperimentalTable& table, int a, int b) {
  return table[static_cast<std::size_t>(a - 1)][static_cast<std::size_t>(b - 1)];
}

Real sum(const std::vector<Real>& v) {
  Real s = 0;
  for (Real x : v)
    s += x;
  return s;
}

class ExperimentalDataTest : public ::testing::Test {
 protected:
  const ExperimentalTable table = buildExperimentalData();
};

TEST_F(ExperimentalDataTest, EntriesCarryTheirCountsPressuresAndStartVectors) {
  struct Expected {
    int a, b, n;
    Real p;
    std::array<Real, 2> wilson, uniquac;
    std::array<Real, 3> nrtl;
  };
  const Expected complete[] = {
      {1, 2, 52, 101308.0L, {7.5L, 3.5L}, {0.5L, 0.5L}, {1.5L, 1.5L, 1.0L}},
      {1, 3, 14, 101308.0L, {1.5L, 1.5L}, {1.0L, 1.6L}, {5.5L, 5.5L, 1.0L}},
      {1, 4, 11, 101308.0L, {1.0L, 1.0L}, {1.1L, 1.1L}, {1.5L, 1.0L, 1.0L}},
      {2, 3, 36, 101308.0L, {1.5L, 0.5L}, {1.1L, 1.1L}, {1.5L, 1.0L, 1.0L}},
      {2, 4, 23, 101308.0L, {1.5L, 0.5L}, {1.1L, 1.1L}, {0.7L, 0.5L, 1.5L}},
      {3, 4, 39, 101308.0L, {0.5L, 0.5L}, {0.3L, 0.4L}, {4.5L, 4.5L, 1.0L}},
      {3, 1, 14, 0, {}, {}, {}},
      {4, 1, 11, 0, {}, {}, {}},
      {3, 2, 36, 0, {}, {}, {}},
      {4, 2, 23, 0, {}, {}, {}},
      {2, 1, 0, 0, {}, {}, {}},
      {4, 3, 0, 0, {}, {}, {}},
      {1, 1, 0, 0, {}, {}, {}},
      {2, 2, 0, 0, {}, {}, {}},
      {3, 3, 0, 0, {}, {}, {}},
      {4, 4, 0, 0, {}, {}, {}},
  };
  for (const Expected& e : complete) {
    SCOPED_TRACE(testing::Message() << "[" << e.a << ", " << e.b << "]");
    const TExperimentalSet& s = set(table, e.a, e.b);
    EXPECT_EQ(s.N, e.n);
    EXPECT_EQ(s.t.size(), static_cast<std::size_t>(e.n));
    EXPECT_EQ(s.x.size(), static_cast<std::size_t>(e.n));
    EXPECT_EQ(s.y.size(), static_cast<std::size_t>(e.n));
    EXPECT_EQ(s.P, e.p);
    EXPECT_EQ(s.WilsonStart, e.wilson);
    EXPECT_EQ(s.UNIQUACStart, e.uniquac);
    EXPECT_EQ(s.NRTLStart, e.nrtl);
  }
}

// Reference sums: exact decimal sums of the listed points.
TEST_F(ExperimentalDataTest, PointsHoldTheListedValues) {
  struct Sums {
    int a, b;
    Real t, x, y;
  };
  const Sums stored[] = {
      {1, 2, 4216.99L, 30.15847L, 35.98947L}, {3, 1, 983.3L, 7.841L, 8.869L},
      {4, 1, 814.65L, 5.058L, 5.294L},        {3, 2, 2896.17L, 14.3212L, 20.9386L},
      {4, 2, 1766.8L, 12.52018L, 16.05025L},  {3, 4, 2553.1L, 19.436L, 22.015L}};
  for (const Sums& s : stored) {
    SCOPED_TRACE(testing::Message() << "[" << s.a << ", " << s.b << "]");
    const TExperimentalSet& e = set(table, s.a, s.b);
    EXPECT_NEAR(sum(e.t), s.t, 1e-12L);
    EXPECT_NEAR(sum(e.x), s.x, 1e-15L);
    EXPECT_NEAR(sum(e.y), s.y, 1e-15L);
  }
  // The azeotrope of [1, 2] is an ordinary point.
  const TExperimentalSet& e12 = set(table, 1, 2);
  EXPECT_EQ(e12.t[44], 78.15L);
  EXPECT_EQ(e12.x[44], 0.89447L);
  EXPECT_EQ(e12.y[44], 0.89447L);
  EXPECT_EQ(e12.t.back(), 78.3L);
  EXPECT_EQ(e12.x.back(), 1.0L);
  EXPECT_EQ(set(table, 3, 4).t.back(), 64.55L);
}

TEST_F(ExperimentalDataTest, MirrorsHoldTheOtherComponentsFractions) {
  const int pairs[][2] = {{1, 3}, {2, 3}, {2, 4}, {1, 4}};
  for (const auto& pair : pairs) {
    const TExperimentalSet& mirror = set(table, pair[0], pair[1]);
    const TExperimentalSet& source = set(table, pair[1], pair[0]);
    ASSERT_EQ(mirror.t.size(), source.t.size());
    for (std::size_t k = 0; k < source.t.size(); ++k) {
      EXPECT_EQ(mirror.t[k], source.t[k]);
      EXPECT_EQ(mirror.x[k], 1.0L - source.x[k]);
      EXPECT_EQ(mirror.y[k], 1.0L - source.y[k]);
    }
  }
  // [1, 3] starts at pure component 1: t = 78.3, x = y = 1.
  const TExperimentalSet& e13 = set(table, 1, 3);
  EXPECT_EQ(e13.t[0], 78.3L);
  EXPECT_EQ(e13.x[0], 1.0L);
  EXPECT_EQ(e13.y[0], 1.0L);
  EXPECT_NEAR(e13.x[1], 0.866L, 1e-18L);
  EXPECT_EQ(e13.x.back(), 0.0L);
  // Sum of complements: N - sum, from the reference sums of [3, 1].
  EXPECT_NEAR(sum(e13.x), 14 - 7.841L, 1e-15L);
  EXPECT_NEAR(sum(e13.y), 14 - 8.869L, 1e-15L);
}

TEST(HasNoExperimentalData, EveryBuiltInPairHasDataAndNoOtherPairDoes) {
  const Database& db = builtInDatabase();
  for (int a = 1; a <= 4; ++a) {
    for (int b = 1; b <= 4; ++b)
      EXPECT_EQ(HasNoExperimentalData(db, a, b), a == b) << a << "-" << b;
  }
  // Numbers beyond the built-in records have data only when a loaded set names them.
  EXPECT_TRUE(HasNoExperimentalData(db, 2, 5));
  EXPECT_TRUE(HasNoExperimentalData(db, 5, 3));
  EXPECT_TRUE(HasNoExperimentalData(db, 5, 6));
  Database loaded = db;
  loaded.LoadedSets.push_back(
      LoadedDataSet{"s.csv", {6, 5}, {80, 81}, {1e5L, 1e5L}, {0, 1}, {0, 1}, {3, 4}});
  EXPECT_FALSE(HasNoExperimentalData(loaded, 5, 6));
  EXPECT_FALSE(HasNoExperimentalData(loaded, 6, 5));
  EXPECT_TRUE(HasNoExperimentalData(loaded, 5, 7));
}

TEST(SelectExperimentalSet, GivesThePointsAsReducedTemperatures) {
  const ExperimentalPoints points = SelectExperimentalSet(builtInDatabase(), 1, 2);
  EXPECT_EQ(points.A, 1);
  EXPECT_EQ(points.B, 2);
  ASSERT_EQ(points.tau.size(), 52u);
  ASSERT_EQ(points.x1.size(), 52u);
  ASSERT_EQ(points.y1.size(), 52u);
  EXPECT_EQ(points.P, 101308.0L);
  // Hand calculation: 1 + 100 / 273.15 and 1 + 78.3 / 273.15, 19 digits.
  EXPECT_NEAR(points.tau[0], 1.366099212886692294L, 1e-18L);
  EXPECT_NEAR(points.tau[51], 1.286655683690280066L, 1e-18L);
  EXPECT_EQ(points.x1[0], 0.0L);
  EXPECT_EQ(points.y1[0], 0.0L);
  EXPECT_EQ(points.x1[44], 0.89447L);
  EXPECT_EQ(points.y1[1], 0.104L);
  EXPECT_EQ(points.WilsonStart, (std::array<Real, 2>{7.5L, 3.5L}));
  EXPECT_EQ(points.NRTLStart, (std::array<Real, 3>{1.5L, 1.5L, 1.0L}));
  EXPECT_EQ(points.UNIQUACStart, (std::array<Real, 2>{0.5L, 0.5L}));
}

TEST(SelectExperimentalSet, MirroredSetStartsAtPureFirstComponent) {
  const Database& db = builtInDatabase();
  const ExperimentalPoints points = SelectExperimentalSet(db, 1, 3);
  ASSERT_EQ(points.tau.size(), 14u);
  EXPECT_EQ(points.x1[0], 1.0L);
  EXPECT_EQ(points.y1[0], 1.0L);
  EXPECT_NEAR(points.tau[0], 1.286655683690280066L, 1e-18L);
  EXPECT_EQ(points.NRTLStart[0], 5.5L);
  EXPECT_EQ(points.UNIQUACStart[1], 1.6L);
  for (int a = 1; a <= 4; ++a) {
    for (int b = a + 1; b <= 4; ++b) {
      const ExperimentalPoints pair = SelectExperimentalSet(db, a, b);
      EXPECT_EQ(pair.tau.size(), set(db.ExperimentalData, a, b).N);
      EXPECT_EQ(pair.P, 101308.0L);
    }
  }
}

TEST(SelectExperimentalSet, RefusesIncompleteEntriesNamingThePair) {
  const Database& db = builtInDatabase();
  const int incomplete[][2] = {{3, 1}, {4, 1}, {3, 2}, {4, 2}, {2, 1}, {4, 3}, {1, 1}, {4, 4}};
  for (const auto& pair : incomplete) {
    try {
      SelectExperimentalSet(db, pair[0], pair[1]);
      ADD_FAILURE() << "selected [" << pair[0] << ", " << pair[1] << "]";
    } catch (const DataError& e) {
      EXPECT_EQ(&e.text(), &kNoExperimentalSetText);
      EXPECT_EQ(e.args(),
                (std::vector<std::string>{std::to_string(pair[0]), std::to_string(pair[1])}));
    }
  }
  EXPECT_THROW(SelectExperimentalSet(db, 0, 2), DataError);
  EXPECT_THROW(SelectExperimentalSet(db, 1, 5), DataError);
}

TEST(SelectExperimentalSet, RefusesASetWithFewerValuesThanPoints) {
  Database changed = builtInDatabase();
  TExperimentalSet& e = changed.ExperimentalData[0][1];
  e.y.resize(e.N - 1u);
  try {
    SelectExperimentalSet(changed, 1, 2);
    ADD_FAILURE() << "selected a short set";
  } catch (const DataError& error) {
    EXPECT_EQ(&error.text(), &kExperimentalSetShortText);
  }
}

}  // namespace
}  // namespace bubblix
