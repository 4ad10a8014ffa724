#include "core/io/file_backup.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>

#include "core/base/errors.h"
#include "core/io/file_test_support.h"
#include "core/io/report_file.h"
#include "core/texts/report_texts.h"

namespace bubblix {
namespace {

using testing::FaultyFileSystem;
using testing::fileErrorOf;
using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;
namespace fs = std::filesystem;

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(BackupName, CutsTheFileNameAtItsFirstFullStop) {
  EXPECT_EQ(backupName("Report.txt"), "Report.bak");
  EXPECT_EQ(backupName("a.b.txt"), "a.bak");
  EXPECT_EQ(backupName("Report"), "Report.bak");
  EXPECT_EQ(backupName("Report."), "Report.bak");
  EXPECT_EQ(backupName("/home/u/my.dir/Report.txt"), "/home/u/my.dir/Report.bak");
  EXPECT_EQ(backupName("./my.dir/Report"), "./my.dir/Report.bak");
  EXPECT_EQ(backupName("dir/.notes.txt"), "dir/.notes.bak");
  EXPECT_EQ(backupName(".txt"), ".txt.bak");
  EXPECT_EQ(backupName("Report.bak"), "Report.bak.bak");  // never the file itself
}

TEST(Backup, EachSaveKeepsThePreviousContent) {
  const TempDir dir;
  const std::string file = dir / "Report.txt";
  EXPECT_EQ(BackupFile(file), std::nullopt);  // nothing to back up
  EXPECT_FALSE(fs::exists(dir / "Report.bak"));

  saveReport({"first"}, file);
  EXPECT_FALSE(fs::exists(dir / "Report.bak"));
  saveReport({"second"}, file);
  EXPECT_EQ(readBytes(dir / "Report.bak"), "first\r\n");
  saveReport({"third"}, file);
  EXPECT_EQ(readBytes(file), "third\r\n");
  EXPECT_EQ(readBytes(dir / "Report.bak"), "second\r\n");

  // A folder with a full stop, a name without one, a name that is its own back-up name.
  fs::create_directory(dir / "my.dir");
  for (const std::string name : {"my.dir/Report.txt", "my.dir/Report", "Notes.bak"}) {
    saveReport({"one"}, dir / name);
    saveReport({"two"}, dir / name);
    EXPECT_EQ(readBytes(backupName(dir / name)), "one\r\n") << name;
    EXPECT_EQ(readBytes(dir / name), "two\r\n") << name;
  }
  EXPECT_TRUE(fs::is_regular_file(dir / "my.dir/Report.bak"));
  EXPECT_TRUE(fs::is_directory(dir / "my.dir"));
  EXPECT_FALSE(fs::exists(dir / "my.bak"));
  EXPECT_TRUE(fs::is_regular_file(dir / "Notes.bak.bak"));
  // Only the saved files and their back-ups: no temporary file is left behind.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 5);
}

TEST(Backup, FailedWriteKeepsTheOldContentAsTheBackup) {
  const TempDir dir;
  const std::string file = dir / "Report.txt";
  for (const std::error_code& failure : {testing::noSpace(), testing::noPermission()}) {
    writeBytes(file, "old\r\n");
    FaultyFileSystem faulty;
    faulty.writeError = failure;
    const std::string message =
        fileErrorOf([&] { saveReport({"new"}, file, faulty); }, kFileNotWrittenBackupKept);
    EXPECT_TRUE(contains(message, file)) << message;
    EXPECT_TRUE(contains(message, failure.message())) << message;
    EXPECT_TRUE(contains(message, dir / "Report.bak")) << message;
    EXPECT_EQ(readBytes(dir / "Report.bak"), "old\r\n");
  }
  // With nothing to back up the message names only the file.
  FaultyFileSystem faulty;
  faulty.writeError = testing::noSpace();
  fileErrorOf([&] { saveReport({"new"}, dir / "New.txt", faulty); }, kFileNotWritten);
}

TEST(Backup, BackupThatCannotBeMadeWritesNothing) {
  const TempDir dir;
  const std::string file = dir / "Report.txt";
  writeBytes(file, "current\r\n");
  writeBytes(dir / "Report.bak", "older\r\n");

  FaultyFileSystem faulty;
  faulty.removeError = testing::noPermission();
  EXPECT_TRUE(contains(fileErrorOf([&] { saveReport({"new"}, file, faulty); }, kBackupNotDeleted),
                       "Permission denied"));
  EXPECT_EQ(faulty.writeCalls, 0);
  EXPECT_EQ(readBytes(file), "current\r\n");
  EXPECT_EQ(readBytes(dir / "Report.bak"), "older\r\n");

  faulty.removeError = {};
  faulty.renameError = std::make_error_code(std::errc::operation_not_permitted);
  fileErrorOf([&] { saveReport({"new"}, file, faulty); }, kBackupNotRenamed);
  EXPECT_EQ(faulty.writeCalls, 0);
  EXPECT_EQ(readBytes(file), "current\r\n");

  faulty.renameError = {};
  faulty.statusError = std::make_error_code(std::errc::permission_denied);
  fileErrorOf([&] { saveReport({"new"}, file, faulty); }, kFileNotExamined);
  EXPECT_EQ(faulty.writeCalls, 0);
  EXPECT_EQ(readBytes(file), "current\r\n");
}

TEST(Backup, PathsThatFailEvenForRoot) {
  const TempDir dir;
  writeBytes(dir / "plain.txt", "plain\r\n");
  const std::string message =
      fileErrorOf([&] { saveReport({"x"}, dir / "plain.txt/Report.txt"); }, kFileNotWritten);
  EXPECT_TRUE(contains(message, "Not a directory")) << message;
  EXPECT_EQ(readBytes(dir / "plain.txt"), "plain\r\n");

  fs::create_directory(dir / "Report.txt");
  fileErrorOf([&] { saveReport({"x"}, dir / "Report.txt"); }, kFileNotOrdinary);
  EXPECT_TRUE(fs::is_directory(dir / "Report.txt"));
  EXPECT_FALSE(fs::exists(dir / "Report.bak"));

  writeBytes(dir / "Data.txt", "data\r\n");
  fs::create_directory(dir / "Data.bak");
  fileErrorOf([&] { saveReport({"x"}, dir / "Data.txt"); }, kBackupNotOrdinary);
  EXPECT_EQ(readBytes(dir / "Data.txt"), "data\r\n");
  EXPECT_TRUE(fs::is_directory(dir / "Data.bak"));
}

TEST(Backup, DevicesAreNeverRenamedOrReplaced) {
  struct stat before {};
  if (stat("/dev/full", &before) != 0 || !S_ISCHR(before.st_mode)) {
    GTEST_SKIP() << "this machine has no /dev/full device";
  }
  const bool backupExisted = fs::exists("/dev/full.bak");
  fileErrorOf([] { saveReport({"x"}, "/dev/full"); }, kFileNotOrdinary);
  fileErrorOf([] { BackupFile("/dev/full"); }, kFileNotOrdinary);
  struct stat after {};
  ASSERT_EQ(stat("/dev/full", &after), 0);
  EXPECT_TRUE(S_ISCHR(after.st_mode));
  EXPECT_EQ(after.st_rdev, before.st_rdev);
  EXPECT_EQ(fs::exists("/dev/full.bak"), backupExisted);

  // The machine's file system refuses such files by itself too, whoever asks. Tried on a
  // pipe and, when allowed to make one, on a device node of our own.
  const TempDir dir;
  std::vector<std::string> oddFiles{dir / "pipe.txt"};
  ASSERT_EQ(mkfifo(oddFiles[0].c_str(), 0600), 0);
  if (mknod((dir / "full.txt").c_str(), S_IFCHR | 0600, makedev(1, 7)) == 0)
    oddFiles.push_back(dir / "full.txt");
  SystemFileSystem system;
  for (const std::string& odd : oddFiles) {
    EXPECT_EQ(system.writeFile(odd, "x"), notOrdinaryFileError()) << odd;
    EXPECT_EQ(system.rename(odd, dir / "moved"), notOrdinaryFileError()) << odd;
    EXPECT_EQ(system.remove(odd), notOrdinaryFileError()) << odd;
    writeBytes(dir / "plain", "p");
    EXPECT_EQ(system.rename(dir / "plain", odd), notOrdinaryFileError()) << odd;
    struct stat info {};
    ASSERT_EQ(lstat(odd.c_str(), &info), 0);
    EXPECT_FALSE(S_ISREG(info.st_mode)) << odd;
  }
  // A symbolic link to a device is refused as the device; the link stays.
  fs::create_symlink("/dev/full", dir / "link.txt");
  fileErrorOf([&] { saveReport({"x"}, dir / "link.txt"); }, kFileNotOrdinary);
  EXPECT_TRUE(fs::is_symlink(dir / "link.txt"));
}

TEST(Backup, SymbolicLinkToAFileIsBackedUpWithoutTouchingItsTarget) {
  const TempDir dir;
  writeBytes(dir / "target.txt", "target\r\n");
  fs::create_symlink(dir / "target.txt", dir / "link.txt");
  saveReport({"new"}, dir / "link.txt");
  EXPECT_EQ(readBytes(dir / "target.txt"), "target\r\n");
  EXPECT_EQ(readBytes(dir / "link.bak"), "target\r\n");
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir / "link.txt")));
  EXPECT_EQ(readBytes(dir / "link.txt"), "new\r\n");
}

}  // namespace
}  // namespace bubblix
