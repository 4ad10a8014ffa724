// Bubble- and dew-point solvers: the iterations on functions with known roots, the
// equilibrium they find for the database mixtures, and how they end when they cannot.

#include "core/models/solvers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <vector>

#include "core/base/errors.h"
#include "core/base/units.h"
#include "core/models/model_evaluation.h"
#include "core/models/model_test_support.h"
#include "core/texts/numerics_texts.h"

namespace bubblix {
namespace {

using test::relative;

constexpr Real kAtmosphere = 101325.0L;  // Pa

bool sameBits(Real a, Real b) {
  return std::memcmp(&a, &b, 10) == 0;
}

bool sameBits(const CompositionVector& a, const CompositionVector& b) {
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (!sameBits(a[i], b[i])) return false;
  }
  return true;
}

// An ideal solution: NRTL with all energies 0 gives gamma = 1 exactly.
TParameterSet idealSet(int n) {
  TParameterSet set;
  set.ModelCode = Model::NRTL;
  set.ComponentCount = static_cast<std::uint8_t>(n);
  return set;
}

// Root of sum x_i Psat_i(tau) = P by bisection, independent of the solver (to 1e-15 in tau).
Real idealBubbleTau(const Mixture& mixture, const CompositionVector& x, int n, Real P) {
  Real lo = 0.8L;
  Real hi = 1.8L;
  while (hi - lo > 1e-15L) {
    const Real mid = (lo + hi) / 2.0L;
    Real sum = 0.0L;
    for (int i = 0; i < n; ++i)
      sum += x[i] * SaturationPressure(mixture, i, mid);
    (sum > P ? hi : lo) = mid;
  }
  return (lo + hi) / 2.0L;
}

// --- Bubble points ------------------------------------------------------------------------------

// Ideal quaternary, task T: the reported point is the root estimate of the finished secant,
// where |sum y - 1| <= 1e-9 (solvers.h), and y there is exactly x_i Psat_i / P. The root of
// sum x_i Psat_i(tau) = P found by bisection is within 1e-9 / (d sum / d tau), about 1e-10
// in tau, of it; the bound is 1e-9.
TEST(BubblePoint, IdealMixtureTemperatureSatisfiesRaoultsLaw) {
  const Mixture mixture = test::mixtureOf({1, 2, 3, 4});
  const CompositionVector given{0.1L, 0.2L, 0.3L, 0.4L};
  Real tau = 1.0L, P = kAtmosphere;
  CompositionVector x = given, gamma{}, y{};
  const SolveResult result =
      SolveEquilibrium(mixture, 'T', 'y', tauFromCelsius(40.0L), tauFromCelsius(120.0L), tau, P,
                       idealSet(4), x, gamma, y);
  ASSERT_TRUE(result.converged()) << result.message(Language::English);
  const Real root = idealBubbleTau(mixture, given, 4, kAtmosphere);
  EXPECT_TRUE(sameBits(tau, result.RootEstimate));
  EXPECT_LE(std::fabs(tau - root), 1e-9L);
  EXPECT_EQ(P, kAtmosphere);
  EXPECT_EQ(x, given);
  Real sum = -1.0L;
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(gamma[i], 1.0L);
    EXPECT_LE(relative(y[i], SaturationPressure(mixture, i, tau) * given[i] / kAtmosphere), 1e-18L);
    sum += y[i];
  }
  EXPECT_TRUE(sameBits(sum, result.LastResidual));
  EXPECT_LE(std::fabs(sum), kBubbleSumTolerance);
}

