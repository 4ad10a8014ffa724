#pragma once
// Unconstrained minimisation of a smooth function of up to 20 parameters: nonlinear conjugate
// gradients (Polak-Ribiere, restarted every n iterations) with central-difference gradients,
// a forward step-out along the search direction and a golden-section line search.
//
// One iteration from the point x with value F and search direction d:
//   step-out      B = x + d; while the objective keeps falling strictly, x and B move forward
//                 by whole steps d (alpha = 2), otherwise alpha = 1;
//   line search   alpha = golden section over [0, alpha] along x + t d;
//   new point     B = x + alpha d, s = |B - x|^2, g_new = gradient at B, F = objective(B);
//   direction     beta = sum g_new (g_new - g_old) / |g_old|^2, or 0 every n-th iteration
//                 (restart), d = beta d - g_new (beta is not clipped at zero);
//   stop          when sqrt(s) <= eps.
// Gradient: g_i = (f(x + h e_i) - f(x - h e_i)) / (2 h), h = alpha / 100 (0.001 at the start).
// Line search: S = (sum d_i^2)^2; the interval [a, b] shrinks by 0.618034 while (b - a) S > eps;
// the midpoint is returned.

#include <cstdint>
#include <functional>
#include <memory>
#include <type_traits>

#include "core/base/real.h"
#include "core/numerics/param_vector.h"
#include "core/texts/text.h"

namespace bubblix {

// A non-owning reference to the objective: anything callable as Real(const TParamVector&).
// It costs one indirect call and never allocates; the callable must outlive the minimisation
// (a lambda written in the call expression does).
class TObjectiveFunction {
 public:
  template <class F>
  requires(!std::is_same_v<std::remove_cvref_t<F>, TObjectiveFunction> &&
           std::is_invocable_r_v<Real, F&, const TParamVector&> &&
           !std::is_function_v<std::remove_reference_t<F>>)
      TObjectiveFunction(F&& callable)  // NOLINT: implicit on purpose, like std::function
      : object_(static_cast<const void*>(std::addressof(callable))),
        call_([](const void* object, const TParamVector& x) -> Real {
          return (*static_cast<std::remove_reference_t<F>*>(const_cast<void*>(object)))(x);
        }) {}

  Real operator()(const TParamVector& x) const { return call_(object_, x); }

 private:
  const void* object_;
  Real (*call_)(const void*, const TParamVector&);
};

// The slow-convergence question: receives the question's text (Abort/Retry) and returns true
// to go on (Retry, or the box closed) and false to stop (Abort).
using ContinueQuestion = std::function<bool(const Text& question)>;

inline constexpr std::uint16_t kDefaultIterationLimit = 3000;

// Minimises objective over x[0..n-1], n = 1..20, starting from x.
//  iterations: set to 0 on entry, counted up once per iteration; when it passes
//              iterationLimit the question is asked: true resets it to 0 and goes on, false
//              throws CancelledError. On return it is the count since the last reset.
//  F:          the objective value of the current point while the minimisation runs (the
//              objective may read F and iterations through the caller's variables for a
//              progress line); on return objective(x).
//  eps:        tolerance on the length of one iteration's step, > 0.
//  x:          in: the start; out: of the start point and the new point of every iteration,
//              the one with the lowest objective value (the later one on ties). The last new
//              point is returned unless the iteration climbed at its end.
// Entries of x beyond n are carried along unchanged. A non-finite objective value or gradient
// throws ArithmeticError naming the iteration; a missing question callback makes the limit an
// error (NoConvergenceError). The objective must not start another minimisation.
void GradientMinimize(std::uint8_t n, std::uint16_t& iterations, Real& F, Real eps, TParamVector& x,
                      TObjectiveFunction objective, const ContinueQuestion& askToContinue,
                      std::uint16_t iterationLimit = kDefaultIterationLimit);

// The working state of one minimisation and its two subroutines, open for tests and for
// callers that need a single gradient or line search.
class GradientMinimizer {
 public:
  GradientMinimizer(std::uint8_t n, TObjectiveFunction objective);

  // gradient[0..n-1] at point by central differences with h = alpha / 100; the objective is
  // called at point + h e_i, then at point - h e_i, for i = 0..n-1.
  void NumericGradient(const TParamVector& point, TParamVector& gradient);

  // Golden-section search of objective(point + t direction) over t in [0, b]; b is replaced by
  // the midpoint of the final interval. The first calls are at t = 0.618034 b, then
  // 0.381966 b. A search whose interval stops shrinking (rounding, with a very steep
  // direction) ends there instead of running forever.
  void GoldenSectionSearch(Real& b, const TParamVector& point, const TParamVector& direction,
                           Real eps);

  void Minimize(std::uint16_t& iterations, Real& F, Real eps, TParamVector& x,
                const ContinueQuestion& askToContinue, std::uint16_t iterationLimit);

  Real alpha() const { return alpha_; }
  void setAlpha(Real alpha) { alpha_ = alpha; }
  Real h() const { return h_; }

 private:
  Real evaluate(const TParamVector& point);
  void checkGradient(const TParamVector& gradient) const;

  std::uint8_t n_;
  TObjectiveFunction objective_;
  Real alpha_ = 0.1L;
  Real h_ = 0.001L;
  // Iteration under way, counted over the whole run (not reset by the question); 0 while the
  // start point is evaluated. Names the iteration in error messages.
  unsigned long long iterationInProgress_ = 0;
};

}  // namespace bubblix
