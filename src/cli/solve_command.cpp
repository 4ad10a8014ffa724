#include "cli/solve_command.h"

#include <CLI/CLI.hpp>
#include <filesystem>
#include <span>

#include "cli/cli_texts.h"
#include "cli/json_output.h"
#include "core/base/units.h"
#include "core/io/file_errors.h"
#include "core/io/input_file.h"
#include "core/io/run_files.h"
#include "core/models/batch_solve.h"
#include "core/report/report_document.h"
#include "core/session/equilibrium_dialogue.h"
#include "core/texts/batch_texts.h"
#include "core/texts/file_texts.h"
#include "core/texts/session_texts.h"

namespace bubblix::cli {

namespace {

namespace core_texts = bubblix::texts;

// The note and the table header that the equilibrium dialogue writes above its rows.
std::string equilibriumTableHeader(const SessionState& state) {
  const Language lang = state.InterfaceLanguage;
  const int n = state.ParameterSet.ComponentCount;
  std::string header(core_texts::kEquilibriumHeader.in(lang));
  for (int c = 0; c < n; ++c) {
    const std::string& name = state.Components.ComponentNames[static_cast<std::size_t>(c)];
    header += "     " + name + "      " + name + " ";
  }
  header += "\r\n";
  header += core_texts::kEquilibriumUnitLine.in(lang);
  header += "      ";
  for (int c = 0; c < n; ++c) {
    header += " ";
    header += core_texts::kEquilibriumPhaseLabel.in(lang);
  }
  return std::string(core_texts::kMolarPercentNote.in(lang)) + "\r\n" + header;
}

Json pointJson(const SessionState& state) {
  const auto n = static_cast<std::size_t>(state.ParameterSet.ComponentCount);
  Json document;
  document["t_c"] = jsonReal(celsiusFromTau(state.Tau), "t_c");
  document["p_mmhg"] = jsonReal(paToMmHg(state.Pressure), "p_mmhg");
  document["x"] = jsonReals(std::span(state.LiquidX.data(), n), "x");
  document["y"] = jsonReals(std::span(state.VapourY.data(), n), "y");
  document["gamma"] = jsonReals(std::span(state.Gamma.data(), n), "gamma");
  document["warnings"] =
      jsonWarnings(state.Components, static_cast<int>(n), state.ParameterSet.ModelCode,
                   celsiusFromTau(state.Tau), state.InterfaceLanguage);
  return document;
}

int solveOnePoint(const SolveCommandOptions& options, CommandStreams io) {
  if (!options.Out.empty()) throw UsageError(texts::kOutWithoutBatch);
  const std::pair<const std::string*, const char*> required[] = {
      {&options.Task, "--task"},
      {&options.Phase, "--phase"},
      {&options.Value, "--value"},
      {&options.Composition, "--composition"}};
  for (const auto& [value, name] : required) {
    if (value->empty()) throw UsageError(texts::kPointOptionMissing, {name});
  }
  const Real value = parseNumber(options.Value, "--value");
  const std::vector<Real> percents = parseNumberList(options.Composition, "--composition");

  const Language lang = languageOf(options.Lang);
  const Database db = loadUserData(options.UserData);
  LoadedSet loaded = loadParameterSet(options.Params, lang, db);
  SessionState& state = loaded.State;
  const int n = state.ParameterSet.ComponentCount;
  if (static_cast<int>(percents.size()) != n - 1) {
    throw UsageError(texts::kCompositionCount,
                     {std::to_string(percents.size()), std::to_string(n), std::to_string(n - 1)});
  }
  // The letters the dialogue passes: 't' boiling temperature, 'P' pressure; 'y' the liquid
  // composition given, 'x' the vapour composition.
  const EquilibriumEntry entry{options.Task == "T" ? 't' : 'P',
                               options.Phase == "liquid" ? 'y' : 'x', value, percents};
  const YesNoQuestion inversionMessage = [&](const Text& message) {
    echoMessage(io.err, MessageKind::Error, std::string(message.in(lang)), lang);
    return false;
  };
  solveEquilibriumPoint(entry, state, inversionMessage);

  if (options.Json) {
    writeJson(io.out, pointJson(state));
  } else {
    LineListReport report;
    report.append(equilibriumTableHeader(state));
    report.append(equilibriumRow(state));
    for (const std::string& line : equilibriumWarningLines(state))
      report.append(line);
    printLines(io.out, report.lines());
  }
  return kExitOk;
}

// --batch: the points of a CSV file through solveBatch, the rows to standard output or --out.
int solveManyPoints(const SolveCommandOptions& options, CommandStreams io) {
  for (const std::string* value :
       {&options.Task, &options.Phase, &options.Value, &options.Composition}) {
    if (!value->empty()) throw UsageError(texts::kBatchNeedsNoPoint);
  }
  if (options.Json) throw UsageError(texts::kJsonWithBatch);
  std::error_code ignored;
  if (!options.Out.empty() && options.Batch != kStandardInputName &&
      std::filesystem::equivalent(options.Batch, options.Out, ignored)) {
    throw UsageError(texts::kBatchSameFile, {options.Out});
  }

  const Language lang = languageOf(options.Lang);
  const Database db = loadUserData(options.UserData);
  LoadedSet loaded = loadParameterSet(options.Params, lang, db);
  RunFiles& files = loaded.State.Files;
  InputFile in(options.Batch, core_texts::kFileNotRead);
  if (in.isStandardInput()) {
    files.noteStandardInputRead(FileRole::BatchInput);
  } else {
    files.noteRead(options.Batch, FileRole::BatchInput);
  }

  BatchSummary summary;
  const auto solve = [&](std::ostream& out) {
    try {
      summary =
          solveBatch(in.stream(), out, loaded.State.ParameterSet, loaded.State.Components, lang);
    } catch (const FileError& error) {
      // The batch names the line; the file and the system's reason are known here.
      if (&error.text() != &core_texts::kBatchReadFailed || in.readError() == 0) throw;
      throwFileError(texts::kBatchInputReadFailed, {options.Batch, error.args().at(0)},
                     {in.readError(), std::generic_category()});
    }
  };
  if (options.Out.empty()) {
    solve(io.out);
  } else {
    // The rows go to a temporary file that takes the name only when the whole batch is
    // written: a batch refused at its header, a full disk or SIGTERM leave OUT and its
    // back-up copy as they were.
    files.save(options.Out, FileRole::BatchOutput, solve);
  }
  if (summary.Failed > 0) {
    printError(io.err, render(texts::kBatchPointsFailed, lang,
                              {std::to_string(summary.Failed), std::to_string(summary.Points)}));
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace

CLI::App* setupSolveCommand(CLI::App& app, SolveCommandOptions& options) {
  CLI::App* command = app.add_subcommand(
      "solve", "one bubble or dew point of a parameter set, or a CSV file of points");
  command->add_option("--params", options.Params, "the parameter file (.dat)")
      ->required()
      ->check(existingInput(false));
  command
      ->add_option("--task", options.Task,
                   "T: temperature at a given pressure; P: pressure at a given temperature")
      ->transform(CLI::IsMember({"T", "P"}, CLI::ignore_case));
  command
      ->add_option("--phase", options.Phase,
                   "liquid: the liquid composition is given (bubble point); vapour: the "
                   "vapour composition (dew point)")
      ->transform(CLI::CheckedTransformer(
          std::map<std::string, std::string>{
              {"liquid", "liquid"}, {"vapour", "vapour"}, {"vapor", "vapour"}},
          CLI::ignore_case));
  command->add_option("--value", options.Value,
                      "the pressure in mm Hg (task T) or the "
                      "temperature in degC (task P)");
  command->add_option("--composition", options.Composition,
                      "mole percents of components 1..n-1, comma-separated (the last "
                      "component is the rest to 100)");
  command
      ->add_option("--batch", options.Batch,
                   "a CSV file of points, one per line (- reads standard input)")
      ->check(existingInput(true));
  command->add_option("--out", options.Out, "--batch: write the results to this CSV file");
  addUserDataOptions(*command, options.UserData);
  addLanguageOption(*command, options.Lang);
  command->add_flag("--json", options.Json, "write a JSON object instead of the report row");
  return command;
}

int runSolveCommand(const SolveCommandOptions& options, CommandStreams io) {
  return options.Batch.empty() ? solveOnePoint(options, io) : solveManyPoints(options, io);
}

}  // namespace bubblix::cli