// A secant that converges in two or three passes ends with its last evaluation far from the
// root (half the previous correction, which can be several kelvin): every point is finished
// at the root estimate, some with further passes. Scanned over an ideal binary at four
// pressures; the sums are checked against Raoult's law directly (to rounding, 1e-15).
TEST(BubblePoint, EveryPointIsFinishedAtTheRootEstimate) {
  const Mixture mixture = test::mixtureOf({1, 2});
  int finished = 0;
  for (const Real mmHg : {100.0L, 300.0L, 760.0L, 1500.0L}) {
    for (int k = 1; k < 40; ++k) {
      const Real x1 = k / 40.0L;
      const CompositionVector given{x1, 1.0L - x1};
      const Real givenP = mmHgToPa(mmHg);
      Real tau = 1.0L, P = givenP;
      CompositionVector x = given, gamma{}, y{};
      const SolveResult result =
          SolveEquilibrium(mixture, 'T', 'y', tauFromCelsius(20.0L), tauFromCelsius(150.0L), tau, P,
                           idealSet(2), x, gamma, y);
      ASSERT_TRUE(result.converged()) << result.message(Language::English);
      const Real raoult = (given[0] * SaturationPressure(mixture, 0, tau) +
                           given[1] * SaturationPressure(mixture, 1, tau)) /
                              givenP -
                          1.0L;
      EXPECT_LE(std::fabs(raoult - result.LastResidual), 1e-15L);
      EXPECT_LE(std::fabs(raoult), kBubbleSumTolerance) << mmHg << " " << x1;
      EXPECT_LE(std::fabs(y[0] + y[1] - 1.0L), kBubbleSumTolerance) << mmHg << " " << x1;
      EXPECT_TRUE(sameBits(tau, result.RootEstimate));
      if (result.FinishPasses > 0) ++finished;
    }
  }
  // Not every secant meets 1e-9 at its own stopping test.
  EXPECT_GT(finished, 0);
}

// Ideal binary, task P at 80 degC: the bubble pressure is sum x_i Psat_i(tau). The secant on
// f(P) = P* / P - 1 ends within 1e-6 relative of it, and y sums to 1 within the same.
TEST(BubblePoint, IdealMixturePressureIsTheMeanVapourPressure) {
  const Mixture mixture = test::mixtureOf({1, 2});
  const Real tauGiven = tauFromCelsius(80.0L);
  Real tau = tauGiven, P = 0.5L;
  CompositionVector x{0.35L, 0.65L}, gamma{}, y{};
  const SolveResult result =
      SolveEquilibrium(mixture, 'p', 'Y', 300.0L, 900.0L, tau, P, idealSet(2), x, gamma, y);
  ASSERT_TRUE(result.converged()) << result.message(Language::English);
  const Real expected = 0.35L * SaturationPressure(mixture, 0, tauGiven) +
                        0.65L * SaturationPressure(mixture, 1, tauGiven);
  EXPECT_EQ(tau, tauGiven);
  EXPECT_LE(std::fabs(result.RootEstimate - expected), 1e-6L);
  EXPECT_LE(relative(P, expected), 1e-6L);
  EXPECT_LE(std::fabs(y[0] + y[1] - 1.0L), 1e-6L);
}

// A pure component boils where Psat = P: components 1 and 2 at their table rows (78.32 degC:
// 101.31 kPa = 760.015 mm Hg; 100 degC: 760 mm Hg), component 3 by its vapour-pressure
// equation, T = B / (A - ln 760) - C. The reported point is finished to |sum y - 1| <= 1e-9,
// within 1e-6 K of those temperatures; gamma of the pure component is 1 in every model.
TEST(BubblePoint, PureComponentBoilsAtItsNormalBoilingPoint) {
  const Mixture mixture = test::mixtureOf({1, 2, 3});
  struct Case {
    int slot;
    Real P;
    Real t;
  };
  const Real comp3 = 3626.55L / (18.5875L - std::log(760.0L)) + 34.29L - kZeroCelsiusK;
  const Case cases[] = {{0, 101.31L / 0.1333L * kPaPerMmHg, 78.32L},
                        {1, mmHgToPa(760.0L), 100.0L},
                        {2, mmHgToPa(760.0L), comp3}};
  for (Model model : {Model::Wilson, Model::NRTL, Model::UNIQUAC, Model::UNIFAC}) {
    const TParameterSet set = test::modelSet(model, mixture, 3);
    for (const Case& c : cases) {
      Real tau = 1.0L, P = c.P;
      CompositionVector x{}, gamma{}, y{};
      x[c.slot] = 1.0L;
      const SolveResult result = SolveEquilibrium(mixture, 'T', 'y', tauFromCelsius(40.0L),
                                                  tauFromCelsius(120.0L), tau, P, set, x, gamma, y);
      ASSERT_TRUE(result.converged()) << model << c.slot << result.message(Language::English);
      EXPECT_LE(std::fabs(celsiusFromTau(tau) - c.t), 1e-6L) << model << c.slot;
      EXPECT_LE(std::fabs(gamma[c.slot] - 1.0L), 1e-15L) << model << c.slot;
    }
  }
}

