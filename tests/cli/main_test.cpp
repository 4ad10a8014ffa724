// bubblix-cli as a whole: usage, the diagram command's hand-over, and output that cannot be
// written.

#include <gtest/gtest.h>

#include <filesystem>

#include "cli/cli_process.h"

namespace bubblix::cli_test {
namespace {

namespace fs = std::filesystem;

TEST(CliMain, HelpListsEveryCommandAndNoCommandIsAUsageError) {
  TempFolder folder;
  const ProcessResult help = runCli({"--help"}, folder.path());
  EXPECT_EQ(help.Status, 0);
  for (const char* command :
       {"session", "fit", "adequacy", "solve", "gamma", "azeotrope", "diagram"}) {
    EXPECT_NE(help.Out.find(std::string("  ") + command + " "), std::string::npos) << command;
  }
  const ProcessResult none = runCli({}, folder.path());
  EXPECT_EQ(none.Status, 2);
  EXPECT_NE(none.Err.find("A subcommand is required"), std::string::npos) << none.Err;
  const ProcessResult unknown = runCli({"plot"}, folder.path());
  EXPECT_EQ(unknown.Status, 2);
  EXPECT_NE(unknown.Err.find("plot"), std::string::npos) << unknown.Err;
}

// The diagram command runs bubblix-diagram from bubblix-cli's own folder. A copy of
// bubblix-cli in a folder of its own shows both cases.
TEST(CliMain, DiagramHandsTheArgumentsToTheDiagramProgram) {
  TempFolder folder;
  const fs::path cli = folder.path() / "bubblix-cli";
  fs::copy_file(BUBBLIX_CLI_PATH, cli);

  ProcessResult run = runProcess(cli.string(), {"diagram", "--params", "x.dat"}, folder.path());
  EXPECT_EQ(run.Status, 1);
  EXPECT_NE(run.Err.find("The diagram program bubblix-diagram is not built"), std::string::npos)
      << run.Err;
  run = runProcess(cli.string(), {"diagram", "--lang", "ru"}, folder.path());
  EXPECT_NE(run.Err.find("Программа диаграмм bubblix-diagram не собрана"), std::string::npos)
      << run.Err;

  // A stand-in that prints its arguments one per line and ends with status 7.
  const fs::path diagram = folder.path() / "bubblix-diagram";
  writeFile(diagram, "#!/bin/sh\nfor a in \"$@\"; do echo \"[$a]\"; done\nexit 7\n");
  fs::permissions(diagram, fs::perms::owner_all);
  run = runProcess(cli.string(),
                   {"diagram", "--params", "my file.dat", "--out", "t.svg", "--kind", "txy"},
                   folder.path());
  EXPECT_EQ(run.Status, 7);
  EXPECT_EQ(run.Out, "[--params]\n[my file.dat]\n[--out]\n[t.svg]\n[--kind]\n[txy]\n");
}

TEST(CliMain, OutputThatCannotBeWrittenIsAFailure) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  TempFolder folder;
  const ProcessResult run =
      runProcess(BUBBLIX_CLI_PATH, {"fit", "--model", "wilson", "--components", "1,2", "--json"},
                 folder.path(), "/dev/full");
  EXPECT_EQ(run.Status, 1);
  EXPECT_NE(run.Err.find("The standard output cannot be written"), std::string::npos) << run.Err;
}

}  // namespace
}  // namespace bubblix::cli_test
