#include "core/models/vle_object.h"

#include <optional>
#include <span>
#include <stdexcept>
#include <string>

#include "core/base/errors.h"
#include "core/models/equilibrium_iterations.h"
#include "core/models/model_evaluation.h"
#include "core/models/model_evaluator.h"
#include "core/models/nrtl.h"
#include "core/models/solver_input.h"
#include "core/models/unifac.h"
#include "core/models/uniquac.h"
#include "core/models/wilson.h"
#include "core/texts/solver_texts.h"

namespace bubblix {

void TVLEObj::BubbleResidual(CompositionVector x, Real& sum, CompositionVector& y,
                             CompositionVector& gamma, Real P, Real tau) {
  const int n = componentCount();
  sum = BubbleSum(n, x, gamma, saturationPressuresAt(mixture(), n, tau), P, y);
}

void TWilsonObj::BubbleResidual(CompositionVector x, Real& sum, CompositionVector& y,
                                CompositionVector& gamma, Real P, Real tau) {
  WilsonGamma(mixture(), componentCount(), x, a_, gamma, tau);
  TVLEObj::BubbleResidual(x, sum, y, gamma, P, tau);
}

void TNRTLObj::BubbleResidual(CompositionVector x, Real& sum, CompositionVector& y,
                              CompositionVector& gamma, Real P, Real tau) {
  NRTLGamma(mixture(), componentCount(), x, a_, gamma, alpha_, tau);
  TVLEObj::BubbleResidual(x, sum, y, gamma, P, tau);
}

void TUNIQUACObj::BubbleResidual(CompositionVector x, Real& sum, CompositionVector& y,
                                 CompositionVector& gamma, Real P, Real tau) {
  UNIQUACGamma(componentCount(), q_, r_, x, a_, gamma, tau);
  TVLEObj::BubbleResidual(x, sum, y, gamma, P, tau);
}

TUNIFACObj::TUNIFACObj(const Mixture& mixture, const std::uint8_t& selectedCount, std::uint8_t g,
                       const CompositionVector& q, const CompositionVector& r, const GroupVector& Q,
                       const Matrix10& a, const ComponentGroupTable& groups, const GroupIds& idsA,
                       const GroupIds& idsB)
    : TVLEObj(mixture, selectedCount),
      g_(g),
      q_(q),
      r_(r),
      Q_(Q),
      a_(a),
      groups_(groups),
      idsA_(idsA),
      idsB_(idsB) {
  if (g < 1 || g > 10) throw InputError(kSolverGroupCount, {std::to_string(g)});
  for (std::size_t i = 0; i < groups.size(); ++i) {
    // Records beyond the mixture's components may be empty; a filled one must be usable.
    if (groups[i].Count > 10) {
      throw InputError(kSolverComponentGroupCount,
                       {std::to_string(i + 1), std::to_string(groups[i].Count)});
    }
  }
}

void TUNIFACObj::PrepareComposition(const CompositionVector& x) {
  const int n = componentCount();
  bubblix::GroupFractions(n, g_, idsA_, GroupFractions, groups_, x, idsB_);
  UNIQUACCombinatorial(n, q_, r_, CombinatorialGamma, x);
}

void TUNIFACObj::BubbleResidual(CompositionVector x, Real& sum, CompositionVector& y,
                                CompositionVector& gamma, Real P, Real tau) {
  UNIFACGamma(componentCount(), g_, idsA_, idsB_, gamma, groups_, CombinatorialGamma, a_,
              GroupFractions, Q_, tau);
  TVLEObj::BubbleResidual(x, sum, y, gamma, P, tau);
}

SolveResult TVLEObj::Solve(char task, char phase, Real A, Real B, Real& tau, Real& P,
                           const TParameterSet& set, CompositionVector& x, CompositionVector& gamma,
                           CompositionVector& y, const YesNoQuestion& onInversionError) {
  const std::optional<solver_detail::Problem> problem =
      solver_detail::openProblem(task, phase, A, B, tau, P, set, x, y);
  if (!problem) return solver_detail::unchangedResult();
  // Named copies, not a structured binding: lambdas capture them (clang 14 refuses bindings).
  const bool temperatureTask = problem->temperatureTask;
  const bool bubble = problem->bubble;
  const int n = problem->n;
  if (componentCount() != n) {
    throw std::invalid_argument(
        "TVLEObj::Solve: SelectedCount " + std::to_string(componentCount()) +
        " differs from the parameter set's component count " + std::to_string(n));
  }

  if (!temperatureTask) {
    if (auto missing = solver_detail::missingVapourPressure(mixture(), n, tau)) return *missing;
  }
  solver_detail::Variables vars{tau, P, x, gamma, y};
  SolveResult result;
  if (bubble) {
    if (set.ModelCode == Model::UNIFAC) {
      const UNIFACComposition prepared = prepareUNIFAC(mixture(), set, vars.x);
      GroupFractions = prepared.GroupFractions;
      CombinatorialGamma = prepared.CombinatorialGamma;
    }
    result = solver_detail::solveBubble(temperatureTask, A, B, n, vars, [&]() {
      Real sum = 0.0L;
      BubbleResidual(vars.x, sum, vars.y, vars.gamma, vars.P, vars.tau);
      return sum;
    });
  } else {
    TaskLetter = task;
    DewTemperature = vars.tau;
    FixedComposition = vars.y;
    const Real givenP = vars.P;
    ModelEvaluator model(mixture(), set);
    result = solver_detail::solveDew(
        temperatureTask, n, vars,
        [&](std::span<const Real> v, std::span<Real> F, CompositionVector& g) {
          model.dewResidual(solver_detail::isTemperatureTask(TaskLetter), v, FixedComposition,
                            givenP, DewTemperature, F, g);
        },
        onInversionError);
  }
  if (result.converged()) solver_detail::copyBack(vars, tau, P, x, gamma, y);
  return result;
}

SolveResult TVLEObj::SolveOrThrow(char task, char phase, Real A, Real B, Real& tau, Real& P,
                                  const TParameterSet& set, CompositionVector& x,
                                  CompositionVector& gamma, CompositionVector& y,
                                  const YesNoQuestion& onInversionError) {
  SolveResult result = Solve(task, phase, A, B, tau, P, set, x, gamma, y, onInversionError);
  result.throwIfFailed();
  return result;
}

std::unique_ptr<TVLEObj> makeModelObject(const Mixture& mixture, const std::uint8_t& selectedCount,
                                         const TParameterSet& set) {
  validateParameterSet(set);
  switch (set.ModelCode) {
    case Model::Wilson:
      return std::make_unique<TWilsonObj>(mixture, selectedCount, set.WilsonEnergy);
    case Model::NRTL:
      return std::make_unique<TNRTLObj>(mixture, selectedCount, set.NRTLAlpha, set.NRTLEnergy);
    case Model::UNIQUAC:
      return std::make_unique<TUNIQUACObj>(mixture, selectedCount, mixtureAreas(mixture),
                                           set.UNIQUACEnergy, mixtureVolumes(mixture));
    case Model::UNIFAC:
      return std::make_unique<TUNIFACObj>(
          mixture, selectedCount, set.GroupCount, mixtureAreas(mixture), mixtureVolumes(mixture),
          set.GroupQ, set.GroupInteraction, set.ComponentGroups, set.GroupIdsA, set.GroupIdsB);
  }
  return nullptr;  // not reached: every model has its object
}

}  // namespace bubblix
