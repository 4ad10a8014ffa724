// The catalogue of file faults: every program that writes a file (bubblix-cli's report,
// parameter file and batch results, bubblix-diagram's pictures, bubblix --print-pdf) run as a
// separate process under a file-size limit, on a full disk, in a read-only folder, with outputs
// that are inputs of the same run by a hard link, a symbolic link or their back-up names, with
// two outputs sharing a back-up name, refused before it has a result, and on a named pipe.
// Each case checks the message and that every file that was there before is byte-identical
// afterwards (no temporary file left either).
//
// The full disk is a small tmpfs mounted in a child process of its own mount namespace
// (unshare(CLONE_NEWNS)); where that is not permitted the cases are skipped with the reason.
// The permission cases run as the unprivileged user 65534 when the tests run as root (file
// modes do not stop root), or are skipped with the reason.

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "cli/cli_process.h"

namespace bubblix::cli_test {
namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, std::string>;

const std::string kExamples = std::string(BUBBLIX_SOURCE_DIR) + "/examples/";
constexpr uid_t kNobody = 65534;

// How a program is run.
struct Child {
  std::string Program = BUBBLIX_CLI_PATH;
  std::vector<std::string> Args;
  std::string Input;                    // standard input
  std::optional<rlim_t> FileSizeLimit;  // ulimit -f, in bytes
  bool Unprivileged = false;            // as user 65534 when run as root
  bool TerminateDuringSave = false;     // SIGTERM once a temporary file of a save is there

  Child& program(std::string path) {
    Program = std::move(path);
    return *this;
  }
  Child& input(std::string bytes) {
    Input = std::move(bytes);
    return *this;
  }
  Child& sizeLimit(rlim_t bytes) {
    FileSizeLimit = bytes;
    return *this;
  }
  Child& unprivileged() {
    Unprivileged = true;
    return *this;
  }
  Child& terminateDuringSave() {
    TerminateDuringSave = true;
    return *this;
  }
};

Child command(std::vector<std::string> args) {
  Child child;
  child.Args = std::move(args);
  return child;
}

struct Outcome {
  int Status = -1;  // exit status, -1 when ended by a signal
  int Signal = 0;
  std::string Out, Err;
};

// Exit statuses of the child before exec, so that the test can say why it could not run.
constexpr int kCannotBecomeNobody = 125;
constexpr int kNobodyCannotRun = 126;

// Runs the program in `folder` and collects its output through pipes (a file-size limit
// does not apply to them).
bool temporaryFileIn(const fs::path& folder) {
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().filename().string().rfind(".bubblix-", 0) == 0) return true;
  }
  return false;
}

