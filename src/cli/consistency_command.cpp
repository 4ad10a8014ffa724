#include "cli/consistency_command.h"

#include <CLI/CLI.hpp>

#include "cli/cli_texts.h"
#include "cli/fit_command.h"
#include "cli/json_output.h"
#include "core/analysis/consistency.h"
#include "core/base/units.h"
#include "core/data/database.h"
#include "core/report/consistency_report.h"

namespace bubblix::cli {

namespace {

const char* verdictKey(Verdict verdict) {
  switch (verdict) {
    case Verdict::Consistent:
      return "consistent";
    case Verdict::Inconsistent:
      return "inconsistent";
    case Verdict::NotApplicable:
      return "not_applicable";
    case Verdict::NotValidTwoLiquids:
      break;
  }
  return "not_valid_two_liquids";
}

Json areaJson(const ConsistencyCheck& check) {
  Json area;
  const bool herington = check.Kind == DataSetKind::Isobaric;
  if (!check.Area) {
    area["D"] = nullptr;
    if (herington) area["J"] = nullptr;
    area["verdict"] = verdictKey(Verdict::NotApplicable);
    return area;
  }
  const AreaTestResult& a = *check.Area;
  area["D"] = jsonReal(a.D, "D");
  if (herington) {
    area["J"] = jsonReal(a.J, "J");
    area["D_minus_J"] = jsonReal(a.D - a.J, "D_minus_J");
  }
  area["verdict"] = verdictKey(a.Result);
  return area;
}

Json pointJson(const ConsistencyCheck& check, Language lang) {
  const PointTestResult& p = check.Point;
  Json point;
  point["m"] = p.Terms;
  if (p.Failure) {
    point["error"] = p.Failure->message(lang);
    point["verdict"] = verdictKey(Verdict::NotApplicable);
    return point;
  }
  point["coefficients"] = jsonReals(p.Coefficients, "coefficients");
  point["mean_abs_dy"] = jsonReal(p.MeanAbsDy, "mean_abs_dy");
  if (p.FitsPressures) {
    point["mean_abs_dp"] = jsonReal(paToMmHg(p.MeanAbsDp), "mean_abs_dp");
  } else {
    point["mean_abs_dt"] = jsonReal(p.MeanAbsDt, "mean_abs_dt");
  }
  point["durbin_watson"] = p.DurbinWatson ? jsonReal(*p.DurbinWatson, "durbin_watson") : Json();
  point["verdict"] = verdictKey(check.PointVerdict);
  return point;
}

Json consistencyJson(const ConsistencyCheck& check, Language lang) {
  Json document;
  document["components"] = {check.Components[0], check.Components[1]};
  document["kind"] = std::string(dataSetKindName(check.Kind));
  document["points"] = check.PointCount;
  document["points_used"] = check.Gammas.size();
  document[check.Kind == DataSetKind::Isobaric ? "herington" : "redlich_kister"] = areaJson(check);
  document["point_test"] = pointJson(check, lang);
  Json ends = Json::array();
  for (const EndPointCheck& e : check.Plausibility.EndPoints) {
    Json end;
    end["x1"] = jsonReal(e.x1, "x1");
    if (e.Pressure) {
      end["p_mmhg"] = jsonReal(paToMmHg(e.Measured), "p_mmhg");
      end["p_mmhg_pure"] = jsonReal(paToMmHg(e.Pure), "p_mmhg_pure");
      end["difference"] = jsonReal(paToMmHg(e.difference()), "difference");
    } else {
      end["t_c"] = jsonReal(celsiusFromTau(e.Measured), "t_c");
      end["t_c_pure"] = jsonReal(celsiusFromTau(e.Pure), "t_c_pure");
      end["difference"] = jsonReal(e.difference() * kZeroCelsiusK, "difference");
    }
    ends.push_back(std::move(end));
  }
  document["end_points"] = std::move(ends);
  Json warnings = Json::array();
  for (const DataWarning& w : check.Plausibility.Warnings)
    warnings.push_back(warningText(w, lang));
  document["warnings"] = std::move(warnings);
  return document;
}

}  // namespace

CLI::App* setupConsistencyCommand(CLI::App& app, ConsistencyCommandOptions& options) {
  CLI::App* command = app.add_subcommand(
      "consistency",
      "thermodynamic consistency tests of a pair's built-in or loaded equilibrium data");
  command
      ->add_option("--components", options.Components,
                   "the pair's database numbers, component 1 first, e.g. 1,2")
      ->required();
  command->add_option("--m", options.Terms, "terms of the point test's Legendre series")
      ->check(CLI::Range(1, 5))
      ->capture_default_str();
  addUserDataOptions(*command, options.UserData);
  addLanguageOption(*command, options.Lang);
  command->add_flag("--json", options.Json, "write a JSON object instead of the report lines");
  return command;
}

int runConsistencyCommand(const ConsistencyCommandOptions& options, CommandStreams io) {
  const Language lang = languageOf(options.Lang);
  const Database db = loadUserData(options.UserData);
  const std::vector<int> pair =
      parseComponentsInOrder(options.Components, static_cast<int>(db.ComponentBase.size()));
  if (pair.size() != 2) throw UsageError(texts::kComponentPair, {std::to_string(pair.size())});
  // A loaded set of the pair is tested like a built-in one.
  const EquilibriumDataSet set = pairEquilibriumData(db, pair[0], pair[1]);
  const Mixture mixture = dataSetMixture(db, set, lang);
  const ConsistencyCheck check = checkConsistency(mixture, set, options.Terms);
  if (options.Json) {
    writeJson(io.out, consistencyJson(check, lang));
  } else {
    printLines(io.out, consistencyReportLines(
                           check, {mixture.ComponentNames[0], mixture.ComponentNames[1]}, lang));
  }
  return kExitOk;
}

}  // namespace bubblix::cli
