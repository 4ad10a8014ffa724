#include "core/io/file_backup.h"

#include <array>
#include <cerrno>
#include <ostream>
#include <streambuf>
#include <system_error>

#include "core/base/errors.h"
#include "core/io/file_errors.h"
#include "core/texts/file_texts.h"

namespace bubblix {
namespace {

using namespace texts;

// Errors of linkTemporary after which a copy serves as the back-up: the file system has no
// hard links, or does not allow this one (another file system, too many links, a file the
// user does not own under protected_hardlinks).
bool hardLinkUnavailable(const std::error_code& error) {
  if (error.category() != std::generic_category()) return false;
  switch (error.value()) {
    case EPERM:
    case EXDEV:
    case EMLINK:
    case ENOTSUP:
    case ENOSYS:
      return true;
    default:
      return false;
  }
}

// The stream of ContentWriter: buffers the content and writes it to the temporary file in
// large pieces; the first failure is kept and every later write refused.
class SaveBuffer : public std::streambuf {
 public:
  SaveBuffer(FileSystem& fs, int handle) : fs_(fs), handle_(handle) {
    setp(buffer_.data(), buffer_.data() + buffer_.size());
  }
  const std::error_code& error() const { return error_; }

 protected:
  int_type overflow(int_type c) override {
    if (!drain()) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
      *pptr() = traits_type::to_char_type(c);
      pbump(1);
    }
    return traits_type::not_eof(c);
  }
  int sync() override { return drain() ? 0 : -1; }
  std::streamsize xsputn(const char* s, std::streamsize n) override {
    // Large pieces go straight to the file.
    if (n >= static_cast<std::streamsize>(buffer_.size())) {
      if (!drain()) return 0;
      error_ = fs_.write(handle_, std::string_view(s, static_cast<std::size_t>(n)));
      return error_ ? 0 : n;
    }
    return std::streambuf::xsputn(s, n);
  }

 private:
  bool drain() {
    if (error_) return false;
    const std::size_t pending = static_cast<std::size_t>(pptr() - pbase());
    if (pending > 0) error_ = fs_.write(handle_, std::string_view(pbase(), pending));
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    return !error_;
  }

