#include "cli/fit_command.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <ostream>

#include "cli/cli_texts.h"
#include "cli/json_output.h"
#include "core/base/units.h"
#include "core/data/database.h"
#include "core/models/parameter_file.h"
#include "core/report/report_document.h"
#include "core/session/dialog_rules.h"
#include "core/session/fitting_session.h"
#include "core/texts/parameter_file_texts.h"
#include "core/texts/session_texts.h"

namespace bubblix::cli {

namespace {

namespace core_texts = bubblix::texts;

// The model dialog's Tag of each --model name.
int modelTag(const std::string& model) {
  if (model == "nrtl") return 1;
  if (model == "uniquac") return 2;
  if (model == "unifac") return 3;
  return 0;  // wilson
}

std::string firstLine(const std::string& text) {
  const std::string_view trimmed = trimBlanks(text);
  return std::string(trimBlanks(trimmed.substr(0, trimmed.find_first_of("\r\n"))));
}

// The answers of a fitting session taken from the options. A question that the options do
// not answer throws InputError with its text.
class FitDialogs final : public Dialogs {
 public:
  FitDialogs(const FitCommandOptions& options, Language lang, std::ostream& err)
      : options_(options), lang_(lang), err_(err) {}

  bool abortedAfterRetries() const { return aborted_; }

  VariantAnswer chooseVariant(const VariantRequest& request) override {
    if (request.Prompt == render(core_texts::kUnifacVariantQuestion, lang_)) {
      return {options_.UnifacVariant == 2 ? 1 : 0, 'y'};
    }
    if (request.Prompt == render(core_texts::kLiteratureQuestion, lang_)) {
      return {options_.Literature ? 1 : 0, 'y'};
    }
    if (request.ItemCount == 3) {
      // The three-way question of a pair without experimental data.
      throw InputError(texts::kPairWithoutData, {firstLine(request.Prompt)});
    }
    unexpected(request.FormCaption + ": " + firstLine(request.Prompt));
  }

  ModelAnswer chooseModel(const ModelRequest&) override {
    return {false, modelTag(options_.Model)};
  }

  ComponentAnswer tickComponents(const ComponentRequest& request) override {
    unexpected(request.FormCaption);
  }

  void enterGrid(GridEntry& grid) override { unexpected(grid.FormCaption); }

  MessageButton showMessage(const MessageRequest& request) override {
    switch (request.Buttons) {
      case MessageButtons::Ok:
        echoMessage(err_, request.Kind, request.Text, request.Lang);
        return MessageButton::Ok;
      case MessageButtons::AbortRetry:
        // The gradient method's slow-convergence question.
        if (retries_ < options_.MaxRetries) {
          ++retries_;
          err_ << render(texts::kRetrying, lang_,
                         {std::to_string(retries_), std::to_string(options_.MaxRetries)})
               << '\n';
          return MessageButton::Retry;
        }
        aborted_ = true;
        return MessageButton::Abort;
      case MessageButtons::YesNo:
        if (request.Text == core_texts::kParameterFileCreateQuestion.in(lang_)) {
          return options_.Save.empty() ? MessageButton::No : MessageButton::Yes;
        }
        // A message shown with Yes and No (the inversion message): its answer is not used.
        echoMessage(err_, request.Kind, request.Text, request.Lang);
        return MessageButton::No;
    }
    return MessageButton::Ok;
  }

  std::optional<std::string> openFileName(const FileRequest& request) override {
    unexpected(request.Caption);
  }

  std::optional<std::string> saveFileName(const FileRequest& request) override {
    if (options_.Save.empty()) return std::nullopt;
    return withDefaultExtension(options_.Save, request.DefaultExt);
  }

  void setStatusText(const std::string&) override {}
  void setBusy(bool) override {}
  void processPendingMessages() override {}

 private:
  [[noreturn]] void unexpected(const std::string& question) const {
    throw InputError(texts::kUnexpectedQuestion, {question});
  }

