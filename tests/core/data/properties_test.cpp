#include "core/data/properties.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "core/base/errors.h"
#include "core/base/units.h"
#include "core/texts/data_texts.h"

namespace bubblix {
namespace {

const Database& db() {
  return builtInDatabase();
}

Mixture mixtureOf(std::initializer_list<const char*> names) {
  Mixture m;
  int slot = 0;
  for (const char* name : names)
    loadComponent(m, db(), slot++, name);
  return m;
}

std::size_t characters(const std::string& utf8) {
  std::size_t n = 0;
  for (unsigned char c : utf8)
    n += (c & 0xC0u) != 0x80u;
  return n;
}

TEST(GetProperty, TableKeysViewTheDatabaseTablesInPlace) {
  const TComponentRecord& c1 = db().ComponentBase[0];
  const PropertyLookup density = GetProperty(db(), "comp.1", "density");
  EXPECT_EQ(density.Record, &c1);
  EXPECT_EQ(density.X.data(), c1.Temperature.data());
  EXPECT_EQ(density.Y.data(), c1.Density.data());
  EXPECT_EQ(density.X.size(), 13u);
  EXPECT_EQ(density.Y.size(), 13u);
  EXPECT_EQ(density.Groups, nullptr);

  const PropertyLookup vapour = GetProperty(db(), "comp.2", "vap_press");
  EXPECT_EQ(vapour.X.size(), 95u);
  EXPECT_EQ(vapour.Y[84], 760.0L);
  EXPECT_TRUE(GetProperty(db(), "comp.3", "vap_press").X.empty());
  EXPECT_EQ(GetProperty(db(), "comp.4", "enthalp_l").Y.data(),
            db().ComponentBase[3].LiquidEnthalpy.data());
  EXPECT_EQ(GetProperty(db(), "comp.4", "enthalp_v").Y.data(),
            db().ComponentBase[3].VapourEnthalpy.data());
}

TEST(GetProperty, SteamKeysGiveTheSameFourteenRowsForEveryComponent) {
  for (const char* name : {"comp.1", "comp.3", "комп.4"}) {
    SCOPED_TRACE(name);
    const PropertyLookup c = GetProperty(db(), name, "enthalp_c");
    const PropertyLookup s = GetProperty(db(), name, "enthalp_s");
    ASSERT_EQ(c.X.size(), 14u);
    ASSERT_EQ(s.Y.size(), 14u);
    EXPECT_EQ(c.X[0], 1.0L);
    EXPECT_EQ(c.Y[0], 415.2L);
    EXPECT_EQ(s.Y[13], 2784.0L);
    // Between the rows 2 and 3 kgf/cm2: (502.4 + 558.9) / 2 by hand.
    EXPECT_NEAR(Interpolate(2.5L, c.Y, c.X), 530.65L, 1e-13L);
  }
}

TEST(GetProperty, AllDeliversConstantsAndGroupsOnly) {
  const PropertyLookup all = GetProperty(db(), "comp.4", "all");
  EXPECT_EQ(all.A, 16.1516L);
  EXPECT_EQ(all.B, 2790.5L);
  EXPECT_EQ(all.C, -57.15L);
  EXPECT_EQ(all.M, 88.107L);
  ASSERT_NE(all.Groups, nullptr);
  EXPECT_EQ(all.Groups->Count, 3);
  EXPECT_TRUE(all.X.empty());
  EXPECT_TRUE(all.Y.empty());
}

TEST(GetProperty, RussianNameFindsTheSameRecord) {
  for (std::size_t k = 0; k < 4; ++k) {
    const TComponentRecord& record = db().ComponentBase[k];
    EXPECT_EQ(GetProperty(db(), record.RussianName, "all").Record, &record);
    EXPECT_EQ(GetProperty(db(), record.EnglishName, "density").Record, &record);
  }
}

TEST(GetProperty, UnknownKeyCarriesTheRussianMessageWithTheKeyCut) {
  auto messageFor = [](std::string_view key) {
    try {
      GetProperty(db(), "comp.1", key);
    } catch (const DataError& e) {
      EXPECT_EQ(&e.text(), &kUnknownPropertyText);
      EXPECT_EQ(e.message(Language::English), e.message(Language::Russian));
      return e.message(Language::English);
    }
    ADD_FAILURE() << "no error for key " << key;
    return std::string();
  };
  // Keys match case-sensitively.
  EXPECT_EQ(messageFor("Density"), "свойство Density отсутствует в базе данных");
  EXPECT_EQ(messageFor("ALL"), "свойство ALL отсутствует в базе данных");
  EXPECT_EQ(messageFor("density "), "свойство density  отсутствует в базе данных");
  // "свойство " + key keeps at most 19 characters, the whole at most 45.
  const std::string cut = messageFor("vap_pressure_table");
  EXPECT_EQ(cut, "свойство vap_pressu отсутствует в базе данных");
  EXPECT_EQ(characters(cut), 45u);
  EXPECT_EQ(messageFor("плотностьжидкости"), "свойство плотностьж отсутствует в базе данных");
  // The key is checked before the name.
  EXPECT_EQ(messageFor("x"), "свойство x отсутствует в базе данных");
  EXPECT_THROW(GetProperty(db(), "no such component", "Density"), DataError);
  try {
    GetProperty(db(), "no such component", "Density");
  } catch (const DataError& e) {
    EXPECT_EQ(&e.text(), &kUnknownPropertyText);
  }
}

TEST(GetProperty, UnknownNameNamesItInBothLanguages) {
  for (const char* name : {"Comp.1", "comp.5", "", "КОМП.1", "comp.1 "}) {
    try {
      GetProperty(db(), name, "density");
      ADD_FAILURE() << "no error for " << name;
    } catch (const DataError& e) {
      EXPECT_EQ(&e.text(), &kUnknownComponentText);
      EXPECT_NE(e.message(Language::English).find('"' + std::string(name) + '"'),
                std::string::npos);
      EXPECT_NE(e.message(Language::Russian).find('"' + std::string(name) + '"'),
                std::string::npos);
    }
  }
}

// Reference values: hand calculation from the listed group parameters.
TEST(GroupSums, SumsOverTheGroupsWithMultiplicities) {
  Real r = -1;
  Real q = -1;
  std::array<Real, 10> X;
  X.fill(7.0L);
  GroupSums(db().ComponentBase[3].Groups, r, q, X);
  EXPECT_NEAR(r, 3.4786L, 1e-17L);  // 2 * 0.9011 + 0.6744 + 1.002
  EXPECT_NEAR(q, 3.116L, 1e-17L);   // 2 * 0.848 + 0.54 + 0.88
  EXPECT_EQ(X[0], 0.5L);
  EXPECT_EQ(X[1], 0.25L);
  EXPECT_EQ(X[2], 0.25L);
  EXPECT_EQ(X[3], 7.0L);  // beyond the count: not written
  EXPECT_EQ(X[9], 7.0L);

  // One group: X = 1, r = nu R, q = nu Q exactly.
  TComponentGroups one = db().ComponentBase[2].Groups;
  GroupSums(one, r, q, X);
  EXPECT_EQ(X[0], 1.0L);
  EXPECT_EQ(r, 1.4311L);
  EXPECT_EQ(q, 1.432L);
  one.Nu[0] = 3;
  GroupSums(one, r, q, X);
  EXPECT_EQ(X[0], 1.0L);
  EXPECT_EQ(r, 3 * 1.4311L);
  EXPECT_EQ(q, 3 * 1.432L);
}

TEST(GroupSums, RefusesRecordsWithoutGroups) {
  Real r = 0;
  Real q = 0;
  std::array<Real, 10> X{};
  TComponentGroups groups = db().ComponentBase[0].Groups;
  groups.Count = 0;
  EXPECT_THROW(GroupSums(groups, r, q, X), DataError);
  groups.Count = 11;
  EXPECT_THROW(GroupSums(groups, r, q, X), DataError);
  groups.Count = 2;
  groups.Nu = {};
  EXPECT_THROW(GroupSums(groups, r, q, X), DataError);
  // Large multiplicities do not wrap around a byte.
  groups.Nu[0] = 200;
  groups.Nu[1] = 200;
  GroupSums(groups, r, q, X);
  EXPECT_EQ(X[0], 0.5L);
}

TEST(Interpolate, TabulatedAbscissaeGiveTheirOrdinatesExactly) {
  const TComponentRecord& c2 = db().ComponentBase[1];
  for (std::size_t i = 0; i < c2.PressureTemperature.size(); ++i) {
    EXPECT_EQ(Interpolate(c2.PressureTemperature[i], c2.VapourPressure, c2.PressureTemperature),
              c2.VapourPressure[i]);
  }
  // Inside an interval: hand calculation, 0.3 of the way from 20 to 21 degC.
  EXPECT_NEAR(Interpolate(20.3L, c2.VapourPressure, c2.PressureTemperature),
              17.54L + 0.3L * (18.65L - 17.54L), 1e-15L);
  // An interval of 10 degC: half way between 100 and 110 degC.
  EXPECT_NEAR(Interpolate(105.0L, c2.VapourPressure, c2.PressureTemperature),
              (760.0L + 1075.37L) / 2, 1e-12L);
}

TEST(Interpolate, ExtendsTheEndIntervalsWithoutReadingOutside) {
  // The table sits between NaN guards: a read outside it would show in the result.
  const Real nan = std::numeric_limits<Real>::quiet_NaN();
  const std::array<Real, 6> xs = {nan, 0.0L, 10.0L, 20.0L, 30.0L, nan};
  const std::array<Real, 6> ys = {nan, 5.0L, 7.0L, 13.0L, 10.0L, nan};
  const std::span<const Real> X(xs.data() + 1, 4);
  const std::span<const Real> Y(ys.data() + 1, 4);
  // Below: the first interval's slope 0.2; above: the last interval's slope -0.3.
  EXPECT_NEAR(Interpolate(-10.0L, Y, X), 3.0L, 1e-17L);
  EXPECT_NEAR(Interpolate(-1e6L, Y, X), 5.0L - 2e5L, 1e-9L);
  EXPECT_EQ(Interpolate(0.0L, Y, X), 5.0L);
  EXPECT_NEAR(Interpolate(40.0L, Y, X), 7.0L, 1e-15L);
  EXPECT_NEAR(Interpolate(1e6L, Y, X), 10.0L - 0.3L * (1e6L - 30.0L), 1e-7L);
  // Continuity at both ends.
  EXPECT_NEAR(Interpolate(-1e-12L, Y, X), 5.0L, 1e-12L);
  EXPECT_NEAR(Interpolate(30.0L + 1e-12L, Y, X), 10.0L, 1e-12L);
  EXPECT_EQ(Interpolate(30.0L, Y, X), 10.0L);
}

TEST(Interpolate, ShortTables) {
  const std::array<Real, 1> one = {4.0L};
  EXPECT_EQ(Interpolate(-3.0L, one, one), 4.0L);
  EXPECT_EQ(Interpolate(9.0L, one, one), 4.0L);
  EXPECT_THROW(Interpolate(1.0L, {}, {}), DataError);
}

TEST(LoadComponent, FillsTheSlotFromTheNamedRecord) {
  Mixture m;
  loadComponent(m, db(), 2, "комп.4");
  EXPECT_EQ(m.ComponentNames[2], "комп.4");
  EXPECT_EQ(m.MixAntoineA[2], 16.1516L);
  EXPECT_EQ(m.MixAntoineB[2], 2790.5L);
  EXPECT_EQ(m.MixAntoineC[2], -57.15L);
  EXPECT_EQ(m.MolarMasses[2], 88.107L);
  EXPECT_NEAR(m.r[2], 3.4786L, 1e-17L);
  EXPECT_NEAR(m.q[2], 3.116L, 1e-17L);
  EXPECT_EQ(m.Groups[2].Count, 3);
  EXPECT_EQ(m.Groups[2].X[0], 0.5L);
  EXPECT_EQ(m.Groups[2].X[2], 0.25L);
  EXPECT_EQ(m.Groups[2].Q, db().ComponentBase[3].Groups.Q);
  EXPECT_EQ(m.Records[2], &db().ComponentBase[3]);
  EXPECT_EQ(m.Records[0], nullptr);
}

TEST(LoadComponent, RefusesUnknownNamesAndSlotsAndKeepsTheSlot) {
  Mixture m;
  loadComponent(m, db(), 0, "comp.1");
  EXPECT_THROW(loadComponent(m, db(), 0, "ethanol"), DataError);
  EXPECT_EQ(m.ComponentNames[0], "comp.1");
  EXPECT_EQ(m.Records[0], &db().ComponentBase[0]);
  EXPECT_THROW(loadComponent(m, db(), 4, "comp.1"), DataError);
  EXPECT_THROW(loadComponent(m, db(), -1, "comp.1"), DataError);
}

// Hand calculation: 46.069 g/mol / 789.45 kg/m3; six significant digits as shown.
TEST(MolarVolume, DividesTheMolarMassByTheInterpolatedDensity) {
  const Mixture m = mixtureOf({"comp.2", "comp.1"});
  EXPECT_NEAR(MolarVolume(m, 1, 20.0L), 0.0583558L, 5e-8L);
  EXPECT_NEAR(MolarVolume(m, 1, 20.0L), 0.058355817341186902L, 1e-19L);
  EXPECT_NEAR(MolarVolume(m, 0, 100.0L), 18.015L / 958.0L, 1e-19L);
  // Half way between 20 and 30 degC the density is 785.205 kg/m3.
  EXPECT_NEAR(MolarVolume(m, 1, 25.0L), 46.069L / 785.205L, 1e-17L);
  // The slot's molar mass is used.
  Mixture heavier = m;
  heavier.MolarMasses[1] = 2 * 46.069L;
  EXPECT_NEAR(MolarVolume(heavier, 1, 20.0L), 2 * 0.058355817341186902L, 1e-18L);
}

TEST(MolarVolume, RefusesSlotsWithoutComponentAndNonPositiveDensities) {
  const Mixture m = mixtureOf({"comp.1"});
  EXPECT_THROW(MolarVolume(m, 1, 20.0L), DataError);
  EXPECT_THROW(MolarVolume(m, 4, 20.0L), DataError);
  EXPECT_THROW(MolarVolume(m, -1, 20.0L), DataError);
  // The last interval, extended, reaches zero density near 502 degC.
  EXPECT_GT(MolarVolume(m, 0, 250.0L), MolarVolume(m, 0, 200.0L));
  EXPECT_THROW(MolarVolume(m, 0, 1000.0L), ArithmeticError);
  EXPECT_THROW(MolarVolume(m, 0, std::numeric_limits<Real>::quiet_NaN()), ArithmeticError);
  EXPECT_THROW(MolarVolume(m, 0, std::numeric_limits<Real>::infinity()), ArithmeticError);
  try {
    MolarVolume(m, 0, 1000.0L);
  } catch (const ArithmeticError& e) {
    EXPECT_EQ(e.message(Language::English),
              "The liquid density of comp.1 at 1000 °C is not a positive number");
  }
}

TEST(SaturationPressure, TableComponentsAtTheirBoilingPoints) {
  const Mixture m = mixtureOf({"comp.1", "comp.2"});
  // 760 mm Hg is the listed value at 100 degC; 760 * 133.3 = 101308 Pa.
  const Real p2 = SaturationPressure(m, 1, tauFromCelsius(100.0L));
  EXPECT_NEAR(paToMmHg(p2), 760.0L, 1e-12L);
  EXPECT_NEAR(p2, 101308.0L, 1e-9L);
  // 101.31 kPa / 0.1333 = 760.015 mm Hg; times 133.3 Pa per mm Hg gives 101310 Pa.
  const Real p1 = SaturationPressure(m, 0, tauFromCelsius(78.32L));
  EXPECT_NEAR(paToMmHg(p1), 760.015L, 5e-4L);
  EXPECT_NEAR(p1, 101310.0L, 1e-8L);
}

TEST(SaturationPressure, EquationComponentsNeverUseATable) {
  Mixture m = mixtureOf({"comp.3", "comp.4", "comp.1"});
  // Hand calculations: exp(A - B / (T + C)) mm Hg with T = 337.7 K and 350.3 K.
  EXPECT_NEAR(SaturationPressure(m, 0, tauFromCelsius(64.55L)) / 101464.46148799759L, 1.0L, 1e-15L);
  EXPECT_NEAR(SaturationPressure(m, 1, tauFromCelsius(77.15L)) / 101233.46463516526L, 1.0L, 1e-15L);
  // ln(P / 133.3) = A - B / (273.15 tau + C) over a range of temperatures.
  for (Real tau = 0.9L; tau < 1.6L; tau += 0.05L) {
    for (int slot : {0, 1}) {
      const auto s = static_cast<std::size_t>(slot);
      const Real expected =
          m.MixAntoineA[s] - m.MixAntoineB[s] / (273.15L * tau + m.MixAntoineC[s]);
      EXPECT_NEAR(std::log(SaturationPressure(m, slot, tau) / 133.3L), expected, 1e-15L);
    }
  }
  // The slot's constants decide; a table component ignores them.
  const Real before3 = SaturationPressure(m, 0, 1.2L);
  const Real before1 = SaturationPressure(m, 2, 1.2L);
  m.MixAntoineA[0] += 1.0L;
  m.MixAntoineA[2] += 1.0L;
  EXPECT_NEAR(SaturationPressure(m, 0, 1.2L) / before3, std::exp(1.0L), 1e-15L);
  EXPECT_EQ(SaturationPressure(m, 2, 1.2L), before1);
}

TEST(SaturationPressure, RussianNameTakesTheSameBranchAndValues) {
  const Mixture english = mixtureOf({"comp.1", "comp.2", "comp.3", "comp.4"});
  const Mixture russian = mixtureOf({"комп.1", "комп.2", "комп.3", "комп.4"});
  for (int slot = 0; slot < 4; ++slot) {
    for (Real t : {-5.0L, 0.0L, 33.3L, 78.32L, 100.0L, 163.0L, 205.0L}) {
      EXPECT_EQ(SaturationPressure(russian, slot, tauFromCelsius(t)),
                SaturationPressure(english, slot, tauFromCelsius(t)));
      EXPECT_EQ(MolarVolume(russian, slot, t), MolarVolume(english, slot, t));
    }
  }
}

TEST(SaturationPressure, TablesExtendContinuouslyAndRefuseMeaninglessPressures) {
  const Mixture m = mixtureOf({"comp.1", "comp.2", "comp.3"});
  for (int slot : {0, 1}) {
    const TComponentRecord& record = *m.Records[static_cast<std::size_t>(slot)];
    const Real last = record.PressureTemperature.back();
    const Real atLast = SaturationPressure(m, slot, tauFromCelsius(last));
    EXPECT_NEAR(SaturationPressure(m, slot, tauFromCelsius(last + 1e-9L)) / atLast, 1.0L, 1e-9L);
    EXPECT_GT(SaturationPressure(m, slot, tauFromCelsius(last + 10.0L)), atLast);
    const Real atFirst = SaturationPressure(m, slot, 1.0L);
    EXPECT_NEAR(SaturationPressure(m, slot, tauFromCelsius(-1e-9L)) / atFirst, 1.0L, 1e-6L);
    EXPECT_LT(SaturationPressure(m, slot, tauFromCelsius(-1.0L)), atFirst);
  }
  // Extended below 0 degC, component 1's first interval reaches zero near -12 degC.
  EXPECT_THROW(SaturationPressure(m, 0, tauFromCelsius(-30.0L)), ArithmeticError);
  // T + C = 0 for component 3.
  EXPECT_THROW(SaturationPressure(m, 2, 34.29L / 273.15L), ArithmeticError);
  EXPECT_THROW(SaturationPressure(m, 2, std::numeric_limits<Real>::quiet_NaN()), ArithmeticError);
  EXPECT_THROW(SaturationPressure(m, 3, 1.2L), DataError);
}

}  // namespace
}  // namespace bubblix
