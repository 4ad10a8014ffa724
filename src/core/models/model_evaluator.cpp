#include "core/models/model_evaluator.h"

#include <cmath>

#include "core/models/uniquac.h"
#include "core/models/wilson.h"

namespace bubblix {

namespace {

// Identical to the last bit: equal and of the same sign (+0 and -0 differ; NaN never matches).
bool same(Real a, Real b) {
  return a == b && std::signbit(a) == std::signbit(b);
}

}  // namespace

ModelEvaluator::ModelEvaluator(const Mixture& mixture, const TParameterSet& set)
    : mixture_(mixture), set_(set), n_(set.ComponentCount) {}

bool ModelEvaluator::sameComposition(const CompositionVector& a, const CompositionVector& b) const {
  for (int i = 0; i < n_; ++i) {
    if (!same(a[i], b[i])) return false;
  }
  return true;
}

void ModelEvaluator::prepareTemperature(Real tau) {
  if (temperatureValid_ && same(temperatureTau_, tau)) return;
  temperatureValid_ = false;
  switch (set_.ModelCode) {
    case Model::Wilson:
      wilsonLambda(n_, set_.WilsonEnergy, tau, molarVolumesAt(mixture_, n_, tau), lambda_);
      break;
    case Model::NRTL:
      nrtlTemperatureTerms(n_, set_.NRTLEnergy, set_.NRTLAlpha, tau,
                           molarVolumesAt(mixture_, n_, tau), nrtl_);
      break;
    case Model::UNIQUAC:
      uniquacPsi(n_, set_.UNIQUACEnergy, tau, psi_);
      break;
    case Model::UNIFAC:
      unifacTemperatureTerms(n_, set_.GroupCount, set_.ComponentGroups, set_.GroupInteraction, tau,
                             unifac_);
      break;
  }
  temperatureTau_ = tau;
  temperatureValid_ = true;
}

void ModelEvaluator::prepareComposition(const CompositionVector& x) {
  if (compositionValid_ && sameComposition(compositionX_, x)) return;
  compositionValid_ = false;
  if (set_.ModelCode == Model::UNIFAC) {
    composition_ = prepareUNIFAC(mixture_, set_, x);
  } else {
    composition_.CombinatorialGamma = {};
    UNIQUACCombinatorial(n_, mixtureAreas(mixture_), mixtureVolumes(mixture_),
                         composition_.CombinatorialGamma, x);
  }
  compositionX_ = x;
  compositionValid_ = true;
}

void ModelEvaluator::gamma(const CompositionVector& x, Real tau, CompositionVector& gamma) {
  if (gammaValid_ && same(gammaTau_, tau) && sameComposition(gammaX_, x)) {
    for (int i = 0; i < n_; ++i)
      gamma[i] = gamma_[i];
    return;
  }
  gammaValid_ = false;
  switch (set_.ModelCode) {
    case Model::Wilson:
      prepareTemperature(tau);
      wilsonGammaFromLambda(n_, x, lambda_, gamma);
      break;
    case Model::NRTL:
      prepareTemperature(tau);
      nrtlGammaFromTerms(n_, x, nrtl_, gamma);
      break;
    case Model::UNIQUAC: {
      prepareComposition(x);
      prepareTemperature(tau);
      CompositionVector gammaR{};
      uniquacResidualFromPsi(n_, mixtureAreas(mixture_), x, gammaR, psi_);
      for (int i = 0; i < n_; ++i)
        gamma[i] = composition_.CombinatorialGamma[i] * gammaR[i];
      break;
    }
    case Model::UNIFAC:
      prepareComposition(x);
      prepareTemperature(tau);
      unifacGammaFromTerms(n_, set_.GroupCount, set_.GroupIdsA, set_.GroupIdsB, gamma,
                           set_.ComponentGroups, composition_.CombinatorialGamma,
                           composition_.GroupFractions, set_.GroupQ, unifac_);
      break;
  }
  for (int i = 0; i < n_; ++i)
    gamma_[i] = gamma[i];
  gammaX_ = x;
  gammaTau_ = tau;
  gammaValid_ = true;
}

const ComponentValues& ModelEvaluator::saturationPressures(Real tau) {
  if (!(pressuresValid_ && same(pressureTau_, tau))) {
    pressuresValid_ = false;
    pressures_ = saturationPressuresAt(mixture_, n_, tau);
    pressureTau_ = tau;
    pressuresValid_ = true;
  }
  return pressures_;
}

void ModelEvaluator::dewResidual(bool temperatureTask, std::span<const Real> v,
                                 const CompositionVector& y, Real P, Real tau, std::span<Real> F,
                                 CompositionVector& gamma) {
  const int n = n_;
  const Real t = temperatureTask ? v[n] : tau;
  const Real p = temperatureTask ? P : v[n];
  CompositionVector x{};
  for (int i = 0; i < n; ++i)
    x[i] = v[i];
  this->gamma(x, t, gamma);
  const ComponentValues& Psat = saturationPressures(t);
  Real sum = 0.0L;
  for (int i = 0; i < n; ++i) {
    F[i] = v[i] - p * y[i] / (Psat[i] * gamma[i]);
    sum += v[i];
  }
  F[n] = 1.0L - sum;
}

}  // namespace bubblix
