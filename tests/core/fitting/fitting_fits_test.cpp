#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "core/base/errors.h"
#include "core/fitting/binary_fit.h"
#include "fitting_test_support.h"

namespace bubblix {
namespace {

using test::SelectedPair;

const ContinueQuestion kAbort = [](const Text&) { return false; };

Real rmsError(const TBinaryFitData& fit, Real S) {
  return std::sqrt(S / static_cast<Real>(fit.N));
}

struct PairModel {
  int a, b;
  Model model;
};

void PrintTo(const PairModel& p, std::ostream* os) {
  *os << static_cast<char>(modelLetter(p.model)) << " comp." << p.a << "-comp." << p.b;
}

std::string name(const ::testing::TestParamInfo<PairModel>& info) {
  return std::string(1, static_cast<char>(modelLetter(info.param.model))) + "_" +
         std::to_string(info.param.a) + std::to_string(info.param.b);
}

class ComponentModelFit : public ::testing::TestWithParam<PairModel> {};

// Properties of a converged fit, not its digits (several of these fits change in the last
// digits with the last bit of the arithmetic): E below the error at the start vector, S the
// objective at the returned parameters, the start vector replaced by the result, and the
// progress reported last at the end of the fit.
TEST_P(ComponentModelFit, ConvergesBelowTheErrorAtTheStartVector) {
  const PairModel& p = GetParam();
  SelectedPair pair(p.a, p.b);
  TBinaryFitData& fit = pair.fit();
  preparePairFitData(fit, pair.mixture, 0, 1);
  std::vector<std::pair<std::uint16_t, Real>> reports;
  FitControls controls;
  controls.AskToContinue = kAbort;  // none of these fits needs 3000 iterations
  controls.Progress = [&reports](std::uint16_t i, Real F) { reports.emplace_back(i, F); };

  Real startS = 0.0L;
  FitResult result;
  const TParamVector* start = nullptr;
  Real (*objective)(FittingState&, const TParamVector&) = nullptr;
  switch (p.model) {
    case Model::Wilson:
      startS = WilsonObjective(*pair.state, fit.WilsonStart);
      result = fitWilson(*pair.state, pair.mixture, 0, 1, controls);
      start = &fit.WilsonStart;
      objective = WilsonObjective;
      break;
    case Model::NRTL:
      startS = NRTLObjective(*pair.state, fit.NRTLStart);
      result = fitNRTL(*pair.state, pair.mixture, 0, 1, controls);
      start = &fit.NRTLStart;
      objective = NRTLObjective;
      break;
    case Model::UNIQUAC:
      startS = UNIQUACObjective(*pair.state, fit.UNIQUACStart);
      result = fitUNIQUAC(*pair.state, pair.mixture, 0, 1, controls);
      start = &fit.UNIQUACStart;
      objective = UNIQUACObjective;
      break;
    case Model::UNIFAC:
      FAIL() << "UNIFAC fits are the UnifacFits cases";
  }
  EXPECT_EQ(result.ParameterCount, p.model == Model::NRTL ? 3 : 2);
  EXPECT_TRUE(std::isfinite(result.E));
  EXPECT_LT(result.E, rmsError(fit, startS));
  EXPECT_EQ(result.E, rmsError(fit, result.S));
  // Reference values of these fits lie between 0.0025 and 0.045 (the largest for the
  // comp.2-comp.4 system); a fit that stopped early would stay near its start.
  EXPECT_LT(result.E, p.a == 2 && p.b == 4 ? 0.05L : 0.01L);
  EXPECT_GE(result.Iterations, 1);
  EXPECT_EQ(result.Parameters, *start);
  EXPECT_EQ(objective(*pair.state, result.Parameters), result.S);
  // The last report is the end of the fit: its iteration count and the sum of the parameters
  // returned, not an intermediate state.
  ASSERT_FALSE(reports.empty());
  EXPECT_EQ(reports.back(), (std::pair<std::uint16_t, Real>{result.Iterations, result.S}));
  EXPECT_EQ(pair.state->MinimizerF, nullptr);  // detached after the fit
}

INSTANTIATE_TEST_SUITE_P(
    DatabaseSystems, ComponentModelFit,
    ::testing::Values(PairModel{1, 2, Model::Wilson}, PairModel{1, 3, Model::Wilson},
                      PairModel{1, 4, Model::Wilson}, PairModel{2, 3, Model::Wilson},
                      PairModel{2, 4, Model::Wilson}, PairModel{3, 4, Model::Wilson},
                      PairModel{1, 2, Model::NRTL}, PairModel{1, 3, Model::NRTL},
                      PairModel{1, 4, Model::NRTL}, PairModel{2, 3, Model::NRTL},
                      PairModel{3, 4, Model::NRTL}, PairModel{1, 2, Model::UNIQUAC},
                      PairModel{1, 3, Model::UNIQUAC}, PairModel{1, 4, Model::UNIQUAC},
                      PairModel{2, 3, Model::UNIQUAC}, PairModel{2, 4, Model::UNIQUAC},
                      PairModel{3, 4, Model::UNIQUAC}),
    name);

TEST(BinaryFit, IllConditionedNrtlFitEndsWithAResultOrAClearError) {
  // comp.2-comp.4 with NRTL: alpha may run away and the objective overflow. Whatever the last
  // bit of the arithmetic does, the fit must end: a finite result below the start error, or
  // one of the gradient method's errors after the question was answered Abort.
  SelectedPair pair(2, 4);
  TBinaryFitData& fit = pair.fit();
  preparePairFitData(fit, pair.mixture, 0, 1);
  const Real startE = rmsError(fit, NRTLObjective(*pair.state, fit.NRTLStart));
  FitControls controls;
  int questions = 0;
  controls.AskToContinue = [&questions](const Text&) {
    ++questions;
    return false;
  };
  try {
    const FitResult result = fitNRTL(*pair.state, pair.mixture, 0, 1, controls);
    EXPECT_TRUE(std::isfinite(result.E));
    EXPECT_LT(result.E, startE);
    EXPECT_EQ(questions, 0);
  } catch (const CancelledError&) {
    EXPECT_EQ(questions, 1);
  } catch (const ArithmeticError& e) {
    EXPECT_FALSE(std::string(e.what()).empty());
  }
  EXPECT_EQ(pair.state->MinimizerF, nullptr);
}

TEST(BinaryFit, AbortAtTheIterationLimitLeavesAsCancelled) {
  SelectedPair pair(2, 4);
  FitControls controls;
  int questions = 0;
  controls.IterationLimit = 3;
  controls.AskToContinue = [&questions](const Text&) { return ++questions < 2; };  // Retry, Abort
  EXPECT_THROW(fitNRTL(*pair.state, pair.mixture, 0, 1, controls), CancelledError);
  EXPECT_EQ(questions, 2);
  EXPECT_EQ(pair.state->MinimizerF, nullptr);
  EXPECT_EQ(pair.state->MinimizerIterations, nullptr);

  controls.AskToContinue = nullptr;  // no one to ask: the limit is an error
  EXPECT_THROW(fitNRTL(*pair.state, pair.mixture, 0, 1, controls), NoConvergenceError);
}

TEST(BinaryFit, UnifacFitOfComp1Comp2ConvergesInBothVariantsAndLeavesItsParametersInTheTables) {
  // comp.1-comp.2 has the subgroups 1A, 5A and 6, one per main group, so the two variants fit
  // the same six parameters through different tables and must agree bit for bit.
  FitResult results[2];
  for (UnifacVariant variant : {UnifacVariant::MainGroups, UnifacVariant::Subgroups}) {
    SCOPED_TRACE(testing::Message() << "variant " << int(variant));
    SelectedPair pair(1, 2, variant);
    TBinaryFitData& fit = pair.fit();
    FitControls controls;
    controls.AskToContinue = kAbort;
    const FitResult result = fitUNIFAC(*pair.state, pair.mixture, 0, 1, controls);
    ASSERT_EQ(result.ParameterCount, 6);
    EXPECT_EQ(fit.FitGroupCount, 3);

    TParamVector start{};
    for (std::size_t k = 0; k < 6; ++k)
      start[k] = kUnifacStartValue;
    SelectedPair fresh(1, 2, variant);
    preparePairFitData(fresh.fit(), fresh.mixture, 0, 1);
    prepareUnifacFitData(fresh.fit(), fresh.mixture, variant);
    const Real startE = rmsError(fresh.fit(), UNIFACObjective(*fresh.state, start));
    EXPECT_LT(result.E, startE);
    EXPECT_LT(result.E, 0.01L);  // reference value about 0.0039
    EXPECT_GE(result.Iterations, 1);

    // The tables hold the returned parameters, whatever point was evaluated last.
    std::size_t pos = 0;
    for (int g = 0; g < 3; ++g) {
      for (int h = 0; h < 3; ++h) {
        if (g == h) continue;
        EXPECT_EQ(groupParameter(pair.state->Tables, fit.FitGroupIdsA, fit.FitGroupIdsB, g, h),
                  result.Parameters[pos++]);
      }
    }
    EXPECT_EQ(UNIFACObjective(*pair.state, result.Parameters), result.S);
    results[variant == UnifacVariant::MainGroups ? 0 : 1] = result;
  }
  EXPECT_EQ(results[0].Parameters, results[1].Parameters);
  EXPECT_EQ(results[0].E, results[1].E);
  EXPECT_EQ(results[0].Iterations, results[1].Iterations);
}

TEST(BinaryFit, UnifacGroupCountsOfTheVariants) {
  // comp.1-comp.4: subgroups 1A, 5A, 1B, 10 of main groups 1, 5, 10; comp.1-comp.3: 1A, 5A,
  // 5B of main groups 1 and 5.
  struct Case {
    int a, b;
    UnifacVariant variant;
    int groups, fitGroups;
  };
  for (const Case& c :
       {Case{1, 4, UnifacVariant::MainGroups, 4, 3}, Case{1, 4, UnifacVariant::Subgroups, 4, 4},
        Case{1, 3, UnifacVariant::MainGroups, 3, 2}, Case{1, 3, UnifacVariant::Subgroups, 3, 3}}) {
    SelectedPair pair(c.a, c.b, c.variant);
    preparePairFitData(pair.fit(), pair.mixture, 0, 1);
    prepareUnifacFitData(pair.fit(), pair.mixture, c.variant);
    EXPECT_EQ(pair.fit().GroupCount, c.groups) << c.a << c.b << int(c.variant);
    EXPECT_EQ(pair.fit().FitGroupCount, c.fitGroups) << c.a << c.b << int(c.variant);
  }
}

TEST(BinaryFit, UnifacPairOfOneGroupHasNothingToFit) {
  // comp.2 with itself: one group, no parameter. The points of comp.2-comp.3 serve as data.
  SelectedPair pair(2, 3);
  loadComponent(pair.mixture, builtInDatabase(), 1, "comp.2");
  FitControls controls;
  const FitResult result = fitUNIFAC(*pair.state, pair.mixture, 0, 1, controls);
  EXPECT_EQ(result.ParameterCount, 0);
  EXPECT_EQ(result.Iterations, 0);
  EXPECT_TRUE(std::isfinite(result.E));
  EXPECT_EQ(result.E, rmsError(pair.fit(), result.S));
}

TEST(BinaryFit, UnifacPairWithMoreThanTwentyParametersIsRefused) {
  // Six different main groups (1, 5, 10 and 6, 12, 14) would need 30 parameters.
  SelectedPair pair(1, 2);
  TComponentGroups& second = pair.mixture.Groups[1];
  second.Count = 3;
  second.IdsA = {6, 12, 14};
  second.IdsB = {' ', ' ', ' '};
  second.Nu = {1, 1, 1};
  second.Q = {1.4L, 1.0L, 1.0L};
  pair.mixture.Groups[0].Count = 3;
  pair.mixture.Groups[0].IdsA[2] = 10;
  pair.mixture.Groups[0].Nu[2] = 1;
  FitControls controls;
  try {
    fitUNIFAC(*pair.state, pair.mixture, 0, 1, controls);
    ADD_FAILURE() << "no error";
  } catch (const InputError& e) {
    EXPECT_NE(std::string(e.what()).find("30 interaction parameters"), std::string::npos)
        << e.what();
  }
}

TEST(BinaryFit, DataWithoutSenseAreRefusedBeforeTheFit) {
  SelectedPair pair(1, 2);
  TBinaryFitData& fit = pair.fit();
  EXPECT_THROW(preparePairFitData(fit, pair.mixture, 0, 0), InputError);
  EXPECT_THROW(preparePairFitData(fit, pair.mixture, 0, 4), InputError);
  EXPECT_THROW(preparePairFitData(fit, pair.mixture, 0, 2), DataError);  // slot not loaded

  const TBinaryFitData good = fit;
  auto message = [&](auto change) {
    fit = good;
    change(fit);
    try {
      preparePairFitData(fit, pair.mixture, 0, 1);
    } catch (const InputError& e) {
      return std::string(e.what());
    }
    return std::string("no error");
  };
  EXPECT_NE(message([](TBinaryFitData& f) { f.N = 0; }).find("no experimental points"),
            std::string::npos);
  EXPECT_NE(message([](TBinaryFitData& f) { f.N = 2001; }).find("at most 2000"), std::string::npos);
  EXPECT_NE(message([](TBinaryFitData& f) { f.Pk[1] = 0.0L; }).find("point 2"), std::string::npos);
  EXPECT_NE(message([](TBinaryFitData& f) { f.P = 0.0L; }).find("(0 Pa)"), std::string::npos);
  EXPECT_NE(message([](TBinaryFitData& f) { f.x1[2] = 1.5L; })
                .find("point 3 of the system "
                      "comp.1-comp.2"),
            std::string::npos);
  EXPECT_NE(message([](TBinaryFitData& f) { f.tau[4] = NAN; }).find("point 5"), std::string::npos);
}

}  // namespace
}  // namespace bubblix
