#include "core/fitting/objective_fit.h"

#include <ceres/ceres.h>

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>
#include <span>

#include "core/base/errors.h"
#include "core/base/units.h"
#include "core/io/number_format.h"
#include "core/models/solvers.h"
#include "core/models/unifac.h"
#include "core/numerics/student_t.h"
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
  }
  return "y1";
}

std::optional<FitObjective> objectiveFromName(std::string_view name) {
  for (FitObjective objective : {FitObjective::Y1, FitObjective::Y, FitObjective::Bubble}) {
    if (objectiveName(objective) == name) return objective;
  }
  return std::nullopt;
}

namespace {

constexpr Real kBubbleLogTolerance = 1e-15L;   // of ln(sum) - ln P
constexpr Real kBubbleMaxStep = 0.05L;         // tau, 13.7 K
constexpr Real kBubbleDerivativeStep = 1e-7L;  // tau
constexpr int kBubbleMaxIterations = 60;
constexpr Real kJacobianRelativeStep = 1e-5L;
constexpr Real kAtBoundTolerance = 1e-8L;
constexpr Real kIsobaricSpread = 0.01L;    // (P_max - P_min) / P_min
constexpr Real kIsothermalSpreadK = 0.1L;  // t_max - t_min

bool inLiquid(Real x) {
  return x > 0.0L;
}

// The pair's model at the fit data's points: gamma of both components, bubble points, the
// residuals of the objective.
class PairModel {
 public:
  PairModel(FittingState& state, const Mixture& mixture, Model model,
            const ObjectiveFitRequest& request)
      : state_(state),
        fit_(state.Fit),
        mixture_(mixture),
        model_(model),
        objective_(request.Objective),
        sigmaTau_(request.Sigmas.T / kZeroCelsiusK),
        sigmaP_(mmHgToPa(request.Sigmas.PmmHg)),
        sigmaY_(request.Sigmas.y) {
    const std::size_t N = fit_.N;
    PsatJ_.resize(N);
    lastTau_.assign(fit_.tau.begin(), fit_.tau.begin() + static_cast<std::ptrdiff_t>(N));
    lastSlope_.assign(N, 0.0L);
    uniquacFactorJ_.resize(N);
    Real pMin = fit_.Pk[0];
    Real pMax = fit_.Pk[0];
    Real tauMin = fit_.tau[0];
    Real tauMax = fit_.tau[0];
    for (std::size_t k = 0; k < N; ++k) {
      PsatJ_[k] = SaturationPressure(mixture_, fit_.j, fit_.tau[k]);
      uniquacFactorJ_[k] = uniquacFactor(1.0L - fit_.x1[k], fit_.r[fit_.j], fit_.r[fit_.i],
                                         fit_.q[fit_.j], fit_.q[fit_.i]);
      pMin = std::min(pMin, fit_.Pk[k]);
      pMax = std::max(pMax, fit_.Pk[k]);
      tauMin = std::min(tauMin, fit_.tau[k]);
      tauMax = std::max(tauMax, fit_.tau[k]);
    }
    const bool isobaric = (pMax - pMin) / pMin < kIsobaricSpread;
    isothermal_ = !isobaric && (tauMax - tauMin) * kZeroCelsiusK < kIsothermalSpreadK;
    residualCount_ = 0;
    for (std::size_t k = 0; k < N; ++k)
      residualCount_ += pointResidualCount(k);
  }

  bool isothermal() const { return isothermal_; }
  int residualCount() const { return residualCount_; }

  int pointResidualCount(std::size_t k) const {
    switch (objective_) {
      case FitObjective::Y1:
        return 1;
      case FitObjective::Y:
        return 2;
      case FitObjective::Bubble: {
        const Real x1 = fit_.x1[k];
        return x1 > 0.0L && x1 < 1.0L ? 2 : 1;
      }
    }
    return 1;
  }

  // Makes p the parameters of the following evaluations (UNIFAC: its tables).
  void setParameters(const TParamVector& p) {
    p_ = p;
    if (model_ == Model::UNIFAC) applyUnifacParameters(state_, p);
  }

