#include "core/fitting/pair_model.h"

#include <algorithm>
#include <cmath>

#include "core/base/errors.h"
#include "core/base/units.h"
#include "core/models/equilibrium_iterations.h"
#include "core/models/solvers.h"
#include "core/models/unifac.h"
#include "core/models/uniquac.h"

namespace bubblix::fitting_detail {

namespace {
// The bubble temperatures of the objective are solved to the last bits of sum y - 1, so that
// the difference quotients of the method and of the statistics are smooth; the first step of
// the warm-started secant.
constexpr Real kBubbleFitTolerance = 1e-15L;
constexpr Real kBubbleFirstStep = 1e-7L;   // tau
constexpr Real kIsobaricSpread = 0.01L;    // (P_max - P_min) / P_min
constexpr Real kIsothermalSpreadK = 0.1L;  // t_max - t_min

bool inLiquid(Real x) {
  return x > 0.0L;
}

}  // namespace

PairModel::PairModel(FittingState& state, const Mixture& mixture, Model model,
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

void PairModel::setParameters(const TParamVector& p) {
  if (applied_ && p == p_) return;
  p_ = p;
  applied_ = true;
  if (model_ == Model::UNIFAC) applyUnifacParameters(state_, p);
}

bool PairModel::mlPointResiduals(std::size_t k, Real dx, Real dt, std::span<Real> r) const {
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

bool PairModel::bubblePressureAt(std::size_t k, Real x1, Real tau, Real& P, Real& y1) const {
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

void PairModel::gammas(std::size_t k, Real tau, Real Vi, Real Vj, Real& g1, Real& g2) const {
  gammaPair(fit_.x1[k], tau, Vi, Vj, fit_.UNIQUACFactor[k], uniquacFactorJ_[k],
            fit_.GroupFractions[k], fit_.CombinatorialGamma[k], g1, g2);
}

void PairModel::compositionTerms(Real x1, PointTerms& terms) const {
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
      cJ = uniquacFactor(1.0L - x1, fit_.r[fit_.j], fit_.r[fit_.i], fit_.q[fit_.j], fit_.q[fit_.i]);
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

void PairModel::gammaPair(Real x1, Real tau, Real Vi, Real Vj, Real cI, Real cJ,
                          const GroupVector& X, const CompositionVector& gC, Real& g1,
                          Real& g2) const {
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

bool PairModel::bubble(std::size_t k, Real& tau, Real& P, Real& y1) const {
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

bool PairModel::residuals(std::span<Real> r) const {
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

Real PairModel::y1Error() const {
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

FitPointResult PairModel::point(std::size_t k) const {
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
}  // namespace bubblix::fitting_detail
