#include "core/io/file_backup.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <ostream>

#include "core/base/errors.h"
#include "core/io/file_test_support.h"
#include "core/io/report_file.h"
#include "core/io/temporary_files.h"
#include "core/texts/file_texts.h"

namespace bubblix {
namespace {

using namespace texts;
using testing::FaultyFileSystem;
using testing::fileErrorOf;
using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;
namespace fs = std::filesystem;

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

std::size_t entriesIn(const fs::path& dir) {
  return static_cast<std::size_t>(
      std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

ino_t inodeOf(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 ? info.st_ino : 0;
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
  const ino_t first = inodeOf(file);
  saveReport({"second"}, file);
  EXPECT_EQ(readBytes(dir / "Report.bak"), "first\r\n");
  // The back-up copy is the earlier file itself under a second name, not a copy of it.
  EXPECT_EQ(inodeOf(dir / "Report.bak"), first);
  saveReport({"third"}, file);
  EXPECT_EQ(readBytes(file), "third\r\n");
  EXPECT_EQ(readBytes(dir / "Report.bak"), "second\r\n");

  // BackupFile alone leaves the file as it is.
  EXPECT_EQ(BackupFile(file), dir / "Report.bak");
  EXPECT_EQ(readBytes(file), "third\r\n");
  EXPECT_EQ(readBytes(dir / "Report.bak"), "third\r\n");

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
  EXPECT_EQ(entriesIn(dir.path()), 5u);
}

// One step of the save made to fail, and what must be true afterwards.
struct StepFault {
  const char* Step;
  void (*Arrange)(FaultyFileSystem&, const std::string& file);
  const Text* Message;
  const char* Reason;  // in the English message
};

const StepFault kStepFaults[] = {
    {"temporary file",
     [](FaultyFileSystem& f, const std::string&) { f.createError = testing::noPermission(); },
     &kFileNotWrittenUnchanged, "permission denied"},
    {"content, half-way",
     [](FaultyFileSystem& f, const std::string&) {
       f.writeError = testing::noSpace();
       f.failWriteAfter = 5;
     },
     &kFileNotWrittenUnchanged, "no space left on the device"},
    {"flush to the disk",
     [](FaultyFileSystem& f, const std::string&) {
       f.syncError = std::make_error_code(std::errc::io_error);
     },
     &kFileNotWrittenUnchanged, "input/output error"},
    {"hard link refused",
     [](FaultyFileSystem& f, const std::string&) {
       f.linkError = std::make_error_code(std::errc::read_only_file_system);
     },
     &kBackupNotMade, "read-only file system"},
    {"copy without hard links",
     [](FaultyFileSystem& f, const std::string&) {
       f.linkError = std::make_error_code(std::errc::operation_not_permitted);
       f.copyError = testing::noSpace();
     },
     &kBackupNotMade, "no space left on the device"},
    {"rename over the back-up",
     [](FaultyFileSystem& f, const std::string& file) {
       f.renameError = testing::noPermission();
       f.renameTarget = backupName(file);
     },
     &kBackupNotMade, "permission denied"},
};

TEST(Save, AFailureBeforeTheBackupLeavesFileAndBackupAsTheyWere) {
  const TempDir dir;
  const std::string file = dir / "Report.txt";
  for (const StepFault& fault : kStepFaults) {
    writeBytes(file, "current\r\n");
    writeBytes(dir / "Report.bak", "older\r\n");
    FaultyFileSystem faulty;
    fault.Arrange(faulty, file);
    const std::string message = fileErrorOf(
        [&] {
          saveReport({"new", "lines"}, file, faulty);
        },
        *fault.Message);
    EXPECT_TRUE(contains(message, file)) << fault.Step << ": " << message;
    EXPECT_TRUE(contains(message, fault.Reason)) << fault.Step << ": " << message;
    EXPECT_EQ(readBytes(file), "current\r\n") << fault.Step;
    EXPECT_EQ(readBytes(dir / "Report.bak"), "older\r\n") << fault.Step;
    EXPECT_EQ(entriesIn(dir.path()), 2u) << fault.Step << ": a temporary file is left";
  }
  // A new file that cannot be written leaves nothing, and says nothing of a back-up.
  FaultyFileSystem faulty;
  faulty.writeError = testing::noSpace();
  fileErrorOf([&] { saveReport({"new"}, dir / "New.txt", faulty); }, kFileNotWritten);
  EXPECT_FALSE(fs::exists(dir / "New.txt"));
  EXPECT_EQ(entriesIn(dir.path()), 2u);
}

TEST(Save, TheLastStepsFailingSayWhatIsWhere) {
  const TempDir dir;
  const std::string file = dir / "Report.txt";
  writeBytes(file, "current\r\n");
  writeBytes(dir / "Report.bak", "older\r\n");
  // The rename over the file itself: the file keeps its content, which the back-up holds too.
  FaultyFileSystem faulty;
  faulty.renameError = testing::noPermission();
  faulty.renameTarget = file;
  const std::string message =
      fileErrorOf([&] { saveReport({"new"}, file, faulty); }, kFileNotReplaced);
  EXPECT_EQ(message, "File " + file +
                         " cannot be replaced: permission denied. It keeps its earlier "
                         "content, which is also in its back-up copy " +
                         dir / "Report.bak");
  EXPECT_EQ(readBytes(file), "current\r\n");
  EXPECT_EQ(readBytes(dir / "Report.bak"), "current\r\n");
  EXPECT_EQ(entriesIn(dir.path()), 2u);

  // The folder cannot be flushed: the new content is in place, and the message says so.
  FaultyFileSystem noSync;
  noSync.syncFolderError = std::make_error_code(std::errc::io_error);
  fileErrorOf([&] { saveReport({"new"}, file, noSync); }, kFolderNotSynced);
  EXPECT_EQ(readBytes(file), "new\r\n");
}

TEST(Save, WithoutHardLinksTheBackupIsACopy) {
  const TempDir dir;
  const std::string file = dir / "Report.txt";
  writeBytes(file, "current\r\n");
  for (const std::errc refusal : {std::errc::operation_not_permitted, std::errc::cross_device_link,
                                  std::errc::too_many_links, std::errc::not_supported}) {
    FaultyFileSystem noLinks;
    noLinks.linkError = std::make_error_code(refusal);
    const std::string before = readBytes(file);
    saveReport({"next"}, file, noLinks);
    EXPECT_EQ(noLinks.copyCalls, 1);
    EXPECT_EQ(readBytes(dir / "Report.bak"), before);
    EXPECT_NE(inodeOf(dir / "Report.bak"), inodeOf(file));
  }
  EXPECT_EQ(entriesIn(dir.path()), 2u);
}

TEST(Save, StreamedContentAndAWriterThatGivesUp) {
  const TempDir dir;
  const std::string file = dir / "rows.csv";
  writeBytes(file, "earlier\n");
  // More than the stream's buffer, in small and large pieces.
  const std::string big(200000, 'x');
  saveFileWithBackup(file, [&](std::ostream& out) {
    out << "head\n";
    out.write(big.data(), static_cast<std::streamsize>(big.size()));
    out << "\ntail\n";
  });
  EXPECT_EQ(readBytes(file), "head\n" + big + "\ntail\n");
  EXPECT_EQ(readBytes(dir / "rows.bak"), "earlier\n");

  // The writer refuses its input half-way: its own error passes, nothing changes.
  writeBytes(dir / "rows.bak", "older\n");
  const std::string now = readBytes(file);
  EXPECT_THROW(saveFileWithBackup(file,
                                  [](std::ostream& out) {
                                    out << "half";
                                    throw InputError(kReasonBusy);
                                  }),
               InputError);
  EXPECT_EQ(readBytes(file), now);
  EXPECT_EQ(readBytes(dir / "rows.bak"), "older\n");

  // A writer that stops because its stream failed: the save reports the stream's reason.
  FaultyFileSystem full;
  full.writeError = testing::noSpace();
  full.failWriteAfter = 1000;
  const std::string message = fileErrorOf(
      [&] {
        saveFileWithBackup(
            file,
            [](std::ostream& out) {
              for (int row = 0; row < 100000; ++row) {
                out << "row " << row << '\n';
                if (!out) throw InputError(kReasonBusy);
              }
            },
            full);
      },
      kFileNotWrittenUnchanged);
  EXPECT_TRUE(contains(message, "no space left on the device")) << message;
  EXPECT_EQ(readBytes(file), now);
  EXPECT_EQ(entriesIn(dir.path()), 2u);
}

TEST(Save, TheReplacedFileKeepsItsPermissions) {
  const TempDir dir;
  const std::string file = dir / "Private.txt";
  writeBytes(file, "mine\r\n");
  ASSERT_EQ(::chmod(file.c_str(), 0600), 0);
  saveReport({"still mine"}, file);
  struct stat info {};
  ASSERT_EQ(::stat(file.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0600u);
}

TEST(Save, BackupNamesThatAreSecondNamesOfTheFile) {
  const TempDir dir;
  const std::string file = dir / "Report.txt";
  const std::string backup = dir / "Report.bak";
  // A hard link: the back-up name holds the content already; it keeps it.
  writeBytes(file, "old\r\n");
  fs::create_hard_link(file, backup);
  saveReport({"new"}, file);
  EXPECT_EQ(readBytes(file), "new\r\n");
  EXPECT_EQ(readBytes(backup), "old\r\n");
  EXPECT_EQ(entriesIn(dir.path()), 2u);

  // The file is a symbolic link to its back-up name: the link is replaced, the back-up stays.
  fs::remove(file);
  fs::create_symlink("Report.bak", file);
  saveReport({"newer"}, file);
  EXPECT_EQ(readBytes(file), "newer\r\n");
  EXPECT_EQ(readBytes(backup), "old\r\n");
  EXPECT_FALSE(fs::is_symlink(file));

  // The back-up name is a symbolic link to the file: it becomes the earlier file itself.
  fs::remove(backup);
  fs::create_symlink("Report.txt", backup);
  saveReport({"newest"}, file);
  EXPECT_EQ(readBytes(file), "newest\r\n");
  EXPECT_EQ(readBytes(backup), "newer\r\n");
  EXPECT_FALSE(fs::is_symlink(backup));
  EXPECT_EQ(entriesIn(dir.path()), 2u);
}

TEST(Save, PathsThatFailEvenForRoot) {
  const TempDir dir;
  writeBytes(dir / "plain.txt", "plain\r\n");
  const std::string message =
      fileErrorOf([&] { saveReport({"x"}, dir / "plain.txt/Report.txt"); }, kFileNotWritten);
  EXPECT_TRUE(contains(message, "a part of the path is not a folder")) << message;
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

  // A NUL byte would cut the name to another file's.
  const std::string cut = dir / "plain.txt";
  const std::string named = cut + std::string(1, '\0') + ".new";
  EXPECT_EQ(fileErrorOf([&] { saveReport({"x"}, named); }, kFileNameHoldsNul),
            "The file name \"" + cut + "\\0.new\" holds a NUL byte, which no file name can hold");
  EXPECT_EQ(readBytes(cut), "plain\r\n");
}

TEST(Save, DevicesAreNeverRenamedOrReplaced) {
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
    fileErrorOf([&] { saveReport({"x"}, odd); }, kFileNotOrdinary);
    EXPECT_EQ(system.rename(odd, dir / "moved"), notOrdinaryFileError()) << odd;
    EXPECT_EQ(system.remove(odd), notOrdinaryFileError()) << odd;
    writeBytes(dir / "plain", "p");
    EXPECT_EQ(system.rename(dir / "plain", odd), notOrdinaryFileError()) << odd;
    int handle = -1;
    std::string temporary;
    ASSERT_FALSE(system.createTemporary(dir.path().string(), "", temporary, handle));
    EXPECT_EQ(system.copyInto(odd, handle), notOrdinaryFileError()) << odd;
    system.abandon(handle);
    ASSERT_FALSE(system.remove(temporary));
    struct stat info {};
    ASSERT_EQ(lstat(odd.c_str(), &info), 0);
    EXPECT_FALSE(S_ISREG(info.st_mode)) << odd;
  }
  // A symbolic link to a device is refused as the device; the link stays.
  fs::create_symlink("/dev/full", dir / "link.txt");
  fileErrorOf([&] { saveReport({"x"}, dir / "link.txt"); }, kFileNotOrdinary);
  EXPECT_TRUE(fs::is_symlink(dir / "link.txt"));
}

TEST(Save, SymbolicLinkToAFileIsReplacedWithoutTouchingItsTarget) {
  const TempDir dir;
  writeBytes(dir / "target.txt", "target\r\n");
  fs::create_symlink(dir / "target.txt", dir / "link.txt");
  saveReport({"new"}, dir / "link.txt");
  EXPECT_EQ(readBytes(dir / "target.txt"), "target\r\n");
  EXPECT_EQ(readBytes(dir / "link.bak"), "target\r\n");
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir / "link.txt")));
  EXPECT_EQ(readBytes(dir / "link.txt"), "new\r\n");
}

// Runs `child` in a forked process and returns its wait status.
template <class F>
int inChild(F&& child) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    child();
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return status;
}

