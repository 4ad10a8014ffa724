#pragma once
// Nonlinear least squares: the parameters p that minimise S(p) = sum_i r_i(p)^2 over the
// residuals of a caller's function, by the Levenberg-Marquardt method of MINPACK (lmder, in
// Eigen's port, evaluated in Real). The Jacobian is a central difference of the residuals
// with the step kJacobianStep * max(1, |p_k|) for parameter k.
//
// A trial point where the residuals cannot be evaluated (the function returns false) is
// refused like a step that raises S: the trust region shrinks and the method tries a shorter
// step. Where even the Jacobian's points cannot be evaluated, the fit ends as failed.

#include <functional>
#include <span>
#include <vector>

#include "core/base/real.h"

namespace bubblix {

inline constexpr Real kJacobianStep = 1e-7L;
inline constexpr int kMaxLeastSquaresEvaluations = 2000;  // of the residual function
// The relative change of S and of p at which the fit counts as converged.
inline constexpr Real kLeastSquaresTolerance = 1e-14L;

// residuals(p, r) writes the residuals at p into r (its size is the residual count); false
// when they cannot be evaluated at p.
using ResidualFunction = std::function<bool(std::span<const Real> p, std::span<Real> r)>;

struct LeastSquaresResult {
  std::vector<Real> Parameters;  // the best point found
  std::vector<Real> Residuals;   // at Parameters
  Real SumOfSquares = 0;
  int Evaluations = 0;     // of the residual function, the Jacobian's included
  bool Converged = false;  // a tolerance met (not the evaluation limit or a failure)
};

// Starts at `start`; residualCount must be at least the number of parameters (else
// std::invalid_argument). Throws ArithmeticError when the residuals cannot be evaluated at
// the start.
LeastSquaresResult minimiseSumOfSquares(const ResidualFunction& residuals,
                                        std::span<const Real> start, int residualCount);

}  // namespace bubblix
