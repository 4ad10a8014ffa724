#pragma once
// Model objects: one activity-coefficient model with its own copy of the parameters, built
// once per calculation session from the parameter set. The base class has one virtual
// operation, BubbleResidual; Solve (bubble and dew points) is defined once in the base.
//
// Objects count components with the count given to the constructor (the session's
// SelectedCount) and take vapour pressures and molar volumes from the mixture given to it (the
// session's mixture), both read through the references, which must outlive the object. Parameters
// are copied by value: a later change of the session's parameter set does not reach an existing
// object. Units: tau = T / 273.15 K, P in Pa, energies Delta / (R * 273.15 K); index 0 is the first
// component.

#include <cstdint>
#include <memory>

#include "core/base/real.h"
#include "core/data/properties.h"
#include "core/models/model_types.h"
#include "core/models/parameter_set.h"
#include "core/models/solvers.h"

namespace bubblix {

class TVLEObj {
 public:
  TVLEObj(const Mixture& mixture, const std::uint8_t& selectedCount)
      : mixture_(mixture), selectedCount_(selectedCount) {}
  TVLEObj(const TVLEObj&) = delete;
  TVLEObj& operator=(const TVLEObj&) = delete;
  virtual ~TVLEObj() = default;

  // sum = sum y_i - 1 and y_i = Psat_i(tau) * x_i * gamma_i / P over the SelectedCount
  // components. A sum of 0 means P is the bubble pressure of x at tau; sum > 0: P too low.
  // The subclasses compute gamma from x and tau by their model first, write it into gamma,
  // then call this base implementation, which only reads gamma.
  virtual void BubbleResidual(CompositionVector x, Real& sum, CompositionVector& y,
                              CompositionVector& gamma, Real P, Real tau);

  // The bubble or dew point as SolveEquilibrium finds it (see solvers.h); the bubble problem
  // evaluates this object's BubbleResidual, the dew problem the model routines of `set` (as
  // the free solver does). For a UNIFAC set the bubble problem first stores the group
  // fractions and the combinatorial term of x (from the set's groups and the mixture's q, r)
  // in GroupFractions and CombinatorialGamma. SelectedCount must equal set.ComponentCount
  // (std::invalid_argument otherwise).
  SolveResult Solve(char task, char phase, Real A, Real B, Real& tau, Real& P,
                    const TParameterSet& set, CompositionVector& x, CompositionVector& gamma,
                    CompositionVector& y, const YesNoQuestion& onInversionError = {});

  // The same, throwing NoConvergenceError or ArithmeticError when the solution fails.
  SolveResult SolveOrThrow(char task, char phase, Real A, Real B, Real& tau, Real& P,
                           const TParameterSet& set, CompositionVector& x, CompositionVector& gamma,
                           CompositionVector& y, const YesNoQuestion& onInversionError = {});

  // Scratch fields that Solve overwrites on every call.
  char TaskLetter = 0;                     // 'T' or 'P' (either case) of the dew problem
  Real DewTemperature = 0;                 // tau used by the dew residual
  CompositionVector FixedComposition{};    // the given vapour composition of the dew problem
  CompositionVector CombinatorialGamma{};  // UNIFAC: gamma^C of the current liquid
  GroupVector GroupFractions{};            // UNIFAC: group mole fractions of the current liquid

 protected:
  int componentCount() const { return selectedCount_; }
  const Mixture& mixture() const { return mixture_; }

 private:
  const Mixture& mixture_;
  const std::uint8_t& selectedCount_;
};

class TWilsonObj : public TVLEObj {
 public:
  TWilsonObj(const Mixture& mixture, const std::uint8_t& selectedCount, const Matrix4& a)
      : TVLEObj(mixture, selectedCount), a_(a) {}
  void BubbleResidual(CompositionVector x, Real& sum, CompositionVector& y,
                      CompositionVector& gamma, Real P, Real tau) override;

 private:
  Matrix4 a_;
};

class TNRTLObj : public TVLEObj {
 public:
  TNRTLObj(const Mixture& mixture, const std::uint8_t& selectedCount, const Matrix4& alpha,
           const Matrix4& a)
      : TVLEObj(mixture, selectedCount), alpha_(alpha), a_(a) {}
  void BubbleResidual(CompositionVector x, Real& sum, CompositionVector& y,
                      CompositionVector& gamma, Real P, Real tau) override;

 private:
  Matrix4 alpha_;
  Matrix4 a_;
};

class TUNIQUACObj : public TVLEObj {
 public:
  // q and r: the components' area and volume parameters.
  TUNIQUACObj(const Mixture& mixture, const std::uint8_t& selectedCount, const CompositionVector& q,
              const Matrix10& a, const CompositionVector& r)
      : TVLEObj(mixture, selectedCount), q_(q), r_(r), a_(a) {}
  void BubbleResidual(CompositionVector x, Real& sum, CompositionVector& y,
                      CompositionVector& gamma, Real P, Real tau) override;

 private:
  CompositionVector q_;
  CompositionVector r_;
  Matrix10 a_;
};

class TUNIFACObj : public TVLEObj {
 public:
  // g groups with main-group numbers idsA and subgroup letters idsB, their area parameters Q
  // and interaction matrix a; the components' q and r and group records. Throws InputError
  // when g or a record's group count is not 1..10.
  TUNIFACObj(const Mixture& mixture, const std::uint8_t& selectedCount, std::uint8_t g,
             const CompositionVector& q, const CompositionVector& r, const GroupVector& Q,
             const Matrix10& a, const ComponentGroupTable& groups, const GroupIds& idsA,
             const GroupIds& idsB);

  // Uses the fields GroupFractions and CombinatorialGamma, which must belong to x: Solve sets
  // them, or PrepareComposition.
  void BubbleResidual(CompositionVector x, Real& sum, CompositionVector& y,
                      CompositionVector& gamma, Real P, Real tau) override;

  // Sets GroupFractions and CombinatorialGamma for the liquid x from this object's own
  // groups, q and r.
  void PrepareComposition(const CompositionVector& x);

 private:
  std::uint8_t g_;
  CompositionVector q_;
  CompositionVector r_;
  GroupVector Q_;
  Matrix10 a_;
  ComponentGroupTable groups_;
  GroupIds idsA_;
  GroupIds idsB_;
};

// The object of set.ModelCode built from the set and the session's mixture (its q and r),
// counting the session's SelectedCount components:
// TWilsonObj, TNRTLObj, TUNIQUACObj or TUNIFACObj. Throws InputError when
// validateParameterSet refuses the set.
std::unique_ptr<TVLEObj> makeModelObject(const Mixture& mixture, const std::uint8_t& selectedCount,
                                         const TParameterSet& set);

}  // namespace bubblix
