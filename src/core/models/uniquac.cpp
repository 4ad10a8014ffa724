#include "core/models/uniquac.h"

#include <cassert>
#include <cmath>

namespace bubblix {

void UNIQUACCombinatorial(int n, const CompositionVector& q, const CompositionVector& r,
                          CompositionVector& gammaC, const CompositionVector& x) {
  assert(n >= 1 && n <= 4);
  Real sumR = 0.0L;
  Real sumQ = 0.0L;
  Real sumL = 0.0L;
  CompositionVector l{};
  for (int j = 0; j < n; ++j) {
    sumR += r[j] * x[j];
    sumQ += q[j] * x[j];
    l[j] = 5.0L * (r[j] - q[j]) - (r[j] - 1.0L);
    sumL += x[j] * l[j];
  }
  for (int i = 0; i < n; ++i) {
    const Real phiOverX = r[i] / sumR;
    const Real thetaOverPhi = (q[i] / r[i]) * (sumR / sumQ);
    gammaC[i] = phiOverX * std::pow(thetaOverPhi, 5.0L * q[i]) * std::exp(l[i] - phiOverX * sumL);
  }
}

void uniquacPsi(int m, const Matrix10& a, Real tau, Matrix10& psi) {
  assert(m >= 1 && m <= 10);
  for (int i = 0; i < m; ++i) {
    for (int j = 0; j < m; ++j)
      psi[i][j] = i == j ? 1.0L : std::exp(-a[i][j] / tau);
  }
}

void uniquacResidualFromPsi(int m, std::span<const Real> q, std::span<const Real> x,
                            std::span<Real> gammaR, const Matrix10& psi) {
  assert(m >= 1 && m <= 10);
  assert(q.size() >= static_cast<std::size_t>(m) && x.size() >= static_cast<std::size_t>(m) &&
         gammaR.size() >= static_cast<std::size_t>(m));
  Real S = 0.0L;
  for (int k = 0; k < m; ++k)
    S += q[k] * x[k];
  GroupVector theta;
  for (int k = 0; k < m; ++k)
    theta[k] = q[k] * x[k] / S;
  GroupVector T;
  for (int i = 0; i < m; ++i) {
    Real sum = 0.0L;
    for (int j = 0; j < m; ++j)
      sum += theta[j] * psi[j][i];
    T[i] = sum;
  }
  for (int i = 0; i < m; ++i) {
    Real sum = 0.0L;
    for (int j = 0; j < m; ++j)
      sum += theta[j] * psi[i][j] / T[j];
    gammaR[i] = std::exp(q[i] * (1.0L - std::log(T[i]) - sum));
  }
}

void UNIQUACResidual(int m, std::span<const Real> q, std::span<const Real> x,
                     std::span<Real> gammaR, const Matrix10& a, Real tau) {
  Matrix10 psi{};  // cleared only to keep the compiler's flow analysis quiet
  uniquacPsi(m, a, tau, psi);
  uniquacResidualFromPsi(m, q, x, gammaR, psi);
}

void UNIQUACGamma(int n, const CompositionVector& q, const CompositionVector& r,
                  const CompositionVector& x, const Matrix10& a, CompositionVector& gamma, Real tau,
                  CompositionVector* combinatorial) {
  CompositionVector gammaC{};
  UNIQUACCombinatorial(n, q, r, gammaC, x);
  if (combinatorial != nullptr) *combinatorial = gammaC;
  CompositionVector gammaR{};
  UNIQUACResidual(n, q, x, gammaR, a, tau);
  for (int i = 0; i < n; ++i)
    gamma[i] = gammaC[i] * gammaR[i];
}

CompositionVector mixtureAreas(const Mixture& mixture) {
  CompositionVector q{};
  for (int i = 0; i < 4; ++i)
    q[i] = mixture.q[i];
  return q;
}

CompositionVector mixtureVolumes(const Mixture& mixture) {
  CompositionVector r{};
  for (int i = 0; i < 4; ++i)
    r[i] = mixture.r[i];
  return r;
}

void UNIQUACGamma(const Mixture& mixture, int n, const CompositionVector& x, const Matrix10& a,
                  CompositionVector& gamma, Real tau, CompositionVector* combinatorial) {
  UNIQUACGamma(n, mixtureAreas(mixture), mixtureVolumes(mixture), x, a, gamma, tau, combinatorial);
}

}  // namespace bubblix
