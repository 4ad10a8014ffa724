#pragma once
// How a bubble- or dew-point solution ended (solvers.h): the result of the iteration that
// ran (IterationResult) with what the solvers add to it.

#include <cstdint>
#include <string>

#include "core/numerics/iteration_result.h"
#include "core/texts/text.h"

namespace bubblix {

// The safeguarded method that takes over when the iteration above fails (solver_fallback.h).
enum class SolveFallback : std::uint8_t {
  None,
  BubblePressure,     // P = sum x_i gamma_i Psat_i directly
  BubbleTemperature,  // a bracketed root search on sum y - 1 in tau
  DewPoint,           // successive substitution on x with the unknown solved at each x
};

// How a solution ended. The failure text (Message, MessageArgs) names the task, the phase,
// the given values and the last iterate of the iteration that failed; it is empty when the
// iteration converged, and kept when a fallback found the point after all (message() and
// throwIfFailed() then give nothing, as for any converged solution). Of the iteration's own
// fields, LastResidual is sum y - 1 at the last evaluation (bubble) or the largest |F_i| at
// the last iterate whose residual was evaluated (dew); LastCorrection |c - d| of the last
// secant pass or the rms of the last Newton step; RootEstimate the bubble root estimate c
// (tau or Pa).
struct SolveResult : IterationResult {
  SolveResult() = default;
  // The result of an iteration, nothing added yet (implicit: the solvers assign one).
  SolveResult(const IterationResult& iteration) : IterationResult(iteration) {}

  // Passes after the iteration's own stopping test that finished the point (solvers.h):
  // secant passes from the root estimate (bubble) or Newton steps from the solution (dew).
  // They count in Iterations too.
  int FinishPasses = 0;
  // The fallback that ran after the iteration failed; None when the iteration converged.
  // Status tells whether the fallback found the point; Step, Fault, Iterations, LastResidual
  // and LastCorrection still tell how the iteration failed. A bubble fallback that found the
  // point sets RootEstimate to its root, which is also the point reported.
  SolveFallback Fallback = SolveFallback::None;
  int FallbackIterations = 0;

  // The failure text in the given language; "" when nothing failed.
  std::string message(Language lang) const;
  // NoConvergenceError or ArithmeticError with the failure text; nothing when not failed.
  void throwIfFailed() const;
};

}  // namespace bubblix
