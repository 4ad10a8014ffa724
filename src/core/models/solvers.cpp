#include "core/models/solvers.h"

#include <cstdio>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>

#include "core/base/units.h"
#include "core/models/model_evaluator.h"
#include "core/models/nrtl.h"
#include "core/models/solver_fallback.h"
#include "core/models/unifac.h"
#include "core/models/uniquac.h"
#include "core/models/vle_object.h"
#include "core/models/wilson.h"

namespace bubblix {

const char* SolveStepName(SolveStep step) {
  switch (step) {
    case SolveStep::ParabolicStart:
      return "ParabolicStart";
    case SolveStep::SecantSolve:
      return "SecantSolve";
    case SolveStep::DewResidual:
      return "DewResidual";
    case SolveStep::NumericJacobian:
      return "NumericJacobian";
    case SolveStep::InvertMatrix:
      return "InvertMatrix";
    case SolveStep::NewtonSolve:
      return "NewtonSolve";
    case SolveStep::None:
      break;
  }
  return "";
}

namespace {

constexpr Real kNaN = std::numeric_limits<Real>::quiet_NaN();

std::string formatReal(Real v) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.9Lg", v);
  return buffer;
}

std::string formatList(std::span<const Real> values) {
  std::string out;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i > 0) out += "; ";
    out += formatReal(values[i]);
  }
  return out;
}

std::string modelCodeText(char code) {
  if (code >= 33 && code <= 126) return std::string(1, code);
  return "#" + std::to_string(static_cast<unsigned char>(code));
}

// Step and iteration count for a failure that carries no text of its own.
void genericText(SolveResult& result) {
  if (result.Message != nullptr) return;
  result.Message =
      result.Status == SolveStatus::NoConvergence ? &kSolverStepNoConvergence : &kSolverStepFault;
  result.MessageArgs = {SolveStepName(result.Step), std::to_string(result.Iterations)};
}

bool isTemperatureTask(char task) {
  switch (task) {
    case 'T':
    case 't':
      return true;
    case 'P':
    case 'p':
      return false;
    default:
      throw std::invalid_argument(std::string("equilibrium solver: task letter '") + task +
                                  "' is none of T, t, P, p");
  }
}

bool isBubblePhase(char phase) {
  return phase == 'y' || phase == 'Y';
}
bool isDewPhase(char phase) {
  return phase == 'x' || phase == 'X';
}

// --- Input checks -----------------------------------------------------------------------

void requireFinite(const std::string& name, Real value) {
  if (!std::isfinite(value)) throw InputError(kSolverValueNotFinite, {name, formatReal(value)});
}

void requirePressure(const std::string& name, Real pressure) {
  requireFinite(name, pressure);
  if (!(pressure > 0.0L)) throw InputError(kSolverPressureNotPositive, {formatReal(pressure)});
}

void requireTau(const std::string& name, Real tau) {
  requireFinite(name, tau);
  if (!(tau > 0.0L)) {
    throw InputError(kSolverTemperatureNotPositive, {formatReal(celsiusFromTau(tau))});
  }
}

void requireFractions(char letter, const CompositionVector& values, int n) {
  for (int i = 0; i < n; ++i) {
    // The name is built only for a refusal: this check runs on every solution.
    if (std::isfinite(values[i]) && values[i] >= 0.0L) continue;
    std::string name(1, letter);
    name += std::to_string(i + 1);
    requireFinite(name, values[i]);
    throw InputError(kSolverNegativeFraction, {name, formatReal(values[i])});
  }
}

// The given value of a task: P for task 'T', tau for task 'P'.
void requireGiven(bool temperatureTask, Real tau, Real P) {
  if (temperatureTask) {
    requirePressure("P", P);
  } else {
    requireTau("t", tau);
  }
}

void requireEndPoints(bool temperatureTask, Real A, Real B) {
  if (temperatureTask) {
    requireTau("A", A);
    requireTau("B", B);
  } else {
    requireFinite("A", A);
    requireFinite("B", B);
    requirePressure("A", mmHgToPa(A));
    requirePressure("B", mmHgToPa(B));
  }
}

// --- Failure texts ----------------------------------------------------------------------

