#pragma once
// Newton's method on a residual of N unknowns, F(v, out) with spans of N elements, with a
// central-difference Jacobian. Every value is checked: a residual or a Jacobian element that
// is not finite, a singular Jacobian or a step that is not finite ends the iteration with a
// fault that names the step.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <stdexcept>

#include "core/base/errors.h"
#include "core/base/real.h"
#include "core/numerics/iteration_result.h"
#include "core/numerics/matrix_inversion.h"
#include "core/texts/numerics_texts.h"
#include "core/texts/solver_texts.h"
#include "core/texts/text.h"

namespace bubblix {

inline constexpr Real kJacobianFirstIncrement = 0.1L;
inline constexpr Real kJacobianIncrementDivisor = 10.0L;
inline constexpr Real kSingularityThreshold = 1e-8L;
inline constexpr int kMaxNewtonIterations = 200;
inline constexpr int kMaxNewtonUnknowns = 50;  // the order of a TSquareMatrix

// Shows an error message with the buttons Yes and No and returns true for Yes.
using YesNoQuestion = std::function<bool(const Text& message)>;

// v + delta e_j, then at v - delta e_j, J[i][j] = (F_i(+) - F_i(-)) / (2 delta).
// Returns false when a residual value or an element is not finite. J is a TSquareMatrix or a
// SmallSquareMatrix of order at least N.
template <class Residual, class Matrix>
bool NumericJacobian(int N, std::span<const Real> v, std::span<const Real> h, Residual&& F,
                     Matrix& J);

// Newton iteration on F(v) = 0 in place:
//   h_j = 0.1, last change D_j = h_j; each iteration: where |D_j| < |h_j|, h_j = tolerance
//   if tolerance > |D_j|, else D_j; F(v); Jacobian; invert it (threshold 1e-8);
//   v_i -= sum_j Jinv[i][j] F_j; D_i = the change of v_i; rms = sqrt(sum D_i^2 / N);
//   repeated until tolerance > rms. `firstIncrement` replaces the first h_j (0.1) when the
//   iteration starts at a point already close to the root (the polish of a solution).
// A singular Jacobian ends the iteration with the inversion's error. A non-finite inverse
// shows kInversionArithmeticError through `onInversionError` (when set; the answer is not
// used) and then ends the iteration with a fault, since the step it gives is not finite.
// On a failure v keeps the last iterate. Up to five unknowns the Jacobian lives on the stack,
// beyond that in a TSquareMatrix taken from the heap for the call.
template <class Residual>
IterationResult NewtonSolve(int N, std::span<Real> v, Residual&& F, Real tolerance,
                            const YesNoQuestion& onInversionError = {},
                            int maxIterations = kMaxNewtonIterations,
                            Real firstIncrement = kJacobianFirstIncrement);

// ---------------------------------------------------------------------------------------
// Template definitions.

namespace newton_detail {

inline bool allFinite(std::span<const Real> values) {
  return std::all_of(values.begin(), values.end(), [](Real v) { return std::isfinite(v); });
}

}  // namespace newton_detail

template <class Residual, class Matrix>
bool NumericJacobian(int N, std::span<const Real> v, std::span<const Real> h, Residual&& F,
                     Matrix& J) {
  std::array<Real, kMaxNewtonUnknowns> w;
  std::array<Real, kMaxNewtonUnknowns> plus;
  std::array<Real, kMaxNewtonUnknowns> minus;
  const auto n = static_cast<std::size_t>(N);
  std::copy_n(v.begin(), n, w.begin());
  const std::span<const Real> point(w.data(), n);
  bool finite = true;
  for (std::size_t j = 0; j < n; ++j) {
    const Real delta = h[j] / kJacobianIncrementDivisor;
    w[j] = v[j] + delta;
    F(point, std::span<Real>(plus.data(), n));
    w[j] = v[j] - delta;
    F(point, std::span<Real>(minus.data(), n));
    w[j] = v[j];
    for (std::size_t i = 0; i < n; ++i) {
      J[i][j] = (plus[i] - minus[i]) / (2.0L * delta);
      if (!std::isfinite(J[i][j])) finite = false;
    }
  }
  return finite;
}

namespace newton_detail {

// The iterations of NewtonSolve with the Jacobian in J.
template <class Residual, class Matrix>
IterationResult newtonIterations(int N, std::span<Real> v, Residual& F, Real tolerance,
                                 const YesNoQuestion& onInversionError, int maxIterations,
                                 Real firstIncrement, Matrix& J) {
  const auto n = static_cast<std::size_t>(N);
  IterationResult result;
  const auto fail = [&result](SolveStep step, SolveFault kind) {
    result.Status = SolveStatus::ArithmeticFault;
    result.Step = step;
    result.Fault = kind;
    return result;
  };
  std::array<Real, kMaxNewtonUnknowns> h;
  std::array<Real, kMaxNewtonUnknowns> change;
  std::array<Real, kMaxNewtonUnknowns> Fv;
  std::array<Real, kMaxNewtonUnknowns> next;
  for (std::size_t j = 0; j < n; ++j) {
    h[j] = firstIncrement;
    change[j] = h[j];
  }
  const std::span<const Real> current(v.data(), n);
  const std::span<Real> residual(Fv.data(), n);

  for (int iteration = 0; iteration < maxIterations; ++iteration) {
    for (std::size_t j = 0; j < n; ++j) {
      if (std::fabs(change[j]) < std::fabs(h[j])) {
        h[j] = tolerance > std::fabs(change[j]) ? tolerance : change[j];
      }
    }
    F(current, residual);
    if (!allFinite(residual)) return fail(SolveStep::DewResidual, SolveFault::NotFinite);
    Real largest = 0.0L;
    for (std::size_t i = 0; i < n; ++i)
      largest = std::max(largest, std::fabs(Fv[i]));
    result.LastResidual = largest;

    if (!NumericJacobian(N, current, std::span<const Real>(h.data(), n), F, J)) {
      return fail(SolveStep::NumericJacobian, SolveFault::NotFinite);
    }
    try {
      InvertMatrix(static_cast<std::uint16_t>(N), J, kSingularityThreshold);
    } catch (const ArithmeticError& error) {
      if (&error.text() != &texts::kMatrixInverseNotFinite) {
        fail(SolveStep::InvertMatrix, SolveFault::SingularMatrix);
        result.Message = &error.text();
        result.MessageArgs = error.args();
        return result;
      }
      // An inverse that is not finite: the message is shown, and the step made from it could
      // not be finite either, so the iteration ends here.
      if (onInversionError) onInversionError(kInversionArithmeticError);
      return fail(SolveStep::InvertMatrix, SolveFault::NotFinite);
    }

    for (std::size_t i = 0; i < n; ++i) {
      Real sum = 0.0L;
      for (std::size_t j = 0; j < n; ++j)
        sum += J[i][j] * Fv[j];
      next[i] = v[i] - sum;
    }
    Real squares = 0.0L;
    for (std::size_t i = 0; i < n; ++i) {
      change[i] = next[i] - v[i];
      squares += change[i] * change[i];
    }
    const Real rms = std::sqrt(squares / static_cast<Real>(N));
    if (!allFinite(std::span<const Real>(next.data(), n)) || !std::isfinite(rms)) {
      return fail(SolveStep::NewtonSolve, SolveFault::NotFinite);
    }
    std::copy_n(next.begin(), n, v.begin());
    result.Iterations = iteration + 1;
    result.LastCorrection = rms;
    if (tolerance > rms) return result;
  }
  result.Status = SolveStatus::NoConvergence;
  result.Step = SolveStep::NewtonSolve;
  result.Fault = SolveFault::IterationLimit;
  return result;
}

}  // namespace newton_detail

template <class Residual>
IterationResult NewtonSolve(int N, std::span<Real> v, Residual&& F, Real tolerance,
                            const YesNoQuestion& onInversionError, int maxIterations,
                            Real firstIncrement) {
  if (N < 1 || N > kMaxNewtonUnknowns || v.size() < static_cast<std::size_t>(N)) {
    throw std::invalid_argument("NewtonSolve: the number of unknowns must be 1..50");
  }
  if (N <= static_cast<int>(kSmallMatrixOrder)) {
    SmallSquareMatrix J;
    return newton_detail::newtonIterations(N, v, F, tolerance, onInversionError, maxIterations,
                                           firstIncrement, J);
  }
  // Only the leading N x N block is written and read: no need to clear 40 KB.
  const std::unique_ptr<TSquareMatrix> J(new TSquareMatrix);
  return newton_detail::newtonIterations(N, v, F, tolerance, onInversionError, maxIterations,
                                         firstIncrement, *J);
}

}  // namespace bubblix
