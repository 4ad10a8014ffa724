// Model objects: the same numbers as the free routines to the last bit, their own copy of the
// parameters, and the session's component count.

#include "core/models/vle_object.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <stdexcept>

#include "core/base/errors.h"
#include "core/base/units.h"
#include "core/models/model_evaluation.h"
#include "core/models/model_test_support.h"
#include "core/models/solvers.h"

namespace bubblix {
namespace {

constexpr Real kTau = 1.27L;           // 73.75 degC
constexpr Real kPressure = 101325.0L;  // Pa

// Bitwise equality of two reals (also tells +0 from -0 and compares NaN payloads).
bool sameBits(Real a, Real b) {
  return std::memcmp(&a, &b, 10) == 0;
}

void expectSameBits(const CompositionVector& a, const CompositionVector& b, const char* what) {
  for (std::size_t i = 0; i < a.size(); ++i) {
    EXPECT_TRUE(sameBits(a[i], b[i])) << what << "[" << i << "]: " << static_cast<double>(a[i])
                                      << " vs " << static_cast<double>(b[i]);
  }
}

// The object evaluated as Solve would: for UNIFAC the composition-fixed terms first.
Real objectSum(TVLEObj& object, const CompositionVector& x, CompositionVector& y,
               CompositionVector& gamma, Real P, Real tau) {
  if (auto* unifac = dynamic_cast<TUNIFACObj*>(&object)) unifac->PrepareComposition(x);
  Real sum = 0.0L;
  object.BubbleResidual(x, sum, y, gamma, P, tau);
  return sum;
}

struct ModelCase {
  Model model;
  std::initializer_list<int> numbers;
};

const ModelCase kCases[] = {
    {Model::Wilson, {1, 2}},        {Model::NRTL, {1, 2}},         {Model::UNIQUAC, {1, 2}},
    {Model::UNIFAC, {1, 2}},        {Model::Wilson, {1, 2, 3, 4}}, {Model::NRTL, {1, 2, 3, 4}},
    {Model::UNIQUAC, {1, 2, 3, 4}}, {Model::UNIFAC, {1, 2, 3, 4}}, {Model::UNIFAC, {1, 3, 4}}};

TEST(ModelObjects, MakeModelObjectBuildsTheClassOfTheModelCode) {
  test::ObjectSession session;
  test::loadSession(session, {1, 2});
  for (Model model : {Model::Wilson, Model::NRTL, Model::UNIQUAC, Model::UNIFAC}) {
    const std::unique_ptr<TVLEObj> object = makeModelObject(
        session.Components, session.SelectedCount, test::modelSet(model, session.Components, 2));
    const bool right = (model == Model::Wilson && dynamic_cast<TWilsonObj*>(object.get())) ||
                       (model == Model::NRTL && dynamic_cast<TNRTLObj*>(object.get())) ||
                       (model == Model::UNIQUAC && dynamic_cast<TUNIQUACObj*>(object.get())) ||
                       (model == Model::UNIFAC && dynamic_cast<TUNIFACObj*>(object.get()));
    EXPECT_TRUE(right) << model;
  }
}

// BubbleResidual of the object and BubbleSum of the free routines share one implementation
// of each model: sum, y and gamma agree bit for bit.
TEST(ModelObjects, BubbleResidualEqualsTheFreeRoutinesBitForBit) {
  for (const ModelCase& c : kCases) {
    test::ObjectSession session;
    test::loadSession(session, c.numbers);
    const int n = session.SelectedCount;
    const TParameterSet set = test::modelSet(c.model, session.Components, n);
    const std::unique_ptr<TVLEObj> object =
        makeModelObject(session.Components, session.SelectedCount, set);
    const CompositionVector x =
        n == 2 ? CompositionVector{0.37L, 0.63L} : CompositionVector{0.1L, 0.4L, 0.3L, 0.2L};
    CompositionVector yObject{}, gammaObject{}, yFree{}, gammaFree{};
    const Real sumObject = objectSum(*object, x, yObject, gammaObject, kPressure, kTau);
    const Real sumFree = BubbleSum(session.Components, set, x, yFree, gammaFree, kTau, kPressure);
    EXPECT_TRUE(sameBits(sumObject, sumFree)) << c.model << " n " << n;
    expectSameBits(yObject, yFree, "y");
    expectSameBits(gammaObject, gammaFree, "gamma");
    EXPECT_GT(std::fabs(gammaFree[0] - 1.0L), 1e-3L) << "a non-ideal case is compared";
  }
}

// Solve and SolveEquilibrium run the same iterations: every returned value is the same bit
// pattern, for both tasks and both phases. For UNIFAC the object keeps the composition-fixed
// terms of x in its fields; for the dew problem it keeps the task, tau and y.
TEST(ModelObjects, SolveEqualsSolveEquilibriumBitForBit) {
  for (const ModelCase& c : kCases) {
    test::ObjectSession session;
    test::loadSession(session, c.numbers);
    const int n = session.SelectedCount;
    const TParameterSet set = test::modelSet(c.model, session.Components, n);
    const std::unique_ptr<TVLEObj> object =
        makeModelObject(session.Components, session.SelectedCount, set);
    for (char task : {'T', 'P'}) {
      for (char phase : {'y', 'x'}) {
        const CompositionVector given = n == 2   ? CompositionVector{0.3L, 0.7L}
                                        : n == 3 ? CompositionVector{0.25L, 0.35L, 0.4L}
                                                 : CompositionVector{0.25L, 0.35L, 0.3L, 0.1L};
        const Real A = task == 'T' ? tauFromCelsius(50.0L) : 300.0L;
        const Real B = task == 'T' ? tauFromCelsius(110.0L) : 2000.0L;
        Real tauO = tauFromCelsius(75.0L), PO = kPressure, tauF = tauO, PF = PO;
        CompositionVector xO = given, yO = given, gO{}, xF = given, yF = given, gF{};
        const SolveResult rO = object->Solve(task, phase, A, B, tauO, PO, set, xO, gO, yO);
        const SolveResult rF =
            SolveEquilibrium(session.Components, task, phase, A, B, tauF, PF, set, xF, gF, yF);
        ASSERT_TRUE(rO.converged()) << c.model << task << phase << rO.message(Language::English);
        ASSERT_TRUE(rF.converged()) << c.model << task << phase << rF.message(Language::English);
        EXPECT_EQ(rO.Iterations, rF.Iterations);
        EXPECT_TRUE(sameBits(tauO, tauF)) << c.model << task << phase;
        EXPECT_TRUE(sameBits(PO, PF)) << c.model << task << phase;
        expectSameBits(xO, xF, "x");
        expectSameBits(yO, yF, "y");
        expectSameBits(gO, gF, "gamma");
        if (phase == 'x') {
          EXPECT_EQ(object->TaskLetter, task);
          EXPECT_TRUE(sameBits(object->DewTemperature, tauFromCelsius(75.0L)));
          expectSameBits(object->FixedComposition, given, "FixedComposition");
        } else if (c.model == Model::UNIFAC) {
          const UNIFACComposition prepared = prepareUNIFAC(session.Components, set, given);
          for (int m = 0; m < set.GroupCount; ++m) {
            EXPECT_TRUE(sameBits(object->GroupFractions[m], prepared.GroupFractions[m]));
          }
          expectSameBits(object->CombinatorialGamma, prepared.CombinatorialGamma,
                         "CombinatorialGamma");
        }
      }
    }
  }
}

// The object copies its parameters: changing the session's parameter set afterwards leaves
// its results as they were, while the free routines follow the change.
TEST(ModelObjects, ChangedParameterSetDoesNotReachAnExistingObject) {
  for (Model model : {Model::Wilson, Model::NRTL, Model::UNIQUAC, Model::UNIFAC}) {
    test::ObjectSession session;
    test::loadSession(session, {1, 2, 3});
    session.ParameterSet = test::modelSet(model, session.Components, 3);
    const std::unique_ptr<TVLEObj> object =
        makeModelObject(session.Components, session.SelectedCount, session.ParameterSet);
    const CompositionVector x{0.2L, 0.5L, 0.3L};
    CompositionVector yBefore{}, gammaBefore{}, yAfter{}, gammaAfter{};
    const Real before = objectSum(*object, x, yBefore, gammaBefore, kPressure, kTau);

    TParameterSet& set = session.ParameterSet;
    for (int i = 0; i < 4; ++i) {
      for (int j = 0; j < 4; ++j) {
        set.WilsonEnergy[i][j] += 0.5L;
        set.NRTLEnergy[i][j] += 0.5L;
        set.NRTLAlpha[i][j] += 0.1L;
      }
    }
    for (auto& row : set.UNIQUACEnergy) {
      for (Real& value : row)
        value += 0.5L;
    }
    for (auto& row : set.GroupInteraction) {
      for (Real& value : row)
        value += 0.5L;
    }
    for (Real& Q : set.GroupQ)
      Q *= 1.5L;
    for (TComponentGroups& record : set.ComponentGroups)
      record.Q[0] *= 1.5L;

    const Real after = objectSum(*object, x, yAfter, gammaAfter, kPressure, kTau);
    EXPECT_TRUE(sameBits(before, after)) << model;
    expectSameBits(gammaBefore, gammaAfter, "gamma");

    CompositionVector yFree{}, gammaFree{};
    const Real changed = BubbleSum(session.Components, set, x, yFree, gammaFree, kTau, kPressure);
    EXPECT_GT(std::fabs(changed - before), 1e-3L) << model << ": the change itself matters";
  }
}

// A pure liquid gives gamma = 1 and sum = Psat_k / P - 1 (relative 1e-15).
TEST(ModelObjects, PureComponentBubbleResidualIsVapourPressureOverPressureMinusOne) {
  test::ObjectSession session;
  test::loadSession(session, {1, 2, 3, 4});
  for (Model model : {Model::Wilson, Model::NRTL, Model::UNIQUAC, Model::UNIFAC}) {
    const std::unique_ptr<TVLEObj> object = makeModelObject(
        session.Components, session.SelectedCount, test::modelSet(model, session.Components, 4));
    for (int k = 0; k < 4; ++k) {
      CompositionVector x{};
      x[k] = 1.0L;
      CompositionVector y{}, gamma{};
      const Real sum = objectSum(*object, x, y, gamma, kPressure, kTau);
      const Real expected = SaturationPressure(session.Components, k, kTau) / kPressure - 1.0L;
      EXPECT_LE(std::fabs(sum - expected), 1e-15L * std::fabs(expected)) << model << k;
      EXPECT_LE(std::fabs(gamma[k] - 1.0L), 1e-15L) << model << k;
    }
  }
}

// The loop bound is the session's SelectedCount, read at each call; Solve insists that it
// equals the parameter set's component count.
TEST(ModelObjects, ObjectsCountComponentsWithTheSessionsSelectedCount) {
  test::ObjectSession session;
  test::loadSession(session, {1, 2});
  const TParameterSet set = test::wilsonSet(2);
  const std::unique_ptr<TVLEObj> object =
      makeModelObject(session.Components, session.SelectedCount, set);
  const CompositionVector x{0.4L, 0.6L};
  CompositionVector y{}, gamma{};
  const Real both = objectSum(*object, x, y, gamma, kPressure, kTau);

  session.SelectedCount = 1;
  CompositionVector yOne{}, gammaOne{};
  const Real first = objectSum(*object, x, yOne, gammaOne, kPressure, kTau);
  EXPECT_EQ(yOne[1], 0.0L) << "the second component is not touched";
  // One component: S = x1, gamma1 = exp(1 - x1 / x1) / x1 = 1 / x1, so y1 = Psat1 / P.
  const Real expected = SaturationPressure(session.Components, 0, kTau) / kPressure - 1.0L;
  EXPECT_LE(std::fabs(first - expected), 1e-17L);
  EXPECT_GT(std::fabs(both - first), 0.1L);

  Real tau = 1.0L, P = kPressure;
  CompositionVector xs = x, ys{}, gs{};
  EXPECT_THROW(object->Solve('T', 'y', 1.1L, 1.4L, tau, P, set, xs, gs, ys), std::invalid_argument);
}

}  // namespace
}  // namespace bubblix
