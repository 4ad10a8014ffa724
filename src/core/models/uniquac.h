#pragma once
// UNIQUAC activity coefficients, gamma_i = gamma_i^C * gamma_i^R, coordination number z = 10.
//
// Combinatorial part, over the n components (r_i volume, q_i area parameters):
//   sum_r = sum_j r_j x_j,  sum_q = sum_j q_j x_j,  l_j = 5 (r_j - q_j) - (r_j - 1),
//   sum_l = sum_j x_j l_j
//   Phi/x = r_i / sum_r,  theta/Phi = (q_i / r_i) * (sum_r / sum_q)
//   gamma_i^C = (Phi/x) * (theta/Phi)^(5 q_i) * exp(l_i - (Phi/x) * sum_l)
//
// Residual part, over m species (the components here, the groups in UNIFAC):
//   S = sum_k q_k x_k,  theta_k = q_k x_k / S
//   psi_ii = 1,  psi_ij = exp(-a_ij / tau)   (i != j)
//   T_i = sum_j theta_j psi_ji
//   ln gamma_i^R = q_i (1 - ln T_i - sum_j theta_j psi_ij / T_j)
//
// a_ij = Delta u_ij / (R * 273.15 K), dimensionless, the leading m x m block of a 10 x 10
// matrix; the diagonal is not read. tau = T / 273.15 K. Sums run in ascending index order.

#include <span>

#include "core/base/real.h"
#include "core/data/properties.h"
#include "core/models/model_types.h"

namespace bubblix {

void UNIQUACCombinatorial(int n, const CompositionVector& q, const CompositionVector& r,
                          CompositionVector& gammaC, const CompositionVector& x);

// q, x and gammaR hold at least m values (m <= 10).
void UNIQUACResidual(int m, std::span<const Real> q, std::span<const Real> x,
                     std::span<Real> gammaR, const Matrix10& a, Real tau);

// UNIQUACResidual in two steps, for callers that evaluate many compositions at one
// temperature: psi (which depends on the temperature only), then gamma^R from psi and x. The
// two give UNIQUACResidual's results to the last bit.
void uniquacPsi(int m, const Matrix10& a, Real tau, Matrix10& psi);
void uniquacResidualFromPsi(int m, std::span<const Real> q, std::span<const Real> x,
                            std::span<Real> gammaR, const Matrix10& psi);

// The whole model with the components' q and r given. When `combinatorial` is not null it
// receives gamma^C.
void UNIQUACGamma(int n, const CompositionVector& q, const CompositionVector& r,
                  const CompositionVector& x, const Matrix10& a, CompositionVector& gamma, Real tau,
                  CompositionVector* combinatorial = nullptr);

// The same with the mixture's q and r.
void UNIQUACGamma(const Mixture& mixture, int n, const CompositionVector& x, const Matrix10& a,
                  CompositionVector& gamma, Real tau, CompositionVector* combinatorial = nullptr);

// The mixture's component area (q) and volume (r) parameters as composition-shaped vectors.
CompositionVector mixtureAreas(const Mixture& mixture);
CompositionVector mixtureVolumes(const Mixture& mixture);

}  // namespace bubblix
