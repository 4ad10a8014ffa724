// Batch mode: 1000 binary points per run read from CSV text and written as CSV rows, with the
// fitted parameters of comp.1 - comp.2. The throughput target counts reading, solving and
// writing together.

#include <sstream>
#include <string>

#include "bench_cases.h"
#include "bench_fixtures.h"
#include "core/models/batch_solve.h"

namespace bubblix::bench {

namespace {

constexpr int kPoints = 1000;

// Bubble points of task T (pressures 500 to 1000 mm Hg) or task P (50.5 to 90.5 degC) over
// liquid compositions 0.1 to 99.9 % of comp.1, all numbers as a spreadsheet writes them.
std::string batchInput(char task) {
  std::string input = batchInputHeader(2) + "\n";
  for (int k = 0; k < kPoints; ++k) {
    const int percentTenths = 1 + (k * 37) % 999;  // 0.1 .. 99.9, scattered
    std::string value = task == 'T' ? std::to_string(500 + (k * 13) % 501)
                                    : std::to_string(50 + (k * 7) % 41) + ".5";
    input += std::string(1, task) + ",liquid," + value + "," + std::to_string(percentTenths / 10) +
             "." + std::to_string(percentTenths % 10) + "\n";
  }
  return input;
}

class BatchWork : public BenchWork {
 public:
  BatchWork(Model model, char task) : set_(fittedSet(model, 2)), input_(batchInput(task)) {}

  void run() override {
    std::istringstream in(input_);
    std::ostringstream out;
    summary_ = solveBatch(in, out, set_, databaseMixture(2), Language::English);
    output_ = out.str();
  }

  Results results() const override {
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a of the output
    for (const char c : output_) {
      hash ^= static_cast<unsigned char>(c);
      hash *= 1099511628211ull;
    }
    return {std::to_string(summary_.Points), std::to_string(summary_.Solved),
            std::to_string(summary_.Failed), "fnv:" + std::to_string(hash)};
  }

 private:
  const TParameterSet& set_;
  std::string input_;
  std::string output_;
  BatchSummary summary_;
};

}  // namespace

void addBatchCases() {
  for (const Model model : {Model::Wilson, Model::UNIFAC2}) {
    for (const char task : {'T', 'P'}) {
      BenchCase c{std::string("batch/bubble") + task + "/" + caseModelName(model) + "/2x1000",
                  [model, task] { return std::make_unique<BatchWork>(model, task); },
                  CaseSize::Milli, kPoints / 100000.0};
      c.ItemsPerRun = kPoints;
      addCase(std::move(c));
    }
  }
}

}  // namespace bubblix::bench
