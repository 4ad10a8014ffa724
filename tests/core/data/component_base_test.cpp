#include "core/data/component_base.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace bubblix {
namespace {

Real sum(const std::vector<Real>& column) {
  Real s = 0;
  for (Real v : column)
    s += v;
  return s;
}

template <std::size_t N>
Real sum(const std::array<Real, N>& column) {
  Real s = 0;
  for (Real v : column)
    s += v;
  return s;
}

// Relative tolerance of a column sum: the reference sums are exact decimal sums of the
// listed values, the Real sums carry rounding of about 1e-18 relative; a wrong digit anywhere
// in a column moves the sum by far more than 1e-12.
void expectSum(Real actual, Real expected) {
  EXPECT_NEAR(actual, expected, 1e-12L * std::fabs(expected) + 1e-15L);
}

class ComponentBaseTest : public ::testing::Test {
 protected:
  const ComponentTable base = buildComponentBase();
};

TEST_F(ComponentBaseTest, NamesRowCountsConstantsAndTableLengths) {
  const char* english[] = {"comp.1", "comp.2", "comp.3", "comp.4"};
  const char* russian[] = {"комп.1", "комп.2", "комп.3", "комп.4"};
  const std::uint16_t propertyRows[] = {13, 13, 9, 9};
  const std::uint16_t pressureRows[] = {31, 95, 0, 0};
  for (std::size_t k = 0; k < 4; ++k) {
    const TComponentRecord& c = base[k];
    SCOPED_TRACE(english[k]);
    EXPECT_EQ(c.EnglishName, english[k]);
    EXPECT_EQ(c.RussianName, russian[k]);
    EXPECT_EQ(c.PropertyRows, propertyRows[k]);
    EXPECT_EQ(c.PressureRows, pressureRows[k]);
    for (const std::vector<Real>* table :
         {&c.LiquidEnthalpy, &c.VapourEnthalpy, &c.Density, &c.Viscosity, &c.SurfaceTension,
          &c.ExpansionCoefficient, &c.HeatCapacity, &c.Prandtl, &c.Conductivity, &c.Temperature}) {
      EXPECT_EQ(table->size(), c.PropertyRows);
    }
    EXPECT_EQ(c.VapourPressure.size(), c.PressureRows);
    EXPECT_EQ(c.PressureTemperature.size(), c.PressureRows);
    for (std::size_t i = 1; i < c.Temperature.size(); ++i) {
      EXPECT_LT(c.Temperature[i - 1], c.Temperature[i]);
    }
    for (std::size_t i = 1; i < c.PressureTemperature.size(); ++i) {
      EXPECT_LT(c.PressureTemperature[i - 1], c.PressureTemperature[i]);
    }
  }
  const Real constants[4][4] = {{18.9119L, 3803.98L, -41.68L, 46.069L},
                                {18.3036L, 3816.44L, -46.13L, 18.015L},
                                {18.5875L, 3626.55L, -34.29L, 32.042L},
                                {16.1516L, 2790.5L, -57.15L, 88.107L}};
  for (std::size_t k = 0; k < 4; ++k) {
    EXPECT_EQ(base[k].AntoineA, constants[k][0]);
    EXPECT_EQ(base[k].AntoineB, constants[k][1]);
    EXPECT_EQ(base[k].AntoineC, constants[k][2]);
    EXPECT_EQ(base[k].MolarMass, constants[k][3]);
  }
}

// The group parameters themselves are checked through the mixture group list and GroupSums.
TEST_F(ComponentBaseTest, GroupRecordsHoldNoFractionsOrInteractions) {
  const std::uint8_t counts[] = {2, 1, 1, 3};
  for (std::size_t k = 0; k < 4; ++k) {
    const TComponentGroups& g = base[k].Groups;
    EXPECT_EQ(g.Count, counts[k]);
    EXPECT_EQ(g.X, (std::array<Real, 10>{}));
    EXPECT_EQ(g.A, Matrix10{});
    for (std::size_t i = g.Count; i < 10; ++i) {
      EXPECT_EQ(g.IdsA[i], 0);
      EXPECT_EQ(g.Nu[i], 0);
    }
  }
  EXPECT_EQ(base[1].Groups.IdsB[0], 32);  // a blank subgroup letter is the character code 32
}

// Reference sums: exact decimal sums of the listed values of each column, with the
// build-time conversions applied (rule 1, rule 2 and 4187 J per kcal) by hand.
TEST_F(ComponentBaseTest, PropertyColumnsHoldTheListedValues) {
  struct Sums {
    Real t, liquidEnthalpy, vapourEnthalpy, density, viscosity, surfaceTension, expansion,
        heatCapacity, prandtl, conductivity;
  };
  const Sums reference[] = {
      {840L, 3068.35L, 13900.7L, 9636.24L, 0.011221L, 0.23899L, 0.01715L, 38647L, 0L, 1.9198591L},
      {1130L, 4751.09L, 35375.19L, 12421L, 0.00799L, 0.7819L, 0.008275L, 55450L, 65.22L, 8.365L},
      {540L, 1592.19L, 11361.19L, 6764L, 0.004292L, 0.17211L, 0.01284L, 24393.462L, 0L,
       1.7426713338435L},
      {540L, 1210.49L, 4657.44L, 7628L, 0.003256L, 0.1748L, 0.01423L, 19013.167L, 0L, 1.187L},
  };
  for (std::size_t k = 0; k < 4; ++k) {
    SCOPED_TRACE(base[k].EnglishName);
    const TComponentRecord& c = base[k];
    const Sums& s = reference[k];
    expectSum(sum(c.Temperature), s.t);
    expectSum(sum(c.LiquidEnthalpy), s.liquidEnthalpy);
    expectSum(sum(c.VapourEnthalpy), s.vapourEnthalpy);
    expectSum(sum(c.Density), s.density);
    expectSum(sum(c.Viscosity), s.viscosity);
    expectSum(sum(c.SurfaceTension), s.surfaceTension);
    expectSum(sum(c.ExpansionCoefficient), s.expansion);
    expectSum(sum(c.HeatCapacity), s.heatCapacity);
    expectSum(sum(c.Prandtl), s.prandtl);
    expectSum(sum(c.Conductivity), s.conductivity);
  }
  // End rows, which a shifted column would move.
  EXPECT_EQ(base[0].Density.front(), 823.0L);
  EXPECT_EQ(base[0].Density.back(), 556.8L);
  EXPECT_EQ(base[1].VapourEnthalpy.back(), 3798.0L);
  EXPECT_EQ(base[1].Prandtl.front(), 24.0L);
  EXPECT_EQ(base[1].ExpansionCoefficient.front(), -0.000063L);
  EXPECT_EQ(base[2].Temperature.back(), 140.0L);
  EXPECT_EQ(base[3].Conductivity.back(), 0.102L);
  EXPECT_EQ(base[3].Viscosity.front(), 0.00079L);
}

// Reference sums: exact decimal sums of the listed values (component 1 converted from kPa).
TEST_F(ComponentBaseTest, VapourPressureTablesHoldTheListedValues) {
  const TComponentRecord& c1 = base[0];
  expectSum(sum(c1.PressureTemperature), 2583.32L);
  expectSum(sum(c1.VapourPressure), 108063.69092273068267L);
  EXPECT_EQ(c1.PressureTemperature[16], 78.32L);

  const TComponentRecord& c2 = base[1];
  expectSum(sum(c2.PressureTemperature), 6440.0L);
  expectSum(sum(c2.VapourPressure), 68718.739L);
  EXPECT_EQ(c2.PressureTemperature[3], 15.0L);
  EXPECT_EQ(c2.PressureTemperature[4], 20.0L);
  EXPECT_EQ(c2.PressureTemperature[84], 100.0L);
  EXPECT_EQ(c2.VapourPressure[84], 760.0L);
  EXPECT_EQ(c2.PressureTemperature[85], 110.0L);
  EXPECT_EQ(c2.VapourPressure.front(), 4.579L);
  EXPECT_EQ(c2.VapourPressure.back(), 11688.96L);
}

// Hand calculations of the conversion rules; the tolerance matches the digits compared.
TEST_F(ComponentBaseTest, BuildTimeConversions) {
  const TComponentRecord& c1 = base[0];
  // Rule 1 only from 80 degC on; the rows below keep their listed values.
  EXPECT_EQ(c1.Conductivity[7], 0.1585L);
  EXPECT_NEAR(c1.Conductivity[8], 0.128001L, 5e-7L);
  EXPECT_NEAR(c1.Conductivity[8], 0.12800112L, 1e-17L);
  EXPECT_NEAR(c1.Conductivity[12], 0.1010028L, 1e-17L);
  // 0.1333 kPa per mm Hg.
  EXPECT_NEAR(c1.VapourPressure[0], 12.2281L, 5e-5L);
  EXPECT_NEAR(c1.VapourPressure[16], 760.015L, 5e-4L);
  EXPECT_NEAR(c1.VapourPressure[30], 22196.549137284321L, 1e-10L);

  const TComponentRecord& c3 = base[2];
  EXPECT_NEAR(c3.Conductivity[2], 0.204002L, 5e-7L);
  EXPECT_NEAR(c3.Conductivity[2], 0.2040021260715L, 1e-17L);
  EXPECT_NEAR(c3.Conductivity[0], 0.2167759172715L, 1e-17L);
  EXPECT_NEAR(c3.Conductivity[8], 0.1735412324715L, 1e-17L);
  EXPECT_NEAR(c3.HeatCapacity[0], 2281.915L, 1e-12L);
  EXPECT_NEAR(c3.HeatCapacity[8], 3140.25L, 1e-12L);

  const TComponentRecord& c4 = base[3];
  EXPECT_NEAR(c4.HeatCapacity[0], 1842.28L, 1e-12L);
  EXPECT_NEAR(c4.HeatCapacity[8], 2344.72L, 1e-12L);
  EXPECT_EQ(c4.Conductivity[0], 0.157L);

  // Components 2 and 4 carry no converted values.
  EXPECT_EQ(base[1].HeatCapacity[0], 4250.0L);
  EXPECT_EQ(base[1].VapourPressure[0], 4.579L);
}

TEST(SteamTables, FourteenRowsOverSteamPressure) {
  const SteamTables steam = buildSteamTables();
  // Reference sums: exact decimal sums of the listed columns.
  expectSum(sum(steam.SteamPressure), 61.0L);
  expectSum(sum(steam.SteamEnthalpy), 38283.0L);
  expectSum(sum(steam.CondensateEnthalpy), 8145.5L);
  EXPECT_EQ(steam.SteamPressure.front(), 1.0L);
  EXPECT_EQ(steam.SteamPressure[5], 2.0L);
  EXPECT_EQ(steam.SteamPressure.back(), 10.0L);
  EXPECT_EQ(steam.SteamEnthalpy.front(), 2677.0L);
  EXPECT_EQ(steam.CondensateEnthalpy.front(), 415.2L);
  EXPECT_EQ(steam.CondensateEnthalpy.back(), 759.6L);
  for (std::size_t i = 1; i < 14; ++i)
    EXPECT_LT(steam.SteamPressure[i - 1], steam.SteamPressure[i]);
}

}  // namespace
}  // namespace bubblix
