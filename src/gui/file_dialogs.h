#pragma once
// The open-file and save-file dialogs: TfmOpenFile (one per use), TfmSaveFile (one for the
// whole run, so it keeps the folder last used) and the conversion of the program's filters.

#include <QObject>
#include <QString>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/session/dialogs.h"

class QFileDialog;
class QWidget;

namespace bubblix::gui {

// "Text files|*.txt" as a Qt name filter list: "Text files (*.txt)".
QString qtNameFilters(std::string_view filter);

// Sets the dialog up for the request and runs it; the chosen path (with the default extension
// when the name was typed without one) or nothing when the user cancels.
std::optional<std::string> runFileDialog(QFileDialog& dialog, const FileRequest& request,
                                         bool save);

// A one-use open-file dialog.
std::optional<std::string> chooseFileToOpen(QWidget* parent, const FileRequest& request);
// A one-use open-file dialog of one or more existing files, in the order chosen; none when
// the user cancels.
std::vector<std::string> chooseFilesToOpen(QWidget* parent, const FileRequest& request);
// A one-use save-file dialog (the parameter file's, which leaves fmSaveFile untouched).
std::optional<std::string> chooseFileToSave(QWidget* parent, const FileRequest& request);

// The holder of the report's save-file dialog SaveDialog1.
class TfmSaveFile : public QObject {
  Q_OBJECT

 public:
  explicit TfmSaveFile(QWidget* dialogParent);
  ~TfmSaveFile() override;

  std::optional<std::string> choose(const FileRequest& request);
  QFileDialog* SaveDialog1() const { return dialog_.get(); }

 private:
  std::unique_ptr<QFileDialog> dialog_;
};

}  // namespace bubblix::gui
