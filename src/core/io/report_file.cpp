#include "core/io/report_file.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <system_error>

#include "core/base/errors.h"
#include "core/io/file_backup.h"
#include "core/io/file_errors.h"
#include "core/io/utf8.h"
#include "core/texts/file_texts.h"
#include "core/texts/report_texts.h"

namespace bubblix {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

class Iconv {
 public:
  Iconv(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
  ~Iconv() {
    if (ok()) iconv_close(handle_);
  }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;
  bool ok() const { return handle_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t get() const { return handle_; }

 private:
  iconv_t handle_;
};

}  // namespace

std::string cp1251ToUtf8(std::string_view bytes, const std::string& fileName) {
  const Iconv converter("UTF-8", "CP1251");
  if (!converter.ok()) {
    throw FileError(kCp1251Unavailable, {fileName, std::generic_category().message(errno)});
  }
  // Every Windows-1251 byte becomes at most three UTF-8 bytes.
  std::string out(bytes.size() * 3, '\0');
  char* in = const_cast<char*>(bytes.data());  // iconv's signature; it does not write there
  std::size_t inLeft = bytes.size();
  char* put = out.data();
  std::size_t outLeft = out.size();
  while (inLeft > 0) {
    if (iconv(converter.get(), &in, &inLeft, &put, &outLeft) != static_cast<std::size_t>(-1)) break;
    if (errno != EILSEQ && errno != EINVAL) {
      throw FileError(kCp1251Unavailable, {fileName, std::generic_category().message(errno)});
    }
    // 0x98 is unassigned in Windows-1251.
    std::memcpy(put, kReplacementCharacter.data(), kReplacementCharacter.size());
    put += kReplacementCharacter.size();
    outLeft -= kReplacementCharacter.size();
    ++in;
    --inLeft;
  }
  out.resize(out.size() - outLeft);
  return out;
}

std::vector<std::string> splitReportLines(std::string_view text) {
  const auto isLineEnd = [](char c) { return c == '\r' || c == '\n'; };
  std::size_t ends = 0;
  for (const char c : text)
    ends += isLineEnd(c) ? 1 : 0;
  std::vector<std::string> lines;
  lines.reserve(ends + 1);
  std::size_t start = 0;
  for (std::size_t pos = 0; pos < text.size(); ++pos) {
    if (!isLineEnd(text[pos])) continue;
    lines.emplace_back(text.substr(start, pos - start));
    if (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ++pos;
    start = pos + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::vector<std::string> decodeReportText(std::string_view bytes, const std::string& fileName) {
  if (isValidUtf8(bytes)) {
    if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(kByteOrderMark.size());
    return splitReportLines(bytes);
  }
  return splitReportLines(cp1251ToUtf8(bytes, fileName));
}

std::string reportFileText(const std::vector<std::string>& lines) {
  std::size_t size = 2;
  for (const std::string& line : lines)
    size += line.size() + 2;
  std::string out;
  out.reserve(size + kByteOrderMark.size());
  // The reader drops one leading byte-order mark; a first line that starts with U+FEFF of its
  // own gets one in front so that it is read back whole.
  if (!lines.empty() && lines.front().starts_with(kByteOrderMark)) out += kByteOrderMark;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) out += "\r\n";
    out += lines[i];
  }
  out += "\r\n";
  return out;
}

void saveReport(const std::vector<std::string>& lines, const std::string& path, FileSystem& fs) {
  saveFileWithBackup(path, reportFileText(lines), fs);
}

void saveReport(const std::vector<std::string>& lines, const std::string& path, RunFiles& run,
                FileSystem& fs) {
  run.save(path, FileRole::Report, reportFileText(lines), fs);
}

std::vector<std::string> openReport(const std::string& path, FileSystem& fs) {
  using namespace texts;
  refuseNulInFileName(path);
  FileKind kind{};
  if (const std::error_code error = fs.status(path, kind))
    throwFileError(kFileNotExamined, {path}, error);
  if (kind == FileKind::Missing)
    throwFileError(kFileNotRead, {path},
                   std::make_error_code(std::errc::no_such_file_or_directory));
  if (kind != FileKind::Regular) throw FileError(kFileNotOrdinary, {path});

  std::string bytes;
  if (const std::error_code error = fs.readFile(path, kMaxReportFileBytes, bytes)) {
    if (error == std::errc::file_too_large)
      throw FileError(kFileTooLarge, {path, std::to_string(kMaxReportFileBytes)});
    if (error == notOrdinaryFileError()) throw FileError(kFileNotOrdinary, {path});
    throwFileError(kFileNotRead, {path}, error);
  }
  return decodeReportText(bytes, path);
}

}  // namespace bubblix
