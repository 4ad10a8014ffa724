// The safeguarded methods that take over when the bubble or dew iteration fails: on
// functions with known roots, on database cases where the iteration fails, and when they
// fail as well.

#include "core/models/solver_fallback.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

#include "core/base/errors.h"
#include "core/base/units.h"
#include "core/models/model_evaluation.h"
#include "core/models/model_test_support.h"
#include "core/models/solvers.h"
#include "core/models/vle_object.h"

namespace bubblix {
namespace {

using test::relative;

constexpr Real kNaN = std::numeric_limits<Real>::quiet_NaN();

bool sameBits(Real a, Real b) {
  return std::memcmp(&a, &b, 10) == 0;
}

// NRTL with all energies 0: gamma = 1 exactly.
TParameterSet idealSet(int n) {
  TParameterSet set;
  set.ModelCode = Model::NRTL;
  set.ComponentCount = static_cast<std::uint8_t>(n);
  return set;
}

// Root of a function rising in tau by bisection over [0.9, 1.9], to 1e-16.
template <class F>
Real bisect(F&& rising) {
  Real lo = 0.9L, hi = 1.9L;
  while (hi - lo > 1e-16L) {
    const Real mid = (lo + hi) / 2.0L;
    (rising(mid) > 0.0L ? hi : lo) = mid;
  }
  return (lo + hi) / 2.0L;
}

// The failed result an iteration hands over.
SolveResult failedResult() {
  SolveResult result;
  result.Status = SolveStatus::ArithmeticFault;
  result.Step = SolveStep::SecantSolve;
  result.Fault = SolveFault::ZeroSlope;
  result.Iterations = 7;
  return result;
}

// --- The methods on functions of their own ----------------------------------------------------

// f = exp(10 (tau - 1.25)) - 1, not finite below tau = 1.05: from A = 1.0 (not finite) the
// search starts at B = 1.6, steps down into the region without values, backs out of it and
// brackets the root 1.25; the last evaluation is the point reported. The failure of the
// iteration stays in the result.
TEST(BubbleFallback, TemperatureRootIsBracketedAroundARegionWithoutValues) {
  std::vector<Real> calls;
  const BubbleFunction f = [&](Real tau) {
    calls.push_back(tau);
    return tau < 1.05L ? kNaN : std::expm1(10.0L * (tau - 1.25L));
  };
  SolveResult result = failedResult();
  bubbleFallback(true, 1.0L, 1.6L, f, result);
  EXPECT_TRUE(result.converged());
  EXPECT_EQ(result.Fallback, SolveFallback::BubbleTemperature);
  EXPECT_EQ(result.Step, SolveStep::SecantSolve);
  EXPECT_EQ(result.Fault, SolveFault::ZeroSlope);
  EXPECT_EQ(result.Iterations, 7);
  EXPECT_EQ(result.FallbackIterations, static_cast<int>(calls.size()));
  ASSERT_GE(calls.size(), 3u);
  EXPECT_EQ(calls[0], 1.0L);
  EXPECT_EQ(calls[1], 1.6L);
  EXPECT_LE(std::fabs(calls.back() - 1.25L), 1e-15L);  // the root to 80-bit rounding
  EXPECT_FALSE(result.failed());
  EXPECT_EQ(result.message(Language::English), "");
}

// A function without a value anywhere, and one without a root (sum y - 1 = 1 everywhere):
// the result stays failed as the iteration left it, with the fallback named.
TEST(BubbleFallback, NoValueOrNoRootLeavesTheFailure) {
  for (const BubbleFunction& f :
       {BubbleFunction([](Real) { return kNaN; }), BubbleFunction([](Real) { return 1.0L; })}) {
    SolveResult result = failedResult();
    bubbleFallback(true, 1.1L, 1.3L, f, result);
    EXPECT_EQ(result.Status, SolveStatus::ArithmeticFault);
    EXPECT_EQ(result.Fallback, SolveFallback::BubbleTemperature);
    EXPECT_GT(result.FallbackIterations, 0);
    EXPECT_LE(result.FallbackIterations, 3 + kMaxBracketSteps);
  }
  SolveResult result = failedResult();
  bubbleFallback(
      false, 30.0L, 760.0L, [](Real) { return kNaN; }, result);
  EXPECT_EQ(result.Status, SolveStatus::ArithmeticFault);
  EXPECT_EQ(result.Fallback, SolveFallback::BubblePressure);
}

// sum y - 1 = S / P - 1 with S = 12345.678 Pa: f(1 Pa) gives S, and the last evaluation is at
// P = S (to the last bits: S - 1 + 1 rounds).
TEST(BubbleFallback, PressureIsTheSumItself) {
  const Real S = 12345.678L;
  std::vector<Real> calls;
  SolveResult result = failedResult();
  bubbleFallback(
      false, 30.0L, 760.0L,
      [&](Real P) {
        calls.push_back(P);
        return S / P - 1.0L;
      },
      result);
  ASSERT_TRUE(result.converged());
  EXPECT_EQ(calls.front(), 1.0L);
  EXPECT_LE(relative(calls.back(), S), 1e-18L);
  EXPECT_EQ(result.FallbackIterations, static_cast<int>(calls.size()));
}

// Dew point of a binary with Margules coefficients ln gamma_1 = 2 x2^2, ln gamma_2 = 2 x1^2
// (strong enough for the plain substitution to overshoot) and Psat_i = exp(c_i (1 - 1 / tau))
// * 1e5 Pa, c = (12, 9): task 'P' at tau = 1.2 and task 'T' at P = 1e5 Pa, y = (0.35, 0.65).
// The point satisfies x_i gamma_i(x) Psat_i = P y_i and sum x = 1 (checked here with the
// formulas, not through the residual), and the last residual evaluation was at a point within
// the tolerance of it.
TEST(DewFallback, SubstitutionSolvesAMargulesBinaryForBothTasks) {
  const CompositionVector y{0.35L, 0.65L};
  const Real c[2] = {12.0L, 9.0L};
  const auto psat = [&](int i, Real tau) { return 1e5L * std::exp(c[i] * (1.0L - 1.0L / tau)); };
  const auto gammaOf = [](int i, Real x1) {
    const Real other = i == 0 ? 1.0L - x1 : x1;
    return std::exp(2.0L * other * other);
  };
  for (bool temperatureTask : {false, true}) {
    const Real givenTau = 1.2L, givenP = 1e5L;
    std::array<Real, 3> last{};
    const DewFunction F = [&](std::span<const Real> v, std::span<Real> out) {
      std::copy(v.begin(), v.end(), last.begin());
      const Real tau = temperatureTask ? v[2] : givenTau;
      const Real P = temperatureTask ? givenP : v[2];
      for (int i = 0; i < 2; ++i)
        out[i] = v[i] - P * y[i] / (psat(i, tau) * gammaOf(i, v[0]));
      out[2] = 1.0L - v[0] - v[1];
    };
    std::array<Real, 3> v{};
    SolveResult result = failedResult();
    dewFallback(temperatureTask, 2, y, F, v, result);
    ASSERT_TRUE(result.converged()) << temperatureTask;
    EXPECT_EQ(result.Fallback, SolveFallback::DewPoint);
    EXPECT_GT(result.FallbackIterations, 1);
    const Real tau = temperatureTask ? v[2] : givenTau;
    const Real P = temperatureTask ? givenP : v[2];
    EXPECT_LE(std::fabs(v[0] + v[1] - 1.0L), 1e-18L);
    for (int i = 0; i < 2; ++i) {
      EXPECT_GT(v[i], 0.0L);
      // The tolerance of the substitution, 1e-11, times the slope of ln gamma (at most 4).
      EXPECT_LE(relative(v[i] * gammaOf(i, v[0]) * psat(i, tau), P * y[i]), 1e-10L) << i;
      EXPECT_LE(std::fabs(last[i] - v[i]), kDewFallbackTolerance) << i;
    }
    // Task 'T' reports the temperature evaluated; task 'P' the pressure the evaluation gives.
    if (temperatureTask) {
      EXPECT_EQ(last[2], v[2]);
    } else {
      EXPECT_LE(relative(last[2], v[2]), kDewFallbackTolerance);
    }
  }
}

// --- Database cases where the iteration fails -------------------------------------------------

// Ideal binary comp.1-comp.2 at 100 mm Hg with start points 1.3 and 1.4 (81.9 and 109.3 degC),
// both above the boiling point: the parabola through the three points lies above the axis,
// a negative value under the root. The bracketed search finds the root of
// sum x_i Psat_i(tau) = P (bisection here, 1e-16) to 1e-15, and y there sums to 1.
TEST(SolverFallbacks, BubbleTemperatureAfterANegativeValueUnderTheRoot) {
  const Mixture mixture = test::mixtureOf({1, 2});
  const Real P = mmHgToPa(100.0L);
  const CompositionVector given{0.4L, 0.6L};
  Real tau = 1.0L, pressure = P;
  CompositionVector x = given, gamma{}, y{};
  const SolveResult result =
      SolveEquilibrium(mixture, 'T', 'y', 1.3L, 1.4L, tau, pressure, idealSet(2), x, gamma, y);
  ASSERT_TRUE(result.converged());
  EXPECT_EQ(result.Step, SolveStep::ParabolicStart);
  EXPECT_EQ(result.Fault, SolveFault::NegativeUnderRoot);
  EXPECT_EQ(result.Fallback, SolveFallback::BubbleTemperature);
  ASSERT_NE(result.Message, nullptr);  // the iteration's failure text is kept
  EXPECT_EQ(render(*result.Message, Language::English, result.MessageArgs),
            "Boiling temperature at P = 13330 Pa, x = (0.4; 0.6): arithmetic fault in "
            "ParabolicStart, negative value under the root; start points t = 81.945; 109.26 °C");
  const Real root = bisect([&](Real t) {
    return 0.4L * SaturationPressure(mixture, 0, t) + 0.6L * SaturationPressure(mixture, 1, t) - P;
  });
  EXPECT_LE(std::fabs(tau - root), 1e-15L);
  EXPECT_EQ(result.RootEstimate, tau);  // the fallback's root is the point reported
  EXPECT_EQ(pressure, P);
  EXPECT_EQ(x, given);
  EXPECT_LE(std::fabs(y[0] + y[1] - 1.0L), 1e-15L);
  for (int i = 0; i < 2; ++i)
    EXPECT_EQ(y[i], SaturationPressure(mixture, i, tau) * given[i] / P);
}

// Pure comp.1 at 46 degC from 30 and 760 mm Hg: the secant overshoots to a negative P, where
// sum y - 1 = S / P - 1 flattens to -1 and the slope becomes 0. The fallback's P is Psat(46
// degC) to 1e-15 (gamma of a pure component is 1 to 1e-15 in every model), and y = (1, 0).
TEST(SolverFallbacks, BubblePressureAfterTheSecantRanToANegativePressure) {
  const Mixture mixture = test::mixtureOf({1, 2});
  const Real tauGiven = tauFromCelsius(46.0L);
  for (Model model : {Model::Wilson, Model::NRTL, Model::UNIQUAC, Model::UNIFAC}) {
    const TParameterSet set = test::modelSet(model, mixture, 2);
    Real tau = tauGiven, P = 1.0L;
    CompositionVector x{1.0L, 0.0L}, gamma{}, y{};
    const SolveResult result =
        SolveEquilibrium(mixture, 'P', 'y', 30.0L, 760.0L, tau, P, set, x, gamma, y);
    ASSERT_TRUE(result.converged()) << model;
    EXPECT_EQ(result.Step, SolveStep::SecantSolve) << model;
    EXPECT_EQ(result.Fault, SolveFault::ZeroSlope) << model;
    EXPECT_EQ(result.Fallback, SolveFallback::BubblePressure) << model;
    EXPECT_LE(relative(P, SaturationPressure(mixture, 0, tauGiven)), 1e-15L) << model;
    EXPECT_EQ(result.RootEstimate, P) << model;
    EXPECT_EQ(tau, tauGiven);
    EXPECT_LE(std::fabs(y[0] - 1.0L), 1e-17L) << model;
    EXPECT_EQ(y[1], 0.0L);
  }
}

// Ideal dew point of comp.1-comp.2 at 100 mm Hg, y = (0.5, 0.5): from the start tau = 1.3 the
// Newton iteration steps below -12 degC, where the vapour-pressure table gives no value. The
// fallback's point is the ideal dew point: sum y_i P / Psat_i(tau) = 1 (bisection, 1e-16),
// x_i = y_i P / Psat_i.
TEST(SolverFallbacks, DewTemperatureAfterTheNewtonIterationLeftTheTable) {
  const Mixture mixture = test::mixtureOf({1, 2});
  const Real P = mmHgToPa(100.0L);
  const CompositionVector vapour{0.5L, 0.5L};
  Real tau = 1.0L, pressure = P;
  CompositionVector x{}, gamma{}, y = vapour;
  const SolveResult result =
      SolveEquilibrium(mixture, 'T', 'x', 0.0L, 0.0L, tau, pressure, idealSet(2), x, gamma, y);
  ASSERT_TRUE(result.converged());
  EXPECT_EQ(result.Step, SolveStep::DewResidual);
  EXPECT_EQ(result.Fault, SolveFault::NotFinite);
  EXPECT_EQ(result.Fallback, SolveFallback::DewPoint);
  const Real root = bisect([&](Real t) {
    return 1.0L - 0.5L * P / SaturationPressure(mixture, 0, t) -
           0.5L * P / SaturationPressure(mixture, 1, t);
  });
  EXPECT_LE(std::fabs(tau - root), 1e-15L);
  EXPECT_EQ(x[2], tau);
  EXPECT_EQ(pressure, P);
  EXPECT_EQ(y, vapour);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(gamma[i], 1.0L);
    EXPECT_LE(relative(x[i], 0.5L * P / SaturationPressure(mixture, i, root)), 1e-14L) << i;
  }
}

// Wilson with a12 = 0.79, a21 = 1.71 (close to a fit to the comp.1-comp.2 data), dew point at
// 140 mm Hg for y = (0.27, 0.73): the Newton iteration meets its tolerance at x1 = -0.27 with
// gamma_1 < 0 (the Wilson sums turn negative), which satisfies the residual but is no
// equilibrium. It is rejected, and the fallback finds x1 = 0.025 at 52 degC, where the
// relation holds with gamma recomputed at the point (1e-9: the substitution's tolerance).
TEST(SolverFallbacks, NegativeMoleFractionOfTheNewtonIterationIsRejected) {
  const Mixture mixture = test::mixtureOf({1, 2});
  TParameterSet set = test::wilsonSet(2);
  set.WilsonEnergy[0][1] = 0.79L;
  set.WilsonEnergy[1][0] = 1.71L;
  const Real P = mmHgToPa(140.0L);
  Real tau = 1.0L, pressure = P;
  CompositionVector x{}, gamma{}, y{0.27L, 0.73L};
  const SolveResult result =
      SolveEquilibrium(mixture, 'T', 'x', 0.0L, 0.0L, tau, pressure, set, x, gamma, y);
  ASSERT_TRUE(result.converged());
  EXPECT_EQ(result.Step, SolveStep::NewtonSolve);
  EXPECT_EQ(result.Fault, SolveFault::NegativeFraction);
  EXPECT_EQ(result.Fallback, SolveFallback::DewPoint);
  ASSERT_NE(result.Message, nullptr);
  const std::string text = render(*result.Message, Language::English, result.MessageArgs);
  EXPECT_EQ(text.rfind("Dew temperature at P = 18662 Pa, y = (0.27; 0.73): the Newton iteration "
                       "ended at a negative mole fraction after ",
                       0),
            0u)
      << text;
  EXPECT_NE(text.find("last x = (-0.2"), std::string::npos) << text;
  EXPECT_GT(x[0], 0.02L);
  EXPECT_LT(x[0], 0.03L);
  EXPECT_NEAR(celsiusFromTau(tau), 52.0L, 1.0L);
  CompositionVector exact{};
  modelGamma(mixture, set, x, exact, tau);
  for (int i = 0; i < 2; ++i) {
    EXPECT_GT(exact[i], 0.0L);
    EXPECT_LE(relative(x[i] * exact[i] * SaturationPressure(mixture, i, tau), P * y[i]), 1e-9L);
  }
}

// Pure comp.3 vapour at 120 mm Hg, ideal liquid: from tau = 1.3 the Newton iteration jumps
// below the pole of comp.3's Antoine equation (T = 34.29 K), where there is no vapour pressure
// (SaturationPressure refuses it; beneath the pole it used to give astronomical values whose
// steep residual let the steps fall below the tolerance at -233 degC). That ends the iteration
// as a value that is not finite; the fallback's point is the boiling point of comp.3 at
// 120 mm Hg, T = B / (A - ln 120) - C (to 1e-12 degC), with x = y.
TEST(SolverFallbacks, AStepBelowThePoleIsNoDewPoint) {
  const Mixture mixture = test::mixtureOf({3, 4});
  const Real P = mmHgToPa(120.0L);
  Real tau = 1.0L, pressure = P;
  CompositionVector x{}, gamma{}, y{1.0L, 0.0L};
  const SolveResult result =
      SolveEquilibrium(mixture, 'T', 'x', 0.0L, 0.0L, tau, pressure, idealSet(2), x, gamma, y);
  ASSERT_TRUE(result.converged());
  EXPECT_EQ(result.Fallback, SolveFallback::DewPoint);
  EXPECT_EQ(result.Fault, SolveFault::NotFinite);
  ASSERT_EQ(result.Message, &kDewTemperatureNotFinite);
  const std::string text = render(*result.Message, Language::English, result.MessageArgs);
  EXPECT_EQ(text.rfind("Dew temperature at P = 15996 Pa, y = (1; 0): arithmetic fault in ", 0), 0u)
      << text;
  const Real boiling = 3626.55L / (18.5875L - std::log(120.0L)) + 34.29L - kZeroCelsiusK;
  EXPECT_LE(std::fabs(celsiusFromTau(tau) - boiling), 1e-12L);
  EXPECT_EQ(x[0], 1.0L);
  EXPECT_EQ(x[1], 0.0L);
}

// The model objects run the same fallbacks on their own residual: the same point to the last
// bit for the three cases above.
TEST(SolverFallbacks, ObjectFormFindsTheSamePointBitForBit) {
  test::ObjectSession session;
  test::loadSession(session, {1, 2});
  struct Case {
    char task, phase;
    Real A, B, tau, P;
    CompositionVector x, y;
    TParameterSet set;
  };
  TParameterSet wilson = test::wilsonSet(2);
  wilson.WilsonEnergy[0][1] = 0.79L;
  wilson.WilsonEnergy[1][0] = 1.71L;
  const Case cases[] = {
      {'T', 'y', 1.3L, 1.4L, 1.0L, mmHgToPa(100.0L), {0.4L, 0.6L}, {}, idealSet(2)},
      {'P', 'y', 30.0L, 760.0L, tauFromCelsius(46.0L), 1.0L, {1.0L, 0.0L}, {}, wilson},
      {'T', 'x', 0.0L, 0.0L, 1.0L, mmHgToPa(140.0L), {}, {0.27L, 0.73L}, wilson},
      {'P', 'x', 0.0L, 0.0L, tauFromCelsius(60.0L), 1.0L, {}, {0.27L, 0.73L}, wilson}};
  for (const Case& c : cases) {
    Real tau1 = c.tau, P1 = c.P, tau2 = c.tau, P2 = c.P;
    CompositionVector x1 = c.x, y1 = c.y, g1{}, x2 = c.x, y2 = c.y, g2{};
    const SolveResult free = SolveEquilibrium(session.Components, c.task, c.phase, c.A, c.B, tau1,
                                              P1, c.set, x1, g1, y1);
    const std::unique_ptr<TVLEObj> object =
        makeModelObject(session.Components, session.SelectedCount, c.set);
    const SolveResult own = object->Solve(c.task, c.phase, c.A, c.B, tau2, P2, c.set, x2, g2, y2);
    ASSERT_TRUE(free.converged()) << c.task << c.phase;
    EXPECT_EQ(own.Status, free.Status) << c.task << c.phase;
    EXPECT_EQ(own.Fallback, free.Fallback) << c.task << c.phase;
    EXPECT_EQ(own.FallbackIterations, free.FallbackIterations) << c.task << c.phase;
    EXPECT_TRUE(sameBits(tau1, tau2) && sameBits(P1, P2)) << c.task << c.phase;
    for (int i = 0; i < 3; ++i) {
      EXPECT_TRUE(sameBits(x1[i], x2[i]) && sameBits(y1[i], y2[i]) && sameBits(g1[i], g2[i]))
          << c.task << c.phase << i;
    }
  }
}

// Wilson energies of -20000 overflow exp(-a / tau) at every temperature: the iteration and
// the fallback both fail, the result keeps the iteration's failure, the caller's variables are
// unchanged and the throwing form throws it.
TEST(SolverFallbacks, WhenTheFallbackFailsTooTheIterationsFailureIsReported) {
  const Mixture mixture = test::mixtureOf({1, 2});
  TParameterSet set = test::wilsonSet(2);
  set.WilsonEnergy[0][1] = -20000.0L;
  set.WilsonEnergy[1][0] = -20000.0L;
  for (char phase : {'y', 'x'}) {
    for (char task : {'T', 'P'}) {
      Real tau = tauFromCelsius(70.0L), P = 101325.0L;
      CompositionVector x{0.5L, 0.5L}, gamma{3.0L, 4.0L}, y{0.5L, 0.5L};
      const SolveResult result =
          SolveEquilibrium(mixture, task, phase, task == 'T' ? 1.1L : 30.0L,
                           task == 'T' ? 1.3L : 760.0L, tau, P, set, x, gamma, y);
      EXPECT_TRUE(result.failed()) << task << phase;
      EXPECT_NE(result.Fallback, SolveFallback::None) << task << phase;
      EXPECT_FALSE(result.message(Language::English).empty());
      EXPECT_EQ(tau, tauFromCelsius(70.0L));
      EXPECT_EQ(P, 101325.0L);
      EXPECT_EQ(x, (CompositionVector{0.5L, 0.5L}));
      EXPECT_EQ(gamma, (CompositionVector{3.0L, 4.0L}));
      EXPECT_EQ(y, (CompositionVector{0.5L, 0.5L}));
      EXPECT_THROW(solveEquilibriumOrThrow(mixture, task, phase, task == 'T' ? 1.1L : 30.0L,
                                           task == 'T' ? 1.3L : 760.0L, tau, P, set, x, gamma, y),
                   ArithmeticError);
    }
  }
}

}  // namespace
}  // namespace bubblix
