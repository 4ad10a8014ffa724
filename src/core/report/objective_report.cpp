#include "core/report/objective_report.h"

#include "core/base/units.h"
#include "core/io/number_format.h"
#include "core/texts/objective_texts.h"

namespace bubblix {

namespace {

std::string padded(std::string text, std::size_t width) {
  if (text.size() < width) text.insert(0, width - text.size(), ' ');
  return text;
}

std::string numberOrDash(const std::optional<Real>& value, int digits, const std::string& sep) {
  return value ? formatGeneral(*value, digits, sep) : std::string("-");
}

}  // namespace

std::string objectiveProgressLine(const std::string& name1, const std::string& name2,
                                  FitObjective objective, int iteration, Real rms, Language lang,
                                  const std::string& decimalSeparator) {
  return render(texts::kObjectiveProgressLine, lang,
                {std::to_string(iteration), name1, name2, std::string(objectiveName(objective)),
                 formatGeneral(rms, 10, decimalSeparator)});
}

std::vector<std::string> objectiveReportLines(const ObjectiveFitResult& result,
                                              const ObjectiveReportParameters& parameters,
                                              Language lang, const std::string& sep) {
  std::vector<std::string> lines;
  lines.push_back(
      render(texts::kObjectiveSummary, lang,
             {std::string(objectiveName(result.Objective)), formatGeneral(result.Chi2, 8, sep),
              std::to_string(result.Dof), std::to_string(result.Iterations)}));
  const bool ml = result.Objective == FitObjective::ML;
  if (ml) {
    const std::string ratio =
        result.Dof > 0 ? formatGeneral(result.Chi2 / static_cast<Real>(result.Dof), 6, sep) : "-";
    lines.push_back(render(
        texts::kMlSummary, lang,
        {std::to_string(result.PointUnknowns), std::to_string(result.ResidualCount), ratio}));
  }
  if (!result.Determined) {
    lines.push_back(render(texts::kNotDetermined, lang, {formatGeneral(result.Condition, 4, sep)}));
  }
  lines.push_back(render(texts::kParameterTableHeading, lang));
  const std::size_t n = result.Parameters.size();
  for (std::size_t k = 0; k < n; ++k) {
    const Real factor = k < parameters.DisplayFactors.size() ? parameters.DisplayFactors[k] : 1.0L;
    const std::string label =
        padded(k < parameters.Labels.size() ? parameters.Labels[k] : std::to_string(k + 1), 10);
    const Real value = result.Parameters[k] * factor;
    const std::string shown = padded(formatGeneral(value, 6, sep), 11);
    if (result.Fixed[k]) {
      lines.push_back(render(texts::kParameterFixedRow, lang, {label, shown}));
    } else if (result.AtBound[k]) {
      lines.push_back(render(texts::kParameterAtBoundRow, lang, {label, shown}));
    } else if (!result.StdErrors[k]) {
      lines.push_back(render(texts::kParameterUndeterminedRow, lang, {label, shown}));
    } else {
      const Real se = *result.StdErrors[k] * factor;
      const Real half = *result.HalfWidths[k] * factor;
      lines.push_back(
          render(texts::kParameterRow, lang,
                 {label, shown, padded(formatGeneral(se, 4, sep), 11),
                  formatGeneral(value - half, 6, sep), formatGeneral(value + half, 6, sep)}));
    }
  }
  if (ml && result.Determined) {
    lines.push_back(render(texts::kKnownSigmaHeading, lang));
    for (std::size_t k = 0; k < n; ++k) {
      if (k >= result.StdErrorsKnownSigma.size() || !result.StdErrorsKnownSigma[k]) continue;
      const Real factor =
          k < parameters.DisplayFactors.size() ? parameters.DisplayFactors[k] : 1.0L;
      const Real value = result.Parameters[k] * factor;
      const Real half = *result.HalfWidthsKnownSigma[k] * factor;
      lines.push_back(render(
          texts::kKnownSigmaRow, lang,
          {padded(k < parameters.Labels.size() ? parameters.Labels[k] : std::to_string(k + 1), 10),
           padded(formatGeneral(*result.StdErrorsKnownSigma[k] * factor, 4, sep), 11),
           formatGeneral(value - half, 6, sep), formatGeneral(value + half, 6, sep)}));
    }
  }
  if (result.Determined) {
    lines.push_back(render(texts::kCorrelationHeading, lang));
    for (std::size_t k = 0; k < n; ++k) {
      std::string row = " " + padded(k < parameters.Labels.size() ? parameters.Labels[k] : "", 10);
      for (std::size_t l = 0; l < n; ++l) {
        row +=
            " " + padded(result.Correlation[k][l] ? formatFixed(*result.Correlation[k][l], 4, sep)
                                                  : std::string("-"),
                         8);
      }
      lines.push_back(row);
    }
  }
  if (ml) {
    lines.push_back(render(texts::kMlRms, lang,
                           {numberOrDash(result.RmsX1, 4, sep), numberOrDash(result.RmsT, 4, sep),
                            numberOrDash(result.RmsP, 4, sep), numberOrDash(result.RmsY1, 4, sep),
                            formatGeneral(result.E, 6, sep)}));
    lines.push_back(render(texts::kMlPointTableHeading, lang));
  } else {
    lines.push_back(render(texts::kObjectiveRms, lang,
                           {numberOrDash(result.RmsT, 4, sep), numberOrDash(result.RmsP, 4, sep),
                            numberOrDash(result.RmsY1, 4, sep), formatGeneral(result.E, 6, sep)}));
    lines.push_back(render(texts::kPointTableHeading, lang));
  }
  for (std::size_t k = 0; k < result.Points.size(); ++k) {
    const FitPointResult& p = result.Points[k];
    std::optional<Real> pCalc;
    if (p.PCalc) pCalc = paToMmHg(*p.PCalc);
    std::string row = padded(std::to_string(k + 1), 3) + padded(formatFixed(p.X1, 4, sep), 8) +
                      (ml ? padded(p.X1Calc ? formatFixed(*p.X1Calc, 4, sep) : "-", 9) : "") +
                      padded(formatFixed(p.TMeasured, 2, sep), 10) +
                      padded(p.TCalc ? formatFixed(*p.TCalc, 2, sep) : "-", 10) +
                      padded(formatFixed(paToMmHg(p.PMeasured), 1, sep), 9) +
                      padded(pCalc ? formatFixed(*pCalc, 1, sep) : "-", 9) +
                      padded(formatFixed(p.Y1Measured, 4, sep), 9) +
                      padded(p.Y1Calc ? formatFixed(*p.Y1Calc, 4, sep) : "-", 9) +
                      padded(numberOrDash(p.Gamma1Data, 4, sep), 9) +
                      padded(numberOrDash(p.Gamma1Model, 4, sep), 10) +
                      padded(numberOrDash(p.Gamma2Data, 4, sep), 9) +
                      padded(numberOrDash(p.Gamma2Model, 4, sep), 10) + " ";
    for (Real residual : p.Residuals)
      row += " " + formatGeneral(residual, 4, sep);
    lines.push_back(row);
  }
  return lines;
}

}  // namespace bubblix
