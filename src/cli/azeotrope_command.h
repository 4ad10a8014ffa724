#pragma once
// bubblix-cli azeotrope --params FILE.dat [--lang en|ru] [--json]
//
// The azeotropes of a binary parameter set and the composition ranges where the model splits
// the liquid into two phases, along the bubble curve at the pressure of the pair's
// experimental data set (760 mm Hg when the pair has none). Output: the analysis's report
// lines, or with --json
//   {"azeotrope": null or {"t_c", "p_mmhg", "x1"},
//    "liquid_split": null or {"x1_from", "x1_to"}}
// (the first azeotrope; the overall range of liquid split), with mole fractions of the set's
// first component.

#include <string>

#include "cli/cli_common.h"

namespace CLI {
class App;
}

namespace bubblix::cli {

struct AzeotropeCommandOptions {
  std::string Params;
  UserDataOptions UserData;  // --library, --data
  std::string Lang = "en";
  bool Json = false;
};

CLI::App* setupAzeotropeCommand(CLI::App& app, AzeotropeCommandOptions& options);
int runAzeotropeCommand(const AzeotropeCommandOptions& options, CommandStreams io);

}  // namespace bubblix::cli
