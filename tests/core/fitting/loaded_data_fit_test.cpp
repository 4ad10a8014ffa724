// Fits to loaded data sets: the built-in pairs fitted to loaded copies of their data, and a
// pair of library components fitted back to the parameters its data were generated from.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "core/data/component_library.h"
#include "core/data/data_set_file.h"
#include "core/data/database.h"
#include "core/data/experimental_data.h"
#include "core/data/mixture_loading.h"
#include "core/fitting/binary_fit.h"
#include "core/fitting/fitting_objectives.h"
#include "core/fitting/generated_data.h"

namespace bubblix {
namespace {

// 21 significant digits: enough for an 80-bit real to read back as itself.
std::string exact(Real value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.21Lg", value);
  return buffer;
}

// The built-in set [first][second] (database numbers) as a data-set file, x and y of `first`;
// `mirrored` writes the complements (the set seen from `second`) under the other order.
std::string dataSetText(const Database& db, int first, int second, bool mirrored) {
  const TExperimentalSet& set = db.ExperimentalData[first - 1][second - 1];
  std::string text = mirrored
                         ? "components," + std::to_string(second) + "," + std::to_string(first)
                         : "components," + std::to_string(first) + "," + std::to_string(second);
  text += "\nt_c,p_mmhg,x1,y1\n";
  for (std::size_t k = 0; k < set.N; ++k) {
    const Real x = mirrored ? 1.0L - set.x[k] : set.x[k];
    const Real y = mirrored ? 1.0L - set.y[k] : set.y[k];
    text += exact(set.t[k]) + ",760," + exact(x) + "," + exact(y) + "\n";
  }
  return text;
}

struct Fitted {
  FitResult Wilson, NRTL, UNIQUAC;
};

Fitted fitAll(const Database& db, int a, int b) {
  Fitted out;
  Mixture mixture;
  loadComponent(mixture, db, 0, componentName(db, a, Language::English));
  loadComponent(mixture, db, 1, componentName(db, b, Language::English));
  FittingState state;
  const FitControls controls;
  loadExperimentalPoints(pairExperimentalPoints(db, a, b), state.Fit);
  out.Wilson = fitWilson(state, mixture, 0, 1, controls);
  loadExperimentalPoints(pairExperimentalPoints(db, a, b), state.Fit);
  out.NRTL = fitNRTL(state, mixture, 0, 1, controls);
  loadExperimentalPoints(pairExperimentalPoints(db, a, b), state.Fit);
  out.UNIQUAC = fitUNIQUAC(state, mixture, 0, 1, controls);
  return out;
}

void expectIdentical(const FitResult& loaded, const FitResult& builtIn, const char* model) {
  EXPECT_EQ(loaded.Parameters, builtIn.Parameters) << model;
  EXPECT_EQ(loaded.S, builtIn.S) << model;
  EXPECT_EQ(loaded.Iterations, builtIn.Iterations) << model;
}

// Agreement of two fits of data that differ in the last bits: the minimiser stops where its
// steps fall below its tolerance (1e-5 for two parameters, 1e-6 for NRTL, binary_fit.cpp), so
// the parameters agree within a few times that, the minimum itself (the objective) within
// 1e-6 relative.
void expectClose(const FitResult& loaded, const FitResult& builtIn, Real tolerance,
                 const char* model) {
  for (std::size_t k = 0; k < builtIn.ParameterCount; ++k) {
    const Real scale = std::max<Real>(1.0L, std::fabs(builtIn.Parameters[k]));
    EXPECT_LE(std::fabs(loaded.Parameters[k] - builtIn.Parameters[k]), tolerance * scale)
        << model << " parameter " << k;
  }
  EXPECT_LE(std::fabs(loaded.S - builtIn.S), 1e-6L * builtIn.S) << model << " objective";
}

// The stored orientation of each built-in pair: [1][2] and [3][4] as they are, the other four
// from the source entries of their mirrors.
struct StoredSet {
  int first, second;
};
constexpr StoredSet kStoredSets[] = {{1, 2}, {3, 4}, {3, 1}, {4, 1}, {3, 2}, {4, 2}};

TEST(LoadedDataFit, BuiltInPairsFittedToLoadedCopiesGiveTheBuiltInResultsBitForBit) {
  const Database& builtIn = builtInDatabase();
  for (const StoredSet& s : kStoredSets) {
    SCOPED_TRACE(testing::Message() << "set " << s.first << "-" << s.second);
    const int a = std::min(s.first, s.second);
    const int b = std::max(s.first, s.second);
    const Fitted reference = fitAll(builtIn, a, b);

    Database loaded = builtIn;
    addDataSet(loaded,
               parseDataSet(dataSetText(builtIn, s.first, s.second, false), "copy.csv", loaded));
    const Fitted copy = fitAll(loaded, a, b);
    expectIdentical(copy.Wilson, reference.Wilson, "Wilson");
    expectIdentical(copy.NRTL, reference.NRTL, "NRTL");
    expectIdentical(copy.UNIQUAC, reference.UNIQUAC, "UNIQUAC");

    // Written the other way round the fractions are complements rounded once more.
    Database other = builtIn;
    addDataSet(other,
               parseDataSet(dataSetText(builtIn, s.first, s.second, true), "other.csv", other));
    const Fitted mirrored = fitAll(other, a, b);
    expectClose(mirrored.Wilson, reference.Wilson, 1e-4L, "Wilson");
    expectClose(mirrored.NRTL, reference.NRTL, 1e-5L, "NRTL");
    expectClose(mirrored.UNIQUAC, reference.UNIQUAC, 1e-4L, "UNIQUAC");
  }
}

Database exampleDatabase() {
  return withLibrary(
      builtInDatabase(),
      readComponentLibrary(std::string(BUBBLIX_SOURCE_DIR) + "/examples/benzene-cyclohexane.json",
                           builtInDatabase()));
}

TEST(LoadedDataFit, NoiseFreeGeneratedDataAreFittedBackToTheirParameters) {
  Database db = exampleDatabase();
  // Wilson: two parameters, a well-posed fit. (NRTL's three are not: its alpha trades against
  // the energies along a flat valley, where the gradient method stops at its tolerance.)
  test::GeneratingPair truth{0.60L, 0.10L, 0.0L};
  truth.wilson = true;
  std::vector<Real> xs;
  for (int k = 0; k <= 20; ++k)
    xs.push_back(k / 20.0L);
  // An isobaric set at 760 mm Hg and one at 500 mm Hg written from the other component: the
  // pair's points are at two pressures, the second set mirrored.
  addDataSet(db, test::generatedSet(db, 5, 6, truth, mmHgToPa(760.0L), xs));
  test::GeneratingPair reversed{truth.a21, truth.a12, 0.0L};
  reversed.wilson = true;
  addDataSet(db, test::generatedSet(db, 6, 5, reversed, mmHgToPa(500.0L), xs));
  ASSERT_FALSE(pairCommonPressure(db, 5, 6).has_value());

  Mixture mixture;
  loadComponent(mixture, db, 0, "benzene");
  loadComponent(mixture, db, 1, "cyclohexane");
  FittingState state;
  const ExperimentalPoints points = pairExperimentalPoints(db, 5, 6);
  ASSERT_EQ(points.tau.size(), 42u);
  EXPECT_EQ(points.WilsonStart, kDefaultWilsonStart);  // a pair without built-in start values
  loadExperimentalPoints(points, state.Fit);
  const FitResult fit = fitWilson(state, mixture, 0, 1, FitControls{});
  // Tolerance 1e-3 absolute: the minimiser stops when its steps fall below 1e-5
  // (binary_fit.cpp), which on this shallow minimum leaves about 1e-4 to go.
  EXPECT_NEAR(fit.Parameters[0], truth.a12, 1e-3L);
  EXPECT_NEAR(fit.Parameters[1], truth.a21, 1e-3L);
  EXPECT_LT(fit.E, 1e-5L);
}

TEST(LoadedDataFit, TheExampleSetsAreTheGeneratedPointsTheirDocsName) {
  // docs/data-sets.md: generated by NRTL a12 = 0.45, a21 = 0.20, alpha = 0.3, t rounded to
  // 0.001 degC and y1 to 0.00001; allowed: the rounding plus 1e-9.
  const Database db = exampleDatabase();
  const test::GeneratingPair truth{0.45L, 0.20L, 0.3L};
  for (const char* name : {"benzene-cyclohexane-760.csv", "benzene-cyclohexane-500.csv"}) {
    SCOPED_TRACE(name);
    const LoadedDataSet set =
        readDataSet(std::string(BUBBLIX_SOURCE_DIR) + "/examples/" + name, db);
    const bool reversed = set.Components[0] == 6;
    const test::GeneratingPair pair =
        reversed ? test::GeneratingPair{truth.a21, truth.a12, truth.alpha} : truth;
    for (std::size_t k = 0; k < set.t.size(); ++k) {
      const Real x[1] = {set.x[k]};
      const LoadedDataSet point =
          test::generatedSet(db, set.Components[0], set.Components[1], pair, set.P[k], x);
      EXPECT_NEAR(set.t[k], point.t[0], 0.0005L + 1e-9L) << "line " << set.Lines[k];
      EXPECT_NEAR(set.y[k], std::min(point.y[0], 1.0L), 0.000005L + 1e-9L)
          << "line " << set.Lines[k];
    }
  }
}

}  // namespace
}  // namespace bubblix
