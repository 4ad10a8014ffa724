#include "core/fitting/objective_fit.h"

#include <ceres/ceres.h>

#include <algorithm>
#include <cmath>

#include "core/base/errors.h"
#include "core/base/units.h"
#include "core/fitting/ceres_boundary.h"
#include "core/fitting/maximum_likelihood_fit.h"
#include "core/fitting/pair_model.h"
#include "core/fitting/parameter_covariance.h"
#include "core/io/number_format.h"
#include "core/texts/objective_texts.h"

namespace bubblix {

std::string_view objectiveName(FitObjective objective) {
  switch (objective) {
    case FitObjective::Y1:
      return "y1";
    case FitObjective::Y:
      return "y";
    case FitObjective::Bubble:
      return "bubble";
    case FitObjective::ML:
      return "ml";
  }
  return "y1";
}

std::optional<FitObjective> objectiveFromName(std::string_view name) {
  for (FitObjective objective :
       {FitObjective::Y1, FitObjective::Y, FitObjective::Bubble, FitObjective::ML}) {
    if (objectiveName(objective) == name) return objective;
  }
  return std::nullopt;
}

namespace {

using fitting_detail::applyCovariance;
using fitting_detail::boundFreeValues;
using fitting_detail::freeValues;
using fitting_detail::kAtBoundTolerance;
using fitting_detail::kCentralDifferenceLimit;
using fitting_detail::kJacobianRelativeStep;
using fitting_detail::mlSchurComplement;
using fitting_detail::PairModel;
using fitting_detail::RealMatrix;
using fitting_detail::setSolverOptions;
using fitting_detail::solveMaximumLikelihood;
using fitting_detail::solveWithProgress;
using fitting_detail::withFreeValues;

// The least-squares objectives' residuals of the free parameters for Ceres, where they cross
// from Real into double.
struct CeresResiduals {
  PairModel* model;
  const std::vector<int>* freeIndex;
  TParamVector base;  // the fixed values, and the free ones' places
  int count;
  mutable std::vector<Real> r;

