// Activity-coefficient models: identities every model must satisfy whatever its parameters,
// the infinite-dilution limits, and thermodynamic consistency (Gibbs-Duhem).

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/base/units.h"
#include "core/models/model_evaluation.h"
#include "core/models/model_test_support.h"
#include "core/models/model_types.h"
#include "core/models/nrtl.h"
#include "core/models/solvers.h"
#include "core/models/unifac.h"
#include "core/models/uniquac.h"
#include "core/models/wilson.h"

namespace bubblix {
namespace {

using test::relative;

constexpr Real kTau = 1.25L;  // 68.29 degC

CompositionVector pure(int k) {
  CompositionVector x{};
  x[k] = 1.0L;
  return x;
}

std::string mixtureName(const std::vector<int>& numbers) {
  std::string name;
  for (int k : numbers)
    name += std::to_string(k);
  return name;
}

// --- Pure components --------------------------------------------------------------------

// A pure liquid is its own reference state: gamma_k = 1 for x_k = 1 in every model. Tolerance
// 1e-15 relative (the UNIQUAC combinatorial ratio (q/r)(r/q) may differ from 1 in the last
// bit).
TEST(ActivityModels, PureComponentHasUnitActivityCoefficientInEveryModel) {
  const Mixture mixture = test::mixtureOf({1, 2, 3, 4});
  for (Model model : {Model::Wilson, Model::NRTL, Model::UNIQUAC, Model::UNIFAC}) {
    const TParameterSet set = test::modelSet(model, mixture, 4);
    for (int k = 0; k < 4; ++k) {
      for (Real tau : {1.1L, kTau, 1.35L}) {
        CompositionVector gamma{};
        modelGamma(mixture, set, pure(k), gamma, tau);
        EXPECT_LE(relative(gamma[k], 1.0L), 1e-15L)
            << "model " << model << ", component " << k + 1 << ", tau " << static_cast<double>(tau);
      }
    }
  }
}

// UNIFAC with the reference group parameters: every component of every database mixture,
// taken pure, has gamma = 1 (relative 1e-15). The mixtures of components 1 and 3 (groups 5 A
// and 5 B) and of 1 or 3 with 4 (groups 1 A and 1 B) hold two subgroups of one main group:
// a component group paired with both of them would give gamma != 1 here.
TEST(ActivityModels, UnifacPureComponentHasUnitGammaInEveryDatabaseMixture) {
  const auto mixtures = test::allDatabaseMixtures();
  ASSERT_EQ(mixtures.size(), 11u);
  for (const std::vector<int>& numbers : mixtures) {
    Mixture mixture;
    for (std::size_t slot = 0; slot < numbers.size(); ++slot) {
      loadComponent(mixture, builtInDatabase(), static_cast<int>(slot),
                    "comp." + std::to_string(numbers[slot]));
    }
    const int n = static_cast<int>(numbers.size());
    const TParameterSet set = test::unifacSet(mixture, n);
    for (int k = 0; k < n; ++k) {
      for (Real tau : {1.1L, 1.3L}) {
        CompositionVector gamma{};
        modelGamma(mixture, set, pure(k), gamma, tau);
        EXPECT_LE(relative(gamma[k], 1.0L), 1e-15L)
            << "mixture " << mixtureName(numbers) << ", component slot " << k;
      }
    }
  }
}

// --- Zero parameters ---------------------------------------------------------------------

// Wilson with a = 0: Lambda_ij = V_j / V_i, and the equations reduce to the Flory-Huggins
// form gamma_i = (V_i / Vm) exp(1 - V_i / Vm), Vm = sum x_j V_j (derived by hand); with equal
// volumes gamma = 1 exactly. Tolerance 1e-17 relative.
TEST(ActivityModels, WilsonWithZeroEnergiesIsIdealOnlyForEqualVolumes) {
  const Matrix4 zero{};
  const CompositionVector x{0.1L, 0.2L, 0.3L, 0.4L};
  CompositionVector gamma{};
  WilsonGamma(4, x, zero, gamma, kTau, ComponentValues{0.05L, 0.05L, 0.05L, 0.05L});
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(gamma[i], 1.0L) << i;

  const ComponentValues V{0.0583L, 0.0181L, 0.0405L, 0.0978L};
  WilsonGamma(4, x, zero, gamma, kTau, V);
  Real Vm = 0.0L;
  for (int j = 0; j < 4; ++j)
    Vm += x[j] * V[j];
  for (int i = 0; i < 4; ++i) {
    const Real expected = V[i] / Vm * std::exp(1.0L - V[i] / Vm);
    EXPECT_LE(relative(gamma[i], expected), 1e-17L) << i;
  }
  EXPECT_GT(std::fabs(gamma[3] - 1.0L), 0.05L) << "the volume ratio alone is non-ideal";
}

// NRTL with a = 0 is ideal whatever alpha and the volumes; UNIQUAC with a = 0 has gamma^R = 1,
// so gamma = gamma^C; UNIFAC with every group parameter 0 likewise gives gamma = gamma^C.
TEST(ActivityModels, ZeroEnergiesLeaveOnlyTheCombinatorialPart) {
  const Mixture mixture = test::mixtureOf({1, 2, 3, 4});
  const CompositionVector x{0.1L, 0.2L, 0.3L, 0.4L};
  CompositionVector gamma{};

  Matrix4 alpha{};
  for (auto& row : alpha)
    row.fill(0.47L);
  NRTLGamma(4, x, Matrix4{}, gamma, alpha, kTau, ComponentValues{0.0583L, 0.0181L, 0.04L, 0.1L});
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(gamma[i], 1.0L) << "NRTL " << i;

  const CompositionVector q = mixtureAreas(mixture);
  const CompositionVector r = mixtureVolumes(mixture);
  CompositionVector gammaC{};
  UNIQUACCombinatorial(4, q, r, gammaC, x);
  UNIQUACGamma(mixture, 4, x, Matrix10{}, gamma, kTau);
  // psi = 1 makes T_i = sum theta_j = 1 up to rounding: relative 1e-17.
  for (int i = 0; i < 4; ++i) {
    EXPECT_LE(relative(gamma[i], gammaC[i]), 1e-17L) << "UNIQUAC " << i;
    EXPECT_GT(std::fabs(gammaC[i] - 1.0L), 1e-3L) << "the sizes differ, gamma^C is not 1";
  }

  const TParameterSet zeroGroups = test::unifacSet(mixture, 4, MainGroupTableType{});
  modelGamma(mixture, zeroGroups, x, gamma, kTau);
  for (int i = 0; i < 4; ++i) {
    EXPECT_LE(relative(gamma[i], gammaC[i]), 1e-17L) << "UNIFAC " << i;
  }
}

// r_i = q_i = 1 for every component: l_i = 0 and theta/Phi = 1, so gamma^C = 1 up to the
// rounding of sum x (relative 1e-17) at any composition.
TEST(ActivityModels, UniquacCombinatorialIsOneForUnitSizes) {
  const CompositionVector ones{1.0L, 1.0L, 1.0L, 1.0L, 0.0L};
  for (const CompositionVector& x :
       {CompositionVector{0.1L, 0.2L, 0.3L, 0.4L}, CompositionVector{0.7L, 0.1L, 0.15L, 0.05L},
        CompositionVector{0.25L, 0.25L, 0.25L, 0.25L}}) {
    CompositionVector gammaC{};
    UNIQUACCombinatorial(4, ones, ones, gammaC, x);
    for (int i = 0; i < 4; ++i)
      EXPECT_LE(relative(gammaC[i], 1.0L), 1e-17L) << i;
  }
}

// One group, shared by both components: the group residual coefficients are all 1 and
// gamma = gamma^C.
TEST(ActivityModels, UnifacSingleGroupMixtureHasNoResidualPart) {
  const Mixture mixture = test::mixtureOf({3, 3});
  TParameterSet set = test::unifacSet(mixture, 2);
  ASSERT_EQ(set.GroupCount, 1);
  const CompositionVector q{1.2L, 2.9L};
  const CompositionVector r{1.1L, 3.3L};
  const CompositionVector x{0.35L, 0.65L};
  CompositionVector gammaC{};
  UNIQUACCombinatorial(2, q, r, gammaC, x);
  GroupVector X{};
  GroupFractions(2, 1, set.GroupIdsA, X, set.ComponentGroups, x, set.GroupIdsB);
  EXPECT_EQ(X[0], 1.0L);
  CompositionVector gamma{};
  UNIFACGamma(2, 1, set.GroupIdsA, set.GroupIdsB, gamma, set.ComponentGroups, gammaC,
              set.GroupInteraction, X, set.GroupQ, kTau);
  EXPECT_EQ(gamma[0], gammaC[0]);
  EXPECT_EQ(gamma[1], gammaC[1]);
}

// --- Infinite dilution -------------------------------------------------------------------

// Component 1 at x1 = 0 in component 2; the limits below follow from the equations by hand.
// Tolerance 1e-17 relative on ln gamma (a few roundings).
TEST(ActivityModels, InfiniteDilutionLimitsOfTheComponentModels) {
  const ComponentValues V{0.0583L, 0.0181L};
  const CompositionVector x{0.0L, 1.0L};
  CompositionVector gamma{};

  // Wilson: ln gamma1 = 1 - ln Lambda12 - Lambda21.
  Matrix4 a{};
  a[0][1] = 0.62L;
  a[1][0] = -0.18L;
  WilsonGamma(2, x, a, gamma, kTau, V);
  const Real lambda12 = V[1] / V[0] * std::exp(-a[0][1] / kTau);
  const Real lambda21 = V[0] / V[1] * std::exp(-a[1][0] / kTau);
  EXPECT_LE(relative(std::log(gamma[0]), 1.0L - std::log(lambda12) - lambda21), 1e-17L);
  EXPECT_EQ(gamma[1], 1.0L);

  // NRTL: ln gamma1 = tau21 + tau12 G12, the volume ratio inside G12.
  Matrix4 alpha{};
  alpha[0][1] = alpha[1][0] = 0.3L;
  a[0][1] = 1.1L;
  a[1][0] = 0.45L;
  NRTLGamma(2, x, a, gamma, alpha, kTau, V);
  const Real tau12 = a[0][1] / kTau;
  const Real tau21 = a[1][0] / kTau;
  const Real G12 = V[1] / V[0] * std::exp(-alpha[0][1] * tau12);
  EXPECT_LE(relative(std::log(gamma[0]), tau21 + tau12 * G12), 1e-17L);

  // UNIQUAC residual: ln gamma1^R = q1 (1 - ln psi21 - psi12).
  Matrix10 u{};
  u[0][1] = 0.41L;
  u[1][0] = -0.12L;
  const CompositionVector q{1.972L, 1.4L};
  const CompositionVector r{2.1055L, 0.92L};
  CompositionVector gammaR{};
  UNIQUACResidual(2, q, x, gammaR, u, kTau);
  const Real psi12 = std::exp(-u[0][1] / kTau);
  const Real psi21 = std::exp(-u[1][0] / kTau);
  EXPECT_LE(relative(std::log(gammaR[0]), q[0] * (1.0L - std::log(psi21) - psi12)), 1e-17L);

  // UNIQUAC combinatorial: ln gamma1^C = ln(r1/r2) + 5 q1 ln(q1 r2 / (r1 q2)) + l1 - (r1/r2) l2.
  CompositionVector gammaC{};
  UNIQUACCombinatorial(2, q, r, gammaC, x);
  const Real l1 = 5.0L * (r[0] - q[0]) - (r[0] - 1.0L);
  const Real l2 = 5.0L * (r[1] - q[1]) - (r[1] - 1.0L);
  const Real expectedC = std::log(r[0] / r[1]) +
                         5.0L * q[0] * std::log(q[0] * r[1] / (r[0] * q[1])) + l1 -
                         r[0] / r[1] * l2;
  EXPECT_LE(relative(std::log(gammaC[0]), expectedC), 1e-17L);

  // The whole UNIQUAC model is the product of the two parts.
  UNIQUACGamma(2, q, r, x, u, gamma, kTau);
  EXPECT_EQ(gamma[0], gammaC[0] * gammaR[0]);
}

// UNIFAC for two one-group components (2: group 6; 3: group 5 B) at infinite dilution of 2:
// ln gamma2 = ln gamma2^C + Q6 (1 - ln psi(5B,6) - psi(6,5B)), psi(m,n) = exp(-a_mn / tau)
// with the reference values a(5,6) = -320.8 K and a(6,5) = 287.5 K. Relative 1e-17.
TEST(ActivityModels, UnifacInfiniteDilutionOfAOneGroupComponent) {
  const Mixture mixture = test::mixtureOf({2, 3});
  const TParameterSet set = test::unifacSet(mixture, 2);
  const CompositionVector x{0.0L, 1.0L};
  CompositionVector gamma{};
  modelGamma(mixture, set, x, gamma, kTau);

  CompositionVector gammaC{};
  UNIQUACCombinatorial(2, mixtureAreas(mixture), mixtureVolumes(mixture), gammaC, x);
  const Real Q6 = 1.4L;
  const Real psi56 = std::exp(-reducedFromKelvin(-320.8L) / kTau);
  const Real psi65 = std::exp(-reducedFromKelvin(287.5L) / kTau);
  const Real expected = std::log(gammaC[0]) + Q6 * (1.0L - std::log(psi56) - psi65);
  EXPECT_LE(relative(std::log(gamma[0]), expected), 1e-17L);
  EXPECT_LE(relative(gamma[1], 1.0L), 1e-15L);
}

// --- Textbook NRTL -----------------------------------------------------------------------

// Equal molar volumes remove the volume factor: the result equals the textbook NRTL,
//   ln gamma_i = sum_j tau_ji G_ji x_j / sum_k G_ki x_k
//              + sum_j x_j G_ij / sum_k G_kj x_k * (tau_ij - sum_m x_m tau_mj G_mj / sum_k G_kj
//              x_k)
// with G = exp(-alpha tau), written here independently. Tolerance 1e-16 relative.
TEST(ActivityModels, NrtlWithEqualVolumesIsTheTextbookNrtl) {
  Matrix4 a{};
  Matrix4 alpha{};
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) {
      if (i == j) continue;
      a[i][j] = 0.9L - 0.3L * i + 0.17L * j;
      alpha[i][j] = 0.2L + 0.05L * (i + j);
    }
  }
  const CompositionVector x{0.15L, 0.35L, 0.2L, 0.3L};
  CompositionVector gamma{};
  NRTLGamma(4, x, a, gamma, alpha, kTau, ComponentValues{0.07L, 0.07L, 0.07L, 0.07L});

