#pragma once
// A file system held in memory, for harnesses that save and reopen files thousands of times a
// second. Paths are plain keys: there are no folders.

#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "core/io/file_system.h"

namespace bubblix::fuzz {

class MemoryFileSystem : public FileSystem {
 public:
  std::map<std::string, std::string> files;

  std::error_code status(const std::string& path, FileKind& kind) override {
    kind = files.contains(path) ? FileKind::Regular : FileKind::Missing;
    return {};
  }
  std::error_code identity(const std::string& path, bool, FileIdentity& id) override {
    const auto found = files.find(path);
    id = {};
    if (found != files.end()) {
      id = {true, 1, static_cast<std::uint64_t>(std::distance(files.begin(), found)) + 1};
    }
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
  std::error_code createTemporary(const std::string& folder, const std::string&, std::string& path,
                                  int& handle) override {
    path = folder + "/.tmp" + std::to_string(next_++);
    files[path].clear();
    handle = static_cast<int>(open_.size());
    open_.push_back(path);
    return {};
  }
  std::error_code write(int handle, std::string_view bytes) override {
    files[open_.at(static_cast<std::size_t>(handle))].append(bytes);
    return {};
  }
  std::error_code copyInto(const std::string& from, int handle) override {
    const auto found = files.find(from);
    if (found == files.end()) return std::make_error_code(std::errc::no_such_file_or_directory);
    return write(handle, found->second);
  }
  std::error_code syncAndClose(int) override { return {}; }
  void abandon(int) override {}
  // No hard links here: the save makes copies.
  std::error_code linkTemporary(const std::string&, const std::string&, std::string&) override {
    return std::make_error_code(std::errc::operation_not_supported);
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
  std::error_code syncFolder(const std::string&) override { return {}; }

 private:
  std::vector<std::string> open_;
  int next_ = 0;
};

}  // namespace bubblix::fuzz
