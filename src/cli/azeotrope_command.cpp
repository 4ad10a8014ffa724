#include "cli/azeotrope_command.h"

#include <CLI/CLI.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "cli/json_output.h"
#include "core/analysis/binary_analysis.h"
#include "core/analysis/loaded_set_diagrams.h"
#include "core/base/units.h"
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

// Every loaded set of the pair: an isobaric one with its pressure, an isothermal one with its
// temperature, each with the summary at that condition (or its error); a mixed one by name.
Json loadedSetsJson(const std::vector<LoadedSetCondition>& sets,
                    const std::vector<LoadedSetAnalysis>& analyses, const Mixture& mixture,
                    Model model, Language lang) {
  Json list = Json::array();
  std::size_t next = 0;
  for (const LoadedSetCondition& set : sets) {
    Json entry;
    entry["file"] = set.FileName;
    entry["kind"] = std::string(dataSetKindName(set.Kind));
    if (set.Kind != DataSetKind::Mixed && next < analyses.size()) {
      const LoadedSetAnalysis& a = analyses[next++];
      if (set.At.isobaric()) {
        entry["p_mmhg"] = jsonReal(paToMmHg(set.At.Value), set.FileName + " p_mmhg");
      } else {
        entry["t_c"] = jsonReal(celsiusFromTau(set.At.Value), set.FileName + " t_c");
      }
      if (a.Analysis) {
        const Json summary = summaryJson(summarize(*a.Analysis), mixture, model, lang);
        entry["azeotrope"] = summary["azeotrope"];
        entry["liquid_split"] = summary["liquid_split"];
      } else {
        entry["error"] = a.Error.value_or("");
      }
    }
    list.push_back(std::move(entry));
  }
  return list;
}

}  // namespace

CLI::App* setupAzeotropeCommand(CLI::App& app, AzeotropeCommandOptions& options) {
  CLI::App* command = app.add_subcommand(
      "azeotrope",
      "azeotropes and liquid split of a binary parameter set at the data's pressure, and at the "
      "condition of each loaded set of the pair");
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
  // The pair's loaded sets, each at its own pressure or temperature, as the desktop's diagrams
  // report them.
  const std::vector<LoadedSetCondition> sets = loadedSetConditions(db, set);
  const std::vector<LoadedSetAnalysis> analyses = analyseLoadedSets(db, equilibrium, sets, lang);
  if (options.Json) {
    Json document = summaryJson(summarize(analysis), mixture, set.ModelCode, lang);
    if (!sets.empty()) {
      document["data_sets"] = loadedSetsJson(sets, analyses, mixture, set.ModelCode, lang);
    }
    writeJson(io.out, document);
  } else {
    printLines(io.out, analysisReportLines(analysis, lang));
    printLines(io.out, loadedSetReportLines(analyses, sets, analysis.Diagram.At, lang));
  }
  return kExitOk;
}

}  // namespace bubblix::cli
