#pragma once
// Objectives of the binary fits. Each computes the activity coefficient gamma1 of the pair's
// first component i at every point k with its model's binary form, then returns
//   S = sum_k ( y1_k - x1_k * gamma1_k * Psat_i,k / P )^2
// through ResidualSum, which also reports the progress of the running fit.
// x1 = x1_k, x2 = 1 - x1, tau = tau_k, V_i = V[i][k], V_j = V[j][k]; parameters a are
// dimensionless energies, a = Delta / (R * 273.15 K), so a / tau = Delta / (R T).
//
// Wilson (p[0] = a1 for lambda12 - lambda11, p[1] = a2 for lambda21 - lambda22):
//   L12 = (V_j / V_i) exp(-a1 / tau),  L21 = (V_i / V_j) exp(-a2 / tau),  A = x1 + L12 x2
//   gamma1 = exp( x2 (L12 / A - L21 / (x2 + L21 x1)) ) / A
//
// NRTL (p[0] = a1 for g12 - g22, p[1] = a2 for g21 - g11, p[2] = alpha):
//   t12 = a1 / tau,  t21 = a2 / tau
//   G12 = exp(-alpha t12) (V_j / V_i),  G21 = exp(-alpha t21) (V_i / V_j)
//   ln gamma1 = x2^2 ( t21 (G21 / (x1 + G21 x2))^2 + G12 t12 / (x2 + G12 x1)^2 )
//
// UNIQUAC (p[0] = a1 for u12 - u22, p[1] = a2 for u21 - u11; r, q of i and j; z / 2 = 5):
//   l_c = 5 (r_c - q_c) - (r_c - 1),  T12 = exp(-a1 / tau),  T21 = exp(-a2 / tau)
//   Sr = r_i x1 + r_j x2,  Sq = q_i x1 + q_j x2
//   Phi2 = r_j x2 / Sr,  theta1 = q_i x1 / Sq,  theta2 = q_j x2 / Sq
//   C = (q_i Sr / (r_i Sq))^(5 q_i) (r_i / Sr)
//   gamma1 = C exp( Phi2 (l_i - r_i l_j / r_j)
//                   + q_i theta2 (T21 / (theta1 + theta2 T21) - T12 / (theta2 + theta1 T12)) )
//            / (theta1 + theta2 T21)^q_i
//
// UNIFAC (p[0 .. m(m-1)-1], m the fit groups of the pair): the vector is distributed over the
// ordered pairs of fit groups into the working tables (distributeGroupParameters), the pair's
// subgroup matrix and the two components' own matrices are rebuilt from the tables, and at
// every point gamma1 is the first element of UNIFACGamma with the point's prepared group
// fractions and combinatorial coefficients. The tables keep the values of the last call.
//
// C depends on the point only: preparePairFitData stores it per point (UNIQUACFactor), since
// its real power is the dearest step of the objective.
// The Wilson, NRTL and UNIQUAC objectives also write x2_k. Sums run in ascending point order.
// The objectives do not check their input: a zero pressure or volume or an overflow gives a
// non-finite S, which the gradient method reports as an ArithmeticError.

#include <cstdint>
#include <functional>

#include "core/base/real.h"
#include "core/fitting/binary_fit_data.h"
#include "core/fitting/unifac_group_tables.h"
#include "core/numerics/param_vector.h"

namespace bubblix {

// The progress of a running fit, reported at every kProgressInterval objective calls and
// once more when the fit ends: the minimiser's iteration counter and current objective value
// (the sum S; the fitting session shows E = sqrt(S / N) in a report line).
using FitProgress = std::function<void(std::uint16_t iterations, Real F)>;

// The progress is reported at every this many objective calls.
inline constexpr std::uint16_t kProgressInterval = 200;

// The mutable state of a fitting session, passed by reference to the objectives.
struct FittingState {
  TBinaryFitData Fit;
  UnifacTables Tables;
  // Objective calls since the progress was last reported. Never reset between fits: the first
  // report of a fit comes at the 200th call counted since the last one, which may lie in an
  // earlier fit.
  std::uint16_t CallCounter = 0;
  FitProgress Progress;  // none: nothing is reported (the calls are still counted)
  // The minimiser's current objective value and iteration counter, which the progress
  // reports; the fit points them at the variables it hands to GradientMinimize. Without them
  // the progress is the S just computed and iteration 0.
  const Real* MinimizerF = nullptr;
  const std::uint16_t* MinimizerIterations = nullptr;
};

// The UNIQUAC factor C above at liquid fraction x1 of component i.
Real uniquacFactor(Real x1, Real ri, Real rj, Real qi, Real qj);

// S for the gamma1 just written, then the progress: the call is counted, and at the 200th
// call since the last report the progress is reported and the count restarts.
Real ResidualSum(FittingState& state);

Real WilsonObjective(FittingState& state, const TParamVector& p);
Real NRTLObjective(FittingState& state, const TParamVector& p);
Real UNIQUACObjective(FittingState& state, const TParamVector& p);
Real UNIFACObjective(FittingState& state, const TParamVector& p);

// Writes the UNIFAC parameter vector into the working tables and rebuilds the pair's
// matrices from them, as one objective call does without computing gamma1. After a fit this
// makes the tables hold the returned parameters, even when the last trial point the
// minimiser evaluated was another one.
void applyUnifacParameters(FittingState& state, const TParamVector& p);

}  // namespace bubblix
