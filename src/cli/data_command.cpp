#include "cli/data_command.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cmath>

#include "cli/cli_texts.h"
#include "cli/json_output.h"
#include "core/base/units.h"
#include "core/data/component_library.h"
#include "core/data/mixture_loading.h"
#include "core/data/properties.h"
#include "core/io/number_format.h"

namespace bubblix::cli {
namespace {

struct EndPoint {
  Real x1 = 0;
  Real t = 0;          // degC
  Real p = 0;          // mm Hg
  int component = 0;   // database number of the component the point is richest in
  Real psat = 0;       // mm Hg, its vapour pressure at t
  Real deviation = 0;  // percent, (p - psat) / psat
};

struct SetSummary {
  const LoadedDataSet* Set = nullptr;
  Real tMin = 0, tMax = 0, pMin = 0, pMax = 0;  // degC, mm Hg
  std::vector<EndPoint> Ends;
};

SetSummary summarize(const Database& db, const LoadedDataSet& set, Language lang) {
  SetSummary s;
  s.Set = &set;
  s.tMin = *std::min_element(set.t.begin(), set.t.end());
  s.tMax = *std::max_element(set.t.begin(), set.t.end());
  s.pMin = paToMmHg(*std::min_element(set.P.begin(), set.P.end()));
  s.pMax = paToMmHg(*std::max_element(set.P.begin(), set.P.end()));
  const std::array<std::uint16_t, 2> numbers = {static_cast<std::uint16_t>(set.Components[0]),
                                                static_cast<std::uint16_t>(set.Components[1])};
  const Mixture mixture = loadMixture(db, numbers, lang);
  const auto low = std::min_element(set.x.begin(), set.x.end());
  const auto high = std::max_element(set.x.begin(), set.x.end());
  for (const auto it : {low, high}) {
    const auto k = static_cast<std::size_t>(it - set.x.begin());
    EndPoint e;
    e.x1 = set.x[k];
    e.t = set.t[k];
    e.p = paToMmHg(set.P[k]);
    const int slot = e.x1 >= 0.5L ? 0 : 1;
    e.component = set.Components[static_cast<std::size_t>(slot)];
    e.psat = paToMmHg(SaturationPressure(mixture, slot, tauFromCelsius(e.t)));
    e.deviation = 100.0L * (e.p - e.psat) / e.psat;
    s.Ends.push_back(e);
  }
  return s;
}

std::string number(Real value, int digits = 6) {
  return formatSignificant(value, digits);
}

}  // namespace

CLI::App* setupDataCommand(CLI::App& app, DataCommandOptions& options) {
  CLI::App* command = app.add_subcommand(
      "data", "check a component library and data sets and summarise what they hold");
  addUserDataOptions(*command, options.UserData);
  addLanguageOption(*command, options.Lang);
  command->add_flag("--json", options.Json, "write a JSON object instead of the lines");
  return command;
}

int runDataCommand(const DataCommandOptions& options, CommandStreams io) {
  const Language lang = languageOf(options.Lang);
  const Database db = loadUserData(options.UserData);
  std::vector<SetSummary> sets;
  for (const LoadedDataSet& set : db.LoadedSets)
    sets.push_back(summarize(db, set, lang));
  const auto name = [&](int number) { return componentName(db, number, lang); };

  if (options.Json) {
    Json document;
    Json components = Json::array();
    for (std::size_t k = kBuiltInComponents; k < db.ComponentBase.size(); ++k) {
      const TComponentRecord& c = db.ComponentBase[k];
      Json entry;
      entry["number"] = k + 1;
      entry["name"] = c.EnglishName;
      entry["name_ru"] = c.RussianName;
      entry["molar_mass"] = jsonReal(c.MolarMass, c.EnglishName + " molar_mass");
      entry["boiling_t_c"] = jsonReal(boilingTemperature(c), c.EnglishName + " boiling_t_c");
      entry["groups"] = c.Groups.Count;
      components.push_back(std::move(entry));
    }
    document["components"] = std::move(components);
    Json list = Json::array();
    for (const SetSummary& s : sets) {
      Json entry;
      entry["file"] = s.Set->FileName;
      entry["components"] = {s.Set->Components[0], s.Set->Components[1]};
      entry["points"] = s.Set->t.size();
      entry["t_c"] = {jsonReal(s.tMin, "t_c"), jsonReal(s.tMax, "t_c")};
      entry["p_mmhg"] = {jsonReal(s.pMin, "p_mmhg"), jsonReal(s.pMax, "p_mmhg")};
      Json ends = Json::array();
      for (const EndPoint& e : s.Ends) {
        ends.push_back({{"x1", jsonReal(e.x1, "x1")},
                        {"t_c", jsonReal(e.t, "t_c")},
                        {"p_mmhg", jsonReal(e.p, "p_mmhg")},
                        {"component", e.component},
                        {"psat_mmhg", jsonReal(e.psat, "psat_mmhg")},
                        {"deviation_percent", jsonReal(e.deviation, "deviation_percent")}});
      }
      entry["ends"] = std::move(ends);
      list.push_back(std::move(entry));
    }
    document["sets"] = std::move(list);
    writeJson(io.out, document);
    return kExitOk;
  }

  std::vector<std::string> lines;
  if (db.ComponentBase.size() > kBuiltInComponents) {
    lines.push_back(render(texts::kDataLibraryLine, lang, {db.LibraryFile}));
    for (std::size_t k = kBuiltInComponents; k < db.ComponentBase.size(); ++k) {
      const TComponentRecord& c = db.ComponentBase[k];
      lines.push_back(
          render(texts::kDataComponentLine, lang,
                 {std::to_string(k + 1), c.EnglishName, c.RussianName, number(c.MolarMass),
                  number(boilingTemperature(c), 5), std::to_string(c.Groups.Count)}));
    }
  } else {
    lines.push_back(render(texts::kDataNoLibrary, lang));
  }
  if (sets.empty()) lines.push_back(render(texts::kDataNoSets, lang));
  for (const SetSummary& s : sets) {
    const int a = s.Set->Components[0];
    const int b = s.Set->Components[1];
    lines.push_back(render(texts::kDataSetLine, lang,
                           {s.Set->FileName, name(a), name(b), std::to_string(s.Set->t.size()),
                            number(s.tMin), number(s.tMax), number(s.pMin), number(s.pMax)}));
    for (const EndPoint& e : s.Ends) {
      lines.push_back(render(texts::kDataEndLine, lang,
                             {number(e.x1), number(e.t), number(e.p), name(e.component),
                              number(e.psat), formatFixed(e.deviation, 2)}));
    }
  }
  printLines(io.out, lines);
  return kExitOk;
}

}  // namespace bubblix::cli
