#include "core/models/solve_result.h"

#include <string>

#include "core/base/errors.h"
#include "core/texts/solver_texts.h"

namespace bubblix {
namespace {

// Step and iteration count for a failure that carries no text of its own.
void genericText(SolveResult& result) {
  if (result.Message != nullptr) return;
  result.Message =
      result.Status == SolveStatus::NoConvergence ? &kSolverStepNoConvergence : &kSolverStepFault;
  result.MessageArgs = {solveStepName(result.Step), std::to_string(result.Iterations)};
}

}  // namespace

std::string SolveResult::message(Language lang) const {
  if (!failed()) return "";
  SolveResult copy = *this;
  genericText(copy);
  return render(*copy.Message, lang, copy.MessageArgs);
}

void SolveResult::throwIfFailed() const {
  if (!failed()) return;
  SolveResult copy = *this;
  genericText(copy);
  if (Status == SolveStatus::NoConvergence)
    throw NoConvergenceError(*copy.Message, copy.MessageArgs);
  throw ArithmeticError(*copy.Message, copy.MessageArgs);
}

}  // namespace bubblix
