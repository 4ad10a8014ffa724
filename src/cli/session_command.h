#pragma once
// bubblix-cli session --answers FILE [--lang en|ru] [--report OUT.txt]
//
//                       [--objective y1|y|bubble|ml] [--sigma ..] [--fix ..] [--bound ..]
//
// One whole calculation session (what the desktop program's Run button starts) with every
// question answered by the next line of the answer script FILE. The report goes to standard
// output and, with --report, to a report file (UTF-8, CR LF, the old file kept as its back-up
// copy). Messages with only an OK button go to standard error. When the script does not fit
// the session (a wrong answer, no answer left) the session stops with a message naming the
// line and the question, and the report written so far is still printed and saved; a report
// without a line is not saved (the file stays as it was). FILE "-" reads the script from
// standard input. The report file is refused when it is the script, a parameter file the
// session loaded or saved, or shares its back-up name with one (run_files.h). A parameter
// file the session could not save ends the command with exit status 1.

#include <string>

#include "cli/cli_common.h"
#include "cli/objective_options.h"

namespace CLI {
class App;
}

namespace bubblix::cli {

struct SessionCommandOptions {
  std::string Answers;
  UserDataOptions UserData;  // --library, --data
  std::string Lang = "en";
  std::string Report;                 // empty: no report file
  ObjectiveCommandOptions Objective;  // --objective, --sigma, --fix, --bound of the fits
};

CLI::App* setupSessionCommand(CLI::App& app, SessionCommandOptions& options);
int runSessionCommand(const SessionCommandOptions& options, CommandStreams io);

}  // namespace bubblix::cli
