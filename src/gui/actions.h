#pragma once
// TfmAction: the commands of the main window's menu, tool bar and Exit button on the report
// memo (Open, Save, Save as, Exit, Print, Font, About, HomePage), and TfmFont, the holder of
// the font dialog.

#include <QObject>
#include <memory>
#include <string>

#include "core/io/file_system.h"
#include "core/report/report_file_actions.h"
#include "core/texts/text.h"
#include "gui/about_box.h"

class QAction;
class QFontDialog;
class QWidget;

namespace bubblix::gui {

class ReportMemo;
class TfmPrint;
class TfmSaveFile;

// The holder of FontDialog1. It keeps the last font chosen and starts from it, not from the
// memo's current font.
class TfmFont : public QObject {
  Q_OBJECT

 public:
  explicit TfmFont(QWidget* dialogParent);
  ~TfmFont() override;

  QFontDialog* FontDialog1() const { return dialog_.get(); }

 private:
  std::unique_ptr<QFontDialog> dialog_;
};

class TfmAction : public QObject, private ReportFileUi {
  Q_OBJECT

 public:
  // window: the parent of the dialogs and message boxes. fs: where report files are written.
  // run: the files of the program's run, which a save must not destroy (run_files.h).
  TfmAction(QWidget* window, TfmSaveFile& saveFile, TfmPrint* print, TfmFont& font,
            FileSystem& fs = systemFileSystem(), RunFiles* run = nullptr);
  ~TfmAction() override;

  // The language of the messages (the main frame copies it in).
  void setLang(Language lang);
  Language Lang() const { return files_.Lang; }
  // The report memo (the main window hands it in whenever it is activated).
  void setMemo(ReportMemo* memo) { memo_ = memo; }
  ReportMemo* memo() const { return memo_; }

  const std::string& CurrentFileName() const { return files_.CurrentFileName; }

  // Offers to keep a non-empty report in a file (Exit's question). False when the user
  // answered Yes and then cancelled the save dialog, or when the report could not be
  // written: the program must then stay open with the report.
  bool offerToKeepReport();

  // Starts the browser for the home page; tests put a fake one in.
  UrlOpener urlOpener;

  QAction* OpenAction = nullptr;
  QAction* SavAction = nullptr;
  QAction* SavAsAction = nullptr;
  QAction* CancAction = nullptr;
  QAction* PrintAction = nullptr;
  QAction* FontAction = nullptr;
  QAction* AboutAction = nullptr;
  QAction* HomePageAction = nullptr;

 signals:
  // Exit: the report has been offered for saving; the program ends.
  void terminateRequested();

 private:
  // Open asks first when the report holds unsaved changes: save them, discard them, or
  // cancel the Open.
  void open();
  // True when the report may be replaced: no unsaved changes, the user discarded them, or
  // they were saved.
  bool settleUnsavedChanges();
  // Save; true when the report was written.
  bool saveReport();
  void save();
  void saveAs();
  void exit();
  void print();
  void font();
  void about();
  void homePage();
  // Runs a file action; a FileError is shown in an error box naming the file and the reason.
  template <typename Action>
  bool guarded(Action&& action);

  std::optional<std::string> chooseFileToOpen(const FileRequest& request) override;
  std::optional<std::string> chooseFileToSave(const FileRequest& request) override;
  bool askYesNo(std::string_view question) override;

  QWidget* window_;
  TfmSaveFile& saveFile_;
  TfmPrint* print_;
  TfmFont& font_;
  ReportFileActions files_;
  ReportMemo* memo_ = nullptr;
};

}  // namespace bubblix::gui
