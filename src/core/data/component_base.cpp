#include "core/data/component_base.h"

#include <initializer_list>
#include <span>

namespace bubblix {
namespace {

// One row of the ten temperature tables, as stored before the build-time conversions.
struct PropertyRow {
  Real t;  // degC
  Real liquidEnthalpy;
  Real vapourEnthalpy;
  Real density;
  Real viscosity;
  Real surfaceTension;
  Real expansionCoefficient;
  Real heatCapacity;
  Real prandtl;
  Real conductivity;
};

struct GroupEntry {
  std::uint8_t mainGroup;
  char subgroupLetter;  // 'A', 'B' or ' '
  std::uint8_t nu;
  Real Q;
  Real R;
};

void storeGroups(TComponentRecord& c, std::initializer_list<GroupEntry> groups) {
  std::size_t k = 0;
  for (const GroupEntry& g : groups) {
    c.Groups.IdsA[k] = g.mainGroup;
    c.Groups.IdsB[k] = static_cast<std::uint8_t>(g.subgroupLetter);
    c.Groups.Nu[k] = g.nu;
    c.Groups.Q[k] = g.Q;
    c.Groups.R[k] = g.R;
    ++k;
  }
  c.Groups.Count = static_cast<std::uint8_t>(k);
}

void storeProperties(TComponentRecord& c, std::span<const PropertyRow> rows) {
  c.PropertyRows = static_cast<std::uint16_t>(rows.size());
  for (const PropertyRow& row : rows) {
    c.Temperature.push_back(row.t);
    c.LiquidEnthalpy.push_back(row.liquidEnthalpy);
    c.VapourEnthalpy.push_back(row.vapourEnthalpy);
    c.Density.push_back(row.density);
    c.Viscosity.push_back(row.viscosity);
    c.SurfaceTension.push_back(row.surfaceTension);
    c.ExpansionCoefficient.push_back(row.expansionCoefficient);
    c.HeatCapacity.push_back(row.heatCapacity);
    c.Prandtl.push_back(row.prandtl);
    c.Conductivity.push_back(row.conductivity);
  }
}

void storeVapourPressure(TComponentRecord& c, std::span<const Real> t, std::span<const Real> p) {
  c.PressureRows = static_cast<std::uint16_t>(t.size());
  c.PressureTemperature.assign(t.begin(), t.end());
  c.VapourPressure.assign(p.begin(), p.end());
}

void storeConstants(TComponentRecord& c, Real a, Real b, Real cc, Real molarMass) {
  c.AntoineA = a;
  c.AntoineB = b;
  c.AntoineC = cc;
  c.MolarMass = molarMass;
}

// Liquid thermal conductivity of component 1 above 60 degC, W/(m K), t in degC.
Real conductivityRule1(Real t) {
  return 0.146L * (1.0L - 0.001541L * t);
}

// Liquid thermal conductivity of component 3, W/(m K), t in degC.
Real conductivityRule2(Real t) {
  const Real T = t + 273.15L;
  return 0.328L - 0.000543L * T + 4.094e-7L * (T * T);
}

constexpr Real kKPaPerMmHg = 0.1333L;  // the tables' own factor, not 0.133322
constexpr Real kJPerKcal = 4187.0L;

// Placeholders of the cells that a conversion rule computes after the tables are stored.
constexpr Real kRule1 = 0.0L;
constexpr Real kRule2 = 0.0L;

// Columns: t, LiquidEnthalpy, VapourEnthalpy, Density, Viscosity, SurfaceTension,
// ExpansionCoefficient, HeatCapacity, Prandtl, Conductivity.
constexpr PropertyRow kComponent1[] = {
    {-20.0L, -42.8L, 887.5L, 823.0L, 0.00238L, 0.0257L, 0.00103L, 2095.0L, 0.0L, 0.177L},
    {0.0L, 0.0L, 920.3L, 806.25L, 0.00178L, 0.02405L, 0.00105L, 2345.0L, 0.0L, 0.1725L},
    {10.0L, 24.28L, 939.53L, 797.88L, 0.00146L, 0.02361L, 0.00105L, 2428.0L, 0.0L, 0.17L},
    {20.0L, 51.08L, 961.28L, 789.45L, 0.00119L, 0.02275L, 0.00108L, 2554.0L, 0.0L, 0.168L},
    {30.0L, 79.14L, 984.34L, 780.96L, 0.001L, 0.02189L, 0.00108L, 2638.0L, 0.0L, 0.1655L},
    {40.0L, 110.52L, 1010.72L, 772.2L, 0.000825L, 0.02102L, 0.00113L, 2763.0L, 0.0L, 0.1635L},
    {50.0L, 144.45L, 1034.6L, 763.3L, 0.000701L, 0.02014L, 0.00113L, 2889.0L, 0.0L, 0.1611L},
    {60.0L, 178.38L, 1058.48L, 754.0L, 0.000591L, 0.01924L, 0.00122L, 2973.0L, 0.0L, 0.1585L},
    {80.0L, 254.56L, 1104.46L, 734.8L, 0.000435L, 0.0173L, 0.00133L, 3182.0L, 0.0L, kRule1},
    {100.0L, 339.1L, 1149.2L, 715.7L, 0.000326L, 0.01547L, 0.00144L, 3391.0L, 0.0L, kRule1},
    {120.0L, 432.12L, 1192.02L, 693.0L, 0.000248L, 0.0134L, 0.00187L, 3601.0L, 0.0L, kRule1},
    {150.0L, 584.1L, 1264.65L, 648.9L, 0.000165L, 0.01016L, 0.00187L, 3894.0L, 0.0L, kRule1},
    {200.0L, 913.42L, 1393.62L, 556.8L, 0.00012L, 0.00426L, 0.00187L, 3894.0L, 0.0L, kRule1},
};

constexpr PropertyRow kComponent2[] = {
    {-20.0L, -79.61L, 2459.69L, 1000.0L, 0.002L, 0.0756L, -0.000063L, 4250.0L, 24.0L, 0.52L},
    {0.0L, 0.0L, 2493.1L, 1000.0L, 0.00179L, 0.0756L, -0.000063L, 4230.0L, 13.7L, 0.551L},
    {20.0L, 83.8L, 2532.0L, 998.0L, 0.001L, 0.0727L, 0.000182L, 4190.0L, 7.02L, 0.599L},
    {40.0L, 167.6L, 2570.6L, 992.0L, 0.000657L, 0.0697L, 0.000387L, 4180.0L, 4.31L, 0.634L},
    {50.0L, 209.5L, 2589.5L, 988.0L, 0.000549L, 0.0677L, 0.000449L, 4180.0L, 3.54L, 0.648L},
    {60.0L, 251.4L, 2608.3L, 983.0L, 0.00047L, 0.0662L, 0.000511L, 4180.0L, 2.98L, 0.659L},
    {80.0L, 335.2L, 2644.0L, 972.0L, 0.000355L, 0.0626L, 0.000632L, 4190.0L, 2.21L, 0.675L},
    {100.0L, 419.0L, 2679.0L, 958.0L, 0.000282L, 0.0589L, 0.00075L, 4230.0L, 1.75L, 0.683L},
    {120.0L, 504.1L, 2711.0L, 943.0L, 0.000231L, 0.0549L, 0.00086L, 4230.0L, 1.43L, 0.686L},
    {140.0L, 589.5L, 2740.0L, 926.0L, 0.000196L, 0.0507L, 0.00097L, 4270.0L, 1.23L, 0.685L},
    {160.0L, 654.1L, 2765.0L, 907.0L, 0.000174L, 0.0466L, 0.00108L, 4360.0L, 1.1L, 0.683L},
    {180.0L, 763.8L, 2785.0L, 887.0L, 0.000153L, 0.0424L, 0.00122L, 4440.0L, 1.01L, 0.675L},
    {200.0L, 852.7L, 3798.0L, 867.0L, 0.000133L, 0.0383L, 0.00136L, 4520.0L, 0.94L, 0.667L},
};

// HeatCapacity in kcal/(kg K), converted below.
constexpr PropertyRow kComponent3[] = {
    {-20.0L, -45.25L, 1178.15L, 828.0L, 0.00116L, 0.0266L, 0.00109L, 0.545L, 0.0L, kRule2},
    {0.0L, 0.0L, 1198.3L, 810.0L, 0.000817L, 0.0245L, 0.00114L, 0.568L, 0.0L, kRule2},
    {20.0L, 49.44L, 1222.64L, 792.0L, 0.000584L, 0.02261L, 0.00119L, 0.595L, 0.0L, kRule2},
    {40.0L, 103.91L, 1245.71L, 774.0L, 0.00045L, 0.0209L, 0.00127L, 0.62L, 0.0L, kRule2},
    {60.0L, 162.15L, 1272.55L, 756.0L, 0.000351L, 0.0193L, 0.0013L, 0.646L, 0.0L, kRule2},
    {80.0L, 226.26L, 1288.41L, 736.0L, 0.00029L, 0.0176L, 0.00142L, 0.675L, 0.0L, kRule2},
    {100.0L, 291.2L, 1305.1L, 714.0L, 0.00024L, 0.0157L, 0.00161L, 0.7L, 0.0L, kRule2},
    {120.0L, 364.53L, 1317.78L, 690.0L, 0.00021L, 0.0136L, 0.00181L, 0.727L, 0.0L, kRule2},
    {140.0L, 439.95L, 1332.55L, 664.0L, 0.00019L, 0.0113L, 0.00201L, 0.75L, 0.0L, kRule2},
};

// HeatCapacity in kcal/(kg K), converted below.
constexpr PropertyRow kComponent4[] = {
    {-20.0L, -37.29L, 406.01L, 947.0L, 0.00079L, 0.0295L, 0.0012L, 0.44L, 0.0L, 0.157L},
    {0.0L, 0.0L, 427.4L, 924.0L, 0.000578L, 0.0269L, 0.00126L, 0.463L, 0.0L, 0.151L},
    {20.0L, 39.8L, 451.3L, 901.0L, 0.000449L, 0.0243L, 0.00135L, 0.477L, 0.0L, 0.145L},
    {40.0L, 82.12L, 480.82L, 876.0L, 0.00036L, 0.0217L, 0.00146L, 0.493L, 0.0L, 0.139L},
    {60.0L, 125.7L, 511.6L, 851.0L, 0.000297L, 0.0192L, 0.00152L, 0.505L, 0.0L, 0.133L},
    {80.0L, 174.3L, 545.1L, 825.0L, 0.000248L, 0.0168L, 0.0016L, 0.52L, 0.0L, 0.127L},
    {100.0L, 223.33L, 579.03L, 797.0L, 0.00021L, 0.0144L, 0.00176L, 0.535L, 0.0L, 0.119L},
    {120.0L, 274.03L, 610.48L, 768.0L, 0.000178L, 0.0121L, 0.00194L, 0.548L, 0.0L, 0.114L},
    {140.0L, 328.5L, 645.7L, 739.0L, 0.000146L, 0.0099L, 0.00214L, 0.56L, 0.0L, 0.102L},
};

constexpr Real kComponent1PressureTemperature[] = {
    0.0L,   5.0L,   10.0L,  15.0L,  20.0L,  25.0L,  30.0L,  35.0L,  40.0L, 45.0L,  50.0L,
    55.0L,  60.0L,  65.0L,  70.0L,  75.0L,  78.32L, 80.0L,  85.0L,  90.0L, 100.0L, 110.0L,
    120.0L, 130.0L, 140.0L, 150.0L, 160.0L, 170.0L, 180.0L, 190.0L, 200.0L};
// kPa, converted to mm Hg below.
constexpr Real kComponent1VapourPressure[] = {
    1.63L,  2.31L,  3.15L,  4.29L,  5.85L,   7.86L,   10.5L,   13.82L,  18.03L, 23.19L, 29.62L,
    37.4L,  47.02L, 59.82L, 72.31L, 88.79L,  101.31L, 108.32L, 131.47L, 158.3L, 225.8L, 314.8L,
    429.9L, 576.1L, 758.6L, 982.9L, 1255.5L, 1581.8L, 1969.9L, 2425.8L, 2958.8L};

constexpr Real kComponent2PressureTemperature[] = {
    0.0L,   5.0L,   10.0L,  15.0L,  20.0L,  21.0L,  22.0L,  23.0L,  24.0L,  25.0L,  26.0L, 27.0L,
    28.0L,  29.0L,  30.0L,  31.0L,  32.0L,  33.0L,  34.0L,  35.0L,  36.0L,  37.0L,  38.0L, 39.0L,
    40.0L,  41.0L,  42.0L,  43.0L,  44.0L,  45.0L,  46.0L,  47.0L,  48.0L,  49.0L,  50.0L, 51.0L,
    52.0L,  53.0L,  54.0L,  55.0L,  56.0L,  57.0L,  58.0L,  59.0L,  60.0L,  61.0L,  62.0L, 63.0L,
    64.0L,  65.0L,  66.0L,  67.0L,  68.0L,  69.0L,  70.0L,  71.0L,  72.0L,  73.0L,  74.0L, 75.0L,
    76.0L,  77.0L,  78.0L,  79.0L,  80.0L,  81.0L,  82.0L,  83.0L,  84.0L,  85.0L,  86.0L, 87.0L,
    88.0L,  89.0L,  90.0L,  91.0L,  92.0L,  93.0L,  94.0L,  95.0L,  96.0L,  97.0L,  98.0L, 99.0L,
    100.0L, 110.0L, 120.0L, 130.0L, 140.0L, 150.0L, 160.0L, 170.0L, 180.0L, 190.0L, 200.0L};
// mm Hg.
constexpr Real kComponent2VapourPressure[] = {
    4.579L,   6.54L,    9.21L,    12.79L,  17.54L,   18.65L,   19.83L,   21.07L,   22.38L,
    23.76L,   25.21L,   26.74L,   28.35L,  30.04L,   31.82L,   33.7L,    35.66L,   37.73L,
    39.9L,    42.18L,   44.56L,   47.07L,  49.65L,   52.44L,   55.32L,   58.34L,   61.5L,
    64.8L,    68.26L,   71.88L,   75.65L,  79.6L,    83.71L,   88.02L,   92.51L,   97.2L,
    102.1L,   107.2L,   112.5L,   118.0L,  123.8L,   129.8L,   136.1L,   142.6L,   149.4L,
    156.4L,   163.8L,   171.4L,   179.3L,  187.5L,   196.1L,   205.0L,   214.2L,   223.7L,
    233.7L,   243.9L,   254.6L,   265.7L,  277.2L,   289.1L,   301.4L,   314.1L,   327.3L,
    341.0L,   355.1L,   369.7L,   384.9L,  400.6L,   416.8L,   433.6L,   450.9L,   468.7L,
    487.1L,   506.1L,   525.8L,   546.1L,  567.0L,   588.6L,   610.9L,   633.9L,   657.6L,
    682.1L,   707.3L,   733.2L,   760.0L,  1075.37L, 1491.28L, 2030.28L, 2717.63L, 3581.23L,
    4651.62L, 5961.66L, 7546.92L, 9442.7L, 11688.96L};

}  // namespace

ComponentTable buildComponentBase() {
  ComponentTable base(kBuiltInComponents);

  TComponentRecord& c1 = base[0];
  c1.EnglishName = "comp.1";
  c1.RussianName = "комп.1";
  storeGroups(c1, {{1, 'A', 1, 0.848L, 0.9011L}, {5, 'A', 1, 1.124L, 1.2044L}});
  storeConstants(c1, 18.9119L, 3803.98L, -41.68L, 46.069L);
  storeProperties(c1, kComponent1);
  storeVapourPressure(c1, kComponent1PressureTemperature, kComponent1VapourPressure);
  for (std::size_t k = 8; k < 13; ++k)
    c1.Conductivity[k] = conductivityRule1(c1.Temperature[k]);
  for (Real& p : c1.VapourPressure)
    p = p / kKPaPerMmHg;

  TComponentRecord& c2 = base[1];
  c2.EnglishName = "comp.2";
  c2.RussianName = "комп.2";
  storeGroups(c2, {{6, ' ', 1, 1.4L, 0.92L}});
  storeConstants(c2, 18.3036L, 3816.44L, -46.13L, 18.015L);
  storeProperties(c2, kComponent2);
  storeVapourPressure(c2, kComponent2PressureTemperature, kComponent2VapourPressure);

  TComponentRecord& c3 = base[2];
  c3.EnglishName = "comp.3";
  c3.RussianName = "комп.3";
  storeGroups(c3, {{5, 'B', 1, 1.432L, 1.4311L}});
  storeConstants(c3, 18.5875L, 3626.55L, -34.29L, 32.042L);
  storeProperties(c3, kComponent3);
  for (Real& cp : c3.HeatCapacity)
    cp = cp * kJPerKcal;
  for (std::size_t k = 0; k < c3.Conductivity.size(); ++k) {
    c3.Conductivity[k] = conductivityRule2(c3.Temperature[k]);
  }

  TComponentRecord& c4 = base[3];
  c4.EnglishName = "comp.4";
  c4.RussianName = "комп.4";
  storeGroups(
      c4, {{1, 'A', 2, 0.848L, 0.9011L}, {1, 'B', 1, 0.54L, 0.6744L}, {10, ' ', 1, 0.88L, 1.002L}});
  storeConstants(c4, 16.1516L, 2790.5L, -57.15L, 88.107L);
  storeProperties(c4, kComponent4);
  for (Real& cp : c4.HeatCapacity)
    cp = cp * kJPerKcal;

  return base;
}

SteamTables buildSteamTables() {
  SteamTables steam;
  steam.SteamPressure = {1.0L, 1.2L, 1.4L, 1.6L, 1.8L, 2.0L, 3.0L,
                         4.0L, 5.0L, 6.0L, 7.0L, 8.0L, 9.0L, 10.0L};  // kgf/cm2
  steam.SteamEnthalpy = {2677.0L, 2686.0L, 2693.0L, 2703.0L, 2709.0L, 2710.0L, 2730.0L,
                         2744.0L, 2754.0L, 2768.0L, 2769.0L, 2776.0L, 2780.0L, 2784.0L};  // kJ/kg
  steam.CondensateEnthalpy = {415.2L, 437.0L, 456.3L, 473.1L, 483.6L, 502.4L, 558.9L,
                              601.1L, 637.7L, 667.9L, 694.3L, 718.4L, 740.0L, 759.6L};  // kJ/kg
  return steam;
}

}  // namespace bubblix
