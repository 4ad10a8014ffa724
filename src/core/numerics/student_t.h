#pragma once
// Student's t distribution with nu degrees of freedom, for the confidence intervals of fitted
// parameters:
//   F(t) = 1 - I_{nu / (nu + t^2)}(nu / 2, 1 / 2) / 2  for t >= 0,
// I_x(a, b) the regularised incomplete beta function (continued fraction, modified Lentz).

#include "core/base/real.h"

namespace bubblix {

// The regularised incomplete beta function I_x(a, b), a, b > 0, 0 <= x <= 1.
Real regularisedIncompleteBeta(Real x, Real a, Real b);

// The distribution function F(t) for nu >= 1 degrees of freedom.
Real studentTDistribution(Real t, int nu);

// The quantile t_p with F(t_p) = p, 0.5 <= p < 1, nu >= 1; found by bisection to a relative
// 1e-15. Throws std::invalid_argument outside these ranges.
Real studentTQuantile(Real p, int nu);

}  // namespace bubblix
