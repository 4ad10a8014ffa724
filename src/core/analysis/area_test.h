#pragma once
// The area tests of binary equilibrium data. A is the integral of f = ln(gamma1/gamma2) over
// x1 = 0..1, taken piecewise linearly:
//   trapezoids between the points in ascending x1, and the two end segments from x1 = 0 to the
//   first point and from the last point to x1 = 1, with f(0) and f(1) extrapolated linearly
//   from the two nearest points of distinct x1; a trapezoid whose ends differ in sign is split
//   at the linear zero crossing, so each piece lies wholly above or below zero.
// A+ and A- are the areas above and below zero (both >= 0), and
//   D = 100 |A+ - A-| / (A+ + A-)                                  (0 when both are zero).
// Isobaric sets, Herington (1951): J = 150 (T_max - T_min) / T_min over all points of the set,
// T in K; consistent when D - J < 10. Isothermal sets, Redlich and Kister (1948): consistent
// when D < 10. A set that is neither has no area test.

#include <span>

#include "core/analysis/consistency_data.h"
#include "core/base/real.h"

namespace bubblix {

inline constexpr Real kHeringtonLimit = 10.0L;      // on D - J
inline constexpr Real kRedlichKisterLimit = 10.0L;  // on D

struct SignedAreas {
  Real Above = 0;  // A+
  Real Below = 0;  // A-, as a positive number
};

// f over the ascending abscissae x1 (equal neighbours allowed; the two spans have one
// length). Throws InputError unless at least two of the abscissae differ.
SignedAreas areasOverUnitInterval(std::span<const Real> x1, std::span<const Real> f);

Real areaDeviation(const SignedAreas& areas);  // D

// J of all points of the set; tau = T / 273.15 K, so (T_max - T_min) / T_min needs no units.
Real heringtonJ(std::span<const DataPoint> points);

}  // namespace bubblix
