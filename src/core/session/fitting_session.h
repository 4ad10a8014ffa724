#pragma once
// The parameter-fitting session: for the components of the state's selection (SelectedCount,
// SelectedComponents, ascending database numbers) it asks the model and determines the
// interaction parameters of every pair (1,2), (1,3), ..., (n-1,n):
//   - a pair with experimental data: fitted to the data by the gradient method, the progress
//     line kept below the pair's heading;
//   - a pair without data: the user chooses - enter the parameters in a grid, end the
//     program, or take the literature values (UNIFAC) / start again with UNIFAC (the others).
// UNIFAC asks its variant (main groups only, or subgroups) and, for variant 1, whether to take
// the literature group values for the whole mixture instead. Every heading and result goes to
// the report; parameters are stored reduced (a = Delta / (R 273.15 K)) and shown in kJ/mol
// (UNIFAC: K). At the end the set can be saved as a parameter file.
//
// Fills the state's ParameterSet, FittedModel, mixture (Components) and DataMissing (for the
// last pair). Errors end the session with an error box; the report keeps its lines. Leaving
// the model dialog by Exit ends the session without fitting (Stopped); the choice to end the
// program gives QuitRequested, without the save question.

#include <optional>
#include <string>
#include <vector>

#include "core/base/real.h"
#include "core/data/database.h"
#include "core/fitting/objective_fit.h"
#include "core/fitting/unifac_group_tables.h"
#include "core/fitting/unifac_start_estimate.h"
#include "core/models/model.h"
#include "core/report/report_document.h"
#include "core/session/dialogs.h"
#include "core/session/session_options.h"
#include "core/session/session_state.h"

namespace bubblix {

enum class ParameterSource : std::uint8_t {
  Fitted,      // fitted to the pair's experimental data
  UserEntry,   // entered by the user
  Literature,  // the literature group values (UNIFAC)
};

// The parameters of one pair as the result line shows them.
struct PairParameters {
  int I = 0;  // mixture positions of the pair, 1-based (I < J)
  int J = 0;
  ParameterSource Source = ParameterSource::Fitted;
  std::vector<std::string> Labels;  // "l12-l11", "alp12", "a0[1,5]", "a[1A,5A]", ...
  std::vector<Real> Values;         // reduced: Delta / (R 273.15 K); alpha as it is
  std::vector<Real> Display;        // as the report shows them: kJ/mol, alpha, or K (UNIFAC)
  Real Rms = 0;                     // fitted: sqrt(S / N) at the fitted parameters
  int Iterations = 0;               // fitted: iterations of the gradient method
  int Points = 0;                   // fitted: experimental points
  // Fitted to an objective other than y1: its result (Values, Rms and Iterations are its own).
  std::optional<ObjectiveFitResult> ObjectiveFit;
  // Fitted, Wilson, NRTL or UNIQUAC, a pair without built-in start values: where the fit
  // started (unifac_start_estimate.h) and the start vector (reduced; NRTL with alpha).
  std::optional<StartSource> Start;
  std::vector<Real> StartValues;
};

struct FittingResult {
  SessionResult Session;
  std::optional<bubblix::Model> Model;  // the model at the end (UNIFAC after a switch to it)
  std::optional<bubblix::UnifacVariant> UnifacVariant;  // UNIFAC only
  bool LiteratureSet = false;         // UNIFAC variant 1 with the literature values for the mixture
  std::vector<PairParameters> Pairs;  // in the order determined (after a switch, UNIFAC's)
  std::optional<std::string> SavedFile;
  // Per constraint of the options: whether it named a parameter of a fitted pair.
  std::vector<bool> ConstraintUsed;
};

// The fitting session on its own (bubblix-cli fit, or a front end's own button). offerToSave:
// ask at the end whether to write the parameter file.
FittingResult runFittingSession(Dialogs& dialogs, ReportDocument& report, SessionState& state,
                                const Database& db, const SessionOptions& options = {},
                                bool offerToSave = true);

namespace session_detail {
struct SessionContext;
// The fitting session inside a running calculation session. Throws SessionStop for Exit and
// for the choice to end the program; other errors propagate.
FittingResult fittingSession(SessionContext& context, bool offerToSave);
}  // namespace session_detail

}  // namespace bubblix
