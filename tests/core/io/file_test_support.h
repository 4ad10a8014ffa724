#pragma once
// Helpers of the file tests: a temporary folder, file contents, and a file system
// whose operations can be made to fail as a full disk or a refused permission would.

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "core/base/errors.h"
#include "core/io/file_system.h"
#include "core/texts/text.h"

namespace bubblix::testing {

class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "bubblix-report-XXXXXX");
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  std::string operator/(const std::string& name) const { return (path_ / name).string(); }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// Runs `action`, expects a FileError with the given text and a Russian message as well, and
// returns its English message ("" after recording a failure when there is none).
template <typename F>
std::string fileErrorOf(F&& action, const Text& expected) {
  try {
    action();
  } catch (const FileError& error) {
    EXPECT_EQ(&error.text(), &expected) << error.what();
    EXPECT_FALSE(error.message(Language::Russian).empty());
    return error.what();
  }
  ADD_FAILURE() << "no FileError";
  return {};
}

inline void writeBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

inline std::string readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return "<missing>";
  std::string bytes(static_cast<std::size_t>(in.tellg()), '\0');
  in.seekg(0);
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return bytes;
}

// The machine's file system, except for the operations told to fail. writeError fails the
// write that would take the file past failWriteAfter bytes (after writing up to there), as a
// full disk does; renameError fails the renames onto renameTarget (every rename when empty).
class FaultyFileSystem : public FileSystem {
 public:
  std::error_code statusError, readError, createError, writeError, copyError, syncError, linkError,
      renameError, removeError, syncFolderError;
  std::size_t failWriteAfter = 0;
  std::string renameTarget;
  int createCalls = 0, writeCalls = 0, linkCalls = 0, copyCalls = 0, renameCalls = 0;

  std::error_code status(const std::string& path, FileKind& kind) override {
    return statusError ? statusError : real_.status(path, kind);
  }
  std::error_code identity(const std::string& path, bool followLinks, FileIdentity& id) override {
    return real_.identity(path, followLinks, id);
  }
  std::error_code readFile(const std::string& path, std::size_t maxBytes,
                           std::string& bytes) override {
    return readError ? readError : real_.readFile(path, maxBytes, bytes);
  }
  std::error_code createTemporary(const std::string& folder, const std::string& replacing,
                                  std::string& path, int& handle) override {
    ++createCalls;
    if (createError) return createError;
    written_ = 0;
    return real_.createTemporary(folder, replacing, path, handle);
  }
  std::error_code write(int handle, std::string_view bytes) override {
    ++writeCalls;
    if (writeError && written_ + bytes.size() > failWriteAfter) {
      const std::size_t room = failWriteAfter > written_ ? failWriteAfter - written_ : 0;
      if (room > 0) {
        if (const std::error_code error = real_.write(handle, bytes.substr(0, room))) return error;
      }
      written_ += room;
      return writeError;
    }
    written_ += bytes.size();
    return real_.write(handle, bytes);
  }
  std::error_code copyInto(const std::string& from, int handle) override {
    ++copyCalls;
    return copyError ? copyError : real_.copyInto(from, handle);
  }
  std::error_code syncAndClose(int handle) override {
    if (syncError) {
      real_.abandon(handle);
      return syncError;
    }
    return real_.syncAndClose(handle);
  }
  void abandon(int handle) override { real_.abandon(handle); }
  std::error_code linkTemporary(const std::string& existing, const std::string& folder,
                                std::string& path) override {
    ++linkCalls;
    return linkError ? linkError : real_.linkTemporary(existing, folder, path);
  }
  std::error_code rename(const std::string& from, const std::string& to) override {
    ++renameCalls;
    if (renameError && (renameTarget.empty() || renameTarget == to)) return renameError;
    return real_.rename(from, to);
  }
  std::error_code remove(const std::string& path) override {
    return removeError ? removeError : real_.remove(path);
  }
  std::error_code syncFolder(const std::string& folder) override {
    return syncFolderError ? syncFolderError : real_.syncFolder(folder);
  }

 private:
  SystemFileSystem real_;
  std::size_t written_ = 0;
};

inline std::error_code noSpace() {
  return std::make_error_code(std::errc::no_space_on_device);
}
inline std::error_code noPermission() {
  return std::make_error_code(std::errc::permission_denied);
}

}  // namespace bubblix::testing
