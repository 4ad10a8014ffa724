#include "core/fitting/binary_fit.h"

#include <cmath>
#include <span>
#include <string>

#include "core/base/errors.h"
#include "core/base/units.h"
#include "core/data/unifac_tables.h"
#include "core/io/number_format.h"
#include "core/models/model_types.h"
#include "core/models/unifac.h"
#include "core/models/uniquac.h"
#include "core/texts/fitting_texts.h"
#include "core/texts/numerics_texts.h"

namespace bubblix {

namespace {

constexpr Real kTwoParameterTolerance = 1e-5L;
constexpr Real kNRTLTolerance = 1e-6L;
constexpr Real kUnifacTolerance = 1e-5L;
constexpr int kMaxFitParameters = 20;

bool isFraction(Real v) {
  return v >= 0.0L && v <= 1.0L;
}

void checkMainGroup(std::uint8_t mainGroup) {
  if (mainGroup < 1 || mainGroup > 18) {
    throw DataError(texts::kMainGroupNumberInvalid, {std::to_string(mainGroup)});
  }
}

// Points the state's progress at the minimiser's variables for one fit and detaches them
// when the fit ends, however it ends.
class MinimizerBinding {
 public:
  MinimizerBinding(FittingState& state, const Real& F, const std::uint16_t& iterations,
                   const FitProgress& progress)
      : state_(state) {
    state_.Progress = progress;
    state_.MinimizerF = &F;
    state_.MinimizerIterations = &iterations;
  }
  ~MinimizerBinding() {
    state_.MinimizerF = nullptr;
    state_.MinimizerIterations = nullptr;
  }
  MinimizerBinding(const MinimizerBinding&) = delete;
  MinimizerBinding& operator=(const MinimizerBinding&) = delete;

