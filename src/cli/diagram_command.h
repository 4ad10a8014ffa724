#pragma once
// bubblix-cli diagram ARGS...
//
// The phase diagrams are drawn by a separate program, bubblix-diagram, built with Qt, so
// that the other commands start without loading Qt. This command replaces bubblix-cli by
// bubblix-diagram from the same folder, with the same arguments (everything after
// "diagram"); when that program is not there it says so and returns kExitFailed.

#include <string>

#include "cli/cli_common.h"

namespace bubblix::cli {

inline constexpr const char* kDiagramProgram = "bubblix-diagram";

// The path of bubblix-diagram beside the running bubblix-cli ("" when the running program's
// own path cannot be found).
std::string diagramProgramPath();

// Execs bubblix-diagram with argv[0..argc) after its own name; returns only when it cannot,
// after a message in the language of a --lang option among the arguments.
int runDiagramCommand(int argc, char** argv, std::ostream& err);

}  // namespace bubblix::cli
