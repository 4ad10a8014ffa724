#include "cli/azeotrope_command.h"

#include <CLI/CLI.hpp>

#include "cli/json_output.h"
#include "core/analysis/binary_analysis.h"
#include "core/data/database.h"

namespace bubblix::cli {

namespace {

Json summaryJson(const AzeotropeSummary& summary, const Mixture& mixture, Model model,
                 Language lang) {
  Json document;
  if (summary.azeotrope) {
    const auto& a = *summary.azeotrope;
    document["azeotrope"] = {{"t_c", jsonReal(a.t_c, "azeotrope t_c")},
                             {"p_mmhg", jsonReal(a.p_mmhg, "azeotrope p_mmhg")},
                             {"x1", jsonReal(a.x1, "azeotrope x1")},
                             {"warnings", jsonWarnings(mixture, 2, model, a.t_c, lang)}};
  } else {
    document["azeotrope"] = nullptr;
  }
  if (summary.liquid_split) {
    const auto& split = *summary.liquid_split;
    document["liquid_split"] = {{"x1_from", jsonReal(split.x1_from, "liquid_split x1_from")},
                                {"x1_to", jsonReal(split.x1_to, "liquid_split x1_to")}};
  } else {
    document["liquid_split"] = nullptr;
  }
  return document;
}

}  // namespace

CLI::App* setupAzeotropeCommand(CLI::App& app, AzeotropeCommandOptions& options) {
  CLI::App* command = app.add_subcommand(
      "azeotrope", "azeotropes and liquid split of a binary parameter set at the data's pressure");
  command->add_option("--params", options.Params, "the parameter file (.dat)")
      ->required()
      ->check(existingInput(false));
  addUserDataOptions(*command, options.UserData);
  addLanguageOption(*command, options.Lang);
  command->add_flag("--json", options.Json, "write a JSON object instead of the report lines");
  return command;
}

int runAzeotropeCommand(const AzeotropeCommandOptions& options, CommandStreams io) {
  const Language lang = languageOf(options.Lang);
  const Database db = loadUserData(options.UserData);
  const LoadedSet loaded = loadParameterSet(options.Params, lang, db);
  requireBinary(loaded);
  const TParameterSet& set = loaded.State.ParameterSet;
  const Mixture mixture = binaryMixture(db, set, lang);
  const BinaryEquilibrium equilibrium(mixture, set);
  const BinaryAnalysis analysis =
      analyseBinary(db, equilibrium, Condition::atPressure(dataSetPressure(db, set)));
  if (options.Json) {
    writeJson(io.out, summaryJson(summarize(analysis), mixture, set.ModelCode, lang));
  } else {
    printLines(io.out, analysisReportLines(analysis, lang));
  }
  return kExitOk;
}

}  // namespace bubblix::cli
