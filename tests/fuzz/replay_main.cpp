// A harness as an ordinary program, for builds without libFuzzer: it feeds every file named
// on the command line, and every file inside the folders named, to the harness once. CTest
// runs it over the seed corpus so that each build, the sanitized one above all, replays what
// the fuzzing found. It fails when there is nothing to replay: a corpus that went missing must
// not pass unnoticed.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz_check.h"

namespace {

std::vector<std::filesystem::path> inputsOf(const std::filesystem::path& path) {
  std::vector<std::filesystem::path> files;
  if (std::filesystem::is_directory(path)) {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path)) {
      if (entry.is_regular_file()) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
  } else if (std::filesystem::is_regular_file(path)) {
    files.push_back(path);
  } else {
    std::fprintf(stderr, "%s: no such file or folder\n", path.c_str());
    std::exit(2);
  }
  return files;
}

}  // namespace

int main(int argc, char** argv) {
  std::size_t count = 0;
  for (int k = 1; k < argc; ++k) {
    for (const std::filesystem::path& file : inputsOf(argv[k])) {
      std::ifstream in(file, std::ios::binary);
      const std::string bytes((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
      if (!in.good() && !in.eof()) {
        std::fprintf(stderr, "%s: cannot be read\n", file.c_str());
        return 2;
      }
      LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
      ++count;
    }
  }
  if (count == 0) {
    std::fprintf(stderr, "no input to replay\n");
    return 2;
  }
  std::printf("%zu inputs replayed\n", count);
  return 0;
}
