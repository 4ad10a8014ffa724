#include "core/models/model_evaluation.h"

#include <string>

#include "core/base/errors.h"
#include "core/models/model_evaluator.h"
#include "core/models/nrtl.h"
#include "core/models/solver_input.h"
#include "core/models/unifac.h"
#include "core/models/uniquac.h"
#include "core/models/wilson.h"
#include "core/texts/solver_texts.h"

namespace bubblix {

void validateParameterSet(const TParameterSet& set) {
  const int n = set.ComponentCount;
  if (n < 1 || n > 4) throw InputError(kSolverComponentCount, {std::to_string(n)});
  if (set.ModelCode != Model::UNIFAC) return;
  if (set.GroupCount < 1 || set.GroupCount > 10) {
    throw InputError(kSolverGroupCount, {std::to_string(set.GroupCount)});
  }
  for (int i = 0; i < n; ++i) {
    const int count = set.ComponentGroups[i].Count;
    if (count < 1 || count > 10) {
      throw InputError(kSolverComponentGroupCount, {std::to_string(i + 1), std::to_string(count)});
    }
  }
}

UNIFACComposition prepareUNIFAC(const Mixture& mixture, const TParameterSet& set,
                                const CompositionVector& x) {
  UNIFACComposition prepared;
  const int n = set.ComponentCount;
  GroupFractions(n, set.GroupCount, set.GroupIdsA, prepared.GroupFractions, set.ComponentGroups, x,
                 set.GroupIdsB);
  UNIQUACCombinatorial(n, mixtureAreas(mixture), mixtureVolumes(mixture),
                       prepared.CombinatorialGamma, x);
  return prepared;
}

void modelGamma(const Mixture& mixture, const TParameterSet& set, const CompositionVector& x,
                CompositionVector& gamma, Real tau, const UNIFACComposition* unifac) {
  const int n = set.ComponentCount;
  switch (set.ModelCode) {
    case Model::Wilson:
      WilsonGamma(mixture, n, x, set.WilsonEnergy, gamma, tau);
      return;
    case Model::NRTL:
      NRTLGamma(mixture, n, x, set.NRTLEnergy, gamma, set.NRTLAlpha, tau);
      return;
    case Model::UNIQUAC:
      UNIQUACGamma(mixture, n, x, set.UNIQUACEnergy, gamma, tau);
      return;
    case Model::UNIFAC: {
      UNIFACComposition fresh;
      if (unifac == nullptr) {
        fresh = prepareUNIFAC(mixture, set, x);
        unifac = &fresh;
      }
      UNIFACGamma(n, set.GroupCount, set.GroupIdsA, set.GroupIdsB, gamma, set.ComponentGroups,
                  unifac->CombinatorialGamma, set.GroupInteraction, unifac->GroupFractions,
                  set.GroupQ, tau);
      return;
    }
  }
}

Real BubbleSum(int n, const CompositionVector& x, const CompositionVector& gamma,
               const ComponentValues& Psat, Real P, CompositionVector& y) {
  Real sum = -1.0L;
  for (int i = 0; i < n; ++i) {
    y[i] = Psat[i] * x[i] * gamma[i] / P;
    sum += y[i];
  }
  return sum;
}

Real BubbleSum(const Mixture& mixture, const TParameterSet& set, const CompositionVector& x,
               CompositionVector& y, CompositionVector& gamma, Real tau, Real P,
               const UNIFACComposition* unifac) {
  modelGamma(mixture, set, x, gamma, tau, unifac);
  const int n = set.ComponentCount;
  return BubbleSum(n, x, gamma, saturationPressuresAt(mixture, n, tau), P, y);
}

void DewResidual(const Mixture& mixture, char task, std::span<const Real> v,
                 const CompositionVector& y, Real P, Real tau, const TParameterSet& set,
                 std::span<Real> F, CompositionVector& gamma) {
  ModelEvaluator model(mixture, set);
  model.dewResidual(solver_detail::isTemperatureTask(task), v, y, P, tau, F, gamma);
}

}  // namespace bubblix
