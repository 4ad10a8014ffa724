#pragma once
// The start vector of a Wilson, NRTL or UNIQUAC fit of a pair without built-in start values,
// estimated from UNIFAC with the reference group parameters.
//
// At every point k of the pair's fit data (x1_k, tau_k), UNIFAC variant 1 with the reference
// main-group table gives ln gamma1_k and ln gamma2_k of the two components. The model's
// parameters are fitted to them by least squares (numerics/least_squares.h):
//   S(p) = sum_k (ln gamma1_model,k(p) - ln gamma1_UNIFAC,k)^2
//                + (ln gamma2_model,k(p) - ln gamma2_UNIFAC,k)^2
// with the molar volumes (Wilson, NRTL) and r, q (UNIQUAC) of the components at each point,
// the same forms the fits use. Wilson and UNIQUAC fit both energies; NRTL fits both energies
// with alpha fixed at 0.3, the alpha of the fixed start vector. The least squares start from
// the fixed start vector (experimental_data.h).
//
// The fits take the estimate for Wilson and UNIQUAC where every main group of the two
// components has reference parameters (an entry in the reference table) and every pair of their
// different main groups has one; elsewhere, or when the least squares do not converge, or give a
// parameter that is not finite or whose magnitude exceeds kLargestStartEstimate, the fixed start
// vector stays. NRTL keeps the fixed start vector: with alpha held at 0.3 the estimate leads the
// three-parameter fit into other valleys (docs/data-sets.md has the figures). The fitting
// session also falls back to the fixed vector when the fit from the estimate does not converge
// within its iteration limit.

#include <array>
#include <cstdint>
#include <optional>

#include "core/base/real.h"
#include "core/data/database.h"
#include "core/data/properties.h"
#include "core/data/unifac_tables.h"
#include "core/fitting/binary_fit_data.h"
#include "core/models/model.h"
#include "core/numerics/param_vector.h"

namespace bubblix {

// Reduced energies beyond this (about 227 kJ/mol) are no estimate but a runaway fit.
inline constexpr Real kLargestStartEstimate = 100.0L;

// The NRTL alpha of the estimate.
inline constexpr Real kStartEstimateAlpha = 0.3L;

enum class StartSource : std::uint8_t {
  BuiltIn,  // the built-in start values of the pair
  Unifac,   // estimated from UNIFAC with the reference group parameters
  Fixed,    // the fixed start vector of a pair without built-in start values
};

// Why a pair without built-in start values keeps the fixed start vector.
enum class FixedStartReason : std::uint8_t {
  None,              // not kept (or not asked)
  NoReference,       // Groups names two main groups without a reference parameter
  NoReferenceGroup,  // Groups[0] names a main group without any reference parameter
  EstimateFailed,    // the least squares did not give a usable estimate
  NotForModel,       // NRTL: no estimate is taken
  FitFailed,         // the fit from the estimate did not converge (set by the session)
};

struct StartChoice {
  StartSource Source = StartSource::BuiltIn;
  FixedStartReason Reason = FixedStartReason::None;
  std::array<int, 2> Groups{};  // main-group numbers, by Reason
  TParamVector Values{};        // the start vector the fit takes
  TParamVector FixedValues{};   // the fixed start vector of the model (Source Unifac or Fixed)
  int Count = 0;                // its parameters: 2, or 3 for NRTL
};

// The main group of the two components that has no entry in the reference table at all, or the
// first pair of their different main groups without one (mainGroupPairWithoutReference).
// Nothing when the estimate can apply. Reason and Groups are those of StartChoice.
struct MissingReference {
  FixedStartReason Reason = FixedStartReason::None;
  std::array<int, 2> Groups{};
};
std::optional<MissingReference> missingReference(const MainGroupTableType& reference,
                                                 const TComponentGroups& first,
                                                 const TComponentGroups& second);

// The estimate for the mixture slots i (the pair's first component, x1 its mole fraction) and
// j over the points of fit (N, x1, tau), for Wilson, NRTL or UNIQUAC: the parameter vector
// (NRTL: a12, a21, alpha), or nothing when the least squares fail (see above). UNIFAC has no
// such estimate (nothing). Does not check the reference parameters: see missingReference.
std::optional<TParamVector> unifacStartEstimate(const Mixture& mixture, int i, int j, Model model,
                                                const TBinaryFitData& fit,
                                                const MainGroupTableType& reference);

// The start vector of the model's fit of the pair of database numbers a, b at the mixture
// slots i, j, after loadExperimentalPoints filled fit: a pair with a built-in data set keeps
// its built-in start vector (and fit is untouched); another pair takes the UNIFAC estimate
// where it applies (Wilson, UNIQUAC), else keeps the fixed start vector. The model's start vector
// of fit (WilsonStart, NRTLStart or UNIQUACStart) is set to the choice's Values. For UNIFAC nothing
// is estimated: the choice is BuiltIn with no values, fit untouched.
StartChoice chooseStartVector(const Database& db, int a, int b, const Mixture& mixture, int i,
                              int j, Model model, TBinaryFitData& fit);

}  // namespace bubblix
