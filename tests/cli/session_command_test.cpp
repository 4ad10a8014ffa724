// bubblix-cli session: the demonstration script, the report file, Russian, and scripts that
// do not fit the session.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "cli/cli_process.h"

namespace bubblix::cli_test {
namespace {

const std::string kExamples = std::string(BUBBLIX_SOURCE_DIR) + "/examples/";

int countStartingWith(const std::vector<std::string>& all, const std::string& prefix) {
  return static_cast<int>(std::count_if(
      all.begin(), all.end(), [&](const std::string& line) { return line.rfind(prefix, 0) == 0; }));
}

TEST(SessionCommand, DemonstrationPrintsTheWholeReport) {
  TempFolder folder;
  const ProcessResult run =
      runCli({"session", "--answers", kExamples + "nrtl-binary.txt"}, folder.path());
  ASSERT_EQ(run.Status, 0) << run.Err;
  const std::vector<std::string> report = lines(run.Out);
  EXPECT_EQ(countStartingWith(report, "  g12-g22 = "), 1);
  EXPECT_EQ(countStartingWith(report, "Equilibrium calculation method NRTL. The denotations:"), 1);
  EXPECT_EQ(countStartingWith(report, "tboi(dg.C) P(mm. of hg) x1(% mol.)"), 1);
  EXPECT_EQ(countStartingWith(report, "Average square-law error of calculations"), 1);
  // The two points of the script: 760 mm Hg, 30 % and 50 % of comp.1. Their boiling
  // temperatures lie between the pure components' (about 78 and 100 degC).
  ASSERT_EQ(countStartingWith(report, "  760.0000"), 2);
  const auto row = std::find_if(report.begin(), report.end(), [](const std::string& line) {
    return line.rfind("  760.0000", 0) == 0;
  });
  const double t = std::strtod(row->c_str() + 10, nullptr);
  EXPECT_GT(t, 78.0);
  EXPECT_LT(t, 100.0);
  EXPECT_NE(row->find("30.0000"), std::string::npos);
  EXPECT_EQ(run.Err, "");
}

TEST(SessionCommand, ReportFileHoldsTheReportWithCrLfAndKeepsTheOldFile) {
  TempFolder folder;
  writeFile(folder.path() / "run.txt", "an older report\r\n");
  const ProcessResult run =
      runCli({"session", "--answers", kExamples + "nrtl-binary.txt", "--report", "run.txt"},
             folder.path());
  ASSERT_EQ(run.Status, 0) << run.Err;
  std::string expected;
  for (const std::string& line : lines(run.Out))
    expected += line + "\r\n";
  EXPECT_EQ(readFile(folder.path() / "run.txt"), expected);
  EXPECT_EQ(readFile(folder.path() / "run.bak"), "an older report\r\n");
}

TEST(SessionCommand, RussianReport) {
  TempFolder folder;
  const ProcessResult run = runCli(
      {"session", "--answers", kExamples + "nrtl-binary.txt", "--lang", "ru"}, folder.path());
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_NE(run.Out.find("Метод расчета равновесия NRTL. Обозначения:"), std::string::npos);
  EXPECT_NE(run.Out.find("Средняя квадратичная погрешность расчетов"), std::string::npos);
  // Numbers keep the full stop in every language.
  EXPECT_NE(run.Out.find("  760.0000"), std::string::npos);
}

TEST(SessionCommand, OkMessagesGoToStandardErrorAndTheSessionGoesOn) {
  TempFolder folder;
  writeFile(folder.path() / "answers.txt",
            "variant 1\ncomponents 1\ncomponents 1,2\nmodel Wilson\nno\nno\nvariant 1\n"
            "grid 760 30\ncancel\n");
  const ProcessResult run = runCli({"session", "--answers", "answers.txt"}, folder.path());
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(run.Err,
            "Warning: For calculation of vapor-liquid equilibrium choice not less than two "
            "components is required\n");
  EXPECT_NE(run.Out.find("  l12-l11 = "), std::string::npos);
  // The adequacy table without its summary (answer No).
  EXPECT_EQ(run.Out.find("Average square-law error"), std::string::npos);
  EXPECT_NE(run.Out.find("tboi(dg.C)"), std::string::npos);
}

TEST(SessionCommand, ScriptEndingEarlyKeepsTheReportSoFar) {
  TempFolder folder;
  // No answer to the adequacy question: the fit is done and reported, then the script ends.
  writeFile(folder.path() / "short.txt", "variant 1\ncomponents 1,2\nmodel NRTL\nno\n");
  const ProcessResult run =
      runCli({"session", "--answers", "short.txt", "--report", "partial.txt"}, folder.path());
  EXPECT_EQ(run.Status, 1);
  EXPECT_NE(run.Err.find("Answer script ends at line 4 with no answer to the question"),
            std::string::npos)
      << run.Err;
  EXPECT_NE(run.Err.find("Wish to verify adequacy to model NRTL ?"), std::string::npos);
  EXPECT_NE(run.Out.find("  g12-g22 = "), std::string::npos);
  EXPECT_NE(run.Out.find("Equilibrium calculation method NRTL"), std::string::npos);
  EXPECT_NE(readFile(folder.path() / "partial.txt").find("  g12-g22 = "), std::string::npos);
}

TEST(SessionCommand, WrongAnswerNamesTheLineAndTheQuestion) {
  TempFolder folder;
  writeFile(folder.path() / "wrong.txt", "variant 1\n# a comment\nyes\n");
  const ProcessResult run = runCli({"session", "--answers", "wrong.txt"}, folder.path());
  EXPECT_EQ(run.Status, 1);
  EXPECT_NE(run.Err.find("Answer script line 3: \"yes\" does not answer the question"),
            std::string::npos)
      << run.Err;
  EXPECT_NE(run.Err.find("Choice of componental ratio of mixture"), std::string::npos);
}

TEST(SessionCommand, MalformedScriptStopsBeforeAnythingRuns) {
  TempFolder folder;
  writeFile(folder.path() / "bad.txt", "variant 1\ncomponents 1,2\nmodel Margules\n");
  const ProcessResult run =
      runCli({"session", "--answers", "bad.txt", "--report", "never.txt"}, folder.path());
  EXPECT_EQ(run.Status, 1);
  EXPECT_NE(run.Err.find("Answer script line 3: \"model Margules\""), std::string::npos) << run.Err;
  EXPECT_EQ(run.Out, "");
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "never.txt"));
}

