#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "core/fitting/fitting_objectives.h"
#include "core/models/model_test_support.h"
#include "core/models/nrtl.h"
#include "core/models/unifac.h"
#include "core/models/uniquac.h"
#include "core/models/wilson.h"
#include "fitting_test_support.h"

namespace bubblix {
namespace {

using test::relative;
using test::SelectedPair;

TParamVector vec(std::initializer_list<Real> values) {
  TParamVector v{};
  std::size_t i = 0;
  for (Real value : values)
    v[i++] = value;
  return v;
}

// One-point fit data at tau = 1 with equal molar volumes and unit structure parameters,
// where the models reduce to hand-computable forms.
std::unique_ptr<FittingState> onePoint(Real x1) {
  auto state = std::make_unique<FittingState>();
  TBinaryFitData& fit = state->Fit;
  fit.resizePoints(1);
  fit.i = 0;
  fit.j = 1;
  fit.P = 100000.0L;
  fit.Pk[0] = fit.P;
  fit.x1[0] = x1;
  fit.y1[0] = x1;
  fit.tau[0] = 1.0L;
  fit.Psat[0][0] = 100000.0L;
  fit.V[0][0] = fit.V[1][0] = 0.05L;
  fit.r = {1.0L, 1.0L, 0.0L, 0.0L};
  fit.q = {1.0L, 1.0L, 0.0L, 0.0L};
  fit.UNIQUACFactor[0] = uniquacFactor(x1, 1.0L, 1.0L, 1.0L, 1.0L);
  return state;
}

TEST(FittingObjectives, HandComputedValuesAtOnePoint) {
  // x1 = x2 = 1/2, tau = 1, equal volumes, r = q = 1. Hand calculation:
  //   Wilson, a1 = a2 = ln 2: L12 = L21 = 1/2, A = 3/4, the exponent vanishes, gamma1 = 4/3.
  //   NRTL, alpha = 0: G12 = G21 = 1, ln gamma1 = (a2 + a1) / 4 = 0.3 for a1 = 0.4, a2 = 0.8.
  //   UNIQUAC, a1 = a2 = ln 2: C = 1, l = 0, T12 = T21 = 1/2, the exponent vanishes and
  //   gamma1 = 1 / (1/2 + 1/4)^1 = 4/3.
  // Tolerance 1e-18 relative: a few roundings of the 64-bit mantissa.
  const Real ln2 = std::log(2.0L);
  auto state = onePoint(0.5L);
  WilsonObjective(*state, vec({ln2, ln2}));
  EXPECT_LT(relative(state->Fit.gamma1[0], 4.0L / 3.0L), 1e-18L);
  EXPECT_EQ(state->Fit.x2[0], 0.5L);
  NRTLObjective(*state, vec({0.4L, 0.8L, 0.0L}));
  EXPECT_LT(relative(state->Fit.gamma1[0], std::exp(0.3L)), 1e-18L);
  UNIQUACObjective(*state, vec({ln2, ln2}));
  EXPECT_LT(relative(state->Fit.gamma1[0], 4.0L / 3.0L), 1e-18L);

  // And S at this point: y1 = 1/2, Psat = P, so S = (1/2 - 1/2 * 4/3)^2 = 1/36.
  EXPECT_LT(relative(ResidualSum(*state), 1.0L / 36.0L), 1e-17L);
}

TEST(FittingObjectives, WilsonWithZeroParametersAndEqualVolumesIsIdeal) {
  // Lambda12 = Lambda21 = 1 give gamma1 = 1 at every point, so S is the Raoult's-law sum of
  // the points. Tolerance 1e-18: the rounding of x1 + (1 - x1).
  SelectedPair pair(1, 2);
  preparePairFitData(pair.fit(), pair.mixture, 0, 1);
  TBinaryFitData& fit = pair.fit();
  fit.V[1] = fit.V[0];
  const Real S = WilsonObjective(*pair.state, vec({0.0L, 0.0L}));
  Real raoult = 0.0L;
  for (std::size_t k = 0; k < fit.N; ++k) {
    EXPECT_NEAR(fit.gamma1[k], 1.0L, 1e-18L) << "point " << k;
    EXPECT_EQ(fit.x2[k], 1.0L - fit.x1[k]);
    const Real d = fit.y1[k] - fit.x1[k] * 1.0L * fit.Psat[0][k] / fit.P;
    raoult += d * d;
  }
  EXPECT_LT(relative(S, raoult), 1e-16L);
}

// The binary forms against the multicomponent model routines with n = 2 and the same
// parameters (a1 at [0][1], a2 at [1][0]): different algebra of the same model, so they agree
// to rounding. Tolerance 1e-16 relative, about a thousand roundings of the 64-bit mantissa;
// a swapped parameter or a volume ratio the wrong way round differs in the second digit.
class BinaryFormsAgainstModelRoutines : public ::testing::TestWithParam<std::pair<int, int>> {};

TEST_P(BinaryFormsAgainstModelRoutines, GammaOfTheFirstComponentAgreesAtEveryPoint) {
  SelectedPair pair(GetParam().first, GetParam().second);
  TBinaryFitData& fit = pair.fit();
  preparePairFitData(fit, pair.mixture, 0, 1);

  const TParamVector wilson = vec({0.9L, -0.35L});
  const TParamVector nrtl = vec({1.2L, -0.4L, 0.45L});
  const TParamVector uniquac = vec({-0.3L, 0.8L});
  Matrix4 a4{};
  Matrix4 alpha{};
  Matrix10 a10{};
  const CompositionVector q = {fit.q[0], fit.q[1]};
  const CompositionVector r = {fit.r[0], fit.r[1]};

  WilsonObjective(*pair.state, wilson);
  const auto wilsonGamma = fit.gamma1;
  NRTLObjective(*pair.state, nrtl);
  const auto nrtlGamma = fit.gamma1;
  UNIQUACObjective(*pair.state, uniquac);
  const auto uniquacGamma = fit.gamma1;

  for (std::size_t k = 0; k < fit.N; ++k) {
    SCOPED_TRACE(testing::Message() << "point " << k << ", x1 = " << double(fit.x1[k]));
    const CompositionVector x = {fit.x1[k], 1.0L - fit.x1[k]};
    const ComponentValues V = {fit.V[0][k], fit.V[1][k]};
    CompositionVector gamma{};

    a4[0][1] = wilson[0];
    a4[1][0] = wilson[1];
    WilsonGamma(2, x, a4, gamma, fit.tau[k], V);
    EXPECT_LT(relative(wilsonGamma[k], gamma[0]), 1e-16L);

    a4[0][1] = nrtl[0];
    a4[1][0] = nrtl[1];
    alpha[0][1] = alpha[1][0] = nrtl[2];
    NRTLGamma(2, x, a4, gamma, alpha, fit.tau[k], V);
    EXPECT_LT(relative(nrtlGamma[k], gamma[0]), 1e-16L);

    a10[0][1] = uniquac[0];
    a10[1][0] = uniquac[1];
    UNIQUACGamma(2, q, r, x, a10, gamma, fit.tau[k]);
    EXPECT_LT(relative(uniquacGamma[k], gamma[0]), 1e-16L);
  }
}

INSTANTIATE_TEST_SUITE_P(DatabaseSystems, BinaryFormsAgainstModelRoutines,
                         ::testing::Values(std::pair{1, 2}, std::pair{1, 4}, std::pair{3, 4}));

// The UNIFAC objective with the parameter vector that reproduces the reference table must
// give, bit for bit, the gamma1 of UNIFACGamma on the parameter set that the model tests build
// from that table, with group fractions and combinatorial terms computed at each point here.
TEST(FittingObjectives, UnifacObjectiveGivesTheModelRoutinesGammaForTheSameInteractions) {
  // comp.1-comp.4: subgroups 1A, 5A, 1B, 10 of main groups 1, 5, 10.
  for (UnifacVariant variant : {UnifacVariant::MainGroups, UnifacVariant::Subgroups}) {
    SCOPED_TRACE(testing::Message() << "variant " << int(variant));
    SelectedPair pair(1, 4, variant);
    TBinaryFitData& fit = pair.fit();
    preparePairFitData(fit, pair.mixture, 0, 1);
    prepareUnifacFitData(fit, pair.mixture, variant);
    const MainGroupTableType& reference = builtInDatabase().ReferenceMainGroupTable;
    ASSERT_EQ(fit.GroupCount, 4);
    ASSERT_EQ(fit.FitGroupCount, variant == UnifacVariant::MainGroups ? 3 : 4);

    TParamVector p{};
    std::size_t pos = 0;
    for (int g = 0; g < fit.FitGroupCount; ++g) {
      for (int h = 0; h < fit.FitGroupCount; ++h) {
        if (g != h)
          p[pos++] = test::groupPairValue(reference, fit.FitGroupIdsA[g], fit.FitGroupIdsA[h]);
      }
    }
    // Start from a table that differs everywhere, so only the distributed values can match.
    pair.state->Tables = startUnifacTables(MainGroupTableType{}, variant);
    for (auto& row : pair.state->Tables.MainGroupTable)
      row.fill(9.0L);
    pair.state->Tables.SubgroupTable =
        subgroupTableFromMainGroups(pair.state->Tables.MainGroupTable);
    UNIFACObjective(*pair.state, p);

    const TParameterSet set = test::unifacSet(pair.mixture, 2, reference);
    EXPECT_EQ(fit.GroupMatrix, set.GroupInteraction);
    EXPECT_EQ(fit.ComponentGroups[0], set.ComponentGroups[0]);
    EXPECT_EQ(fit.ComponentGroups[1], set.ComponentGroups[1]);
    const CompositionVector q = mixtureAreas(pair.mixture);
    const CompositionVector r = mixtureVolumes(pair.mixture);
    for (std::size_t k = 0; k < fit.N; ++k) {
      const CompositionVector x = {fit.x1[k], 1.0L - fit.x1[k]};
      GroupVector X{};
      GroupFractions(2, set.GroupCount, set.GroupIdsA, X, set.ComponentGroups, x, set.GroupIdsB);
      CompositionVector gammaC{};
      UNIQUACCombinatorial(2, q, r, gammaC, x);
      CompositionVector gamma{};
      UNIFACGamma(2, set.GroupCount, set.GroupIdsA, set.GroupIdsB, gamma, set.ComponentGroups,
                  gammaC, set.GroupInteraction, X, set.GroupQ, fit.tau[k]);
      EXPECT_EQ(fit.gamma1[k], gamma[0]) << "point " << k;
    }
  }
}

TEST(FittingObjectives, UnifacTablesKeepTheLastTrialValues) {
  SelectedPair pair(1, 2);
  TBinaryFitData& fit = pair.fit();
  preparePairFitData(fit, pair.mixture, 0, 1);
  prepareUnifacFitData(fit, pair.mixture, UnifacVariant::MainGroups);
  ASSERT_EQ(fit.FitGroupCount, 3);  // main groups 1, 5, 6
  const TParamVector p = vec({0.1L, 0.2L, 0.3L, 0.4L, 0.5L, 0.6L});
  UNIFACObjective(*pair.state, p);
  const MainGroupTableType& table = pair.state->Tables.MainGroupTable;
  EXPECT_EQ(table[0][4], 0.1L);  // (1, 5)
  EXPECT_EQ(table[0][5], 0.2L);  // (1, 6)
  EXPECT_EQ(table[4][0], 0.3L);  // (5, 1)
  EXPECT_EQ(table[4][5], 0.4L);  // (5, 6)
  EXPECT_EQ(table[5][0], 0.5L);  // (6, 1)
  EXPECT_EQ(table[5][4], 0.6L);  // (6, 5)
  // Untouched: main group 10, which the pair does not hold.
  EXPECT_EQ(table[0][9], builtInDatabase().ReferenceMainGroupTable[0][9]);
}

}  // namespace
}  // namespace bubblix
