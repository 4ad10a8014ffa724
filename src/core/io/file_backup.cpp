#include "core/io/file_backup.h"

#include <system_error>

#include "core/base/errors.h"
#include "core/texts/report_texts.h"

namespace bubblix {
namespace {

void throwFileError(const Text& text, const std::string& path, const std::error_code& error) {
  throw FileError(text, {path, error.message()});
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
  FileKind kind{};
  if (const std::error_code error = fs.status(path, kind))
    throwFileError(kFileNotExamined, path, error);
  if (kind == FileKind::Missing) return std::nullopt;
  if (kind != FileKind::Regular) throw FileError(kFileNotOrdinary, {path});

  std::string backup = backupName(path);
  FileKind backupKind{};
  if (const std::error_code error = fs.status(backup, backupKind))
    throwFileError(kFileNotExamined, backup, error);
  if (backupKind == FileKind::Directory || backupKind == FileKind::Other)
    throw FileError(kBackupNotOrdinary, {path, backup});
  if (backupKind == FileKind::Regular) {
    if (const std::error_code error = fs.remove(backup))
      throw FileError(kBackupNotDeleted, {path, backup, error.message()});
  }
  if (const std::error_code error = fs.rename(path, backup))
    throw FileError(kBackupNotRenamed, {path, backup, error.message()});
  return backup;
}

void saveFileWithBackup(const std::string& path, std::string_view bytes, FileSystem& fs) {
  const std::optional<std::string> backup = BackupFile(path, fs);
  if (const std::error_code error = fs.writeFile(path, bytes)) {
    if (backup) throw FileError(kFileNotWrittenBackupKept, {path, error.message(), *backup});
    throwFileError(kFileNotWritten, path, error);
  }
}

}  // namespace bubblix
