#pragma once
// bubblix-cli fit --model wilson|nrtl|uniquac|unifac --components 1,2[,3[,4]]
//                 [--library FILE.json] [--data FILE.csv ...] [--unifac-variant 1|2] [--literature]
//                 [--save FILE.dat] [--max-retries N]
//                 [--iteration-limit N] [--lang en|ru] [--json]
//                 [--objective y1|y|bubble|ml] [--sigma t=..,p=..,x=..,y=..]
//                 [--fix [I-J:]NAME=V ...] [--bound [I-J:]NAME=LO:HI ...]  (objective_options.h)
//
// The parameter-fitting session without questions: its answers come from the options. The
// components are taken in ascending order, as the component dialog ticks them. UNIFAC asks
// its variant (--unifac-variant, 1 by default) and, for variant 1, whether to take the
// literature group values instead of fitting (--literature). When the gradient method
// converges slowly (it asks after every --iteration-limit iterations, 3000 by default) its
// question is answered Retry at most --max-retries times (3 by default), then Abort, so that a
// fit always ends. With --save the parameter file is written (an old
// file is kept as its .bak copy). The components 5.. are those of --library; the loaded data
// sets (--data) take the place of their pairs' built-in data. A pair without built-in or
// loaded data cannot be answered here: its parameters are entered by hand in a session.
//
// Output: the report of the fitting session, or with --json
//   {"model", "components": [database numbers], "unifac_variant": 1|2|null,
//    "literature": bool, "saved": path|null,
//    "pairs": [{"i", "j", "labels", "params" (reduced), "display" (kJ/mol, alpha or K),
//               "rms", "iterations"}]}
// with i, j the 1-based mixture positions of the pair; rms and iterations are null for
// parameters that were not fitted. With an objective other than y1 each fitted pair has also
//   "objective", "chi2", "dof", "rms_t_c", "rms_p_mmhg", "rms_y1" (null where not defined),
//   "std_errors", "ci95" ([lo, hi]; reduced), "display_std_errors", "display_ci95" (the
//   result line's units; null for a fixed, bounded or undetermined parameter),
//   "condition", "determined", "correlation" (null when not determined), and "points":
//   [{"x1", "t_c", "t_calc_c", "p_mmhg", "p_calc_mmhg", "y1", "y1_calc", "gamma1_data",
//     "gamma2_data", "gamma1_model", "gamma2_model", "residuals"}];
// "rms" is then E = sqrt(S / N) of the y1 sum at the new parameters and "iterations" the
// Levenberg-Marquardt iterations.

#include <string>

#include "cli/cli_common.h"
#include "cli/objective_options.h"
#include "core/numerics/gradient_minimizer.h"

namespace CLI {
class App;
}

namespace bubblix::cli {

struct FitCommandOptions {
  std::string Model;       // wilson, nrtl, uniquac, unifac
  std::string Components;  // "1,2[,3[,4]]"
  int UnifacVariant = 0;   // 0: not given
  bool Literature = false;
  std::string Save;  // empty: no parameter file
  int MaxRetries = 3;
  int IterationLimit = kDefaultIterationLimit;
  UserDataOptions UserData;  // --library, --data
  std::string Lang = "en";
  bool Json = false;
  ObjectiveCommandOptions Objective;
};

CLI::App* setupFitCommand(CLI::App& app, FitCommandOptions& options);
int runFitCommand(const FitCommandOptions& options, CommandStreams io);

// The database numbers of --components: 2 to 4 distinct numbers 1..count, ascending. Throws
// UsageError naming the value.
std::vector<int> parseComponents(const std::string& text, int count = kBuiltInComponents);
// The same numbers in the order written.
std::vector<int> parseComponentsInOrder(const std::string& text, int count = kBuiltInComponents);

}  // namespace bubblix::cli
