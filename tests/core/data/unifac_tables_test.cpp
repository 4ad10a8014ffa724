#include "core/data/unifac_tables.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/base/errors.h"
#include "core/data/database.h"
#include "core/texts/data_texts.h"

namespace bubblix {
namespace {

Real entry(const MainGroupTableType& a, int m, int n) {
  return a[static_cast<std::size_t>(m - 1)][static_cast<std::size_t>(n - 1)];
}

// Reference values: the listed K values divided by 273.15 by hand (decimal, 25 digits);
// the tolerance covers the rounding of the literals.
TEST(ReferenceMainGroupTable, ReducedLiteratureValuesBetweenFourMainGroups) {
  const MainGroupTableType a = buildReferenceMainGroupTable();
  EXPECT_NEAR(entry(a, 1, 5), 3.40912L, 5e-6L);
  EXPECT_NEAR(entry(a, 1, 5), 3.409115870400878638L, 1e-17L);
  EXPECT_NEAR(entry(a, 5, 1), 0.6212703642687168223L, 1e-18L);  // not symmetric
  EXPECT_NEAR(entry(a, 5, 6), -1.17445L, 5e-6L);
  EXPECT_NEAR(entry(a, 5, 6), -1.174446274940508878L, 1e-17L);
  EXPECT_NEAR(entry(a, 6, 1), -0.1766465312099578986L, 1e-18L);
  EXPECT_NEAR(entry(a, 10, 6), 1.947893099029837086L, 1e-17L);
  // Back in K.
  const int groups[] = {1, 5, 6, 10};
  const Real kelvin[4][4] = {{0, 931.2L, 634.235L, 122.691L},
                             {169.7L, 0, -320.8L, 174.3L},
                             {-48.251L, 287.5L, 0, 6.731L},
                             {129.103L, 167.5L, 532.067L, 0}};
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) {
      EXPECT_NEAR(entry(a, groups[i], groups[j]) * 273.15L, kelvin[i][j], 1e-13L);
    }
  }
  int nonZero = 0;
  for (const auto& row : a) {
    for (Real v : row)
      nonZero += v != 0;
  }
  EXPECT_EQ(nonZero, 12);
  EXPECT_EQ(builtInDatabase().ReferenceMainGroupTable, a);
}

TComponentGroups group(std::initializer_list<std::pair<int, char>> ids, Real q = 1, Real r = 2) {
  TComponentGroups g;
  for (const auto& [mainGroup, letter] : ids) {
    g.IdsA[g.Count] = static_cast<std::uint8_t>(mainGroup);
    g.IdsB[g.Count] = static_cast<std::uint8_t>(letter);
    g.Nu[g.Count] = 1;
    g.Q[g.Count] = q;
    g.R[g.Count] = r;
    ++g.Count;
  }
  return g;
}

void expectGroups(const MixtureGroups& m, std::vector<std::pair<int, char>> groups,
                  std::vector<int> mainGroups) {
  ASSERT_EQ(m.Count, groups.size());
  for (std::size_t k = 0; k < groups.size(); ++k) {
    EXPECT_EQ(m.IdsA[k], groups[k].first) << "group " << k;
    EXPECT_EQ(m.IdsB[k], groups[k].second) << "group " << k;
  }
  for (std::size_t k = groups.size(); k < 10; ++k) {
    EXPECT_EQ(m.IdsA[k], 0);
    EXPECT_EQ(m.Q[k], 0);
  }
  ASSERT_EQ(m.MainGroupCount, mainGroups.size());
  for (std::size_t k = 0; k < mainGroups.size(); ++k)
    EXPECT_EQ(m.MainGroups[k], mainGroups[k]);
  for (std::size_t k = mainGroups.size(); k < 10; ++k)
    EXPECT_EQ(m.MainGroups[k], 0);
}

