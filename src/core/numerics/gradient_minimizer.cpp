#include "core/numerics/gradient_minimizer.h"

#include <cmath>
#include <string>

#include "core/base/errors.h"
#include "core/io/number_format.h"
#include "core/texts/numerics_texts.h"

namespace bubblix {

namespace {

// Six-decimal golden-section factors; the method is defined with these, not the exact ratios.
constexpr Real kGoldenShort = 0.381966L;
constexpr Real kGoldenLong = 0.618034L;

// With its ends fixed, the search can only produce two fresh points, so the state (t1, t2)
// takes a few dozen values at most; this many steps in a row without narrowing the interval
// mean it repeats itself and would never end.
constexpr int kMaxStepsWithoutNarrowing = 40;

}  // namespace

GradientMinimizer::GradientMinimizer(std::uint8_t n, TObjectiveFunction objective)
    : n_(n), objective_(objective) {
  if (n < 1 || n > 20) {
    throw InputError(texts::kMinimizerParameterCount, {std::to_string(n)});
  }
}

Real GradientMinimizer::evaluate(const TParamVector& point) {
  const Real value = objective_(point);
  if (!std::isfinite(value)) {
    if (iterationInProgress_ == 0) {
      throw ArithmeticError(texts::kObjectiveNotFiniteAtStart, {formatSignificant(value, 6)});
    }
    throw ArithmeticError(texts::kObjectiveNotFinite,
                          {formatSignificant(value, 6), std::to_string(iterationInProgress_)});
  }
  return value;
}

void GradientMinimizer::checkGradient(const TParamVector& gradient) const {
  for (std::size_t i = 0; i < n_; ++i) {
    if (!std::isfinite(gradient[i])) {
      throw ArithmeticError(texts::kGradientNotFinite, {std::to_string(iterationInProgress_)});
    }
  }
}

void GradientMinimizer::NumericGradient(const TParamVector& point, TParamVector& gradient) {
  h_ = alpha_ / 100.0L;
  TParamVector shifted = point;
  for (std::size_t i = 0; i < n_; ++i) {
    shifted[i] = point[i] + h_;
    const Real plus = evaluate(shifted);
    shifted[i] = point[i] - h_;
    const Real minus = evaluate(shifted);
    shifted[i] = point[i];
    gradient[i] = (plus - minus) / (2.0L * h_);
  }
  checkGradient(gradient);
}

void GradientMinimizer::GoldenSectionSearch(Real& b, const TParamVector& point,
                                            const TParamVector& direction, Real eps) {
  TParamVector probe = point;
  auto valueAt = [&](Real t) {
    for (std::size_t i = 0; i < n_; ++i)
      probe[i] = point[i] + t * direction[i];
    return evaluate(probe);
  };

  Real a = 0.0L;
  Real t1 = kGoldenShort * b;
  Real t2 = kGoldenLong * b;
  Real S = 0.0L;
  for (std::size_t i = 0; i < n_; ++i)
    S += direction[i] * direction[i];
  S = S * S;  // the square of the sum of squares, not its root
  Real f2 = valueAt(t2);
  Real f1 = valueAt(t1);
  int stepsWithoutNarrowing = 0;
  while ((b - a) * S > eps) {
    const Real width = b - a;
    if (f1 <= f2) {
      b = t2;
      t2 = t1;
      f2 = f1;
      t1 = b - (b - a) * kGoldenLong;
      f1 = valueAt(t1);
    } else {
      a = t1;
      t1 = t2;
      f1 = f2;
      t2 = a + (b - a) * kGoldenLong;
      f2 = valueAt(t2);
    }
    stepsWithoutNarrowing = (b - a < width) ? 0 : stepsWithoutNarrowing + 1;
    if (stepsWithoutNarrowing >= kMaxStepsWithoutNarrowing) break;
  }
  b = (a + b) / 2.0L;
}

void GradientMinimizer::Minimize(std::uint16_t& iterations, Real& F, Real eps, TParamVector& x,
                                 const ContinueQuestion& askToContinue,
                                 std::uint16_t iterationLimit) {
  if (!(eps > 0.0L) || !std::isfinite(eps)) {
    throw InputError(texts::kMinimizerTolerance, {formatSignificant(eps, 6)});
  }
  const std::size_t n = n_;
  iterationInProgress_ = 0;
  iterations = 0;
  F = evaluate(x);
  alpha_ = 0.1L;

  TParamVector gOld{};
  TParamVector gNew{};
  TParamVector d{};
  TParamVector B{};
  TParamVector A{};
  NumericGradient(x, gOld);
  Real G = 0.0L;
  for (std::size_t i = 0; i < n; ++i) {
    d[i] = -gOld[i];
    G += gOld[i] * gOld[i];
  }

  // The iteration can end uphill (beta is not clipped, and the line search returns the
  // midpoint of its last interval), so the best point met is kept and returned.
  TParamVector best = x;
  Real bestF = F;

  bool converged = false;
  while (!converged) {
    ++iterationInProgress_;
    converged = true;

    // Step-out along d.
    B = x;
    for (std::size_t i = 0; i < n; ++i)
      B[i] = x[i] + d[i];
    Real fB = evaluate(B);
    if (fB <= F) {
      alpha_ = 2.0L;
      for (;;) {
        A = B;
        for (std::size_t i = 0; i < n; ++i)
          A[i] = B[i] + d[i];
        const Real fA = evaluate(A);
        if (!(fA < fB)) break;
        x = B;
        B = A;
        F = fB;
        fB = fA;
      }
    } else {
      alpha_ = 1.0L;
    }

    GoldenSectionSearch(alpha_, x, d, eps);

    B = x;
    Real s = 0.0L;
    for (std::size_t i = 0; i < n; ++i) {
      B[i] = x[i] + alpha_ * d[i];
      s += (B[i] - x[i]) * (B[i] - x[i]);
    }
    NumericGradient(B, gNew);
    F = evaluate(B);

    ++iterations;
    if (iterations > iterationLimit) {
      if (!askToContinue) {
        throw NoConvergenceError(texts::kMinimizationNoConvergence,
                                 {std::to_string(iterationInProgress_)});
      }
      if (!askToContinue(texts::kSlowConvergenceQuestion)) {
        throw CancelledError(texts::kMinimizationAborted, {std::to_string(iterationInProgress_)});
      }
      iterations = 0;
    }

    Real Gnew = 0.0L;
    for (std::size_t i = 0; i < n; ++i)
      Gnew += gNew[i] * gNew[i];
    Real beta = 0.0L;
    // A zero |g_old|^2 outside a restart would divide by zero: restart instead.
    if (iterations % n != 0 && G != 0.0L) {
      Real sum = 0.0L;
      for (std::size_t i = 0; i < n; ++i)
        sum += gNew[i] * (gNew[i] - gOld[i]);
      beta = sum / G;
    }
    if (std::sqrt(s) > eps) converged = false;

    G = Gnew;
    for (std::size_t i = 0; i < n; ++i) {
      d[i] = beta * d[i] - gNew[i];
      x[i] = B[i];
      gOld[i] = gNew[i];
    }

    if (F <= bestF) {
      best = B;
      bestF = F;
    }
  }

  x = best;
  F = bestF;  // objective(best), computed when best was the current point
}

void GradientMinimize(std::uint8_t n, std::uint16_t& iterations, Real& F, Real eps, TParamVector& x,
                      TObjectiveFunction objective, const ContinueQuestion& askToContinue,
                      std::uint16_t iterationLimit) {
  GradientMinimizer minimizer(n, objective);
  minimizer.Minimize(iterations, F, eps, x, askToContinue, iterationLimit);
}

}  // namespace bubblix
