#include "core/session/fitting_method.h"

#include <algorithm>
#include <cctype>
#include <regex>

#include "core/base/errors.h"
#include "core/io/number_format.h"
#include "core/io/number_reading.h"
#include "core/texts/fitting_method_texts.h"
#include "core/texts/session_texts.h"

namespace bubblix {
namespace {

std::string lowered(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

std::string trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && blank(text.back()))
    text.remove_suffix(1);
  return std::string(text);
}

// "  l12-l11 = " and "  alp12=" give "l12-l11" and "alp12".
std::string labelOf(std::string_view resultLabel) {
  std::string label = trimmed(resultLabel);
  if (!label.empty() && label.back() == '=') label.pop_back();
  return trimmed(label);
}

// A typed number; none for an empty (or blank) field. name, field: the field as the messages
// name it ({2}{0} of kFittingNotANumber).
std::optional<Real> number(const std::string& text, std::string_view separator,
                           const std::string& name, const Text& field) {
  if (trimmed(text).empty()) return std::nullopt;
  const std::optional<Real> value = parseGridNumber(text, separator);
  if (!value) throw InputError(texts::kFittingNotANumber, {name, text}, {&field});
  return value;
}

}  // namespace

std::vector<std::string> parameterLabels(Model model) {
  switch (model) {
    case Model::Wilson:
      return {labelOf(texts::kWilsonLabels.Result1), labelOf(texts::kWilsonLabels.Result2)};
    case Model::NRTL:
      return {labelOf(texts::kNrtlLabels.Result1), labelOf(texts::kNrtlLabels.Result2),
              labelOf(texts::kNrtlAlphaResult)};
    case Model::UNIQUAC:
      return {labelOf(texts::kUniquacLabels.Result1), labelOf(texts::kUniquacLabels.Result2)};
    case Model::UNIFAC:
      break;
  }
  return {};
}

bool isGroupParameterLabel(std::string_view label) {
  static const std::regex mainGroups(R"(a0\[[0-9]{1,2},[0-9]{1,2}\])");
  static const std::regex subgroups(R"(a\[[0-9]{1,2}[a-z],[0-9]{1,2}[a-z]\])");
  const std::string text = lowered(label);
  return std::regex_match(text, mainGroups) || std::regex_match(text, subgroups);
}

const FitObjectiveChoice& fitObjectiveChoice(FitObjective objective) {
  for (const FitObjectiveChoice& choice : kFitObjectives)
    if (choice.Objective == objective) return choice;
  return kFitObjectives.front();
}

ObjectiveOptions readFittingMethod(const FittingMethodEntry& entry,
                                   std::string_view decimalSeparator, int componentCount) {
  ObjectiveOptions options;
  options.Objective = entry.Objective;
  const FitObjectiveChoice& choice = fitObjectiveChoice(entry.Objective);
  const auto sigma = [&](bool used, const std::string& text, const Text& field, Real& into) {
    if (!used) return;
    if (const std::optional<Real> value = number(text, decimalSeparator, "", field)) {
      if (!(*value > 0.0L)) throw InputError(texts::kFittingSigmaNotPositive, {"", text}, {&field});
      into = *value;
    }
  };
  sigma(choice.UsesSigmaT, entry.SigmaT, texts::kFittingFieldSigmaT, options.Sigmas.T);
  sigma(choice.UsesSigmaP, entry.SigmaP, texts::kFittingFieldSigmaP, options.Sigmas.PmmHg);
  sigma(choice.UsesSigmaX, entry.SigmaX, texts::kFittingFieldSigmaX, options.Sigmas.x);
  sigma(choice.UsesSigmaY, entry.SigmaY, texts::kFittingFieldSigmaY, options.Sigmas.y);
  if (!choice.UsesLimits) return options;

  std::vector<std::string> known;
  for (Model model : {Model::Wilson, Model::NRTL, Model::UNIQUAC})
    for (std::string& label : parameterLabels(model))
      known.push_back(std::move(label));

  for (std::size_t row = 0; row < entry.Limits.size(); ++row) {
    const ParameterLimitEntry& limit = entry.Limits[row];
    const std::string label = trimmed(limit.Label);
    const bool anyValue = !trimmed(limit.Fixed).empty() || !trimmed(limit.Lower).empty() ||
                          !trimmed(limit.Upper).empty();
    if (!anyValue) continue;
    if (label.empty()) throw InputError(texts::kFittingRowNoParameter, {std::to_string(row + 1)});
    const std::string name = lowered(label);
    if (std::find(known.begin(), known.end(), name) == known.end() &&
        !isGroupParameterLabel(name)) {
      throw InputError(texts::kFittingUnknownParameter, {std::to_string(row + 1), label},
                       {&texts::kFittingFieldParameter});
    }
    ParameterConstraint constraint;
    constraint.Label = name;
    const std::string pair = trimmed(limit.Pair);
    if (!pair.empty()) {
      const std::size_t dash = pair.find('-');
      const auto whole = [componentCount](const std::string& text) -> int {
        const std::optional<Real> v = parseGridNumber(text, ".");
        if (!v || *v < 1.0L || *v > static_cast<Real>(componentCount) ||
            *v != static_cast<Real>(static_cast<int>(*v)))
          return 0;
        return static_cast<int>(*v);
      };
      const int a = dash == std::string::npos ? 0 : whole(pair.substr(0, dash));
      const int b = dash == std::string::npos ? 0 : whole(pair.substr(dash + 1));
      if (a == 0 || b == 0 || a == b) {
        throw InputError(texts::kFittingUnknownPair,
                         {label, limit.Pair, std::to_string(componentCount)},
                         {&texts::kFittingFieldPair});
      }
      constraint.Pair = std::array<int, 2>{a, b};
    }
    constraint.Fixed = number(limit.Fixed, decimalSeparator, label, texts::kFittingFieldFixed);
    constraint.Lower = number(limit.Lower, decimalSeparator, label, texts::kFittingFieldLower);
    constraint.Upper = number(limit.Upper, decimalSeparator, label, texts::kFittingFieldUpper);
    if (constraint.Lower && constraint.Upper && *constraint.Lower > *constraint.Upper) {
      throw InputError(texts::kFittingBoundsReversed, {label, limit.Lower, limit.Upper});
    }
    if (constraint.Fixed && ((constraint.Lower && *constraint.Fixed < *constraint.Lower) ||
                             (constraint.Upper && *constraint.Fixed > *constraint.Upper))) {
      throw InputError(texts::kFittingFixedOutside, {label, limit.Fixed});
    }
    options.Constraints.push_back(std::move(constraint));
  }
  return options;
}