// --- Dew points ---------------------------------------------------------------------------------

// Every model, binary and quaternary, both tasks: the liquid sums to 1 within 1e-9, and the
// equilibrium x_i gamma_i Psat_i = P y_i holds to 1e-9 relative with the gamma returned,
// which is that at the returned x and T (solvers.h: the solution is finished to 1e-9). x[n]
// receives the unknown as well.
TEST(DewPoint, LiquidSumsToOneAndSatisfiesTheEquilibrium) {
  struct Case {
    std::initializer_list<int> numbers;
    CompositionVector y;
  };
  const Case cases[] = {{{1, 2}, {0.45L, 0.55L}}, {{1, 2, 3, 4}, {0.2L, 0.3L, 0.35L, 0.15L}}};
  for (const Case& c : cases) {
    const Mixture mixture = test::mixtureOf(c.numbers);
    const int n = static_cast<int>(c.numbers.size());
    for (Model model : {Model::Wilson, Model::NRTL, Model::UNIQUAC, Model::UNIFAC}) {
      const TParameterSet set = test::modelSet(model, mixture, n);
      for (char task : {'T', 'P'}) {
        const Real tauGiven = tauFromCelsius(70.0L);
        Real tau = tauGiven, P = kAtmosphere;
        CompositionVector x{}, gamma{}, y = c.y;
        const SolveResult result =
            SolveEquilibrium(mixture, task, 'x', 0.0L, 0.0L, tau, P, set, x, gamma, y);
        ASSERT_TRUE(result.converged()) << model << task << result.message(Language::English);
        EXPECT_LT(result.Iterations, 20) << model << task;
        if (task == 'T') {
          EXPECT_EQ(P, kAtmosphere);
          EXPECT_EQ(x[n], tau);
        } else {
          EXPECT_EQ(tau, tauGiven);
          EXPECT_EQ(x[n], P);
        }
        EXPECT_EQ(y, c.y);
        Real sum = 0.0L;
        for (int i = 0; i < n; ++i)
          sum += x[i];
        EXPECT_LE(std::fabs(sum - 1.0L), kDewRelativeTolerance) << model << task;
        CompositionVector exact{};
        modelGamma(mixture, set, x, exact, tau);
        for (int i = 0; i < n; ++i) {
          const Real Psat = SaturationPressure(mixture, i, tau);
          EXPECT_EQ(exact[i], gamma[i]) << model << task << i;
          EXPECT_LE(relative(x[i] * gamma[i] * Psat, P * y[i]), 2e-9L) << model << task << i;
        }
      }
    }
  }
}

// --- Failures -----------------------------------------------------------------------------------

