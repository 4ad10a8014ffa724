#pragma once
// The few file operations with which Bubblix reads, backs up and saves the user's files.
// Every save goes through this interface (file_backup.h puts the steps together), so tests
// can make any step fail (no space, no permission) even when they run as root, where file
// modes cannot provoke such errors.
//
// Operations report failure by returning the system's error code; the callers turn it into
// an error naming the file.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <system_error>

namespace bubblix {

enum class FileKind { Missing, Regular, Directory, Other };

// Which file a name leads to: two names of one file (hard links, symbolic links) have the same
// identity, two files never do.
struct FileIdentity {
  bool Exists = false;
  std::uint64_t Device = 0;
  std::uint64_t Inode = 0;
};
// True when both exist and are the same file.
bool sameFile(const FileIdentity& a, const FileIdentity& b);

// The error a FileSystem returns when asked to write, rename, delete or read something that
// is not an ordinary file (a folder, a device, a pipe, a socket).
std::error_code notOrdinaryFileError();

// The folder part of a path ("." for a bare name, "/" for a file in the root folder).
std::string folderOf(const std::string& path);

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // What `path` names, following symbolic links. A path that cannot exist (a missing folder,
  // a parent that is an ordinary file) is Missing; any other failure is returned.
  [[nodiscard]] virtual std::error_code status(const std::string& path, FileKind& kind) = 0;

  // The identity of what `path` names: following symbolic links, or of the name itself. A
  // path that cannot exist gives an identity that does not exist, and no error.
  [[nodiscard]] virtual std::error_code identity(const std::string& path, bool followLinks,
                                                 FileIdentity& id) = 0;

  // The whole content of an ordinary file; a file larger than maxBytes gives
  // std::errc::file_too_large.
  [[nodiscard]] virtual std::error_code readFile(const std::string& path, std::size_t maxBytes,
                                                 std::string& bytes) = 0;

  // ---- The steps of a save ----

  // Creates a new, empty file under a name of its own in `folder` (".bubblix-*.tmp") and
  // opens it for writing; `handle` names it in the calls below. It takes the permissions of
  // the ordinary file `replacing` when that is given and exists.
  [[nodiscard]] virtual std::error_code createTemporary(const std::string& folder,
                                                        const std::string& replacing,
                                                        std::string& path, int& handle) = 0;
  // Appends all of `bytes` to the open file, or fails.
  [[nodiscard]] virtual std::error_code write(int handle, std::string_view bytes) = 0;
  // Copies the whole content of the ordinary file `from` into the open file.
  [[nodiscard]] virtual std::error_code copyInto(const std::string& from, int handle) = 0;
  // Flushes the open file to the disk and closes it; the handle is closed even on failure.
  [[nodiscard]] virtual std::error_code syncAndClose(int handle) = 0;
  // Closes an open file whose content is given up (it is removed next).
  virtual void abandon(int handle) = 0;

  // Gives the file that `existing` leads to (through symbolic links) a second name, a new
  // temporary name in `folder` (a hard link). Fails where the file system has no hard links
  // or refuses this one (then a copy serves instead).
  [[nodiscard]] virtual std::error_code linkTemporary(const std::string& existing,
                                                      const std::string& folder,
                                                      std::string& path) = 0;

  // Renames an ordinary file (or a symbolic link) over `to`, which must not exist or be one
  // as well; in one step, so `to` names either its old or its new file throughout.
  [[nodiscard]] virtual std::error_code rename(const std::string& from, const std::string& to) = 0;

  // Deletes an ordinary file (or a symbolic link); never a folder or a device.
  [[nodiscard]] virtual std::error_code remove(const std::string& path) = 0;

  // Flushes the folder's list of names to the disk, so that a rename survives a crash.
  [[nodiscard]] virtual std::error_code syncFolder(const std::string& folder) = 0;
};

// The file system of the machine (POSIX calls). Its temporary files are known to the signal
// handlers of temporary_files.h until they are renamed or removed.
class SystemFileSystem : public FileSystem {
 public:
  std::error_code status(const std::string& path, FileKind& kind) override;
  std::error_code identity(const std::string& path, bool followLinks, FileIdentity& id) override;
  std::error_code readFile(const std::string& path, std::size_t maxBytes,
                           std::string& bytes) override;
  std::error_code createTemporary(const std::string& folder, const std::string& replacing,
                                  std::string& path, int& handle) override;
  std::error_code write(int handle, std::string_view bytes) override;
  std::error_code copyInto(const std::string& from, int handle) override;
  std::error_code syncAndClose(int handle) override;
  void abandon(int handle) override;
  std::error_code linkTemporary(const std::string& existing, const std::string& folder,
                                std::string& path) override;
  std::error_code rename(const std::string& from, const std::string& to) override;
  std::error_code remove(const std::string& path) override;
  std::error_code syncFolder(const std::string& folder) override;
};

// One shared instance for callers that do not inject their own.
FileSystem& systemFileSystem();

}  // namespace bubblix
