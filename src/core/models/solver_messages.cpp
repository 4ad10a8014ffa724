#include "core/models/solver_messages.h"

#include <string>
#include <vector>

#include "core/base/units.h"
#include "core/io/number_format.h"
#include "core/texts/solver_texts.h"

namespace bubblix::solver_detail {

std::string formatList(std::span<const Real> values) {
  std::string out;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i > 0) out += "; ";
    out += formatSignificant(values[i], kMessageDigits);
  }
  return out;
}

namespace {

// The given value in its display unit: P in Pa (task 'T') or t in degC (task 'P').
std::string givenText(bool temperatureTask, Real tau, Real P) {
  return temperatureTask ? formatSignificant(P, kMessageDigits)
                         : formatSignificant(celsiusFromTau(tau), kMessageDigits);
}

// An unknown in its display unit: t in degC (task 'T') or P in Pa (task 'P').
std::string unknownText(bool temperatureTask, Real value) {
  return temperatureTask ? formatSignificant(celsiusFromTau(value), kMessageDigits)
                         : formatSignificant(value, kMessageDigits);
}

}  // namespace

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
      args = {given, liquid, last, passes, formatSignificant(result.LastResidual, kMessageDigits)};
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
      args = {given, liquid, last, solveStepName(result.Step)};
      break;
  }
  result.Message = text;
  result.MessageArgs = std::move(args);
}

void describeDewFailure(SolveResult& result, bool temperatureTask, Real tau, Real P,
                        const CompositionVector& y, int n, std::span<const Real> v) {
  // A singular Jacobian comes with the inversion's own text, which names no point.
  if (!result.failed() || (result.Message != nullptr && result.Fault != SolveFault::SingularMatrix))
    return;
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
                          formatSignificant(result.LastResidual, kMessageDigits)};
  } else if (result.Fault == SolveFault::SingularMatrix) {
    result.Message = temperatureTask ? &kDewTemperatureSingularMatrix : &kDewPressureSingularMatrix;
    result.MessageArgs = {given, vapour, liquid, last, std::to_string(result.Iterations)};
  } else if (result.Fault == SolveFault::IterationLimit) {
    result.Message = temperatureTask ? &kDewTemperatureNoConvergence : &kDewPressureNoConvergence;
    result.MessageArgs = {given,
                          vapour,
                          liquid,
                          last,
                          std::to_string(result.Iterations),
                          formatSignificant(result.LastCorrection, kMessageDigits)};
  } else {
    result.Message = temperatureTask ? &kDewTemperatureNotFinite : &kDewPressureNotFinite;
    result.MessageArgs = {given, vapour, liquid, last, solveStepName(result.Step)};
  }
}

}  // namespace bubblix::solver_detail