// The given value in its display unit: P in Pa (task 'T') or t in degC (task 'P').
std::string givenText(bool temperatureTask, Real tau, Real P) {
  return temperatureTask ? formatReal(P) : formatReal(celsiusFromTau(tau));
}

// An unknown in its display unit: t in degC (task 'T') or P in Pa (task 'P').
std::string unknownText(bool temperatureTask, Real value) {
  return temperatureTask ? formatReal(celsiusFromTau(value)) : formatReal(value);
}

void describeBubbleFailure(SolveResult& result, bool temperatureTask, Real tau, Real P,
                           const CompositionVector& x, int n, Real lastArgument, Real start,
                           Real end) {
  if (!result.failed() || result.Message != nullptr) return;
  const std::string given = givenText(temperatureTask, tau, P);
  const std::string liquid = formatList(std::span<const Real>(x.data(), n));
  const std::string last = unknownText(temperatureTask, lastArgument);
  const std::string passes = std::to_string(result.Iterations);
  const Text* text = nullptr;
  std::vector<std::string> args;
  switch (result.Fault) {
    case SolveFault::IterationLimit:
      text = temperatureTask ? &kBubbleTemperatureNoConvergence : &kBubblePressureNoConvergence;
      args = {given, liquid, last, passes, formatReal(result.LastResidual)};
      break;
    case SolveFault::NegativeUnderRoot:
    case SolveFault::ZeroQuadraticCoefficient: {
      const bool root = result.Fault == SolveFault::NegativeUnderRoot;
      if (temperatureTask) {
        text = root ? &kBubbleTemperatureNegativeRoot : &kBubbleTemperatureZeroCurvature;
      } else {
        text = root ? &kBubblePressureNegativeRoot : &kBubblePressureZeroCurvature;
      }
      args = {given, liquid,
              unknownText(temperatureTask, start) + "; " + unknownText(temperatureTask, end)};
      break;
    }
    case SolveFault::ZeroSlope:
      text = temperatureTask ? &kBubbleTemperatureZeroSlope : &kBubblePressureZeroSlope;
      args = {given, liquid, last, passes};
      break;
    default:
      text = temperatureTask ? &kBubbleTemperatureNotFinite : &kBubblePressureNotFinite;
      args = {given, liquid, last, SolveStepName(result.Step)};
      break;
  }
  result.Message = text;
  result.MessageArgs = std::move(args);
}

void describeDewFailure(SolveResult& result, bool temperatureTask, Real tau, Real P,
                        const CompositionVector& y, int n, std::span<const Real> v) {
  if (!result.failed() || result.Message != nullptr) return;
  const std::string given = givenText(temperatureTask, tau, P);
  const std::string vapour = formatList(std::span<const Real>(y.data(), n));
  const std::string liquid = formatList(v.first(n));
  const std::string last = unknownText(temperatureTask, v[n]);
  if (result.Fault == SolveFault::NegativeFraction) {
    result.Message =
        temperatureTask ? &kDewTemperatureNegativeFraction : &kDewPressureNegativeFraction;
    result.MessageArgs = {given, vapour, liquid, last, std::to_string(result.Iterations)};
  } else if (result.Fault == SolveFault::ResidualNotSmall) {
    result.Message =
        temperatureTask ? &kDewTemperatureResidualNotSmall : &kDewPressureResidualNotSmall;
    result.MessageArgs = {given,
                          vapour,
                          liquid,
                          last,
                          std::to_string(result.Iterations),
                          formatReal(result.LastResidual)};
  } else if (result.Fault == SolveFault::IterationLimit) {
    result.Message = temperatureTask ? &kDewTemperatureNoConvergence : &kDewPressureNoConvergence;
    result.MessageArgs = {given,
                          vapour,
                          liquid,
                          last,
                          std::to_string(result.Iterations),
                          formatReal(result.LastCorrection)};
  } else {
    result.Message = temperatureTask ? &kDewTemperatureNotFinite : &kDewPressureNotFinite;
    result.MessageArgs = {given, vapour, liquid, last, SolveStepName(result.Step)};
  }
}

// --- The two problems, shared by the free solver and the objects ------------------------

