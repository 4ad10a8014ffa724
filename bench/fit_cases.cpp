// Binary fits of the database components 1 and 2 per model.

#include <string>

#include "core/fitting/objective_fit.h"

#include "bench_cases.h"
#include "bench_fixtures.h"

namespace bubblix::bench {

namespace {

// The fit of comp.1-comp.2 from the built-in start vector; every run starts from a copy of
// the freshly selected system.
class BinaryFitWork : public BenchWork {
 public:
  explicit BinaryFitWork(Model model)
      : model_(model),
        start_(selectedPairState(model, 0, 1)),
        state_(std::make_unique<FittingState>()) {}

  void run() override {
    *state_ = *start_;
    result_ = fitPair(model_, *state_, databaseMixture(2), 0, 1);
  }

  Results results() const override {
    Results results;
    appendExact(results, std::span<const Real>(result_.Parameters.data(), result_.ParameterCount));
    appendExact(results, std::span<const Real>(&result_.S, 1));
    appendExact(results, std::span<const Real>(&result_.E, 1));
    results.push_back(std::to_string(result_.Iterations));
    return results;
  }

 private:
  Model model_;
  std::unique_ptr<const FittingState> start_;
  std::unique_ptr<FittingState> state_;
  FitResult result_;
};

// The bubble-objective fit of comp.1-comp.2 from the y1 fit's result, as a fitting session
// with --objective bubble runs it after the y1 fit.
class BubbleFitWork : public BenchWork {
 public:
  explicit BubbleFitWork(Model model)
      : model_(model),
        start_(selectedPairState(model, 0, 1)),
        state_(std::make_unique<FittingState>()) {
    auto prepared = std::make_unique<FittingState>(*start_);
    const FitResult y1 = fitPair(model_, *prepared, databaseMixture(2), 0, 1);
    y1Parameters_ = y1.Parameters;
    count_ = y1.ParameterCount;
    start_ = std::move(prepared);
  }

  void run() override {
    *state_ = *start_;
    result_ = fitObjective(*state_, databaseMixture(2), modelOf(model_), count_, y1Parameters_,
                           ObjectiveFitRequest{});
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
  Model model_;
  std::unique_ptr<const FittingState> start_;
  std::unique_ptr<FittingState> state_;
  TParamVector y1Parameters_{};
  int count_ = 0;
  ObjectiveFitResult result_;
};

}  // namespace

void addFitCases() {
  for (const Model model : {Model::Wilson, Model::NRTL, Model::UNIQUAC, Model::UNIFAC1}) {
    const double target = model == Model::UNIFAC1 ? 300e-3 : 50e-3;
    addCase({std::string("fit-bubble/") + caseModelName(model) + "/2",
             [model] { return std::make_unique<BubbleFitWork>(model); }, CaseSize::Milli, target});
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
