#include "core/numerics/gradient_minimizer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "core/base/errors.h"
#include "core/texts/numerics_texts.h"

namespace bubblix {
namespace {

const ContinueQuestion kNeverAsked = [](const Text&) -> bool {
  ADD_FAILURE() << "slow-convergence question asked";
  return false;
};

TParamVector vec(std::initializer_list<Real> values) {
  TParamVector v{};
  std::size_t i = 0;
  for (Real value : values)
    v[i++] = value;
  return v;
}

// An objective that records every point it is called at.
struct Recorder {
  std::vector<TParamVector> points;
  Real (*f)(const TParamVector&);
  Real operator()(const TParamVector& x) {
    points.push_back(x);
    return f(x);
  }
};

TEST(GradientMinimize, QuadraticIsMinimisedAndFIsTheObjectiveAtTheReturnedPoint) {
  // Minimum at (1, -2) with value 3 (hand calculation: the cross term vanishes there).
  auto quadratic = [](const TParamVector& p) {
    const Real u = p[0] - 1.0L, v = p[1] + 2.0L;
    return 3.0L + u * u + 4.0L * v * v + u * v;
  };
  TParamVector x = vec({5.0L, 5.0L});
  x[7] = 42.0L;  // beyond n: carried along untouched
  std::uint16_t iterations = 0;
  Real F = 0.0L;
  GradientMinimize(2, iterations, F, 1e-5L, x, quadratic, kNeverAsked);
  EXPECT_EQ(F, quadratic(x));  // exactly the value at the returned point
  // Step length below 1e-5 at the end; the minimum is reached to about that length.
  EXPECT_NEAR(x[0], 1.0L, 1e-4L);
  EXPECT_NEAR(x[1], -2.0L, 1e-4L);
  EXPECT_NEAR(F, 3.0L, 1e-8L);
  EXPECT_EQ(x[7], 42.0L);
  EXPECT_GE(iterations, 1);
  EXPECT_LT(iterations, 100);
}

TEST(GradientMinimize, CurvedValleyEndsBelowTheStartAndBelowEveryIterate) {
  // A curved valley (1 - u)^2 + (v - u^2)^2 from (-1.2, 1): start value 5.0336, minimum 0
  // at (1, 1). The iterations of the method may climb near the end; whatever they do, the
  // returned F must not exceed the value at any iterate.
  auto valley = [](const TParamVector& p) {
    const Real a = 1.0L - p[0], b = p[1] - p[0] * p[0];
    return a * a + b * b;
  };
  TParamVector x = vec({-1.2L, 1.0L});
  std::uint16_t iterations = 0;
  Real F = 0.0L;
  // Each iteration ends with the call that evaluates its new point; the counter the objective
  // sees changes right after it. Those calls give the iterates' values.
  std::vector<std::uint16_t> seenCounter;
  std::vector<Real> values;
  GradientMinimize(
      2, iterations, F, 1e-5L, x,
      [&](const TParamVector& p) {
        seenCounter.push_back(iterations);
        values.push_back(valley(p));
        return values.back();
      },
      kNeverAsked);
  EXPECT_EQ(F, valley(x));
  EXPECT_LT(F, 1e-3L * valley(vec({-1.2L, 1.0L})));
  std::size_t iterates = 0;
  for (std::size_t c = 0; c < values.size(); ++c) {
    if (c + 1 == values.size() || seenCounter[c + 1] != seenCounter[c]) {
      ++iterates;
      EXPECT_LE(F, values[c]) << "call " << c;
    }
  }
  EXPECT_EQ(iterates, iterations);
}

TEST(GradientMinimize, ZeroGradientAtTheStartReturnsAfterOneIteration) {
  // x^2 at 0: the central difference is exactly 0, so d = 0; the line search on [0, 2] with
  // S = 0 does not loop. Calls (hand count): start 1, gradient 2, step-out 2, line search 2,
  // gradient 2, value 1.
  Recorder objective{{}, [](const TParamVector& p) { return p[0] * p[0]; }};
  TParamVector x = vec({0.0L});
  std::uint16_t iterations = 99;
  Real F = 1.0L;
  GradientMinimize(1, iterations, F, 1e-5L, x, objective, kNeverAsked);
  EXPECT_EQ(iterations, 1);
  EXPECT_EQ(x[0], 0.0L);
  EXPECT_EQ(F, 0.0L);
  EXPECT_EQ(objective.points.size(), 10u);
}

TEST(GradientMinimize, ObjectiveIsCalledInTheOrderOfTheMethod) {
  // (x - 3)^2 / 4 from 0. Hand calculation: start value 2.25; gradient -1.5 with h = 0.001,
  // d = 1.5; the step-out point 1.5 (0.5625) is better, so alpha = 2 and 3.0 (0) better
  // still, 4.5 (0.5625) is not: x = 1.5. The line search over [0, 2] from 1.5 then starts at
  // t = 0.618034 * 2, then 0.381966 * 2.
  Recorder objective{{},
                     [](const TParamVector& p) { return (p[0] - 3.0L) * (p[0] - 3.0L) / 4.0L; }};
  TParamVector x = vec({0.0L});
  std::uint16_t iterations = 0;
  Real F = 0.0L;
  GradientMinimize(1, iterations, F, 1e-5L, x, objective, kNeverAsked);
  const std::vector<Real> expected = {0.0L,
                                      0.001L,
                                      -0.001L,
                                      1.5L,
                                      3.0L,
                                      4.5L,
                                      1.5L + 0.618034L * 2.0L * 1.5L,
                                      1.5L + 0.381966L * 2.0L * 1.5L};
  ASSERT_GT(objective.points.size(), expected.size());
  for (std::size_t k = 0; k < expected.size(); ++k) {
    EXPECT_NEAR(objective.points[k][0], expected[k], 1e-15L) << "call " << k;
  }
  EXPECT_NEAR(x[0], 3.0L, 1e-5L);
}

TEST(GradientMinimize, StepOutAdvancesByWholeStepsBeforeTheLineSearch) {
  // (x - 50)^2 / 1000 from 0: gradient -0.1, d = 0.1. The objective falls strictly along d
  // up to x = 50, so the step-out walks 0.1, 0.2, ... and the line search then searches [0, 2]
  // from the last whole step before the minimum (49.9, accumulated in 80 bits: 1e-12).
  Recorder objective{
      {}, [](const TParamVector& p) { return (p[0] - 50.0L) * (p[0] - 50.0L) / 1000.0L; }};
  TParamVector x = vec({0.0L});
  std::uint16_t iterations = 0;
  Real F = 0.0L;
  GradientMinimize(1, iterations, F, 1e-5L, x, objective, kNeverAsked);
  // Calls: start, 2 for the gradient, then step-out points 0.1, 0.2, ..., 50.1.
  std::size_t k = 3;
  for (int step = 1; step <= 501; ++step, ++k) {
    ASSERT_NEAR(objective.points[k][0], 0.1L * step, 1e-12L) << "step " << step;
  }
  EXPECT_NEAR(objective.points[k][0], 49.9L + 0.618034L * 2.0L * 0.1L, 1e-12L);
  EXPECT_NEAR(objective.points[k + 1][0], 49.9L + 0.381966L * 2.0L * 0.1L, 1e-12L);
  EXPECT_NEAR(x[0], 50.0L, 1e-3L);
}

TEST(GradientMinimize, ReturnsTheBestIterateWhenTheLastOneClimbs) {
  // f = 1e-7 x - x^3 at 0: the central difference with h = 0.001 gives 1e-7 - 1e-6 < 0, so
  // d points uphill; the tiny step is below eps and the only iterate, B = 0.5 d, is worse than
  // the start (hand calculation: f(B) = 1e-7 * 4.5e-7 > 0). The start is returned.
  Recorder cubic{{}, [](const TParamVector& p) { return 1e-7L * p[0] - p[0] * p[0] * p[0]; }};
  TParamVector x = vec({0.0L});
  std::uint16_t iterations = 0;
  Real F = 0.0L;
  GradientMinimize(1, iterations, F, 1e-5L, x, cubic, kNeverAsked);
  EXPECT_EQ(iterations, 1);
  // The last call evaluated the iterate: about 4.5e-7 (1e-12), uphill from the start.
  EXPECT_NEAR(cubic.points.back()[0], 4.5e-7L, 1e-12L);
  EXPECT_GT(cubic.f(cubic.points.back()), 0.0L);
  EXPECT_EQ(x[0], 0.0L);
  EXPECT_EQ(F, 0.0L);
}

TEST(GradientMinimize, OnEqualValuesTheLaterIterateIsReturned) {
  // A step: 0 for x > -0.0005, 1 below. The gradient at 0 is -500; every point the search
  // visits lies on the flat part (value 0, a tie with the start), and the line search shrinks
  // towards t = 0 but never reaches it, so the one iterate lies just right of the start.
  auto step = [](const TParamVector& p) { return p[0] > -0.0005L ? 0.0L : 1.0L; };
  TParamVector x = vec({0.0L});
  std::uint16_t iterations = 0;
  Real F = 0.0L;
  GradientMinimize(1, iterations, F, 1e-5L, x, step, kNeverAsked);
  EXPECT_EQ(iterations, 1);
  EXPECT_GT(x[0], 0.0L);
  EXPECT_LT(x[0], 1e-5L);
  EXPECT_EQ(F, 0.0L);
}

TEST(GradientMinimize, ObjectiveSeesTheRunningValueAndCounter) {
  auto quadratic = [](const TParamVector& p) { return 1.0L + p[0] * p[0] + 2.0L * p[1] * p[1]; };
  TParamVector x = vec({3.0L, -2.0L});
  std::uint16_t iterations = 0;
  Real F = -1.0L;
  std::vector<Real> seenF;
  std::vector<std::uint16_t> seenIterations;
  GradientMinimize(
      2, iterations, F, 1e-5L, x,
      [&](const TParamVector& p) {
        seenF.push_back(F);
        seenIterations.push_back(iterations);
        return quadratic(p);
      },
      kNeverAsked);
  // The first call sees the reset counter; from the gradient on, F is the start value.
  EXPECT_EQ(seenIterations.front(), 0);
  EXPECT_EQ(seenF[1], quadratic(vec({3.0L, -2.0L})));
  // The last call evaluates the last new point, just before the counter is increased.
  EXPECT_EQ(seenIterations.back() + 1, iterations);
  for (std::size_t k = 1; k < seenF.size(); ++k)
    EXPECT_GE(seenF[k], 1.0L);
}

// A narrow quadratic valley; with eps = 1e-30 the step test can never pass.
Real narrowValley(const TParamVector& p) {
  return p[0] * p[0] + 100.0L * p[1] * p[1] + 10.0L * p[0] * p[1];
}

TEST(GradientMinimize, AbortOnTheSlowConvergenceQuestionCancels) {
  TParamVector x = vec({5.0L, 5.0L});
  std::uint16_t iterations = 0;
  Real F = 0.0L;
  std::string question;
  try {
    GradientMinimize(
        2, iterations, F, 1e-30L, x, narrowValley,
        [&](const Text& text) {
          question = std::string(text.in(Language::English));
          EXPECT_EQ(text.en, text.ru);  // Russian whatever the interface language
          return false;
        },
        2);
    FAIL() << "no CancelledError";
  } catch (const CancelledError& e) {
    EXPECT_EQ(&e.text(), &texts::kMinimizationAborted);
    EXPECT_EQ(e.args(), std::vector<std::string>{"3"});  // asked when the counter passed 2
  }
  EXPECT_NE(question.find("Желаете\r\nпродолжить"), std::string::npos);
}

TEST(GradientMinimize, RetryResetsTheCounterAndGoesOn) {
  // The curved valley needs a few dozen iterations; with a limit of 3 the question comes
  // back every 4 iterations.
  auto valley = [](const TParamVector& p) {
    const Real a = 1.0L - p[0], b = p[1] - p[0] * p[0];
    return a * a + b * b;
  };
  TParamVector x = vec({-1.2L, 1.0L});
  std::uint16_t iterations = 0;
  Real F = 0.0L;
  int asked = 0;
  std::vector<std::uint16_t> seen;
  GradientMinimize(
      2, iterations, F, 1e-5L, x,
      [&](const TParamVector& p) {
        seen.push_back(iterations);
        return valley(p);
      },
      [&](const Text&) {
        ++asked;
        return asked < 1000;  // a runaway would end in CancelledError, not hang the test
      },
      3);
  EXPECT_GT(asked, 2);
  EXPECT_LE(iterations, 3);
  EXPECT_EQ(F, valley(x));
  EXPECT_LT(F, 1e-3L);
  // The counter seen by the objective runs 0..3 and wraps to 0 once per question.
  int wraps = 0;
  for (std::size_t k = 1; k < seen.size(); ++k) {
    EXPECT_LE(seen[k], 3);
    if (seen[k] < seen[k - 1]) ++wraps;
  }
  // A question in the last iteration leaves no later call to see the reset counter.
  EXPECT_EQ(wraps + (iterations == 0 ? 1 : 0), asked);

  // Without a question callback the limit is an error, not an endless loop.
  x = vec({5.0L, 5.0L});
  EXPECT_THROW(GradientMinimize(2, iterations, F, 1e-30L, x, narrowValley, nullptr, 2),
               NoConvergenceError);
}

TEST(GradientMinimize, NonFiniteValuesAndBadArgumentsAreErrors) {
  TParamVector x = vec({1.0L});
  std::uint16_t iterations = 0;
  Real F = 0.0L;
  auto nanAtStart = [](const TParamVector&) { return std::numeric_limits<Real>::quiet_NaN(); };
  try {
    GradientMinimize(1, iterations, F, 1e-5L, x, nanAtStart, kNeverAsked);
    FAIL() << "no ArithmeticError";
  } catch (const ArithmeticError& e) {
    EXPECT_EQ(&e.text(), &texts::kObjectiveNotFiniteAtStart);
  }

  // An objective that overflows once the first iteration is under way (call 21).
  int calls = 0;
  auto overflowLater = [&](const TParamVector& p) {
    return ++calls > 20 ? std::numeric_limits<Real>::infinity() : p[0] * p[0];
  };
  x = vec({1.0L});
  try {
    GradientMinimize(1, iterations, F, 1e-12L, x, overflowLater, kNeverAsked);
    FAIL() << "no ArithmeticError";
  } catch (const ArithmeticError& e) {
    EXPECT_EQ(&e.text(), &texts::kObjectiveNotFinite);
    ASSERT_EQ(e.args().size(), 2u);
    EXPECT_EQ(e.args()[0], "inf");
    EXPECT_NE(e.args()[1], "0");
    EXPECT_NE(std::string(e.what()).find("iteration " + e.args()[1]), std::string::npos);
  }

  auto square = [](const TParamVector& p) { return p[0] * p[0]; };
  EXPECT_THROW(GradientMinimize(0, iterations, F, 1e-5L, x, square, kNeverAsked), InputError);
  EXPECT_THROW(GradientMinimize(21, iterations, F, 1e-5L, x, square, kNeverAsked), InputError);
  EXPECT_THROW(GradientMinimize(1, iterations, F, 0.0L, x, square, kNeverAsked), InputError);
}

TEST(GradientMinimizer, NumericGradientUsesHFromAlphaAndCallsPlusBeforeMinus) {
  Recorder objective{{}, [](const TParamVector& p) { return p[0] * p[0] + 3.0L * p[1]; }};
  GradientMinimizer minimizer(2, objective);
  minimizer.setAlpha(0.5L);
  TParamVector gradient{};
  minimizer.NumericGradient(vec({1.0L, 2.0L}), gradient);
  EXPECT_EQ(minimizer.h(), 0.005L);
  ASSERT_EQ(objective.points.size(), 4u);
  EXPECT_EQ(objective.points[0][0], 1.005L);
  EXPECT_EQ(objective.points[1][0], 0.995L);
  EXPECT_EQ(objective.points[2][1], 2.005L);
  EXPECT_EQ(objective.points[3][1], 1.995L);
  EXPECT_EQ(objective.points[2][0], 1.0L);  // one parameter moved at a time
  // Central differences are exact for a quadratic up to rounding: 2x and 3 (1e-15).
  EXPECT_NEAR(gradient[0], 2.0L, 1e-15L);
  EXPECT_NEAR(gradient[1], 3.0L, 1e-15L);
}

TEST(GradientMinimizer, GoldenSectionStopsOnTheSquaredDirectionLength) {
  // Along d = (2, 0) on [0, 1], S = (2^2)^2 = 16. The interval shrinks by 0.618034 per call,
  // so with eps = 16 * 0.618034^10.5 the search stops after 11 reductions (hand calculation;
  // with S = 4 it would take 8, with S = 2 seven): 2 + 11 calls.
  Recorder objective{{}, [](const TParamVector& p) { return (p[0] - 0.6L) * (p[0] - 0.6L); }};
  GradientMinimizer minimizer(2, objective);
  Real b = 1.0L;
  const Real eps = 16.0L * std::pow(0.618034L, 10.5L);
  minimizer.GoldenSectionSearch(b, vec({0.0L, 7.0L}), vec({2.0L, 0.0L}), eps);
  EXPECT_EQ(objective.points.size(), 13u);
  EXPECT_EQ(objective.points[0][0], 2.0L * 0.618034L);
  EXPECT_EQ(objective.points[1][0], 2.0L * 0.381966L);
  EXPECT_EQ(objective.points[0][1], 7.0L);
  // The minimum along the line is at t = 0.3; the final interval is 0.618034^11 ~ 5e-3 wide.
  EXPECT_NEAR(b, 0.3L, 5e-3L);
}

TEST(GradientMinimizer, GoldenSectionEndsWhenRoundingStopsTheInterval) {
  // A direction so steep that (b - a) S can never fall below eps near t = 0.5: the interval
  // cannot narrow below the spacing of reals there. The search must still end.
  int calls = 0;
  auto parabola = [&](const TParamVector& p) {
    ++calls;
    return (p[0] - 0.5e6L) * (p[0] - 0.5e6L);
  };
  GradientMinimizer minimizer(1, parabola);
  Real b = 1.0L;
  minimizer.GoldenSectionSearch(b, vec({0.0L}), vec({1e6L}), 1e-5L);
  // The six-decimal factors let the reused inner point drift from its golden position, so the
  // search settles a little off the minimum (about 4e-12 here); 1e-6 is ample.
  EXPECT_NEAR(b, 0.5L, 1e-6L);
  EXPECT_LT(calls, 1000);
}

}  // namespace
}  // namespace bubblix
