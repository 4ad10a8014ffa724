#pragma once
// Activity coefficients and vapour pressures of one parameter set and mixture, for the
// iterations of the solvers. An iteration evaluates the model many times at few distinct
// temperatures and compositions: every bubble point at a given temperature sees one
// temperature and one composition, every bubble point at a given pressure one composition,
// and a dew-point Jacobian perturbs the composition at one temperature.
//
// So the evaluator keeps what it computed for the last arguments:
//   - for the last temperature: the vapour pressures, and the model's temperature terms
//     (Wilson Lambda with the molar volumes, NRTL tau_ij and G_ij, the UNIQUAC psi, the
//     UNIFAC group psi and pure-component group coefficients);
//   - for the last composition: the combinatorial term (UNIQUAC, UNIFAC) and the group
//     fractions (UNIFAC);
//   - for the last temperature and composition together: gamma itself.
// A kept value is reused only for an argument identical to the last bit, and every value is
// computed by the same routines as modelGamma and saturationPressuresAt, so the results are
// theirs to the last bit. A computation that throws keeps nothing.

#include <span>
#include "core/base/real.h"

#include "core/data/properties.h"
#include "core/models/model_evaluation.h"
#include "core/models/model_types.h"
#include "core/models/nrtl.h"
#include "core/models/parameter_set.h"
#include "core/models/unifac.h"

namespace bubblix {

class ModelEvaluator {
 public:
  // `set` must have passed validateParameterSet. The mixture and the set are read through the
  // references, which must outlive the evaluator and must not change while it is used.
  ModelEvaluator(const Mixture& mixture, const TParameterSet& set);

  // gamma of the set's n components at x and tau: modelGamma(mixture, set, x, gamma, tau).
  void gamma(const CompositionVector& x, Real tau, CompositionVector& gamma);

  // saturationPressuresAt(mixture, n, tau).
  const ComponentValues& saturationPressures(Real tau);

  // DewResidual (model_evaluation.h) with this model: v[0..n-1] = x, v[n] = tau (task 'T',
  // temperatureTask) or P, replacing the given one; gamma of x at tau stored in gamma. Kept
  // terms serve the Jacobian of an iteration, which perturbs the composition at one
  // temperature.
  void dewResidual(bool temperatureTask, std::span<const Real> v, const CompositionVector& y,
                   Real P, Real tau, std::span<Real> F, CompositionVector& gamma);

  int componentCount() const { return n_; }

 private:
  void prepareTemperature(Real tau);
  void prepareComposition(const CompositionVector& x);
  bool sameComposition(const CompositionVector& a, const CompositionVector& b) const;

  const Mixture& mixture_;
  const TParameterSet& set_;
  const int n_;

  // Temperature terms of the model, valid for temperatureTau_.
  bool temperatureValid_ = false;
  Real temperatureTau_ = 0;
  Matrix4 lambda_;      // Wilson
  NRTLTerms nrtl_;      // NRTL
  Matrix10 psi_;        // UNIQUAC
  UNIFACTerms unifac_;  // UNIFAC

  // Composition terms, valid for compositionX_.
  bool compositionValid_ = false;
  CompositionVector compositionX_{};
  UNIFACComposition composition_;  // UNIQUAC uses its CombinatorialGamma only

  // gamma, valid for gammaX_ and gammaTau_.
  bool gammaValid_ = false;
  CompositionVector gammaX_{};
  Real gammaTau_ = 0;
  CompositionVector gamma_{};

  // Vapour pressures, valid for pressureTau_.
  bool pressuresValid_ = false;
  Real pressureTau_ = 0;
  ComponentValues pressures_{};
};

}  // namespace bubblix
