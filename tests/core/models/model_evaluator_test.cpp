// The solvers' model evaluator keeps the terms of the last temperature and composition. Its
// results must be those of modelGamma and saturationPressuresAt to the last bit, whatever the
// order of the arguments, and a failed evaluation must keep nothing.

#include "core/models/model_evaluator.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "core/base/errors.h"
#include "core/models/model_evaluation.h"
#include "core/models/model_test_support.h"
#include "core/models/solvers.h"

namespace bubblix {
namespace {

// Bitwise equality of the 80 bits of two reals (tells +0 from -0 and compares NaN payloads).
bool sameBits(Real a, Real b) {
  return std::memcmp(&a, &b, 10) == 0;
}

struct Point {
  CompositionVector x;
  Real tau;
};

// Every kind of repetition: the same point, a new composition at the same temperature, a new
// temperature at the same composition, a return to an earlier point, +0 after -0 in x.
std::vector<Point> pointSequence(int n) {
  const CompositionVector a =
      n == 2 ? CompositionVector{0.3L, 0.7L} : CompositionVector{0.1L, 0.2L, 0.3L, 0.4L};
  const CompositionVector b =
      n == 2 ? CompositionVector{0.8L, 0.2L} : CompositionVector{0.4L, 0.3L, 0.2L, 0.1L};
  CompositionVector zero = a;
  zero[0] = 0.0L;
  zero[1] = a[1] + a[0];
  CompositionVector minusZero = zero;
  minusZero[0] = -0.0L;
  return {{a, 1.25L}, {a, 1.25L}, {b, 1.25L},   {b, 1.3L},         {a, 1.3L},
          {a, 1.25L}, {b, 1.3L},  {zero, 1.3L}, {minusZero, 1.3L}, {zero, 1.3L}};
}

TEST(ModelEvaluator, GammaAndVapourPressuresAreThoseOfTheFreeRoutinesBitForBit) {
  for (const Model model : {Model::Wilson, Model::NRTL, Model::UNIQUAC, Model::UNIFAC}) {
    for (const int n : {2, 4}) {
      SCOPED_TRACE(std::string(modelName(model)) + " n=" + std::to_string(n));
      const Mixture mixture = n == 2 ? test::mixtureOf({1, 2}) : test::mixtureOf({1, 2, 3, 4});
      const TParameterSet set = test::modelSet(model, mixture, n);
      ModelEvaluator evaluator(mixture, set);
      int step = 0;
      for (const Point& p : pointSequence(n)) {
        CompositionVector expected{};
        CompositionVector got{};
        modelGamma(mixture, set, p.x, expected, p.tau);
        evaluator.gamma(p.x, p.tau, got);
        for (int i = 0; i < 5; ++i) {
          EXPECT_TRUE(sameBits(got[i], expected[i]))
              << "step " << step << " gamma[" << i << "] " << static_cast<double>(got[i]);
        }
        const ComponentValues Psat = saturationPressuresAt(mixture, n, p.tau);
        const ComponentValues& cached = evaluator.saturationPressures(p.tau);
        for (int i = 0; i < n; ++i)
          EXPECT_TRUE(sameBits(cached[i], Psat[i])) << "step " << step << " Psat[" << i << "]";
        ++step;
      }
    }
  }
}

TEST(ModelEvaluator, SignOfAZeroTemperatureIsNotMistakenForTheSameArgument) {
  // exp(-a / +0) = 0 and exp(-a / -0) = inf for a > 0: the two must not share terms.
  const Mixture mixture = test::mixtureOf({1, 2});
  const TParameterSet set = test::uniquacSet(2);
  const CompositionVector x = {0.3L, 0.7L};
  ModelEvaluator evaluator(mixture, set);
  for (const Real tau : {0.0L, -0.0L, 0.0L}) {
    CompositionVector expected{};
    CompositionVector got{};
    modelGamma(mixture, set, x, expected, tau);
    evaluator.gamma(x, tau, got);
    EXPECT_TRUE(sameBits(got[0], expected[0]) && sameBits(got[1], expected[1]))
        << "tau " << (std::signbit(tau) ? "-0" : "+0");
  }
}

TEST(ModelEvaluator, AFailedEvaluationKeepsNothing) {
  // 3000 degC lies so far outside the density table of comp.1 that its density is not
  // positive: MolarVolume refuses it, for the free routine and the evaluator alike.
  const Mixture mixture = test::mixtureOf({1, 2});
  const TParameterSet set = test::wilsonSet(2);
  const CompositionVector x = {0.3L, 0.7L};
  const Real bad = 1.0L + 3000.0L / 273.15L;
  const Real good = 1.25L;
  CompositionVector gamma{};
  ASSERT_THROW(modelGamma(mixture, set, x, gamma, bad), ArithmeticError);

  ModelEvaluator evaluator(mixture, set);
  CompositionVector expected{};
  modelGamma(mixture, set, x, expected, good);
  for (int round = 0; round < 2; ++round) {
    EXPECT_THROW(evaluator.gamma(x, bad, gamma), ArithmeticError) << "round " << round;
    CompositionVector got{};
    evaluator.gamma(x, good, got);
    EXPECT_TRUE(sameBits(got[0], expected[0]) && sameBits(got[1], expected[1]))
        << "round " << round;
  }
}

}  // namespace
}  // namespace bubblix
