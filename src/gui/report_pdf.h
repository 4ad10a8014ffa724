#pragma once
// Printing a report file to a PDF file without a printer and without a window:
//
//   bubblix --print-pdf REPORT.txt OUT.pdf
//
// The report file is read as Open reads it and printed as the Print action prints it, on A4
// portrait in the report's default font; the PDF is saved by the save routine
// (core/io/file_backup.h: complete or not at all, an earlier file kept as its back-up copy). Exit
// status 0 when written, 1 when the report cannot be read or the PDF not written (the message names
// the file), 2 for a wrong command line. Qt's offscreen platform is used unless another one is
// chosen (QT_QPA_PLATFORM), so no display is needed.

#include <ostream>
#include <string>
#include <vector>

namespace bubblix::gui {

inline constexpr const char* kPrintPdfOption = "--print-pdf";

// Whether the command line asks for --print-pdf (it then needs no window).
bool asksForPrintPdf(int argc, char** argv);

// Prints the report file to the PDF file; returns the number of pages. Throws bubblix::Error
// naming the file (a report that cannot be read, a PDF that cannot be written, the same file
// for both).
int printReportToPdf(const std::string& reportFile, const std::string& pdfFile);

// The --print-pdf command: args are the program's arguments after its name. Messages go to
// `err`; returns the exit status.
int runPrintPdfCommand(const std::vector<std::string>& args, std::ostream& err);

}  // namespace bubblix::gui
