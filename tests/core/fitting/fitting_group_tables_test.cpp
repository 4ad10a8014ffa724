#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "core/base/errors.h"
#include "core/data/database.h"
#include "core/fitting/unifac_group_tables.h"
#include "core/models/model_test_support.h"

namespace bubblix {
namespace {

using Ids = std::array<std::uint8_t, 10>;

// A main-group table whose every entry is distinct and non-zero, the diagonal included, so
// that a wrong index or a missed zero shows: [m][n] = 100 (m + 1) + (n + 1).
MainGroupTableType numberedTable() {
  MainGroupTableType table{};
  for (std::size_t m = 0; m < 18; ++m) {
    for (std::size_t n = 0; n < 18; ++n)
      table[m][n] = static_cast<Real>(100 * (m + 1) + (n + 1));
  }
  return table;
}

TEST(UnifacGroupTables, SubgroupClassesAreABCAndEveryOtherLetter) {
  EXPECT_EQ(subgroupClass('A'), 0);
  EXPECT_EQ(subgroupClass('B'), 1);
  EXPECT_EQ(subgroupClass('C'), 2);
  for (int other : {' ', 'D', 'a', '\0', '\xC8'})
    EXPECT_EQ(subgroupClass(static_cast<std::uint8_t>(other)), 3) << other;
}

TEST(UnifacGroupTables, SubgroupTableStartsFromTheMainGroupsWithZeroWithinOneMainGroup) {
  const MainGroupTableType main = numberedTable();
  const SubgroupTableType sub = subgroupTableFromMainGroups(main);
  for (std::size_t m = 0; m < 18; ++m) {
    for (std::size_t n = 0; n < 18; ++n) {
      for (std::size_t c = 0; c < 4; ++c) {
        for (std::size_t d = 0; d < 4; ++d) {
          ASSERT_EQ(sub[m][n][c][d], m == n ? 0.0L : main[m][n]) << m << n << c << d;
        }
      }
    }
  }
  const UnifacTables tables = startUnifacTables(main, UnifacVariant::Subgroups);
  EXPECT_EQ(tables.Variant, UnifacVariant::Subgroups);
  EXPECT_EQ(tables.MainGroupTable, main);
  EXPECT_EQ(tables.SubgroupTable, sub);
}

TEST(UnifacGroupTables, SetGroupParameterWritesOneEntryAndIgnoresAGroupWithItself) {
  const Ids mains = {1, 5, 5, 10};
  const Ids letters = {'A', 'A', 'B', ' '};

  UnifacTables v1 = startUnifacTables(numberedTable(), UnifacVariant::MainGroups);
  UnifacTables expected = v1;
  SetGroupParameter(v1, mains, letters, 2, 2, -7.0L);
  EXPECT_EQ(v1.MainGroupTable, expected.MainGroupTable);
  SetGroupParameter(v1, mains, letters, 3, 1, -7.0L);  // main groups 10 and 5
  expected.MainGroupTable[9][4] = -7.0L;
  EXPECT_EQ(v1.MainGroupTable, expected.MainGroupTable);
  EXPECT_EQ(v1.SubgroupTable, expected.SubgroupTable);

  UnifacTables v2 = startUnifacTables(numberedTable(), UnifacVariant::Subgroups);
  expected = v2;
  SetGroupParameter(v2, mains, letters, 1, 1, -7.0L);
  EXPECT_EQ(v2.SubgroupTable, expected.SubgroupTable);
  // 5A next to 5B: the block of main group 5 with itself, class A major, class B minor.
  SetGroupParameter(v2, mains, letters, 1, 2, -7.0L);
  expected.SubgroupTable[4][4][0][1] = -7.0L;
  // 10 (class of a blank) next to 5B.
  SetGroupParameter(v2, mains, letters, 3, 2, 3.5L);
  expected.SubgroupTable[9][4][3][1] = 3.5L;
  EXPECT_EQ(v2.SubgroupTable, expected.SubgroupTable);
  EXPECT_EQ(v2.MainGroupTable, expected.MainGroupTable);
}

TEST(UnifacGroupTables, MainGroupMatrixIsZeroWithinOneMainGroupSubgroupMatrixOnlyOnItsDiagonal) {
  const Ids mains = {1, 5, 1, 10};
  const Ids letters = {'A', 'A', 'B', ' '};
  const MainGroupTableType main = numberedTable();

  const Matrix10 a1 =
      BuildGroupMatrix(startUnifacTables(main, UnifacVariant::MainGroups), 4, mains, letters);
  UnifacTables v2 = startUnifacTables(main, UnifacVariant::Subgroups);
  v2.SubgroupTable[0][0][0][1] = 11.0L;  // 1A next to 1B
  v2.SubgroupTable[0][0][1][0] = 12.0L;  // 1B next to 1A
  v2.SubgroupTable[4][9][0][3] = 13.0L;  // 5A next to 10
  const Matrix10 a2 = BuildGroupMatrix(v2, 4, mains, letters);

  for (std::size_t g = 0; g < 10; ++g) {
    for (std::size_t h = 0; h < 10; ++h) {
      Real expected1 = 0.0L;
      if (g < 4 && h < 4 && mains[g] != mains[h]) expected1 = main[mains[g] - 1u][mains[h] - 1u];
      EXPECT_EQ(a1[g][h], expected1) << g << h;
    }
  }
  for (std::size_t g = 0; g < 4; ++g)
    EXPECT_EQ(a2[g][g], 0.0L);
  EXPECT_EQ(a2[0][2], 11.0L);
  EXPECT_EQ(a2[2][0], 12.0L);
  EXPECT_EQ(a2[1][3], 13.0L);
  EXPECT_EQ(a2[3][1], main[9][4]);
  EXPECT_EQ(a2[4][0], 0.0L);  // outside the listed groups
}

TEST(UnifacGroupTables, ParametersFillTheOffDiagonalPairsRowByRow) {
  // Four different main groups, so every ordered pair has an entry of its own; parameter k
  // (0-based) gets the value k + 1.
  const Ids mains = {1, 5, 6, 10};
  const Ids letters = {'A', 'A', ' ', ' '};
  TParamVector p{};
  for (std::size_t k = 0; k < 12; ++k)
    p[k] = static_cast<Real>(k + 1);
  const int expected[4][4] = {{0, 1, 2, 3}, {4, 0, 5, 6}, {7, 8, 0, 9}, {10, 11, 12, 0}};
  for (UnifacVariant variant : {UnifacVariant::MainGroups, UnifacVariant::Subgroups}) {
    UnifacTables tables = startUnifacTables(MainGroupTableType{}, variant);
    distributeGroupParameters(tables, 4, mains, letters, p);
    const Matrix10 a = BuildGroupMatrix(tables, 4, mains, letters);
    for (std::size_t g = 0; g < 4; ++g) {
      for (std::size_t h = 0; h < 4; ++h) {
        EXPECT_EQ(a[g][h], static_cast<Real>(expected[g][h])) << g << h;
        EXPECT_EQ(groupParameter(tables, mains, letters, static_cast<int>(g), static_cast<int>(h)),
                  a[g][h]);
      }
    }
  }
}

TEST(UnifacGroupTables, MainGroupOutsideTheTableIsRefused) {
  UnifacTables tables = startUnifacTables(numberedTable(), UnifacVariant::MainGroups);
  for (std::uint8_t bad : {std::uint8_t{0}, std::uint8_t{19}}) {
    const Ids mains = {1, bad};
    const Ids letters = {'A', 'A'};
    EXPECT_THROW(SetGroupParameter(tables, mains, letters, 0, 1, 1.0L), DataError);
    EXPECT_THROW(BuildGroupMatrix(tables, 2, mains, letters), DataError);
  }
}

TEST(UnifacGroupTables, StoredMixtureGroupsMatchTheMainGroupRule) {
  // The model tests build a parameter set from a main-group table by the rule "table value
  // between different main groups, 0 within one"; variant 1 must give the same set, and so
  // must variant 2 straight after its start (subgroups of one main group at 0).
  const Mixture mixture = test::mixtureOf({1, 2, 3, 4});
  const MainGroupTableType& reference = builtInDatabase().ReferenceMainGroupTable;
  for (int n : {2, 4}) {
    const TParameterSet expected = test::unifacSet(mixture, n, reference);
    for (UnifacVariant variant : {UnifacVariant::MainGroups, UnifacVariant::Subgroups}) {
      TParameterSet set = expected;
      set.GroupInteraction = {};
      set.ComponentGroups = {};
      storeUnifacGroups(startUnifacTables(reference, variant), mixture, n, set);
      EXPECT_EQ(set, expected) << n << " components, variant " << int(variant);
    }
  }
  TParameterSet set;
  EXPECT_THROW(
      storeUnifacGroups(startUnifacTables(reference, UnifacVariant::MainGroups), mixture, 5, set),
      DataError);
}

}  // namespace
}  // namespace bubblix
