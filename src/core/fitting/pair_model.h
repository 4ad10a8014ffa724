#pragma once
// Internal to the fitting layer (objective_fit.cpp and the files of its fits): the pair's model
// at the fit data's points for the objectives of objective_fit.h, which gives the equations of
// the residuals, the bubble points and ML's point unknowns.

#include <algorithm>
#include <cstddef>
#include <limits>
#include <span>
#include <vector>

#include "core/base/real.h"
#include "core/data/properties.h"
#include "core/fitting/fitting_objectives.h"
#include "core/fitting/objective_fit.h"
#include "core/models/model.h"
#include "core/models/model_types.h"
#include "core/numerics/param_vector.h"

namespace bubblix::fitting_detail {

// The pair's model at the fit data's points: gamma of both components, bubble points, the
// residuals of the objective.
class PairModel {
 public:
  PairModel(FittingState& state, const Mixture& mixture, Model model,
            const ObjectiveFitRequest& request);

  bool isothermal() const { return isothermal_; }
  int residualCount() const { return residualCount_; }

  int pointResidualCount(std::size_t k) const {
    switch (objective_) {
      case FitObjective::Y1:
        return 1;
      case FitObjective::Y:
        return 2;
      case FitObjective::Bubble:
        return interior(k) ? 2 : 1;
      case FitObjective::ML:
        return interior(k) ? 4 : 2;
    }
    return 1;
  }

  // ML: the unknowns of point k, its true x1 (inside the liquid range only) and t.
  int pointUnknownCount(std::size_t k) const { return interior(k) ? 2 : 1; }
  bool interior(std::size_t k) const { return fit_.x1[k] > 0.0L && fit_.x1[k] < 1.0L; }

  // Makes p the parameters of the following evaluations (UNIFAC: its tables). The ML fit sets
  // the same parameters once per point: an unchanged vector is not applied again.
  void setParameters(const TParamVector& p);

  // ML: the standardised deviations of point k's true x1 and t from the measured ones.
  void setPointUnknowns(std::size_t k, Real dx, Real dt) {
    dx_[k] = dx;
    dt_[k] = dt;
  }
  Real pointDx(std::size_t k) const { return dx_[k]; }
  Real pointDt(std::size_t k) const { return dt_[k]; }
  // The bounds of dx that keep the true x1 within [0, 1].
  Real dxLower(std::size_t k) const { return -fit_.x1[k] / sigmaX_; }
  Real dxUpper(std::size_t k) const { return (1.0L - fit_.x1[k]) / sigmaX_; }
  Real trueX1(std::size_t k, Real dx) const {
    return interior(k) ? std::clamp(fit_.x1[k] + sigmaX_ * dx, 0.0L, 1.0L) : fit_.x1[k];
  }
  Real trueTau(std::size_t k, Real dt) const { return fit_.tau[k] + sigmaTau_ * dt; }

  // ML: the residuals of point k (4 inside the liquid range, else 2) at its unknowns dx, dt and
  // the parameters of setParameters; false when they cannot be evaluated.
  bool mlPointResiduals(std::size_t k, Real dx, Real dt, std::span<Real> r) const;

  // The residuals of the objective at the parameters of setParameters; false when one cannot
  // be evaluated.
  bool residuals(std::span<Real> r) const;

  // E = sqrt(S / N) of the y1 sum at the parameters of setParameters.
  Real y1Error() const;

  FitPointResult point(std::size_t k) const;

 private:
  // ML: what the activity coefficients take from a point's true x1 and t besides the
  // parameters.
  struct PointTerms {
    Real Tau = std::numeric_limits<Real>::quiet_NaN();  // the terms below are at this tau
    Real Vi = 0, Vj = 0, PsatI = 0, PsatJ = 0;
    Real X1 = std::numeric_limits<Real>::quiet_NaN();  // and these at this x1
    Real CI = 0, CJ = 0;                               // UNIQUAC's factors C of i and j
    GroupVector X{};                                   // UNIFAC's group fractions
    CompositionVector GC{};                            // and combinatorial coefficients
  };

  // The bubble pressure P and y1 of the liquid x1 at the reduced temperature tau, with the
  // molar volumes and vapour pressures there, for point k; false when they cannot be
  // evaluated. The difference quotients by the parameters evaluate a point again and again at
  // the same x1 and tau: the terms that depend on them alone are kept per point and reused
  // when x1 or tau is the same to the bit.
  bool bubblePressureAt(std::size_t k, Real x1, Real tau, Real& P, Real& y1) const;

  // gamma of i and j at point k's composition and the reduced temperature tau, the molar
  // volumes Vi, Vj.
  void gammas(std::size_t k, Real tau, Real Vi, Real Vj, Real& g1, Real& g2) const;

  // The composition's own UNIQUAC factors, UNIFAC group fractions and combinatorial
  // coefficients at the liquid fraction x1 of i.
  void compositionTerms(Real x1, PointTerms& terms) const;

  // gamma of i and j at x1, tau, Vi, Vj; cI, cJ the UNIQUAC factors C of i and j, X and gC
  // UNIFAC's group fractions and combinatorial coefficients at x1.
  void gammaPair(Real x1, Real tau, Real Vi, Real Vj, Real cI, Real cJ, const GroupVector& X,
                 const CompositionVector& gC, Real& g1, Real& g2) const;

  // The bubble point of point k: tau and y1 at the measured P (isobaric, mixed), or P and y1 at
  // the measured tau (isothermal, where gamma does not depend on P and the bubble pressure is
  // the sum itself). False when it is not found. The temperature comes from the shared bubble
  // solver's warm start at the point's last bubble temperature: during a fit the parameters
  // change little from one evaluation to the next.
  bool bubble(std::size_t k, Real& tau, Real& P, Real& y1) const;

  FittingState& state_;
  TBinaryFitData& fit_;
  const Mixture& mixture_;
  Model model_;
  FitObjective objective_;
  Real sigmaTau_;
  Real sigmaP_;
  Real sigmaY_;
  Real sigmaX_;
  bool isothermal_ = false;
  int residualCount_ = 0;
  std::vector<Real> PsatJ_;
  std::vector<Real> uniquacFactorJ_;
  mutable std::vector<Real> lastTau_;      // the last bubble temperature found at each point
  std::vector<Real> dx_;                   // ML: each point's (x1 - x1_k) / sigma_x
  std::vector<Real> dt_;                   // ML: each point's (t - t_k) / sigma_t
  mutable std::vector<PointTerms> terms_;  // ML: per point
  TParamVector p_{};
  bool applied_ = false;
};

}  // namespace bubblix::fitting_detail
