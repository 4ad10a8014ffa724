#pragma once
// bubblix-cli solve --params FILE.dat --task T|P --phase liquid|vapour --value V
//                   --composition c1[,c2,...] [--lang en|ru] [--json]
// bubblix-cli solve --params FILE.dat --batch IN.csv [--out OUT.csv]
//
// One equilibrium point of the parameter set, as the equilibrium dialogue of a session
// calculates it: task T - the boiling (phase liquid) or condensation (phase vapour)
// temperature at the pressure V in mm Hg; task P - the pressure at the temperature V in degC.
// The composition is the mole percents of components 1..n-1 of the phase given, the last
// component being the rest to 100. The start values and the checks of the entry are the
// dialogue's. Output: the dialogue's table header and row, or with --json
//   {"t_c", "p_mmhg", "x": [...], "y": [...], "gamma": [...]}
// with x and y as mole fractions and gamma as the solver returns it.
//
// With --batch, one point per line of a CSV file with the header task,phase,value,c1,...,c(n-1)
// (core/models/batch_solve.h describes the columns), the results as CSV with the header
// t_c,p_mmhg,x1..xn,y1..yn,gamma1..gamman,error,warning on standard output or in --out (an
// existing file is kept as its back-up copy). A point that cannot be solved gets its message in
// the error column and the batch goes on; the exit status is then 1, with a count on standard
// error. A solved point beyond the property data gets its notes in the warning column.

#include <string>

#include "cli/cli_common.h"

namespace CLI {
class App;
}

namespace bubblix::cli {

struct SolveCommandOptions {
  std::string Params;
  std::string Task;   // T or P
  std::string Phase;  // liquid or vapour
  std::string Value;
  std::string Composition;
  std::string Batch;         // empty: one point from the options
  std::string Out;           // empty: standard output
  UserDataOptions UserData;  // --library, --data
  std::string Lang = "en";
  bool Json = false;
};

CLI::App* setupSolveCommand(CLI::App& app, SolveCommandOptions& options);
int runSolveCommand(const SolveCommandOptions& options, CommandStreams io);

}  // namespace bubblix::cli
