#include "core/io/run_files.h"

#include <sys/stat.h>
#include <unistd.h>

#include "core/base/errors.h"
#include "core/texts/file_texts.h"

namespace bubblix {
namespace {

using namespace texts;

std::string lastComponent(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The identity of what a name leads to; a name the system cannot follow leads nowhere here
// (the save itself then reports why).
FileIdentity identityOf(const std::string& path, FileSystem& fs) {
  FileIdentity id;
  if (fs.identity(path, true, id)) return {};
  return id;
}

}  // namespace

const Text& fileRoleName(FileRole role) {
  switch (role) {
    case FileRole::Report:
      return kKindReport;
    case FileRole::ParameterFile:
      return kKindParameterFile;
    case FileRole::AnswerScript:
      return kKindAnswerScript;
    case FileRole::BatchInput:
      return kKindBatchInput;
    case FileRole::BatchOutput:
      return kKindBatchOutput;
    case FileRole::Diagram:
      return kKindDiagram;
    case FileRole::Pdf:
      return kKindPdf;
  }
  return kKindReport;
}

void RunFiles::noteRead(const std::string& path, FileRole role, FileSystem& fs) {
  const FileIdentity file = identityOf(path, fs);
  if (file.Exists) read_.push_back({path, role, file});
}

void RunFiles::noteStandardInputRead(FileRole role) {
  struct stat info {};
  if (::fstat(STDIN_FILENO, &info) != 0 || !S_ISREG(info.st_mode)) return;
  read_.push_back(
      {"-",
       role,
       {true, static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)}});
}

void RunFiles::forgetReads() {
  read_.clear();
}

void RunFiles::checkSave(const std::string& path, FileRole role, FileSystem& fs) const {
  if (read_.empty() && saved_.empty()) return;
  const std::string backup = backupName(path);
  const FileIdentity target = identityOf(path, fs);
  const FileIdentity backupFile = identityOf(backup, fs);
  const FileIdentity folder = identityOf(folderOf(path), fs);
  const std::string name = lastComponent(path);
  const std::string backupLast = lastComponent(backup);

  for (const ReadFile& input : read_) {
    const Text* kind = &fileRoleName(input.Role);
    if (input.Role != role && sameFile(target, input.File))
      throw FileError(kSaveOverInput, {path, input.Path}, {kind});
    if (sameFile(backupFile, input.File))
      throw FileError(kBackupOverInput, {path, backup, input.Path}, {kind});
  }
  for (const SavedFile& output : saved_) {
    const Text* kind = &fileRoleName(output.Role);
    const bool sameName = sameFile(folder, output.Folder) && name == output.Name;
    if (output.Role != role && (sameName || sameFile(target, output.File)))
      throw FileError(kSaveOverOutput, {path, output.Path}, {kind});
    if (sameName) continue;  // saved again under its own name: its own back-up copy
    if (sameFile(backupFile, output.File))
      throw FileError(kBackupOverOutput, {path, backup, output.Path}, {kind});
    if (sameFile(folder, output.Folder) && backupLast == output.BackupName)
      throw FileError(kBackupShared, {path, backup, output.Path});
  }
}

void RunFiles::noteSaved(const std::string& path, FileRole role, FileSystem& fs) {
  SavedFile saved{path,
                  role,
                  identityOf(folderOf(path), fs),
                  lastComponent(path),
                  lastComponent(backupName(path)),
                  identityOf(path, fs)};
  for (SavedFile& earlier : saved_) {
    if (sameFile(earlier.Folder, saved.Folder) && earlier.Name == saved.Name) {
      earlier = std::move(saved);
      return;
    }
  }
  saved_.push_back(std::move(saved));
}

void RunFiles::save(const std::string& path, FileRole role, std::string_view bytes,
                    FileSystem& fs) {
  checkSave(path, role, fs);
  saveFileWithBackup(path, bytes, fs);
  noteSaved(path, role, fs);
}

void RunFiles::save(const std::string& path, FileRole role, const ContentWriter& write,
                    FileSystem& fs) {
  checkSave(path, role, fs);
  saveFileWithBackup(path, write, fs);
  noteSaved(path, role, fs);
}

}  // namespace bubblix
