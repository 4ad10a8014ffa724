#include "core/fitting/ceres_boundary.h"

#include <cmath>
#include <cstddef>

namespace bubblix::fitting_detail {

namespace {

class ProgressCallback final : public ceres::IterationCallback {
 public:
  ProgressCallback(const ObjectiveProgress& progress, int residualCount)
      : progress_(progress), residualCount_(residualCount) {}
  ceres::CallbackReturnType operator()(const ceres::IterationSummary& summary) override {
    if (progress_) {
      progress_(summary.iteration,
                std::sqrt(2.0L * static_cast<Real>(summary.cost) / residualCount_));
    }
    return ceres::SOLVER_CONTINUE;
  }

 private:
  const ObjectiveProgress& progress_;
  int residualCount_;
};

}  // namespace

std::vector<double> freeValues(const TParamVector& p, const std::vector<int>& freeIndex) {
  std::vector<double> x(freeIndex.size());
  for (std::size_t f = 0; f < freeIndex.size(); ++f)
    x[f] = static_cast<double>(p[static_cast<std::size_t>(freeIndex[f])]);
  return x;
}

TParamVector withFreeValues(const TParamVector& base, const std::vector<int>& freeIndex,
                            const double* x) {
  TParamVector p = base;
  for (std::size_t f = 0; f < freeIndex.size(); ++f)
    p[static_cast<std::size_t>(freeIndex[f])] = static_cast<Real>(x[f]);
  return p;
}

void boundFreeValues(ceres::Problem& problem, double* x, const std::vector<int>& freeIndex,
                     const std::vector<Real>& lower, const std::vector<Real>& upper) {
  for (std::size_t f = 0; f < freeIndex.size(); ++f) {
    const auto K = static_cast<std::size_t>(freeIndex[f]);
    const auto index = static_cast<int>(f);
    if (std::isfinite(lower[K]))
      problem.SetParameterLowerBound(x, index, static_cast<double>(lower[K]));
    if (std::isfinite(upper[K]))
      problem.SetParameterUpperBound(x, index, static_cast<double>(upper[K]));
  }
}

void setSolverOptions(ceres::Solver::Options& options) {
  options.trust_region_strategy_type = ceres::LEVENBERG_MARQUARDT;
  options.max_num_iterations = kMaxObjectiveIterations;
  options.function_tolerance = 1e-10;
  options.parameter_tolerance = 1e-10;
  options.gradient_tolerance = 1e-14;
  options.logging_type = ceres::SILENT;
  options.minimizer_progress_to_stdout = false;
  options.num_threads = 1;
}

void solveWithProgress(ceres::Problem& problem, ceres::Solver::Options& options,
                       const ObjectiveProgress& progress, int residualCount,
                       ObjectiveFitResult& result) {
  ProgressCallback callback(progress, residualCount);
  options.callbacks.push_back(&callback);
  ceres::Solver::Summary summary;
  ceres::Solve(options, &problem, &summary);
  options.callbacks.pop_back();  // the callback ends here
  result.Converged = summary.termination_type == ceres::CONVERGENCE;
  result.Iterations = static_cast<int>(summary.iterations.size()) - 1;
}

}  // namespace bubblix::fitting_detail