  const FitCommandOptions& options_;
  Language lang_;
  std::ostream& err_;
  int retries_ = 0;
  bool aborted_ = false;
};

Json optionalReal(const std::optional<Real>& value, const std::string& name) {
  return value ? jsonReal(*value, name) : Json(nullptr);
}

// The objective's fields of a pair; factors turn reduced values into the result line's units.
void addObjectiveJson(Json& entry, const ObjectiveFitResult& fit, const std::vector<Real>& values,
                      const std::vector<Real>& display, const std::string& name) {
  entry["objective"] = std::string(objectiveName(fit.Objective));
  entry["chi2"] = jsonReal(fit.Chi2, name + " chi2");
  entry["dof"] = fit.Dof;
  entry["rms_t_c"] = optionalReal(fit.RmsT, name + " rms_t_c");
  entry["rms_p_mmhg"] = optionalReal(fit.RmsP, name + " rms_p_mmhg");
  entry["rms_y1"] = optionalReal(fit.RmsY1, name + " rms_y1");
  Json errors = Json::array();
  Json intervals = Json::array();
  Json displayErrors = Json::array();
  Json displayIntervals = Json::array();
  for (std::size_t k = 0; k < fit.Parameters.size(); ++k) {
    const Real factor = values[k] != 0.0L ? display[k] / values[k] : 1.0L;
    if (fit.StdErrors[k]) {
      const Real se = *fit.StdErrors[k];
      const Real half = *fit.HalfWidths[k];
      errors.push_back(jsonReal(se, name + " std_errors"));
      intervals.push_back(Json::array({jsonReal(values[k] - half, name + " ci95"),
                                       jsonReal(values[k] + half, name + " ci95")}));
      displayErrors.push_back(jsonReal(se * factor, name + " display_std_errors"));
      displayIntervals.push_back(
          Json::array({jsonReal(display[k] - half * factor, name + " display_ci95"),
                       jsonReal(display[k] + half * factor, name + " display_ci95")}));
    } else {
      errors.push_back(nullptr);
      intervals.push_back(nullptr);
      displayErrors.push_back(nullptr);
      displayIntervals.push_back(nullptr);
    }
  }
  entry["std_errors"] = std::move(errors);
  entry["ci95"] = std::move(intervals);
  entry["display_std_errors"] = std::move(displayErrors);
  entry["display_ci95"] = std::move(displayIntervals);
  const bool ml = fit.Objective == FitObjective::ML;
  if (ml) {
    // The errors with s^2 = 1 beside the scaled ones, which the intervals above use.
    entry["point_unknowns"] = fit.PointUnknowns;
    entry["intervals_covariance"] = "scaled";
    entry["rms_x1"] = optionalReal(fit.RmsX1, name + " rms_x1");
    Json known = Json::array();
    Json knownIntervals = Json::array();
    Json knownDisplay = Json::array();
    Json knownDisplayIntervals = Json::array();
    for (std::size_t k = 0; k < fit.Parameters.size(); ++k) {
      const Real factor = values[k] != 0.0L ? display[k] / values[k] : 1.0L;
      if (k < fit.StdErrorsKnownSigma.size() && fit.StdErrorsKnownSigma[k]) {
        const Real se = *fit.StdErrorsKnownSigma[k];
        const Real half = *fit.HalfWidthsKnownSigma[k];
        known.push_back(jsonReal(se, name + " std_errors_known_sigma"));
        knownIntervals.push_back(
            Json::array({jsonReal(values[k] - half, name + " ci95_known_sigma"),
                         jsonReal(values[k] + half, name + " ci95_known_sigma")}));
        knownDisplay.push_back(jsonReal(se * factor, name + " display_std_errors_known_sigma"));
        knownDisplayIntervals.push_back(Json::array(
            {jsonReal(display[k] - half * factor, name + " display_ci95_known_sigma"),
             jsonReal(display[k] + half * factor, name + " display_ci95_known_sigma")}));
      } else {
        known.push_back(nullptr);
        knownIntervals.push_back(nullptr);
        knownDisplay.push_back(nullptr);
        knownDisplayIntervals.push_back(nullptr);
      }
    }
    entry["std_errors_known_sigma"] = std::move(known);
    entry["ci95_known_sigma"] = std::move(knownIntervals);
    entry["display_std_errors_known_sigma"] = std::move(knownDisplay);
    entry["display_ci95_known_sigma"] = std::move(knownDisplayIntervals);
  }
  entry["condition"] =
      std::isfinite(fit.Condition) ? Json(static_cast<double>(fit.Condition)) : Json(nullptr);
  entry["determined"] = fit.Determined;
  if (fit.Determined) {
    Json rows = Json::array();
    for (const auto& row : fit.Correlation) {
      Json cells = Json::array();
      for (const auto& cell : row)
        cells.push_back(optionalReal(cell, name + " correlation"));
      rows.push_back(std::move(cells));
    }
    entry["correlation"] = std::move(rows);
  } else {
    entry["correlation"] = nullptr;
  }
  Json points = Json::array();
  for (const FitPointResult& point : fit.Points) {
    Json p;
    p["x1"] = jsonReal(point.X1, name + " x1");
    if (ml) p["x1_calc"] = optionalReal(point.X1Calc, name + " x1_calc");
    p["t_c"] = jsonReal(point.TMeasured, name + " t_c");
    p["t_calc_c"] = optionalReal(point.TCalc, name + " t_calc_c");
    p["p_mmhg"] = jsonReal(paToMmHg(point.PMeasured), name + " p_mmhg");
    std::optional<Real> pCalc;
    if (point.PCalc) pCalc = paToMmHg(*point.PCalc);
    p["p_calc_mmhg"] = optionalReal(pCalc, name + " p_calc_mmhg");
    p["y1"] = jsonReal(point.Y1Measured, name + " y1");
    p["y1_calc"] = optionalReal(point.Y1Calc, name + " y1_calc");
    p["gamma1_data"] = optionalReal(point.Gamma1Data, name + " gamma1_data");
    p["gamma2_data"] = optionalReal(point.Gamma2Data, name + " gamma2_data");
    p["gamma1_model"] = optionalReal(point.Gamma1Model, name + " gamma1_model");
    p["gamma2_model"] = optionalReal(point.Gamma2Model, name + " gamma2_model");
    p["residuals"] = jsonReals(point.Residuals, name + " residuals");
    points.push_back(std::move(p));
  }
  entry["points"] = std::move(points);
}

Json fitJson(const FittingResult& result, const std::vector<int>& components) {
  Json document;
  document["model"] = result.Model ? Json(std::string(modelName(*result.Model))) : Json(nullptr);
  document["components"] = components;
  // The variants are numbered 1 and 2, as --unifac-variant gives them.
  document["unifac_variant"] =
      result.UnifacVariant ? Json(static_cast<int>(*result.UnifacVariant)) : Json(nullptr);
  document["literature"] = result.LiteratureSet;
  document["saved"] = result.SavedFile ? Json(*result.SavedFile) : Json(nullptr);
  Json pairs = Json::array();
  for (const PairParameters& pair : result.Pairs) {
    const std::string name = "pair " + std::to_string(pair.I) + "-" + std::to_string(pair.J);
    const bool fitted = pair.Source == ParameterSource::Fitted;
    Json entry;
    entry["i"] = pair.I;
    entry["j"] = pair.J;
    entry["labels"] = pair.Labels;
    entry["params"] = jsonReals(pair.Values, name + " params");
    entry["display"] = jsonReals(pair.Display, name + " display");
    entry["rms"] = fitted ? jsonReal(pair.Rms, name + " rms") : Json(nullptr);
    entry["iterations"] = fitted ? Json(pair.Iterations) : Json(nullptr);
    if (pair.ObjectiveFit)
      addObjectiveJson(entry, *pair.ObjectiveFit, pair.Values, pair.Display, name);
    // A pair without built-in start values: where its fit started.
    if (pair.Start) {
      entry["start"] = {{"source", *pair.Start == StartSource::Unifac ? "unifac" : "fixed"},
                        {"values", jsonReals(pair.StartValues, name + " start")}};
    }
    pairs.push_back(std::move(entry));
  }
  document["pairs"] = std::move(pairs);
  return document;
}

}  // namespace

std::vector<int> parseComponentsInOrder(const std::string& text, int count) {
  std::vector<int> numbers;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = text.find(',', start);
    const std::string item(trimBlanks(text.substr(start, comma - start)));
    int number = 0;
    const bool digits =
        !item.empty() && item.size() <= 2 &&
        std::all_of(item.begin(), item.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (digits) number = std::stoi(item);
    if (!digits || number < 1 || number > count) {
      throw UsageError(texts::kComponentNumber, {item, std::to_string(count)});
    }
    if (std::find(numbers.begin(), numbers.end(), number) != numbers.end()) {
      throw UsageError(texts::kComponentRepeated, {item});
    }
    numbers.push_back(number);
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  if (numbers.size() < 2)
    throw UsageError(texts::kComponentCount, {std::to_string(numbers.size())});
  return numbers;
}

std::vector<int> parseComponents(const std::string& text, int count) {
  std::vector<int> numbers = parseComponentsInOrder(text, count);
  if (numbers.size() > 4)
    throw UsageError(texts::kComponentCount, {std::to_string(numbers.size())});
  std::sort(numbers.begin(), numbers.end());
  return numbers;
}

CLI::App* setupFitCommand(CLI::App& app, FitCommandOptions& options) {
  CLI::App* command = app.add_subcommand(
      "fit",
      "fit the interaction parameters of a model to the built-in or loaded experimental data");
  command->add_option("--model", options.Model, "the activity-coefficient model")
      ->required()
      ->transform(CLI::IsMember({"wilson", "nrtl", "uniquac", "unifac"}, CLI::ignore_case));
  command
      ->add_option("--components", options.Components,
                   "database numbers of the mixture's components, e.g. 1,2 (2 to 4 of 1..4, "
                   "5.. those of --library)")
      ->required();
  command
      ->add_option("--unifac-variant", options.UnifacVariant,
                   "UNIFAC: 1 main groups only (default), 2 with subgroup interactions")
      ->check(CLI::IsMember({1, 2}));
  command->add_flag("--literature", options.Literature,
                    "UNIFAC variant 1: take the literature group values instead of fitting");
  command->add_option("--save", options.Save,
                      "write the parameter file (extension .dat added when missing)");
  command
      ->add_option("--max-retries", options.MaxRetries,
                   "answer Retry to the slow-convergence question at most N times (default 3)")
      ->check(CLI::Range(0, 1000000));
  command
      ->add_option("--iteration-limit", options.IterationLimit,
                   "iterations of the gradient method after which it asks whether to go on "
                   "(default 3000)")
      ->check(CLI::Range(1, 65535));
  addUserDataOptions(*command, options.UserData);
  addLanguageOption(*command, options.Lang);
  command->add_flag("--json", options.Json, "write a JSON object instead of the report");
  addObjectiveOptions(*command, options.Objective);
  return command;
}

int runFitCommand(const FitCommandOptions& options, CommandStreams io) {
  const Language lang = languageOf(options.Lang);
  const Database db = loadUserData(options.UserData);
  const std::vector<int> components =
      parseComponents(options.Components, static_cast<int>(db.ComponentBase.size()));
  if (options.UnifacVariant != 0 && options.Model != "unifac") {
    throw UsageError(texts::kUnifacVariantWithoutUnifac);
  }
  if (options.Literature && (options.Model != "unifac" || options.UnifacVariant == 2)) {
    throw UsageError(texts::kLiteratureWithoutVariant1);
  }

  const ObjectiveOptions objective = parseObjectiveOptions(
      options.Objective, options.Model, static_cast<int>(db.ComponentBase.size()));

  SessionState state;
  state.InterfaceLanguage = lang;
  state.SelectedCount = static_cast<std::uint8_t>(components.size());
  for (std::size_t k = 0; k < components.size(); ++k) {
    state.SelectedComponents[k] = static_cast<std::uint16_t>(components[k]);
  }
  FitDialogs dialogs(options, lang, io.err);
  LineListReport report;
  FittingResult result;
  try {
    SessionOptions sessionOptions;
    sessionOptions.IterationLimit = static_cast<std::uint16_t>(options.IterationLimit);
    sessionOptions.Objective = objective;
    result = runFittingSession(dialogs, report, state, db, sessionOptions, !options.Save.empty());
  } catch (...) {
    // A question the options cannot answer: what the report holds so far is not lost.
    if (!options.Json) printLines(io.out, report.lines());
    throw;
  }

  const bool completed = result.Session.Outcome == SessionOutcome::Completed;
  if (completed && !result.LiteratureSet) {
    // A group label that matched no parameter of a fitted pair is a wrong command line.
    for (std::size_t k = 0; k < result.ConstraintUsed.size(); ++k) {
      if (!result.ConstraintUsed[k]) {
        const std::string text = constraintText(options.Objective, k);
        const std::size_t blank = text.find(' ');
        throw UsageError(texts::kObjectiveOptionInvalid,
                         {text.substr(0, blank), text.substr(blank + 1)},
                         {&texts::kConstraintUnused});
      }
    }
  }
  if (!options.Json) {
    printLines(io.out, report.lines());
  } else if (completed) {
    writeJson(io.out, fitJson(result, components));
  }
  if (!completed) {
    if (dialogs.abortedAfterRetries()) {
      printError(io.err,
                 render(texts::kRetriesExhausted, lang, {std::to_string(options.MaxRetries)}));
    } else {
      printError(io.err, render(texts::kSessionFailed, lang));
    }
    return kExitFailed;
  }
  if (!options.Save.empty() && !result.SavedFile) {
    printError(io.err, render(texts::kNotSaved, lang, {withDefaultExtension(options.Save, "dat")}));
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace bubblix::cli
