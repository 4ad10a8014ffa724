#pragma once
// The objective options of `fit` and `session`:
//   --objective y1|y|bubble|ml         y1 (the gradient method's sum) by default
//   --sigma t=0.1,p=0.5,x=0.001,y=0.003  measurement uncertainties (K, mm Hg, mole fractions)
//   --fix [I-J:]NAME=V                 hold a parameter at V (repeatable)
//   --bound [I-J:]NAME=LO:HI           bounds of a parameter, either side may be empty
// NAME is a label of the result line (l12-l11, l21-l22, g12-g22, g21-g11, alp12, u12-u22,
// u21-u11, a0[M,N], a[MA,NB]), case ignored; I-J the database numbers of a pair (without it
// the constraint applies to every pair); values in the units of the result line. Every fault
// is a UsageError naming the option and the value.

#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "core/session/session_options.h"

namespace CLI {
class App;
}

namespace bubblix::cli {

struct ObjectiveCommandOptions {
  std::string Objective = "y1";
  std::string Sigma;
  std::vector<std::string> Fix;
  std::vector<std::string> Bound;
};

void addObjectiveOptions(CLI::App& command, ObjectiveCommandOptions& options);

// The options as the session takes them. model: "wilson", "nrtl", "uniquac", "unifac", or empty
// when the session chooses it (any model's labels are taken). componentCount: the numbers a
// pair prefix may name.
ObjectiveOptions parseObjectiveOptions(const ObjectiveCommandOptions& options,
                                       const std::string& model, int componentCount);

// The option text of constraint k of parseObjectiveOptions' list (for a message).
std::string constraintText(const ObjectiveCommandOptions& options, std::size_t k);

}  // namespace bubblix::cli
