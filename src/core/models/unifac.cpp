#include "core/models/unifac.h"

#include <cassert>
#include <cmath>

#include "core/models/uniquac.h"

namespace bubblix {

void GroupFractions(int n, int g, const GroupIds& idsA, GroupVector& X,
                    const ComponentGroupTable& groups, const CompositionVector& x,
                    const GroupIds& idsB) {
  assert(n >= 1 && n <= 4 && g >= 0 && g <= 10);
  Real denominator = 0.0L;
  for (int i = 0; i < n; ++i) {
    unsigned nu = 0;
    for (int k = 0; k < groups[i].Count; ++k)
      nu += groups[i].Nu[k];
    denominator += x[i] * static_cast<Real>(nu);
  }
  for (int m = 0; m < g; ++m) {
    Real numerator = 0.0L;
    for (int i = 0; i < n; ++i) {
      unsigned nu = 0;
      for (int k = 0; k < groups[i].Count; ++k) {
        if (groups[i].IdsA[k] == idsA[m] && groups[i].IdsB[k] == idsB[m]) nu += groups[i].Nu[k];
      }
      numerator += x[i] * static_cast<Real>(nu);
    }
    X[m] = numerator / denominator;
  }
}

void unifacTemperatureTerms(int n, int g, const ComponentGroupTable& groups, const Matrix10& a,
                            Real tau, UNIFACTerms& terms) {
  assert(n >= 1 && n <= 4 && g >= 1 && g <= 10);
  uniquacPsi(g, a, tau, terms.psi);
  for (int i = 0; i < n; ++i) {
    const TComponentGroups& own = groups[i];
    assert(own.Count >= 1 && own.Count <= 10);
    GroupVector& pureGamma = terms.pureGamma[i];
    if (own.Count == 1) {
      pureGamma[0] = 1.0L;
    } else {
      UNIQUACResidual(own.Count, own.Q, own.X, pureGamma, own.A, tau);
    }
  }
}

void unifacGammaFromTerms(int n, int g, const GroupIds& idsA, const GroupIds& idsB,
                          CompositionVector& gamma, const ComponentGroupTable& groups,
                          const CompositionVector& gammaC, const GroupVector& X,
                          const GroupVector& Q, const UNIFACTerms& terms) {
  assert(n >= 1 && n <= 4 && g >= 1 && g <= 10);
  GroupVector mixtureGamma;
  uniquacResidualFromPsi(g, Q, X, mixtureGamma, terms.psi);
  for (int i = 0; i < n; ++i) {
    const TComponentGroups& own = groups[i];
    const GroupVector& pureGamma = terms.pureGamma[i];
    Real product = 1.0L;
    for (int k = 0; k < own.Count; ++k) {
      for (int m = 0; m < g; ++m) {
        if (idsA[m] == own.IdsA[k] && idsB[m] == own.IdsB[k]) {
          product *= std::pow(mixtureGamma[m] / pureGamma[k], static_cast<Real>(own.Nu[k]));
        }
      }
    }
    gamma[i] = product * gammaC[i];
  }
}

void UNIFACGamma(int n, int g, const GroupIds& idsA, const GroupIds& idsB, CompositionVector& gamma,
                 const ComponentGroupTable& groups, const CompositionVector& gammaC,
                 const Matrix10& a, const GroupVector& X, const GroupVector& Q, Real tau) {
  UNIFACTerms terms;
  unifacTemperatureTerms(n, g, groups, a, tau, terms);
  unifacGammaFromTerms(n, g, idsA, idsB, gamma, groups, gammaC, X, Q, terms);
}

}  // namespace bubblix