  Real t[4][4];
  Real G[4][4];
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) {
      t[i][j] = i == j ? 0.0L : a[i][j] / kTau;
      G[i][j] = i == j ? 1.0L : std::exp(-alpha[i][j] * t[i][j]);
    }
  }
  for (int i = 0; i < 4; ++i) {
    Real first = 0.0L;
    Real firstDen = 0.0L;
    for (int j = 0; j < 4; ++j) {
      first += t[j][i] * G[j][i] * x[j];
      firstDen += G[j][i] * x[j];
    }
    Real second = 0.0L;
    for (int j = 0; j < 4; ++j) {
      Real den = 0.0L;
      Real num = 0.0L;
      for (int k = 0; k < 4; ++k) {
        den += G[k][j] * x[k];
        num += x[k] * t[k][j] * G[k][j];
      }
      second += x[j] * G[i][j] / den * (t[i][j] - num / den);
    }
    EXPECT_LE(relative(std::log(gamma[i]), first / firstDen + second), 1e-16L) << i;
  }
}

// --- Gibbs-Duhem ---------------------------------------------------------------------------

// At fixed T the activity coefficients of any model derived from an excess Gibbs energy obey
// sum_i x_i d ln gamma_i = 0 along every composition path with sum dx = 0. Central
// differences with step 1e-6 on a straight path; the truncation error is of order 1e-12 and
// the rounding error of order 1e-13, so |sum| must stay below 1e-10 while the single terms are
// of order 0.01 to 1 (checked, so that the test cannot pass on flat coefficients).
void expectGibbsDuhem(Model model, std::initializer_list<int> numbers, const CompositionVector& x0,
                      const CompositionVector& direction) {
  const Mixture mixture = test::mixtureOf(numbers);
  const int n = static_cast<int>(numbers.size());
  const TParameterSet set = test::modelSet(model, mixture, n);
  constexpr Real h = 1e-6L;
  for (Real s : {-0.1L, 0.0L, 0.1L}) {
    CompositionVector x{};
    CompositionVector plus{};
    CompositionVector minus{};
    for (int i = 0; i < n; ++i) {
      x[i] = x0[i] + s * direction[i];
      plus[i] = x[i] + h * direction[i];
      minus[i] = x[i] - h * direction[i];
    }
    CompositionVector gammaPlus{};
    CompositionVector gammaMinus{};
    modelGamma(mixture, set, plus, gammaPlus, kTau);
    modelGamma(mixture, set, minus, gammaMinus, kTau);
    Real sum = 0.0L;
    Real largest = 0.0L;
    for (int i = 0; i < n; ++i) {
      const Real term = x[i] * (std::log(gammaPlus[i]) - std::log(gammaMinus[i])) / (2.0L * h);
      sum += term;
      largest = std::max(largest, std::fabs(term));
    }
    EXPECT_LT(std::fabs(sum), 1e-10L)
        << "model " << model << ", n " << n << ", s " << static_cast<double>(s);
    EXPECT_GT(largest, 1e-2L) << "model " << model << ": the coefficients hardly change";
  }
}

TEST(ActivityModels, GibbsDuhemHoldsForEveryModelInABinary) {
  for (Model model : {Model::Wilson, Model::NRTL, Model::UNIQUAC, Model::UNIFAC}) {
    expectGibbsDuhem(model, {1, 2}, {0.4L, 0.6L}, {1.0L, -1.0L});
    expectGibbsDuhem(model, {3, 4}, {0.3L, 0.7L}, {-1.0L, 1.0L});
  }
}

TEST(ActivityModels, GibbsDuhemHoldsForEveryModelInAQuaternary) {
  for (Model model : {Model::Wilson, Model::NRTL, Model::UNIQUAC, Model::UNIFAC}) {
    expectGibbsDuhem(model, {1, 2, 3, 4}, {0.2L, 0.3L, 0.25L, 0.25L}, {1.0L, -0.5L, 0.25L, -0.75L});
    expectGibbsDuhem(model, {1, 2, 3, 4}, {0.4L, 0.1L, 0.3L, 0.2L}, {-0.5L, 1.0L, -0.2L, -0.3L});
  }
}

}  // namespace
}  // namespace bubblix
