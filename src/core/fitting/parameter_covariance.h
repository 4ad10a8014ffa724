#pragma once
// Internal to the fitting layer: the covariance of the fitted parameters from a normal matrix,
// shared by the objectives' fits (the equations are in objective_fit.h).

#include <Eigen/Dense>
#include <vector>

#include "core/base/real.h"
#include "core/fitting/objective_fit.h"

namespace bubblix::fitting_detail {

using RealMatrix = Eigen::Matrix<Real, Eigen::Dynamic, Eigen::Dynamic>;

// The difference step of the statistics' Jacobian by a parameter p: this times max(1, |p|).
inline constexpr Real kJacobianRelativeStep = 1e-5L;
// A value within this times max(1, |value|) of a bound is at the bound: it is held there and
// has no statistics.
inline constexpr Real kAtBoundTolerance = 1e-8L;

// The covariance of the active parameters from the normal matrix `normal` (J^T J, or for ML its
// Schur complement): the condition number, and when it is below the limit the standard errors,
// the intervals and the correlation matrix of C = s^2 normal^-1, s^2 = chi2 / nu (for ML also
// those of s^2 = 1).
void applyCovariance(const RealMatrix& normal, const std::vector<int>& active, bool knownSigma,
                     ObjectiveFitResult& result);

}  // namespace bubblix::fitting_detail