  // gamma of i and j at point k's composition and the reduced temperature tau, the molar
  // volumes Vi, Vj.
  void gammas(std::size_t k, Real tau, Real Vi, Real Vj, Real& g1, Real& g2) const {
    const Real x1 = fit_.x1[k];
    const Real x2 = 1.0L - x1;
    switch (model_) {
      case Model::Wilson: {
        const Real L12 = (Vj / Vi) * std::exp(-p_[0] / tau);
        const Real L21 = (Vi / Vj) * std::exp(-p_[1] / tau);
        const Real A = x1 + L12 * x2;
        const Real B = x2 + L21 * x1;
        g1 = std::exp(x2 * (L12 / A - L21 / B)) / A;
        g2 = std::exp(x1 * (L21 / B - L12 / A)) / B;
        return;
      }
      case Model::NRTL: {
        const Real t12 = p_[0] / tau;
        const Real t21 = p_[1] / tau;
        const Real alpha = p_[2];
        const Real G12 = std::exp(-alpha * t12) * (Vj / Vi);
        const Real G21 = std::exp(-alpha * t21) * (Vi / Vj);
        const Real u = G21 / (x1 + G21 * x2);
        const Real w = x2 + G12 * x1;
        g1 = std::exp(x2 * x2 * (t21 * (u * u) + G12 * t12 / (w * w)));
        const Real u2 = G12 / (x2 + G12 * x1);
        const Real w2 = x1 + G21 * x2;
        g2 = std::exp(x1 * x1 * (t12 * (u2 * u2) + G21 * t21 / (w2 * w2)));
        return;
      }
      case Model::UNIQUAC: {
        const Real ri = fit_.r[fit_.i];
        const Real rj = fit_.r[fit_.j];
        const Real qi = fit_.q[fit_.i];
        const Real qj = fit_.q[fit_.j];
        const Real li = 5.0L * (ri - qi) - (ri - 1.0L);
        const Real lj = 5.0L * (rj - qj) - (rj - 1.0L);
        const Real T12 = std::exp(-p_[0] / tau);
        const Real T21 = std::exp(-p_[1] / tau);
        const Real Sr = ri * x1 + rj * x2;
        const Real Sq = qi * x1 + qj * x2;
        const Real Phi1 = ri * x1 / Sr;
        const Real Phi2 = rj * x2 / Sr;
        const Real theta1 = qi * x1 / Sq;
        const Real theta2 = qj * x2 / Sq;
        const Real A = theta1 + theta2 * T21;
        const Real B = theta2 + theta1 * T12;
        g1 = fit_.UNIQUACFactor[k] *
             std::exp(Phi2 * (li - ri * lj / rj) + qi * theta2 * (T21 / A - T12 / B)) /
             std::pow(A, qi);
        g2 = uniquacFactorJ_[k] *
             std::exp(Phi1 * (lj - rj * li / ri) + qj * theta1 * (T12 / B - T21 / A)) /
             std::pow(B, qj);
        return;
      }
      case Model::UNIFAC: {
        CompositionVector gamma{};
        UNIFACGamma(2, fit_.GroupCount, fit_.GroupIdsA, fit_.GroupIdsB, gamma, fit_.ComponentGroups,
                    fit_.CombinatorialGamma[k], fit_.GroupMatrix, fit_.GroupFractions[k],
                    fit_.GroupQ, tau);
        g1 = gamma[0];
        g2 = gamma[1];
        return;
      }
    }
  }

