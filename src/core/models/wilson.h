#pragma once
// Wilson activity coefficients with molar-volume ratios, n <= 4 components:
//   Lambda_ii = 1,  Lambda_ij = (V_j / V_i) * exp(-a_ij / tau)   (i != j)
//   S_i = sum_j x_j * Lambda_ij
//   gamma_i = exp(1 - sum_k x_k * Lambda_ki / S_k) / S_i
// a_ij = (lambda_ij - lambda_ii) / (R * 273.15 K), dimensionless; the diagonal is not read.
// tau = T / 273.15 K; V_i liquid molar volumes at tau, dm3/mol (only their ratios enter).
// Sums run in ascending index order. Inputs are not checked: the solvers check what comes out.

#include "core/base/real.h"
#include "core/data/properties.h"
#include "core/models/model_types.h"

namespace bubblix {

// The equations above with the molar volumes given.
void WilsonGamma(int n, const CompositionVector& x, const Matrix4& a, CompositionVector& gamma,
                 Real tau, const ComponentValues& V);

// The same with the molar volumes of the mixture's components at tau.
void WilsonGamma(const Mixture& mixture, int n, const CompositionVector& x, const Matrix4& a,
                 CompositionVector& gamma, Real tau);

// WilsonGamma in two steps, for callers that evaluate many compositions at one temperature:
// Lambda (which depends on the temperature only), then gamma from Lambda and x. The two give
// WilsonGamma's results to the last bit.
void wilsonLambda(int n, const Matrix4& a, Real tau, const ComponentValues& V, Matrix4& lambda);
void wilsonGammaFromLambda(int n, const CompositionVector& x, const Matrix4& lambda,
                           CompositionVector& gamma);

}  // namespace bubblix
