#include "core/io/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <random>

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

std::string folderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string temporaryName(const std::string& folder) {
  static std::atomic<unsigned long long> counter{0};
  thread_local std::mt19937_64 random(
      std::random_device{}() ^
      static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count()));
  char suffix[40];
  std::snprintf(suffix, sizeof suffix, "%016llx%llx", static_cast<unsigned long long>(random()),
                counter.fetch_add(1));
  return folder + "/.bubblix-" + suffix + ".tmp";
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

}  // namespace

std::error_code notOrdinaryFileError() {
  static const FileCategory category;
  return {1, category};
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

std::error_code SystemFileSystem::writeFile(const std::string& path, std::string_view bytes) {
  if (const std::error_code error = checkReplaceable(path)) return error;
  const std::string folder = folderOf(path);
  std::string temporary;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temporary = temporaryName(folder);
    fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd < 0 && errno != EEXIST) return lastError();
  }
  if (fd < 0) return lastError();

  std::error_code error = writeAll(fd, bytes);
  if (!error && ::fsync(fd) != 0) error = lastError();
  if (::close(fd) != 0 && !error) error = lastError();
  // The target may have become something else while the data were written.
  if (!error) error = checkReplaceable(path);
  if (!error && ::rename(temporary.c_str(), path.c_str()) != 0) error = lastError();
  if (error) ::unlink(temporary.c_str());
  return error;
}

std::error_code SystemFileSystem::rename(const std::string& from, const std::string& to) {
  struct stat info {};
  if (::lstat(from.c_str(), &info) != 0) return lastError();
  if (!isFileOrLink(info)) return notOrdinaryFileError();
  if (const std::error_code error = checkReplaceable(to)) return error;
  if (::rename(from.c_str(), to.c_str()) != 0) return lastError();
  return {};
}

std::error_code SystemFileSystem::remove(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) return lastError();
  if (!isFileOrLink(info)) return notOrdinaryFileError();
  if (::unlink(path.c_str()) != 0) return lastError();
  return {};
}

FileSystem& systemFileSystem() {
  static SystemFileSystem instance;
  return instance;
}

}  // namespace bubblix