Outcome run(const Child& child, const fs::path& folder) {
  // A program that ends without reading all of its input must not end the test.
  ::signal(SIGPIPE, SIG_IGN);
  int in[2], out[2], err[2];
  if (::pipe(in) != 0 || ::pipe(out) != 0 || ::pipe(err) != 0) throw std::runtime_error("pipe");
  const pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("fork");
  if (pid == 0) {
    ::dup2(in[0], 0);
    ::dup2(out[1], 1);
    ::dup2(err[1], 2);
    for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]})
      ::close(fd);
    if (::chdir(folder.c_str()) != 0) ::_exit(127);
    if (child.Unprivileged && ::geteuid() == 0) {
      if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
        ::_exit(kCannotBecomeNobody);
      if (::access(child.Program.c_str(), X_OK) != 0) ::_exit(kNobodyCannotRun);
    }
    if (child.FileSizeLimit) {
      const rlimit limit{*child.FileSizeLimit, *child.FileSizeLimit};
      if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(127);
    }
    // Whatever the test runner does with these signals, the program starts with the defaults.
    ::signal(SIGXFSZ, SIG_DFL);
    ::signal(SIGTERM, SIG_DFL);
    std::vector<char*> argv{const_cast<char*>(child.Program.c_str())};
    for (const std::string& arg : child.Args)
      argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    ::execv(child.Program.c_str(), argv.data());
    ::_exit(127);
  }
  ::close(in[0]);
  ::close(out[1]);
  ::close(err[1]);
  Outcome outcome;
  std::size_t written = 0;
  if (child.Input.empty()) ::close(in[1]);
  const auto start = std::chrono::steady_clock::now();
  bool terminated = false;
  pollfd fds[3] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}, {in[1], POLLOUT, 0}};
  int open = 2;
  while (open > 0) {
    const nfds_t count = written < child.Input.size() ? 3 : 2;
    ::poll(fds, count, 20);
    for (int k = 0; k < 2; ++k) {
      if (fds[k].fd < 0 || !(fds[k].revents & (POLLIN | POLLHUP))) continue;
      char buffer[65536];
      const ssize_t got = ::read(fds[k].fd, buffer, sizeof buffer);
      if (got <= 0) {
        ::close(fds[k].fd);
        fds[k].fd = -1;
        --open;
      } else {
        (k == 0 ? outcome.Out : outcome.Err).append(buffer, static_cast<std::size_t>(got));
      }
    }
    if (count == 3 && (fds[2].revents & (POLLOUT | POLLERR))) {
      const ssize_t put =
          ::write(in[1], child.Input.data() + written, child.Input.size() - written);
      written = put > 0 ? written + static_cast<std::size_t>(put) : child.Input.size();
      // With TerminateDuringSave the input stays open: the program waits for more, mid-save.
      if (written >= child.Input.size() && !child.TerminateDuringSave) ::close(in[1]);
    }
    if (child.TerminateDuringSave && !terminated &&
        (temporaryFileIn(folder) ||
         std::chrono::steady_clock::now() - start > std::chrono::seconds(20))) {
      ::kill(pid, SIGTERM);
      terminated = true;
    }
  }
  if (child.TerminateDuringSave && !child.Input.empty()) ::close(in[1]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  if (WIFEXITED(status)) outcome.Status = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) outcome.Signal = WTERMSIG(status);
  return outcome;
}

// Every file of a folder (not descending) with its bytes; a symbolic link as its target.
Files filesIn(const fs::path& folder) {
  Files files;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (entry.is_symlink()) {
      files[name] = "-> " + fs::read_symlink(entry.path()).string();
    } else if (entry.is_regular_file()) {
      files[name] = readFile(entry.path());
    } else {
      files[name] = "<not a file>";
    }
  }
  return files;
}

void writeFiles(const fs::path& folder, const Files& files) {
  for (const auto& [name, bytes] : files)
    writeFile(folder / name, bytes);
}

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// A finished report file, written once for the cases that need an earlier file of some size.
const std::string& earlierReport() {
  static const std::string report = [] {
    TempFolder folder;
    const Outcome made =
        run(command({"session", "--answers", kExamples + "nrtl-binary.txt", "--report", "r.txt"}),
            folder.path());
    if (made.Status != 0) throw std::runtime_error("the demonstration failed: " + made.Err);
    return readFile(folder.path() / "r.txt");
  }();
  return report;
}

// A binary parameter file, fitted once.
const std::string& wilsonFile() {
  static const std::string file = [] {
    TempFolder folder;
    const Outcome made =
        run(command({"fit", "--model", "wilson", "--components", "1,2", "--save", "W.dat"}),
            folder.path());
    if (made.Status != 0) throw std::runtime_error("the fit failed: " + made.Err);
    return readFile(folder.path() / "W.dat");
  }();
  return file;
}

const std::string kPoints = "task,phase,value,c1\nT,liquid,760,30\nP,vapour,80,40\n";

std::string manyPoints(int count) {
  std::string points = "task,phase,value,c1\n";
  for (int k = 0; k < count; ++k)
    points += "T,liquid,760," + std::to_string(k % 100) + "\n";
  return points;
}