TEST(SaveSignals, TerminationDuringASaveRemovesTheTemporaryFile) {
  const TempDir dir;
  const std::string file = dir / "Report.txt";
  writeBytes(file, "current\r\n");
  writeBytes(dir / "Report.bak", "older\r\n");
  for (const int signal : {SIGTERM, SIGINT}) {
    const int status = inChild([&] {
      ::signal(signal, SIG_DFL);
      installFileSignalHandlers();
      saveFileWithBackup(file, [&](std::ostream& out) {
        out << std::string(100000, 'x');
        out.flush();
        ::raise(signal);  // the handler removes the temporary file, then the default action
      });
      ::_exit(3);  // not reached
    });
    ASSERT_TRUE(WIFSIGNALED(status)) << "status " << status;
    EXPECT_EQ(WTERMSIG(status), signal);
    EXPECT_EQ(readBytes(file), "current\r\n");
    EXPECT_EQ(readBytes(dir / "Report.bak"), "older\r\n");
    EXPECT_EQ(entriesIn(dir.path()), 2u) << "signal " << signal;
  }
  // A signal ignored before the program started stays ignored.
  const int ignored = inChild([] {
    ::signal(SIGTERM, SIG_IGN);
    installFileSignalHandlers();
    ::raise(SIGTERM);
  });
  ASSERT_TRUE(WIFEXITED(ignored));
  EXPECT_EQ(WEXITSTATUS(ignored), 0);
}

}  // namespace
}  // namespace bubblix
