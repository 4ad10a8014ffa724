#include "core/fitting/parameter_covariance.h"

#include <cmath>
#include <cstddef>
#include <limits>

#include "core/numerics/student_t.h"

namespace bubblix::fitting_detail {

void applyCovariance(const RealMatrix& normal, const std::vector<int>& active, bool knownSigma,
                     ObjectiveFitResult& result) {
  const int a = static_cast<int>(active.size());
  Eigen::SelfAdjointEigenSolver<RealMatrix> eigen(normal);
  const Real smallest = eigen.eigenvalues().minCoeff();
  const Real largest = eigen.eigenvalues().maxCoeff();
  result.Condition = smallest > 0.0L ? largest / smallest : std::numeric_limits<Real>::infinity();
  if (!(smallest > 0.0L && result.Condition <= kConditionLimit)) return;
  result.Determined = true;
  const Real s2 = result.Chi2 / static_cast<Real>(result.Dof);
  const RealMatrix inverse = normal.inverse();
  const RealMatrix C = s2 * inverse;
  const Real t = studentTQuantile(0.975L, result.Dof);
  for (int c = 0; c < a; ++c) {
    const auto K = static_cast<std::size_t>(active[static_cast<std::size_t>(c)]);
    const Real se = std::sqrt(C(c, c));
    result.StdErrors[K] = se;
    result.HalfWidths[K] = t * se;
    if (knownSigma) {
      const Real known = std::sqrt(inverse(c, c));
      result.StdErrorsKnownSigma[K] = known;
      result.HalfWidthsKnownSigma[K] = kNormalQuantile975 * known;
    }
  }
  for (int c = 0; c < a; ++c) {
    for (int d = 0; d < a; ++d) {
      const auto K = static_cast<std::size_t>(active[static_cast<std::size_t>(c)]);
      const auto L = static_cast<std::size_t>(active[static_cast<std::size_t>(d)]);
      result.Correlation[K][L] = C(c, d) / std::sqrt(C(c, c) * C(d, d));
    }
  }
}

}  // namespace bubblix::fitting_detail