// The earlier files of the output cases: each output and its back-up exist.
Files earlierFiles() {
  return {{"Report.txt", "the earlier report\r\n"},
          {"Report.bak", "the report before it\r\n"},
          {"W.dat", wilsonFile()},
          {"W.bak", "the parameters before\r\n"},
          {"points.csv", kPoints},
          {"res.csv", "the earlier results\n"},
          {"res.bak", "the results before them\n"},
          {"d.svg", "<svg>the earlier drawing</svg>"},
          {"d.bak", "the drawing before it"},
          {"answers.txt", readFile(kExamples + "nrtl-binary.txt")}};
}

bool diagramProgramBuilt() {
  return fs::exists(fs::path(BUBBLIX_CLI_PATH).parent_path() / "bubblix-diagram");
}

// The command of each writer, writing over an earlier file of the folder above.
struct Writer {
  const char* Name;
  std::vector<std::string> Args;
  std::string Output;
  bool NeedsDiagram = false;
};

std::vector<Writer> writers() {
  return {
      {"session --report",
       {"session", "--answers", "answers.txt", "--report", "Report.txt"},
       "Report.txt"},
      {"fit --save",
       {"fit", "--model", "unifac", "--components", "1,2", "--literature", "--save", "W.dat"},
       "W.dat"},
      {"solve --batch --out",
       {"solve", "--params", "W.dat", "--batch", "-", "--out", "res.csv"},
       "res.csv"},
      {"diagram", {"diagram", "--params", "W.dat", "--out", "d.svg"}, "d.svg", true},
  };
}

// ---- A file-size limit ----

TEST(FileFaults, ASizeLimitIsAnErrorAndEveryEarlierFileStays) {
  for (const Writer& writer : writers()) {
    if (writer.NeedsDiagram && !diagramProgramBuilt()) continue;
    TempFolder folder;
    writeFiles(folder.path(), earlierFiles());
    const Files before = filesIn(folder.path());
    // Smaller than every new content.
    const Outcome outcome =
        run(command(writer.Args).input(manyPoints(2000)).sizeLimit(300), folder.path());
    EXPECT_EQ(outcome.Signal, 0) << writer.Name << " killed by signal " << outcome.Signal;
    EXPECT_EQ(outcome.Status, 1) << writer.Name << ": " << outcome.Err;
    EXPECT_TRUE(
        contains(outcome.Err, "File " + writer.Output + " cannot be written: file too large"))
        << writer.Name << ": " << outcome.Err;
    EXPECT_TRUE(contains(outcome.Err, "The file and its back-up copy are as they were"))
        << writer.Name << ": " << outcome.Err;
    EXPECT_EQ(filesIn(folder.path()), before) << writer.Name;
  }
}

TEST(FileFaults, TheDesktopProgramsPdfUnderASizeLimit) {
#ifndef BUBBLIX_DESKTOP_PATH
  GTEST_SKIP() << "the desktop program is not built (BUBBLIX_GUI=OFF)";
#else
  TempFolder folder;
  writeFiles(folder.path(), {{"Report.txt", earlierReport()},
                             {"Report.pdf", "%PDF the earlier one"},
                             {"Report.bak", "before"}});
  const Files before = filesIn(folder.path());
  const Outcome outcome = run(command({"--print-pdf", "Report.txt", "Report.pdf"})
                                  .program(BUBBLIX_DESKTOP_PATH)
                                  .sizeLimit(8000),
                              folder.path());
  EXPECT_EQ(outcome.Status, 1) << outcome.Err;
  EXPECT_TRUE(contains(outcome.Err, "File Report.pdf cannot be written: file too large"))
      << outcome.Err;
  EXPECT_EQ(filesIn(folder.path()), before);
  // The PDF's back-up name is the report's: refused before anything is printed.
  const Outcome overReport =
      run(command({"--print-pdf", "Report.bak", "Report.pdf"}).program(BUBBLIX_DESKTOP_PATH),
          folder.path());
  EXPECT_EQ(overReport.Status, 1);
  EXPECT_TRUE(contains(overReport.Err,
                       "its back-up copy Report.bak would replace Report.bak, the "
                       "report read in this run"))
      << overReport.Err;
  EXPECT_EQ(filesIn(folder.path()), before);
#endif
}

// ---- A full disk ----

