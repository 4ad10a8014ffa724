#include "core/models/solver_input.h"

#include <cmath>
#include <stdexcept>
#include <string>

#include "core/base/errors.h"
#include "core/base/units.h"
#include "core/io/number_format.h"
#include "core/models/model_evaluation.h"
#include "core/models/model_types.h"
#include "core/models/solver_messages.h"
#include "core/texts/solver_texts.h"

namespace bubblix::solver_detail {

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

namespace {

void requireFinite(const std::string& name, Real value) {
  if (!std::isfinite(value))
    throw InputError(kSolverValueNotFinite, {name, formatSignificant(value, kMessageDigits)});
}

void requirePressure(const std::string& name, Real pressure) {
  requireFinite(name, pressure);
  if (!(pressure > 0.0L))
    throw InputError(kSolverPressureNotPositive, {formatSignificant(pressure, kMessageDigits)});
}

void requireTau(const std::string& name, Real tau) {
  requireFinite(name, tau);
  if (!(tau > 0.0L)) {
    throw InputError(kSolverTemperatureNotPositive,
                     {formatSignificant(celsiusFromTau(tau), kMessageDigits)});
  }
}

void requireFractions(char letter, const CompositionVector& values, int n) {
  for (int i = 0; i < n; ++i) {
    // The name is built only for a refusal: this check runs on every solution.
    if (std::isfinite(values[i]) && values[i] >= 0.0L) continue;
    std::string name(1, letter);
    name += std::to_string(i + 1);
    requireFinite(name, values[i]);
    throw InputError(kSolverNegativeFraction, {name, formatSignificant(values[i], kMessageDigits)});
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

}  // namespace

// nullopt for a phase letter other than x, X, y, Y (nothing to solve).
std::optional<Problem> openProblem(char task, char phase, Real A, Real B, Real tau, Real P,
                                   const TParameterSet& set, const CompositionVector& x,
                                   const CompositionVector& y) {
  const bool temperatureTask = isTemperatureTask(task);
  const bool bubble = isBubblePhase(phase);
  if (!bubble && !isDewPhase(phase)) return std::nullopt;
  validateParameterSet(set);
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

std::optional<SolveResult> missingVapourPressure(const Mixture& mixture, int n, Real tau) {
  try {
    saturationPressuresAt(mixture, n, tau);
  } catch (const ArithmeticError& error) {
    SolveResult result;
    result.Status = SolveStatus::ArithmeticFault;
    result.Fault = SolveFault::NotFinite;
    result.Message = &error.text();  // a text of texts/, static
    result.MessageArgs = error.args();
    return result;
  }
  return std::nullopt;
}

}  // namespace bubblix::solver_detail