  // The bubble point of point k: tau and y1 at the measured P (isobaric, mixed), or P and y1 at
  // the measured tau (isothermal). False when it is not found.
  bool bubble(std::size_t k, Real& tau, Real& P, Real& y1) const {
    const Real x1 = fit_.x1[k];
    const Real x2 = 1.0L - x1;
    const std::size_t I = fit_.i;
    const std::size_t J = fit_.j;
    try {
      if (isothermal_) {
        tau = fit_.tau[k];
        Real g1 = 0;
        Real g2 = 0;
        gammas(k, tau, fit_.V[I][k], fit_.V[J][k], g1, g2);
        const Real p1 = x1 * g1 * fit_.Psat[I][k];
        P = p1 + x2 * g2 * PsatJ_[k];
        y1 = p1 / P;
        return std::isfinite(P) && P > 0.0L && std::isfinite(y1);
      }
      P = fit_.Pk[k];
      const Real lnP = std::log(P);
      auto partial = [&](Real t, Real& p1) {
        const Real celsius = celsiusFromTau(t);
        const Real Vi = MolarVolume(mixture_, fit_.i, celsius);
        const Real Vj = MolarVolume(mixture_, fit_.j, celsius);
        Real g1 = 0;
        Real g2 = 0;
        gammas(k, t, Vi, Vj, g1, g2);
        p1 = x1 * g1 * SaturationPressure(mixture_, fit_.i, t);
        return p1 + x2 * g2 * SaturationPressure(mixture_, fit_.j, t);
      };
      // From the point's last bubble temperature: during a fit the parameters change little
      // from one evaluation to the next, and the iteration ends at the same root from any
      // start close to it.
      tau = lastTau_[k];
      Real p1 = 0;
      Real S = partial(tau, p1);
      if (!std::isfinite(S) || !(S > 0.0L)) return false;
      Real f = std::log(S) - lnP;
      // The slope of the point's last solution, or a difference quotient at first.
      Real slope = lastSlope_[k];
      if (slope == 0.0L) {
        Real q1 = 0;
        const Real fh = std::log(partial(tau + kBubbleDerivativeStep, q1)) - lnP;
        slope = (fh - f) / kBubbleDerivativeStep;
      }
      // Secant steps, until ln of the sum is within kBubbleLogTolerance of ln P.
      for (int iteration = 0;
           iteration < kBubbleMaxIterations && std::fabs(f) > kBubbleLogTolerance; ++iteration) {
        if (!std::isfinite(slope) || slope == 0.0L) return false;
        const Real step = std::clamp(-f / slope, -kBubbleMaxStep, kBubbleMaxStep);
        tau += step;
        S = partial(tau, p1);
        if (!std::isfinite(S) || !(S > 0.0L)) return false;
        const Real fNew = std::log(S) - lnP;
        if (step != 0.0L) slope = (fNew - f) / step;
        f = fNew;
      }
      y1 = p1 / P;
      const bool found =
          std::isfinite(S) && std::fabs(S / P - 1.0L) <= kBubbleSumTolerance && std::isfinite(y1);
      if (found) {
        lastTau_[k] = tau;
        if (std::isfinite(slope) && slope != 0.0L) lastSlope_[k] = slope;
      }
      return found;
    } catch (const Error&) {
      return false;
    }
  }

  // The residuals of the objective at the parameters of setParameters; false when one cannot
  // be evaluated.
  bool residuals(std::span<Real> r) const {
    const std::size_t I = fit_.i;
    const std::size_t J = fit_.j;
    std::size_t m = 0;
    for (std::size_t k = 0; k < fit_.N; ++k) {
      const Real x1 = fit_.x1[k];
      switch (objective_) {
        case FitObjective::Y1:
        case FitObjective::Y: {
          Real g1 = 0;
          Real g2 = 0;
          gammas(k, fit_.tau[k], fit_.V[I][k], fit_.V[J][k], g1, g2);
          r[m++] = fit_.y1[k] - x1 * g1 * fit_.Psat[I][k] / fit_.Pk[k];
          if (objective_ == FitObjective::Y) {
            r[m++] = (1.0L - fit_.y1[k]) - (1.0L - x1) * g2 * PsatJ_[k] / fit_.Pk[k];
          }
          break;
        }
        case FitObjective::Bubble: {
          Real tau = 0;
          Real P = 0;
          Real y1 = 0;
          if (!bubble(k, tau, P, y1)) return false;
          r[m++] = isothermal_ ? (P - fit_.Pk[k]) / sigmaP_ : (tau - fit_.tau[k]) / sigmaTau_;
          if (x1 > 0.0L && x1 < 1.0L) r[m++] = (y1 - fit_.y1[k]) / sigmaY_;
          break;
        }
      }
    }
    return std::all_of(r.begin(), r.begin() + static_cast<std::ptrdiff_t>(m),
                       [](Real v) { return std::isfinite(v); });
  }

  // E = sqrt(S / N) of the y1 sum at the parameters of setParameters.
  Real y1Error() const {
    const std::size_t I = fit_.i;
    const std::size_t J = fit_.j;
    Real S = 0.0L;
    for (std::size_t k = 0; k < fit_.N; ++k) {
      Real g1 = 0;
      Real g2 = 0;
      gammas(k, fit_.tau[k], fit_.V[I][k], fit_.V[J][k], g1, g2);
      const Real d = fit_.y1[k] - fit_.x1[k] * g1 * fit_.Psat[I][k] / fit_.Pk[k];
      S += d * d;
    }
    return std::sqrt(S / static_cast<Real>(fit_.N));
  }

