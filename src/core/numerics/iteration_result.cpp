#include "core/numerics/iteration_result.h"

namespace bubblix {

const char* solveStepName(SolveStep step) {
  switch (step) {
    case SolveStep::ParabolicStart:
      return "ParabolicStart";
    case SolveStep::SecantSolve:
      return "SecantSolve";
    case SolveStep::DewResidual:
      return "DewResidual";
    case SolveStep::NumericJacobian:
      return "NumericJacobian";
    case SolveStep::InvertMatrix:
      return "InvertMatrix";
    case SolveStep::NewtonSolve:
      return "NewtonSolve";
    case SolveStep::None:
      break;
  }
  return "";
}

}  // namespace bubblix