// The caller's variables, copied on entry and copied back only when the solution converged.
struct Variables {
  Real tau;
  Real P;
  CompositionVector x;
  CompositionVector gamma;
  CompositionVector y;
};

bool finiteGamma(const CompositionVector& gamma, int n) {
  for (int i = 0; i < n; ++i) {
    if (!std::isfinite(gamma[i])) return false;
  }
  return true;
}

// `evaluate` computes gamma, y and sum y - 1 at vars.tau, vars.P from vars.x and returns the
// sum. A property look-up out of its range (ArithmeticError) counts as a value that is not
// finite.
template <class Evaluate>
SolveResult solveBubble(bool temperatureTask, Real A, Real B, int n, Variables& vars,
                        Evaluate&& evaluate) {
  Real& unknown = temperatureTask ? vars.tau : vars.P;
  const Real givenTau = vars.tau;
  const Real givenP = vars.P;
  Real lastArgument = 0.0L;
  const auto f = [&](Real argument) -> Real {
    unknown = argument;
    lastArgument = argument;
    try {
      const Real sum = evaluate();
      return finiteGamma(vars.gamma, n) ? sum : kNaN;
    } catch (const ArithmeticError&) {
      return kNaN;
    }
  };
  const Real start = temperatureTask ? A : mmHgToPa(A);
  const Real end = temperatureTask ? B : mmHgToPa(B);
  Real estimate = 0.0L;
  SolveResult result = ParabolicStart(start, end, f, estimate);
  if (result.converged()) {
    result = SecantSolve(estimate, temperatureTask ? kSecantStepTemperature : kSecantStepPressure,
                         kSolverTolerance, f);
  }
  if (result.converged() && !(std::fabs(result.LastResidual) <= kReportedSumTolerance)) {
    const Real atRoot = f(result.RootEstimate);
    if (std::isfinite(atRoot)) {
      result.LastResidual = atRoot;
      result.ReportedAtRoot = true;
    } else {
      result.Status = SolveStatus::ArithmeticFault;
      result.Step = SolveStep::SecantSolve;
      result.Fault = SolveFault::NotFinite;
    }
  }
  describeBubbleFailure(result, temperatureTask, givenTau, givenP, vars.x, n, lastArgument, start,
                        end);
  if (result.failed()) BubbleFallback(temperatureTask, start, end, f, result);
  return result;
}

// The Newton iteration leaves gamma of its last evaluation, a perturbed point of the final
// Jacobian. Where x_i gamma_i Psat_i = y_i P is off with it by more than kDewRelationTolerance
// (relative, for the fractions above the solver tolerance), gamma is taken at the solution
// itself: F_i = x_i - P y_i / (Psat_i gamma_i) there gives P y_i / Psat_i = gamma_i (x_i - F_i).
template <class Residual>
void ReportGammaAtSolution(int n, std::span<const Real> v, Residual&& F, CompositionVector& gamma,
                           SolveResult& result) {
  const CompositionVector returned = gamma;
  std::array<Real, 5> out{};
  F(v, std::span<Real>(out.data(), static_cast<std::size_t>(n) + 1));  // gamma at v
  bool finite = true;
  Real worst = 0.0L;
  for (int i = 0; i <= n; ++i)
    finite = finite && std::isfinite(out[i]);
  for (int i = 0; finite && i < n; ++i) {
    const Real q = v[i] - out[i];
    if (!(v[i] > kSolverTolerance && q > kSolverTolerance)) continue;
    worst = std::fmax(worst, std::fabs(v[i] * returned[i] / (gamma[i] * q) - 1.0L));
  }
  if (!finite || worst <= kDewRelationTolerance) {
    gamma = returned;
    return;
  }
  result.GammaAtSolution = true;
}