  FitPointResult point(std::size_t k) const {
    const std::size_t I = fit_.i;
    const std::size_t J = fit_.j;
    FitPointResult result;
    const Real x1 = fit_.x1[k];
    const Real x2 = 1.0L - x1;
    const Real y1 = fit_.y1[k];
    result.TMeasured = celsiusFromTau(fit_.tau[k]);
    result.PMeasured = fit_.Pk[k];
    result.Y1Measured = y1;
    result.X1 = x1;
    Real g1 = 0;
    Real g2 = 0;
    try {
      gammas(k, fit_.tau[k], fit_.V[I][k], fit_.V[J][k], g1, g2);
      if (std::isfinite(g1)) result.Gamma1Model = g1;
      if (std::isfinite(g2)) result.Gamma2Model = g2;
    } catch (const Error&) {
    }
    if (inLiquid(x1)) result.Gamma1Data = y1 * fit_.Pk[k] / (x1 * fit_.Psat[I][k]);
    if (inLiquid(x2)) result.Gamma2Data = (1.0L - y1) * fit_.Pk[k] / (x2 * PsatJ_[k]);
    Real tau = 0;
    Real P = 0;
    Real y1Calc = 0;
    if (bubble(k, tau, P, y1Calc)) {
      result.TCalc = celsiusFromTau(tau);
      result.PCalc = P;
      result.Y1Calc = y1Calc;
    }
    return result;
  }

 private:
  FittingState& state_;
  TBinaryFitData& fit_;
  const Mixture& mixture_;
  Model model_;
  FitObjective objective_;
  Real sigmaTau_;
  Real sigmaP_;
  Real sigmaY_;
  bool isothermal_ = false;
  int residualCount_ = 0;
  std::vector<Real> PsatJ_;
  std::vector<Real> uniquacFactorJ_;
  mutable std::vector<Real> lastTau_;    // the last bubble temperature found at each point
  mutable std::vector<Real> lastSlope_;  // d ln(sum) / d tau there; 0: none yet
  TParamVector p_{};
};

// The residuals of the free parameters for Ceres: the one place where values cross between
// double and Real.
struct CeresResiduals {
  PairModel* model;
  const std::vector<int>* freeIndex;
  TParamVector base;  // the fixed values, and the free ones' places
  int count;
  mutable std::vector<Real> r;

  bool operator()(double const* const* parameters, double* out) const {
    TParamVector p = base;
    for (std::size_t f = 0; f < freeIndex->size(); ++f) {
      p[static_cast<std::size_t>((*freeIndex)[f])] = static_cast<Real>(parameters[0][f]);
    }
    model->setParameters(p);
    r.resize(static_cast<std::size_t>(count));
    if (!model->residuals(r)) return false;
    for (int m = 0; m < count; ++m)
      out[m] = static_cast<double>(r[static_cast<std::size_t>(m)]);
    return true;
  }
};

// Up to this many free parameters the Jacobian of the method is a central difference; beyond
// (UNIFAC's group parameters) a forward one, at half the residual evaluations.
constexpr int kCentralDifferenceLimit = 3;

template <ceres::NumericDiffMethodType method>
ceres::CostFunction* costFunction(PairModel* pair, const std::vector<int>* freeIndex,
                                  const TParamVector& base, int residualCount, int freeCount) {
  auto* cost = new ceres::DynamicNumericDiffCostFunction<CeresResiduals, method>(
      new CeresResiduals{pair, freeIndex, base, residualCount, {}});
  cost->AddParameterBlock(freeCount);
  cost->SetNumResiduals(residualCount);
  return cost;
}

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

std::string limitLabel(int k) {
  return "#" + std::to_string(k + 1);
}

}  // namespace

