#pragma once
// bubblix-cli data [--library FILE.json] [--data FILE.csv ...] [--lang en|ru] [--json]
//
// Reads the user's own data as the other commands do and summarises what is loaded: the
// library's components (database number, names, molar mass, boiling temperature at 760 mm Hg
// from the vapour-pressure constants, groups) and each data set (its pair, points, the ranges
// of t and P, and its end points - the lowest and highest x1 - against the vapour pressure of
// the component they are richest in, so that a set named in the wrong order or in other
// pressure units shows at once). A file that breaks a rule is refused with its line and field.
//
// Output: lines, or with --json
//   {"components": [{"number", "name", "name_ru", "molar_mass", "boiling_t_c", "groups"}],
//    "sets": [{"file", "components": [n, n], "points", "t_c": [min, max],
//              "p_mmhg": [min, max], "ends": [{"x1", "t_c", "p_mmhg", "component",
//              "psat_mmhg", "deviation_percent"}]}]}

#include <string>

#include "cli/cli_common.h"

namespace CLI {
class App;
}

namespace bubblix::cli {

struct DataCommandOptions {
  UserDataOptions UserData;
  std::string Lang = "en";
  bool Json = false;
};

CLI::App* setupDataCommand(CLI::App& app, DataCommandOptions& options);
int runDataCommand(const DataCommandOptions& options, CommandStreams io);

}  // namespace bubblix::cli
