#include "cli/objective_options.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cctype>
#include <regex>

#include "cli/cli_texts.h"
#include "core/io/number_reading.h"

namespace bubblix::cli {

namespace {

const std::vector<std::string>& labelsOf(const std::string& model) {
  static const std::vector<std::string> wilson = {"l12-l11", "l21-l22"};
  static const std::vector<std::string> nrtl = {"g12-g22", "g21-g11", "alp12"};
  static const std::vector<std::string> uniquac = {"u12-u22", "u21-u11"};
  static const std::vector<std::string> any = {"l12-l11", "l21-l22", "g12-g22", "g21-g11",
                                               "alp12",   "u12-u22", "u21-u11"};
  if (model == "wilson") return wilson;
  if (model == "nrtl") return nrtl;
  if (model == "uniquac") return uniquac;
  return any;
}

std::string lowered(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

bool isGroupLabel(const std::string& label) {
  static const std::regex mainGroups(R"(a0\[[0-9]{1,2},[0-9]{1,2}\])");
  static const std::regex subgroups(R"(a\[[0-9]{1,2}[a-z],[0-9]{1,2}[a-z]\])");
  return std::regex_match(label, mainGroups) || std::regex_match(label, subgroups);
}

// The reason is a text argument, so that it follows the language.
[[noreturn]] void refuse(const std::string& option, const std::string& value, const Text& why) {
  throw UsageError(texts::kObjectiveOptionInvalid, {option, value}, {&why});
}

}  // namespace

void addObjectiveOptions(CLI::App& command, ObjectiveCommandOptions& options) {
  command.add_option("--objective", options.Objective,
                     "the fitted objective: y1 (default, the gradient method's), y (both "
                     "components' vapour fractions), bubble (bubble temperatures or pressures "
                     "and y1, weighted by --sigma), ml (maximum likelihood with errors in t, P, "
                     "x1 and y1: the parameters and every point's true values, weighted by "
                     "--sigma)");
  command.add_option("--sigma", options.Sigma,
                     "measurement uncertainties, e.g. t=0.1,p=0.5,x=0.001,y=0.003 (K, mm Hg; x "
                     "is used by ml only)");
  command.add_option("--fix", options.Fix,
                     "[I-J:]NAME=V: hold the parameter NAME (a result-line label) at V, in the "
                     "result line's units (repeatable)");
  command.add_option("--bound", options.Bound,
                     "[I-J:]NAME=LO:HI: bounds of the parameter NAME (repeatable)");
}

std::string constraintText(const ObjectiveCommandOptions& options, std::size_t k) {
  if (k < options.Fix.size()) return "--fix " + options.Fix[k];
  k -= options.Fix.size();
  return k < options.Bound.size() ? "--bound " + options.Bound[k] : std::string();
}

ObjectiveOptions parseObjectiveOptions(const ObjectiveCommandOptions& options,
                                       const std::string& model, int componentCount) {
  ObjectiveOptions result;
  const std::optional<FitObjective> objective = objectiveFromName(lowered(options.Objective));
  if (!objective) refuse("--objective", options.Objective, texts::kNotAnObjective);
  result.Objective = *objective;
  if (result.Objective == FitObjective::Y1 &&
      (!options.Sigma.empty() || !options.Fix.empty() || !options.Bound.empty())) {
    throw UsageError(texts::kLimitsWithY1);
  }

  if (!options.Sigma.empty()) {
    std::size_t start = 0;
    while (start <= options.Sigma.size()) {
      const std::size_t comma = std::min(options.Sigma.find(',', start), options.Sigma.size());
      const std::string item = options.Sigma.substr(start, comma - start);
      const std::size_t equals = item.find('=');
      const std::string key = lowered(item.substr(0, equals));
      const std::optional<Real> value =
          equals == std::string::npos ? std::nullopt : parseReal(item.substr(equals + 1), ".");
      if (!value || !(*value > 0.0L)) refuse("--sigma", options.Sigma, texts::kNotASigma);
      if (key == "t") {
        result.Sigmas.T = *value;
      } else if (key == "p") {
        result.Sigmas.PmmHg = *value;
      } else if (key == "x") {
        result.Sigmas.x = *value;
      } else if (key == "y") {
        result.Sigmas.y = *value;
      } else {
        refuse("--sigma", options.Sigma, texts::kNotASigma);
      }
      start = comma + 1;
    }
  }

  const std::vector<std::string>& labels = labelsOf(model);
  auto parseTarget = [&](const std::string& option, const std::string& text,
                         const Text& syntax) -> std::pair<ParameterConstraint, std::string> {
    ParameterConstraint constraint;
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos) refuse(option, text, syntax);
    std::string name = text.substr(0, equals);
    const std::size_t colon = name.find(':');
    if (colon != std::string::npos) {
      const std::string pair = name.substr(0, colon);
      name = name.substr(colon + 1);
      const std::size_t dash = pair.find('-');
      const std::optional<Real> a =
          dash == std::string::npos ? std::nullopt : parseReal(pair.substr(0, dash), ".");
      const std::optional<Real> b =
          dash == std::string::npos ? std::nullopt : parseReal(pair.substr(dash + 1), ".");
      const auto whole = [componentCount](const std::optional<Real>& v) {
        return v && *v >= 1.0L && *v <= static_cast<Real>(componentCount) &&
               *v == static_cast<Real>(static_cast<int>(*v));
      };
      if (!whole(a) || !whole(b) || *a == *b) refuse(option, text, texts::kUnknownPair);
      constraint.Pair = std::array<int, 2>{static_cast<int>(*a), static_cast<int>(*b)};
    }
    const std::string label = lowered(name);
    const bool known = model == "unifac"
                           ? isGroupLabel(label)
                           : std::find(labels.begin(), labels.end(), label) != labels.end() ||
                                 (model.empty() && isGroupLabel(label));
    if (!known) refuse(option, text, texts::kUnknownParameterName);
    constraint.Label = label;
    return {constraint, text.substr(equals + 1)};
  };

  for (const std::string& fix : options.Fix) {
    auto [constraint, value] = parseTarget("--fix", fix, texts::kNotAFix);
    const std::optional<Real> v = parseReal(value, ".");
    if (!v) refuse("--fix", fix, texts::kNotAFix);
    constraint.Fixed = *v;
    result.Constraints.push_back(std::move(constraint));
  }
  for (const std::string& bound : options.Bound) {
    auto [constraint, value] = parseTarget("--bound", bound, texts::kNotABound);
    const std::size_t colon = value.find(':');
    if (colon == std::string::npos) refuse("--bound", bound, texts::kNotABound);
    const std::string lo = value.substr(0, colon);
    const std::string hi = value.substr(colon + 1);
    if (!lo.empty()) {
      constraint.Lower = parseReal(lo, ".");
      if (!constraint.Lower) refuse("--bound", bound, texts::kNotABound);
    }
    if (!hi.empty()) {
      constraint.Upper = parseReal(hi, ".");
      if (!constraint.Upper) refuse("--bound", bound, texts::kNotABound);
    }
    if ((lo.empty() && hi.empty()) ||
        (constraint.Lower && constraint.Upper && *constraint.Lower > *constraint.Upper)) {
      refuse("--bound", bound, texts::kNotABound);
    }
    result.Constraints.push_back(std::move(constraint));
  }
  return result;
}

}  // namespace bubblix::cli
