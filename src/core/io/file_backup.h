#pragma once
// The one way Bubblix overwrites a user's file: the previous version is kept as a back-up
// copy, then the new content is written in one piece (FileSystem::writeFile).
//
// Before a file is overwritten its previous version is renamed to the back-up
// name: the file name's own part up to its first full stop, followed by ".bak"
// (Report.txt -> Report.bak, a.b.txt -> a.bak, Report -> Report.bak). Only the last component
// of the path is cut, so a full stop in a folder name never is (my.dir/Report.txt ->
// my.dir/Report.bak). The full stop of a hidden file's name (.notes.txt) is part of the name,
// not a cut point (.notes.bak). A name whose back-up name would be itself (Report.bak) gets
// ".bak" appended instead (Report.bak.bak), so the back-up never deletes the file it saves.
// Only ordinary files are backed up, replaced or deleted: a folder, a device or any other
// kind of file, as target or as old back-up, is refused and left untouched.

#include <optional>
#include <string>
#include <string_view>

#include "core/io/file_system.h"

namespace bubblix {

// The back-up name of a file, by the rule above.
std::string backupName(const std::string& path);

// Makes the back-up copy of `path` before it is overwritten. Returns the back-up name, or
// nothing when there is no file to back up. Throws FileError when `path` or an old back-up is
// not an ordinary file, or when the old back-up cannot be deleted or the file cannot be
// renamed; then nothing has changed except, possibly, a deleted old back-up.
std::optional<std::string> BackupFile(const std::string& path, FileSystem& fs = systemFileSystem());

// Backs `path` up, then writes `bytes` to it. Throws FileError naming the file and the
// system's reason; a failed back-up writes nothing, a failed write leaves the earlier content
// in the back-up copy and names it in the message.
void saveFileWithBackup(const std::string& path, std::string_view bytes,
                        FileSystem& fs = systemFileSystem());

}  // namespace bubblix