// Wilson with strong repulsion (a12 = 6, a21 = 3) between components 1 and 4, y = (0.5, 0.5):
// the dew iteration wanders below x1 = 0 and ends at the iteration limit. Its failure text
// names the task, the given values and the last iterate and stays in the result; the
// fallback then finds the dew point (x1 = 0.94 at 62 degC), where the relation holds with
// gamma recomputed at the point (1e-9, the fallback's tolerance).
TEST(SolverFailures, NonConvergingDewIterationEndsAtTheLimitAndTheFallbackTakesOver) {
  const Mixture mixture = test::mixtureOf({1, 4});
  TParameterSet set = test::wilsonSet(2);
  set.WilsonEnergy[0][1] = 6.0L;
  set.WilsonEnergy[1][0] = 3.0L;
  Real tau = 1.2L, P = kAtmosphere;
  CompositionVector x{0.9L, 0.1L}, gamma{7.0L, 7.0L}, y{0.5L, 0.5L};
  const SolveResult result =
      SolveEquilibrium(mixture, 'T', 'x', 0.0L, 0.0L, tau, P, set, x, gamma, y);
  EXPECT_EQ(result.Fault, SolveFault::IterationLimit);
  EXPECT_EQ(result.Step, SolveStep::NewtonSolve);
  EXPECT_EQ(result.Iterations, kMaxNewtonIterations);
  ASSERT_NE(result.Message, nullptr);
  EXPECT_EQ(result.Message, &kDewTemperatureNoConvergence);
  const std::string message = render(*result.Message, Language::English, result.MessageArgs);
  EXPECT_EQ(message.rfind("Dew temperature at P = 101325 Pa, y = (0.5; 0.5): no convergence "
                          "after 200 Newton iterations; last x = (",
                          0),
            0u)
      << message;
  EXPECT_NE(render(*result.Message, Language::Russian, result.MessageArgs)
                .find("нет сходимости за 200 итераций Ньютона"),
            std::string::npos);

  ASSERT_TRUE(result.converged());
  EXPECT_EQ(result.Fallback, SolveFallback::DewPoint);
  EXPECT_EQ(result.message(Language::English), "");
  EXPECT_NEAR(x[0], 0.944L, 1e-3L);
  EXPECT_NEAR(celsiusFromTau(tau), 62.0L, 0.1L);
  EXPECT_LE(std::fabs(x[0] + x[1] - 1.0L), 1e-15L);
  CompositionVector exact{};
  modelGamma(mixture, set, x, exact, tau);
  for (int i = 0; i < 2; ++i) {
    EXPECT_LE(relative(x[i] * exact[i] * SaturationPressure(mixture, i, tau), P * y[i]), 1e-9L);
  }
  EXPECT_NO_THROW(solveEquilibriumOrThrow(mixture, 'T', 'x', 0.0L, 0.0L, tau, P, set, x, gamma, y));
}

// Equal end points make the three first points one: e = 0, a fault of ParabolicStart whose
// text stays in the result; the bracketed fallback then finds the boiling point, where
// sum y - 1 vanishes to 1e-15.
TEST(SolverFailures, EqualEndPointsAreAFaultOfTheFirstEstimateThatTheFallbackMends) {
  const Mixture mixture = test::mixtureOf({1, 2});
  const Real start = tauFromCelsius(80.0L);
  Real tau = 1.0L, P = kAtmosphere;
  CompositionVector x{0.5L, 0.5L}, gamma{}, y{};
  const SolveResult result =
      SolveEquilibrium(mixture, 'T', 'y', start, start, tau, P, test::wilsonSet(2), x, gamma, y);
  EXPECT_EQ(result.Step, SolveStep::ParabolicStart);
  EXPECT_EQ(result.Fault, SolveFault::ZeroQuadraticCoefficient);
  ASSERT_EQ(result.Message, &kBubbleTemperatureZeroCurvature);
  EXPECT_EQ(render(*result.Message, Language::English, result.MessageArgs),
            "Boiling temperature at P = 101325 Pa, x = (0.5; 0.5): arithmetic fault in "
            "ParabolicStart, the three points lie on a straight line (zero quadratic "
            "coefficient); start points t = 80; 80 °C");
  ASSERT_TRUE(result.converged());
  EXPECT_EQ(result.Fallback, SolveFallback::BubbleTemperature);
  EXPECT_LE(std::fabs(y[0] + y[1] - 1.0L), 1e-15L);
  EXPECT_EQ(P, kAtmosphere);
  EXPECT_NO_THROW(solveEquilibriumOrThrow(mixture, 'T', 'y', start, start, tau, P,
                                          test::wilsonSet(2), x, gamma, y));
}

