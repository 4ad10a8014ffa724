#pragma once
// Bubble- and dew-point solvers of the modified Raoult law y_i P = x_i gamma_i(x, T) Psat_i(T)
// (ideal vapour). Units: tau = T / 273.15 K, P in Pa, mole fractions; index 0 is the first
// component.
//
// Bubble problem (phase letter 'y' or 'Y'; x given, y unknown): find tau at given P (task
// 'T'/'t') or P at given tau (task 'P'/'p') such that sum y_i = 1. A three-point parabolic
// first estimate over the end points A and B (tau values for task 'T', mm Hg for task 'P')
// is followed by a secant iteration with the first step 0.02 (tau) or 0.2 Pa. On return tau
// or P, y and gamma hold the values of the LAST evaluation, at d + s of the final secant
// pass, not the root estimate c (SolveResult::RootEstimate keeps c). That point lies half the
// previous secant correction from the root: on task 'T' usually a few hundredths of a
// degree, and x_i gamma_i Psat_i = y_i P holds exactly there. When the secant ends after two
// or three passes, the last evaluation can lie up to 5.7 K from the root, with sum y - 1 up
// to 0.32 (the solver sweep, docs/solver-sweep.md): no bubble point. So when |sum y - 1| at
// the last evaluation exceeds kReportedSumTolerance, the point is evaluated once more at c and
// reported there (SolveResult::ReportedAtRoot).
//
// Dew problem (phase letter 'x' or 'X'; y given, x unknown): Newton iteration with a
// numerical Jacobian on the n + 1 unknowns x_1..x_n and tau (task 'T', start 1.3) or P (task
// 'P', start 5332 Pa), started from x = y, residual
//   F_i = x_i - P y_i / (Psat_i(tau) gamma_i),   F_{n+1} = 1 - sum x_i.
// On return x[0..n-1] and tau or P hold the Newton solution, x[n] the same tau or P; gamma
// holds the coefficients of the last residual evaluation, the last one of the final
// Jacobian (the previous iterate with its last unknown lowered by the increment), so
// x_i gamma_i Psat_i = P y_i holds with it only to about 1e-5, not to the last bit. Where it is
// off by more than kDewRelationTolerance (75 of 110 000 dew-T points of the solver sweep, up to
// 5e-3), gamma is evaluated once more at the solution and reported from there
// (SolveResult::GammaAtSolution).
//
// Both iterations stop when their correction is within 1e-6 (tau units or Pa; the Newton
// iteration uses the rms of the step). They are limited to 200 secant passes and 200 Newton
// iterations: on the database mixtures a converging secant needs at most about ten passes
// and a converging Newton iteration at most about thirty-five, so reaching 200 means a case
// that does not converge (a few milliseconds at most). Every value the iterations compute is
// checked: a value that is not finite (or a property look-up out of its range), a negative
// value under the root of the parabolic estimate, a straight line through its three points
// or a zero secant slope ends the calculation with an arithmetic fault that names the step,
// and the caller's variables are left as they were. The model routines themselves do not
// check. A Newton solution with a mole fraction below -1e-6, or whose residual stayed large
// while the steps became small, is no equilibrium either (RejectFalseDewSolutions in
// solver_fallback.h): it ends as an arithmetic fault of NewtonSolve with the fault
// NegativeFraction or ResidualNotSmall.
//
// Only when an iteration fails, a safeguarded method takes over (solver_fallback.h): the
// bubble pressure directly, the bubble temperature by a bracketed root search, the dew point
// by successive substitution. Its point satisfies the same relations, and the result says
// that it ran (SolveResult::Fallback) and still tells how the iteration failed. Every point
// the iterations find themselves is returned unchanged.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/base/errors.h"
#include "core/base/real.h"
#include "core/data/properties.h"
#include "core/models/model_types.h"
#include "core/models/parameter_set.h"
#include "core/numerics/matrix_inversion.h"
#include "core/texts/numerics_texts.h"
#include "core/texts/solver_texts.h"
#include "core/texts/text.h"