// `residual(v, F, gamma)` evaluates the dew residual at v (n + 1 unknowns).
template <class Residual>
SolveResult solveDew(bool temperatureTask, int n, Variables& vars, Residual&& residual,
                     const YesNoQuestion& onInversionError) {
  std::array<Real, 5> v{};
  for (int i = 0; i < n; ++i)
    v[i] = vars.y[i];
  v[n] = temperatureTask ? kDewStartTau : kDewStartPressure;
  const auto F = [&](std::span<const Real> point, std::span<Real> out) {
    try {
      residual(point, out, vars.gamma);
      if (!finiteGamma(vars.gamma, n)) out[n] = kNaN;
    } catch (const ArithmeticError&) {
      for (Real& value : out)
        value = kNaN;
    }
  };
  const std::span<Real> unknowns(v.data(), static_cast<std::size_t>(n) + 1);
  SolveResult result = NewtonSolve(n + 1, unknowns, F, kSolverTolerance, onInversionError);
  RejectFalseDewSolutions(n, unknowns, result);
  if (result.converged()) ReportGammaAtSolution(n, unknowns, F, vars.gamma, result);
  describeDewFailure(result, temperatureTask, vars.tau, vars.P, vars.y, n, unknowns);
  if (result.failed()) DewFallback(temperatureTask, n, vars.y, F, unknowns, result);
  if (result.converged()) {
    for (int i = 0; i <= n; ++i)
      vars.x[i] = v[i];
    (temperatureTask ? vars.tau : vars.P) = v[n];
  }
  return result;
}

void copyBack(const Variables& vars, Real& tau, Real& P, CompositionVector& x,
              CompositionVector& gamma, CompositionVector& y) {
  tau = vars.tau;
  P = vars.P;
  x = vars.x;
  gamma = vars.gamma;
  y = vars.y;
}

// Which problem the letters ask for, with every check made before anything is computed.
struct Problem {
  bool temperatureTask;
  bool bubble;
  int n;
};

// nullopt for a phase letter other than x, X, y, Y (nothing to solve).
std::optional<Problem> openProblem(char task, char phase, Real A, Real B, Real tau, Real P,
                                   const TParameterSet& set, const CompositionVector& x,
                                   const CompositionVector& y) {
  const bool temperatureTask = isTemperatureTask(task);
  const bool bubble = isBubblePhase(phase);
  if (!bubble && !isDewPhase(phase)) return std::nullopt;
  ValidateParameterSet(set);
  const int n = set.ComponentCount;
  if (bubble) {
    requireFractions('x', x, n);
    requireEndPoints(temperatureTask, A, B);
  } else {
    requireFractions('y', y, n);
  }
  requireGiven(temperatureTask, tau, P);
  return Problem{temperatureTask, bubble, n};
}

SolveResult unchangedResult() {
  SolveResult result;
  result.Status = SolveStatus::Unchanged;
  return result;
}

// DewResidual with the model of an evaluator, which keeps the terms of the last temperature
// and composition: the Jacobian of an iteration perturbs the composition at one temperature.
void dewResidual(ModelEvaluator& model, bool temperatureTask, std::span<const Real> v,
                 const CompositionVector& y, Real P, Real tau, std::span<Real> F,
                 CompositionVector& gamma) {
  const int n = model.componentCount();
  const Real t = temperatureTask ? v[n] : tau;
  const Real p = temperatureTask ? P : v[n];
  CompositionVector x{};
  for (int i = 0; i < n; ++i)
    x[i] = v[i];
  model.gamma(x, t, gamma);
  const ComponentValues& Psat = model.saturationPressures(t);
  Real sum = 0.0L;
  for (int i = 0; i < n; ++i) {
    F[i] = v[i] - p * y[i] / (Psat[i] * gamma[i]);
    sum += v[i];
  }
  F[n] = 1.0L - sum;
}

}  // namespace

// --- Result -------------------------------------------------------------------------------

std::string SolveResult::message(Language lang) const {
  if (!failed()) return "";
  SolveResult copy = *this;
  genericText(copy);
  return render(*copy.Message, lang, copy.MessageArgs);
}

void SolveResult::throwIfFailed() const {
  if (!failed()) return;
  SolveResult copy = *this;
  genericText(copy);
  if (Status == SolveStatus::NoConvergence)
    throw NoConvergenceError(*copy.Message, copy.MessageArgs);
  throw ArithmeticError(*copy.Message, copy.MessageArgs);
}

// --- Model dispatch -----------------------------------------------------------------------

