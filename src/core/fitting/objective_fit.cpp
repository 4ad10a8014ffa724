#include "core/fitting/objective_fit.h"

#include <ceres/ceres.h>

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>
#include <span>

#include "core/base/errors.h"
#include "core/base/units.h"
#include "core/io/number_format.h"
#include "core/models/equilibrium_iterations.h"
#include "core/models/solvers.h"
#include "core/models/unifac.h"
#include "core/models/uniquac.h"
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

// The bubble temperatures of the objective are solved to the last bits of sum y - 1, so that
// the difference quotients of the method and of the statistics are smooth; the first step of
// the warm-started secant.
constexpr Real kBubbleFitTolerance = 1e-15L;
constexpr Real kBubbleFirstStep = 1e-7L;  // tau
constexpr Real kJacobianRelativeStep = 1e-5L;
// The difference step of the statistics' Jacobian by a point's unknowns, in units of its sigma.
constexpr Real kPointJacobianStep = 1e-4L;
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
        sigmaY_(request.Sigmas.y),
        sigmaX_(request.Sigmas.x) {
    const std::size_t N = fit_.N;
    PsatJ_.resize(N);
    lastTau_.assign(fit_.tau.begin(), fit_.tau.begin() + static_cast<std::ptrdiff_t>(N));
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
    dx_.assign(N, 0.0L);
    dt_.assign(N, 0.0L);
    if (objective_ == FitObjective::ML) terms_.resize(N);
  }

  bool isothermal() const { return isothermal_; }
  int residualCount() const { return residualCount_; }

  int pointResidualCount(std::size_t k) const {
    switch (objective_) {
      case FitObjective::Y1:
        return 1;
      case FitObjective::Y:
        return 2;
      case FitObjective::Bubble:
        return interior(k) ? 2 : 1;
      case FitObjective::ML:
        return interior(k) ? 4 : 2;
    }
    return 1;
  }

  // ML: the unknowns of point k, its true x1 (inside the liquid range only) and t.
  int pointUnknownCount(std::size_t k) const { return interior(k) ? 2 : 1; }
  bool interior(std::size_t k) const { return fit_.x1[k] > 0.0L && fit_.x1[k] < 1.0L; }

  // Makes p the parameters of the following evaluations (UNIFAC: its tables). The ML fit sets
  // the same parameters once per point: an unchanged vector is not applied again.
  void setParameters(const TParamVector& p) {
    if (applied_ && p == p_) return;
    p_ = p;
    applied_ = true;
    if (model_ == Model::UNIFAC) applyUnifacParameters(state_, p);
  }

  // ML: the standardised deviations of point k's true x1 and t from the measured ones.
  void setPointUnknowns(std::size_t k, Real dx, Real dt) {
    dx_[k] = dx;
    dt_[k] = dt;
  }
  Real pointDx(std::size_t k) const { return dx_[k]; }
  Real pointDt(std::size_t k) const { return dt_[k]; }
  // The bounds of dx that keep the true x1 within [0, 1].
  Real dxLower(std::size_t k) const { return -fit_.x1[k] / sigmaX_; }
  Real dxUpper(std::size_t k) const { return (1.0L - fit_.x1[k]) / sigmaX_; }
  Real trueX1(std::size_t k, Real dx) const {
    return interior(k) ? std::clamp(fit_.x1[k] + sigmaX_ * dx, 0.0L, 1.0L) : fit_.x1[k];
  }
  Real trueTau(std::size_t k, Real dt) const { return fit_.tau[k] + sigmaTau_ * dt; }

  // ML: the residuals of point k (4 inside the liquid range, else 2) at its unknowns dx, dt and
  // the parameters of setParameters; false when they cannot be evaluated.
  bool mlPointResiduals(std::size_t k, Real dx, Real dt, std::span<Real> r) const {
    Real P = 0;
    Real y1 = 0;
    if (!bubblePressureAt(k, trueX1(k, dx), trueTau(k, dt), P, y1)) return false;
    std::size_t m = 0;
    if (interior(k)) r[m++] = dx;
    r[m++] = dt;
    r[m++] = (P - fit_.Pk[k]) / sigmaP_;
    if (interior(k)) r[m++] = (y1 - fit_.y1[k]) / sigmaY_;
    for (std::size_t c = 0; c < m; ++c) {
      if (!std::isfinite(r[c])) return false;
    }
    return true;
  }

  // The bubble pressure P and y1 of the liquid x1 at the reduced temperature tau, with the
  // molar volumes and vapour pressures there, for point k; false when they cannot be
  // evaluated. The difference quotients by the parameters evaluate a point again and again at
  // the same x1 and tau: the terms that depend on them alone are kept per point and reused
  // when x1 or tau is the same to the bit.
  bool bubblePressureAt(std::size_t k, Real x1, Real tau, Real& P, Real& y1) const {
    try {
      PointTerms& terms = terms_[k];
      if (!(terms.Tau == tau)) {
        const Real celsius = celsiusFromTau(tau);
        terms.Tau = std::numeric_limits<Real>::quiet_NaN();
        terms.Vi = MolarVolume(mixture_, fit_.i, celsius);
        terms.Vj = MolarVolume(mixture_, fit_.j, celsius);
        terms.PsatI = SaturationPressure(mixture_, fit_.i, tau);
        terms.PsatJ = SaturationPressure(mixture_, fit_.j, tau);
        terms.Tau = tau;
      }
      if (!(terms.X1 == x1)) {
        compositionTerms(x1, terms);
        terms.X1 = x1;
      }
      Real g1 = 0;
      Real g2 = 0;
      gammaPair(x1, tau, terms.Vi, terms.Vj, terms.CI, terms.CJ, terms.X, terms.GC, g1, g2);
      const Real p1 = x1 * g1 * terms.PsatI;
      P = p1 + (1.0L - x1) * g2 * terms.PsatJ;
      y1 = p1 / P;
      return std::isfinite(P) && P > 0.0L && std::isfinite(y1);
    } catch (const Error&) {
      return false;
    }
  }

  // gamma of i and j at point k's composition and the reduced temperature tau, the molar
  // volumes Vi, Vj.
  void gammas(std::size_t k, Real tau, Real Vi, Real Vj, Real& g1, Real& g2) const {
    gammaPair(fit_.x1[k], tau, Vi, Vj, fit_.UNIQUACFactor[k], uniquacFactorJ_[k],
              fit_.GroupFractions[k], fit_.CombinatorialGamma[k], g1, g2);
  }

  // ML: what the activity coefficients take from a point's true x1 and t besides the
  // parameters.
  struct PointTerms {
    Real Tau = std::numeric_limits<Real>::quiet_NaN();  // the terms below are at this tau
    Real Vi = 0, Vj = 0, PsatI = 0, PsatJ = 0;
    Real X1 = std::numeric_limits<Real>::quiet_NaN();  // and these at this x1
    Real CI = 0, CJ = 0;                               // UNIQUAC's factors C of i and j
    GroupVector X{};                                   // UNIFAC's group fractions
    CompositionVector GC{};                            // and combinatorial coefficients
  };

  // The composition's own UNIQUAC factors, UNIFAC group fractions and combinatorial
  // coefficients at the liquid fraction x1 of i.
  void compositionTerms(Real x1, PointTerms& terms) const {
    Real& cI = terms.CI;
    Real& cJ = terms.CJ;
    GroupVector& X = terms.X;
    CompositionVector& gC = terms.GC;
    switch (model_) {
      case Model::Wilson:
      case Model::NRTL:
        break;
      case Model::UNIQUAC:
        cI = uniquacFactor(x1, fit_.r[fit_.i], fit_.r[fit_.j], fit_.q[fit_.i], fit_.q[fit_.j]);
        cJ = uniquacFactor(1.0L - x1, fit_.r[fit_.j], fit_.r[fit_.i], fit_.q[fit_.j],
                           fit_.q[fit_.i]);
        break;
      case Model::UNIFAC: {
        const CompositionVector x = {x1, 1.0L - x1, 0.0L, 0.0L, 0.0L};
        const CompositionVector q = {fit_.q[fit_.i], fit_.q[fit_.j], 0.0L, 0.0L, 0.0L};
        const CompositionVector r = {fit_.r[fit_.i], fit_.r[fit_.j], 0.0L, 0.0L, 0.0L};
        GroupFractions(2, fit_.GroupCount, fit_.GroupIdsA, X, fit_.ComponentGroups, x,
                       fit_.GroupIdsB);
        UNIQUACCombinatorial(2, q, r, gC, x);
        break;
      }
    }
  }

  // gamma of i and j at x1, tau, Vi, Vj; cI, cJ the UNIQUAC factors C of i and j, X and gC
  // UNIFAC's group fractions and combinatorial coefficients at x1.
  void gammaPair(Real x1, Real tau, Real Vi, Real Vj, Real cI, Real cJ, const GroupVector& X,
                 const CompositionVector& gC, Real& g1, Real& g2) const {
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
        g1 = cI * std::exp(Phi2 * (li - ri * lj / rj) + qi * theta2 * (T21 / A - T12 / B)) /
             std::pow(A, qi);
        g2 = cJ * std::exp(Phi1 * (lj - rj * li / ri) + qj * theta1 * (T12 / B - T21 / A)) /
             std::pow(B, qj);
        return;
      }
      case Model::UNIFAC: {
        CompositionVector gamma{};
        UNIFACGamma(2, fit_.GroupCount, fit_.GroupIdsA, fit_.GroupIdsB, gamma, fit_.ComponentGroups,
                    gC, fit_.GroupMatrix, X, fit_.GroupQ, tau);
        g1 = gamma[0];
        g2 = gamma[1];
        return;
      }
    }
  }

  // The bubble point of point k: tau and y1 at the measured P (isobaric, mixed), or P and y1 at
  // the measured tau (isothermal, where gamma does not depend on P and the bubble pressure is
  // the sum itself). False when it is not found. The temperature comes from the shared bubble
  // solver's warm start at the point's last bubble temperature: during a fit the parameters
  // change little from one evaluation to the next.
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
      solver_detail::Variables vars{lastTau_[k], P, {x1, x2}, {}, {}};
      const auto evaluate = [&]() -> Real {
        const Real celsius = celsiusFromTau(vars.tau);
        const Real Vi = MolarVolume(mixture_, fit_.i, celsius);
        const Real Vj = MolarVolume(mixture_, fit_.j, celsius);
        gammas(k, vars.tau, Vi, Vj, vars.gamma[0], vars.gamma[1]);
        vars.y[0] = x1 * vars.gamma[0] * SaturationPressure(mixture_, fit_.i, vars.tau) / P;
        vars.y[1] = x2 * vars.gamma[1] * SaturationPressure(mixture_, fit_.j, vars.tau) / P;
        return vars.y[0] + vars.y[1] - 1.0L;
      };
      const SolveResult solved = solver_detail::solveBubbleFrom(
          true, lastTau_[k], kBubbleFirstStep, kBubbleFitTolerance, 2, vars, evaluate);
      tau = vars.tau;
      y1 = vars.y[0];
      const bool found = solved.converged() && std::isfinite(tau) && std::isfinite(y1) &&
                         std::fabs(vars.y[0] + vars.y[1] - 1.0L) <= kBubbleSumTolerance;
      if (found) lastTau_[k] = tau;
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
        case FitObjective::ML: {
          const auto count = static_cast<std::size_t>(pointResidualCount(k));
          if (!mlPointResiduals(k, dx_[k], dt_[k], r.subspan(m, count))) return false;
          m += count;
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
    if (objective_ == FitObjective::ML) {
      // The estimated true values: x1 and t, and the bubble pressure there.
      const Real x1True = trueX1(k, dx_[k]);
      tau = trueTau(k, dt_[k]);
      if (bubblePressureAt(k, x1True, tau, P, y1Calc)) {
        result.X1Calc = x1True;
        result.TCalc = celsiusFromTau(tau);
        result.PCalc = P;
        result.Y1Calc = y1Calc;
      }
    } else if (bubble(k, tau, P, y1Calc)) {
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
  Real sigmaX_;
  bool isothermal_ = false;
  int residualCount_ = 0;
  std::vector<Real> PsatJ_;
  std::vector<Real> uniquacFactorJ_;
  mutable std::vector<Real> lastTau_;      // the last bubble temperature found at each point
  std::vector<Real> dx_;                   // ML: each point's (x1 - x1_k) / sigma_x
  std::vector<Real> dt_;                   // ML: each point's (t - t_k) / sigma_t
  mutable std::vector<PointTerms> terms_;  // ML: per point
  TParamVector p_{};
  bool applied_ = false;
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

using RealMatrix = Eigen::Matrix<Real, Eigen::Dynamic, Eigen::Dynamic>;

// The covariance of the active parameters from the normal matrix `normal` (J^T J, or for ML its
// Schur complement): the condition number, and when it is below the limit the standard errors,
// the intervals and the correlation matrix of C = s^2 normal^-1, s^2 = chi2 / nu (for ML also
// those of s^2 = 1).
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
    TParamVector p = *base;
    if (withParameters) {
      for (std::size_t f = 0; f < freeIndex->size(); ++f) {
        p[static_cast<std::size_t>((*freeIndex)[f])] = static_cast<Real>(parameters[0][f]);
      }
    }
    model->setParameters(p);
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

// ML: the parameters and every point's unknowns by one bounded Levenberg-Marquardt problem,
// a residual block per point; the point unknowns are eliminated by the Schur complement
// (DENSE_SCHUR), so each step solves a system of the free parameters only. On return p holds
// the parameters and the pair its points' unknowns.
void solveMaximumLikelihood(PairModel& pair, TParamVector& p, const std::vector<int>& freeIndex,
                            const std::vector<Real>& lower, const std::vector<Real>& upper,
                            const ObjectiveFitRequest& request, std::size_t N,
                            ObjectiveFitResult& result) {
  const int freeCount = static_cast<int>(freeIndex.size());
  const TParamVector base = p;
  std::vector<double> x(static_cast<std::size_t>(freeCount));
  for (int f = 0; f < freeCount; ++f)
    x[static_cast<std::size_t>(f)] =
        static_cast<double>(p[static_cast<std::size_t>(freeIndex[static_cast<std::size_t>(f)])]);
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
    for (int f = 0; f < freeCount; ++f) {
      const auto K = static_cast<std::size_t>(freeIndex[static_cast<std::size_t>(f)]);
      if (std::isfinite(lower[K]))
        problem.SetParameterLowerBound(x.data(), f, static_cast<double>(lower[K]));
      if (std::isfinite(upper[K]))
        problem.SetParameterUpperBound(x.data(), f, static_cast<double>(upper[K]));
    }
  }
  ceres::Solver::Options options;
  setSolverOptions(options);
  if (freeCount > 0) {
    options.linear_solver_type = ceres::DENSE_SCHUR;
    options.linear_solver_ordering = ordering;
  } else {
    options.linear_solver_type = ceres::DENSE_QR;  // independent points, a small system
  }
  ProgressCallback callback(request.Progress, result.ResidualCount);
  options.callbacks.push_back(&callback);
  ceres::Solver::Summary summary;
  ceres::Solve(options, &problem, &summary);
  result.Converged = summary.termination_type == ceres::CONVERGENCE;
  result.Iterations = static_cast<int>(summary.iterations.size()) - 1;
  for (int f = 0; f < freeCount; ++f) {
    p[static_cast<std::size_t>(freeIndex[static_cast<std::size_t>(f)])] =
        static_cast<Real>(x[static_cast<std::size_t>(f)]);
  }
  for (std::size_t k = 0; k < N; ++k) {
    if (pair.interior(k)) {
      pair.setPointUnknowns(k, static_cast<Real>(u[k][0]), static_cast<Real>(u[k][1]));
    } else {
      pair.setPointUnknowns(k, 0.0L, static_cast<Real>(u[k][0]));
    }
  }
}

// ML: the normal matrix of the active parameters with the point unknowns eliminated (the
// Schur complement, see objective_fit.h), from the Jacobian in Real by central differences;
// a point's dx at a bound of the liquid range is held there like a parameter at a bound.
// False when a residual cannot be evaluated.
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
    setSolverOptions(options);
    options.linear_solver_type = ceres::DENSE_QR;
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
