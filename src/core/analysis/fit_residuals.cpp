#include "core/analysis/fit_residuals.h"

#include <cmath>

#include "core/analysis/consistency_data.h"
#include "core/base/errors.h"
#include "core/base/units.h"
#include "core/data/mixture_loading.h"
#include "core/models/equilibrium_point.h"
#include "core/models/model_evaluation.h"
#include "core/models/solvers.h"
#include "core/texts/analysis_texts.h"
#include "core/texts/residual_texts.h"

namespace bubblix {

PairResiduals pairResiduals(const Database& db, const TParameterSet& set, int i, int j,
                            Language lang) {
  const int n = set.ComponentCount;
  if (i < 0 || j <= i || j >= n || n > 4) {
    throw InputError(kResidualPairInvalid,
                     {std::to_string(i + 1), std::to_string(j + 1), std::to_string(n)});
  }
  validateParameterSet(set);
  for (const int number : componentNumbers(set)) {
    if (number < 1 || number > static_cast<int>(db.ComponentBase.size())) {
      throw InputError(kAnalysisComponentNumber,
                       {std::to_string(number), std::to_string(db.ComponentBase.size())});
    }
  }
  const Mixture mixture = loadMixture(db, componentNumbers(set), lang);
  const auto I = static_cast<std::size_t>(i);
  const auto J = static_cast<std::size_t>(j);

  PairResiduals out;
  out.Positions = {i, j};
  out.Components = {set.Components[I], set.Components[J]};
  out.Names = {mixture.ComponentNames[I], mixture.ComponentNames[J]};
  const EquilibriumDataSet data = pairEquilibriumData(db, out.Components[0], out.Components[1]);
  out.Isothermal = classifyDataSet(data.Points) == DataSetKind::Isothermal;
  out.Measured = static_cast<int>(data.Points.size());

  Real sumUnknown = 0.0L;
  Real sumY1 = 0.0L;
  int countY1 = 0;
  Real previousTau = data.Points.empty() ? 0.0L : data.Points.front().tau;
  for (const DataPoint& point : data.Points) {
    CompositionVector x{};
    CompositionVector y{};
    CompositionVector gamma{};
    x[I] = point.x1;
    x[J] = 1.0L - point.x1;
    Real tau = point.tau;
    Real P = point.P;
    ResidualPoint residual;
    residual.x1 = point.x1;
    try {
      if (out.Isothermal) {
        const SolverStart start = adequacyPressureTaskStart(point.P);
        solveEquilibriumOrThrow(mixture, 'P', 'y', start.A, start.B, tau, P, set, x, gamma, y);
        residual.Unknown = paToMmHg(P - point.P);
      } else {
        const SolverStart start = adequacyTemperatureTaskStart(previousTau);
        solveEquilibriumOrThrow(mixture, 'T', 'y', start.A, start.B, tau, P, set, x, gamma, y);
        residual.Unknown = (tau - point.tau) * kZeroCelsiusK;
        previousTau = tau;
      }
    } catch (const Error&) {
      continue;  // no bubble point: the point is left out of the picture and counted
    }
    if (!std::isfinite(residual.Unknown) || !std::isfinite(y[I])) continue;
    if (point.x1 > 0.0L && point.x1 < 1.0L) {
      residual.Y1 = y[I] - point.y1;
      sumY1 += *residual.Y1 * *residual.Y1;
      ++countY1;
    }
    sumUnknown += residual.Unknown * residual.Unknown;
    out.Points.push_back(residual);
  }
  if (!out.Points.empty()) {
    out.RmsUnknown = std::sqrt(sumUnknown / static_cast<Real>(out.Points.size()));
  }
  if (countY1 > 0) out.RmsY1 = std::sqrt(sumY1 / static_cast<Real>(countY1));
  return out;
}

std::vector<PairResiduals> parameterSetResiduals(const Database& db, const TParameterSet& set,
                                                 Language lang) {
  std::vector<PairResiduals> pairs;
  const int n = set.ComponentCount;
  for (int i = 0; i < n; ++i) {
    for (int j = i + 1; j < n; ++j) {
      const auto I = static_cast<std::size_t>(i);
      const auto J = static_cast<std::size_t>(j);
      try {
        (void)pairEquilibriumData(db, set.Components[I], set.Components[J]);
      } catch (const Error&) {
        continue;  // a pair without data
      }
      pairs.push_back(pairResiduals(db, set, i, j, lang));
    }
  }
  return pairs;
}

}  // namespace bubblix
