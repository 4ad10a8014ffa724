#pragma once
// bubblix-cli gamma --params FILE.dat --t CELSIUS --x x1,...,xn [--lang en|ru] [--json]
//
// The activity coefficients of the parameter set's model at the temperature t (degC) and the
// liquid mole fractions x1..xn of the set's n components (each in 0..1, adding up to 1 within
// 1e-6). Output: a heading and one line per component, or with --json {"gamma": [...]}.

#include <string>

#include "cli/cli_common.h"

namespace CLI {
class App;
}

namespace bubblix::cli {

struct GammaCommandOptions {
  std::string Params;
  std::string T;
  std::string X;
  UserDataOptions UserData;  // --library, --data
  std::string Lang = "en";
  bool Json = false;
};

CLI::App* setupGammaCommand(CLI::App& app, GammaCommandOptions& options);
int runGammaCommand(const GammaCommandOptions& options, CommandStreams io);

}  // namespace bubblix::cli
