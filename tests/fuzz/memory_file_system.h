#pragma once
// A file system held in memory, for harnesses that save and reopen files thousands of times a
// second. Paths are plain keys: there are no folders.

#include <map>
#include <string>

#include "core/io/file_system.h"

namespace bubblix::fuzz {

class MemoryFileSystem : public FileSystem {
 public:
  std::map<std::string, std::string> files;

  std::error_code status(const std::string& path, FileKind& kind) override {
    kind = files.contains(path) ? FileKind::Regular : FileKind::Missing;
    return {};
  }
  std::error_code readFile(const std::string& path, std::size_t maxBytes,
                           std::string& bytes) override {
    const auto found = files.find(path);
    if (found == files.end()) return std::make_error_code(std::errc::no_such_file_or_directory);
    if (found->second.size() > maxBytes) return std::make_error_code(std::errc::file_too_large);
    bytes = found->second;
    return {};
  }
  std::error_code writeFile(const std::string& path, std::string_view bytes) override {
    files[path] = std::string(bytes);
    return {};
  }
  std::error_code rename(const std::string& from, const std::string& to) override {
    const auto found = files.find(from);
    if (found == files.end()) return std::make_error_code(std::errc::no_such_file_or_directory);
    std::string bytes = std::move(found->second);
    files.erase(found);
    files[to] = std::move(bytes);
    return {};
  }
  std::error_code remove(const std::string& path) override {
    return files.erase(path) ? std::error_code{}
                             : std::make_error_code(std::errc::no_such_file_or_directory);
  }
};

}  // namespace bubblix::fuzz
