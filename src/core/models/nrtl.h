#pragma once
// NRTL activity coefficients, n <= 4 components, with a molar-volume ratio inside G:
//   tau_ii = 0, G_ii = 1;  tau_ij = a_ij / tau,  G_ij = (V_j / V_i) * exp(-alpha_ij * tau_ij)
//   D_i = sum_j x_j * G_ji,   N_i = sum_j x_j * G_ji * tau_ji
//   ln gamma_i = N_i / D_i + sum_j (x_j * G_ij / D_j) * (tau_ij - N_j / D_j)
// a_ij = Delta g_ij / (R * 273.15 K), dimensionless; alpha the non-randomness matrix; both
// diagonals are not read. tau = T / 273.15 K; V_i liquid molar volumes at tau, dm3/mol.
// With equal molar volumes this is the textbook NRTL. Sums run in ascending index order.

#include "core/base/real.h"
#include "core/data/properties.h"
#include "core/models/model_types.h"

namespace bubblix {

// The equations above with the molar volumes given.
void NRTLGamma(int n, const CompositionVector& x, const Matrix4& a, CompositionVector& gamma,
               const Matrix4& alpha, Real tau, const ComponentValues& V);

// The same with the molar volumes of the mixture's components at tau.
void NRTLGamma(const Mixture& mixture, int n, const CompositionVector& x, const Matrix4& a,
               CompositionVector& gamma, const Matrix4& alpha, Real tau);

// NRTLGamma in two steps, for callers that evaluate many compositions at one temperature:
// tau_ij and G_ij (which depend on the temperature only), then gamma from them and x. The two
// give NRTLGamma's results to the last bit.
struct NRTLTerms {
  Matrix4 t;  // tau_ij
  Matrix4 G;
};
void nrtlTemperatureTerms(int n, const Matrix4& a, const Matrix4& alpha, Real tau,
                          const ComponentValues& V, NRTLTerms& terms);
void nrtlGammaFromTerms(int n, const CompositionVector& x, const NRTLTerms& terms,
                        CompositionVector& gamma);

}  // namespace bubblix
