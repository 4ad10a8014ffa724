#pragma once
// The report lines of a fit to the y, bubble or ml objective, written after the pair's result
// line: the objective's chi2, degrees of freedom and iterations, each parameter with its
// standard error and 95 % interval in the units of the result line, the correlation matrix,
// the RMS of the bubble points, and the table of points (measured and calculated t, P, y1, the
// gammas of the data and of the model, the residuals). ml adds the number of the points'
// estimated true values and chi2/nu, the errors with s^2 = 1 beside the scaled ones, the RMS
// of the adjustments of x1, t, P and y1, and the true x1 of each point. Temperatures in degC,
// pressures in mm Hg.

#include <string>
#include <vector>

#include "core/base/real.h"
#include "core/fitting/objective_fit.h"
#include "core/texts/text.h"

namespace bubblix {

// The parameters as the result line names and shows them: labels, and the factor from reduced
// values to the line's units (kJ/mol, K, 1 for alpha).
struct ObjectiveReportParameters {
  std::vector<std::string> Labels;
  std::vector<Real> DisplayFactors;
};

std::vector<std::string> objectiveReportLines(const ObjectiveFitResult& result,
                                              const ObjectiveReportParameters& parameters,
                                              Language lang, const std::string& decimalSeparator);

// The progress line of a Levenberg-Marquardt fit of the pair.
std::string objectiveProgressLine(const std::string& name1, const std::string& name2,
                                  FitObjective objective, int iteration, Real rms, Language lang,
                                  const std::string& decimalSeparator);

}  // namespace bubblix
