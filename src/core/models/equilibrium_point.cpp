#include "core/models/equilibrium_point.h"

#include <cmath>

#include "core/base/units.h"

namespace bubblix {

std::optional<EntryRefusal> checkPressure(Real pressure) {
  if (!std::isfinite(pressure)) return EntryRefusal{EntryProblem::NotFinite, -1, pressure};
  if (pressure <= 0.0L) return EntryRefusal{EntryProblem::PressureNotPositive, -1, pressure};
  return std::nullopt;
}

std::optional<EntryRefusal> checkTemperature(Real celsius) {
  if (!std::isfinite(celsius)) return EntryRefusal{EntryProblem::NotFinite, -1, celsius};
  if (celsius <= -kZeroCelsiusK) return EntryRefusal{EntryProblem::TemperatureTooLow, -1, celsius};
  return std::nullopt;
}

std::optional<EntryRefusal> checkPercent(int component, Real percent) {
  if (!std::isfinite(percent)) return EntryRefusal{EntryProblem::NotFinite, component, percent};
  if (percent < 0.0L || percent > 100.0L) {
    return EntryRefusal{EntryProblem::PercentOutOfRange, component, percent};
  }
  return std::nullopt;
}

std::optional<EntryRefusal> checkPercentSum(Real sum) {
  if (sum > 100.0L * (1.0L + kPercentSumTolerance)) {
    return EntryRefusal{EntryProblem::PercentSumAbove100, -1, sum};
  }
  return std::nullopt;
}

std::optional<EntryRefusal> checkEquilibriumPoint(bool temperatureUnknown, Real value,
                                                  std::span<const Real> percents) {
  if (auto refusal = temperatureUnknown ? checkPressure(value) : checkTemperature(value)) {
    return refusal;
  }
  Real sum = 0.0L;
  for (std::size_t c = 0; c < percents.size(); ++c) {
    if (auto refusal = checkPercent(static_cast<int>(c), percents[c])) return refusal;
    sum += percents[c];
  }
  return checkPercentSum(sum);
}

void compositionFromPercents(std::span<const Real> percents, CompositionVector& composition) {
  Real sum = 0.0L;
  Real percentSum = 0.0L;
  for (std::size_t c = 0; c < percents.size(); ++c) {
    composition[c] = percents[c] / 100.0L;
    sum += composition[c];
    percentSum += percents[c];
  }
  const Real rest = 1.0L - sum;
  const bool full = std::fabs(percentSum - 100.0L) <= 100.0L * kPercentSumTolerance;
  composition[percents.size()] = full || rest < 0.0L ? 0.0L : rest;
}

SolverStart temperatureTaskStart(Real P) {
  return {1.01L, P > 133300.0L ? 1.4L : 1.2L};
}

SolverStart pressureTaskStart(Real celsius) {
  return {30.0L, celsius > 40.0L ? 760.0L : 360.0L};
}

SolverStart adequacyTemperatureTaskStart(Real previousTau) {
  return {1.1L, celsiusFromTau(previousTau) > 50.0L ? 1.2L : 1.4L};
}

SolverStart adequacyPressureTaskStart(Real P) {
  return {30.0L, P > 66650.0L ? 760.0L : 360.0L};
}

}  // namespace bubblix
