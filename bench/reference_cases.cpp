// The cost of the 80-bit libm functions the models are built on, 64 calls per run, so that
// the model figures can be read against them: the models must call exactly these functions
// with exactly these arguments to give the same bits.

#include <cmath>
#include <string>
#include <utility>

#include "bench_cases.h"
#include "bench_fixtures.h"
#include "core/base/units.h"
#include "core/data/properties.h"

namespace bubblix::bench {

namespace {

constexpr int kCalls = 64;

enum class Function { Exp, Log, Pow };

class LibmWork : public BenchWork {
 public:
  explicit LibmWork(Function function) : function_(function) {
    for (int k = 0; k < kCalls; ++k)
      arguments_[k] = 0.5L + static_cast<Real>(k) / 37.0L;  // 0.5 .. 2.2
  }

  void run() override {
    Real sum = 0.0L;
    for (int k = 0; k < kCalls; ++k) {
      const Real a = arguments_[k];
      switch (function_) {
        case Function::Exp:
          sum += std::exp(-a);
          break;
        case Function::Log:
          sum += std::log(a);
          break;
        case Function::Pow:
          sum += std::pow(a, 1.432L);  // a real exponent, as 5 q_i in the combinatorial term
          break;
      }
    }
    sum_ = sum;
  }

  Results results() const override { return {exactText(sum_)}; }

 private:
  Function function_;
  std::array<Real, kCalls> arguments_{};
  Real sum_ = 0;
};

// The property look-ups of the models: molar volume and vapour pressure of the four database
// components at 64 temperatures from 20 to 104.5 degC.
class PropertyWork : public BenchWork {
 public:
  void run() override {
    const Mixture& mixture = databaseMixture(4);
    Real sum = 0.0L;
    for (int k = 0; k < kCalls; ++k) {
      const Real t = 20.0L + 1.34L * static_cast<Real>(k);
      for (int slot = 0; slot < 4; ++slot) {
        sum += MolarVolume(mixture, slot, t);
        sum += SaturationPressure(mixture, slot, tauFromCelsius(t)) * 1e-5L;
      }
    }
    sum_ = sum;
  }

  Results results() const override { return {exactText(sum_)}; }

 private:
  Real sum_ = 0;
};

}  // namespace

void addReferenceCases() {
  {
    BenchCase c{"properties/4x64", [] { return std::make_unique<PropertyWork>(); },
                CaseSize::Micro};
    c.ItemsPerRun = 2 * 4 * kCalls;
    addCase(std::move(c));
  }
  const std::pair<const char*, Function> functions[] = {
      {"libm/expl", Function::Exp}, {"libm/logl", Function::Log}, {"libm/powl", Function::Pow}};
  for (const auto& [name, function] : functions) {
    BenchCase c{std::string(name) + "/64",
                [function] { return std::make_unique<LibmWork>(function); }, CaseSize::Micro};
    c.ItemsPerRun = kCalls;
    addCase(std::move(c));
  }
}

}  // namespace bubblix::bench
