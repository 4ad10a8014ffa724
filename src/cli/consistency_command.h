#pragma once
// bubblix-cli consistency --components I,J [--m 3] [--library FILE.json] [--data FILE.csv ...]
//                         [--lang en|ru] [--json]
//
// The thermodynamic consistency tests of the built-in (or loaded, --data) equilibrium data of
// the pair I, J
// (component 1 is I): the area test of the set's kind, the point test with a Legendre series
// of m terms (1 to 5), the end points and the plausibility warnings. Output: the report
// lines, or with --json
//   {"components": [I, J], "kind": "isobaric"|"isothermal"|"mixed", "points": N,
//    "points_used": n,
//    "herington": {"D", "J", "D_minus_J", "verdict"}        (isobaric sets)
//    "redlich_kister": {"D", "verdict"}                      (the others; mixed: not_applicable)
//    "point_test": {"m", "coefficients", "mean_abs_dy", "mean_abs_dt" (K) or
//                   "mean_abs_dp" (mm Hg), "durbin_watson", "verdict"},
//    "end_points": [{"x1", "t_c", "t_c_pure", "difference"} or
//                   {"x1", "p_mmhg", "p_mmhg_pure", "difference"}, ...],
//    "warnings": ["...", ...]}
// with verdict one of "consistent", "inconsistent", "not_applicable", "not_valid_two_liquids".

#include <string>

#include "cli/cli_common.h"

namespace CLI {
class App;
}

namespace bubblix::cli {

struct ConsistencyCommandOptions {
  std::string Components;
  int Terms = 3;
  UserDataOptions UserData;  // --library, --data
  std::string Lang = "en";
  bool Json = false;
};

CLI::App* setupConsistencyCommand(CLI::App& app, ConsistencyCommandOptions& options);
int runConsistencyCommand(const ConsistencyCommandOptions& options, CommandStreams io);

}  // namespace bubblix::cli
