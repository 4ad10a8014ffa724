// Activity coefficients, bubble points and dew points of the fitted models, through the free
// routines the equilibrium dialogue uses (modelGamma, SolveEquilibrium).

#include <string>

#include "bench_cases.h"
#include "bench_fixtures.h"
#include "core/base/units.h"
#include "core/models/model_evaluation.h"
#include "core/models/solvers.h"

namespace bubblix::bench {

namespace {

constexpr Real kGammaCelsius = 80.0L;     // temperature of the activity-coefficient cases
constexpr Real kBubblePressure = 760.0L;  // mm Hg, task T
constexpr Real kBubbleCelsius = 60.0L;    // degC, task P

// gamma at a fixed temperature and composition. UNIFAC prepares the group fractions and the
// combinatorial term of x on every call, as a single call of the model has to.
class GammaWork : public BenchWork {
 public:
  GammaWork(Model model, int n)
      : mixture_(databaseMixture(n)),
        set_(fittedSet(model, n)),
        x_(caseComposition(n)),
        tau_(tauFromCelsius(kGammaCelsius)) {}

  void run() override { modelGamma(mixture_, set_, x_, gamma_, tau_); }

  Results results() const override {
    Results results;
    appendExact(results, std::span<const Real>(gamma_.data(), set_.ComponentCount));
    return results;
  }

 private:
  const Mixture& mixture_;
  const TParameterSet& set_;
  CompositionVector x_;
  CompositionVector gamma_{};
  Real tau_;
};

// One point of the equilibrium dialogue: task 'T' at 760 mm Hg or task 'P' at 60 degC, the
// liquid (bubble) or vapour (dew) composition given, with the dialogue's start values.
class PointWork : public BenchWork {
 public:
  PointWork(Model model, int n, char task, char phase)
      : mixture_(databaseMixture(n)), set_(fittedSet(model, n)), task_(task), phase_(phase) {
    given_ = caseComposition(n);
    if (task == 'T') {
      A_ = 1.01L;
      B_ = 1.2L;  // 760 mm Hg is below 1000 mm Hg
    } else {
      A_ = 30.0L;
      B_ = 760.0L;  // 60 degC is above 40 degC
    }
  }

  void run() override {
    tau_ = task_ == 'T' ? 0.0L : tauFromCelsius(kBubbleCelsius);
    P_ = task_ == 'T' ? mmHgToPa(kBubblePressure) : 0.0L;
    x_ = phase_ == 'y' ? given_ : CompositionVector{};
    y_ = phase_ == 'y' ? CompositionVector{} : given_;
    gamma_ = {};
    result_ = SolveEquilibrium(mixture_, task_, phase_, A_, B_, tau_, P_, set_, x_, gamma_, y_);
  }

  Results results() const override {
    const auto n = static_cast<std::size_t>(set_.ComponentCount);
    Results results;
    results.push_back(std::to_string(static_cast<int>(result_.Status)));
    results.push_back(std::to_string(result_.Iterations));
    appendExact(results, std::span<const Real>(&tau_, 1));
    appendExact(results, std::span<const Real>(&P_, 1));
    appendExact(results, std::span<const Real>(x_.data(), n));
    appendExact(results, std::span<const Real>(y_.data(), n));
    appendExact(results, std::span<const Real>(gamma_.data(), n));
    return results;
  }

 private:
  const Mixture& mixture_;
  const TParameterSet& set_;
  char task_;
  char phase_;
  CompositionVector given_{};
  Real A_ = 0;
  Real B_ = 0;
  Real tau_ = 0;
  Real P_ = 0;
  CompositionVector x_{};
  CompositionVector y_{};
  CompositionVector gamma_{};
  SolveResult result_;
};

bool isUnifac(Model model) {
  return model == Model::UNIFAC1 || model == Model::UNIFAC2;
}

}  // namespace

void addModelCases() {
  for (const int n : {2, 4}) {
    for (const Model model : kSolverModels) {
      const std::string suffix = std::string(caseModelName(model)) + "/" + std::to_string(n);
      double target = n == 2 ? 0.3e-6 : 1.5e-6;
      if (isUnifac(model)) target = n == 2 ? 1e-6 : 4e-6;
      addCase({"gamma/" + suffix, [model, n] { return std::make_unique<GammaWork>(model, n); },
               CaseSize::Micro, target});
    }
  }
  struct Problem {
    const char* name;
    char task;
    char phase;
  };
  constexpr Problem problems[] = {
      {"bubbleT", 'T', 'y'}, {"bubbleP", 'P', 'y'}, {"dewT", 'T', 'x'}, {"dewP", 'P', 'x'}};
  for (const Problem& problem : problems) {
    const bool bubble = problem.phase == 'y';
    for (const int n : {2, 4}) {
      for (const Model model : kSolverModels) {
        double target = 0;
        if (bubble) {
          target = n == 2 ? (isUnifac(model) ? 10e-6 : 5e-6) : 15e-6;
        } else if (n == 2) {
          target = 40e-6;
        }
        addCase({std::string(problem.name) + "/" + caseModelName(model) + "/" + std::to_string(n),
                 [model, n, problem] {
                   return std::make_unique<PointWork>(model, n, problem.task, problem.phase);
                 },
                 CaseSize::Micro, target});
      }
    }
  }
}

}  // namespace bubblix::bench
