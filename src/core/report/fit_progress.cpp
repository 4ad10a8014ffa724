#include "core/report/fit_progress.h"

#include <cmath>
#include <utility>

#include "core/io/number_format.h"
#include "core/texts/fitting_texts.h"

namespace bubblix {

std::string fitProgressLine(const TBinaryFitData& fit, Language lang, std::uint16_t iterations,
                            Real F, std::string_view decimalSeparator) {
  const Real E = std::sqrt(F / static_cast<Real>(fit.N));
  return render(texts::kFitProgressLine, lang,
                {std::to_string(iterations), fit.names[0], fit.names[1],
                 formatGeneral(E, 10, decimalSeparator)});
}

void writeProgressLine(const ProgressTarget& target, const TBinaryFitData& fit,
                       std::uint16_t iterations, Real F) {
  ReportDocument* report = target.Report;
  if (report == nullptr) return;
  // A line index beyond the end (the report shortened meanwhile) appends.
  int line = target.Line;
  if (line < 0 || line > report->lineCount()) line = report->lineCount();
  report->insertLine(line,
                     fitProgressLine(fit, target.Lang, iterations, F, target.DecimalSeparator));
  if (line + 1 < report->lineCount()) report->deleteLine(line + 1);
}

FitProgress progressLineWriter(ProgressTarget target, const TBinaryFitData& fit) {
  return [target = std::move(target), &fit](std::uint16_t iterations, Real F) {
    writeProgressLine(target, fit, iterations, F);
  };
}

}  // namespace bubblix