TEST(SessionCommand, MissingScriptIsAUsageError) {
  TempFolder folder;
  const ProcessResult run = runCli({"session", "--answers", "nowhere.txt"}, folder.path());
  EXPECT_EQ(run.Status, 2);
  EXPECT_NE(run.Err.find("nowhere.txt"), std::string::npos) << run.Err;
  EXPECT_EQ(run.Out, "");
}

TEST(SessionCommand, ReportFileThatCannotBeWrittenFailsButPrintsTheReport) {
  TempFolder folder;
  std::filesystem::create_directory(folder.path() / "a-folder");
  const ProcessResult run =
      runCli({"session", "--answers", kExamples + "nrtl-binary.txt", "--report", "a-folder"},
             folder.path());
  EXPECT_EQ(run.Status, 1);
  EXPECT_NE(run.Err.find("a-folder"), std::string::npos) << run.Err;
  EXPECT_NE(run.Out.find("  g12-g22 = "), std::string::npos);
  EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "a-folder"));
}

TEST(SessionCommand, UnusedAnswersAreReported) {
  TempFolder folder;
  writeFile(folder.path() / "long.txt",
            "variant 1\ncomponents 1,2\nmodel Wilson\nno\nno\nvariant 1\ncancel\nyes\n");
  const ProcessResult run = runCli({"session", "--answers", "long.txt"}, folder.path());
  EXPECT_EQ(run.Status, 0);
  EXPECT_NE(run.Err.find("1 answer(s) not used, the first at line 8"), std::string::npos)
      << run.Err;
}

}  // namespace
}  // namespace bubblix::cli_test
