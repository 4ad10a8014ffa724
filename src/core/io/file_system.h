#pragma once
// The few file operations with which Bubblix reads, backs up and writes the user's files.
// Every write goes through this interface, so tests can make any step fail (no space, no
// permission) even when they run as root, where file modes cannot provoke such errors.
//
// Operations report failure by returning the system's error code; the callers turn it into
// an error naming the file.

#include <cstddef>
#include <string>
#include <string_view>
#include <system_error>

namespace bubblix {

enum class FileKind { Missing, Regular, Directory, Other };

// The error a FileSystem returns when asked to write, rename, delete or read something that
// is not an ordinary file (a folder, a device, a pipe, a socket).
std::error_code notOrdinaryFileError();

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // What `path` names, following symbolic links. A path that cannot exist (a missing folder,
  // a parent that is an ordinary file) is Missing; any other failure is returned.
  [[nodiscard]] virtual std::error_code status(const std::string& path, FileKind& kind) = 0;

  // The whole content of an ordinary file; a file larger than maxBytes gives
  // std::errc::file_too_large.
  [[nodiscard]] virtual std::error_code readFile(const std::string& path, std::size_t maxBytes,
                                                 std::string& bytes) = 0;

  // Replaces `path` with a file holding exactly `bytes`. Either the whole new content is in
  // place or the path keeps what it held: a failed write never leaves half a file. Refuses a
  // path that names anything but an ordinary file or a symbolic link.
  [[nodiscard]] virtual std::error_code writeFile(const std::string& path,
                                                  std::string_view bytes) = 0;

  // Renames an ordinary file (or a symbolic link); `to` must not exist or be one as well.
  [[nodiscard]] virtual std::error_code rename(const std::string& from, const std::string& to) = 0;

  // Deletes an ordinary file (or a symbolic link); never a folder or a device.
  [[nodiscard]] virtual std::error_code remove(const std::string& path) = 0;
};

// The file system of the machine (POSIX calls). writeFile writes a temporary file in the
// target's folder, flushes it to the disk, then renames it over the target.
class SystemFileSystem : public FileSystem {
 public:
  std::error_code status(const std::string& path, FileKind& kind) override;
  std::error_code readFile(const std::string& path, std::size_t maxBytes,
                           std::string& bytes) override;
  std::error_code writeFile(const std::string& path, std::string_view bytes) override;
  std::error_code rename(const std::string& from, const std::string& to) override;
  std::error_code remove(const std::string& path) override;
};

// One shared instance for callers that do not inject their own.
FileSystem& systemFileSystem();

}  // namespace bubblix
