#pragma once
// Report files: reading, writing and the back-up copy made before a file is overwritten.
//
// Reading. A report file is UTF-8 text (a leading byte-order mark is dropped). A file that is
// not valid UTF-8 is taken to be Windows-1251, the code page of reports written on Russian
// Windows, and converted; its one unassigned byte (0x98) becomes U+FFFD. Any bytes at all,
// binary data included, give some lines and never a failure. Lines end at CR LF, at LF and at
// a lone CR; a line end at the very end of the file does not start another line, so
// "a\r\nb\r\n" holds two lines and "a\r\n\r\n" holds "a" and one empty line. Only ordinary
// files are read (a device or a pipe could block or never end), up to kMaxReportFileBytes.
//
// Writing. The lines joined by CR LF and followed by one CR LF, as UTF-8 (with a byte-order
// mark only when the first line itself starts with U+FEFF, which reading would drop otherwise).
// Lines written then read back give the same lines (for a report of at least one line).
//
// Back-up copy. Before a file is overwritten its previous version is renamed to the back-up
// name: the file name's own part up to its first full stop, followed by ".bak"
// (Report.txt -> Report.bak, a.b.txt -> a.bak, Report -> Report.bak). Only the last component
// of the path is cut, so a full stop in a folder name never is (my.dir/Report.txt ->
// my.dir/Report.bak). The full stop of a hidden file's name (.notes.txt) is part of the name,
// not a cut point (.notes.bak). A name whose back-up name would be itself (Report.bak) gets
// ".bak" appended instead (Report.bak.bak), so the back-up never deletes the file it saves.
// Only ordinary files are backed up, replaced or deleted: a folder, a device or any other
// kind of file, as target or as old back-up, is refused and left untouched.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/io/file_system.h"
#include "core/report/report_document.h"

namespace bubblix {

// Larger files are refused with a clear message instead of exhausting the memory.
inline constexpr std::size_t kMaxReportFileBytes = std::size_t{256} << 20;

// The text as lines, by the reading rules above. fileName only names the file in an error
// (the Windows-1251 conversion missing from the system).
std::vector<std::string> decodeReportText(std::string_view bytes, const std::string& fileName = "");

// Windows-1251 bytes as UTF-8 (glibc iconv).
std::string cp1251ToUtf8(std::string_view bytes, const std::string& fileName = "");

// Splits at CR LF, LF and lone CR; a final line end adds no empty line.
std::vector<std::string> splitReportLines(std::string_view text);

// The bytes of a report file holding these lines.
std::string reportFileText(const std::vector<std::string>& lines);

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

// Writes a report file (back-up first).
void saveReport(const std::vector<std::string>& lines, const std::string& path,
                FileSystem& fs = systemFileSystem());
void saveReport(const ReportDocument& report, const std::string& path,
                FileSystem& fs = systemFileSystem());

// Reads a report file. Throws FileError naming the file when it is missing, not an ordinary
// file, unreadable or larger than kMaxReportFileBytes.
std::vector<std::string> openReport(const std::string& path, FileSystem& fs = systemFileSystem());

}  // namespace bubblix
