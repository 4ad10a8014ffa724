#pragma once
// The one way Bubblix saves a file, for every writer of every program (report, parameter
// file, batch results, diagram, PDF): the new content is written completely to a temporary
// file beside the target, the file it replaces is kept as its back-up copy, and only then does
// the new file take the target's name, in one step. At every moment the target's name names
// either the old or the new content, never half of one.
//
// The steps of saveFileWithBackup:
//  1. The target and its back-up name are checked: each must be an ordinary file (or a
//     symbolic link to one) or not exist.
//  2. The content is written to a new temporary file in the target's folder
//     (".bubblix-*.tmp"), every write checked, then flushed to the disk and closed (checked).
//  3. When the target exists, its back-up copy is made: a second name (a hard link) for the
//     target's file under a temporary back-up name, renamed over the back-up name; where the
//     file system has no hard links (or refuses one), a copy written and flushed instead.
//     The old back-up copy is replaced in that one rename.
//  4. The temporary file is renamed over the target, and the folder flushed to the disk.
// When anything fails before the last rename, the target and its old back-up copy are as
// they were and the temporary files are removed; the FileError names the file and the
// system's reason in words. SIGINT and SIGTERM during a save remove the temporary files too
// (temporary_files.h).
//
// The back-up name: the file name's own part up to its first full stop, followed by ".bak"
// (Report.txt -> Report.bak, a.b.txt -> a.bak, Report -> Report.bak). Only the last component
// of the path is cut, so a full stop in a folder name never is (my.dir/Report.txt ->
// my.dir/Report.bak). The full stop of a hidden file's name (.notes.txt) is part of the name,
// not a cut point (.notes.bak). A name whose back-up name would be itself (Report.bak) gets
// ".bak" appended instead (Report.bak.bak), so the back-up never deletes the file it saves.
// Only ordinary files are backed up, replaced or deleted: a folder, a device or any other
// kind of file, as target or as old back-up, is refused and left untouched.
//
// The checks against the other files of a run (an output over an input, two outputs sharing
// a back-up name) are RunFiles::save's, around this routine (run_files.h).

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "core/io/file_system.h"

namespace bubblix {

// The back-up name of a file, by the rule above.
std::string backupName(const std::string& path);

// Step 3 alone: makes the back-up copy of `path`, which stays as it is. Returns the back-up
// name, or nothing when there is no file to back up. Throws FileError when `path` or an old
// back-up is not an ordinary file or the copy cannot be made; the old back-up is then as it
// was.
std::optional<std::string> BackupFile(const std::string& path, FileSystem& fs = systemFileSystem());

// Writes the content of a file being saved to the stream. The stream is the temporary file's:
// a failed write sets its badbit and becomes the save's own error. An exception thrown by the
// writer gives the save up - nothing changes - and is passed on.
using ContentWriter = std::function<void(std::ostream&)>;

// Saves `bytes`, or what `write` writes, as `path`, by the steps above.
void saveFileWithBackup(const std::string& path, std::string_view bytes,
                        FileSystem& fs = systemFileSystem());
void saveFileWithBackup(const std::string& path, const ContentWriter& write,
                        FileSystem& fs = systemFileSystem());

}  // namespace bubblix
