#include "core/models/point_warnings.h"

#include <algorithm>
#include <cmath>

#include "core/io/number_format.h"
#include "core/texts/solver_texts.h"

namespace bubblix {

namespace {

// The first and last abscissa of a table of `rows` rows.
std::optional<TemperatureRange> tableRange(const std::vector<Real>& abscissae, std::size_t rows) {
  const std::size_t n = std::min(rows, abscissae.size());
  if (n == 0) return std::nullopt;
  return TemperatureRange{abscissae.front(), abscissae[n - 1]};
}

std::optional<TemperatureRange> intersect(std::optional<TemperatureRange> a,
                                          std::optional<TemperatureRange> b) {
  if (!a) return b;
  if (!b) return a;
  return TemperatureRange{std::max(a->Low, b->Low), std::min(a->High, b->High)};
}

bool usesMolarVolumes(Model model) {
  switch (model) {
    case Model::Wilson:
    case Model::NRTL:
      return true;
    case Model::UNIQUAC:
    case Model::UNIFAC:
      return false;
  }
  return false;
}

}  // namespace

std::optional<TemperatureRange> componentValidRange(const Mixture& mixture, int slot, Model model) {
  if (slot < 0 || slot > 3) return std::nullopt;
  const TComponentRecord* record = mixture.Records[static_cast<std::size_t>(slot)];
  if (record == nullptr) return std::nullopt;
  const std::optional<TemperatureRange> liquid =
      tableRange(record->Temperature, record->PropertyRows);
  // The vapour-pressure table, or the equation over the rows of the liquid data.
  std::optional<TemperatureRange> range =
      record->PressureRows > 0 ? tableRange(record->PressureTemperature, record->PressureRows)
                               : liquid;
  if (usesMolarVolumes(model)) range = intersect(range, liquid);
  return range;
}

std::vector<RangeWarning> rangeWarnings(const Mixture& mixture, int n, Model model, Real celsius) {
  std::vector<RangeWarning> warnings;
  for (int slot = 0; slot < n && slot < 4; ++slot) {
    const std::optional<TemperatureRange> range = componentValidRange(mixture, slot, model);
    if (!range) continue;
    if (celsius >= range->Low && celsius <= range->High) continue;
    warnings.push_back({slot, mixture.ComponentNames[static_cast<std::size_t>(slot)], *range});
  }
  return warnings;
}

std::string rangeWarningText(const RangeWarning& warning, Language lang) {
  return render(kRangeWarningText, lang,
                {warning.Name, formatSignificant(warning.Range.Low, 6),
                 formatSignificant(warning.Range.High, 6)});
}

}  // namespace bubblix
