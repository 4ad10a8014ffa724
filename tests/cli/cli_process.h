#pragma once
// Runs bubblix-cli (or another program) as a child process in a given folder and collects its
// standard output, standard error and exit status.

#include <filesystem>
#include <string>
#include <vector>

namespace bubblix::cli_test {

struct ProcessResult {
  int Status = -1;  // the exit status; -1 when the process did not exit normally
  std::string Out;
  std::string Err;
};

// Runs `program` with `args` in `folder`. Standard output goes to `stdoutPath` when it is not
// empty (for example /dev/full), and is then not collected.
ProcessResult runProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::filesystem::path& folder, const std::string& stdoutPath = "");

// bubblix-cli of this build.
ProcessResult runCli(const std::vector<std::string>& args, const std::filesystem::path& folder);

// A fresh empty folder, removed with its content when the object goes.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::string& text);
// The lines of a text (LF line ends; a final line end adds no line).
std::vector<std::string> lines(const std::string& text);

}  // namespace bubblix::cli_test
