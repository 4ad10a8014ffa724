// Binary fits of the database components 1 and 2 per model.

#include <string>

#include "core/fitting/objective_fit.h"

#include "bench_cases.h"
#include "bench_fixtures.h"

namespace bubblix::bench {

namespace {

// A fit of comp.1-comp.2: every run starts from a copy of the freshly selected system.
class PairFitWork : public BenchWork {
 protected:
  explicit PairFitWork(Model model)
      : model_(model),
        start_(selectedPairState(model, 0, 1)),
        state_(std::make_unique<FittingState>()) {}

  FittingState& freshState() {
    *state_ = *start_;
    return *state_;
  }

  Model model_;
  std::unique_ptr<const FittingState> start_;
  std::unique_ptr<FittingState> state_;
};

// The fit from the built-in start vector.
class BinaryFitWork : public PairFitWork {
 public:
  explicit BinaryFitWork(Model model) : PairFitWork(model) {}

  void run() override { result_ = fitPair(model_, freshState(), databaseMixture(2), 0, 1); }

  Results results() const override {
    Results results;
    appendExact(results, std::span<const Real>(result_.Parameters.data(), result_.ParameterCount));
    appendExact(results, std::span<const Real>(&result_.S, 1));
    appendExact(results, std::span<const Real>(&result_.E, 1));
    results.push_back(std::to_string(result_.Iterations));
    return results;
  }

 private:
  FitResult result_;
};

// The fit to another objective from the y1 fit's result, as a fitting session with
// --objective runs it after the y1 fit; the y1 fit is computed once beforehand and its
// fitted state is the start of every run.
class ObjectiveFitWork : public PairFitWork {
 public:
  ObjectiveFitWork(Model model, FitObjective objective) : PairFitWork(model) {
    request_.Objective = objective;
    auto prepared = std::make_unique<FittingState>(*start_);
    const FitResult y1 = fitPair(model_, *prepared, databaseMixture(2), 0, 1);
    y1Parameters_ = y1.Parameters;
    count_ = y1.ParameterCount;
    start_ = std::move(prepared);
  }

  void run() override {
    result_ = fitObjective(freshState(), databaseMixture(2), modelOf(model_), count_, y1Parameters_,
                           request_);
  }

  Results results() const override {
    Results results;
    appendExact(results,
                std::span<const Real>(result_.Parameters.data(), result_.Parameters.size()));
    appendExact(results, std::span<const Real>(&result_.Chi2, 1));
    results.push_back(std::to_string(result_.Iterations));
    return results;
  }

 private:
  ObjectiveFitRequest request_;
  TParamVector y1Parameters_{};
  int count_ = 0;
  ObjectiveFitResult result_;
};

}  // namespace

void addFitCases() {
  for (const Model model : {Model::Wilson, Model::NRTL, Model::UNIQUAC, Model::UNIFAC1}) {
    const double target = model == Model::UNIFAC1 ? 300e-3 : 50e-3;
    addCase({std::string("fit-bubble/") + caseModelName(model) + "/2",
             [model] { return std::make_unique<ObjectiveFitWork>(model, FitObjective::Bubble); },
             CaseSize::Milli, target});
  }
  for (const Model model : {Model::Wilson, Model::NRTL, Model::UNIQUAC, Model::UNIFAC1}) {
    addCase({std::string("fit-ml/") + caseModelName(model) + "/2",
             [model] { return std::make_unique<ObjectiveFitWork>(model, FitObjective::ML); },
             CaseSize::Milli, 500e-3});
  }
  for (const Model model : kAllModels) {
    double target = 20e-3;
    if (model == Model::NRTL) target = 50e-3;
    if (model == Model::UNIFAC1 || model == Model::UNIFAC2) target = 200e-3;
    addCase({std::string("fit/") + caseModelName(model) + "/2",
             [model] { return std::make_unique<BinaryFitWork>(model); }, CaseSize::Milli, target});
  }
}

}  // namespace bubblix::bench
