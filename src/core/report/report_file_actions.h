#pragma once
// The Open, Save, Save as and Exit actions on the report, without widgets: the front end
// supplies the file dialogs and the yes/no question through ReportFileUi and shows the
// FileError an action throws.
//
//   Open     asks for a file (filter "Text files|*.txt", extension "txt"); when one is chosen
//            and exists, the report's whole content becomes the file's lines and
//            CurrentFileName the chosen name. A file that cannot be read changes nothing.
//   Save     writes to CurrentFileName when it names an existing ordinary file (the save
//            routine of file_backup.h: the earlier file becomes the back-up copy once the new
//            one is complete); otherwise it behaves as Save as.
//   Save as  asks for a name (proposed "Report", the dialog confirms replacing a file); a
//            cancelled dialog writes nothing; the file is saved, and only a successful save
//            makes the name CurrentFileName.
//   Exit     asks whether to keep the report in a file when it holds at least one line; Yes
//            runs Save as. The caller then ends the program, unless the user cancelled that
//            Save as: the report must not be lost on a Cancel. A failed write throws before
//            that, so the front end shows the error and stays open with the report intact.
//
// Every save is checked against the files of the run (run_files.h): the desktop program hands
// in the run's record, so a report never takes the back-up name of a parameter file saved in a
// session (NRTL.dat, then NRTL.txt).

#include <optional>
#include <string>
#include <string_view>

#include "core/io/file_request.h"
#include "core/io/file_system.h"
#include "core/io/run_files.h"
#include "core/report/report_document.h"
#include "core/texts/text.h"

namespace bubblix {

class ReportFileUi {
 public:
  virtual ~ReportFileUi() = default;
  // The chosen path, or nothing when the user cancels.
  virtual std::optional<std::string> chooseFileToOpen(const FileRequest& request) = 0;
  virtual std::optional<std::string> chooseFileToSave(const FileRequest& request) = 0;
  // A confirmation box with the buttons Yes and No; true for Yes.
  virtual bool askYesNo(std::string_view question) = 0;
};

class ReportFileActions {
 public:
  // run: the files of the run the saves are checked against; without one, those of these
  // actions alone.
  explicit ReportFileActions(ReportFileUi& ui, FileSystem& fs = systemFileSystem(),
                             RunFiles* run = nullptr)
      : ui_(ui), fs_(fs), run_(run != nullptr ? run : &ownRun_) {}
  ReportFileActions(const ReportFileActions&) = delete;
  ReportFileActions& operator=(const ReportFileActions&) = delete;

  Language Lang = Language::NotChosen;  // English when 1, Russian otherwise
  std::string CurrentFileName;          // last opened or written through Save as; empty at start

  // Each returns true when a file was read or written, false when the user cancelled or
  // (Open) the chosen file does not exist; errors throw FileError with nothing changed.
  bool OpenAction(ReportDocument& report);
  bool SavAction(const ReportDocument& report);
  bool SavAsAction(const ReportDocument& report) { return SaveReportAs(report, CurrentFileName); }
  // Asks for a name and writes the report; `name` becomes the chosen name only on success.
  bool SaveReportAs(const ReportDocument& report, std::string& name);
  // Offers to keep the report (see above). True when the program may end: nothing to keep,
  // No, or the report written; false when Yes was followed by a cancelled save dialog.
  bool CancAction(const ReportDocument& report);

  FileRequest openRequest() const;
  FileRequest saveRequest() const;

 private:
  ReportFileUi& ui_;
  FileSystem& fs_;
  RunFiles ownRun_;  // when the front end hands in none
  RunFiles* run_;
};

}  // namespace bubblix
