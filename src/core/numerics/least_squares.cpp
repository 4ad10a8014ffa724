#include "core/numerics/least_squares.h"

#include <Eigen/Core>
#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <unsupported/Eigen/NonLinearOptimization>

#include "core/base/errors.h"
#include "core/texts/numerics_texts.h"

namespace bubblix {
namespace {

using Vector = Eigen::Matrix<Real, Eigen::Dynamic, 1>;
using Jacobian = Eigen::Matrix<Real, Eigen::Dynamic, Eigen::Dynamic>;

// A point the residuals refuse gets this residual everywhere: far above any S the fit meets,
// so MINPACK rejects the step, yet finite, so its norms stay numbers.
constexpr Real kRefusedResidual = 1e100L;

// The functor MINPACK's lmder calls: residuals and their Jacobian.
struct Problem {
  using Scalar = Real;
  using InputType = Vector;
  using ValueType = Vector;
  using JacobianType = Jacobian;

  const ResidualFunction& residuals;
  int parameterCount;
  int residualCount;
  int evaluations = 0;

  int inputs() const { return parameterCount; }
  int values() const { return residualCount; }

  bool evaluate(const Vector& p, Vector& r) {
    ++evaluations;
    r.resize(residualCount);
    const bool ok = residuals(std::span<const Real>(p.data(), static_cast<std::size_t>(p.size())),
                              std::span<Real>(r.data(), static_cast<std::size_t>(r.size())));
    return ok && r.allFinite();
  }

  int operator()(const Vector& p, Vector& r) {
    if (!evaluate(p, r)) r.setConstant(kRefusedResidual);
    return evaluations > kMaxLeastSquaresEvaluations ? -1 : 0;
  }

  // Central differences; a negative value ends the fit (a point that cannot be evaluated).
  int df(const Vector& p, Jacobian& J) {
    J.resize(residualCount, parameterCount);
    Vector shifted = p;
    Vector up(residualCount);
    Vector down(residualCount);
    for (int k = 0; k < parameterCount; ++k) {
      const Real h = kJacobianStep * std::max(1.0L, std::fabs(p[k]));
      shifted[k] = p[k] + h;
      if (!evaluate(shifted, up)) return -1;
      shifted[k] = p[k] - h;
      if (!evaluate(shifted, down)) return -1;
      shifted[k] = p[k];
      J.col(k) = (up - down) / (2.0L * h);
    }
    return evaluations > kMaxLeastSquaresEvaluations ? -1 : 0;
  }
};

}  // namespace

LeastSquaresResult minimiseSumOfSquares(const ResidualFunction& residuals,
                                        std::span<const Real> start, int residualCount) {
  const int n = static_cast<int>(start.size());
  if (n < 1 || residualCount < n) {
    throw std::invalid_argument("minimiseSumOfSquares: " + std::to_string(residualCount) +
                                " residuals for " + std::to_string(n) + " parameters");
  }
  Problem problem{residuals, n, residualCount};
  Vector p(n);
  for (int k = 0; k < n; ++k)
    p[k] = start[static_cast<std::size_t>(k)];
  Vector r;
  if (!problem.evaluate(p, r)) throw ArithmeticError(texts::kLeastSquaresStartNotEvaluated);

  Eigen::LevenbergMarquardt<Problem, Real> method(problem);
  method.parameters.ftol = kLeastSquaresTolerance;
  method.parameters.xtol = kLeastSquaresTolerance;
  method.parameters.maxfev = kMaxLeastSquaresEvaluations;
  const Eigen::LevenbergMarquardtSpace::Status status = method.minimize(p);

  LeastSquaresResult result;
  result.Parameters.assign(p.data(), p.data() + n);
  const bool finalOk = problem.evaluate(p, r);
  result.Residuals.assign(r.data(), r.data() + residualCount);
  result.SumOfSquares = r.squaredNorm();
  result.Evaluations = problem.evaluations;
  using Eigen::LevenbergMarquardtSpace::Status;
  result.Converged =
      finalOk &&
      (status == Status::RelativeReductionTooSmall || status == Status::RelativeErrorTooSmall ||
       status == Status::RelativeErrorAndReductionTooSmall || status == Status::CosinusTooSmall ||
       status == Status::FtolTooSmall || status == Status::XtolTooSmall ||
       status == Status::GtolTooSmall);
  return result;
}

}  // namespace bubblix
