// bubblix-cli: the calculations of Bubblix from the command line. Each command lives in its
// own file (session, fit, adequacy, solve, gamma, azeotrope, consistency, data, diagram): its
// options in a plain struct, a function that sets them up on the parser and one that runs the
// command.
//
// Exit status: 0 success; 1 a calculation, file, answer-script or data error; 2 a wrong
// command line. Every error is one message on standard error.

#include <CLI/CLI.hpp>
#include <iostream>
#include <string_view>
#include <utility>

#include "cli/adequacy_command.h"
#include "cli/azeotrope_command.h"
#include "cli/cli_common.h"
#include "cli/cli_texts.h"
#include "cli/consistency_command.h"
#include "cli/data_command.h"
#include "cli/diagram_command.h"
#include "cli/fit_command.h"
#include "cli/gamma_command.h"
#include "cli/session_command.h"
#include "cli/solve_command.h"
#include "core/io/temporary_files.h"

namespace {

using namespace bubblix::cli;

struct Commands {
  SessionCommandOptions Session;
  FitCommandOptions Fit;
  AdequacyCommandOptions Adequacy;
  SolveCommandOptions Solve;
  GammaCommandOptions Gamma;
  AzeotropeCommandOptions Azeotrope;
  ConsistencyCommandOptions Consistency;
  DataCommandOptions Data;
};

// Standard output that could not be written (a full disk) is a failure, not a success.
int checkedOutput(int status, bubblix::Language lang) {
  std::cout.flush();
  if (!std::cout) {
    printError(std::cerr, render(texts::kOutputNotWritten, lang));
    return status == kExitOk ? kExitFailed : status;
  }
  return status;
}

int run(int argc, char** argv) {
  // The diagram program takes the rest of the command line as it is.
  if (argc >= 2 && std::string_view(argv[1]) == "diagram") {
    return runDiagramCommand(argc - 2, argv + 2, std::cerr);
  }

  CLI::App app{"bubblix-cli: vapour-liquid equilibrium calculations of Bubblix"};
  app.require_subcommand(1);
  Commands commands;
  CLI::App* session = setupSessionCommand(app, commands.Session);
  CLI::App* fit = setupFitCommand(app, commands.Fit);
  CLI::App* adequacy = setupAdequacyCommand(app, commands.Adequacy);
  CLI::App* solve = setupSolveCommand(app, commands.Solve);
  CLI::App* gamma = setupGammaCommand(app, commands.Gamma);
  CLI::App* azeotrope = setupAzeotropeCommand(app, commands.Azeotrope);
  CLI::App* consistency = setupConsistencyCommand(app, commands.Consistency);
  CLI::App* data = setupDataCommand(app, commands.Data);
  app.add_subcommand("diagram",
                     "draw the phase diagrams (runs bubblix-diagram with the same arguments)");

  // A misspelt command would otherwise be reported as a missing one.
  if (argc >= 2 && argv[1][0] != '-') {
    const std::string name = argv[1];
    const auto subcommands =
        std::as_const(app).get_subcommands([](const CLI::App*) { return true; });
    std::string names;
    bool known = false;
    for (const CLI::App* command : subcommands) {
      known = known || command->get_name() == name;
      names += (names.empty() ? "" : ", ") + command->get_name();
    }
    if (!known) {
      printError(std::cerr,
                 render(texts::kUnknownCommand, bubblix::Language::English, {name, names}));
      return kExitUsage;
    }
  }

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    const int status = app.exit(error);  // prints the help or the message
    return status == 0 ? kExitOk : kExitUsage;
  }

  const CommandStreams io{std::cout, std::cerr};
  const auto run = [&](const std::string& lang, auto command, const auto& options) {
    const bubblix::Language language = languageOf(lang);
    return checkedOutput(runCommand(language, std::cerr, [&] { return command(options, io); }),
                         language);
  };
  if (session->parsed()) return run(commands.Session.Lang, runSessionCommand, commands.Session);
  if (fit->parsed()) return run(commands.Fit.Lang, runFitCommand, commands.Fit);
  if (adequacy->parsed()) {
    return run(commands.Adequacy.Lang, runAdequacyCommand, commands.Adequacy);
  }
  if (solve->parsed()) return run(commands.Solve.Lang, runSolveCommand, commands.Solve);
  if (gamma->parsed()) return run(commands.Gamma.Lang, runGammaCommand, commands.Gamma);
  if (azeotrope->parsed()) {
    return run(commands.Azeotrope.Lang, runAzeotropeCommand, commands.Azeotrope);
  }
  if (consistency->parsed()) {
    return run(commands.Consistency.Lang, runConsistencyCommand, commands.Consistency);
  }
  if (data->parsed()) return run(commands.Data.Lang, runDataCommand, commands.Data);
  return kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
  // A file-size limit, SIGINT or SIGTERM never leave a half-written file or a temporary one.
  bubblix::installFileSignalHandlers();
  // The commands turn their errors into messages; this is the last guard (the parser itself
  // running out of memory), so that the program never ends without one.
  try {
    return run(argc, argv);
  } catch (const std::exception& error) {
    printError(std::cerr,
               render(texts::kUnexpectedFailure, bubblix::Language::English, {error.what()}));
  } catch (...) {
    printError(std::cerr, render(texts::kUnexpectedFailure, bubblix::Language::English, {"?"}));
  }
  return kExitFailed;
}
