#include "cli/diagram_command.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string_view>
#include <system_error>
#include <vector>

#include "cli/cli_texts.h"

namespace bubblix::cli {

namespace {

// The language of a --lang option among the diagram program's arguments, for our message.
Language languageOfArguments(int argc, char** argv) {
  for (int k = 0; k < argc; ++k) {
    const std::string_view argument = argv[k];
    if (argument == "--lang=ru" ||
        (argument == "--lang" && k + 1 < argc && std::string_view(argv[k + 1]) == "ru")) {
      return Language::Russian;
    }
  }
  return Language::English;
}

}  // namespace

std::string diagramProgramPath() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  return (self.parent_path() / kDiagramProgram).string();
}

int runDiagramCommand(int argc, char** argv, std::ostream& err) {
  const Language lang = languageOfArguments(argc, argv);
  const std::string path = diagramProgramPath();
  if (path.empty() || ::access(path.c_str(), X_OK) != 0) {
    printError(err, render(texts::kDiagramNotBuilt, lang, {kDiagramProgram}));
    return kExitFailed;
  }
  std::vector<char*> arguments;
  arguments.push_back(const_cast<char*>(path.c_str()));
  for (int k = 0; k < argc; ++k)
    arguments.push_back(argv[k]);
  arguments.push_back(nullptr);
  std::cout.flush();
  err.flush();
  ::execv(path.c_str(), arguments.data());
  // Only reached when the program could not be started.
  printError(err, render(texts::kDiagramNotStarted, lang, {path, std::strerror(errno)}));
  return kExitFailed;
}

}  // namespace bubblix::cli
