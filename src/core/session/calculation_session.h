#pragma once
// The calculation session: everything the Run button starts, for the desktop program and
// bubblix-cli alike.
//
//  1. Where the parameters come from: fitted (variant 1) or loaded from a parameter file
//     (variant 2). Variant 2 with the file dialog cancelled goes on with the current parameter
//     set, or ends the session when there is none.
//  2. Variant 1: the components (at least two), then the fitting session (fitting_session.h).
//  3. The report heading with the method name, and the model object of the set's model.
//  4. A binary mixture whose pair has experimental data: the adequacy question, the adequacy
//     table (model against the data, point by point) and, on Yes, its error summary.
//  5. The equilibrium dialogue (equilibrium_dialogue.h) until its data entry is cancelled.
//
// The state (parameter set, mixture, current point) lives in the SessionState passed in and
// keeps its values for later sessions. Errors end the session with an error box; every report
// line written so far stays. An exception of the dialogs themselves (a script without
// answers) is passed on unchanged.

#include <optional>
#include <string>
#include <vector>

#include "core/base/real.h"
#include "core/data/database.h"
#include "core/models/solvers.h"
#include "core/models/vle_object.h"
#include "core/report/report_document.h"
#include "core/session/dialogs.h"
#include "core/session/session_options.h"
#include "core/session/session_state.h"

namespace bubblix {

SessionResult runCalculationSession(Dialogs& dialogs, ReportDocument& report, SessionState& state,
                                    const Database& db, const SessionOptions& options = {});

// ---- The adequacy check of a binary parameter set ----

// One row of the adequacy table: the boiling temperature computed at the data's pressure,
// the pressure computed at the data's temperature, the data's liquid and the computed vapour
// composition of the first component (mole and mass percent), and the activity coefficients
// of the pressure calculation.
struct AdequacyRow {
  Real TemperatureC = 0;  // degC
  Real PressureMmHg = 0;  // mm Hg
  Real X1MolePercent = 0;
  Real X1MassPercent = 0;
  Real Y1MolePercent = 0;
  Real Y1MassPercent = 0;
  Real Gamma1 = 0;
  Real Gamma2 = 0;
};

struct AdequacyTable {
  std::vector<AdequacyRow> Rows;
  int PointCount = 0;  // points of the data set
  // Root-mean-square errors over the points: vapour composition at the computed temperature
  // and at the computed pressure (mole fractions), temperature (degC), pressure (mm Hg). Only
  // meaningful when Complete.
  Real E_yT = 0;
  Real E_yP = 0;
  Real E_T = 0;
  Real E_P = 0;
  bool Complete = false;
  // When a point fails: its number (1-based) and the reason, in the interface language.
  int FailedPoint = 0;
  std::string FailureMessage;
};

// Checks the binary set of the state (its first two components) against the pair's
// experimental data with the model object: for every point the boiling temperature at the
// data's pressure (task 'T', from the temperature of the point before) and the pressure at the
// data's temperature (task 'P'), from the adequacy check's start values (equilibrium_point.h).
// Leaves Tau, Pressure (the data's), LiquidX,
// VapourY and Gamma of the last point in the state. A set whose first two components are in
// descending order is checked against the pair's data with the compositions mirrored. The
// check stops at the first point that cannot be calculated (FailedPoint, FailureMessage).
// Throws DataError when the pair has no experimental data.
AdequacyTable checkAdequacy(SessionState& state, const Database& db, TVLEObj& model,
                            const YesNoQuestion& onInversionError = {});
// The same with a model object of the state's set made for the check (the state's mixture
// must be that of the set, SelectedCount its component count).
AdequacyTable checkAdequacy(SessionState& state, const Database& db,
                            const YesNoQuestion& onInversionError = {});

// The table as the report shows it: the system line with the column titles, one row per
// point, and - when wanted and the table is complete - the summary.
void writeAdequacyTable(ReportDocument& report, const AdequacyTable& table,
                        const SessionState& state, bool withSummary,
                        const std::string& decimalSeparator = ".");

// The system name: a blank, then "-" + name for each of the set's components (" -A-B").
std::string systemName(const SessionState& state);

}  // namespace bubblix
