#pragma once
// The fits of a binary pair to objectives other than the gradient method's y1 sum, by the
// bounded Levenberg-Marquardt method of Ceres Solver, and the statistics of their parameters.
//
// Objectives (the residuals r_m; x1, y1 of the pair's first component i, x2 = 1 - x1):
//   Y1      S = sum_k (y1_k - x1_k gamma1_k Psat_i,k / P_k)^2, the gradient method's
//   (binary_fit.h); Y       per point both components, unweighted:
//             r = y_c,k - x_c,k gamma_c,k Psat_c(T_k) / P_k,  c = i, j  (y2 = 1 - y1);
//   Bubble  per point the bubble point of the measured x1 by the model: at the measured P_k
//           (isobaric sets, (P_max - P_min) / P_min < 0.01, and mixed sets) the temperature,
//           r = (t_calc - t_k) / sigma_t, or at the measured t_k (isothermal sets, t_max - t_min
//           < 0.1 K) the pressure, r = (P_calc - P_k) / sigma_P; then r = (y1_calc - y1_k) /
//           sigma_y, except at x1 = 0 or 1.
//   ML      maximum likelihood with errors in every measured variable (error in variables):
//           the parameters and the most likely true values of every point are estimated
//           together. A point's unknowns are its true x1 and t, held as the standardised
//           deviations dx = (x1 - x1_k) / sigma_x and dt = (t - t_k) / sigma_t; the true P and
//           y1 are the bubble pressure of (x1, t), P = x1 gamma1 Psat_i + x2 gamma2 Psat_j,
//           y1 = x1 gamma1 Psat_i / P, so the equilibrium relations hold by construction.
//           r = dx, dt, (P - P_k) / sigma_P, (y1 - y1_k) / sigma_y; a pure-component point
//           (x1 = 0 or 1) keeps its composition, so it has the one unknown dt and the residuals
//           dt and (P - P_k) / sigma_P. The true x1 is bounded to [0, 1]. One residual block
//           per point with its own unknowns and the shared parameters (Ceres, Schur
//           elimination of the point unknowns).
// The bubble temperature solves x1 gamma1 Psat_i(T) + x2 gamma2 Psat_j(T) = P for T by the
// shared bubble solver's warm start (solver_detail::solveBubbleFrom, models/) from the
// point's last bubble temperature (at first the measured one), to |sum y - 1| <= 1e-15 so that
// the difference quotients are smooth; it counts as found when |sum y - 1| <= kBubbleSumTolerance
// there. An isothermal set's bubble pressure is the sum itself (gamma does not depend on P), and
// so is ML's at a point's true x1 and t. The molar volumes enter at the calculated temperature.
// gamma2 is the binary form of the model with the roles of the two
// components exchanged (fitting_objectives.h gives gamma1); UNIFAC takes both from UNIFACGamma.
//
// The models and residuals are evaluated in Real; only the parameters and residuals that Ceres
// handles cross as double. The statistics come from the Jacobian J of the residuals, taken in
// Real by central differences at the optimum, over the free parameters that are not at a bound:
//   chi2 = sum r^2,  nu = residuals - free parameters,  s^2 = chi2 / nu,
//   C = s^2 (J^T J)^-1,  SE_k = sqrt(C_kk),  interval = value -+ t_0.975,nu SE_k,
//   correlation_kl = C_kl / (SE_k SE_l).
// ML: nu = residuals - point unknowns - free parameters, and J^T J is replaced by the
// parameters' block of the normal matrix with the point unknowns eliminated, the Schur
// complement M = sum_k (A_k^T A_k - A_k^T B_k (B_k^T B_k)^-1 B_k^T A_k) (A_k, B_k the Jacobian
// of point k's residuals by the parameters and by its own unknowns not at a bound), so M^-1
// is the parameters' block of (J^T J)^-1: the covariance marginal over the true values. Both
// covariances are given: M^-1 (s^2 = 1, the sigmas taken as known; intervals with the normal
// quantile 1.96) and (chi2 / nu) M^-1; the intervals and the correlation use the scaled one,
// as for the other objectives.
// When J^T J (ML: M) has a condition number above kConditionLimit (or is singular) the
// parameters are "not determined": no errors, intervals or correlation.

#include <array>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "core/base/real.h"
#include "core/data/properties.h"
#include "core/fitting/fitting_objectives.h"
#include "core/models/model.h"
#include "core/numerics/param_vector.h"
#include "core/texts/fitting_method_texts.h"