namespace bubblix {

inline constexpr Real kSolverTolerance = 1e-6L;        // tau units or Pa
inline constexpr Real kSecantStepTemperature = 0.02L;  // tau units, 5.463 K
inline constexpr Real kSecantStepPressure = 0.2L;      // Pa
inline constexpr Real kDewStartTau = 1.3L;
inline constexpr Real kDewStartPressure = 5332.0L;  // Pa, 40 mm Hg
inline constexpr Real kJacobianFirstIncrement = 0.1L;
inline constexpr Real kJacobianIncrementDivisor = 10.0L;
inline constexpr Real kSingularityThreshold = 1e-8L;
inline constexpr int kMaxSecantPasses = 200;
// Largest |sum y - 1| of a reported bubble point taken from the secant's last evaluation.
inline constexpr Real kReportedSumTolerance = 1e-3L;
// Largest relative error of x_i gamma_i Psat_i = y_i P of a dew point with the gamma of the
// Newton iteration's last evaluation; beyond it gamma is taken at the solution.
inline constexpr Real kDewRelationTolerance = 1e-4L;
inline constexpr int kMaxNewtonIterations = 200;
inline constexpr int kMaxNewtonUnknowns = 50;  // the order of a TSquareMatrix

enum class SolveStatus : std::uint8_t {
  Converged,
  NoConvergence,    // the iteration limit was reached
  ArithmeticFault,  // a fault in the step named by SolveResult::Step
  Unchanged,        // a phase letter other than x, X, y, Y: nothing was computed
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

// The safeguarded method that takes over when the iteration above fails (solver_fallback.h).
enum class SolveFallback : std::uint8_t {
  None,
  BubblePressure,     // P = sum x_i gamma_i Psat_i directly
  BubbleTemperature,  // a bracketed root search on sum y - 1 in tau
  DewPoint,           // successive substitution on x with the unknown solved at each x
};

// The routine name of a step ("ParabolicStart", ...); "" for None.
const char* SolveStepName(SolveStep step);

// How a solution ended. The failure text (Message, MessageArgs) names the task, the phase,
// the given values and the last iterate of the iteration that failed; it is empty when the
// iteration converged, and kept when a fallback found the point after all (message() and
// throwIfFailed() then give nothing, as for any converged solution).
struct SolveResult {
  SolveStatus Status = SolveStatus::Converged;
  SolveStep Step = SolveStep::None;  // where the fault or the limit was met
  SolveFault Fault = SolveFault::None;
  int Iterations = 0;       // secant passes or Newton iterations done
  Real LastResidual = 0;    // bubble: sum y - 1 at the last evaluation; dew: the largest |F_i|
                            // at the last iterate whose residual was evaluated
  Real LastCorrection = 0;  // bubble: |c - d| of the last pass; dew: rms of the last step
  Real RootEstimate = 0;    // bubble: the root estimate c of the last pass (tau or Pa)
  // bubble: the last evaluation lay too far from the root, the point reported is c itself
  bool ReportedAtRoot = false;
  // dew: gamma of the last evaluation was too far off, gamma reported is that at the solution
  bool GammaAtSolution = false;
  // The fallback that ran after the iteration failed; None when the iteration converged.
  // Status tells whether the fallback found the point; Step, Fault, Iterations, LastResidual
  // and LastCorrection still tell how the iteration failed. A bubble fallback that found the
  // point sets RootEstimate to its root, which is also the point reported.
  SolveFallback Fallback = SolveFallback::None;
  int FallbackIterations = 0;
  const Text* Message = nullptr;
  std::vector<std::string> MessageArgs;

