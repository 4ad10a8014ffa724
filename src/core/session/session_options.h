#pragma once
// What the front end tells a session besides its dialogs, report, state and data, and how a
// session ended.
//
// The experimental data the sessions fit to and check adequacy against come from the
// Database passed to them: a pair counts as having data when the database holds a set with
// points and a pressure for it, so a front end or a test can hand in a copy in which a pair
// has none.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/base/real.h"
#include "core/fitting/objective_fit.h"
#include "core/numerics/gradient_minimizer.h"

namespace bubblix {

// A limit of a fitted parameter, named by its label of the result line ("l12-l11", "alp12",
// "a0[1,5]", "a[1A,5A]"; compared without regard to case), values in the result line's units
// (kJ/mol, K for UNIFAC, alpha as it is).
struct ParameterConstraint {
  std::optional<std::array<int, 2>> Pair;  // database numbers of the pair; none: every pair
  std::string Label;
  std::optional<Real> Fixed;
  std::optional<Real> Lower;
  std::optional<Real> Upper;
};

// The objective of the fits and its controls. Y1, the default, is the gradient method's; the
// others refit every pair with data from the Y1 result (core/fitting/objective_fit.h).
struct ObjectiveOptions {
  FitObjective Objective = FitObjective::Y1;
  FitSigmas Sigmas;
  std::vector<ParameterConstraint> Constraints;
};

struct SessionOptions {
  // Decimal separator of the numbers written into the report: "." in bubblix-cli, the system
  // locale's in the desktop program (the one its grids read).
  std::string DecimalSeparator = ".";
  // Iterations of the gradient method after which it asks whether to go on.
  std::uint16_t IterationLimit = kDefaultIterationLimit;
  ObjectiveOptions Objective;
};

enum class SessionOutcome : std::uint8_t {
  Completed,      // the session ran to its end
  Stopped,        // the user left before the end: the component dialog's close box (quietly,
                  // no message), the model dialog's Exit, or nothing to load
  Failed,         // an error ended the session; its message has been shown
  QuitRequested,  // the user chose to end the program: the front end closes as by its Exit
};

struct SessionResult {
  SessionOutcome Outcome = SessionOutcome::Completed;
  std::string Message;  // Stopped, Failed: the message shown (in the interface language), if any
  // A file the session was to save (the parameter file) could not be written; its message
  // has been shown and the session went on with the set in memory.
  bool SaveFailed = false;
};

}  // namespace bubblix
