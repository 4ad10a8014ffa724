#pragma once
// The small rules of one equilibrium point as the user gives it, shared by the equilibrium
// dialogue, batch mode, bubblix-cli, bubblix-diagram and the diagrams: the entry checks, the
// composition from mole percents and the end points A and B of the solver's first estimate.
//
// A point gives the pressure (mm Hg, task T: the boiling or condensation temperature is
// unknown) or the temperature (degC, task P: the pressure is unknown) and the mole percents of
// components 1..n-1 of the given phase; the last component is the rest to 100 %.

#include <cstdint>
#include <optional>
#include <span>

#include "core/base/real.h"

namespace bubblix {

// ---- Entry checks ----

// What an entry without physical sense gets wrong. Each caller words the refusal in its own
// terms (the dialogue names the component, batch mode the line and the column).
enum class EntryProblem : std::uint8_t {
  NotFinite,            // the value is not a finite number
  PressureNotPositive,  // a pressure not above 0
  TemperatureTooLow,    // a temperature not above -273.15 degC
  PercentOutOfRange,    // a mole percent outside 0..100
  PercentSumAbove100,   // the percents add up to more than 100: nothing left for the last
};

struct EntryRefusal {
  EntryProblem Problem = EntryProblem::NotFinite;
  int Component = -1;  // 0-based component of a refused percent; -1 for the other problems
  Real Value = 0;      // the value refused, or the sum of the percents
};

// A pressure (any unit) must be finite and above 0.
std::optional<EntryRefusal> checkPressure(Real pressure);
// A temperature in degC must be finite and above -273.15.
std::optional<EntryRefusal> checkTemperature(Real celsius);
// The mole percent of component `component` (0-based) must be finite and lie in 0..100.
std::optional<EntryRefusal> checkPercent(int component, Real percent);
// The percents of components 1..n-1 must add up to at most 100; a sum within
// kPercentSumTolerance (relative) of 100 counts as 100, since percents typed with decimals
// reach 100 only to rounding (0.01 + 65.66 + 34.33 adds up to a little more).
inline constexpr Real kPercentSumTolerance = 1e-9L;
std::optional<EntryRefusal> checkPercentSum(Real sum);

// The checks of a whole entry in their order: the given value (the pressure for task 'T' or
// 't', the temperature for task 'P' or 'p'), each percent, then their sum (added in order).
// Nothing when the entry makes sense.
std::optional<EntryRefusal> checkEquilibriumPoint(bool temperatureUnknown, Real value,
                                                  std::span<const Real> percents);

// ---- The composition ----

// The mole fractions of the n = percents.size() + 1 components (n <= 4): percent / 100 for the
// first n - 1 and the rest to 1, added in order, for the last; 0 when the percents add up to 100
// within kPercentSumTolerance, or when rounding of the shares makes the rest negative. Elements
// from n on stay as they are.
void compositionFromPercents(std::span<const Real> percents, CompositionVector& composition);

// ---- Start values of the solver ----

// The end points of the first estimate: tau for task T, mm Hg for task P.
struct SolverStart {
  Real A = 0;
  Real B = 0;
};

// The equilibrium dialogue's rule, which batch mode, bubblix-cli solve and the diagrams' last
// resort follow too. Task T at the pressure P, Pa: A = 1.01, B = 1.4 above 133300 Pa
// (1000 mm Hg), else 1.2. Task P at t degC: A = 30, B = 760 above 40 degC, else 360.
SolverStart temperatureTaskStart(Real P);
SolverStart pressureTaskStart(Real celsius);

// The adequacy check's own rule. Task T: A = 1.1, B = 1.2 when the temperature of the point
// before (reduced, tau) is above 50 degC, else 1.4. Task P at the data's pressure P, Pa: A = 30,
// B = 760 above 66650 Pa, else 360.
SolverStart adequacyTemperatureTaskStart(Real previousTau);
SolverStart adequacyPressureTaskStart(Real P);

}  // namespace bubblix
