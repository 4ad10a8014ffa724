#pragma once
// Internal to the fitting layer: the fit to the ML objective (objective_fit.h gives its
// residuals, unknowns and statistics), the parameters and every point's true values together.

#include <cstddef>
#include <vector>

#include "core/base/real.h"
#include "core/fitting/objective_fit.h"
#include "core/fitting/pair_model.h"
#include "core/fitting/parameter_covariance.h"
#include "core/numerics/param_vector.h"

namespace bubblix::fitting_detail {

// The parameters and every point's unknowns by one bounded Levenberg-Marquardt problem,
// a residual block per point; the point unknowns are eliminated by the Schur complement
// (DENSE_SCHUR), so each step solves a system of the free parameters only. On return p holds
// the parameters and the pair its points' unknowns.
void solveMaximumLikelihood(PairModel& pair, TParamVector& p, const std::vector<int>& freeIndex,
                            const std::vector<Real>& lower, const std::vector<Real>& upper,
                            const ObjectiveFitRequest& request, std::size_t N,
                            ObjectiveFitResult& result);

// The normal matrix of the active parameters with the point unknowns eliminated (the Schur
// complement, see objective_fit.h), from the Jacobian in Real by central differences; a
// point's dx at a bound of the liquid range is held there like a parameter at a bound.
// False when a residual cannot be evaluated.
bool mlSchurComplement(PairModel& pair, const TParamVector& p, const std::vector<int>& active,
                       std::size_t N, RealMatrix& normal);

}  // namespace bubblix::fitting_detail
