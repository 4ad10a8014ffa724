// The answer scripts of examples/ run as whole sessions, as bubblix-cli runs them.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "session_test_support.h"

namespace bubblix::session_test {
namespace {

// The script examples/<name>, with the parameter file it names placed in `dir`.
std::string example(const std::string& name, const TempDir& dir) {
  std::ifstream in(std::string(BUBBLIX_SOURCE_DIR) + "/examples/" + name);
  std::stringstream text;
  text << in.rdbuf();
  std::string script = text.str();
  EXPECT_FALSE(script.empty()) << name;
  const std::string file = "file Wilson.dat";
  for (std::size_t at = script.find(file); at != std::string::npos; at = script.find(file, at)) {
    script.replace(at, file.size(), "file " + dir.file("Wilson.dat"));
    at += file.size();
  }
  return script;
}

// Runs an example on a fresh state: it must answer every question and leave no answer over,
// with no message shown.
void runExample(SessionRun& run, const std::string& name, const TempDir& dir) {
  const SessionResult result = run.session(example(name, dir));
  EXPECT_EQ(result.Outcome, SessionOutcome::Completed) << name << ": " << result.Message;
  EXPECT_EQ(run.leftOver, 0u) << name;
  EXPECT_EQ(run.echo.str(), "") << name;
}

int equilibriumRows(const SessionRun& run, int components) {
  int rows = 0;
  for (const std::string& line : run.lines())
    rows += isEquilibriumRow(line, components) ? 1 : 0;
  return rows;
}

TEST(ExampleScripts, DemonstrationFitsNrtlChecksAdequacyAndSolvesTwoPoints) {
  TempDir dir;
  SessionRun run;
  runExample(run, "nrtl-binary.txt", dir);
  EXPECT_GT(run.find("Equilibrium calculation method NRTL. The denotations:"), 0);
  EXPECT_GT(run.find("Average square-law error of calculations (adequacy of model):"), 0);
  EXPECT_EQ(equilibriumRows(run, 2), 2);
}

TEST(ExampleScripts, SavedParametersAreLoadedAgain) {
  TempDir dir;
  SessionRun save;
  runExample(save, "wilson-save.txt", dir);
  EXPECT_EQ(equilibriumRows(save, 2), 1);
  SessionRun load;
  runExample(load, "load-parameters.txt", dir);
  EXPECT_EQ(load.line(1), "Equilibrium calculation method Wilson. The denotations:");
  EXPECT_EQ(load.state.ParameterSet.WilsonEnergy, save.state.ParameterSet.WilsonEnergy);
  EXPECT_EQ(equilibriumRows(load, 2), 2);
}

TEST(ExampleScripts, TernaryAndQuaternaryMixtures) {
  TempDir dir;
  SessionRun ternary;
  runExample(ternary, "ternary-uniquac.txt", dir);
  EXPECT_EQ(equilibriumRows(ternary, 3), 2);
  SessionRun literature;
  runExample(literature, "unifac-literature.txt", dir);
  EXPECT_EQ(equilibriumRows(literature, 4), 1);
}

}  // namespace
}  // namespace bubblix::session_test
