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
  fit.P = points.P;
  fit.WilsonStart = {};
  fit.NRTLStart = {};
  fit.UNIQUACStart = {};
  std::copy(points.WilsonStart.begin(), points.WilsonStart.end(), fit.WilsonStart.begin());
  std::copy(points.NRTLStart.begin(), points.NRTLStart.end(), fit.NRTLStart.begin());
  std::copy(points.UNIQUACStart.begin(), points.UNIQUACStart.end(), fit.UNIQUACStart.begin());
  fit.resizePoints(n);
  for (std::size_t k = 0; k < n; ++k) {
    fit.tau[k] = points.tau[k];
    fit.Pk[k] = k < points.Pressures.size() ? points.Pressures[k] : points.P;
    fit.x1[k] = points.x1[k];
    fit.y1[k] = points.y1[k];
  }
}

void TBinaryFitData::resizePoints(std::size_t n) {
  N = static_cast<std::uint16_t>(n);
  for (std::vector<Real>* table : {&Pk, &x1, &x2, &y1, &tau, &gamma1, &UNIQUACFactor}) {
    table->resize(n);
  }
  for (std::size_t slot = 0; slot < 4; ++slot) {
    Psat[slot].resize(n);
    V[slot].resize(n);
  }
  CombinatorialGamma.resize(n);
  GroupFractions.resize(n);
}

}  // namespace bubblix