 private:
  FittingState& state_;
};

using Objective = Real (*)(FittingState&, const TParamVector&);

FitResult minimize(FittingState& state, std::uint8_t n, Real eps, TParamVector& x,
                   Objective objective, const FitControls& controls) {
  for (std::size_t k = n; k < x.size(); ++k)
    x[k] = 0.0L;
  Real F = 0.0L;
  std::uint16_t iterations = 0;
  {
    MinimizerBinding binding(state, F, iterations, controls.Progress);
    if (n == 0) {
      // Nothing to fit: the objective as it stands.
      F = objective(state, x);
      if (!std::isfinite(F)) {
        throw ArithmeticError(texts::kObjectiveNotFiniteAtStart, {formatGeneral(F, 10)});
      }
    } else {
      auto call = [&state, objective](const TParamVector& p) { return objective(state, p); };
      GradientMinimize(n, iterations, F, eps, x, call, controls.AskToContinue,
                       controls.IterationLimit);
    }
  }
  // The reports during the fit show an intermediate state, and a fit of fewer than 200
  // objective calls makes none: the progress is reported once more with the final iteration
  // count and the minimised sum, so the report shows the error of the parameters it reports.
  if (controls.Progress) controls.Progress(iterations, F);
  FitResult result;
  result.Parameters = x;
  result.ParameterCount = n;
  result.S = F;
  result.E = std::sqrt(F / static_cast<Real>(state.Fit.N));
  result.Iterations = iterations;
  return result;
}

}  // namespace

void preparePairFitData(TBinaryFitData& fit, const Mixture& mixture, int i, int j) {
  if (i < 0 || i > 3 || j < 0 || j > 3 || i == j) {
    throw InputError(texts::kFitPairInvalid, {std::to_string(i + 1), std::to_string(j + 1)});
  }
  const auto I = static_cast<std::size_t>(i);
  const auto J = static_cast<std::size_t>(j);
  const std::string& nameI = mixture.ComponentNames[I];
  const std::string& nameJ = mixture.ComponentNames[J];
  if (fit.N == 0) throw InputError(texts::kFitNoPoints, {nameI, nameJ});
  if (fit.N > kMaxFitPoints) {
    throw InputError(texts::kFitTooManyPoints,
                     {nameI, nameJ, std::to_string(fit.N), std::to_string(kMaxFitPoints)});
  }
  if (!(fit.P > 0.0L) || !std::isfinite(fit.P)) {
    throw InputError(texts::kFitPressureInvalid, {nameI, nameJ, formatGeneral(fit.P, 10)});
  }
  if (fit.x1.size() < fit.N || fit.y1.size() < fit.N || fit.tau.size() < fit.N ||
      fit.Pk.size() < fit.N) {
    throw InputError(texts::kFitNoPoints, {nameI, nameJ});
  }
  fit.resizePoints(fit.N);  // the property tables
  for (std::size_t k = 0; k < fit.N; ++k) {
    if (!isFraction(fit.x1[k]) || !isFraction(fit.y1[k]) || !(fit.tau[k] > 0.0L) ||
        !std::isfinite(fit.tau[k]) || !(fit.Pk[k] > 0.0L) || !std::isfinite(fit.Pk[k])) {
      throw InputError(texts::kFitPointInvalid, {nameI, nameJ, std::to_string(k + 1)});
    }
  }

  fit.i = static_cast<std::uint8_t>(i);
  fit.j = static_cast<std::uint8_t>(j);
  fit.names = {nameI, nameJ};
  fit.r = mixture.r;
  fit.q = mixture.q;
  for (std::size_t k = 0; k < fit.N; ++k) {
    const Real t = celsiusFromTau(fit.tau[k]);
    fit.V[I][k] = MolarVolume(mixture, i, t);
    fit.Psat[I][k] = SaturationPressure(mixture, i, fit.tau[k]);
    fit.V[J][k] = MolarVolume(mixture, j, t);
    fit.UNIQUACFactor[k] = uniquacFactor(fit.x1[k], fit.r[I], fit.r[J], fit.q[I], fit.q[J]);
  }
}

void prepareUnifacFitData(TBinaryFitData& fit, const Mixture& mixture, UnifacVariant variant) {
  const std::array<TComponentGroups, 2> pair = {mixture.Groups[fit.i], mixture.Groups[fit.j]};
  const MixtureGroups groups = BuildMixtureGroups(pair);
  for (int g = 0; g < groups.Count; ++g)
    checkMainGroup(groups.IdsA[static_cast<std::size_t>(g)]);

  fit.GroupCount = groups.Count;
  fit.GroupIdsA = groups.IdsA;
  fit.GroupIdsB = groups.IdsB;
  fit.GroupQ = groups.Q;
  if (variant == UnifacVariant::MainGroups) {
    fit.FitGroupCount = groups.MainGroupCount;
    fit.FitGroupIdsA = groups.MainGroups;
    fit.FitGroupIdsB = {};
  } else {
    fit.FitGroupCount = groups.Count;
    fit.FitGroupIdsA = groups.IdsA;
    fit.FitGroupIdsB = groups.IdsB;
  }
  fit.ComponentGroups = {pair[0], pair[1], TComponentGroups{}, TComponentGroups{}};

  const CompositionVector q = {fit.q[fit.i], fit.q[fit.j], 0.0L, 0.0L, 0.0L};
  const CompositionVector r = {fit.r[fit.i], fit.r[fit.j], 0.0L, 0.0L, 0.0L};
  for (std::size_t k = 0; k < fit.N; ++k) {
    const CompositionVector x = {fit.x1[k], 1.0L - fit.x1[k], 0.0L, 0.0L, 0.0L};
    GroupVector X{};
    GroupFractions(2, fit.GroupCount, fit.GroupIdsA, X, fit.ComponentGroups, x, fit.GroupIdsB);
    fit.GroupFractions[k] = X;
    CompositionVector gammaC{};
    UNIQUACCombinatorial(2, q, r, gammaC, x);
    fit.CombinatorialGamma[k] = gammaC;
  }
}

FitResult fitWilson(FittingState& state, const Mixture& mixture, int i, int j,
                    const FitControls& controls) {
  preparePairFitData(state.Fit, mixture, i, j);
  return minimize(state, 2, kTwoParameterTolerance, state.Fit.WilsonStart, WilsonObjective,
                  controls);
}

FitResult fitNRTL(FittingState& state, const Mixture& mixture, int i, int j,
                  const FitControls& controls) {
  preparePairFitData(state.Fit, mixture, i, j);
  return minimize(state, 3, kNRTLTolerance, state.Fit.NRTLStart, NRTLObjective, controls);
}

FitResult fitUNIQUAC(FittingState& state, const Mixture& mixture, int i, int j,
                     const FitControls& controls) {
  preparePairFitData(state.Fit, mixture, i, j);
  return minimize(state, 2, kTwoParameterTolerance, state.Fit.UNIQUACStart, UNIQUACObjective,
                  controls);
}

FitResult fitUNIFAC(FittingState& state, const Mixture& mixture, int i, int j,
                    const FitControls& controls) {
  TBinaryFitData& fit = state.Fit;
  preparePairFitData(fit, mixture, i, j);
  prepareUnifacFitData(fit, mixture, state.Tables.Variant);
  const int m = fit.FitGroupCount;
  const int n = m * (m - 1);
  if (n > kMaxFitParameters) {
    throw InputError(texts::kFitTooManyGroupParameters,
                     {fit.names[0], fit.names[1], std::to_string(m), std::to_string(n)});
  }
  fit.UNIFACStart = {};
  for (int k = 0; k < n; ++k)
    fit.UNIFACStart[static_cast<std::size_t>(k)] = kUnifacStartValue;
  const FitResult result = minimize(state, static_cast<std::uint8_t>(n), kUnifacTolerance,
                                    fit.UNIFACStart, UNIFACObjective, controls);
  applyUnifacParameters(state, result.Parameters);
  return result;
}

}  // namespace bubblix
