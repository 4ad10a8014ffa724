#include "core/analysis/area_test.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <stdexcept>

#include "core/base/errors.h"
#include "core/texts/consistency_texts.h"

namespace bubblix {
namespace {

// The area of the straight piece from (xl, fl) to (xr, fr), split where it crosses zero.
void addPiece(SignedAreas& areas, Real xl, Real fl, Real xr, Real fr) {
  const Real width = xr - xl;
  const auto add = [&areas](Real area) {
    if (area > 0.0L) {
      areas.Above += area;
    } else {
      areas.Below -= area;
    }
  };
  if ((fl < 0.0L && fr > 0.0L) || (fl > 0.0L && fr < 0.0L)) {
    const Real zero = xl + width * fl / (fl - fr);
    add(0.5L * (zero - xl) * fl);
    add(0.5L * (xr - zero) * fr);
  } else {
    add(0.5L * width * (fl + fr));
  }
}

// f at `at` on the line through point k and the nearest point beyond it (in the direction
// `step`, +1 or -1) of another abscissa.
Real extrapolated(std::span<const Real> x, std::span<const Real> f, std::size_t k, int step,
                  Real at) {
  std::size_t j = k;
  while (true) {
    j = static_cast<std::size_t>(static_cast<long long>(j) + step);
    if (x[j] != x[k]) break;
  }
  return f[k] + (at - x[k]) * (f[j] - f[k]) / (x[j] - x[k]);
}

}  // namespace

SignedAreas areasOverUnitInterval(std::span<const Real> x, std::span<const Real> f) {
  if (x.size() != f.size()) throw std::invalid_argument("areasOverUnitInterval: sizes differ");
  if (x.empty() || std::all_of(x.begin(), x.end(), [&](Real v) { return v == x[0]; })) {
    throw InputError(kAreaTooFewAbscissae);
  }
  const std::size_t last = x.size() - 1;
  SignedAreas areas;
  addPiece(areas, 0.0L, extrapolated(x, f, 0, +1, 0.0L), x[0], f[0]);
  for (std::size_t k = 0; k < last; ++k)
    addPiece(areas, x[k], f[k], x[k + 1], f[k + 1]);
  addPiece(areas, x[last], f[last], 1.0L, extrapolated(x, f, last, -1, 1.0L));
  return areas;
}

Real areaDeviation(const SignedAreas& areas) {
  const Real total = areas.Above + areas.Below;
  return total > 0.0L ? 100.0L * std::fabs(areas.Above - areas.Below) / total : 0.0L;
}

Real heringtonJ(std::span<const DataPoint> points) {
  const DataRanges r = rangesOf(points);
  return 150.0L * (r.TauMax - r.TauMin) / r.TauMin;
}

}  // namespace bubblix
