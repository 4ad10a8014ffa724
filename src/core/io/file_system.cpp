#include "core/io/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <random>

#include "core/io/temporary_files.h"

namespace bubblix {
namespace {

class FileCategory : public std::error_category {
 public:
  const char* name() const noexcept override { return "bubblix.file"; }
  std::string message(int) const override {
    return "not an ordinary file (a folder, a device, a pipe or the like)";
  }
};

std::error_code lastError() {
  return {errno, std::generic_category()};
}

bool isFileOrLink(const struct stat& info) {
  return S_ISREG(info.st_mode) || S_ISLNK(info.st_mode);
}

// Refuses a path that exists as anything but an ordinary file or a symbolic link. Renaming or
// replacing a device node as root would damage the machine; a folder is never ours to touch.
std::error_code checkReplaceable(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) == 0) {
    return isFileOrLink(info) ? std::error_code{} : notOrdinaryFileError();
  }
  if (errno == ENOENT || errno == ENOTDIR) return {};
  return lastError();
}

std::string temporaryName(const std::string& folder) {
  static std::atomic<unsigned long long> counter{0};
  thread_local std::mt19937_64 random(
      std::random_device{}() ^
      static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count()));
  char suffix[40];
  std::snprintf(suffix, sizeof suffix, "%016llx%llx", static_cast<unsigned long long>(random()),
                counter.fetch_add(1));
  return (folder == "/" ? std::string() : folder) + "/.bubblix-" + suffix + ".tmp";
}

std::error_code writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return lastError();
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return {};
}

// A fresh temporary name is tried again only when another file took the name first.
constexpr int kNameAttempts = 100;

}  // namespace

bool sameFile(const FileIdentity& a, const FileIdentity& b) {
  return a.Exists && b.Exists && a.Device == b.Device && a.Inode == b.Inode;
}

std::error_code notOrdinaryFileError() {
  static const FileCategory category;
  return {1, category};
}

std::string folderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::error_code SystemFileSystem::status(const std::string& path, FileKind& kind) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) {
      kind = FileKind::Missing;
      return {};
    }
    return lastError();
  }
  if (S_ISREG(info.st_mode)) {
    kind = FileKind::Regular;
  } else if (S_ISDIR(info.st_mode)) {
    kind = FileKind::Directory;
  } else {
    kind = FileKind::Other;
  }
  return {};
}

std::error_code SystemFileSystem::identity(const std::string& path, bool followLinks,
                                           FileIdentity& id) {
  struct stat info {};
  const int result = followLinks ? ::stat(path.c_str(), &info) : ::lstat(path.c_str(), &info);
  if (result != 0) {
    id = {};
    if (errno == ENOENT || errno == ENOTDIR) return {};
    return lastError();
  }
  id = {true, static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
  return {};
}

std::error_code SystemFileSystem::readFile(const std::string& path, std::size_t maxBytes,
                                           std::string& bytes) {
  // O_NONBLOCK: opening a pipe must not wait for a writer; it is refused just below.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return lastError();
  std::error_code error;
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    error = lastError();
  } else if (!S_ISREG(info.st_mode)) {
    error = notOrdinaryFileError();
  } else if (static_cast<unsigned long long>(info.st_size) > maxBytes) {
    error = std::make_error_code(std::errc::file_too_large);
  } else {
    std::string content;
    content.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[1 << 16];
    while (true) {
      const ssize_t got = ::read(fd, buffer, sizeof buffer);
      if (got < 0) {
        if (errno == EINTR) continue;
        error = lastError();
        break;
      }
      if (got == 0) break;
      if (content.size() + static_cast<std::size_t>(got) > maxBytes) {  // the file grew
        error = std::make_error_code(std::errc::file_too_large);
        break;
      }
      content.append(buffer, static_cast<std::size_t>(got));
    }
    if (!error) bytes = std::move(content);
  }
  ::close(fd);
  return error;
}

