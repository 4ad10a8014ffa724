#include "core/fitting/maximum_likelihood_fit.h"

#include <ceres/ceres.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <span>
#include <vector>

#include "core/fitting/ceres_boundary.h"

namespace bubblix::fitting_detail {

namespace {

// The difference step of the statistics' Jacobian by a point's unknowns, in units of its sigma.
constexpr Real kPointJacobianStep = 1e-4L;

// ML: the residuals of point k for Ceres, from the free parameters (the first block, when
// there are any) and the point's own unknowns (the last block: dx and dt inside the liquid
// range, else dt).
struct MlPointResiduals {
  PairModel* model;
  const std::vector<int>* freeIndex;
  const TParamVector* base;  // the fixed values, and the free ones' places
  std::size_t k;
  bool withParameters;
  bool interior;

  bool operator()(double const* const* parameters, double* out) const {
    model->setParameters(withParameters ? withFreeValues(*base, *freeIndex, parameters[0]) : *base);
    const double* u = parameters[withParameters ? 1 : 0];
    const Real dx = interior ? static_cast<Real>(u[0]) : 0.0L;
    const Real dt = static_cast<Real>(interior ? u[1] : u[0]);
    std::array<Real, 4> r{};
    const std::size_t count = interior ? 4 : 2;
    if (!model->mlPointResiduals(k, dx, dt, std::span<Real>(r.data(), count))) return false;
    for (std::size_t m = 0; m < count; ++m)
      out[m] = static_cast<double>(r[m]);
    return true;
  }
};

template <ceres::NumericDiffMethodType method>
ceres::CostFunction* mlCostFunction(const MlPointResiduals& functor, int freeCount) {
  auto* cost = new ceres::DynamicNumericDiffCostFunction<MlPointResiduals, method>(
      new MlPointResiduals(functor));
  if (functor.withParameters) cost->AddParameterBlock(freeCount);
  cost->AddParameterBlock(functor.interior ? 2 : 1);
  cost->SetNumResiduals(functor.interior ? 4 : 2);
  return cost;
}

}  // namespace

void solveMaximumLikelihood(PairModel& pair, TParamVector& p, const std::vector<int>& freeIndex,
                            const std::vector<Real>& lower, const std::vector<Real>& upper,
                            const ObjectiveFitRequest& request, std::size_t N,
                            ObjectiveFitResult& result) {
  const int freeCount = static_cast<int>(freeIndex.size());
  const TParamVector base = p;
  std::vector<double> x = freeValues(p, freeIndex);
  std::vector<std::array<double, 2>> u(N);
  ceres::Problem problem;
  auto ordering = std::make_shared<ceres::ParameterBlockOrdering>();
  for (std::size_t k = 0; k < N; ++k) {
    const bool interior = pair.interior(k);
    u[k] = interior ? std::array<double, 2>{static_cast<double>(pair.pointDx(k)),
                                            static_cast<double>(pair.pointDt(k))}
                    : std::array<double, 2>{static_cast<double>(pair.pointDt(k)), 0.0};
    const MlPointResiduals functor{&pair, &freeIndex, &base, k, freeCount > 0, interior};
    ceres::CostFunction* cost = freeCount <= kCentralDifferenceLimit
                                    ? mlCostFunction<ceres::CENTRAL>(functor, freeCount)
                                    : mlCostFunction<ceres::FORWARD>(functor, freeCount);
    std::vector<double*> blocks;
    if (freeCount > 0) blocks.push_back(x.data());
    blocks.push_back(u[k].data());
    problem.AddResidualBlock(cost, nullptr, blocks);
    if (interior) {
      problem.SetParameterLowerBound(u[k].data(), 0, static_cast<double>(pair.dxLower(k)));
      problem.SetParameterUpperBound(u[k].data(), 0, static_cast<double>(pair.dxUpper(k)));
    }
    ordering->AddElementToGroup(u[k].data(), 0);
  }
  if (freeCount > 0) {
    ordering->AddElementToGroup(x.data(), 1);
    boundFreeValues(problem, x.data(), freeIndex, lower, upper);
  }
  ceres::Solver::Options options;
  setSolverOptions(options);
  if (freeCount > 0) {
    options.linear_solver_type = ceres::DENSE_SCHUR;
    options.linear_solver_ordering = ordering;
  } else {
    options.linear_solver_type = ceres::DENSE_QR;  // independent points, a small system
  }
  solveWithProgress(problem, options, request.Progress, result.ResidualCount, result);
  p = withFreeValues(p, freeIndex, x.data());
  for (std::size_t k = 0; k < N; ++k) {
    if (pair.interior(k)) {
      pair.setPointUnknowns(k, static_cast<Real>(u[k][0]), static_cast<Real>(u[k][1]));
    } else {
      pair.setPointUnknowns(k, 0.0L, static_cast<Real>(u[k][0]));
    }
  }
}

bool mlSchurComplement(PairModel& pair, const TParamVector& p, const std::vector<int>& active,
                       std::size_t N, RealMatrix& normal) {
  const int a = static_cast<int>(active.size());
  std::vector<RealMatrix> A(N);
  for (std::size_t k = 0; k < N; ++k)
    A[k] = RealMatrix::Zero(pair.pointResidualCount(k), a);
  std::array<Real, 4> up{};
  std::array<Real, 4> down{};
  for (int c = 0; c < a; ++c) {
    const auto K = static_cast<std::size_t>(active[static_cast<std::size_t>(c)]);
    const Real h = kJacobianRelativeStep * std::max(1.0L, std::fabs(p[K]));
    TParamVector shifted = p;
    for (std::size_t k = 0; k < N; ++k) {
      const auto count = static_cast<std::size_t>(pair.pointResidualCount(k));
      shifted[K] = p[K] + h;
      pair.setParameters(shifted);
      if (!pair.mlPointResiduals(k, pair.pointDx(k), pair.pointDt(k), std::span(up.data(), count)))
        return false;
      shifted[K] = p[K] - h;
      pair.setParameters(shifted);
      if (!pair.mlPointResiduals(k, pair.pointDx(k), pair.pointDt(k),
                                 std::span(down.data(), count)))
        return false;
      for (std::size_t m = 0; m < count; ++m)
        A[k](static_cast<Eigen::Index>(m), c) = (up[m] - down[m]) / (2.0L * h);
    }
  }
  pair.setParameters(p);
  normal = RealMatrix::Zero(a, a);
  for (std::size_t k = 0; k < N; ++k) {
    const auto count = static_cast<std::size_t>(pair.pointResidualCount(k));
    const Real dx = pair.pointDx(k);
    const Real dt = pair.pointDt(k);
    const Real scale = kAtBoundTolerance * std::max(1.0L, std::fabs(dx));
    const bool dxFree =
        pair.interior(k) && dx - pair.dxLower(k) > scale && pair.dxUpper(k) - dx > scale;
    RealMatrix B(static_cast<Eigen::Index>(count), dxFree ? 2 : 1);
    const Real h = kPointJacobianStep;
    int column = 0;
    if (dxFree) {
      if (!pair.mlPointResiduals(k, dx + h, dt, std::span(up.data(), count)) ||
          !pair.mlPointResiduals(k, dx - h, dt, std::span(down.data(), count)))
        return false;
      for (std::size_t m = 0; m < count; ++m)
        B(static_cast<Eigen::Index>(m), column) = (up[m] - down[m]) / (2.0L * h);
      ++column;
    }
    if (!pair.mlPointResiduals(k, dx, dt + h, std::span(up.data(), count)) ||
        !pair.mlPointResiduals(k, dx, dt - h, std::span(down.data(), count)))
      return false;
    for (std::size_t m = 0; m < count; ++m)
      B(static_cast<Eigen::Index>(m), column) = (up[m] - down[m]) / (2.0L * h);
    // B^T B holds the identity of the unknowns' own residuals, so it is never singular.
    const RealMatrix BtB = B.transpose() * B;
    const RealMatrix BtA = B.transpose() * A[k];
    normal += A[k].transpose() * A[k] - BtA.transpose() * BtB.ldlt().solve(BtA);
  }
  return true;
}

}  // namespace bubblix::fitting_detail
