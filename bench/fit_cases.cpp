// Binary fits of the database components 1 and 2 per model.

#include <string>

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

}  // namespace

void addFitCases() {
  for (const Model model : kAllModels) {
    double target = 20e-3;
    if (model == Model::NRTL) target = 50e-3;
    if (model == Model::UNIFAC1 || model == Model::UNIFAC2) target = 200e-3;
    addCase({std::string("fit/") + caseModelName(model) + "/2",
             [model] { return std::make_unique<BinaryFitWork>(model); }, CaseSize::Milli, target});
  }
}

}  // namespace bubblix::bench
