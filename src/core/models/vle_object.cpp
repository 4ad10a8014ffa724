#include "core/models/vle_object.h"

#include <string>

#include "core/base/errors.h"
#include "core/models/nrtl.h"
#include "core/models/unifac.h"
#include "core/models/uniquac.h"
#include "core/models/wilson.h"
#include "core/texts/solver_texts.h"

namespace bubblix {

void TVLEObj::BubbleResidual(CompositionVector x, Real& sum, CompositionVector& y,
                             CompositionVector& gamma, Real P, Real tau) {
  const int n = componentCount();
  sum = BubbleSum(n, x, gamma, SaturationPressuresAt(mixture(), n, tau), P, y);
}

void TWilsonObj::BubbleResidual(CompositionVector x, Real& sum, CompositionVector& y,
                                CompositionVector& gamma, Real P, Real tau) {
  WilsonGamma(mixture(), componentCount(), x, a_, gamma, tau);
  TVLEObj::BubbleResidual(x, sum, y, gamma, P, tau);
}

void TNRTLObj::BubbleResidual(CompositionVector x, Real& sum, CompositionVector& y,
                              CompositionVector& gamma, Real P, Real tau) {
  NRTLGamma(mixture(), componentCount(), x, a_, gamma, alpha_, tau);
  TVLEObj::BubbleResidual(x, sum, y, gamma, P, tau);
}

void TUNIQUACObj::BubbleResidual(CompositionVector x, Real& sum, CompositionVector& y,
                                 CompositionVector& gamma, Real P, Real tau) {
  UNIQUACGamma(componentCount(), q_, r_, x, a_, gamma, tau);
  TVLEObj::BubbleResidual(x, sum, y, gamma, P, tau);
}

TUNIFACObj::TUNIFACObj(const SessionState& session, std::uint8_t g, const CompositionVector& q,
                       const CompositionVector& r, const GroupVector& Q, const Matrix10& a,
                       const ComponentGroupTable& groups, const GroupIds& idsA,
                       const GroupIds& idsB)
    : TVLEObj(session),
      g_(g),
      q_(q),
      r_(r),
      Q_(Q),
      a_(a),
      groups_(groups),
      idsA_(idsA),
      idsB_(idsB) {
  if (g < 1 || g > 10) throw InputError(kSolverGroupCount, {std::to_string(g)});
  for (std::size_t i = 0; i < groups.size(); ++i) {
    // Records beyond the mixture's components may be empty; a filled one must be usable.
    if (groups[i].Count > 10) {
      throw InputError(kSolverComponentGroupCount,
                       {std::to_string(i + 1), std::to_string(groups[i].Count)});
    }
  }
}

void TUNIFACObj::PrepareComposition(const CompositionVector& x) {
  const int n = componentCount();
  bubblix::GroupFractions(n, g_, idsA_, GroupFractions, groups_, x, idsB_);
  UNIQUACCombinatorial(n, q_, r_, CombinatorialGamma, x);
}

void TUNIFACObj::BubbleResidual(CompositionVector x, Real& sum, CompositionVector& y,
                                CompositionVector& gamma, Real P, Real tau) {
  UNIFACGamma(componentCount(), g_, idsA_, idsB_, gamma, groups_, CombinatorialGamma, a_,
              GroupFractions, Q_, tau);
  TVLEObj::BubbleResidual(x, sum, y, gamma, P, tau);
}

std::unique_ptr<TVLEObj> MakeModelObject(const SessionState& session, const TParameterSet& set) {
  ValidateParameterSet(set);
  const Mixture& mixture = session.Components;
  switch (set.ModelCode) {
    case 'W':
      return std::make_unique<TWilsonObj>(session, set.WilsonEnergy);
    case 'N':
      return std::make_unique<TNRTLObj>(session, set.NRTLAlpha, set.NRTLEnergy);
    case 'Q':
      return std::make_unique<TUNIQUACObj>(session, MixtureAreas(mixture), set.UNIQUACEnergy,
                                           MixtureVolumes(mixture));
    case 'F':
      return std::make_unique<TUNIFACObj>(session, set.GroupCount, MixtureAreas(mixture),
                                          MixtureVolumes(mixture), set.GroupQ, set.GroupInteraction,
                                          set.ComponentGroups, set.GroupIdsA, set.GroupIdsB);
    default:
      throw InputError(kSolverUnknownModel, {std::to_string(set.ModelCode)});
  }
}

}  // namespace bubblix
