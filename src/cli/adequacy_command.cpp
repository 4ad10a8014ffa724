#include "cli/adequacy_command.h"

#include <CLI/CLI.hpp>

#include "cli/json_output.h"
#include "core/data/database.h"
#include "core/report/report_document.h"
#include "core/session/calculation_session.h"
#include "core/texts/session_texts.h"

namespace bubblix::cli {

namespace {

Json adequacyJson(const AdequacyTable& table, const SessionState& state) {
  Json rows = Json::array();
  for (std::size_t k = 0; k < table.Rows.size(); ++k) {
    const AdequacyRow& row = table.Rows[k];
    const std::string point = "row " + std::to_string(k + 1) + " ";
    Json entry;
    entry["t_c"] = jsonReal(row.TemperatureC, point + "t_c");
    entry["p_mmhg"] = jsonReal(row.PressureMmHg, point + "p_mmhg");
    entry["x1"] = jsonReal(row.X1MolePercent / 100.0L, point + "x1");
    entry["x1_mass"] = jsonReal(row.X1MassPercent / 100.0L, point + "x1_mass");
    entry["y1"] = jsonReal(row.Y1MolePercent / 100.0L, point + "y1");
    entry["y1_mass"] = jsonReal(row.Y1MassPercent / 100.0L, point + "y1_mass");
    entry["gamma1"] = jsonReal(row.Gamma1, point + "gamma1");
    entry["gamma2"] = jsonReal(row.Gamma2, point + "gamma2");
    entry["warnings"] = jsonWarnings(state.Components, 2, state.ParameterSet.ModelCode,
                                     row.TemperatureC, state.InterfaceLanguage);
    rows.push_back(std::move(entry));
  }
  Json document;
  document["rows"] = std::move(rows);
  const auto error = [&](Real value, const char* name) {
    return table.Complete ? jsonReal(value, name) : Json(nullptr);
  };
  document["e_yT"] = error(table.E_yT, "e_yT");
  document["e_yP"] = error(table.E_yP, "e_yP");
  document["e_T"] = error(table.E_T, "e_T");
  document["e_P"] = error(table.E_P, "e_P");
  document["complete"] = table.Complete;
  return document;
}

}  // namespace

CLI::App* setupAdequacyCommand(CLI::App& app, AdequacyCommandOptions& options) {
  CLI::App* command = app.add_subcommand(
      "adequacy", "check a binary parameter set against the pair's experimental data");
  command->add_option("--params", options.Params, "the parameter file (.dat)")
      ->required()
      ->check(existingInput(false));
  addUserDataOptions(*command, options.UserData);
  addLanguageOption(*command, options.Lang);
  command->add_flag("--json", options.Json, "write a JSON object instead of the report");
  return command;
}

int runAdequacyCommand(const AdequacyCommandOptions& options, CommandStreams io) {
  const Language lang = languageOf(options.Lang);
  const Database db = loadUserData(options.UserData);
  LoadedSet loaded = loadParameterSet(options.Params, lang, db);
  requireBinary(loaded);
  SessionState& state = loaded.State;
  const AdequacyTable table = checkAdequacy(state, db);

  if (options.Json) {
    writeJson(io.out, adequacyJson(table, state));
  } else {
    LineListReport report;
    report.append(render(bubblix::texts::kSessionHeading, lang, {loaded.File.MethodName}));
    writeAdequacyTable(report, table, state, true);
    printLines(io.out, report.lines());
  }
  if (!table.Complete) {
    printError(io.err, render(bubblix::texts::kAdequacyPointFailed, lang,
                              {std::to_string(table.FailedPoint), table.FailureMessage}));
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace bubblix::cli
