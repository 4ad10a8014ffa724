#pragma once
// The cases of the benchmark suite and their golden results.
//
// A case is one computation of the core - activity coefficients, a bubble or dew point, a
// fit, a session, a batch - made by a BenchWork. Its results are kept as exact text: every
// Real as the hexadecimal image of its 80-bit value ("%La", which shows all 64 mantissa
// bits), counts and digests as decimal text. bench/golden.txt holds the results recorded
// before any optimisation; the program checks every case against it before timing anything
// and again after each case's timing loop, and refuses to go on when a single bit differs.

#include <array>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/base/real.h"

namespace bubblix::bench {

using Results = std::vector<std::string>;

// The exact text of a Real: "%La".
std::string exactText(Real value);
void appendExact(Results& results, std::span<const Real> values);

class BenchWork {
 public:
  virtual ~BenchWork() = default;
  // The computation that is timed. It starts from the same state every time.
  virtual void run() = 0;
  // The results of the last run.
  virtual Results results() const = 0;
};

// How long one run takes, which decides the timing set-up.
enum class CaseSize {
  Micro,  // microseconds: many iterations per repetition
  Milli,  // milliseconds: a few iterations per repetition
  Long,   // up to seconds: one iteration per repetition
};

struct BenchCase {
  std::string Name;
  std::function<std::unique_ptr<BenchWork>()> Make;
  CaseSize Size = CaseSize::Micro;
  double TargetSeconds = 0;  // the speed target of one run; 0 for none
  double ItemsPerRun = 0;    // items (points) per run for a throughput figure; 0 for none
};

// The registry, filled by the case files through main in a fixed order.
std::vector<BenchCase>& allCases();
void addCase(BenchCase c);

// The case files.
void addModelCases();      // activity coefficients, bubble and dew points
void addFitCases();        // binary fits
void addSessionCases();    // fitting sessions and the demonstration session
void addBatchCases();      // batch mode throughput
void addReferenceCases();  // the libm functions the models call

}  // namespace bubblix::bench