// Input without physical sense is refused before anything is computed, with a message naming
// the value.
TEST(SolverFailures, InputWithoutPhysicalSenseIsRefused) {
  const Mixture mixture = test::mixtureOf({1, 2});
  const TParameterSet set = test::wilsonSet(2);
  const Real nan = std::numeric_limits<Real>::quiet_NaN();
  const Real inf = std::numeric_limits<Real>::infinity();
  const auto refused = [&](char task, char phase, Real A, Real B, Real tau, Real P,
                           CompositionVector x, CompositionVector y) -> std::string {
    const CompositionVector x0 = x, y0 = y;
    const Real tau0 = tau, P0 = P;
    CompositionVector gamma{};
    try {
      SolveEquilibrium(mixture, task, phase, A, B, tau, P, set, x, gamma, y);
    } catch (const InputError& error) {
      EXPECT_TRUE(sameBits(tau, tau0) && sameBits(P, P0) && sameBits(x, x0) && sameBits(y, y0));
      return error.what();
    }
    return "accepted";
  };
  const Real lo = tauFromCelsius(50.0L), hi = tauFromCelsius(110.0L);
  const CompositionVector half{0.5L, 0.5L};
  EXPECT_EQ(refused('T', 'y', lo, hi, 1.0L, 0.0L, half, {}),
            "The pressure must be greater than zero: 0 Pa");
  EXPECT_EQ(refused('P', 'y', 300.0L, 900.0L, -0.1L, 1.0L, half, {}),
            "The temperature must be above absolute zero (-273.15 °C): -300.465 °C");
  EXPECT_EQ(refused('T', 'y', lo, hi, 1.0L, inf, half, {}),
            "The value P = inf is not a finite number");
  EXPECT_EQ(refused('T', 'y', lo, hi, 1.0L, kAtmosphere, {0.5L, nan}, {}),
            "The value x2 = nan is not a finite number");
  EXPECT_EQ(refused('T', 'x', lo, hi, 1.0L, kAtmosphere, {}, {1.1L, -0.1L}),
            "The mole fraction y2 = -0.1 is negative");
  EXPECT_EQ(refused('T', 'y', nan, hi, 1.0L, kAtmosphere, half, {}),
            "The value A = nan is not a finite number");
  EXPECT_EQ(refused('P', 'y', 300.0L, -900.0L, lo, 1.0L, half, {}),
            "The pressure must be greater than zero: -119970 Pa");
  // The given value of the other task is not looked at.
  EXPECT_EQ(refused('P', 'x', 0.0L, 0.0L, lo, nan, {}, half), "accepted");

  TParameterSet broken = set;
  broken.ComponentCount = 5;
  Real tau = lo, P = kAtmosphere;
  CompositionVector x = half, gamma{}, y{};
  EXPECT_THROW(SolveEquilibrium(mixture, 'T', 'y', lo, hi, tau, P, broken, x, gamma, y),
               InputError);
  broken = test::unifacSet(mixture, 2);
  broken.GroupCount = 11;
  EXPECT_THROW(SolveEquilibrium(mixture, 'T', 'y', lo, hi, tau, P, broken, x, gamma, y),
               InputError);
  broken = test::unifacSet(mixture, 2);
  broken.ComponentGroups[1].Count = 0;
  EXPECT_THROW(SolveEquilibrium(mixture, 'T', 'y', lo, hi, tau, P, broken, x, gamma, y),
               InputError);
}

// A phase letter other than x, X, y, Y leaves everything as it was; a task letter other than
// T, t, P, p is a programming error.
TEST(SolverFailures, UnknownPhaseChangesNothingAndUnknownTaskIsAnError) {
  const Mixture mixture = test::mixtureOf({1, 2});
  const TParameterSet set = test::wilsonSet(2);
  Real tau = 1.3L, P = kAtmosphere;
  CompositionVector x{0.5L, 0.5L}, gamma{2.0L, 3.0L}, y{0.25L, 0.75L};
  for (char phase : {'z', 'b', '\0', 'T'}) {
    const SolveResult result =
        SolveEquilibrium(mixture, 'T', phase, 1.1L, 1.4L, tau, P, set, x, gamma, y);
    EXPECT_EQ(result.Status, SolveStatus::Unchanged);
    EXPECT_FALSE(result.failed());
  }
  EXPECT_EQ(tau, 1.3L);
  EXPECT_EQ(P, kAtmosphere);
  EXPECT_EQ(x, (CompositionVector{0.5L, 0.5L}));
  EXPECT_EQ(gamma, (CompositionVector{2.0L, 3.0L}));
  EXPECT_EQ(y, (CompositionVector{0.25L, 0.75L}));
  for (char task : {'x', 'Q', '\0'}) {
    EXPECT_THROW(SolveEquilibrium(mixture, task, 'y', 1.1L, 1.4L, tau, P, set, x, gamma, y),
                 std::invalid_argument);
  }
}

}  // namespace
}  // namespace bubblix