std::error_code SystemFileSystem::createTemporary(const std::string& folder,
                                                  const std::string& replacing, std::string& path,
                                                  int& handle) {
  // The new file keeps the permissions of the one it replaces (a report kept private stays
  // private); a new file gets the usual ones, as the umask allows.
  struct stat old {};
  const bool keepMode =
      !replacing.empty() && ::stat(replacing.c_str(), &old) == 0 && S_ISREG(old.st_mode);

  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const std::string name = temporaryName(folder);
    const SaveSignalsBlocked blocked;
    // A kept mode is set once the file exists, so that the umask does not narrow it and nobody
    // else can open the file before then.
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY,
                          keepMode ? 0600 : 0666);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return lastError();
    }
    listTemporaryFile(name);
    if (keepMode) {
      if (::geteuid() == 0) {
        // Root saving another user's file keeps it theirs; where that is refused, root's.
        [[maybe_unused]] const int ignored = ::fchown(fd, old.st_uid, old.st_gid);
      }
      if (::fchmod(fd, old.st_mode & 07777) != 0) {
        const std::error_code error = lastError();
        ::close(fd);
        ::unlink(name.c_str());
        unlistTemporaryFile(name);
        return error;
      }
    }
    path = name;
    handle = fd;
    return {};
  }
  return std::make_error_code(std::errc::file_exists);
}

std::error_code SystemFileSystem::write(int handle, std::string_view bytes) {
  return writeAll(handle, bytes);
}

std::error_code SystemFileSystem::copyInto(const std::string& from, int handle) {
  const int fd = ::open(from.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return lastError();
  std::error_code error;
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    error = lastError();
  } else if (!S_ISREG(info.st_mode)) {
    error = notOrdinaryFileError();
  } else {
    char buffer[1 << 16];
    while (!error) {
      const ssize_t got = ::read(fd, buffer, sizeof buffer);
      if (got < 0) {
        if (errno == EINTR) continue;
        error = lastError();
      } else if (got == 0) {
        break;
      } else {
        error = writeAll(handle, std::string_view(buffer, static_cast<std::size_t>(got)));
      }
    }
  }
  ::close(fd);
  return error;
}

std::error_code SystemFileSystem::syncAndClose(int handle) {
  std::error_code error;
  if (::fsync(handle) != 0) error = lastError();
  // A file system may report a failed write only when the file is closed (NFS).
  if (::close(handle) != 0 && !error) error = lastError();
  return error;
}

void SystemFileSystem::abandon(int handle) {
  ::close(handle);
}

std::error_code SystemFileSystem::linkTemporary(const std::string& existing,
                                                const std::string& folder, std::string& path) {
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const std::string name = temporaryName(folder);
    const SaveSignalsBlocked blocked;
    // AT_SYMLINK_FOLLOW: the second name is the file's own, not a second symbolic link.
    if (::linkat(AT_FDCWD, existing.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) != 0) {
      if (errno == EEXIST) continue;
      return lastError();
    }
    listTemporaryFile(name);
    path = name;
    return {};
  }
  return std::make_error_code(std::errc::file_exists);
}

std::error_code SystemFileSystem::rename(const std::string& from, const std::string& to) {
  struct stat info {};
  if (::lstat(from.c_str(), &info) != 0) return lastError();
  if (!isFileOrLink(info)) return notOrdinaryFileError();
  if (const std::error_code error = checkReplaceable(to)) return error;
  const SaveSignalsBlocked blocked;
  if (::rename(from.c_str(), to.c_str()) != 0) return lastError();
  unlistTemporaryFile(from);
  return {};
}

std::error_code SystemFileSystem::remove(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) return lastError();
  if (!isFileOrLink(info)) return notOrdinaryFileError();
  const SaveSignalsBlocked blocked;
  if (::unlink(path.c_str()) != 0) return lastError();
  unlistTemporaryFile(path);
  return {};
}

std::error_code SystemFileSystem::syncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return lastError();
  std::error_code error;
  // Some file systems cannot flush a folder at all; there is nothing more to be done then.
  if (::fsync(fd) != 0 && errno != EINVAL && errno != ENOTSUP && errno != EROFS)
    error = lastError();
  ::close(fd);
  return error;
}

FileSystem& systemFileSystem() {
  static SystemFileSystem instance;
  return instance;
}

}  // namespace bubblix
