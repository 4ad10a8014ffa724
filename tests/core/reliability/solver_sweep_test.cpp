// The solver sweep: every model fitted to the built-in data, every mixture of the database
// components, random compositions and given values, both tasks and both phases. Every
// solution either converges to a finite, consistent point or ends with the no-convergence or
// arithmetic status within the iteration limits; the convergence rate of every model, mixture
// class and problem is printed and must reach 99 %.
//
// One test per model (SolverSweep/...), so that ctest runs them side by side and a run can
// leave them out with -E SolverSweep. Size: BUBBLIX_SWEEP_FULL=1 in the environment runs 2000
// compositions per mixture and problem; the default runs kDefaultCount, which meets every
// failure cause of the full sweep. BUBBLIX_SWEEP_LIST=1 lists every solution that failed.
// docs/solver-sweep.md gives the method and the figures.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "core/base/errors.h"
#include "core/base/units.h"
#include "core/models/model_evaluation.h"
#include "core/models/model_test_support.h"
#include "core/models/solvers.h"
#include "core/models/vle_object.h"
#include "core/numerics/secant.h"
#include "core/reliability/fitted_sets.h"

namespace bubblix {
namespace {

using test::FittedModel;

constexpr std::uint32_t kSeed = 20261208;
constexpr int kFullCount = 2000;
constexpr int kDefaultCount = 250;
constexpr int kObjectEvery = 10;  // every tenth point is solved by the model object as well

int sweepCount() {
  const char* full = std::getenv("BUBBLIX_SWEEP_FULL");
  return full != nullptr && full[0] == '1' ? kFullCount : kDefaultCount;
}

// Uniform in (0, 1) from one 32-bit output of the generator: its own mapping, so that the
// points are the same with every standard library.
Real uniform(std::mt19937& rng) {
  return (static_cast<Real>(rng()) + 0.5L) / 4294967296.0L;
}

// A composition uniform on the simplex (normalised exponential variates); the last
// component is the rest to 1, as the equilibrium dialogue makes it. Every tenth one has one
// component set to zero (a pure component in a binary).
CompositionVector randomComposition(std::mt19937& rng, int n, int index) {
  std::array<Real, 4> e{};
  Real sum = 0.0L;
  for (int i = 0; i < n; ++i) {
    e[i] = -std::log(uniform(rng));
    sum += e[i];
  }
  if (index % 10 == 9) {
    const int zero = static_cast<int>(rng() % static_cast<std::uint32_t>(n));
    sum -= e[zero];
    e[zero] = 0.0L;
  }
  CompositionVector x{};
  Real rest = 1.0L;
  for (int i = 0; i + 1 < n; ++i) {
    x[i] = e[i] / sum;
    rest -= x[i];
  }
  x[n - 1] = rest > 0.0L ? rest : 0.0L;
  return x;
}

struct Problem {
  char task;
  char phase;
  const char* name;
};
constexpr Problem kProblems[] = {
    {'T', 'y', "bubble T"}, {'P', 'y', "bubble P"}, {'T', 'x', "dew T"}, {'P', 'x', "dew P"}};

const char* className(int n) {
  return n == 2 ? "binary" : n == 3 ? "ternary" : "quaternary";
}

struct Tally {
  int Solves = 0;
  int Described = 0;       // converged by the iteration of the design
  int Fallback = 0;        // converged by the fallback after the iteration failed
  int Wrong = 0;           // an answer that fails the checks
  int Finished = 0;        // needed passes after the iteration's own stopping test
  Real WorstSum = 0;       // the largest |sum y - 1| (bubble) or |sum x - 1| (dew) reported
  Real WorstRelation = 0;  // the largest error of the equilibrium relation, relative
  int MostFinishPasses = 0;
  int MostFallbackIterations = 0;
  std::map<std::string, int> Causes;  // failures of the iteration: step and fault
};

std::string causeName(const SolveResult& result) {
  static const char* const faults[] = {"",
                                       "iteration limit",
                                       "not finite",
                                       "negative under the root",
                                       "zero quadratic coefficient",
                                       "zero slope",
                                       "singular matrix",
                                       "negative mole fraction",
                                       "residual not small"};
  const auto fault = static_cast<std::size_t>(result.Fault);
  return std::string(solveStepName(result.Step)) + ": " +
         (fault < std::size(faults) ? faults[fault] : "?");
}

// The equilibrium relation x_i gamma_i Psat_i = y_i P, relative to the larger side, or to
// floor * P where both sides are smaller (a component all but absent from both phases).
Real equilibriumError(const Mixture& mixture, int n, Real tau, Real P, const CompositionVector& x,
                      const CompositionVector& gamma, const CompositionVector& y, Real floor) {
  Real worst = 0.0L;
  for (int i = 0; i < n; ++i) {
    const Real lhs = x[i] * gamma[i] * SaturationPressure(mixture, i, tau);
    const Real rhs = y[i] * P;
    const Real scale = std::fmax(std::fmax(std::fabs(lhs), std::fabs(rhs)), floor * P);
    if (scale > 0.0L) worst = std::fmax(worst, std::fabs(lhs - rhs) / scale);
  }
  return worst;
}

bool allFinite(const CompositionVector& v, int n) {
  for (int i = 0; i < n; ++i) {
    if (!std::isfinite(v[i])) return false;
  }
  return true;
}

struct Point {
  Real tau, P;
  CompositionVector x, gamma, y;
};

bool sameBits(Real a, Real b) {
  return std::memcmp(&a, &b, 10) == 0;
}

bool sameBits(const Point& a, const Point& b, int n) {
  if (!sameBits(a.tau, b.tau) || !sameBits(a.P, b.P)) return false;
  for (int i = 0; i <= n; ++i) {
    if (!sameBits(a.x[i], b.x[i]) || !sameBits(a.y[i], b.y[i]) || !sameBits(a.gamma[i], b.gamma[i]))
      return false;
  }
  return true;
}

std::string format(const char* pattern, Real value) {
  char buffer[96];
  std::snprintf(buffer, sizeof buffer, pattern, value);
  return buffer;
}

// Checks one solution; returns "" when it is acceptable, else what is wrong.
std::string check(const Mixture& mixture, const TParameterSet& set, const Problem& problem,
                  const Point& given, const Point& out, const SolveResult& result, Tally& tally) {
  const int n = set.ComponentCount;
  const bool bubble = problem.phase == 'y';
  // Every failure of the iteration (kept when a fallback then found the point) names the task,
  // the given value and the composition, a singular Jacobian included.
  if (result.failed() || result.Fallback != SolveFallback::None) {
    if (result.Message == nullptr) return "a failure of the iteration without its text";
    const std::string text = render(*result.Message, Language::English, result.MessageArgs);
    const char* start =
        bubble ? (problem.task == 'T' ? "Boiling temperature at P = " : "Boiling pressure at t = ")
               : (problem.task == 'T' ? "Dew temperature at P = " : "Dew pressure at t = ");
    if (!text.starts_with(start) || text.find(bubble ? ", x = (" : ", y = (") == std::string::npos)
      return "a failure text that does not name the point: " + text;
  }
  if (result.failed()) {
    if (result.Iterations > (bubble ? kMaxSecantPasses : kMaxNewtonIterations))
      return "more iterations than the limit";
    if (result.message(Language::English).empty()) return "a failure without a message";
    if (out.tau != given.tau || out.P != given.P || out.x != given.x || out.y != given.y ||
        out.gamma != given.gamma)
      return "a failure changed the caller's variables";
    return "";
  }
  if (!result.converged()) return "status neither converged nor failed";
  if (!std::isfinite(out.tau) || !std::isfinite(out.P) || !allFinite(out.x, n) ||
      !allFinite(out.y, n) || !allFinite(out.gamma, n))
    return "a value that is not finite";
  if (!(out.tau > 0.0L) || !(out.P > 0.0L)) return "temperature or pressure not positive";
  const bool temperatureTask = problem.task == 'T';
  if (temperatureTask ? out.P != given.P : out.tau != given.tau) return "the given value changed";
  Real sum = 0.0L;
  for (int i = 0; i < n; ++i) {
    if (out.x[i] < -kSolverTolerance || out.y[i] < 0.0L)
      return format("a negative mole fraction, x or y = %.6Lg", std::fmin(out.x[i], out.y[i]));
    sum += bubble ? out.y[i] : out.x[i];
  }
  // Every reported point is finished (solvers.h): the sum of the computed phase is 1 within
  // 1e-9, and the equilibrium relation holds within 1e-9 relative with the gamma returned, which
  // is gamma at the point. A mole fraction below the solver tolerance (1e-6) in both phases is
  // judged relative to 1e-6 P.
  const Real off = std::fabs(sum - 1.0L);
  const Real relation =
      equilibriumError(mixture, n, out.tau, out.P, out.x, out.gamma, out.y, kSolverTolerance);
  tally.WorstSum = std::fmax(tally.WorstSum, off);
  tally.WorstRelation = std::fmax(tally.WorstRelation, relation);
  if (result.FinishPasses > 0) ++tally.Finished;
  tally.MostFinishPasses = std::max(tally.MostFinishPasses, result.FinishPasses);
  if (off > 1e-9L) return format(bubble ? "sum y - 1 = %.3Lg" : "sum x - 1 = %.3Lg", sum - 1.0L);
  if (relation > 1e-9L) return format("equilibrium relation off by %.3Lg", relation);
  // The dew fallback reports gamma of an x within its tolerance of the x reported.
  const bool dewFallback = !bubble && result.Fallback != SolveFallback::None;
  CompositionVector exact{};
  modelGamma(mixture, set, out.x, exact, out.tau);
  for (int i = 0; i < n && !dewFallback; ++i) {
    if (std::fabs(exact[i] - out.gamma[i]) > 1e-15L * std::fabs(exact[i]))
      return format("gamma returned differs from gamma at the point by %.3Lg",
                    out.gamma[i] - exact[i]);
  }
  if (!bubble) {
    if (out.y != given.y) return "the given vapour changed";
    if (out.x[n] != (temperatureTask ? out.tau : out.P)) return "x[n] is not the unknown";
    return "";
  }
  if (out.x != given.x) return "the given liquid changed";
  const Real reported = temperatureTask ? out.tau : out.P;
  if (reported != result.RootEstimate) return "reported away from the root estimate";
  return "";
}

std::string describe(const FittedModel& model, const std::vector<int>& numbers,
                     const Problem& problem, const Point& given) {
  std::string text = model.name() + " comp.";
  for (int number : numbers)
    text += std::to_string(number);
  text += std::string(" ") + problem.name +
          (problem.task == 'T' ? format(" at P = %.21Lg Pa", given.P)
                               : format(" at tau = %.21Lg", given.tau)) +
          ", composition";
  const CompositionVector& c = problem.phase == 'y' ? given.x : given.y;
  for (std::size_t i = 0; i < numbers.size(); ++i)
    text += format(" %.21Lg", c[i]);
  return text;
}

class SolverSweep : public ::testing::TestWithParam<FittedModel> {};

TEST_P(SolverSweep, ConvergesOrFailsCleanlyOnRandomPoints) {
  const FittedModel& model = GetParam();
  const int count = sweepCount();
  const std::vector<std::vector<int>> mixtures = test::allDatabaseMixtures();
  // By component count and problem, in the order of the table.
  std::map<std::pair<int, int>, Tally> tallies;
  std::vector<std::string> leftOut;
  int reported = 0;
  const bool list = std::getenv("BUBBLIX_SWEEP_LIST") != nullptr;

  for (std::size_t m = 0; m < mixtures.size(); ++m) {
    const std::vector<int>& numbers = mixtures[m];
    const int n = static_cast<int>(numbers.size());
    std::string reason;
    const std::optional<TParameterSet> set = test::fittedSet(model, numbers, &reason);
    if (!set) {
      leftOut.push_back(reason);
      continue;
    }
    const Mixture mixture = test::databaseMixture(numbers);
    test::ObjectSession session;
    session.Components = mixture;
    session.SelectedCount = static_cast<std::uint8_t>(n);
    const std::unique_ptr<TVLEObj> object =
        makeModelObject(session.Components, session.SelectedCount, *set);
    for (int p = 0; p < 4; ++p) {
      const Problem& problem = kProblems[p];
      Tally& tally = tallies[{n, p}];
      // The same points for every model.
      std::mt19937 rng(kSeed + static_cast<std::uint32_t>(16 * m + p));
      for (int k = 0; k < count; ++k) {
        Point given{};
        const CompositionVector c = randomComposition(rng, n, k);
        const Real u = uniform(rng);
        // The start points of the equilibrium dialogue.
        Real A = 0.0L, B = 0.0L;
        if (problem.task == 'T') {
          given.P = mmHgToPa(100.0L + 1400.0L * u);
          given.tau = 1.0L;
          A = 1.01L;
          B = given.P > 133300.0L ? 1.4L : 1.2L;
        } else {
          const Real t = 20.0L + 130.0L * u;
          given.tau = tauFromCelsius(t);
          given.P = 101325.0L;
          A = 30.0L;
          B = t > 40.0L ? 760.0L : 360.0L;
        }
        (problem.phase == 'y' ? given.x : given.y) = c;
        Point out = given;
        SolveResult result;
        try {
          result = SolveEquilibrium(mixture, problem.task, problem.phase, A, B, out.tau, out.P,
                                    *set, out.x, out.gamma, out.y);
        } catch (const std::exception& error) {
          ADD_FAILURE() << describe(model, numbers, problem, given) << ": " << error.what();
          continue;
        }
        ++tally.Solves;
        std::string wrong = check(mixture, *set, problem, given, out, result, tally);
        // The object form finds the same point to the last bit, fallback or not.
        if (wrong.empty() && (k % kObjectEvery == 0 || result.Fallback != SolveFallback::None)) {
          Point same = given;
          const SolveResult other = object->Solve(problem.task, problem.phase, A, B, same.tau,
                                                  same.P, *set, same.x, same.gamma, same.y);
          if (other.Status != result.Status || other.Fallback != result.Fallback ||
              !sameBits(same, out, n)) {
            wrong = "the object form differs";
          }
        }
        if (!wrong.empty()) {
          ++tally.Wrong;
          if (reported++ < 10) {
            ADD_FAILURE() << describe(model, numbers, problem, given) << ": " << wrong;
          }
        }
        if (list && result.failed()) {
          std::printf("failed: %s: %s\n", describe(model, numbers, problem, given).c_str(),
                      result.message(Language::English).c_str());
        }
        if (result.Fallback != SolveFallback::None) {
          tally.MostFallbackIterations =
              std::max(tally.MostFallbackIterations, result.FallbackIterations);
        }
        if (result.converged()) {
          ++(result.Fallback == SolveFallback::None ? tally.Described : tally.Fallback);
        }
        if (result.failed() || result.Fallback != SolveFallback::None)
          ++tally.Causes[causeName(result)];
      }
    }
  }

  std::printf("Solver sweep, %s: %d compositions per mixture and problem, seed %u\n",
              model.name().c_str(), count, kSeed);
  for (const std::string& reason : leftOut)
    std::printf("left out: %s\n", reason.c_str());
  std::printf(
      "iteration: converged by the iteration; overall: with the fallbacks; finished: points "
      "that needed passes after the iteration's stopping test (fp: most such passes); sum: the "
      "largest |sum - 1| of the computed phase; relation: the largest relative error of "
      "x_i gamma_i Psat_i = y_i P; fb: most fallback iterations\n");
  std::printf("%-9s %-10s %-8s %6s %9s %9s %5s %8s %3s %8s %8s %4s  failures of the iteration\n",
              "model", "mixtures", "problem", "solves", "iteration", "overall", "wrong", "finished",
              "fp", "sum", "relation", "fb");
  for (const auto& [key, tally] : tallies) {
    const auto& [n, p] = key;
    const double described = 100.0 * tally.Described / tally.Solves;
    const double overall = 100.0 * (tally.Described + tally.Fallback) / tally.Solves;
    std::string causes;
    for (const auto& [cause, number] : tally.Causes)
      causes += cause + " " + std::to_string(number) + "; ";
    std::printf("%-9s %-10s %-8s %6d %8.2f%% %8.2f%% %5d %8d %3d %8.2Lg %8.2Lg %4d  %s\n",
                model.name().c_str(), className(n), kProblems[p].name, tally.Solves, described,
                overall, tally.Wrong, tally.Finished, tally.MostFinishPasses, tally.WorstSum,
                tally.WorstRelation, tally.MostFallbackIterations, causes.c_str());
    EXPECT_EQ(tally.Wrong, 0) << className(n) << " " << kProblems[p].name;
    EXPECT_GE(overall, 99.0) << className(n) << " " << kProblems[p].name;
  }
}

// A pure component boils where its vapour-pressure function equals the given pressure: at
// 10, 100, 760 and 5000 mm Hg, for every component of every binary and every model, the bubble
// temperature (the dialogue's start values) lies within 1e-6 K of the root of
// SaturationPressure(tau) = P found by bisection to the last bits (an identity: gamma of a
// pure component is 1 and y = Psat / P). The one exception: where the other component has no
// vapour pressure at that root (its table extended far below its first row turns negative:
// comp.3 and comp.4 at 10 mm Hg boil near -16 degC) there is no bubble point to find, and the
// solution must fail with its message; every component and pressure is found in some binary.
TEST_P(SolverSweep, PureComponentsBoilWherePsatIsThePressure) {
  const FittedModel& model = GetParam();
  std::map<std::pair<int, int>, int> found;  // (database number, pressure index) -> binaries
  for (const std::vector<int>& numbers : test::allDatabaseMixtures()) {
    if (numbers.size() != 2) continue;
    const std::optional<TParameterSet> set = test::fittedSet(model, numbers, nullptr);
    if (!set) continue;
    const Mixture mixture = test::databaseMixture(numbers);
    for (int slot = 0; slot < 2; ++slot) {
      const Real pressures[] = {10.0L, 100.0L, 760.0L, 5000.0L};
      for (int p = 0; p < 4; ++p) {
        const Real mmHg = pressures[p];
        const Real givenP = mmHgToPa(mmHg);
        // Psat rises with tau: the sign change lies between 180 K and 600 K. Below its data a
        // component may have no vapour pressure at all (a table extended below zero, the pole
        // of the equation): that side is below the root as well.
        const auto below = [&](Real t) {
          try {
            return SaturationPressure(mixture, slot, t) < givenP;
          } catch (const ArithmeticError&) {
            return true;
          }
        };
        Real low = 180.0L / kZeroCelsiusK, high = 600.0L / kZeroCelsiusK;
        for (int k = 0; k < 200 && high - low > 0.0L; ++k) {
          const Real mid = low + (high - low) / 2.0L;
          if (mid <= low || mid >= high) break;
          (below(mid) ? low : high) = mid;
        }
        const Real root = low + (high - low) / 2.0L;
        Real tau = 1.0L, P = givenP;
        CompositionVector x{}, gamma{}, y{};
        x[static_cast<std::size_t>(slot)] = 1.0L;
        const SolveResult result = SolveEquilibrium(
            mixture, 'T', 'y', 1.01L, givenP > 133300.0L ? 1.4L : 1.2L, tau, P, *set, x, gamma, y);
        const std::string what = model.name() + " comp." + std::to_string(numbers[slot]) +
                                 " in comp." + std::to_string(numbers[0]) + "-comp." +
                                 std::to_string(numbers[1]) + format(" at %.0Lf mm Hg", mmHg);
        if (!result.converged()) {
          EXPECT_FALSE(result.message(Language::English).empty()) << what;
          EXPECT_THROW(SaturationPressure(mixture, 1 - slot, root), ArithmeticError)
              << what << ": " << result.message(Language::English);
          continue;
        }
        EXPECT_LE(std::fabs(tau - root) * kZeroCelsiusK, 1e-6L)
            << what << ": " << static_cast<double>(celsiusFromTau(tau)) << " degC against "
            << static_cast<double>(celsiusFromTau(root));
        ++found[{numbers[slot], p}];
      }
    }
  }
  for (int number = 1; number <= 4; ++number) {
    for (int p = 0; p < 4; ++p)
      EXPECT_GT(found[std::make_pair(number, p)], 0) << "comp." << number << ", pressure " << p;
  }
}

std::string modelName(const ::testing::TestParamInfo<FittedModel>& info) {
  std::string name = info.param.name();
  name.erase(std::remove(name.begin(), name.end(), '-'), name.end());
  return name;
}

INSTANTIATE_TEST_SUITE_P(FittedModels, SolverSweep,
                         ::testing::Values(FittedModel{Model::Wilson}, FittedModel{Model::NRTL},
                                           FittedModel{Model::UNIQUAC},
                                           FittedModel{Model::UNIFAC, UnifacVariant::MainGroups},
                                           FittedModel{Model::UNIFAC, UnifacVariant::Subgroups}),
                         modelName);

}  // namespace
}  // namespace bubblix
