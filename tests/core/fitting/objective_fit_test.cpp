// Fits to the y, bubble and ml objectives: parameters recovered from noise-free data generated
// by the models' own routines, the coverage of the 95 % intervals under seeded noise, fixed and
// bounded parameters, undetermined parameters, refused limits and sigmas.

#include "core/fitting/objective_fit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "core/base/errors.h"
#include "core/base/units.h"
#include "core/fitting/fitting_test_support.h"
#include "core/fitting/generated_data.h"
#include "core/models/model.h"
#include "core/numerics/student_t.h"
#include "core/texts/text.h"

#ifndef BUBBLIX_INTERVAL_REPETITIONS
#define BUBBLIX_INTERVAL_REPETITIONS 200
#endif

namespace bubblix {
namespace {

constexpr Real kP = 760.0L * kPaPerMmHg;

std::vector<Real> liquidGrid() {
  std::vector<Real> xs;
  for (int k = 0; k <= 20; ++k)
    xs.push_back(static_cast<Real>(k) / 20.0L);
  return xs;
}

// The generated set put into the pair's fit data and prepared for fitting.
void useSet(test::SelectedPair& pair, const LoadedDataSet& set) {
  TBinaryFitData& fit = pair.fit();
  fit.resizePoints(set.t.size());
  fit.P = set.P[0];
  for (std::size_t k = 0; k < set.t.size(); ++k) {
    fit.tau[k] = tauFromCelsius(set.t[k]);
    fit.Pk[k] = set.P[k];
    fit.x1[k] = set.x[k];
    fit.y1[k] = set.y[k];
  }
  preparePairFitData(fit, pair.mixture, 0, 1);
}

TParamVector vectorOf(std::initializer_list<Real> values) {
  TParamVector p{};
  std::size_t k = 0;
  for (Real v : values)
    p[k++] = v;
  return p;
}

// Reduced energies near those the y1 fit gives comp.1-comp.2 (docs/fitting.md).
const test::GeneratingPair kWilsonTruth{reducedFromKJPerMol(1.75L), reducedFromKJPerMol(3.9L), 0.0L,
                                        true};

TEST(ObjectiveFit, RecoversTheGeneratingParametersFromNoiseFreeData) {
  const Database& db = builtInDatabase();
  const std::vector<Real> xs = liquidGrid();
  // Start 20 % off. Tolerance: the data are exact to the bisection's last bits, so the
  // parameters come back to 1e-7 relative (the method's tolerances, in double).
  for (FitObjective objective : {FitObjective::Bubble, FitObjective::Y}) {
    SCOPED_TRACE(std::string(objectiveName(objective)));
    test::SelectedPair pair(1, 2);
    useSet(pair, test::generatedSet(db, 1, 2, kWilsonTruth, kP, xs));
    ObjectiveFitRequest request;
    request.Objective = objective;
    const ObjectiveFitResult result =
        fitObjective(*pair.state, pair.mixture, Model::Wilson, 2,
                     vectorOf({kWilsonTruth.a12 * 1.2L, kWilsonTruth.a21 * 0.8L}), request);
    EXPECT_TRUE(result.Converged);
    EXPECT_NEAR(result.Parameters[0], kWilsonTruth.a12, 1e-7L * std::fabs(kWilsonTruth.a12));
    EXPECT_NEAR(result.Parameters[1], kWilsonTruth.a21, 1e-7L * std::fabs(kWilsonTruth.a21));
    EXPECT_LT(result.Chi2, 1e-10L);
    EXPECT_EQ(result.Dof, result.ResidualCount - 2);
    if (objective == FitObjective::Bubble) {
      // 21 temperatures and 19 interior vapour fractions.
      EXPECT_EQ(result.ResidualCount, 40);
      ASSERT_TRUE(result.RmsT.has_value());
      EXPECT_LT(*result.RmsT, 1e-6L);
      EXPECT_FALSE(result.RmsP.has_value());
    } else {
      EXPECT_EQ(result.ResidualCount, 42);
    }
  }

  // NRTL with alpha held at the generating 0.3: the energies come back, alpha stays.
  const test::GeneratingPair nrtl{reducedFromKJPerMol(0.5L), reducedFromKJPerMol(4.5L), 0.3L,
                                  false};
  test::SelectedPair pair(1, 2);
  useSet(pair, test::generatedSet(db, 1, 2, nrtl, kP, xs));
  ObjectiveFitRequest request;
  request.Limits.resize(3);
  request.Limits[2].Fixed = 0.3L;
  const ObjectiveFitResult result =
      fitObjective(*pair.state, pair.mixture, Model::NRTL, 3,
                   vectorOf({nrtl.a12 + 0.3L, nrtl.a21 - 0.3L, 0.5L}), request);
  EXPECT_NEAR(result.Parameters[0], nrtl.a12, 1e-6L);
  EXPECT_NEAR(result.Parameters[1], nrtl.a21, 1e-6L);
  EXPECT_EQ(result.Parameters[2], 0.3L);
  EXPECT_TRUE(result.Fixed[2]);
  EXPECT_FALSE(result.StdErrors[2].has_value());
  EXPECT_EQ(result.Dof, result.ResidualCount - 2);
}

// An isothermal set (every point at 70 degC, the pressures the bubble pressures of the
// generating Wilson parameters): the bubble objective fits the pressures, the RMS is one of P.
TEST(ObjectiveFit, IsothermalSetsFitBubblePressures) {
  test::SelectedPair pair(1, 2);
  const Real tau = tauFromCelsius(70.0L);
  const std::vector<Real> xs = liquidGrid();
  TBinaryFitData& fit = pair.fit();
  fit.resizePoints(xs.size());
  for (std::size_t k = 0; k < xs.size(); ++k) {
    Real p1 = 0;
    // With P = 1 Pa the excess is the bubble pressure less 1 and y1 the partial pressure.
    const Real P = test::bubbleExcess(pair.mixture, kWilsonTruth, xs[k], 1.0L, tau, p1) + 1.0L;
    fit.tau[k] = tau;
    fit.Pk[k] = P;
    fit.x1[k] = xs[k];
    fit.y1[k] = std::clamp(p1 / P, 0.0L, 1.0L);
  }
  fit.P = fit.Pk[0];
  preparePairFitData(fit, pair.mixture, 0, 1);
  const ObjectiveFitResult result = fitObjective(
      *pair.state, pair.mixture, Model::Wilson, 2,
      vectorOf({kWilsonTruth.a12 * 0.8L, kWilsonTruth.a21 * 1.2L}), ObjectiveFitRequest{});
  EXPECT_TRUE(result.Isothermal);
  // Exact data: 1e-7 relative, as above.
  EXPECT_NEAR(result.Parameters[0], kWilsonTruth.a12, 1e-7L * std::fabs(kWilsonTruth.a12));
  EXPECT_NEAR(result.Parameters[1], kWilsonTruth.a21, 1e-7L * std::fabs(kWilsonTruth.a21));
  ASSERT_TRUE(result.RmsP.has_value());
  EXPECT_LT(*result.RmsP, 1e-6L);  // mm Hg
  EXPECT_FALSE(result.RmsT.has_value());
  for (const FitPointResult& point : result.Points) {
    ASSERT_TRUE(point.PCalc.has_value());
    EXPECT_NEAR(*point.PCalc, point.PMeasured, 1e-6L * point.PMeasured);
    EXPECT_EQ(*point.TCalc, point.TMeasured);  // the measured temperature itself
  }
}

// ml from 20 % off: the generating parameters come back, every point's true values are the
// measured ones, and the counts follow the residuals of each kind of point.
TEST(ObjectiveFit, MaximumLikelihoodRecoversParametersAndTrueValuesOfExactData) {
  const Database& db = builtInDatabase();
  const std::vector<Real> xs = liquidGrid();
  test::SelectedPair pair(1, 2);
  useSet(pair, test::generatedSet(db, 1, 2, kWilsonTruth, kP, xs));
  ObjectiveFitRequest request;
  request.Objective = FitObjective::ML;
  const ObjectiveFitResult result =
      fitObjective(*pair.state, pair.mixture, Model::Wilson, 2,
                   vectorOf({kWilsonTruth.a12 * 1.2L, kWilsonTruth.a21 * 0.8L}), request);
  // Exact data (bisected to the last bits): 1e-7 relative, the method's double tolerances.
  EXPECT_TRUE(result.Converged);
  EXPECT_NEAR(result.Parameters[0], kWilsonTruth.a12, 1e-7L * std::fabs(kWilsonTruth.a12));
  EXPECT_NEAR(result.Parameters[1], kWilsonTruth.a21, 1e-7L * std::fabs(kWilsonTruth.a21));
  EXPECT_LT(result.Chi2, 1e-10L);
  // 19 interior points with 4 residuals and 2 unknowns, 2 pure ones with 2 and 1.
  EXPECT_EQ(result.ResidualCount, 19 * 4 + 2 * 2);
  EXPECT_EQ(result.PointUnknowns, 19 * 2 + 2);
  EXPECT_EQ(result.Dof, 80 - 40 - 2);
  ASSERT_EQ(result.Points.size(), xs.size());
  for (const FitPointResult& point : result.Points) {
    ASSERT_TRUE(point.X1Calc && point.TCalc && point.PCalc && point.Y1Calc);
    // Tolerances: a residual of 1e-5 sigma at most (chi2 < 1e-10).
    EXPECT_NEAR(*point.X1Calc, point.X1, 1e-8L);
    EXPECT_NEAR(*point.TCalc, point.TMeasured, 1e-6L);
    EXPECT_NEAR(*point.PCalc, point.PMeasured, 1e-5L * kPaPerMmHg);
    EXPECT_NEAR(*point.Y1Calc, point.Y1Measured, 3e-8L);
    EXPECT_EQ(point.Residuals.size(), point.X1 > 0.0L && point.X1 < 1.0L ? 4u : 2u);
  }
  ASSERT_TRUE(result.RmsX1 && result.RmsT && result.RmsP && result.RmsY1);
  EXPECT_LT(*result.RmsT, 1e-6L);
  // Both covariances exist; with chi2 ~ 0 the scaled errors are far below the known-sigma ones.
  ASSERT_TRUE(result.Determined);
  for (std::size_t k = 0; k < 2; ++k) {
    ASSERT_TRUE(result.StdErrorsKnownSigma[k] && result.StdErrors[k]);
    EXPECT_LT(*result.StdErrors[k], 1e-3L * *result.StdErrorsKnownSigma[k]);
    EXPECT_NEAR(*result.HalfWidthsKnownSigma[k] / *result.StdErrorsKnownSigma[k],
                kNormalQuantile975, 1e-15L);
  }

  // The isothermal Wilson set of the next test, from the other side: the same unknowns serve.
  test::SelectedPair isothermal(1, 2);
  const Real tau = tauFromCelsius(70.0L);
  TBinaryFitData& fit = isothermal.fit();
  fit.resizePoints(xs.size());
  for (std::size_t k = 0; k < xs.size(); ++k) {
    Real p1 = 0;
    const Real P =
        test::bubbleExcess(isothermal.mixture, kWilsonTruth, xs[k], 1.0L, tau, p1) + 1.0L;
    fit.tau[k] = tau;
    fit.Pk[k] = P;
    fit.x1[k] = xs[k];
    fit.y1[k] = std::clamp(p1 / P, 0.0L, 1.0L);
  }
  fit.P = fit.Pk[0];
  preparePairFitData(fit, isothermal.mixture, 0, 1);
  const ObjectiveFitResult other =
      fitObjective(*isothermal.state, isothermal.mixture, Model::Wilson, 2,
                   vectorOf({kWilsonTruth.a12 * 0.8L, kWilsonTruth.a21 * 1.2L}), request);
  EXPECT_TRUE(other.Isothermal);
  EXPECT_NEAR(other.Parameters[0], kWilsonTruth.a12, 1e-7L * std::fabs(kWilsonTruth.a12));
  EXPECT_NEAR(other.Parameters[1], kWilsonTruth.a21, 1e-7L * std::fabs(kWilsonTruth.a21));
  EXPECT_LT(other.Chi2, 1e-10L);
}

// ml on the models whose composition terms are prepared per point for the other objectives
// (UNIQUAC's combinatorial factor, UNIFAC's group fractions): at the y1 fit's parameters with
// every parameter fixed, only the true values move, and each point's P and y1 are the model's
// bubble pressure there, so the residuals match the calculated values.
TEST(ObjectiveFit, MaximumLikelihoodTrueValuesAreBubblePressuresOfEveryModel) {
  for (Model model : {Model::UNIQUAC, Model::UNIFAC, Model::NRTL}) {
    SCOPED_TRACE(modelName(model));
    test::SelectedPair pair(1, 3);
    preparePairFitData(pair.fit(), pair.mixture, 0, 1);
    int n = model == Model::NRTL ? 3 : 2;
    TParamVector start = model == Model::NRTL ? pair.fit().NRTLStart : pair.fit().UNIQUACStart;
    if (model == Model::UNIFAC) {
      prepareUnifacFitData(pair.fit(), pair.mixture, UnifacVariant::MainGroups);
      n = pair.fit().FitGroupCount * (pair.fit().FitGroupCount - 1);
      start.fill(0.0L);
      for (int k = 0; k < n; ++k)
        start[static_cast<std::size_t>(k)] = 0.2L;
    }
    ObjectiveFitRequest request;
    request.Objective = FitObjective::ML;
    request.Limits.resize(static_cast<std::size_t>(n));
    for (int k = 0; k < n; ++k)
      request.Limits[static_cast<std::size_t>(k)].Fixed = start[static_cast<std::size_t>(k)];
    const ObjectiveFitResult result =
        fitObjective(*pair.state, pair.mixture, model, n, start, request);
    EXPECT_EQ(result.Dof, result.ResidualCount - result.PointUnknowns);
    Real chi2 = 0.0L;
    for (const FitPointResult& point : result.Points) {
      ASSERT_TRUE(point.X1Calc && point.TCalc && point.PCalc && point.Y1Calc);
      const bool interior = point.X1 > 0.0L && point.X1 < 1.0L;
      const std::size_t pIndex = interior ? 2 : 1;
      // Identity: the residual is the calculated P less the measured one over sigma_P.
      EXPECT_NEAR(point.Residuals[pIndex],
                  (*point.PCalc - point.PMeasured) / mmHgToPa(request.Sigmas.PmmHg), 1e-9L);
      if (interior) {
        EXPECT_NEAR(point.Residuals[0], (*point.X1Calc - point.X1) / request.Sigmas.x, 1e-9L);
        EXPECT_NEAR(point.Residuals[3], (*point.Y1Calc - point.Y1Measured) / request.Sigmas.y,
                    1e-9L);
      }
      for (Real r : point.Residuals)
        chi2 += r * r;
    }
    EXPECT_NEAR(chi2, result.Chi2, 1e-12L * result.Chi2);
    // The true values have moved from the measured ones: the data are not exact.
    ASSERT_TRUE(result.RmsT.has_value());
    EXPECT_GT(*result.RmsT, 0.0L);
  }
}

TEST(ObjectiveFit, MaximumLikelihoodRefusesBadSigmasAndTooFewPoints) {
  test::SelectedPair pair(1, 2);
  preparePairFitData(pair.fit(), pair.mixture, 0, 1);
  const TParamVector start = pair.fit().WilsonStart;
  const Real nan = std::numeric_limits<Real>::quiet_NaN();
  struct Case {
    Real FitSigmas::*Sigma;
    Real Value;
    const char* Named;
  };
  const Case cases[] = {{&FitSigmas::x, 0.0L, "sigma x = 0"},
                        {&FitSigmas::T, -0.1L, "sigma t = -0.1"},
                        {&FitSigmas::PmmHg, nan, "sigma p = NAN"},
                        {&FitSigmas::y, std::numeric_limits<Real>::infinity(), "sigma y = INF"}};
  for (const Case& c : cases) {
    ObjectiveFitRequest request;
    request.Objective = FitObjective::ML;
    request.Sigmas.*c.Sigma = c.Value;
    try {
      fitObjective(*pair.state, pair.mixture, Model::Wilson, 2, start, request);
      ADD_FAILURE() << c.Named << " accepted";
    } catch (const InputError& e) {
      const std::string message = render(e.text(), Language::English, e.args());
      EXPECT_NE(message.find(c.Named), std::string::npos) << message;
      EXPECT_NE(message.find("objective ml"), std::string::npos) << message;
    }
  }
  // sigma x is not the bubble objective's: a zero one is no fault there.
  ObjectiveFitRequest bubble;
  bubble.Sigmas.x = 0.0L;
  EXPECT_NO_THROW(fitObjective(*pair.state, pair.mixture, Model::Wilson, 2, start, bubble));

  // One interior point: 4 residuals for 2 true values and 2 parameters leave nu = 0.
  test::SelectedPair one(1, 2);
  TBinaryFitData& fit = one.fit();
  const Real x1 = fit.x1[10];
  const Real y1 = fit.y1[10];
  const Real tau = fit.tau[10];
  const Real P = fit.Pk[10];
  fit.resizePoints(1);
  fit.x1[0] = x1;
  fit.y1[0] = y1;
  fit.tau[0] = tau;
  fit.Pk[0] = P;
  preparePairFitData(fit, one.mixture, 0, 1);
  ObjectiveFitRequest request;
  request.Objective = FitObjective::ML;
  EXPECT_THROW(fitObjective(*one.state, one.mixture, Model::Wilson, 2, start, request), InputError);
  // With one parameter fixed, nu = 1: the fit runs.
  request.Limits.resize(2);
  request.Limits[1].Fixed = start[1];
  const ObjectiveFitResult fitted =
      fitObjective(*one.state, one.mixture, Model::Wilson, 2, start, request);
  EXPECT_EQ(fitted.Dof, 1);
}

// 200 noisy copies of the Wilson set (sigma 0.1 K on t, 0.003 on y1, the defaults): the 95 %
// interval of each parameter holds its generating value in 180 to 198 of them, the binomial
// count 0.95 n from 3 standard deviations below to 2.6 above (sigma = sqrt(n 0.95 0.05)); the
// same band for fewer repetitions.
TEST(ObjectiveFit, NinetyFivePercentIntervalsCoverTheTrueValues) {
  const Database& db = builtInDatabase();
  const LoadedDataSet exact = test::generatedSet(db, 1, 2, kWilsonTruth, kP, liquidGrid());
  const int repetitions = BUBBLIX_INTERVAL_REPETITIONS;
  std::mt19937_64 generator(20261209);
  std::normal_distribution<double> normal(0.0, 1.0);
  int covered[2] = {0, 0};
  for (int rep = 0; rep < repetitions; ++rep) {
    LoadedDataSet noisy = exact;
    for (std::size_t k = 0; k < noisy.t.size(); ++k) {
      noisy.t[k] += 0.1L * static_cast<Real>(normal(generator));
      if (noisy.x[k] > 0.0L && noisy.x[k] < 1.0L) {
        noisy.y[k] =
            std::clamp(noisy.y[k] + 0.003L * static_cast<Real>(normal(generator)), 0.0L, 1.0L);
      }
    }
    test::SelectedPair pair(1, 2);
    useSet(pair, noisy);
    const ObjectiveFitResult result =
        fitObjective(*pair.state, pair.mixture, Model::Wilson, 2,
                     vectorOf({kWilsonTruth.a12, kWilsonTruth.a21}), ObjectiveFitRequest{});
    ASSERT_TRUE(result.Determined);
    const Real truth[2] = {kWilsonTruth.a12, kWilsonTruth.a21};
    for (int k = 0; k < 2; ++k) {
      if (std::fabs(result.Parameters[static_cast<std::size_t>(k)] - truth[k]) <=
          *result.HalfWidths[static_cast<std::size_t>(k)]) {
        ++covered[k];
      }
    }
  }
  const double n = repetitions;
  const double sigma = std::sqrt(n * 0.95 * 0.05);
  const int lowest = static_cast<int>(std::floor(0.95 * n - 3.0 * sigma));
  const int highest = std::min(repetitions, static_cast<int>(std::floor(0.95 * n + 2.6 * sigma)));
  RecordProperty("covered_a12", covered[0]);
  RecordProperty("covered_a21", covered[1]);
  for (int k = 0; k < 2; ++k) {
    EXPECT_GE(covered[k], lowest) << "parameter " << k;
    EXPECT_LE(covered[k], highest) << "parameter " << k;
  }
}

// The same for ml, with noise of the default sigmas on every measured variable (t 0.1 K,
// P 0.5 mm Hg, x1 0.001, y1 0.003): the intervals of both covariances, scaled by chi2 / nu
// (Student's t) and with s^2 = 1 (normal quantile), hold the generating values in the band.
TEST(ObjectiveFit, NinetyFivePercentIntervalsOfMaximumLikelihoodCoverTheTrueValues) {
  const Database& db = builtInDatabase();
  const LoadedDataSet exact = test::generatedSet(db, 1, 2, kWilsonTruth, kP, liquidGrid());
  const int repetitions = BUBBLIX_INTERVAL_REPETITIONS;
  std::mt19937_64 generator(20261210);
  std::normal_distribution<double> normal(0.0, 1.0);
  int covered[2] = {0, 0};
  int coveredKnown[2] = {0, 0};
  ObjectiveFitRequest request;
  request.Objective = FitObjective::ML;
  for (int rep = 0; rep < repetitions; ++rep) {
    LoadedDataSet noisy = exact;
    for (std::size_t k = 0; k < noisy.t.size(); ++k) {
      noisy.t[k] += 0.1L * static_cast<Real>(normal(generator));
      noisy.P[k] += mmHgToPa(0.5L) * static_cast<Real>(normal(generator));
      if (noisy.x[k] > 0.0L && noisy.x[k] < 1.0L) {
        noisy.x[k] =
            std::clamp(noisy.x[k] + 0.001L * static_cast<Real>(normal(generator)), 0.0L, 1.0L);
        noisy.y[k] =
            std::clamp(noisy.y[k] + 0.003L * static_cast<Real>(normal(generator)), 0.0L, 1.0L);
      }
    }
    test::SelectedPair pair(1, 2);
    useSet(pair, noisy);
    const ObjectiveFitResult result =
        fitObjective(*pair.state, pair.mixture, Model::Wilson, 2,
                     vectorOf({kWilsonTruth.a12, kWilsonTruth.a21}), request);
    ASSERT_TRUE(result.Determined);
    const Real truth[2] = {kWilsonTruth.a12, kWilsonTruth.a21};
    for (std::size_t k = 0; k < 2; ++k) {
      const Real off = std::fabs(result.Parameters[k] - truth[k]);
      if (off <= *result.HalfWidths[k]) ++covered[k];
      if (off <= *result.HalfWidthsKnownSigma[k]) ++coveredKnown[k];
    }
  }
  const double n = repetitions;
  const double sigma = std::sqrt(n * 0.95 * 0.05);
  const int lowest = static_cast<int>(std::floor(0.95 * n - 3.0 * sigma));
  const int highest = std::min(repetitions, static_cast<int>(std::floor(0.95 * n + 2.6 * sigma)));
  RecordProperty("ml_covered_a12", covered[0]);
  RecordProperty("ml_covered_a21", covered[1]);
  RecordProperty("ml_covered_known_sigma_a12", coveredKnown[0]);
  RecordProperty("ml_covered_known_sigma_a21", coveredKnown[1]);
  for (int k = 0; k < 2; ++k) {
    EXPECT_GE(covered[k], lowest) << "parameter " << k;
    EXPECT_LE(covered[k], highest) << "parameter " << k;
    EXPECT_GE(coveredKnown[k], lowest) << "parameter " << k << ", s^2 = 1";
    EXPECT_LE(coveredKnown[k], highest) << "parameter " << k << ", s^2 = 1";
  }
}

TEST(ObjectiveFit, BoundsFixedValuesAndUndeterminedParameters) {
  // comp.1-comp.2, Wilson by bubble: its l21-l22 lies near 3.94 kJ/mol (docs/fitting.md); an
  // upper bound of 3.5 kJ/mol holds it there with no interval, the other keeps one.
  test::SelectedPair pair(1, 2);
  preparePairFitData(pair.fit(), pair.mixture, 0, 1);
  ObjectiveFitRequest request;
  request.Limits.resize(2);
  request.Limits[1].Upper = reducedFromKJPerMol(3.5L);
  const TParamVector start = pair.fit().WilsonStart;
  ObjectiveFitResult result =
      fitObjective(*pair.state, pair.mixture, Model::Wilson, 2, start, request);
  EXPECT_TRUE(result.AtBound[1]);
  EXPECT_NEAR(result.Parameters[1], reducedFromKJPerMol(3.5L), 1e-9L);
  EXPECT_FALSE(result.StdErrors[1].has_value());
  ASSERT_TRUE(result.StdErrors[0].has_value());
  EXPECT_GT(*result.StdErrors[0], 0.0L);
  // The correlation of the one parameter with the interval is itself, 1 to rounding.
  ASSERT_TRUE(result.Correlation[0][0].has_value());
  EXPECT_NEAR(*result.Correlation[0][0], 1.0L, 1e-12L);
  EXPECT_FALSE(result.Correlation[0][1].has_value());

  // Unbounded, the two are correlated negatively, and the interval is t * SE.
  result = fitObjective(*pair.state, pair.mixture, Model::Wilson, 2, start, ObjectiveFitRequest{});
  ASSERT_TRUE(result.Determined);
  EXPECT_LT(*result.Correlation[0][1], 0.0L);
  EXPECT_NEAR(*result.Correlation[0][1], *result.Correlation[1][0], 1e-15L);
  EXPECT_NEAR(*result.HalfWidths[0] / *result.StdErrors[0], studentTQuantile(0.975L, result.Dof),
              1e-12L);

  // comp.1-comp.3 by NRTL (docs/fitting.md): alpha runs off to where the data no longer determine
  // the parameters: J^T J beyond the condition limit, no errors and no correlation. From the y1
  // fit's result, as a fitting session starts it.
  test::SelectedPair nrtl(1, 3);
  const FitResult y1 = fitNRTL(*nrtl.state, nrtl.mixture, 0, 1, FitControls{});
  result =
      fitObjective(*nrtl.state, nrtl.mixture, Model::NRTL, 3, y1.Parameters, ObjectiveFitRequest{});
  EXPECT_FALSE(result.Determined);
  EXPECT_GT(result.Condition, kConditionLimit);
  for (const auto& se : result.StdErrors)
    EXPECT_FALSE(se.has_value());
  for (const auto& row : result.Correlation)
    for (const auto& cell : row)
      EXPECT_FALSE(cell.has_value());
}

TEST(ObjectiveFit, RefusesLimitsThatContradictThemselves) {
  test::SelectedPair pair(1, 2);
  preparePairFitData(pair.fit(), pair.mixture, 0, 1);
  ObjectiveFitRequest request;
  request.Limits.resize(2);
  request.Limits[0].Lower = 1.0L;
  request.Limits[0].Upper = 0.5L;
  const TParamVector start = pair.fit().WilsonStart;
  EXPECT_THROW(fitObjective(*pair.state, pair.mixture, Model::Wilson, 2, start, request),
               InputError);
  request.Limits[0] = {};
  request.Limits[0].Fixed = 2.0L;
  request.Limits[0].Upper = 1.0L;
  EXPECT_THROW(fitObjective(*pair.state, pair.mixture, Model::Wilson, 2, start, request),
               InputError);
  request.Limits[0] = {};
  request.Objective = FitObjective::Y1;  // the gradient method's, not this one's
  EXPECT_THROW(fitObjective(*pair.state, pair.mixture, Model::Wilson, 2, start, request),
               InputError);
}

}  // namespace
}  // namespace bubblix