ObjectiveFitResult fitObjective(FittingState& state, const Mixture& mixture, Model model, int n,
                                const TParamVector& start, const ObjectiveFitRequest& request) {
  const TBinaryFitData& fit = state.Fit;
  const std::vector<std::string> pairNames = {fit.names[0], fit.names[1]};
  if (request.Objective == FitObjective::Y1) {
    throw InputError(texts::kTooFewResiduals, {pairNames[0], pairNames[1], "0", "0"});
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
  if (residualCount <= freeCount) {
    throw InputError(
        texts::kTooFewResiduals,
        {pairNames[0], pairNames[1], std::to_string(residualCount), std::to_string(freeCount)});
  }
  std::vector<Real> r(static_cast<std::size_t>(residualCount));
  pair.setParameters(p);
  if (!pair.residuals(r)) {
    throw ArithmeticError(texts::kObjectiveStartNotEvaluated, {pairNames[0], pairNames[1]});
  }

  if (freeCount > 0) {
    std::vector<double> x(static_cast<std::size_t>(freeCount));
    for (int f = 0; f < freeCount; ++f)
      x[static_cast<std::size_t>(f)] =
          static_cast<double>(p[static_cast<std::size_t>(freeIndex[static_cast<std::size_t>(f)])]);
    ceres::CostFunction* cost =
        freeCount <= kCentralDifferenceLimit
            ? costFunction<ceres::CENTRAL>(&pair, &freeIndex, p, residualCount, freeCount)
            : costFunction<ceres::FORWARD>(&pair, &freeIndex, p, residualCount, freeCount);
    ceres::Problem problem;
    problem.AddResidualBlock(cost, nullptr, x.data());
    for (int f = 0; f < freeCount; ++f) {
      const auto K = static_cast<std::size_t>(freeIndex[static_cast<std::size_t>(f)]);
      if (std::isfinite(lower[K]))
        problem.SetParameterLowerBound(x.data(), f, static_cast<double>(lower[K]));
      if (std::isfinite(upper[K]))
        problem.SetParameterUpperBound(x.data(), f, static_cast<double>(upper[K]));
    }
    ceres::Solver::Options options;
    options.trust_region_strategy_type = ceres::LEVENBERG_MARQUARDT;
    options.linear_solver_type = ceres::DENSE_QR;
    options.max_num_iterations = kMaxObjectiveIterations;
    options.function_tolerance = 1e-10;
    options.parameter_tolerance = 1e-10;
    options.gradient_tolerance = 1e-14;
    options.logging_type = ceres::SILENT;
    options.minimizer_progress_to_stdout = false;
    options.num_threads = 1;
    ProgressCallback callback(request.Progress, residualCount);
    options.callbacks.push_back(&callback);
    ceres::Solver::Summary summary;
    ceres::Solve(options, &problem, &summary);
    result.Converged = summary.termination_type == ceres::CONVERGENCE;
    result.Iterations = static_cast<int>(summary.iterations.size()) - 1;
    for (int f = 0; f < freeCount; ++f) {
      p[static_cast<std::size_t>(freeIndex[static_cast<std::size_t>(f)])] =
          static_cast<Real>(x[static_cast<std::size_t>(f)]);
    }
  } else {
    result.Converged = true;
  }

  pair.setParameters(p);
  if (!pair.residuals(r)) {
    throw ArithmeticError(texts::kObjectiveStartNotEvaluated, {pairNames[0], pairNames[1]});
  }
  result.Parameters.assign(p.begin(), p.begin() + n);
  result.ResidualCount = residualCount;
  result.Chi2 = 0.0L;
  for (Real v : r)
    result.Chi2 += v * v;
  result.Dof = residualCount - freeCount;

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
  const int a = static_cast<int>(active.size());
  if (a > 0 && result.Dof > 0) {
    using Matrix = Eigen::Matrix<Real, Eigen::Dynamic, Eigen::Dynamic>;
    Matrix J(residualCount, a);
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
      const Matrix JtJ = J.transpose() * J;
      Eigen::SelfAdjointEigenSolver<Matrix> eigen(JtJ);
      const Real smallest = eigen.eigenvalues().minCoeff();
      const Real largest = eigen.eigenvalues().maxCoeff();
      result.Condition =
          smallest > 0.0L ? largest / smallest : std::numeric_limits<Real>::infinity();
      if (smallest > 0.0L && result.Condition <= kConditionLimit) {
        result.Determined = true;
        const Real s2 = result.Chi2 / static_cast<Real>(result.Dof);
        const Matrix C = s2 * JtJ.inverse();
        const Real t = studentTQuantile(0.975L, result.Dof);
        for (int c = 0; c < a; ++c) {
          const auto K = static_cast<std::size_t>(active[static_cast<std::size_t>(c)]);
          const Real se = std::sqrt(C(c, c));
          result.StdErrors[K] = se;
          result.HalfWidths[K] = t * se;
        }
        for (int c = 0; c < a; ++c) {
          for (int d = 0; d < a; ++d) {
            const auto K = static_cast<std::size_t>(active[static_cast<std::size_t>(c)]);
            const auto L = static_cast<std::size_t>(active[static_cast<std::size_t>(d)]);
            result.Correlation[K][L] = C(c, d) / std::sqrt(C(c, c) * C(d, d));
          }
        }
      }
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
      }
    }
    result.Points.push_back(std::move(point));
  }
  if (countT > 0) {
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
