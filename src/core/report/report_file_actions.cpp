#include "core/report/report_file_actions.h"

#include "core/base/errors.h"
#include "core/io/file_errors.h"
#include "core/io/report_file.h"
#include "core/texts/file_texts.h"
#include "core/texts/report_texts.h"

namespace bubblix {

FileRequest ReportFileActions::openRequest() const {
  FileRequest request;
  request.Filter = std::string(kReportFileFilter.in(Lang));
  request.DefaultExt = std::string(kReportDefaultExtension);
  return request;
}

FileRequest ReportFileActions::saveRequest() const {
  FileRequest request = openRequest();
  request.FileName = std::string(kReportProposedName);
  request.ConfirmOverwrite = true;
  return request;
}

bool ReportFileActions::OpenAction(ReportDocument& report) {
  const std::optional<std::string> chosen = ui_.chooseFileToOpen(openRequest());
  if (!chosen) return false;
  FileKind kind{};
  if (const std::error_code error = fs_.status(*chosen, kind))
    throwFileError(texts::kFileNotExamined, {*chosen}, error);
  if (kind == FileKind::Missing) return false;
  // Read completely before anything changes, so a failure leaves the report as it was.
  const std::vector<std::string> lines = openReport(*chosen, fs_);
  report.setLines(lines);
  CurrentFileName = *chosen;
  return true;
}

bool ReportFileActions::SaveReportAs(const ReportDocument& report, std::string& name) {
  const std::optional<std::string> chosen = ui_.chooseFileToSave(saveRequest());
  if (!chosen) return false;
  saveReport(report.lines(), *chosen, *run_, fs_);
  name = *chosen;
  return true;
}

bool ReportFileActions::SavAction(const ReportDocument& report) {
  FileKind kind = FileKind::Missing;
  if (!CurrentFileName.empty()) {
    if (const std::error_code error = fs_.status(CurrentFileName, kind))
      throwFileError(texts::kFileNotExamined, {CurrentFileName}, error);
  }
  if (kind != FileKind::Regular) return SaveReportAs(report, CurrentFileName);
  saveReport(report.lines(), CurrentFileName, *run_, fs_);
  return true;
}

bool ReportFileActions::CancAction(const ReportDocument& report) {
  if (report.lineCount() == 0) return true;
  if (!ui_.askYesNo(kKeepReportQuestion.in(Lang))) return true;
  return SaveReportAs(report, CurrentFileName);
}

}  // namespace bubblix