  bool converged() const { return Status == SolveStatus::Converged; }
  bool failed() const {
    return Status == SolveStatus::NoConvergence || Status == SolveStatus::ArithmeticFault;
  }
  // The failure text in the given language; "" when nothing failed.
  std::string message(Language lang) const;
  // NoConvergenceError or ArithmeticError with the failure text; nothing when not failed.
  void throwIfFailed() const;
};

// Shows an error message with the buttons Yes and No and returns true for Yes.
using YesNoQuestion = std::function<bool(const Text& message)>;

// ---------------------------------------------------------------------------------------
// The iterations, for any function of one unknown (f(t) returns the bubble function at t)
// or any residual of N unknowns (F(v, out) with spans of N elements).

// Three-point parabolic first estimate of a root of f over [A, B]:
//   d = (B - A) / 2; f_A = f(A), f_M = f(A + d), f_B = f(B), in this order;
//   best point A, replaced by A + d if |f_M| < |f_A|, then by B if |f_B| < |f(best)|;
//   e = f_A / 2 - f_M + f_B / 2,  g = -1.5 f_A + 2 f_M - f_B / 2  (p(t) = f_A + g t + e t^2);
//   t0 = -0.5 g / e,  w = sqrt((g / e)^2 * 0.25 - f_A / e);
//   X1 = A + d (t0 + w), X2 = A + d (t0 - w); estimate = X2 if |X1 - best| >= |X2 - best|,
//   else X1.
// e = 0 (f linear over the three points) and a negative value under the root are faults.
template <class F>
SolveResult ParabolicStart(Real A, Real B, F&& f, Real& estimate);

// Secant iteration from `estimate` with the first step `step`:
//   d = estimate; f_0 = f(d); f_1 = f(d + s); c = d - f_0 / ((f_1 - f_0) / s);
//   estimate = c; s = (c - d) / 2; repeated while |c - d| > tolerance.
// The last evaluation is f(d + s) of the final pass. A zero slope is a fault.
template <class F>
SolveResult SecantSolve(Real& estimate, Real step, Real tolerance, F&& f,
                        int maxPasses = kMaxSecantPasses);

// Central-difference Jacobian: for each unknown j in order, delta = h_j / 10, F at
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
//   repeated until tolerance > rms.
// A singular Jacobian ends the iteration with the inversion's error. A non-finite inverse
// shows kInversionArithmeticError through `onInversionError` (when set; the answer is not
// used) and then ends the iteration with a fault, since the step it gives is not finite.
// On a failure v keeps the last iterate. Up to five unknowns the Jacobian lives on the stack,
// beyond that in a TSquareMatrix taken from the heap for the call.
template <class Residual>
SolveResult NewtonSolve(int N, std::span<Real> v, Residual&& F, Real tolerance,
                        const YesNoQuestion& onInversionError = {},
                        int maxIterations = kMaxNewtonIterations);

// ---------------------------------------------------------------------------------------
// The model routines selected by a parameter set's model code.

// Throws InputError when the solvers cannot use the set: a model code other than 'W', 'N',
// 'Q', 'F', a component count outside 1..4, or for 'F' a group count outside 1..10 or a
// component record whose group count is outside 1..10.
void ValidateParameterSet(const TParameterSet& set);

// Group fractions and combinatorial coefficients of one liquid composition (UNIFAC).
struct UNIFACComposition {
  GroupVector GroupFractions{};
  CompositionVector CombinatorialGamma{};
};

// X_m by GroupFractions with the set's groups and gamma^C by UNIQUACCombinatorial with the
// mixture's q and r, for the set's n components.
UNIFACComposition PrepareUNIFAC(const Mixture& mixture, const TParameterSet& set,
                                const CompositionVector& x);

// gamma of the set's n components at x and tau by the model of set.ModelCode ('W', 'N', 'Q',
// 'F'). For 'F', `unifac` (when not null) gives the group fractions and the combinatorial
// term of x; otherwise they are computed here.
void ModelGamma(const Mixture& mixture, const TParameterSet& set, const CompositionVector& x,
                CompositionVector& gamma, Real tau, const UNIFACComposition* unifac = nullptr);

// y_i = Psat_i * x_i * gamma_i / P for i < n, stored in y; returns the sum started at -1 with
// the y_i added in order (sum y - 1).
Real BubbleSum(int n, const CompositionVector& x, const CompositionVector& gamma,
               const ComponentValues& Psat, Real P, CompositionVector& y);

// gamma by ModelGamma at x and tau, then y and sum y - 1 with the vapour pressures at tau.
Real BubbleSum(const Mixture& mixture, const TParameterSet& set, const CompositionVector& x,
               CompositionVector& y, CompositionVector& gamma, Real tau, Real P,
               const UNIFACComposition* unifac = nullptr);

// Residual of the dew problem for the set's n components: v[0..n-1] = x, v[n] = tau (task
// 'T') or P (task 'P'), replacing the given one. gamma = gamma(x, tau) by ModelGamma (for 'F'
// with the group fractions and the combinatorial term of this x), stored in gamma;
// F_i = v_i - P y_i / (Psat_i(tau) gamma_i), F_n = 1 - sum v_i.
void DewResidual(const Mixture& mixture, char task, std::span<const Real> v,
                 const CompositionVector& y, Real P, Real tau, const TParameterSet& set,
                 std::span<Real> F, CompositionVector& gamma);

// ---------------------------------------------------------------------------------------
// The free solver: the model routines of set.ModelCode for the set's n components, the
// mixture's vapour pressures and molar volumes. Arguments and results as described at the
// top. Throws InputError before solving for input without physical sense (P <= 0, T <= 0 K,
// A or B not above zero, a negative mole fraction, a value that is not finite) or a set the
// solver cannot use (model code, component or group counts), std::invalid_argument for a
// task letter other than T, t, P, p. A phase letter other than x, X, y, Y changes nothing
// (status Unchanged). Failures of the iterations come back in the result.
SolveResult SolveEquilibrium(const Mixture& mixture, char task, char phase, Real A, Real B,
                             Real& tau, Real& P, const TParameterSet& set, CompositionVector& x,
                             CompositionVector& gamma, CompositionVector& y,
                             const YesNoQuestion& onInversionError = {});

// The same, throwing NoConvergenceError or ArithmeticError when the solution fails.
SolveResult SolveEquilibriumOrThrow(const Mixture& mixture, char task, char phase, Real A, Real B,
                                    Real& tau, Real& P, const TParameterSet& set,
                                    CompositionVector& x, CompositionVector& gamma,
                                    CompositionVector& y,
                                    const YesNoQuestion& onInversionError = {});

// ---------------------------------------------------------------------------------------
// Template definitions.

namespace solver_detail {

inline bool allFinite(std::span<const Real> values) {
  return std::all_of(values.begin(), values.end(), [](Real v) { return std::isfinite(v); });
}

inline SolveResult fault(SolveStep step, SolveFault kind) {
  SolveResult result;
  result.Status = SolveStatus::ArithmeticFault;
  result.Step = step;
  result.Fault = kind;
  return result;
}

}  // namespace solver_detail

template <class F>
SolveResult ParabolicStart(Real A, Real B, F&& f, Real& estimate) {
  using solver_detail::fault;
  constexpr SolveStep step = SolveStep::ParabolicStart;
  const Real d = (B - A) / 2.0L;
  const Real fA = f(A);
  if (!std::isfinite(fA)) return fault(step, SolveFault::NotFinite);
  const Real fM = f(A + d);
  if (!std::isfinite(fM)) return fault(step, SolveFault::NotFinite);
  const Real fB = f(B);
  if (!std::isfinite(fB)) return fault(step, SolveFault::NotFinite);

  Real best = A;
  Real fBest = fA;
  if (std::fabs(fM) < std::fabs(fA)) {
    best = A + d;
    fBest = fM;
  }
  if (std::fabs(fB) < std::fabs(fBest)) best = B;

  const Real e = fA / 2.0L - fM + fB / 2.0L;
  const Real g = -1.5L * fA + 2.0L * fM - fB / 2.0L;
  if (e == 0.0L) return fault(step, SolveFault::ZeroQuadraticCoefficient);
  const Real t0 = -0.5L * g / e;
  const Real ratio = g / e;
  const Real radicand = ratio * ratio * 0.25L - fA / e;
  if (radicand < 0.0L) return fault(step, SolveFault::NegativeUnderRoot);
  if (!std::isfinite(t0) || !std::isfinite(radicand)) return fault(step, SolveFault::NotFinite);
  const Real w = std::sqrt(radicand);
  const Real X1 = A + d * (t0 + w);
  const Real X2 = A + d * (t0 - w);
  const Real chosen = std::fabs(X1 - best) >= std::fabs(X2 - best) ? X2 : X1;
  if (!std::isfinite(chosen)) return fault(step, SolveFault::NotFinite);

  estimate = chosen;
  SolveResult result;
  result.LastResidual = fB;
  result.RootEstimate = chosen;
  return result;
}

template <class F>
SolveResult SecantSolve(Real& estimate, Real step, Real tolerance, F&& f, int maxPasses) {
  SolveResult result;
  const auto fail = [&result](SolveFault kind) {
    result.Status = SolveStatus::ArithmeticFault;
    result.Step = SolveStep::SecantSolve;
    result.Fault = kind;
    return result;
  };
  Real s = step;
  Real c = estimate;
  for (int pass = 0; pass < maxPasses; ++pass) {
    const Real d = c;
    const Real f0 = f(d);
    if (!std::isfinite(f0)) return fail(SolveFault::NotFinite);
    const Real f1 = f(d + s);
    if (!std::isfinite(f1)) return fail(SolveFault::NotFinite);
    result.LastResidual = f1;
    const Real slope = (f1 - f0) / s;
    if (slope == 0.0L) return fail(SolveFault::ZeroSlope);
    const Real next = d - f0 / slope;
    if (!std::isfinite(next)) return fail(SolveFault::NotFinite);
    c = next;
    s = (c - d) / 2.0L;
    estimate = c;
    result.Iterations = pass + 1;
    result.LastCorrection = std::fabs(c - d);
    result.RootEstimate = c;
    if (!(std::fabs(c - d) > tolerance)) return result;
  }
  result.Status = SolveStatus::NoConvergence;
  result.Step = SolveStep::SecantSolve;
  result.Fault = SolveFault::IterationLimit;
  return result;
}

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

namespace solver_detail {

// The iterations of NewtonSolve with the Jacobian in J.
template <class Residual, class Matrix>
SolveResult newtonIterations(int N, std::span<Real> v, Residual& F, Real tolerance,
                             const YesNoQuestion& onInversionError, int maxIterations, Matrix& J) {
  const auto n = static_cast<std::size_t>(N);
  SolveResult result;
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
    h[j] = kJacobianFirstIncrement;
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

}  // namespace solver_detail

template <class Residual>
SolveResult NewtonSolve(int N, std::span<Real> v, Residual&& F, Real tolerance,
                        const YesNoQuestion& onInversionError, int maxIterations) {
  if (N < 1 || N > kMaxNewtonUnknowns || v.size() < static_cast<std::size_t>(N)) {
    throw std::invalid_argument("NewtonSolve: the number of unknowns must be 1..50");
  }
  if (N <= static_cast<int>(kSmallMatrixOrder)) {
    SmallSquareMatrix J;
    return solver_detail::newtonIterations(N, v, F, tolerance, onInversionError, maxIterations, J);
  }
  // Only the leading N x N block is written and read: no need to clear 40 KB.
  const std::unique_ptr<TSquareMatrix> J(new TSquareMatrix);
  return solver_detail::newtonIterations(N, v, F, tolerance, onInversionError, maxIterations, *J);
}

}  // namespace bubblix
