#pragma once
// Internal to the fitting layer: what the objectives' fits share at the boundary of Ceres
// Solver, which works in double only. The free parameters cross into it and back here (the
// residuals cross in each fit's cost functor); the models and statistics stay in Real.

#include <ceres/ceres.h>

#include <vector>

#include "core/base/real.h"
#include "core/fitting/objective_fit.h"
#include "core/numerics/param_vector.h"

namespace bubblix::fitting_detail {

// Up to this many free parameters the Jacobian of the method is a central difference; beyond
// (UNIFAC's group parameters) a forward one, at half the residual evaluations.
inline constexpr int kCentralDifferenceLimit = 3;

// The values of the free parameters p[freeIndex[f]], as Ceres takes them.
std::vector<double> freeValues(const TParamVector& p, const std::vector<int>& freeIndex);
// base (the fixed values, and the free ones' places) with the free parameters x from Ceres.
TParamVector withFreeValues(const TParamVector& base, const std::vector<int>& freeIndex,
                            const double* x);
// The finite ones of the free parameters' bounds on Ceres's parameter block x.
void boundFreeValues(ceres::Problem& problem, double* x, const std::vector<int>& freeIndex,
                     const std::vector<Real>& lower, const std::vector<Real>& upper);

// The options of the bounded Levenberg-Marquardt method; the caller chooses the linear solver.
void setSolverOptions(ceres::Solver::Options& options);
// Solves the problem, telling `progress` each iteration's sqrt(sum r^2 / residualCount); sets
// result.Converged and result.Iterations.
void solveWithProgress(ceres::Problem& problem, ceres::Solver::Options& options,
                       const ObjectiveProgress& progress, int residualCount,
                       ObjectiveFitResult& result);

}  // namespace bubblix::fitting_detail
