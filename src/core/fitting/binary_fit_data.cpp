#include "core/fitting/binary_fit_data.h"

#include <algorithm>
#include <string>

#include "core/base/errors.h"
#include "core/texts/data_texts.h"

namespace bubblix {

void loadExperimentalPoints(const ExperimentalPoints& points, TBinaryFitData& fit) {
  const std::size_t n = points.tau.size();
  if (n > kMaxFitPoints) {
    throw DataError(kTooManyPointsText, {std::to_string(points.A), std::to_string(points.B),
                                         std::to_string(n), std::to_string(kMaxFitPoints)});
  }
  fit.N = static_cast<std::uint16_t>(n);
  fit.P = points.P;
  fit.WilsonStart = {};
  fit.NRTLStart = {};
  fit.UNIQUACStart = {};
  std::copy(points.WilsonStart.begin(), points.WilsonStart.end(), fit.WilsonStart.begin());
  std::copy(points.NRTLStart.begin(), points.NRTLStart.end(), fit.NRTLStart.begin());
  std::copy(points.UNIQUACStart.begin(), points.UNIQUACStart.end(), fit.UNIQUACStart.begin());
  for (std::size_t k = 0; k < kMaxFitPoints; ++k) {
    const bool point = k < n;
    fit.tau[k] = point ? points.tau[k] : 0;
    fit.x1[k] = point ? points.x1[k] : 0;
    fit.y1[k] = point ? points.y1[k] : 0;
  }
}

}  // namespace bubblix
