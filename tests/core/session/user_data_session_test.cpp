// Sessions with the user's own components and data: the no-data branch of a library pair, the
// refusal of literature UNIFAC values the reference table does not hold, a fit to a loaded set
// with its adequacy check, and the mixture size of the component dialog.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/data/component_library.h"
#include "core/data/data_set_file.h"
#include "session_test_support.h"

namespace bubblix::session_test {
namespace {

std::string example(const std::string& name) {
  return std::string(BUBBLIX_SOURCE_DIR) + "/examples/" + name;
}

Database libraryDatabase() {
  return withLibrary(builtInDatabase(),
                     readComponentLibrary(example("benzene-cyclohexane.json"), builtInDatabase()));
}

bool hasMessage(const Requests& requests, MessageKind kind, const std::string& part) {
  for (const MessageRequest& m : requests.Messages) {
    if (m.Kind == kind && m.Text.find(part) != std::string::npos) return true;
  }
  return false;
}

TEST(UserDataSession, ALibraryPairWithoutDataTakesTheUsersEntry) {
  const Database db = libraryDatabase();
  SessionRun run;
  // Five ticked components are refused and the dialog opens again.
  ASSERT_EQ(run.session("variant 1\ncomponents 1,2,3,5,6\ncomponents 5,6\nmodel NRTL\n"
                        "variant 1\ngrid 1 0.5 0.3\nno\nvariant 1\ncancel\n",
                        db)
                .Outcome,
            SessionOutcome::Completed);
  EXPECT_EQ(run.leftOver, 0u);
  ASSERT_EQ(run.requests.Components.size(), 2u);
  ASSERT_EQ(run.requests.Components[0].ItemNames.size(), 6u);
  EXPECT_EQ(run.requests.Components[0].ItemNames[4], "benzene");
  EXPECT_TRUE(hasMessage(run.requests, MessageKind::Warning,
                         "A mixture has 2 to 4 components; 5 are ticked"));

  ASSERT_GE(run.requests.Variants.size(), 2u);
  EXPECT_NE(run.requests.Variants[1].Prompt.find("system benzene-cyclohexane are absent"),
            std::string::npos)
      << run.requests.Variants[1].Prompt;
  EXPECT_EQ(run.state.DataMissing, 1);
  EXPECT_NE(run.find("  g12-g22 = 1 kJ/mole;  g21-g11 = 0.5 kJ/mole;  alp12=0.3"), -1);
  EXPECT_EQ(run.state.ParameterSet.Components[0], 5);
  EXPECT_EQ(run.state.ParameterSet.Components[1], 6);
  EXPECT_EQ(run.state.Components.ComponentNames[1], "cyclohexane");
}

TEST(UserDataSession, LiteratureUnifacIsRefusedWhereTheReferenceTableHoldsNoValue) {
  const Database db = libraryDatabase();
  SessionRun run;
  // The switch to UNIFAC (choice 3) is refused, naming the main groups; the entry follows.
  ASSERT_EQ(run.session("variant 1\ncomponents 5,6\nmodel Wilson\nvariant 3\nvariant 1\n"
                        "grid 1 0.5\nno\nvariant 1\ncancel\n",
                        db)
                .Outcome,
            SessionOutcome::Completed);
  EXPECT_EQ(run.leftOver, 0u);
  EXPECT_TRUE(hasMessage(run.requests, MessageKind::Error,
                         "no interaction of main groups 3 and 1 (system benzene-cyclohexane)"));
  EXPECT_EQ(run.state.FittedModel, Model::Wilson);

  // UNIFAC variant 1 with the literature values for the whole mixture: refused, the pair
  // then goes the no-data way and its parameters are entered.
  SessionRun unifac;
  ASSERT_EQ(unifac
                .session("variant 1\ncomponents 5,6\nmodel UNIFAC\nvariant 1\nvariant 2\n"
                         "variant 3\nvariant 1\ngrid 100 200\nno\nvariant 1\ncancel\n",
                         db)
                .Outcome,
            SessionOutcome::Completed);
  EXPECT_EQ(unifac.leftOver, 0u);
  EXPECT_GE(unifac.requests.messagesOfKind(MessageKind::Error), 2);
  EXPECT_EQ(unifac.state.FittedModel, Model::UNIFAC);
}

TEST(UserDataSession, ALoadedSetIsFittedAndCheckedPointByPoint) {
  Database db = libraryDatabase();
  addDataSet(db, readDataSet(example("benzene-cyclohexane-760.csv"), db));
  addDataSet(db, readDataSet(example("benzene-cyclohexane-500.csv"), db));
  SessionRun run;
  ASSERT_EQ(run.session("variant 1\ncomponents 5,6\nmodel NRTL\nno\nyes\nvariant 1\ncancel\n", db)
                .Outcome,
            SessionOutcome::Completed);
  EXPECT_EQ(run.leftOver, 0u);
  EXPECT_EQ(run.state.DataMissing, 0);
  EXPECT_NE(run.findPrefix(" Number of iterations"), -1);
  // The data were generated with a12 = 0.45, a21 = 0.20, alpha = 0.3 (docs/data-sets.md);
  // rounded to 1e-5 in y and 1e-3 K in t they give the parameters back within 0.05.
  EXPECT_NEAR(run.state.ParameterSet.NRTLEnergy[0][1], 0.45L, 0.05L);
  EXPECT_NEAR(run.state.ParameterSet.NRTLEnergy[1][0], 0.20L, 0.05L);
  // The adequacy table has a row per point of both sets: 500 mm Hg rows among the 760 ones.
  const int title = run.findPrefix("        Vapour-liquid equilibrium in the system ");
  ASSERT_NE(title, -1);
  int rows760 = 0;
  int rows500 = 0;
  for (int k = title + 1; k < static_cast<int>(run.lines().size()); ++k) {
    double t = 0;
    double p = 0;
    if (std::sscanf(run.line(k).c_str(), "%lf %lf", &t, &p) != 2) continue;
    rows760 += p > 750 && p < 770 ? 1 : 0;
    rows500 += p > 490 && p < 510 ? 1 : 0;
  }
  EXPECT_EQ(rows760, 21);
  EXPECT_EQ(rows500, 5);
}

TEST(UserDataSession, TheReportSaysWhichStartAPairWithoutBuiltInStartValuesTook) {
  // Ethanol and hexane have only main groups 1 and 5: the start comes from UNIFAC.
  Database ethanolHexane = withLibrary(
      builtInDatabase(), readComponentLibrary(example("ethanol-hexane.json"), builtInDatabase()));
  addDataSet(ethanolHexane, readDataSet(example("ethanol-hexane-760.csv"), ethanolHexane));
  const std::string script = "variant 1\ncomponents 5,6\nmodel Wilson\nno\nno\nvariant 1\ncancel\n";
  SessionRun english;
  ASSERT_EQ(english.session(script, ethanolHexane).Outcome, SessionOutcome::Completed);
  const int line = english.findPrefix(
      "Start values estimated by UNIFAC with the reference group parameters:  l12-l11 = ");
  ASSERT_NE(line, -1);
  // Below the pair's heading and progress line, above its result line.
  EXPECT_LT(english.findPrefix("Power parameters of binary interaction"), line);
  EXPECT_LT(english.findPrefix(" Number of iterations"), line);
  EXPECT_EQ(english.findPrefix("  l12-l11 = "), line + 1);
  SessionRun russian(Language::Russian);
  ASSERT_EQ(russian.session(script, ethanolHexane).Outcome, SessionOutcome::Completed);
  EXPECT_NE(russian.findPrefix("Начальные значения оценены по UNIFAC с литературными параметрами "
                               "групп:  l12-l11 = "),
            -1);

  // Benzene's main group 3 has none: the fixed start, and why.
  Database benzene = libraryDatabase();
  addDataSet(benzene, readDataSet(example("benzene-cyclohexane-760.csv"), benzene));
  SessionRun fixed;
  ASSERT_EQ(
      fixed.session("variant 1\ncomponents 5,6\nmodel NRTL\nno\nno\nvariant 1\ncancel\n", benzene)
          .Outcome,
      SessionOutcome::Completed);
  EXPECT_NE(
      fixed.findPrefix("Fixed start values (UNIFAC has no reference parameters of main group "
                       "3):  g12-g22 = 1.13554 kJ/mole;  g21-g11 = 1.13554 kJ/mole;  alp12=0.3"),
      -1);

  // A built-in pair's report has no such line.
  SessionRun builtIn;
  ASSERT_EQ(builtIn
                .session(script.substr(0, 10) + "components 1,2\nmodel Wilson\nno\nno\n"
                                                "variant 1\ncancel\n")
                .Outcome,
            SessionOutcome::Completed);
  EXPECT_EQ(builtIn.findPrefix("Start values"), -1);
  EXPECT_EQ(builtIn.findPrefix("Fixed start values"), -1);
}

TEST(UserDataSession, AUnifacMixtureOfMoreThanTenGroupsIsRefusedNamingIt) {
  // Two components of six groups each (main groups 1, 5, 6, 10 with letters A, B, C, blank).
  std::string groups;
  const char* entries[] = {R"({"main": 1, "letter": "A", "count": 1, "Q": 0.848, "R": 0.9011})",
                           R"({"main": 1, "letter": "B", "count": 1, "Q": 0.54, "R": 0.6744})",
                           R"({"main": 1, "letter": "C", "count": 1, "Q": 0.228, "R": 0.4469})",
                           R"({"main": 5, "letter": "A", "count": 1, "Q": 1.124, "R": 1.2044})",
                           R"({"main": 6, "letter": " ", "count": 1, "Q": 1.4, "R": 0.92})",
                           R"({"main": 10, "letter": " ", "count": 1, "Q": 0.88, "R": 1.002})"};
  for (const char* e : entries)
    groups += (groups.empty() ? "" : ",") + std::string(e);
  const auto component = [&](const std::string& name) {
    return R"({"name": ")" + name +
           R"(", "molar_mass": 100, "antoine": {"A": 16, "B": 3000, "C": -50},
               "density": {"t_c": [0, 100], "kg_m3": [900, 800]}, "groups": [)" +
           groups + "]}";
  };
  const std::string text =
      "{\"components\": [" + component("big-a") + "," + component("big-b") + "]}";
  const Database db =
      withLibrary(builtInDatabase(), parseComponentLibrary(text, "big.json", builtInDatabase()));
  SessionRun run;
  const SessionResult result = run.session("variant 1\ncomponents 5,6\nmodel UNIFAC\n", db);
  EXPECT_EQ(result.Outcome, SessionOutcome::Stopped);
  EXPECT_EQ(run.leftOver, 0u);
  EXPECT_TRUE(hasMessage(run.requests, MessageKind::Error,
                         "UNIFAC cannot take the system big-a-big-b: its components have 12 "
                         "groups in all; at most 10"));
}

}  // namespace
}  // namespace bubblix::session_test
