#include "core/fitting/unifac_start_estimate.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <vector>

#include "core/base/errors.h"
#include "core/base/units.h"
#include "core/data/experimental_data.h"
#include "core/fitting/unifac_group_tables.h"
#include "core/models/model_evaluation.h"
#include "core/models/nrtl.h"
#include "core/models/uniquac.h"
#include "core/models/wilson.h"
#include "core/numerics/least_squares.h"

namespace bubblix {
namespace {

bool hasReferenceEntry(const MainGroupTableType& reference, int main) {
  if (main < 1 || main > 18) return false;
  const auto m = static_cast<std::size_t>(main - 1);
  for (std::size_t n = 0; n < 18; ++n) {
    if (reference[m][n] != 0 || reference[n][m] != 0) return true;
  }
  return false;
}

// What the least squares need of one point: the composition, the temperature, the molar
// volumes of the pair and UNIFAC's ln gamma of both components.
struct TargetPoint {
  CompositionVector x{};
  Real tau = 0;
  ComponentValues V{};
  std::array<Real, 2> lnGamma{};
};

bool finiteLogs(const CompositionVector& gamma, std::array<Real, 2>& logs) {
  for (std::size_t c = 0; c < 2; ++c) {
    if (!(gamma[c] > 0) || !std::isfinite(gamma[c])) return false;
    logs[c] = std::log(gamma[c]);
  }
  return true;
}

// UNIFAC's ln gamma at every point of fit; nothing where a point cannot be evaluated.
std::optional<std::vector<TargetPoint>> unifacTargets(const Mixture& pair,
                                                      const TBinaryFitData& fit,
                                                      const MainGroupTableType& reference) {
  TParameterSet set;
  set.ModelCode = Model::UNIFAC;
  set.ComponentCount = 2;
  storeUnifacGroups(startUnifacTables(reference, UnifacVariant::MainGroups), pair, 2, set);
  std::vector<TargetPoint> points;
  points.reserve(fit.N);
  for (std::size_t k = 0; k < fit.N; ++k) {
    TargetPoint point;
    point.x[0] = fit.x1[k];
    point.x[1] = 1.0L - fit.x1[k];
    point.tau = fit.tau[k];
    const Real t = celsiusFromTau(point.tau);
    point.V[0] = MolarVolume(pair, 0, t);
    point.V[1] = MolarVolume(pair, 1, t);
    CompositionVector gamma{};
    modelGamma(pair, set, point.x, gamma, point.tau);
    if (!finiteLogs(gamma, point.lnGamma)) return std::nullopt;
    points.push_back(point);
  }
  return points;
}

// The model's gamma of the pair at one point with the parameters p.
void pairGamma(Model model, const Mixture& pair, const TargetPoint& point, std::span<const Real> p,
               CompositionVector& gamma) {
  switch (model) {
    case Model::Wilson: {
      Matrix4 a{};
      a[0][1] = p[0];
      a[1][0] = p[1];
      WilsonGamma(2, point.x, a, gamma, point.tau, point.V);
      return;
    }
    case Model::NRTL: {
      Matrix4 a{};
      Matrix4 alpha{};
      a[0][1] = p[0];
      a[1][0] = p[1];
      alpha[0][1] = alpha[1][0] = kStartEstimateAlpha;
      NRTLGamma(2, point.x, a, gamma, alpha, point.tau, point.V);
      return;
    }
    case Model::UNIQUAC: {
      Matrix10 a{};
      a[0][1] = p[0];
      a[1][0] = p[1];
      UNIQUACGamma(pair, 2, point.x, a, gamma, point.tau);
      return;
    }
    case Model::UNIFAC:
      break;
  }
}

std::array<Real, 2> fixedStart(Model model) {
  switch (model) {
    case Model::Wilson:
      return kDefaultWilsonStart;
    case Model::NRTL:
      return {kDefaultNRTLStart[0], kDefaultNRTLStart[1]};
    case Model::UNIQUAC:
      return kDefaultUNIQUACStart;
    case Model::UNIFAC:
      break;
  }
  return {};
}

TParamVector* startOf(Model model, TBinaryFitData& fit) {
  switch (model) {
    case Model::Wilson:
      return &fit.WilsonStart;
    case Model::NRTL:
      return &fit.NRTLStart;
    case Model::UNIQUAC:
      return &fit.UNIQUACStart;
    case Model::UNIFAC:
      break;
  }
  return nullptr;
}

}  // namespace

std::optional<MissingReference> missingReference(const MainGroupTableType& reference,
                                                 const TComponentGroups& first,
                                                 const TComponentGroups& second) {
  for (const TComponentGroups* c : {&first, &second}) {
    for (std::size_t k = 0; k < c->Count && k < c->IdsA.size(); ++k) {
      if (!hasReferenceEntry(reference, c->IdsA[k])) {
        return MissingReference{FixedStartReason::NoReferenceGroup, {c->IdsA[k], 0}};
      }
    }
  }
  const std::array<TComponentGroups, 2> pair = {first, second};
  if (const auto groups = mainGroupPairWithoutReference(reference, pair)) {
    return MissingReference{FixedStartReason::NoReference, *groups};
  }
  return std::nullopt;
}

std::optional<TParamVector> unifacStartEstimate(const Mixture& mixture, int i, int j, Model model,
                                                const TBinaryFitData& fit,
                                                const MainGroupTableType& reference) {
  if (model == Model::UNIFAC || fit.N == 0 || i < 0 || j < 0 || i > 3 || j > 3 || i == j) {
    return std::nullopt;
  }
  // The pair as a mixture of its own, slot 0 the first component.
  Mixture pair;
  for (const auto [to, from] : {std::array<int, 2>{0, i}, std::array<int, 2>{1, j}}) {
    const auto T = static_cast<std::size_t>(to);
    const auto F = static_cast<std::size_t>(from);
    pair.ComponentNames[T] = mixture.ComponentNames[F];
    pair.MixAntoineA[T] = mixture.MixAntoineA[F];
    pair.MixAntoineB[T] = mixture.MixAntoineB[F];
    pair.MixAntoineC[T] = mixture.MixAntoineC[F];
    pair.MolarMasses[T] = mixture.MolarMasses[F];
    pair.r[T] = mixture.r[F];
    pair.q[T] = mixture.q[F];
    pair.Groups[T] = mixture.Groups[F];
    pair.Records[T] = mixture.Records[F];
  }
  std::optional<std::vector<TargetPoint>> targets;
  try {
    targets = unifacTargets(pair, fit, reference);
  } catch (const Error&) {
    return std::nullopt;  // a molar volume or the groups could not be evaluated
  }
  if (!targets) return std::nullopt;

  const ResidualFunction residuals = [&](std::span<const Real> p, std::span<Real> r) {
    std::size_t next = 0;
    for (const TargetPoint& point : *targets) {
      CompositionVector gamma{};
      pairGamma(model, pair, point, p, gamma);
      std::array<Real, 2> logs{};
      if (!finiteLogs(gamma, logs)) return false;
      r[next++] = logs[0] - point.lnGamma[0];
      r[next++] = logs[1] - point.lnGamma[1];
    }
    return true;
  };
  const std::array<Real, 2> start = fixedStart(model);
  LeastSquaresResult result;
  try {
    result = minimiseSumOfSquares(residuals, start, static_cast<int>(2 * targets->size()));
  } catch (const Error&) {
    return std::nullopt;  // the model cannot be evaluated at the fixed start
  }
  if (!result.Converged || result.Parameters.size() != 2) return std::nullopt;
  for (const Real p : result.Parameters) {
    if (!std::isfinite(p) || std::fabs(p) > kLargestStartEstimate) return std::nullopt;
  }
  TParamVector values{};
  values[0] = result.Parameters[0];
  values[1] = result.Parameters[1];
  if (model == Model::NRTL) values[2] = kStartEstimateAlpha;
  return values;
}

StartChoice chooseStartVector(const Database& db, int a, int b, const Mixture& mixture, int i,
                              int j, Model model, TBinaryFitData& fit) {
  StartChoice choice;
  TParamVector* start = startOf(model, fit);
  if (start == nullptr) return choice;  // UNIFAC: its own start
  choice.Count = model == Model::NRTL ? 3 : 2;
  if (pairDataSet(db, a, b) != nullptr) {
    choice.Values = *start;
    return choice;
  }
  // The fixed start vector, from the experimental points (experimental_data.h).
  choice.Source = StartSource::Fixed;
  choice.Values = *start;
  choice.FixedValues = *start;
  const auto I = static_cast<std::size_t>(i);
  const auto J = static_cast<std::size_t>(j);
  if (i < 0 || j < 0 || i > 3 || j > 3) return choice;
  if (const auto missing =
          missingReference(db.ReferenceMainGroupTable, mixture.Groups[I], mixture.Groups[J])) {
    choice.Reason = missing->Reason;
    choice.Groups = missing->Groups;
    return choice;
  }
  if (model == Model::NRTL) {
    choice.Reason = FixedStartReason::NotForModel;
    return choice;
  }
  const auto estimate = unifacStartEstimate(mixture, i, j, model, fit, db.ReferenceMainGroupTable);
  if (!estimate) {
    choice.Reason = FixedStartReason::EstimateFailed;
    return choice;
  }
  choice.Source = StartSource::Unifac;
  choice.Values = *estimate;
  *start = *estimate;
  return choice;
}

}  // namespace bubblix
