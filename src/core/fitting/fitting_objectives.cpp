#include "core/fitting/fitting_objectives.h"

#include <cmath>

#include "core/models/unifac.h"

namespace bubblix {

Real uniquacFactor(Real x1, Real ri, Real rj, Real qi, Real qj) {
  const Real x2 = 1.0L - x1;
  const Real Sr = ri * x1 + rj * x2;
  const Real Sq = qi * x1 + qj * x2;
  return std::pow(qi * Sr / (ri * Sq), 5.0L * qi) * (ri / Sr);
}

Real ResidualSum(FittingState& state) {
  const TBinaryFitData& fit = state.Fit;
  const auto& Psat = fit.Psat[fit.i];
  Real S = 0.0L;
  for (std::size_t k = 0; k < fit.N; ++k) {
    const Real d = fit.y1[k] - fit.x1[k] * fit.gamma1[k] * Psat[k] / fit.Pk[k];
    S += d * d;
  }

  ++state.CallCounter;
  if (state.CallCounter >= kProgressInterval) {
    state.CallCounter = 0;
    const Real F = state.MinimizerF != nullptr ? *state.MinimizerF : S;
    const std::uint16_t iterations =
        state.MinimizerIterations != nullptr ? *state.MinimizerIterations : 0;
    if (state.Progress) state.Progress(iterations, F);
  }
  return S;
}

Real WilsonObjective(FittingState& state, const TParamVector& p) {
  TBinaryFitData& fit = state.Fit;
  const Real a1 = p[0];
  const Real a2 = p[1];
  const auto& Vi = fit.V[fit.i];
  const auto& Vj = fit.V[fit.j];
  for (std::size_t k = 0; k < fit.N; ++k) {
    const Real x1 = fit.x1[k];
    const Real x2 = 1.0L - x1;
    fit.x2[k] = x2;
    const Real tau = fit.tau[k];
    const Real L12 = (Vj[k] / Vi[k]) * std::exp(-a1 / tau);
    const Real L21 = (Vi[k] / Vj[k]) * std::exp(-a2 / tau);
    const Real A = x1 + L12 * x2;
    fit.gamma1[k] = std::exp(x2 * (L12 / A - L21 / (x2 + L21 * x1))) / A;
  }
  return ResidualSum(state);
}

Real NRTLObjective(FittingState& state, const TParamVector& p) {
  TBinaryFitData& fit = state.Fit;
  const Real a1 = p[0];
  const Real a2 = p[1];
  const Real alpha = p[2];
  const auto& Vi = fit.V[fit.i];
  const auto& Vj = fit.V[fit.j];
  for (std::size_t k = 0; k < fit.N; ++k) {
    const Real x1 = fit.x1[k];
    const Real x2 = 1.0L - x1;
    fit.x2[k] = x2;
    const Real tau = fit.tau[k];
    const Real t12 = a1 / tau;
    const Real t21 = a2 / tau;
    const Real G12 = std::exp(-alpha * t12) * (Vj[k] / Vi[k]);
    const Real G21 = std::exp(-alpha * t21) * (Vi[k] / Vj[k]);
    const Real u = G21 / (x1 + G21 * x2);
    const Real w = x2 + G12 * x1;
    fit.gamma1[k] = std::exp(x2 * x2 * (t21 * (u * u) + G12 * t12 / (w * w)));
  }
  return ResidualSum(state);
}

Real UNIQUACObjective(FittingState& state, const TParamVector& p) {
  TBinaryFitData& fit = state.Fit;
  const Real a1 = p[0];
  const Real a2 = p[1];
  const Real ri = fit.r[fit.i];
  const Real rj = fit.r[fit.j];
  const Real qi = fit.q[fit.i];
  const Real qj = fit.q[fit.j];
  const Real li = 5.0L * (ri - qi) - (ri - 1.0L);
  const Real lj = 5.0L * (rj - qj) - (rj - 1.0L);
  for (std::size_t k = 0; k < fit.N; ++k) {
    const Real x1 = fit.x1[k];
    const Real x2 = 1.0L - x1;
    fit.x2[k] = x2;
    const Real tau = fit.tau[k];
    const Real T12 = std::exp(-a1 / tau);
    const Real T21 = std::exp(-a2 / tau);
    const Real Sr = ri * x1 + rj * x2;
    const Real Sq = qi * x1 + qj * x2;
    const Real Phi2 = rj * x2 / Sr;
    const Real theta1 = qi * x1 / Sq;
    const Real theta2 = qj * x2 / Sq;
    fit.gamma1[k] =
        fit.UNIQUACFactor[k] *
        std::exp(Phi2 * (li - ri * lj / rj) +
                 qi * theta2 * (T21 / (theta1 + theta2 * T21) - T12 / (theta2 + theta1 * T12))) /
        std::pow(theta1 + theta2 * T21, qi);
  }
  return ResidualSum(state);
}

void applyUnifacParameters(FittingState& state, const TParamVector& p) {
  TBinaryFitData& fit = state.Fit;
  distributeGroupParameters(state.Tables, fit.FitGroupCount, fit.FitGroupIdsA, fit.FitGroupIdsB, p);
  fit.GroupMatrix = BuildGroupMatrix(state.Tables, fit.GroupCount, fit.GroupIdsA, fit.GroupIdsB);
  buildComponentMatrix(state.Tables, fit.ComponentGroups[0]);
  buildComponentMatrix(state.Tables, fit.ComponentGroups[1]);
}

Real UNIFACObjective(FittingState& state, const TParamVector& p) {
  applyUnifacParameters(state, p);
  TBinaryFitData& fit = state.Fit;
  CompositionVector gamma{};
  for (std::size_t k = 0; k < fit.N; ++k) {
    UNIFACGamma(2, fit.GroupCount, fit.GroupIdsA, fit.GroupIdsB, gamma, fit.ComponentGroups,
                fit.CombinatorialGamma[k], fit.GroupMatrix, fit.GroupFractions[k], fit.GroupQ,
                fit.tau[k]);
    fit.gamma1[k] = gamma[0];
  }
  return ResidualSum(state);
}

}  // namespace bubblix
