#pragma once
// UNIFAC activity coefficients, gamma_i = gamma_i^C * gamma_i^R, for n <= 4 components made of
// g <= 10 distinct groups. A group is the pair (main-group number IdsA, subgroup letter IdsB).
//
// Group fractions of the liquid x:
//   X_m = sum_i x_i * (sum of nu_ki over the groups k of component i equal to group m)
//         / sum_i x_i * (sum of nu_ki over all groups k of component i)
//
// Residual part: Gamma_m, m = 1..g, by the UNIQUAC residual routine on the groups (areas Q_m,
// fractions X_m, the group interaction matrix); Gamma^(i)_k, k = 1..c_i, the same on the
// component's own groups (its Q^(i), X^(i), a^(i)), or 1 for a one-group component. Then
//   gamma_i = gamma_i^C * prod over the component's groups k and the mixture group m equal
//             to k of (Gamma_m / Gamma^(i)_k)^nu_ki
// so ln gamma_i = ln gamma_i^C + sum_k nu_ki (ln Gamma_k - ln Gamma^(i)_k).
//
// A component's group k is paired with the mixture group of the same main group AND the same
// subgroup letter, the pairing the group fractions use. Pairing on the main group alone would
// count a group twice whenever the mixture holds two subgroups of one main group, and a pure
// component would no longer get gamma = 1.
//
// gamma^C comes from UNIQUACCombinatorial with the components' r and q; the interaction
// matrices are dimensionless, a_mn = Delta / (R * 273.15 K); tau = T / 273.15 K.

#include "core/base/real.h"
#include "core/models/model_types.h"

namespace bubblix {

void GroupFractions(int n, int g, const GroupIds& idsA, GroupVector& X,
                    const ComponentGroupTable& groups, const CompositionVector& x,
                    const GroupIds& idsB);

// gammaC and X belong to the same liquid composition.
void UNIFACGamma(int n, int g, const GroupIds& idsA, const GroupIds& idsB, CompositionVector& gamma,
                 const ComponentGroupTable& groups, const CompositionVector& gammaC,
                 const Matrix10& a, const GroupVector& X, const GroupVector& Q, Real tau);

// UNIFACGamma in two steps, for callers that evaluate many compositions at one temperature:
// the terms that depend on the temperature only (psi of the mixture groups, the components'
// pure-component group coefficients), then gamma from them. The two give UNIFACGamma's
// results to the last bit.
struct UNIFACTerms {
  Matrix10 psi;                          // psi_mn of the mixture groups
  std::array<GroupVector, 4> pureGamma;  // Gamma^(i)_k of each component's own groups
};
void unifacTemperatureTerms(int n, int g, const ComponentGroupTable& groups, const Matrix10& a,
                            Real tau, UNIFACTerms& terms);
void unifacGammaFromTerms(int n, int g, const GroupIds& idsA, const GroupIds& idsB,
                          CompositionVector& gamma, const ComponentGroupTable& groups,
                          const CompositionVector& gammaC, const GroupVector& X,
                          const GroupVector& Q, const UNIFACTerms& terms);

}  // namespace bubblix