// Status files the child in its own mount namespace leaves for the test.
constexpr int kNamespaceRefused = 77;

struct DiskOutcome {
  std::optional<std::string> Skipped;  // why the case could not run here
  Outcome Program;
  Files After;  // the files on the disk afterwards, the filler left out
};

// Runs the program on a tmpfs of its own holding `files`, filled up to `room` free bytes.
DiskOutcome runOnFullDisk(const Child& child, const Files& files, std::size_t room) {
  TempFolder outside;
  const fs::path disk = outside.path() / "disk";
  const fs::path snapshot = outside.path() / "snapshot";
  fs::create_directory(disk);
  fs::create_directory(snapshot);
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (::unshare(CLONE_NEWNS) != 0) ::_exit(kNamespaceRefused);
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
      ::_exit(kNamespaceRefused);
    if (::mount("bubblix-full", disk.c_str(), "tmpfs", 0, "size=1m,mode=0755") != 0)
      ::_exit(kNamespaceRefused);
    writeFiles(disk, files);
    struct statvfs space {};
    if (::statvfs(disk.c_str(), &space) != 0) ::_exit(3);
    const std::size_t free = static_cast<std::size_t>(space.f_bavail) * space.f_frsize;
    if (free > room) writeFile(disk / ".filler", std::string(free - room, 'f'));
    Child program = child;
    const Outcome outcome = run(program, disk);
    writeFile(outside.path() / "out", outcome.Out);
    writeFile(outside.path() / "err", outcome.Err);
    writeFile(outside.path() / "status",
              std::to_string(outcome.Status) + " " + std::to_string(outcome.Signal));
    fs::remove(disk / ".filler");
    for (const auto& [name, bytes] : filesIn(disk))
      writeFile(snapshot / name, bytes);
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  DiskOutcome result;
  if (WIFEXITED(status) && WEXITSTATUS(status) == kNamespaceRefused) {
    result.Skipped = "mounting a tmpfs in a mount namespace of its own is not permitted here (" +
                     std::string(std::strerror(EPERM)) + "; needs CAP_SYS_ADMIN)";
    return result;
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
    throw std::runtime_error("the disk child failed");
  result.Program.Out = readFile(outside.path() / "out");
  result.Program.Err = readFile(outside.path() / "err");
  std::sscanf(readFile(outside.path() / "status").c_str(), "%d %d", &result.Program.Status,
              &result.Program.Signal);
  result.After = filesIn(snapshot);
  return result;
}

TEST(FileFaults, AFullDiskIsAnErrorAndEveryEarlierFileStays) {
  for (const Writer& writer : writers()) {
    if (writer.Name == std::string("fit --save")) continue;  // 10 blocks fit in any room left
    if (writer.NeedsDiagram && !diagramProgramBuilt()) continue;
    const Files before = earlierFiles();
    const DiskOutcome outcome =
        runOnFullDisk(command(writer.Args).input(manyPoints(2000)), before, 4096);
    if (outcome.Skipped) GTEST_SKIP() << *outcome.Skipped;
    EXPECT_EQ(outcome.Program.Status, 1) << writer.Name << ": " << outcome.Program.Err;
    EXPECT_TRUE(
        contains(outcome.Program.Err,
                 "File " + writer.Output + " cannot be written: no space left on the device"))
        << writer.Name << ": " << outcome.Program.Err;
    EXPECT_EQ(outcome.After, before) << writer.Name;
  }
}

// ---- Permissions ----

// Skips when the permission cases cannot run as an unprivileged user here.
std::optional<std::string> unprivilegedRefusal(const Outcome& outcome) {
  if (outcome.Status == kCannotBecomeNobody)
    return "the tests run as root and cannot become the unprivileged user 65534";
  if (outcome.Status == kNobodyCannotRun)
    return "the unprivileged user 65534 cannot run " + std::string(BUBBLIX_CLI_PATH) +
           " (a folder on its path is closed to others)";
  return std::nullopt;
}

// Opens a closed folder again when the case ends, so that it can be removed.
struct ReopenedAtEnd {
  fs::path Folder;
  ~ReopenedAtEnd() {
    std::error_code ignored;
    fs::permissions(Folder, fs::perms::owner_all, ignored);
  }
};

TEST(FileFaults, AReadOnlyFolderAndUnreadableInputsNameTheReason) {
  TempFolder folder;
  fs::permissions(folder.path(), fs::perms::owner_all | fs::perms::group_read |
                                     fs::perms::group_exec | fs::perms::others_read |
                                     fs::perms::others_exec);
  const fs::path closed = folder.path() / "closed";
  fs::create_directory(closed);
  writeFiles(closed, {{"Report.txt", "the earlier report\r\n"},
                      {"Report.bak", "the report before it\r\n"},
                      {"W.dat", wilsonFile()}});
  writeFiles(folder.path(), {{"answers.txt", readFile(kExamples + "nrtl-binary.txt")},
                             {"secret.txt", "variant 1\n"},
                             {"secret.dat", wilsonFile()}});
  const ReopenedAtEnd reopen{closed};
  fs::permissions(closed, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                              fs::perms::group_exec | fs::perms::others_read |
                              fs::perms::others_exec);
  // Closed to everyone; root, who reads them anyway, runs the program as another user.
  fs::permissions(folder.path() / "secret.txt", fs::perms::none);
  fs::permissions(folder.path() / "secret.dat", fs::perms::none);
  const Files before = filesIn(closed);

  const Outcome report =
      run(command({"session", "--answers", "answers.txt", "--report", "closed/Report.txt"})
              .unprivileged(),
          folder.path());
  if (const auto refusal = unprivilegedRefusal(report)) GTEST_SKIP() << *refusal;
  if (::geteuid() != 0 && report.Status == 0)
    GTEST_SKIP() << "this user writes into closed folders";
  EXPECT_EQ(report.Status, 1);
  EXPECT_TRUE(contains(report.Err,
                       "File closed/Report.txt cannot be written: permission denied. "
                       "The file and its back-up copy are as they were"))
      << report.Err;
  const Outcome fit =
      run(command({"fit", "--model", "wilson", "--components", "1,2", "--save", "closed/W.dat"})
              .unprivileged(),
          folder.path());
  EXPECT_EQ(fit.Status, 1);
  EXPECT_TRUE(contains(fit.Err, "File closed/W.dat cannot be written: permission denied"))
      << fit.Err;
  EXPECT_EQ(filesIn(closed), before);

  const Outcome script =
      run(command({"session", "--answers", "secret.txt"}).unprivileged(), folder.path());
  EXPECT_EQ(script.Status, 1);
  EXPECT_TRUE(contains(script.Err, "Answer script secret.txt cannot be read: permission denied"))
      << script.Err;
  const Outcome params =
      run(command({"adequacy", "--params", "secret.dat"}).unprivileged(), folder.path());
  EXPECT_EQ(params.Status, 1);
  EXPECT_TRUE(contains(params.Err, "File secret.dat is not retrieved: permission denied"))
      << params.Err;
}

// ---- Outputs that are inputs of the same run ----

TEST(FileFaults, AnOutputThatIsAnInputByAnyNameIsRefusedBeforeAnythingIsWritten) {
  TempFolder folder;
  writeFiles(folder.path(), earlierFiles());
  fs::create_hard_link(folder.path() / "answers.txt", folder.path() / "hard.txt");
  fs::create_symlink("answers.txt", folder.path() / "soft.txt");
  fs::create_symlink("W.dat", folder.path() / "params.csv");
  const Files before = filesIn(folder.path());
  struct Case {
    std::vector<std::string> Args;
    std::string Message;
  };
  const Case cases[] = {
      {{"session", "--answers", "answers.txt", "--report", "hard.txt"},
       "File hard.txt is not written: it is the same file as answers.txt, the answer script"},
      {{"session", "--answers", "answers.txt", "--report", "soft.txt"},
       "File soft.txt is not written: it is the same file as answers.txt, the answer script"},
      {{"solve", "--params", "W.dat", "--batch", "points.csv", "--out", "params.csv"},
       "File params.csv is not written: it is the same file as W.dat, the parameter file"},
      // The back-up copy of res.csv would be the batch input res.bak.
      {{"solve", "--params", "W.dat", "--batch", "res.bak", "--out", "res.csv"},
       "File res.csv is not written: its back-up copy res.bak would replace res.bak, the batch "
       "input"},
  };
  for (const Case& c : cases) {
    const Outcome outcome = run(command(c.Args), folder.path());
    EXPECT_EQ(outcome.Status, 1) << c.Message;
    EXPECT_TRUE(contains(outcome.Err, c.Message)) << outcome.Err;
    EXPECT_EQ(filesIn(folder.path()), before) << c.Message;
  }
  // A session's report over the parameter file it loaded.
  writeFile(folder.path() / "load.txt", "variant 2\nfile W.dat\nno\nvariant 1\ncancel\n");
  const Files withScript = filesIn(folder.path());
  const Outcome loaded =
      run(command({"session", "--answers", "load.txt", "--report", "W.dat"}), folder.path());
  EXPECT_EQ(loaded.Status, 1);
  EXPECT_TRUE(contains(loaded.Err,
                       "File W.dat is not written: it is the same file as W.dat, the "
                       "parameter file read in this run"))
      << loaded.Err;
  EXPECT_EQ(filesIn(folder.path()), withScript);
}

TEST(FileFaults, TwoOutputsOfOneRunNeverShareABackupName) {
  TempFolder folder;
  writeFiles(folder.path(), {{"Wilson.dat", "the earlier parameters"},
                             {"Wilson.bak", "the parameters before them"},
                             {"Wilson.txt", "the earlier report\r\n"}});
  const Outcome outcome = run(
      command({"session", "--answers", kExamples + "wilson-save.txt", "--report", "Wilson.txt"}),
      folder.path());
  EXPECT_EQ(outcome.Status, 1) << outcome.Err;
  EXPECT_TRUE(contains(outcome.Err,
                       "File Wilson.txt is not written: its back-up copy Wilson.bak "
                       "is also the back-up copy of Wilson.dat, saved earlier in this "
                       "run"))
      << outcome.Err;
  // The parameter file was saved as asked, its back-up is the earlier one, the report stays.
  const Files after = filesIn(folder.path());
  EXPECT_EQ(after.at("Wilson.bak"), "the earlier parameters");
  EXPECT_EQ(after.at("Wilson.txt"), "the earlier report\r\n");
  EXPECT_EQ(after.size(), 3u);
}

// ---- A run refused before it has a result ----

TEST(FileFaults, ARefusedRunChangesNoFile) {
  TempFolder folder;
  writeFiles(folder.path(), earlierFiles());
  writeFile(folder.path() / "wrong.csv", "task,phase,value\nT,liquid,760\n");
  writeFile(folder.path() / "first.txt", "variant 9\n");
  const Files before = filesIn(folder.path());
  for (int time = 0; time < 2; ++time) {
    const Outcome batch =
        run(command({"solve", "--params", "W.dat", "--batch", "wrong.csv", "--out", "res.csv"}),
            folder.path());
    EXPECT_EQ(batch.Status, 1);
    EXPECT_TRUE(contains(batch.Err, "batch input: the header must be")) << batch.Err;
    const Outcome session = run(
        command({"session", "--answers", "first.txt", "--report", "Report.txt"}), folder.path());
    EXPECT_EQ(session.Status, 1);
    EXPECT_TRUE(contains(session.Err, "Report.txt is not written and stays as it was"))
        << session.Err;
    EXPECT_EQ(filesIn(folder.path()), before) << "run " << time + 1;
  }
}

// ---- Named pipes, standard input, signals ----

TEST(FileFaults, APipeWithoutAWriterIsRefusedAndDashReadsStandardInput) {
  TempFolder folder;
  ASSERT_EQ(::mkfifo((folder.path() / "fifo").c_str(), 0600), 0);
  const auto start = std::chrono::steady_clock::now();
  const Outcome fifo = run(command({"session", "--answers", "fifo"}), folder.path());
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_EQ(fifo.Status, 1);
  EXPECT_TRUE(contains(fifo.Err,
                       "fifo is a named pipe that no program is writing to; to read from "
                       "a pipe, give - as the file name"))
      << fifo.Err;
  const Outcome dash = run(command({"session", "--answers", "-", "--report", "r.txt"})
                               .input(readFile(kExamples + "nrtl-binary.txt")),
                           folder.path());
  EXPECT_EQ(dash.Status, 0) << dash.Err;
  EXPECT_EQ(readFile(folder.path() / "r.txt"), earlierReport());
}

TEST(FileFaults, TerminationDuringABatchLeavesTheResultAndNoTemporaryFile) {
  TempFolder folder;
  writeFiles(folder.path(), {{"W.dat", wilsonFile()},
                             {"res.csv", "the earlier results\n"},
                             {"res.bak", "the results before them\n"}});
  const Files before = filesIn(folder.path());
  // The points arrive and the input stays open: SIGTERM comes once the program is inside its
  // save, with its temporary file there.
  const Outcome outcome =
      run(command({"solve", "--params", "W.dat", "--batch", "-", "--out", "res.csv"})
              .input(manyPoints(2000))
              .terminateDuringSave(),
          folder.path());
  EXPECT_EQ(outcome.Signal, SIGTERM) << "status " << outcome.Status << ": " << outcome.Err;
  EXPECT_EQ(filesIn(folder.path()), before);
}

// ---- Messages ----

TEST(FileFaults, MessagesNameTheFileTheReasonAndTheOutcome) {
  TempFolder folder;
  writeFiles(folder.path(), {{"W.dat", wilsonFile()}});
  fs::create_symlink("loop2.dat", folder.path() / "loop1.dat");
  fs::create_symlink("loop1.dat", folder.path() / "loop2.dat");
  const Outcome loop = run(command({"adequacy", "--params", "loop1.dat"}), folder.path());
  EXPECT_EQ(loop.Status, 1);
  EXPECT_TRUE(contains(loop.Err,
                       "File loop1.dat is not retrieved: too many levels of symbolic "
                       "links (a loop of links)"))
      << loop.Err;
  const Outcome folderAsScript = run(command({"session", "--answers", "."}), folder.path());
  EXPECT_EQ(folderAsScript.Status, 1);
  EXPECT_TRUE(contains(folderAsScript.Err, "Answer script . cannot be read: it is a folder"))
      << folderAsScript.Err;
  const Outcome russian =
      run(command({"adequacy", "--params", "loop1.dat", "--lang", "ru"}), folder.path());
  EXPECT_TRUE(contains(russian.Err, "Файл loop1.dat не найден: слишком много уровней"))
      << russian.Err;

  // A session whose parameter file cannot be saved goes on, and ends with exit status 1.
  fs::create_directory(folder.path() / "Wilson.dat");
  const Outcome save =
      run(command({"session", "--answers", kExamples + "wilson-save.txt"}), folder.path());
  EXPECT_EQ(save.Status, 1) << save.Err;
  EXPECT_TRUE(contains(save.Err, "Wilson.dat is not an ordinary file")) << save.Err;
  EXPECT_TRUE(contains(save.Err, "The session could not save a file")) << save.Err;
  EXPECT_TRUE(contains(save.Out, "Equilibrium calculation method Wilson")) << save.Out;

  // A NUL byte in an answer script's file name is refused at its line.
  writeFile(folder.path() / "nul.txt", "variant 2\nfile \"W.dat" + std::string(1, '\0') + "x\"\n");
  const Outcome nul = run(command({"session", "--answers", "nul.txt"}), folder.path());
  EXPECT_EQ(nul.Status, 1);
  EXPECT_TRUE(
      contains(nul.Err, "Answer script line 2: the file name \"W.dat\\0x\" holds a NUL byte"))
      << nul.Err;
}

}  // namespace
}  // namespace bubblix::cli_test
