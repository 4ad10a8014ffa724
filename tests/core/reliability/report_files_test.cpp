// Bad input and failing writes for report files, beyond the cases of tests/core/report: each
// case checks the message and that the file's earlier content survives, byte for byte.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <random>

#include "core/base/errors.h"
#include "core/io/file_backup.h"
#include "core/io/file_test_support.h"
#include "core/io/report_file.h"
#include "core/texts/file_texts.h"
#include "core/texts/report_texts.h"

namespace bubblix {
namespace {

using Lines = std::vector<std::string>;
using testing::FaultyFileSystem;
using testing::fileErrorOf;
using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;
namespace fs = std::filesystem;
using namespace texts;

// The names in a folder, sorted.
std::vector<std::string> namesIn(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(ReportFileInput, FirstLineStartingWithAByteOrderMarkSurvivesSaveAndOpen) {
  // Found by fuzzing: a file that starts with two byte-order marks opens with the second one
  // at the start of its first line; saved and reopened, the line lost it.
  const TempDir dir;
  writeBytes(dir / "Report.txt", "\xEF\xBB\xBF\xEF\xBB\xBF  t, C\r\n78.35\r\n");
  const Lines lines = openReport(dir / "Report.txt");
  ASSERT_EQ(lines, (Lines{"\xEF\xBB\xBF  t, C", "78.35"}));
  saveReport(lines, dir / "Report.txt");
  EXPECT_EQ(openReport(dir / "Report.txt"), lines);
  EXPECT_EQ(readBytes(dir / "Report.bak"), "\xEF\xBB\xBF\xEF\xBB\xBF  t, C\r\n78.35\r\n");
  // An ordinary report is still written without a byte-order mark.
  EXPECT_EQ(reportFileText({"  t, C"}), "  t, C\r\n");
}

TEST(ReportFileInput, BinaryAndWindows1251FilesOpenAndTheirBytesSurviveASave) {
  const TempDir dir;
  std::mt19937 random(7031);
  std::string binary(1 << 14, '\0');
  for (char& c : binary)
    c = static_cast<char>(random());
  const std::string cp1251 = "\xD1\xEC\xE5\xF1\xFC \xE2\xEE\xE4\xE0\r\n  1,50\r\n";  // "Смесь вода"

  for (const auto& [name, bytes] : {std::pair{"binary.txt", binary}, std::pair{"cp.txt", cp1251}}) {
    writeBytes(dir / name, bytes);
    const Lines lines = openReport(dir / name);
    EXPECT_EQ(readBytes(dir / name), bytes) << name;  // opening changes nothing
    saveReport(lines, dir / name);
    // The earlier bytes are in the back-up exactly; the new file reads as the same lines.
    EXPECT_TRUE(readBytes(backupName(dir / name)) == bytes) << name;
    EXPECT_EQ(openReport(dir / name), lines) << name;
  }
  EXPECT_EQ(openReport(dir / "cp.txt"), (Lines{"Смесь вода", "  1,50"}));
}

// Makes the machine's own writes stop with "File too large" after `limit` bytes, whoever runs
// the test (root included), for its lifetime.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t limit) {
    previousSignal_ = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &previous_);
    rlimit lowered = previous_;
    lowered.rlim_cur = limit;
    active_ = setrlimit(RLIMIT_FSIZE, &lowered) == 0;
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, previousSignal_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  bool active() const { return active_; }

 private:
  rlimit previous_{};
  void (*previousSignal_)(int) = nullptr;
  bool active_ = false;
};

TEST(ReportFileInput, WriteThatFailsHalfWayLeavesTheFileAsItWas) {
  const TempDir dir;
  const std::string file = dir / "Report.txt";
  const std::string old = "old report\r\n";
  writeBytes(file, old);
  writeBytes(dir / "Other.bak", "unrelated back-up\r\n");
  const Lines big(500, std::string(40, 'x'));  // about 21 000 bytes
  {
    const FileSizeLimit limit(4096);
    ASSERT_TRUE(limit.active());
    const std::string message =
        fileErrorOf([&] { saveReport(big, file); }, kFileNotWrittenUnchanged);
    EXPECT_EQ(message, "File " + file +
                           " cannot be written: file too large (the file-size limit is "
                           "reached). The file and its back-up copy are as they were");
    // A new file that cannot be written: nothing to back up, and the old back-up of another
    // name stays as it is.
    fileErrorOf([&] { saveReport(big, dir / "Other.txt"); }, kFileNotWritten);
  }
  EXPECT_EQ(readBytes(file), old);
  EXPECT_EQ(readBytes(dir / "Other.bak"), "unrelated back-up\r\n");
  // No half-written report, no back-up made and no temporary file left behind.
  EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"Other.bak", "Report.txt"}));

  // Without the limit the same save succeeds.
  saveReport(big, file);
  EXPECT_EQ(openReport(file), big);
}

TEST(ReportFileInput, PathsThatCannotBeWrittenEvenByRoot) {
  const TempDir dir;
  writeBytes(dir / "plain.txt", "plain\r\n");
  // A folder that does not exist, a regular file used as a folder (with a trailing slash).
  for (const std::string& path : {dir / "missing/Report.txt", dir / "plain.txt/"}) {
    const std::string message = fileErrorOf([&] { saveReport({"x"}, path); }, kFileNotWritten);
    EXPECT_NE(message.find(path), std::string::npos) << message;
  }
  EXPECT_EQ(readBytes(dir / "plain.txt"), "plain\r\n");
  EXPECT_FALSE(fs::exists(dir / "plain.bak"));

  // An empty name: refused, and nothing appears in the current folder.
  const fs::path here = fs::current_path();
  fs::current_path(dir.path());
  const std::vector<std::string> before = namesIn(dir.path());
  fileErrorOf([&] { saveReport({"x"}, ""); }, kFileNotWritten);
  EXPECT_EQ(namesIn(dir.path()), before);
  fs::current_path(here);
}

TEST(ReportFileInput, AFileThatCannotBeReadEvenByRootGivesTheSystemsReason) {
  // A regular file whose reading fails with an input/output error, whoever reads it.
  const std::string path = "/proc/self/mem";
  struct stat info {};
  if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) GTEST_SKIP() << "no " << path;
  EXPECT_EQ(fileErrorOf([&] { openReport(path); }, kFileNotRead),
            "File /proc/self/mem cannot be read: input/output error");
}

TEST(ReportFileInput, ABackupNameThatLeadsToADeviceIsRefusedAndNothingIsWritten) {
  const TempDir dir;
  writeBytes(dir / "Report.txt", "current\r\n");
  fs::create_symlink("/dev/null", dir / "Report.bak");
  const std::string message =
      fileErrorOf([&] { saveReport({"new"}, dir / "Report.txt"); }, kBackupNotOrdinary);
  EXPECT_NE(message.find(dir / "Report.bak"), std::string::npos) << message;
  EXPECT_EQ(readBytes(dir / "Report.txt"), "current\r\n");
  EXPECT_TRUE(fs::is_symlink(dir / "Report.bak"));
  EXPECT_EQ(fs::read_symlink(dir / "Report.bak"), "/dev/null");
}

}  // namespace
}  // namespace bubblix
