#pragma once
// bubblix-cli adequacy --params FILE.dat [--lang en|ru] [--json]
//
// The adequacy check of a binary parameter set against the pair's experimental data, as a
// session writes it after loading the file: the report heading, the table (boiling
// temperature at the data's pressure, pressure at the data's temperature, compositions and
// activity coefficients per point) and the summary of root-mean-square errors. With --json:
//   {"rows": [{"t_c", "p_mmhg", "x1", "x1_mass", "y1", "y1_mass", "gamma1", "gamma2"}],
//    "e_yT", "e_yP", "e_T", "e_P", "complete"}
// with compositions as fractions (mole or mass) of the first component, e_yT and e_yP in mole
// fractions, e_T in degC and e_P in mm Hg. A point that cannot be calculated ends the table
// with a message (its rows so far are written, the errors are null) and exit status 1.

#include <string>

#include "cli/cli_common.h"

namespace CLI {
class App;
}

namespace bubblix::cli {

struct AdequacyCommandOptions {
  std::string Params;
  UserDataOptions UserData;  // --library, --data
  std::string Lang = "en";
  bool Json = false;
};

CLI::App* setupAdequacyCommand(CLI::App& app, AdequacyCommandOptions& options);
int runAdequacyCommand(const AdequacyCommandOptions& options, CommandStreams io);

}  // namespace bubblix::cli
