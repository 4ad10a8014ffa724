#pragma once
// The progress line of a running fit in the report, directly below the pair's heading:
// refreshed while the fit runs and written once more when it ends, each time in place of the
// previous one.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/base/real.h"
#include "core/fitting/binary_fit_data.h"
#include "core/fitting/fitting_objectives.h"
#include "core/report/report_document.h"
#include "core/texts/text.h"

namespace bubblix {

// The report line that the progress line of a running fit occupies.
struct ProgressTarget {
  ReportDocument* Report = nullptr;  // none: no line is written
  int Line = 0;                      // index of the line: directly below the fit's heading
  Language Lang = Language::English;
  std::string DecimalSeparator = ".";
};

// The progress line: iteration counter, the pair's names and E = sqrt(F / N) in the general
// format with 10 significant digits.
std::string fitProgressLine(const TBinaryFitData& fit, Language lang, std::uint16_t iterations,
                            Real F, std::string_view decimalSeparator = ".");

// Puts the progress line at the target's line: inserted there, the line after it (the previous
// progress line of the same fit, if any) deleted. Nothing without a report.
void writeProgressLine(const ProgressTarget& target, const TBinaryFitData& fit,
                       std::uint16_t iterations, Real F);

// The progress of a fit of `fit` as the line at the target. `fit` is read at each report and
// must outlive the fit.
FitProgress progressLineWriter(ProgressTarget target, const TBinaryFitData& fit);

}  // namespace bubblix
