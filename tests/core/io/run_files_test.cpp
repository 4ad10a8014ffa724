#include "core/io/run_files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/base/errors.h"
#include "core/io/file_test_support.h"
#include "core/texts/file_texts.h"

namespace bubblix {
namespace {

using namespace texts;
using testing::fileErrorOf;
using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;
namespace fs = std::filesystem;

// Every file of the folder with its content, to show that a refused save changed nothing.
std::map<std::string, std::string> contentOf(const fs::path& dir) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(dir)) {
    files[entry.path().filename().string()] = entry.is_symlink()
                                                  ? "-> " + fs::read_symlink(entry.path()).string()
                                                  : readBytes(entry.path().string());
  }
  return files;
}

TEST(RunFiles, AnOutputIsNeverAnInputOfAnotherKindThroughAnyName) {
  const TempDir dir;
  writeBytes(dir / "answers.txt", "variant 1\n");
  fs::create_hard_link(dir / "answers.txt", dir / "hard.txt");
  fs::create_symlink("answers.txt", dir / "soft.txt");
  RunFiles run;
  run.noteRead(dir / "answers.txt", FileRole::AnswerScript);
  const auto before = contentOf(dir.path());
  for (const std::string name : {"answers.txt", "hard.txt", "soft.txt"}) {
    const std::string message =
        fileErrorOf([&] { run.save(dir / name, FileRole::Report, "report"); }, kSaveOverInput);
    EXPECT_EQ(message, "File " + dir / name + " is not written: it is the same file as " +
                           dir / "answers.txt" +
                           ", the answer script read in this run; nothing "
                           "is changed");
  }
  EXPECT_EQ(contentOf(dir.path()), before);

  // A file of the same kind may be saved over the one read (with its back-up).
  writeBytes(dir / "Wilson.dat", "loaded");
  run.noteRead(dir / "Wilson.dat", FileRole::ParameterFile);
  run.save(dir / "Wilson.dat", FileRole::ParameterFile, "fitted");
  EXPECT_EQ(readBytes(dir / "Wilson.dat"), "fitted");
  EXPECT_EQ(readBytes(dir / "Wilson.bak"), "loaded");
  // A name that leads nowhere is not recorded.
  run.noteRead(dir / "missing.csv", FileRole::BatchInput);
  run.save(dir / "missing.csv", FileRole::BatchOutput, "rows");
}

TEST(RunFiles, ABackupNeverReplacesAFileOfTheRun) {
  const TempDir dir;
  // solve --batch res.bak --out res.csv: the back-up of res.csv would be the batch input.
  writeBytes(dir / "res.bak", "task,phase,value,c1\n");
  writeBytes(dir / "res.csv", "earlier rows\n");
  RunFiles run;
  run.noteRead(dir / "res.bak", FileRole::BatchInput);
  const auto before = contentOf(dir.path());
  EXPECT_EQ(fileErrorOf([&] { run.save(dir / "res.csv", FileRole::BatchOutput, "rows"); },
                        kBackupOverInput),
            "File " + dir / "res.csv" + " is not written: its back-up copy " + dir / "res.bak" +
                " would replace " + dir / "res.bak" +
                ", the batch input read in this run; nothing is changed");
  EXPECT_EQ(contentOf(dir.path()), before);

  // Nor a file saved earlier in the run (Wilson.bak saved, then Wilson.dat).
  RunFiles saving;
  saving.save(dir / "Wilson.bak", FileRole::Report, "a report named Wilson.bak");
  fileErrorOf([&] { saving.save(dir / "Wilson.dat", FileRole::ParameterFile, "set"); },
              kBackupOverOutput);
  EXPECT_FALSE(fs::exists(dir / "Wilson.dat"));
  EXPECT_EQ(readBytes(dir / "Wilson.bak"), "a report named Wilson.bak");
}

TEST(RunFiles, TwoOutputsNeverShareABackupName) {
  const TempDir dir;
  writeBytes(dir / "Wilson.bak", "the set before this run");
  writeBytes(dir / "Wilson.dat", "the set of the last run");
  RunFiles run;
  run.save(dir / "Wilson.dat", FileRole::ParameterFile, "this run's set");
  ASSERT_EQ(readBytes(dir / "Wilson.bak"), "the set of the last run");
  writeBytes(dir / "Wilson.txt", "an older report");
  const std::string message =
      fileErrorOf([&] { run.save(dir / "Wilson.txt", FileRole::Report, "report"); }, kBackupShared);
  EXPECT_EQ(message, "File " + dir / "Wilson.txt" + " is not written: its back-up copy " +
                         dir / "Wilson.bak" + " is also the back-up copy of " + dir / "Wilson.dat" +
                         ", saved earlier in this run, and would replace it; nothing is changed");
  EXPECT_EQ(readBytes(dir / "Wilson.bak"), "the set of the last run");
  EXPECT_EQ(readBytes(dir / "Wilson.txt"), "an older report");

  // The same file saved again (under another spelling of its name) is its own back-up.
  run.save(dir.path().string() + "/./Wilson.dat", FileRole::ParameterFile, "refitted");
  EXPECT_EQ(readBytes(dir / "Wilson.bak"), "this run's set");
  // A file of another kind over a file saved in this run is refused, by name or by link.
  fileErrorOf([&] { run.save(dir / "Wilson.dat", FileRole::Report, "report"); }, kSaveOverOutput);
  fs::create_symlink("Wilson.dat", dir / "link.txt");
  fileErrorOf([&] { run.save(dir / "link.txt", FileRole::Report, "report"); }, kSaveOverOutput);
  EXPECT_EQ(readBytes(dir / "Wilson.dat"), "refitted");
}

TEST(RunFiles, TheDesktopForgetsReadsButNotSaves) {
  const TempDir dir;
  writeBytes(dir / "NRTL.dat", "loaded");
  RunFiles run;
  run.noteRead(dir / "NRTL.dat", FileRole::ParameterFile);
  run.save(dir / "Report.txt", FileRole::Report, "first");
  run.forgetReads();
  // A later session's save may now take the file read before, but not Report.txt's back-up.
  run.save(dir / "NRTL.dat", FileRole::Diagram, "a picture");
  fileErrorOf([&] { run.save(dir / "Report.svg", FileRole::Diagram, "drawing"); }, kBackupShared);
  // Russian messages name the kind in Russian.
  try {
    run.checkSave(dir / "Report.txt", FileRole::Pdf);
    ADD_FAILURE() << "no error";
  } catch (const FileError& error) {
    EXPECT_NE(error.message(Language::Russian).find("(отчет, сохраненный ранее"), std::string::npos)
        << error.message(Language::Russian);
  }
}

}  // namespace
}  // namespace bubblix