void ValidateParameterSet(const TParameterSet& set) {
  switch (set.ModelCode) {
    case 'W':
    case 'N':
    case 'Q':
    case 'F':
      break;
    default:
      throw InputError(kSolverUnknownModel, {modelCodeText(set.ModelCode)});
  }
  const int n = set.ComponentCount;
  if (n < 1 || n > 4) throw InputError(kSolverComponentCount, {std::to_string(n)});
  if (set.ModelCode != 'F') return;
  if (set.GroupCount < 1 || set.GroupCount > 10) {
    throw InputError(kSolverGroupCount, {std::to_string(set.GroupCount)});
  }
  for (int i = 0; i < n; ++i) {
    const int count = set.ComponentGroups[i].Count;
    if (count < 1 || count > 10) {
      throw InputError(kSolverComponentGroupCount, {std::to_string(i + 1), std::to_string(count)});
    }
  }
}

UNIFACComposition PrepareUNIFAC(const Mixture& mixture, const TParameterSet& set,
                                const CompositionVector& x) {
  UNIFACComposition prepared;
  const int n = set.ComponentCount;
  GroupFractions(n, set.GroupCount, set.GroupIdsA, prepared.GroupFractions, set.ComponentGroups, x,
                 set.GroupIdsB);
  UNIQUACCombinatorial(n, MixtureAreas(mixture), MixtureVolumes(mixture),
                       prepared.CombinatorialGamma, x);
  return prepared;
}

void ModelGamma(const Mixture& mixture, const TParameterSet& set, const CompositionVector& x,
                CompositionVector& gamma, Real tau, const UNIFACComposition* unifac) {
  const int n = set.ComponentCount;
  switch (set.ModelCode) {
    case 'W':
      WilsonGamma(mixture, n, x, set.WilsonEnergy, gamma, tau);
      return;
    case 'N':
      NRTLGamma(mixture, n, x, set.NRTLEnergy, gamma, set.NRTLAlpha, tau);
      return;
    case 'Q':
      UNIQUACGamma(mixture, n, x, set.UNIQUACEnergy, gamma, tau);
      return;
    case 'F': {
      UNIFACComposition fresh;
      if (unifac == nullptr) {
        fresh = PrepareUNIFAC(mixture, set, x);
        unifac = &fresh;
      }
      UNIFACGamma(n, set.GroupCount, set.GroupIdsA, set.GroupIdsB, gamma, set.ComponentGroups,
                  unifac->CombinatorialGamma, set.GroupInteraction, unifac->GroupFractions,
                  set.GroupQ, tau);
      return;
    }
    default:
      throw InputError(kSolverUnknownModel, {modelCodeText(set.ModelCode)});
  }
}

Real BubbleSum(int n, const CompositionVector& x, const CompositionVector& gamma,
               const ComponentValues& Psat, Real P, CompositionVector& y) {
  Real sum = -1.0L;
  for (int i = 0; i < n; ++i) {
    y[i] = Psat[i] * x[i] * gamma[i] / P;
    sum += y[i];
  }
  return sum;
}

Real BubbleSum(const Mixture& mixture, const TParameterSet& set, const CompositionVector& x,
               CompositionVector& y, CompositionVector& gamma, Real tau, Real P,
               const UNIFACComposition* unifac) {
  ModelGamma(mixture, set, x, gamma, tau, unifac);
  const int n = set.ComponentCount;
  return BubbleSum(n, x, gamma, SaturationPressuresAt(mixture, n, tau), P, y);
}

void DewResidual(const Mixture& mixture, char task, std::span<const Real> v,
                 const CompositionVector& y, Real P, Real tau, const TParameterSet& set,
                 std::span<Real> F, CompositionVector& gamma) {
  ModelEvaluator model(mixture, set);
  dewResidual(model, isTemperatureTask(task), v, y, P, tau, F, gamma);
}

// --- Entry points -------------------------------------------------------------------------

