#pragma once
// The equilibrium dialogue, the last stage of a calculation session: the user asks for
// boiling (or condensation) temperatures at a given pressure, or pressures at a given
// temperature, for a given liquid or vapour composition, one point at a time, until the data
// entry is cancelled. Every point becomes one row of a table in the report.
//
// The question (task and phase) is asked once; the grid then takes, per point, the pressure
// (mm Hg, task 't') or the temperature (degC, task 'P') and the mole percents of components
// 1..n-1; the last component is the rest to 100 %. The free solver SolveEquilibrium works on
// the session's parameter set and mixture.
//
// Entries without physical sense are refused with a message and asked again: a pressure not
// above 0, a temperature not above -273.15 degC, a percent outside 0..100 or percents adding
// up to more than 100 (the checks of equilibrium_point.h). A point the solver cannot calculate (no
// convergence, an arithmetic fault) is refused with its message and asked again; the dialogue goes
// on.

#include <span>
#include <string>
#include <vector>

#include "core/base/real.h"
#include "core/models/solvers.h"
#include "core/report/report_document.h"
#include "core/session/dialogs.h"
#include "core/session/session_options.h"
#include "core/session/session_state.h"

namespace bubblix {

namespace session_detail {
struct SessionContext;
}

// One point of the dialogue as the grid gives it: `value` is the pressure in mm Hg (task
// 't'/'T') or the temperature in degC (task 'P'/'p'); `percents` the mole percents of
// components 1..n-1 of the set's n components, of the liquid (phase 'y') or of the vapour
// (phase 'x').
struct EquilibriumEntry {
  char Task = 't';
  char Phase = 'y';
  Real Value = 0;
  std::span<const Real> Percents;
};

// Throws InputError with a message naming the value when the entry has no physical sense
// (see the top of this header), or when it does not give n - 1 percents.
void checkEquilibriumEntry(const EquilibriumEntry& entry, const SessionState& state,
                           const std::string& decimalSeparator = ".");

// Takes the entry as the current point: Tau (task 'P') or Pressure (task 't'), and the given
// composition (element n-1 the rest to 1) into LiquidX (phase 'y') or VapourY (phase 'x').
void takeEquilibriumEntry(const EquilibriumEntry& entry, SessionState& state);

// Checks and takes the entry, then solves it with SolveEquilibrium on the state's parameter
// set and mixture, from the dialogue's start values (equilibrium_point.h). On success the state
// holds the point's Tau, Pressure, LiquidX, VapourY and Gamma. Throws InputError for a refused
// entry, NoConvergenceError or ArithmeticError when the solver fails (the state then holds the
// entry, not a result).
SolveResult solveEquilibriumPoint(const EquilibriumEntry& entry, SessionState& state,
                                  const YesNoQuestion& onInversionError = {},
                                  const std::string& decimalSeparator = ".");

// The report row of the state's current point: "%10.4f%10.4f    " with P in mm Hg and t in
// degC, then "%12.4f %12.4f " with the liquid and vapour mole percents of each component.
std::string equilibriumRow(const SessionState& state, const std::string& decimalSeparator = ".");

// The note lines under that row, one per component whose property data the point's
// temperature lies outside of (point_warnings.h), in the interface language; none when the
// point lies within the data of every component.
std::vector<std::string> equilibriumWarningLines(const SessionState& state);

// The dialogue as a stage of its own, on the state's parameter set and mixture (which must
// be loaded). Errors end it with a message; the report keeps its lines.
SessionResult runEquilibriumDialogue(Dialogs& dialogs, ReportDocument& report, SessionState& state,
                                     const SessionOptions& options = {});

namespace session_detail {
// The dialogue inside a running session; errors other than refused points propagate.
void equilibriumDialogue(SessionContext& context);
}  // namespace session_detail

}  // namespace bubblix
