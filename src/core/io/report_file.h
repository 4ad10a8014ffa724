#pragma once
// Report files as lines of text: reading and writing (the save routine with its back-up copy
// is in file_backup.h).
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
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/io/file_system.h"
#include "core/io/run_files.h"

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

// Saves a report file by the save routine (file_backup.h): the earlier file becomes the back-up
// copy once the new one is complete. With the run's files, the save is checked against them
// first and recorded (run_files.h).
void saveReport(const std::vector<std::string>& lines, const std::string& path,
                FileSystem& fs = systemFileSystem());
void saveReport(const std::vector<std::string>& lines, const std::string& path, RunFiles& run,
                FileSystem& fs = systemFileSystem());

// Reads a report file. Throws FileError naming the file when it is missing, not an ordinary
// file, unreadable or larger than kMaxReportFileBytes.
std::vector<std::string> openReport(const std::string& path, FileSystem& fs = systemFileSystem());

}  // namespace bubblix
