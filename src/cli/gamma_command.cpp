#include "cli/gamma_command.h"

#include <CLI/CLI.hpp>
#include <cmath>
#include <span>

#include "cli/cli_texts.h"
#include "cli/json_output.h"
#include "core/base/units.h"
#include "core/io/number_format.h"
#include "core/models/equilibrium_point.h"
#include "core/models/model_evaluation.h"
#include "core/models/solvers.h"

namespace bubblix::cli {

namespace {

// Mole fractions typed with a few decimals add up to 1 only to about this.
constexpr Real kFractionSumTolerance = 1e-6L;

std::string number(Real value) {
  return formatGeneral(value, 10, ".");
}

}  // namespace

CLI::App* setupGammaCommand(CLI::App& app, GammaCommandOptions& options) {
  CLI::App* command =
      app.add_subcommand("gamma", "activity coefficients of a parameter set's model at t and x");
  command->add_option("--params", options.Params, "the parameter file (.dat)")
      ->required()
      ->check(existingInput(false));
  command->add_option("--t", options.T, "the temperature, degC")->required();
  command
      ->add_option("--x", options.X,
                   "the liquid mole fractions of all n components, comma-separated")
      ->required();
  addUserDataOptions(*command, options.UserData);
  addLanguageOption(*command, options.Lang);
  command->add_flag("--json", options.Json, "write a JSON object instead of the text");
  return command;
}

int runGammaCommand(const GammaCommandOptions& options, CommandStreams io) {
  const Real t = parseNumber(options.T, "--t");
  const std::vector<Real> fractions = parseNumberList(options.X, "--x");
  if (checkTemperature(t)) throw UsageError(texts::kTemperatureTooLow, {number(t)});

  const Language lang = languageOf(options.Lang);
  const Database db = loadUserData(options.UserData);
  const LoadedSet loaded = loadParameterSet(options.Params, lang, db);
  const SessionState& state = loaded.State;
  // The checks solve and adequacy make through the solvers: counts the models can use.
  validateParameterSet(state.ParameterSet);
  const int n = state.ParameterSet.ComponentCount;
  if (static_cast<int>(fractions.size()) != n) {
    throw UsageError(texts::kFractionCount, {std::to_string(fractions.size()), std::to_string(n)});
  }
  CompositionVector x{};
  Real sum = 0.0L;
  for (int c = 0; c < n; ++c) {
    const Real fraction = fractions[static_cast<std::size_t>(c)];
    if (fraction < 0.0L || fraction > 1.0L) {
      throw UsageError(
          texts::kFractionOutOfRange,
          {state.Components.ComponentNames[static_cast<std::size_t>(c)], number(fraction)});
    }
    x[static_cast<std::size_t>(c)] = fraction;
    sum += fraction;
  }
  if (std::fabs(sum - 1.0L) > kFractionSumTolerance) {
    throw UsageError(texts::kFractionSum, {number(sum)});
  }

  CompositionVector gamma{};
  modelGamma(state.Components, state.ParameterSet, x, gamma, tauFromCelsius(t));
  for (int c = 0; c < n; ++c) {
    const Real g = gamma[static_cast<std::size_t>(c)];
    // A property look-up out of its range, or an overflow of the model's exponentials.
    if (!std::isfinite(g) || g <= 0.0L) {
      throw ArithmeticError(texts::kGammaNotFinite, {loaded.File.MethodName, number(t)});
    }
  }

  if (options.Json) {
    Json document;
    document["gamma"] = jsonReals(std::span(gamma.data(), static_cast<std::size_t>(n)), "gamma");
    document["warnings"] = jsonWarnings(state.Components, n, state.ParameterSet.ModelCode, t, lang);
    writeJson(io.out, document);
    return kExitOk;
  }
  std::vector<std::string> lines{
      render(texts::kGammaHeading, lang, {loaded.File.MethodName, number(t)})};
  for (int c = 0; c < n; ++c) {
    const auto i = static_cast<std::size_t>(c);
    lines.push_back(formatReport("  %-20s x = %.6f  gamma = %.6f",
                                 {state.Components.ComponentNames[i], x[i], gamma[i]}));
  }
  for (const RangeWarning& warning :
       rangeWarnings(state.Components, n, state.ParameterSet.ModelCode, t))
    lines.push_back("  " + rangeWarningText(warning, lang));
  printLines(io.out, lines);
  return kExitOk;
}

}  // namespace bubblix::cli
