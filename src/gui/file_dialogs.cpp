#include "gui/file_dialogs.h"

#include <QFileDialog>

#include "core/session/dialog_rules.h"
#include "gui/qt_text.h"

namespace bubblix::gui {

QString qtNameFilters(std::string_view filter) {
  QStringList filters;
  for (const FileFilterEntry& entry : parseFileFilter(filter)) {
    QStringList patterns;
    for (const std::string& pattern : entry.Patterns)
      patterns << toQString(pattern);
    filters << toQString(entry.Description) + QStringLiteral(" (") +
                   patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
  }
  return filters.join(QStringLiteral(";;"));
}

std::optional<std::string> runFileDialog(QFileDialog& dialog, const FileRequest& request,
                                         bool save) {
  // Qt's own dialog on every desktop: it behaves the same everywhere.
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.ConfirmOverwrite);
  if (!request.Caption.empty()) dialog.setWindowTitle(displayed(request.Caption));
  dialog.setNameFilters(qtNameFilters(request.Filter).split(QStringLiteral(";;")));
  dialog.setDefaultSuffix(toQString(request.DefaultExt));
  if (!request.InitialDir.empty()) dialog.setDirectory(toQString(request.InitialDir));
  dialog.selectFile(toQString(request.FileName));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty() || chosen.front().isEmpty()) return std::nullopt;
  return withDefaultExtension(toStdString(chosen.front()), request.DefaultExt);
}

std::optional<std::string> chooseFileToOpen(QWidget* parent, const FileRequest& request) {
  QFileDialog fmOpenFile(parent);
  fmOpenFile.setObjectName(QStringLiteral("fmOpenFile"));
  return runFileDialog(fmOpenFile, request, false);
}

std::vector<std::string> chooseFilesToOpen(QWidget* parent, const FileRequest& request) {
  QFileDialog dialog(parent);
  dialog.setObjectName(QStringLiteral("fmOpenFiles"));
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFiles);
  if (!request.Caption.empty()) dialog.setWindowTitle(displayed(request.Caption));
  dialog.setNameFilters(qtNameFilters(request.Filter).split(QStringLiteral(";;")));
  if (!request.InitialDir.empty()) dialog.setDirectory(toQString(request.InitialDir));
  std::vector<std::string> names;
  if (dialog.exec() != QDialog::Accepted) return names;
  for (const QString& chosen : dialog.selectedFiles())
    if (!chosen.isEmpty()) names.push_back(toStdString(chosen));
  return names;
}

std::optional<std::string> chooseFileToSave(QWidget* parent, const FileRequest& request) {
  QFileDialog dialog(parent);
  dialog.setObjectName(QStringLiteral("SaveDialog"));
  return runFileDialog(dialog, request, true);
}

TfmSaveFile::TfmSaveFile(QWidget* dialogParent)
    : dialog_(std::make_unique<QFileDialog>(dialogParent)) {
  setObjectName(QStringLiteral("fmSaveFile"));
  dialog_->setObjectName(QStringLiteral("SaveDialog1"));
}

TfmSaveFile::~TfmSaveFile() = default;

std::optional<std::string> TfmSaveFile::choose(const FileRequest& request) {
  return runFileDialog(*dialog_, request, true);
}

}  // namespace bubblix::gui
