#pragma once
// The files one run has read and saved - one command of bubblix-cli or bubblix-diagram, or
// the desktop program since its start - so that a save never destroys another of them.
//
// Before anything is written, a save (RunFiles::save) is refused with a message naming both
// files when
//  - the file to be saved is the same file (same device and inode: through hard links and
//    symbolic links alike) as a file read in this run of another kind: a report over a
//    parameter file or an answer script, a parameter file or batch output over a report,
//    batch output over the batch input;
//  - it is the same file as a file of another kind saved earlier in this run;
//  - its back-up name leads to a file read or saved in this run, which the back-up copy would
//    replace;
//  - its back-up name is the back-up name of another file saved earlier in this run (Wilson.dat
//    and Wilson.txt both back up to Wilson.bak): the second back-up would destroy the first.
// Saving a report over the report it was opened from, or a parameter file over one loaded
// earlier, stays allowed (the earlier content becomes the back-up copy as always).
//
// The desktop program forgets what it has read when a session starts (the reads of one
// session or action count); what it has saved counts from start-up.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/io/file_backup.h"
#include "core/io/file_system.h"
#include "core/texts/text.h"

namespace bubblix {

enum class FileRole : std::uint8_t {
  Report,
  ParameterFile,
  AnswerScript,
  BatchInput,
  BatchOutput,
  Diagram,
  Pdf,
};

// The kind's name in messages ("parameter file").
const Text& fileRoleName(FileRole role);

class RunFiles {
 public:
  // A file read as `role`, recorded as the file its name leads to now; a name that leads
  // nowhere is not recorded.
  void noteRead(const std::string& path, FileRole role, FileSystem& fs = systemFileSystem());
  // Standard input read as `role`: recorded when it is an ordinary file (... < FILE).
  void noteStandardInputRead(FileRole role);
  // Forgets the files read (a new session of the desktop program); those saved stay.
  void forgetReads();

  // Throws FileError when saving `path` as `role` is refused by the rules above.
  void checkSave(const std::string& path, FileRole role, FileSystem& fs = systemFileSystem()) const;
  // Records a file just saved.
  void noteSaved(const std::string& path, FileRole role, FileSystem& fs = systemFileSystem());

  // checkSave, the save routine (saveFileWithBackup), noteSaved.
  void save(const std::string& path, FileRole role, std::string_view bytes,
            FileSystem& fs = systemFileSystem());
  void save(const std::string& path, FileRole role, const ContentWriter& write,
            FileSystem& fs = systemFileSystem());

 private:
  struct ReadFile {
    std::string Path;
    FileRole Role;
    FileIdentity File;
  };
  // A saved file is known by its folder and name (saving again makes a new file under the
  // same name) and by the file it was when saved.
  struct SavedFile {
    std::string Path;
    FileRole Role;
    FileIdentity Folder;
    std::string Name;
    std::string BackupName;  // the back-up name's last component, in the same folder
    FileIdentity File;
  };

  std::vector<ReadFile> read_;
  std::vector<SavedFile> saved_;
};

}  // namespace bubblix
