// Interpolate finds its interval by a binary search. These tests hold it to the row-by-row
// scan it replaced, bit for bit, on every table of the built-in database, and check that the
// tables meet the search's condition (ascending abscissae).

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <span>
#include <string>
#include <vector>

#include "core/data/database.h"
#include "core/data/properties.h"

namespace bubblix {
namespace {

// The interpolation as first written: a scan from row 1 for the first abscissa not below x.
Real scanInterpolate(Real x, std::span<const Real> Y, std::span<const Real> X) {
  const std::size_t n = std::min(X.size(), Y.size());
  if (n == 1) return Y[0];
  std::size_t i = 1;
  while (i < n - 1 && X[i] < x)
    ++i;
  const Real w = (x - X[i - 1]) / (X[i] - X[i - 1]);
  return (1.0L - w) * Y[i - 1] + w * Y[i];
}

struct NamedTable {
  std::string name;
  std::span<const Real> X;
  std::span<const Real> Y;
};

std::vector<NamedTable> builtInTables() {
  const Database& db = builtInDatabase();
  std::vector<NamedTable> tables;
  for (const TComponentRecord& c : db.ComponentBase) {
    const std::span<const Real> T(c.Temperature.data(), c.PropertyRows);
    tables.push_back({c.EnglishName + " density", T, c.Density});
    tables.push_back({c.EnglishName + " liquid enthalpy", T, c.LiquidEnthalpy});
    tables.push_back({c.EnglishName + " vapour enthalpy", T, c.VapourEnthalpy});
    if (c.PressureRows > 0) {
      tables.push_back({c.EnglishName + " vapour pressure",
                        std::span<const Real>(c.PressureTemperature.data(), c.PressureRows),
                        c.VapourPressure});
    }
  }
  tables.push_back({"steam enthalpy", db.Steam.SteamPressure, db.Steam.SteamEnthalpy});
  tables.push_back({"condensate enthalpy", db.Steam.SteamPressure, db.Steam.CondensateEnthalpy});
  return tables;
}

// Both NaN, or the same bits.
void expectSame(Real got, Real expected, Real x) {
  if (std::isnan(expected)) {
    EXPECT_TRUE(std::isnan(got)) << "x = " << static_cast<double>(x);
  } else {
    EXPECT_EQ(got, expected) << "x = " << static_cast<double>(x);
    EXPECT_EQ(std::signbit(got), std::signbit(expected));
  }
}

TEST(InterpolateSearch, EveryBuiltInTableAscendsStrictly) {
  for (const NamedTable& table : builtInTables()) {
    SCOPED_TRACE(table.name);
    ASSERT_GE(table.X.size(), 2u);
    for (std::size_t i = 1; i < table.X.size(); ++i)
      EXPECT_LT(table.X[i - 1], table.X[i]) << "row " << i;
  }
}

TEST(InterpolateSearch, GivesTheScanResultAtAbscissaeBetweenAndOutside) {
  const Real inf = std::numeric_limits<Real>::infinity();
  for (const NamedTable& table : builtInTables()) {
    SCOPED_TRACE(table.name);
    const std::size_t n = table.X.size();
    std::vector<Real> xs = {table.X[0] - 1000.0L, table.X[n - 1] + 1000.0L,
                            std::numeric_limits<Real>::quiet_NaN(), -inf, inf};
    for (std::size_t i = 0; i < n; ++i) {
      const Real a = table.X[i];
      xs.insert(xs.end(), {a, std::nextafter(a, -inf), std::nextafter(a, inf)});
      if (i + 1 < n) {
        const Real b = table.X[i + 1];
        xs.insert(xs.end(), {(a + b) / 2, a + (b - a) / 3, b - (b - a) / 1000});
      }
    }
    for (const Real x : xs)
      expectSame(Interpolate(x, table.Y, table.X), scanInterpolate(x, table.Y, table.X), x);
  }
}

TEST(InterpolateSearch, RepeatedAbscissaeTakeTheFirstOfThem) {
  // A step in the table (two rows at 10): the scan stops at the first row not below x.
  const std::vector<Real> X = {0.0L, 10.0L, 10.0L, 20.0L, 30.0L};
  const std::vector<Real> Y = {1.0L, 2.0L, 5.0L, 6.0L, 7.0L};
  for (const Real x : {-5.0L, 5.0L, 10.0L, 12.0L, 20.0L, 25.0L, 35.0L})
    expectSame(Interpolate(x, Y, X), scanInterpolate(x, Y, X), x);
  EXPECT_EQ(Interpolate(10.0L, Y, X), 2.0L);  // row 1, the first abscissa 10
}

TEST(InterpolateSearch, TwoRowTables) {
  const std::vector<Real> X = {1.0L, 3.0L};
  const std::vector<Real> Y = {10.0L, 30.0L};
  for (const Real x : {-1.0L, 1.0L, 2.0L, 3.0L, 7.0L})
    expectSame(Interpolate(x, Y, X), scanInterpolate(x, Y, X), x);
  EXPECT_EQ(Interpolate(2.0L, Y, X), 20.0L);  // half way, by hand
}

}  // namespace
}  // namespace bubblix