SolveResult SolveEquilibrium(const Mixture& mixture, char task, char phase, Real A, Real B,
                             Real& tau, Real& P, const TParameterSet& set, CompositionVector& x,
                             CompositionVector& gamma, CompositionVector& y,
                             const YesNoQuestion& onInversionError) {
  const std::optional<Problem> problem = openProblem(task, phase, A, B, tau, P, set, x, y);
  if (!problem) return unchangedResult();
  const auto [temperatureTask, bubble, n] = *problem;

  Variables vars{tau, P, x, gamma, y};
  SolveResult result;
  if (bubble) {
    // x stays fixed: the evaluator computes its composition terms once, and at a given
    // temperature (task 'P') gamma and the vapour pressures once.
    ModelEvaluator model(mixture, set);
    result = solveBubble(temperatureTask, A, B, n, vars, [&]() {
      model.gamma(vars.x, vars.tau, vars.gamma);
      return BubbleSum(n, vars.x, vars.gamma, model.saturationPressures(vars.tau), vars.P, vars.y);
    });
  } else {
    const Real givenTau = vars.tau;
    const Real givenP = vars.P;
    const CompositionVector vapour = vars.y;
    ModelEvaluator model(mixture, set);
    result = solveDew(
        temperatureTask, n, vars,
        [&](std::span<const Real> v, std::span<Real> F, CompositionVector& g) {
          dewResidual(model, temperatureTask, v, vapour, givenP, givenTau, F, g);
        },
        onInversionError);
  }
  if (result.converged()) copyBack(vars, tau, P, x, gamma, y);
  return result;
}

SolveResult SolveEquilibriumOrThrow(const Mixture& mixture, char task, char phase, Real A, Real B,
                                    Real& tau, Real& P, const TParameterSet& set,
                                    CompositionVector& x, CompositionVector& gamma,
                                    CompositionVector& y, const YesNoQuestion& onInversionError) {
  SolveResult result =
      SolveEquilibrium(mixture, task, phase, A, B, tau, P, set, x, gamma, y, onInversionError);
  result.throwIfFailed();
  return result;
}

SolveResult TVLEObj::Solve(char task, char phase, Real A, Real B, Real& tau, Real& P,
                           const TParameterSet& set, CompositionVector& x, CompositionVector& gamma,
                           CompositionVector& y, const YesNoQuestion& onInversionError) {
  const std::optional<Problem> problem = openProblem(task, phase, A, B, tau, P, set, x, y);
  if (!problem) return unchangedResult();
  const auto [temperatureTask, bubble, n] = *problem;
  if (componentCount() != n) {
    throw std::invalid_argument(
        "TVLEObj::Solve: SelectedCount " + std::to_string(componentCount()) +
        " differs from the parameter set's component count " + std::to_string(n));
  }

  Variables vars{tau, P, x, gamma, y};
  SolveResult result;
  if (bubble) {
    if (set.ModelCode == 'F') {
      const UNIFACComposition prepared = PrepareUNIFAC(mixture(), set, vars.x);
      GroupFractions = prepared.GroupFractions;
      CombinatorialGamma = prepared.CombinatorialGamma;
    }
    result = solveBubble(temperatureTask, A, B, n, vars, [&]() {
      Real sum = 0.0L;
      BubbleResidual(vars.x, sum, vars.y, vars.gamma, vars.P, vars.tau);
      return sum;
    });
  } else {
    TaskLetter = task;
    DewTemperature = vars.tau;
    FixedComposition = vars.y;
    const Real givenP = vars.P;
    ModelEvaluator model(mixture(), set);
    result = solveDew(
        temperatureTask, n, vars,
        [&](std::span<const Real> v, std::span<Real> F, CompositionVector& g) {
          dewResidual(model, isTemperatureTask(TaskLetter), v, FixedComposition, givenP,
                      DewTemperature, F, g);
        },
        onInversionError);
  }
  if (result.converged()) copyBack(vars, tau, P, x, gamma, y);
  return result;
}

SolveResult TVLEObj::SolveOrThrow(char task, char phase, Real A, Real B, Real& tau, Real& P,
                                  const TParameterSet& set, CompositionVector& x,
                                  CompositionVector& gamma, CompositionVector& y,
                                  const YesNoQuestion& onInversionError) {
  SolveResult result = Solve(task, phase, A, B, tau, P, set, x, gamma, y, onInversionError);
  result.throwIfFailed();
  return result;
}

}  // namespace bubblix