std::vector<std::string> fittingMethodReportLines(const ObjectiveOptions& options, Language lang,
                                                  std::string_view decimalSeparator) {
  if (options.Objective == FitObjective::Y1) return {};
  const FitObjectiveChoice& choice = fitObjectiveChoice(options.Objective);
  const auto value = [decimalSeparator](Real v) { return formatGeneral(v, 6, decimalSeparator); };
  std::string sigmas;
  const auto sigma = [&](bool used, const char* name, const std::string& shown) {
    if (used) sigmas += bubblix::render(texts::kFittingReportSigma, lang, {name, shown});
  };
  sigma(choice.UsesSigmaT, "t", value(options.Sigmas.T) + " K");
  sigma(choice.UsesSigmaP, "P",
        value(options.Sigmas.PmmHg) + " " + std::string(texts::kFittingReportMmHg.in(lang)));
  sigma(choice.UsesSigmaX, "x", value(options.Sigmas.x));
  sigma(choice.UsesSigmaY, "y", value(options.Sigmas.y));
  std::vector<std::string> lines{bubblix::render(
      texts::kFittingReportMethod, lang, {std::string(objectiveName(options.Objective)), sigmas})};
  if (!choice.UsesLimits) return lines;
  for (const ParameterConstraint& constraint : options.Constraints) {
    const std::string pair = constraint.Pair
                                 ? bubblix::render(texts::kFittingReportPair, lang,
                                                   {std::to_string((*constraint.Pair)[0]),
                                                    std::to_string((*constraint.Pair)[1])})
                                 : std::string(texts::kFittingReportEveryPair.in(lang));
    if (constraint.Fixed) {
      lines.push_back(bubblix::render(texts::kFittingReportFixed, lang,
                                      {constraint.Label, pair, value(*constraint.Fixed)}));
    }
    if (constraint.Lower || constraint.Upper) {
      lines.push_back(bubblix::render(
          texts::kFittingReportBounds, lang,
          {constraint.Label, pair, constraint.Lower ? value(*constraint.Lower) : "-inf",
           constraint.Upper ? value(*constraint.Upper) : "inf"}));
    }
  }
  return lines;
}

FittingMethodEntry fittingMethodEntry(const ObjectiveOptions& options,
                                      std::string_view decimalSeparator) {
  const auto shown = [decimalSeparator](const std::optional<Real>& value) {
    return value ? formatGeneral(*value, 17, decimalSeparator) : std::string();
  };
  FittingMethodEntry entry;
  entry.Objective = options.Objective;
  entry.SigmaT = shown(options.Sigmas.T);
  entry.SigmaP = shown(options.Sigmas.PmmHg);
  entry.SigmaX = shown(options.Sigmas.x);
  entry.SigmaY = shown(options.Sigmas.y);
  for (const ParameterConstraint& constraint : options.Constraints) {
    ParameterLimitEntry limit;
    if (constraint.Pair) {
      limit.Pair =
          std::to_string((*constraint.Pair)[0]) + "-" + std::to_string((*constraint.Pair)[1]);
    }
    limit.Label = constraint.Label;
    limit.Fixed = shown(constraint.Fixed);
    limit.Lower = shown(constraint.Lower);
    limit.Upper = shown(constraint.Upper);
    entry.Limits.push_back(std::move(limit));
  }
  return entry;
}

}  // namespace bubblix