namespace bubblix {

enum class FitObjective : std::uint8_t { Y1, Y, Bubble, ML };

// "y1", "y", "bubble", "ml".
std::string_view objectiveName(FitObjective objective);
// The objective of a name; none for another one.
std::optional<FitObjective> objectiveFromName(std::string_view name);

// What a front end offers of an objective: its name in the interface language and the
// measurement uncertainties and parameter limits it takes.
struct FitObjectiveChoice {
  FitObjective Objective;
  const Text* Caption;
  bool UsesSigmaT, UsesSigmaP, UsesSigmaX, UsesSigmaY;
  bool UsesLimits;  // fixed parameters and bounds (the gradient method has none)
};

// Every objective, in the order a front end lists them; the first is the default.
inline constexpr std::array kFitObjectives{
    FitObjectiveChoice{FitObjective::Y1, &texts::kObjectiveChoiceY1, false, false, false, false,
                       false},
    FitObjectiveChoice{FitObjective::Y, &texts::kObjectiveChoiceY, false, false, false, false,
                       true},
    FitObjectiveChoice{FitObjective::Bubble, &texts::kObjectiveChoiceBubble, true, true, false,
                       true, true},
    FitObjectiveChoice{FitObjective::ML, &texts::kObjectiveChoiceML, true, true, true, true, true},
};

// The measurement uncertainties that weight the residuals of Bubble and ML (x: ML only).
struct FitSigmas {
  Real T = 0.1L;      // K
  Real PmmHg = 0.5L;  // mm Hg
  Real x = 0.001L;    // liquid mole fraction
  Real y = 0.003L;    // vapour mole fraction
};

// The 0.975 quantile of the standard normal distribution: the intervals with known sigmas.
inline constexpr Real kNormalQuantile975 = 1.959963984540054L;

inline constexpr Real kConditionLimit = 1e12L;
inline constexpr int kMaxObjectiveIterations = 100;  // of the Levenberg-Marquardt method

// One parameter's constraints, reduced units (alpha as it is).
struct ParameterLimits {
  std::optional<Real> Fixed;  // held at this value
  Real Lower = -std::numeric_limits<Real>::infinity();
  Real Upper = std::numeric_limits<Real>::infinity();
};

// The progress of a running Levenberg-Marquardt fit: its iteration and sqrt(sum r^2 / N_res).
using ObjectiveProgress = std::function<void(int iteration, Real rms)>;

struct ObjectiveFitRequest {
  FitObjective Objective = FitObjective::Bubble;
  FitSigmas Sigmas;
  std::vector<ParameterLimits> Limits;  // per parameter; missing entries are free
  ObjectiveProgress Progress;
};

// A point as the fitted model gives it, always with its bubble point: at the measured P for
// an isobaric or mixed set, at the measured t for an isothermal one; for ML the estimated
// true values instead (X1Calc, TCalc, and the bubble pressure PCalc, Y1Calc there). Optional
// values are
// missing where they are not defined (gamma of a component absent from the liquid, a bubble
// point that was not found).
struct FitPointResult {
  Real TMeasured = 0;  // degC
  Real PMeasured = 0;  // Pa
  Real Y1Measured = 0;
  Real X1 = 0;
  std::optional<Real> X1Calc;  // ML: the estimated true x1
  std::optional<Real> TCalc;   // degC
  std::optional<Real> PCalc;   // Pa
  std::optional<Real> Y1Calc;
  std::optional<Real> Gamma1Data, Gamma2Data;    // y P / (x Psat) at the measured t
  std::optional<Real> Gamma1Model, Gamma2Model;  // at the measured x and t
  std::vector<Real> Residuals;                   // this point's residuals of the objective
};

struct ObjectiveFitResult {
  FitObjective Objective = FitObjective::Bubble;
  bool Isothermal = false;       // the bubble points are pressures at the measured t
  std::vector<Real> Parameters;  // reduced, every parameter of the model
  std::vector<bool> Fixed;
  std::vector<bool> AtBound;
  bool Determined = false;  // J^T J of the free parameters well enough conditioned
  Real Condition = 0;       // its condition number (infinity when singular)
  std::vector<std::optional<Real>> StdErrors;   // reduced; none: fixed, at a bound, undetermined
  std::vector<std::optional<Real>> HalfWidths;  // t_0.975,nu SE
  std::vector<std::vector<std::optional<Real>>> Correlation;  // n x n; none where undefined
  // ML: with s^2 = 1 (the sigmas taken as known), the half widths kNormalQuantile975 SE.
  std::vector<std::optional<Real>> StdErrorsKnownSigma;
  std::vector<std::optional<Real>> HalfWidthsKnownSigma;
  Real Chi2 = 0;
  int Dof = 0;
  int ResidualCount = 0;
  int PointUnknowns = 0;      // ML: the true values estimated with the parameters
  std::optional<Real> RmsT;   // K, isobaric and mixed sets; ML: of t - t_k, every set
  std::optional<Real> RmsP;   // mm Hg, isothermal sets; ML: of P - P_k, every set
  std::optional<Real> RmsY1;  // of the bubble points' y1
  std::optional<Real> RmsX1;  // ML: of x1 - x1_k
  Real E = 0;                 // sqrt(S / N) of the y1 sum at the parameters
  int Iterations = 0;
  bool Converged = false;  // the method met a tolerance
  std::vector<FitPointResult> Points;
};

// Fits the pair whose data preparePairFitData (and for UNIFAC prepareUnifacFitData) has
// prepared in state.Fit, for `model` with n parameters from `start`, which must satisfy the
// bounds (a start outside them is moved onto the nearest). Throws InputError for limits that
// contradict themselves (lower above upper, a fixed value outside), for an objective of Y1,
// for a sigma of the objective that is not a positive finite number, or for no more
// residuals than free parameters (ML: than point unknowns and free parameters);
// ArithmeticError when the residuals cannot be
// evaluated at the start. For UNIFAC the tables hold the result afterwards.
ObjectiveFitResult fitObjective(FittingState& state, const Mixture& mixture, Model model, int n,
                                const TParamVector& start, const ObjectiveFitRequest& request);

}  // namespace bubblix
