#pragma once
// How one of the generic iterations ended (secant.h, newton.h): converged, at its iteration
// limit, or with a fault in a named step. The equilibrium solvers extend this result with
// what is their own (SolveResult, models/solve_result.h).

#include <cstdint>
#include <string>
#include <vector>

#include "core/base/real.h"
#include "core/texts/text.h"

namespace bubblix {

enum class SolveStatus : std::uint8_t {
  Converged,
  NoConvergence,    // the iteration limit was reached
  ArithmeticFault,  // a fault in the step named by Step
  Unchanged,        // nothing was computed (the equilibrium solvers: an unknown phase letter)
};

enum class SolveStep : std::uint8_t {
  None,
  ParabolicStart,
  SecantSolve,
  DewResidual,      // the residual at a Newton iterate
  NumericJacobian,  // the residual at a perturbed point, or a Jacobian element
  InvertMatrix,
  NewtonSolve,  // the Newton step
};

enum class SolveFault : std::uint8_t {
  None,
  IterationLimit,
  NotFinite,  // a value that is not a finite number, or a property look-up out of its range
  NegativeUnderRoot,
  ZeroQuadraticCoefficient,
  ZeroSlope,
  SingularMatrix,    // a pivot below the threshold; Message is the inversion's own text
  NegativeFraction,  // the Newton iteration met its tolerance at a negative mole fraction
  ResidualNotSmall,  // the Newton steps met the tolerance but the residual stayed large
};

// The routine name of a step ("ParabolicStart", ...); "" for None.
const char* solveStepName(SolveStep step);

struct IterationResult {
  SolveStatus Status = SolveStatus::Converged;
  SolveStep Step = SolveStep::None;  // where the fault or the limit was met
  SolveFault Fault = SolveFault::None;
  int Iterations = 0;       // secant passes or Newton iterations done
  Real LastResidual = 0;    // secant: f at the last evaluation; Newton: the largest |F_i| at
                            // the last iterate whose residual was evaluated
  Real LastCorrection = 0;  // secant: |c - d| of the last pass; Newton: rms of the last step
  Real RootEstimate = 0;    // secant: the root estimate c of the last pass
  // The failure text when the step that failed has one of its own (a singular matrix);
  // nothing otherwise.
  const Text* Message = nullptr;
  std::vector<std::string> MessageArgs;

  bool converged() const { return Status == SolveStatus::Converged; }
  bool failed() const {
    return Status == SolveStatus::NoConvergence || Status == SolveStatus::ArithmeticFault;
  }
};

namespace iteration_detail {

inline IterationResult fault(SolveStep step, SolveFault kind) {
  IterationResult result;
  result.Status = SolveStatus::ArithmeticFault;
  result.Step = step;
  result.Fault = kind;
  return result;
}

}  // namespace iteration_detail

}  // namespace bubblix
