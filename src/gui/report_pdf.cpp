#include "gui/report_pdf.h"

#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <cerrno>
#include <cstring>

#include "core/base/errors.h"
#include "core/io/file_errors.h"
#include "core/io/report_file.h"
#include "core/io/run_files.h"
#include "core/texts/file_texts.h"
#include "core/texts/gui_texts.h"
#include "gui/printing.h"
#include "gui/qt_text.h"
#include "gui/report_memo.h"

namespace bubblix::gui {

bool asksForPrintPdf(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], kPrintPdfOption) == 0) return true;
  }
  return false;
}

namespace {

// A file held in memory (memfd), closed with the object.
class MemoryFile {
 public:
  explicit MemoryFile(const std::string& forFile)
      : fd_(::memfd_create("bubblix-pdf", MFD_CLOEXEC)) {
    if (fd_ < 0)
      throwFileError(texts::kFileNotWritten, {forFile}, {errno, std::generic_category()});
  }
  ~MemoryFile() { ::close(fd_); }
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;

  // A name under which Qt opens the same file.
  QString name() const { return QStringLiteral("/proc/self/fd/%1").arg(fd_); }
  // The content, which must be a whole PDF: Qt does not report a write that failed (the
  // process's file-size limit holds for memory files too), but a PDF cut short lacks its
  // closing "%%EOF".
  std::string pdf(const std::string& forFile) const {
    std::string content = bytes(forFile);
    std::size_t end = content.size();
    while (end > 0 &&
           (content[end - 1] == '\n' || content[end - 1] == '\r' || content[end - 1] == ' '))
      --end;
    if (end >= 5 && content.compare(end - 5, 5, "%%EOF") == 0) return content;
    rlimit limit{};
    const bool atLimit = ::getrlimit(RLIMIT_FSIZE, &limit) == 0 &&
                         limit.rlim_cur != RLIM_INFINITY && content.size() >= limit.rlim_cur;
    struct stat info {};
    const bool exists = ::stat(forFile.c_str(), &info) == 0;
    throwFileError(exists ? texts::kFileNotWrittenUnchanged : texts::kFileNotWritten, {forFile},
                   std::make_error_code(atLimit ? std::errc::file_too_large : std::errc::io_error));
  }

 private:
  std::string bytes(const std::string& forFile) const {
    std::string content;
    char chunk[1 << 16];
    for (off_t at = 0;;) {
      const ssize_t got = ::pread(fd_, chunk, sizeof chunk, at);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0)
        throwFileError(texts::kFileNotWritten, {forFile}, {errno, std::generic_category()});
      if (got == 0) return content;
      content.append(chunk, static_cast<std::size_t>(got));
      at += got;
    }
  }

  int fd_;
};

}  // namespace

int printReportToPdf(const std::string& reportFile, const std::string& pdfFile) {
  const QFileInfo report(toQString(reportFile));
  const QFileInfo pdf(toQString(pdfFile));
  // Printing over the report would destroy it.
  if (pdf.exists() && report.exists() && pdf.canonicalFilePath() == report.canonicalFilePath())
    throw FileError(texts::kPrintPdfSameFile, {reportFile});
  const std::vector<std::string> lines = openReport(reportFile);
  if (lines.empty()) throw FileError(texts::kPrintPdfEmptyReport, {reportFile});
  // Nor may the PDF's back-up copy replace the report (REPORT.bak printed to REPORT.pdf).
  RunFiles files;
  files.noteRead(reportFile, FileRole::Report);
  files.checkSave(pdfFile, FileRole::Pdf);

  // Qt's PDF engine writes to a file of its own and does not report a failed write: it prints
  // into memory, and the one save routine writes the file, checking every step.
  const MemoryFile memory(pdfFile);
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(memory.name());
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageOrientation(QPageLayout::Portrait);
  printer.setDocName(report.fileName());
  int pages = 0;
  try {
    pages = PrintMemo(lines, ReportMemo::defaultFont(), printer);
  } catch (const Error& error) {
    // The printer's name would be the memory file's.
    if (&error.text() == &texts::kPrintFailed) throw Error(texts::kPrintFailed, {pdfFile});
    throw;
  }
  files.save(pdfFile, FileRole::Pdf, memory.pdf(pdfFile));
  return pages;
}

int runPrintPdfCommand(const std::vector<std::string>& args, std::ostream& err) {
  const Language lang = Language::English;
  if (args.size() != 3 || args[0] != kPrintPdfOption) {
    err << render(texts::kPrintPdfUsage, lang) << '\n';
    return 2;
  }
  try {
    printReportToPdf(args[1], args[2]);
  } catch (const Error& error) {
    err << error.message(lang) << '\n';
    return 1;
  }
  return 0;
}

}  // namespace bubblix::gui
