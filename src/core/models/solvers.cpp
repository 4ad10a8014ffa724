#include "core/models/solvers.h"

#include <optional>
#include <span>

#include "core/models/equilibrium_iterations.h"
#include "core/models/model_evaluation.h"
#include "core/models/model_evaluator.h"
#include "core/models/solver_input.h"

namespace bubblix {

SolveResult SolveEquilibrium(const Mixture& mixture, char task, char phase, Real A, Real B,
                             Real& tau, Real& P, const TParameterSet& set, CompositionVector& x,
                             CompositionVector& gamma, CompositionVector& y,
                             const YesNoQuestion& onInversionError) {
  const std::optional<solver_detail::Problem> problem =
      solver_detail::openProblem(task, phase, A, B, tau, P, set, x, y);
  if (!problem) return solver_detail::unchangedResult();
  // Named copies, not a structured binding: lambdas capture them (clang 14 refuses bindings).
  const bool temperatureTask = problem->temperatureTask;
  const bool bubble = problem->bubble;
  const int n = problem->n;

  if (!temperatureTask) {
    if (auto missing = solver_detail::missingVapourPressure(mixture, n, tau)) return *missing;
  }
  solver_detail::Variables vars{tau, P, x, gamma, y};
  SolveResult result;
  if (bubble) {
    // x stays fixed: the evaluator computes its composition terms once, and at a given
    // temperature (task 'P') gamma and the vapour pressures once.
    ModelEvaluator model(mixture, set);
    result = solver_detail::solveBubble(temperatureTask, A, B, n, vars, [&]() {
      model.gamma(vars.x, vars.tau, vars.gamma);
      return BubbleSum(n, vars.x, vars.gamma, model.saturationPressures(vars.tau), vars.P, vars.y);
    });
  } else {
    const Real givenTau = vars.tau;
    const Real givenP = vars.P;
    const CompositionVector vapour = vars.y;
    ModelEvaluator model(mixture, set);
    result = solver_detail::solveDew(
        temperatureTask, n, vars,
        [&](std::span<const Real> v, std::span<Real> F, CompositionVector& g) {
          model.dewResidual(temperatureTask, v, vapour, givenP, givenTau, F, g);
        },
        onInversionError);
  }
  if (result.converged()) solver_detail::copyBack(vars, tau, P, x, gamma, y);
  return result;
}

SolveResult solveEquilibriumOrThrow(const Mixture& mixture, char task, char phase, Real A, Real B,
                                    Real& tau, Real& P, const TParameterSet& set,
                                    CompositionVector& x, CompositionVector& gamma,
                                    CompositionVector& y, const YesNoQuestion& onInversionError) {
  SolveResult result =
      SolveEquilibrium(mixture, task, phase, A, B, tau, P, set, x, gamma, y, onInversionError);
  result.throwIfFailed();
  return result;
}

}  // namespace bubblix
