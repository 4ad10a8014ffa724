#include "core/models/nrtl.h"

#include <cassert>
#include <cmath>

namespace bubblix {

void nrtlTemperatureTerms(int n, const Matrix4& a, const Matrix4& alpha, Real tau,
                          const ComponentValues& V, NRTLTerms& terms) {
  assert(n >= 1 && n <= 4);
  Matrix4& t = terms.t;
  Matrix4& G = terms.G;
  for (int i = 0; i < n; ++i) {
    for (int j = 0; j < n; ++j) {
      if (i == j) {
        t[i][j] = 0.0L;
        G[i][j] = 1.0L;
      } else {
        t[i][j] = a[i][j] / tau;
        G[i][j] = (V[j] / V[i]) * std::exp(-alpha[i][j] * t[i][j]);
      }
    }
  }
}

void nrtlGammaFromTerms(int n, const CompositionVector& x, const NRTLTerms& terms,
                        CompositionVector& gamma) {
  assert(n >= 1 && n <= 4);
  const Matrix4& t = terms.t;
  const Matrix4& G = terms.G;
  ComponentValues D;
  ComponentValues N;
  for (int i = 0; i < n; ++i) {
    Real d = 0.0L;
    Real num = 0.0L;
    for (int j = 0; j < n; ++j) {
      d += x[j] * G[j][i];
      num += x[j] * G[j][i] * t[j][i];
    }
    D[i] = d;
    N[i] = num;
  }
  for (int i = 0; i < n; ++i) {
    Real sum = 0.0L;
    for (int j = 0; j < n; ++j)
      sum += (x[j] * G[i][j] / D[j]) * (t[i][j] - N[j] / D[j]);
    gamma[i] = std::exp(N[i] / D[i] + sum);
  }
}

void NRTLGamma(int n, const CompositionVector& x, const Matrix4& a, CompositionVector& gamma,
               const Matrix4& alpha, Real tau, const ComponentValues& V) {
  NRTLTerms terms;
  nrtlTemperatureTerms(n, a, alpha, tau, V, terms);
  nrtlGammaFromTerms(n, x, terms, gamma);
}

void NRTLGamma(const Mixture& mixture, int n, const CompositionVector& x, const Matrix4& a,
               CompositionVector& gamma, const Matrix4& alpha, Real tau) {
  NRTLGamma(n, x, a, gamma, alpha, tau, molarVolumesAt(mixture, n, tau));
}

}  // namespace bubblix
