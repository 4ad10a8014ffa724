// Report files of any content: the encoding is recognised (UTF-8, else Windows-1251), every
// line is valid UTF-8 without line ends, a file saved is read back as the same lines, and the
// back-up keeps the earlier bytes. The input's first bytes also serve as a path for the
// back-up name.

#include <algorithm>
#include <string>
#include <vector>

#include "core/io/file_backup.h"
#include "core/io/report_file.h"
#include "core/io/utf8.h"
#include "fuzz_check.h"
#include "memory_file_system.h"

namespace {

using bubblix::fuzz::asText;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Number of characters of a valid UTF-8 text.
std::size_t characters(std::string_view text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

void checkBackupName(std::string_view bytes) {
  const std::string path(bytes.substr(0, 256));
  const std::string backup = bubblix::backupName(path);
  FUZZ_CHECK(backup != path);
  FUZZ_CHECK(backup.ends_with(".bak"));
  // The folder part is never cut: the back-up lies beside the file.
  const std::size_t slash = path.rfind('/');
  if (slash != std::string::npos) {
    FUZZ_CHECK(backup.size() > slash && backup.compare(0, slash + 1, path, 0, slash + 1) == 0);
    FUZZ_CHECK(backup.find('/', slash + 1) == std::string::npos);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = asText(data, size);
  const std::vector<std::string> lines = bubblix::decodeReportText(bytes, "fuzz.txt");

  // The lines are the bytes cut at their line ends (a UTF-8 byte-order mark dropped); a file
  // that is not UTF-8 gives one character per byte.
  const bool utf8 = bubblix::isValidUtf8(bytes);
  const std::string_view body = utf8 && bytes.starts_with(kByteOrderMark) ? bytes.substr(3) : bytes;
  const std::vector<std::string> raw = bubblix::splitReportLines(body);
  FUZZ_CHECK(lines.size() == raw.size());
  for (std::size_t k = 0; k < lines.size(); ++k) {
    FUZZ_CHECK(bubblix::isValidUtf8(lines[k]));
    FUZZ_CHECK(lines[k].find_first_of("\r\n") == std::string::npos);
    if (utf8) {
      FUZZ_CHECK(lines[k] == raw[k]);
    } else {
      FUZZ_CHECK(characters(lines[k]) == raw[k].size());
    }
  }

  // Saved and reopened through the file actions: the same lines, the earlier bytes in the
  // back-up copy.
  bubblix::fuzz::MemoryFileSystem files;
  files.files["Report.txt"] = std::string(bytes);
  FUZZ_CHECK(bubblix::openReport("Report.txt", files) == lines);
  bubblix::saveReport(lines, "Report.txt", files);
  FUZZ_CHECK(files.files.at("Report.bak") == bytes);
  FUZZ_CHECK(files.files.at("Report.txt") == bubblix::reportFileText(lines));
  const std::vector<std::string> reread = bubblix::openReport("Report.txt", files);
  if (lines.empty()) {
    FUZZ_CHECK(reread == std::vector<std::string>{""});  // an empty report is saved as one line end
  } else {
    FUZZ_CHECK(reread == lines);
  }

  checkBackupName(bytes);
  return 0;
}