  bool operator()(double const* const* parameters, double* out) const {
    model->setParameters(withFreeValues(base, *freeIndex, parameters[0]));
    r.resize(static_cast<std::size_t>(count));
    if (!model->residuals(r)) return false;
    for (int m = 0; m < count; ++m)
      out[m] = static_cast<double>(r[static_cast<std::size_t>(m)]);
    return true;
  }
};

template <ceres::NumericDiffMethodType method>
ceres::CostFunction* costFunction(PairModel* pair, const std::vector<int>* freeIndex,
                                  const TParamVector& base, int residualCount, int freeCount) {
  auto* cost = new ceres::DynamicNumericDiffCostFunction<CeresResiduals, method>(
      new CeresResiduals{pair, freeIndex, base, residualCount, {}});
  cost->AddParameterBlock(freeCount);
  cost->SetNumResiduals(residualCount);
  return cost;
}

std::string limitLabel(int k) {
  return "#" + std::to_string(k + 1);
}

bool sigmaValid(Real sigma) {
  return std::isfinite(sigma) && sigma > 0.0L;
}

}  // namespace

ObjectiveFitResult fitObjective(FittingState& state, const Mixture& mixture, Model model, int n,
                                const TParamVector& start, const ObjectiveFitRequest& request) {
  const TBinaryFitData& fit = state.Fit;
  const std::vector<std::string> pairNames = {fit.names[0], fit.names[1]};
  if (request.Objective == FitObjective::Y1) {
    throw InputError(texts::kTooFewResiduals, {pairNames[0], pairNames[1], "0", "0"});
  }
  const bool ml = request.Objective == FitObjective::ML;
  // The sigmas the objective divides by.
  const std::pair<const char*, Real> sigmas[] = {{"t", request.Sigmas.T},
                                                 {"p", request.Sigmas.PmmHg},
                                                 {"x", request.Sigmas.x},
                                                 {"y", request.Sigmas.y}};
  for (const auto& [key, sigma] : sigmas) {
    const bool used = request.Objective == FitObjective::ML ||
                      (request.Objective == FitObjective::Bubble && std::string_view(key) != "x");
    if (used && !sigmaValid(sigma)) {
      throw InputError(texts::kSigmaInvalid,
                       {pairNames[0], pairNames[1], key, formatGeneral(sigma, 10),
                        std::string(objectiveName(request.Objective))});
    }
  }
  PairModel pair(state, mixture, model, request);

  ObjectiveFitResult result;
  result.Objective = request.Objective;
  result.Isothermal = pair.isothermal();
  result.Fixed.assign(static_cast<std::size_t>(n), false);
  result.AtBound.assign(static_cast<std::size_t>(n), false);

  // The limits, checked, and the start moved inside them.
  TParamVector p = start;
  std::vector<Real> lower(static_cast<std::size_t>(n), -std::numeric_limits<Real>::infinity());
  std::vector<Real> upper(static_cast<std::size_t>(n), std::numeric_limits<Real>::infinity());
  std::vector<int> freeIndex;
  for (int k = 0; k < n; ++k) {
    const auto K = static_cast<std::size_t>(k);
    if (K < request.Limits.size()) {
      const ParameterLimits& limits = request.Limits[K];
      lower[K] = limits.Lower;
      upper[K] = limits.Upper;
      if (!(lower[K] <= upper[K]) ||
          (limits.Fixed && (!std::isfinite(*limits.Fixed) || *limits.Fixed < lower[K] ||
                            *limits.Fixed > upper[K]))) {
        throw InputError(texts::kLimitsContradict,
                         {pairNames[0], pairNames[1], limitLabel(k), formatGeneral(lower[K], 10),
                          formatGeneral(upper[K], 10)});
      }
      if (limits.Fixed) {
        p[K] = *limits.Fixed;
        result.Fixed[K] = true;
        continue;
      }
    }
    p[K] = std::clamp(p[K], lower[K], upper[K]);
    freeIndex.push_back(k);
  }
  const int residualCount = pair.residualCount();
  const int freeCount = static_cast<int>(freeIndex.size());
  int pointUnknowns = 0;
  if (ml) {
    for (std::size_t k = 0; k < fit.N; ++k)
      pointUnknowns += pair.pointUnknownCount(k);
    if (residualCount <= pointUnknowns + freeCount) {
      throw InputError(texts::kTooFewResidualsMl,
                       {pairNames[0], pairNames[1], std::to_string(residualCount),
                        std::to_string(pointUnknowns), std::to_string(freeCount)});
    }
  } else if (residualCount <= freeCount) {
    throw InputError(
        texts::kTooFewResiduals,
        {pairNames[0], pairNames[1], std::to_string(residualCount), std::to_string(freeCount)});
  }
  result.ResidualCount = residualCount;
  result.PointUnknowns = pointUnknowns;
  std::vector<Real> r(static_cast<std::size_t>(residualCount));
  pair.setParameters(p);
  if (!pair.residuals(r)) {
    throw ArithmeticError(texts::kObjectiveStartNotEvaluated, {pairNames[0], pairNames[1]});
  }

  if (ml) {
    solveMaximumLikelihood(pair, p, freeIndex, lower, upper, request, fit.N, result);
  } else if (freeCount > 0) {
    std::vector<double> x = freeValues(p, freeIndex);
    ceres::CostFunction* cost =
        freeCount <= kCentralDifferenceLimit
            ? costFunction<ceres::CENTRAL>(&pair, &freeIndex, p, residualCount, freeCount)
            : costFunction<ceres::FORWARD>(&pair, &freeIndex, p, residualCount, freeCount);
    ceres::Problem problem;
    problem.AddResidualBlock(cost, nullptr, x.data());
    boundFreeValues(problem, x.data(), freeIndex, lower, upper);
    ceres::Solver::Options options;
    setSolverOptions(options);
    options.linear_solver_type = ceres::DENSE_QR;
    solveWithProgress(problem, options, request.Progress, residualCount, result);
    p = withFreeValues(p, freeIndex, x.data());
  } else {
    result.Converged = true;
  }

  pair.setParameters(p);
  if (!pair.residuals(r)) {
    throw ArithmeticError(texts::kObjectiveStartNotEvaluated, {pairNames[0], pairNames[1]});
  }
  result.Parameters.assign(p.begin(), p.begin() + n);
  result.Chi2 = 0.0L;
  for (Real v : r)
    result.Chi2 += v * v;
  result.Dof = residualCount - pointUnknowns - freeCount;

  // The statistics over the free parameters not at a bound.
  std::vector<int> active;
  for (int k : freeIndex) {
    const auto K = static_cast<std::size_t>(k);
    const Real scale = kAtBoundTolerance * std::max(1.0L, std::fabs(p[K]));
    if ((std::isfinite(lower[K]) && p[K] - lower[K] <= scale) ||
        (std::isfinite(upper[K]) && upper[K] - p[K] <= scale)) {
      result.AtBound[K] = true;
    } else {
      active.push_back(k);
    }
  }
  result.StdErrors.assign(static_cast<std::size_t>(n), std::nullopt);
  result.HalfWidths.assign(static_cast<std::size_t>(n), std::nullopt);
  result.Correlation.assign(static_cast<std::size_t>(n),
                            std::vector<std::optional<Real>>(static_cast<std::size_t>(n)));
  if (ml) {
    result.StdErrorsKnownSigma.assign(static_cast<std::size_t>(n), std::nullopt);
    result.HalfWidthsKnownSigma.assign(static_cast<std::size_t>(n), std::nullopt);
  }
  const int a = static_cast<int>(active.size());
  if (ml && a > 0 && result.Dof > 0) {
    RealMatrix normal;
    if (mlSchurComplement(pair, p, active, fit.N, normal)) {
      applyCovariance(normal, active, true, result);
    } else {
      result.Condition = std::numeric_limits<Real>::infinity();
    }
  } else if (a > 0 && result.Dof > 0) {
    RealMatrix J(residualCount, a);
    std::vector<Real> up(static_cast<std::size_t>(residualCount));
    std::vector<Real> down(static_cast<std::size_t>(residualCount));
    bool ok = true;
    for (int c = 0; c < a && ok; ++c) {
      const auto K = static_cast<std::size_t>(active[static_cast<std::size_t>(c)]);
      const Real h = kJacobianRelativeStep * std::max(1.0L, std::fabs(p[K]));
      TParamVector shifted = p;
      shifted[K] = p[K] + h;
      pair.setParameters(shifted);
      ok = pair.residuals(up);
      shifted[K] = p[K] - h;
      pair.setParameters(shifted);
      ok = ok && pair.residuals(down);
      for (int m = 0; m < residualCount && ok; ++m) {
        J(m, c) =
            (up[static_cast<std::size_t>(m)] - down[static_cast<std::size_t>(m)]) / (2.0L * h);
      }
    }
    pair.setParameters(p);
    if (ok) {
      const RealMatrix JtJ = J.transpose() * J;
      applyCovariance(JtJ, active, false, result);
    } else {
      result.Condition = std::numeric_limits<Real>::infinity();
    }
  } else if (a > 0) {
    result.Condition = std::numeric_limits<Real>::infinity();
  }

  // The points, their residuals and the RMS of the bubble points.
  result.E = pair.y1Error();
  Real sumT = 0.0L;
  Real sumP = 0.0L;
  Real sumY = 0.0L;
  Real sumX = 0.0L;
  int countT = 0;
  int countY = 0;
  std::size_t m = 0;
  for (std::size_t k = 0; k < fit.N; ++k) {
    FitPointResult point = pair.point(k);
    const int count = pair.pointResidualCount(k);
    point.Residuals.assign(r.begin() + static_cast<std::ptrdiff_t>(m),
                           r.begin() + static_cast<std::ptrdiff_t>(m) + count);
    m += static_cast<std::size_t>(count);
    if (point.TCalc && point.PCalc) {
      const Real dt = *point.TCalc - point.TMeasured;
      const Real dp = paToMmHg(*point.PCalc - point.PMeasured);
      sumT += dt * dt;
      sumP += dp * dp;
      ++countT;
      if (point.X1 > 0.0L && point.X1 < 1.0L) {
        const Real dy = *point.Y1Calc - point.Y1Measured;
        sumY += dy * dy;
        ++countY;
        if (point.X1Calc) {
          const Real dx = *point.X1Calc - point.X1;
          sumX += dx * dx;
        }
      }
    }
    result.Points.push_back(std::move(point));
  }
  if (countT > 0 && ml) {
    // The adjustments of every measured variable.
    result.RmsT = std::sqrt(sumT / countT);
    result.RmsP = std::sqrt(sumP / countT);
    if (countY > 0) result.RmsX1 = std::sqrt(sumX / countY);
  } else if (countT > 0) {
    if (result.Isothermal) {
      result.RmsP = std::sqrt(sumP / countT);
    } else {
      result.RmsT = std::sqrt(sumT / countT);
    }
  }
  if (countY > 0) result.RmsY1 = std::sqrt(sumY / countY);
  return result;
}

}  // namespace bubblix