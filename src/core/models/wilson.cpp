#include "core/models/wilson.h"

#include <cassert>
#include <cmath>

namespace bubblix {

void wilsonLambda(int n, const Matrix4& a, Real tau, const ComponentValues& V, Matrix4& lambda) {
  assert(n >= 1 && n <= 4);
  for (int i = 0; i < n; ++i) {
    for (int j = 0; j < n; ++j) {
      lambda[i][j] = i == j ? 1.0L : (V[j] / V[i]) * std::exp(-a[i][j] / tau);
    }
  }
}

void wilsonGammaFromLambda(int n, const CompositionVector& x, const Matrix4& lambda,
                           CompositionVector& gamma) {
  assert(n >= 1 && n <= 4);
  ComponentValues S;
  for (int i = 0; i < n; ++i) {
    Real sum = 0.0L;
    for (int j = 0; j < n; ++j)
      sum += x[j] * lambda[i][j];
    S[i] = sum;
  }
  for (int i = 0; i < n; ++i) {
    Real sum = 0.0L;
    for (int k = 0; k < n; ++k)
      sum += x[k] * lambda[k][i] / S[k];
    gamma[i] = std::exp(1.0L - sum) / S[i];
  }
}

void WilsonGamma(int n, const CompositionVector& x, const Matrix4& a, CompositionVector& gamma,
                 Real tau, const ComponentValues& V) {
  Matrix4 lambda;
  wilsonLambda(n, a, tau, V, lambda);
  wilsonGammaFromLambda(n, x, lambda, gamma);
}

void WilsonGamma(const Mixture& mixture, int n, const CompositionVector& x, const Matrix4& a,
                 CompositionVector& gamma, Real tau) {
  WilsonGamma(n, x, a, gamma, tau, molarVolumesAt(mixture, n, tau));
}

}  // namespace bubblix