TEST(BuildMixtureGroups, DatabaseMixturesMergeInOrderOfFirstAppearance) {
  const ComponentTable& base = builtInDatabase().ComponentBase;
  const std::vector<TComponentGroups> all = {base[0].Groups, base[1].Groups, base[2].Groups,
                                             base[3].Groups};
  const MixtureGroups four = BuildMixtureGroups(all);
  expectGroups(four, {{1, 'A'}, {5, 'A'}, {6, ' '}, {5, 'B'}, {1, 'B'}, {10, ' '}}, {1, 5, 6, 10});
  const Real q[] = {0.848L, 1.124L, 1.4L, 1.432L, 0.54L, 0.88L};
  const Real r[] = {0.9011L, 1.2044L, 0.92L, 1.4311L, 0.6744L, 1.002L};
  for (std::size_t k = 0; k < 6; ++k) {
    EXPECT_EQ(four.Q[k], q[k]);
    EXPECT_EQ(four.R[k], r[k]);
  }

  const std::vector<TComponentGroups> oneAndFour = {base[0].Groups, base[3].Groups};
  const MixtureGroups pair = BuildMixtureGroups(oneAndFour);
  expectGroups(pair, {{1, 'A'}, {5, 'A'}, {1, 'B'}, {10, ' '}}, {1, 5, 10});
  EXPECT_EQ(pair.R[2], 0.6744L);

  // Reversed order: the order of first appearance follows the mixture.
  const std::vector<TComponentGroups> fourAndOne = {base[3].Groups, base[0].Groups};
  expectGroups(BuildMixtureGroups(fourAndOne), {{1, 'A'}, {1, 'B'}, {10, ' '}, {5, 'A'}},
               {1, 10, 5});
}

TEST(BuildMixtureGroups, SingleComponentKeepsItsGroups) {
  const ComponentTable& base = builtInDatabase().ComponentBase;
  expectGroups(BuildMixtureGroups(std::span(&base[0].Groups, 1)), {{1, 'A'}, {5, 'A'}}, {1, 5});
  expectGroups(BuildMixtureGroups(std::span(&base[1].Groups, 1)), {{6, ' '}}, {6});
  // Component 4's two subgroups of main group 1 stay apart; its main groups merge.
  expectGroups(BuildMixtureGroups(std::span(&base[3].Groups, 1)), {{1, 'A'}, {1, 'B'}, {10, ' '}},
               {1, 10});
}

TEST(BuildMixtureGroups, RunsOfDuplicatesAndFirstParametersKept) {
  // Three equal groups in a row: each one that moves into place is compared again.
  const std::vector<TComponentGroups> runs = {group({{1, 'A'}}, 0.5L, 0.6L),
                                              group({{1, 'A'}, {1, 'A'}}, 0.7L, 0.8L),
                                              group({{2, 'A'}, {1, 'A'}})};
  const MixtureGroups m = BuildMixtureGroups(runs);
  expectGroups(m, {{1, 'A'}, {2, 'A'}}, {1, 2});
  EXPECT_EQ(m.Q[0], 0.5L);
  EXPECT_EQ(m.R[0], 0.6L);
  EXPECT_EQ(m.Q[1], 1.0L);

  const std::vector<TComponentGroups> mainRuns = {group({{3, 'A'}, {3, 'B'}, {3, ' '}}),
                                                  group({{4, 'A'}, {3, 'C'}})};
  expectGroups(BuildMixtureGroups(mainRuns), {{3, 'A'}, {3, 'B'}, {3, ' '}, {4, 'A'}, {3, 'C'}},
               {3, 4});
}

TEST(BuildMixtureGroups, RefusesMoreThanTenGroupsOrAWrongComponentCount) {
  const TComponentGroups three = group({{1, 'A'}, {2, 'A'}, {3, 'A'}});
  const TComponentGroups one = group({{4, 'A'}});
  const std::vector<TComponentGroups> ten = {three, three, three, one};
  EXPECT_EQ(BuildMixtureGroups(ten).Count, 4);
  const std::vector<TComponentGroups> twelve = {three, three, three, three};
  try {
    BuildMixtureGroups(twelve);
    ADD_FAILURE() << "twelve groups accepted";
  } catch (const DataError& e) {
    EXPECT_EQ(&e.text(), &kTooManyMixtureGroupsText);
    EXPECT_EQ(e.args(), std::vector<std::string>{"12"});
  }
  const std::vector<TComponentGroups> five = {one, one, one, one, one};
  EXPECT_THROW(BuildMixtureGroups(five), DataError);
  EXPECT_THROW(BuildMixtureGroups({}), DataError);
}

}  // namespace
}  // namespace bubblix
