#pragma once
// The model routines selected by a parameter set's model code, for the solvers and the
// analyses: the check that a set can be used, the UNIFAC terms of a composition, gamma, the
// bubble sum and the dew residual. Units: tau = T / 273.15 K, P in Pa, mole fractions; index
// 0 is the first component.

#include <span>

#include "core/base/real.h"
#include "core/data/properties.h"
#include "core/models/model_types.h"
#include "core/models/parameter_set.h"

namespace bubblix {

// Throws InputError when the solvers cannot use the set: a component count outside 1..4, or
// for UNIFAC a group count outside 1..10 or a component record whose group count is outside
// 1..10.
void validateParameterSet(const TParameterSet& set);

// Group fractions and combinatorial coefficients of one liquid composition (UNIFAC).
struct UNIFACComposition {
  GroupVector GroupFractions{};
  CompositionVector CombinatorialGamma{};
};

// X_m by GroupFractions with the set's groups and gamma^C by UNIQUACCombinatorial with the
// mixture's q and r, for the set's n components.
UNIFACComposition prepareUNIFAC(const Mixture& mixture, const TParameterSet& set,
                                const CompositionVector& x);

// gamma of the set's n components at x and tau by the model of set.ModelCode. For UNIFAC,
// `unifac` (when not null) gives the group fractions and the combinatorial
// term of x; otherwise they are computed here.
void modelGamma(const Mixture& mixture, const TParameterSet& set, const CompositionVector& x,
                CompositionVector& gamma, Real tau, const UNIFACComposition* unifac = nullptr);

// y_i = Psat_i * x_i * gamma_i / P for i < n, stored in y; returns the sum started at -1 with
// the y_i added in order (sum y - 1).
Real BubbleSum(int n, const CompositionVector& x, const CompositionVector& gamma,
               const ComponentValues& Psat, Real P, CompositionVector& y);

// gamma by modelGamma at x and tau, then y and sum y - 1 with the vapour pressures at tau.
Real BubbleSum(const Mixture& mixture, const TParameterSet& set, const CompositionVector& x,
               CompositionVector& y, CompositionVector& gamma, Real tau, Real P,
               const UNIFACComposition* unifac = nullptr);

// Residual of the dew problem for the set's n components: v[0..n-1] = x, v[n] = tau (task
// 'T') or P (task 'P'), replacing the given one. gamma = gamma(x, tau) by modelGamma (for UNIFAC
// with the group fractions and the combinatorial term of this x), stored in gamma;
// F_i = v_i - P y_i / (Psat_i(tau) gamma_i), F_n = 1 - sum v_i.
void DewResidual(const Mixture& mixture, char task, std::span<const Real> v,
                 const CompositionVector& y, Real P, Real tau, const TParameterSet& set,
                 std::span<Real> F, CompositionVector& gamma);

}  // namespace bubblix