  FileSystem& fs_;
  int handle_;
  std::error_code error_;
  std::array<char, 1 << 16> buffer_;
};

// Removes a temporary file on the way out of a failed save; a failure to remove it cannot be
// helped and must not hide the save's own error.
void discardTemporary(FileSystem& fs, const std::string& temporary) {
  [[maybe_unused]] const std::error_code ignored = fs.remove(temporary);
}

// The kinds of path and back-up name the save may touch (step 1). Returns whether the target
// exists.
bool checkTargets(const std::string& path, const std::string& backup, FileSystem& fs) {
  refuseNulInFileName(path);
  if (path.empty())
    throwFileError(kFileNotWritten, {path},
                   std::make_error_code(std::errc::no_such_file_or_directory));
  FileKind kind{};
  if (const std::error_code error = fs.status(path, kind))
    throwFileError(kFileNotExamined, {path}, error);
  if (kind == FileKind::Missing) return false;
  if (kind != FileKind::Regular) throw FileError(kFileNotOrdinary, {path});
  FileKind backupKind{};
  if (const std::error_code error = fs.status(backup, backupKind))
    throwFileError(kFileNotExamined, {backup}, error);
  if (backupKind == FileKind::Directory || backupKind == FileKind::Other)
    throw FileError(kBackupNotOrdinary, {path, backup});
  return true;
}

// Step 3: the back-up name gets the content `path` holds now. Returns the error, with the
// old back-up copy as it was.
std::error_code makeBackup(const std::string& path, const std::string& backup, FileSystem& fs) {
  // A back-up name that is already a second name of the file holds its content; a rename
  // between two names of one file would do nothing and leave the temporary name behind.
  FileIdentity target, oldBackup;
  if (const std::error_code error = fs.identity(path, true, target)) return error;
  if (const std::error_code error = fs.identity(backup, false, oldBackup)) return error;
  if (sameFile(target, oldBackup)) return {};

  const std::string folder = folderOf(backup);
  std::string temporary;
  std::error_code error = fs.linkTemporary(path, folder, temporary);
  if (error && hardLinkUnavailable(error)) {
    int handle = -1;
    error = fs.createTemporary(folder, path, temporary, handle);
    if (error) return error;
    error = fs.copyInto(path, handle);
    if (error) {
      fs.abandon(handle);
    } else {
      error = fs.syncAndClose(handle);
    }
    if (error) {
      discardTemporary(fs, temporary);
      return error;
    }
  }
  if (error) return error;
  if ((error = fs.rename(temporary, backup))) discardTemporary(fs, temporary);
  return error;
}

// Steps 1 to 4 around `fill`, which writes the content to the open temporary file and
// returns the first write error (or throws, giving the save up).
template <class Fill>
void save(const std::string& path, FileSystem& fs, Fill&& fill) {
  const std::string backup = backupName(path);
  const bool exists = checkTargets(path, backup, fs);
  const Text& notWritten = exists ? kFileNotWrittenUnchanged : kFileNotWritten;
  const std::string folder = folderOf(path);

  std::string temporary;
  int handle = -1;
  if (const std::error_code error =
          fs.createTemporary(folder, exists ? path : "", temporary, handle))
    throwFileError(notWritten, {path}, error);
  std::error_code error;
  try {
    error = fill(handle);
  } catch (...) {
    fs.abandon(handle);
    discardTemporary(fs, temporary);
    throw;
  }
  if (error) {
    fs.abandon(handle);
  } else {
    error = fs.syncAndClose(handle);
  }
  if (error) {
    discardTemporary(fs, temporary);
    throwFileError(notWritten, {path}, error);
  }

  if (exists) {
    // The target may have become something else while the content was written.
    FileKind kind{};
    error = fs.status(path, kind);
    if (!error && kind != FileKind::Regular && kind != FileKind::Missing)
      error = notOrdinaryFileError();
    if (!error && kind == FileKind::Regular) {
      if (const std::error_code backupError = makeBackup(path, backup, fs)) {
        discardTemporary(fs, temporary);
        throwFileError(kBackupNotMade, {path, backup}, backupError);
      }
    }
    if (error) {
      discardTemporary(fs, temporary);
      throwFileError(notWritten, {path}, error);
    }
  }
  if ((error = fs.rename(temporary, path))) {
    discardTemporary(fs, temporary);
    if (exists) throwFileError(kFileNotReplaced, {path, backup}, error);
    throwFileError(kFileNotWritten, {path}, error);
  }
  if ((error = fs.syncFolder(folder))) throwFileError(kFolderNotSynced, {path}, error);
}

}  // namespace

std::string backupName(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  // A hidden file's leading full stop belongs to its name.
  const std::size_t searchFrom =
      nameStart < path.size() && path[nameStart] == '.' ? nameStart + 1 : nameStart;
  const std::size_t dot = path.find('.', searchFrom);
  std::string name = (dot == std::string::npos ? path : path.substr(0, dot)) + ".bak";
  if (name == path) name = path + ".bak";
  return name;
}

std::optional<std::string> BackupFile(const std::string& path, FileSystem& fs) {
  std::string backup = backupName(path);
  if (!checkTargets(path, backup, fs)) return std::nullopt;
  if (const std::error_code error = makeBackup(path, backup, fs))
    throwFileError(kBackupNotMade, {path, backup}, error);
  return backup;
}

void saveFileWithBackup(const std::string& path, std::string_view bytes, FileSystem& fs) {
  save(path, fs, [&](int handle) { return fs.write(handle, bytes); });
}

void saveFileWithBackup(const std::string& path, const ContentWriter& write, FileSystem& fs) {
  save(path, fs, [&](int handle) {
    SaveBuffer buffer(fs, handle);
    std::ostream out(&buffer);
    try {
      write(out);
      out.flush();
    } catch (...) {
      // A writer that stops because its stream failed: the stream's reason is the save's.
      if (buffer.error()) return buffer.error();
      throw;
    }
    if (buffer.error()) return buffer.error();
    // A writer that set the stream's failbit itself without a write error.
    if (!out) return std::make_error_code(std::errc::io_error);
    return std::error_code{};
  });
}

}  // namespace bubblix
