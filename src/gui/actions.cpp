#include "gui/actions.h"

#include <QAction>
#include <QFontDialog>

#include "core/base/errors.h"
#include "core/texts/gui_texts.h"
#include "gui/file_dialogs.h"
#include "gui/message_box.h"
#include "gui/printing.h"
#include "gui/qt_text.h"
#include "gui/report_memo.h"

namespace bubblix::gui {
namespace {

FileRequest fileRequest(const FileDialogRequest& request) {
  FileRequest out;
  out.Filter = request.filter;
  out.DefaultExt = request.defaultExtension;
  out.FileName = request.proposedName;
  out.ConfirmOverwrite = request.confirmOverwrite;
  return out;
}

QAction* makeAction(QObject* parent, const char* name) {
  auto* action = new QAction(parent);
  action->setObjectName(QString::fromLatin1(name));
  return action;
}

}  // namespace

TfmFont::TfmFont(QWidget* dialogParent) : dialog_(std::make_unique<QFontDialog>(dialogParent)) {
  setObjectName(QStringLiteral("fmFont"));
  dialog_->setObjectName(QStringLiteral("FontDialog1"));
  dialog_->setOption(QFontDialog::DontUseNativeDialog, true);
}

TfmFont::~TfmFont() = default;

TfmAction::TfmAction(QWidget* window, TfmSaveFile& saveFile, TfmPrint* print, TfmFont& font,
                     FileSystem& fs)
    : window_(window), saveFile_(saveFile), print_(print), font_(font), files_(*this, fs) {
  setObjectName(QStringLiteral("fmAction"));
  OpenAction = makeAction(this, "OpenAction");
  SavAction = makeAction(this, "SavAction");
  SavAsAction = makeAction(this, "SavAsAction");
  CancAction = makeAction(this, "CancAction");
  PrintAction = makeAction(this, "PrintAction");
  FontAction = makeAction(this, "FontAction");
  AboutAction = makeAction(this, "AboutAction");
  HomePageAction = makeAction(this, "HomePageAction");

  connect(OpenAction, &QAction::triggered, this, &TfmAction::open);
  connect(SavAction, &QAction::triggered, this, &TfmAction::save);
  connect(SavAsAction, &QAction::triggered, this, &TfmAction::saveAs);
  connect(CancAction, &QAction::triggered, this, &TfmAction::exit);
  connect(PrintAction, &QAction::triggered, this, &TfmAction::print);
  connect(FontAction, &QAction::triggered, this, &TfmAction::font);
  connect(AboutAction, &QAction::triggered, this, &TfmAction::about);
  connect(HomePageAction, &QAction::triggered, this, &TfmAction::homePage);
}

TfmAction::~TfmAction() = default;

void TfmAction::setLang(Language lang) {
  files_.Lang = lang;
}

template <typename Action>
bool TfmAction::guarded(Action&& action) {
  try {
    action();
    return true;
  } catch (const Error& error) {
    showErrorBox(window_, error.message(Lang()), Lang());
  }
  return false;
}

void TfmAction::open() {
  if (memo_ == nullptr) return;
  guarded([this] { files_.OpenAction(*memo_); });
}

void TfmAction::save() {
  if (memo_ == nullptr) return;
  guarded([this] { files_.SavAction(*memo_); });
}

void TfmAction::saveAs() {
  if (memo_ == nullptr) return;
  guarded([this] { files_.SavAsAction(*memo_); });
}

bool TfmAction::offerToKeepReport() {
  if (memo_ == nullptr) return true;
  return guarded([this] { files_.CancAction(*memo_); });
}

void TfmAction::exit() {
  if (offerToKeepReport()) emit terminateRequested();
}

void TfmAction::print() {
  if (memo_ == nullptr || print_ == nullptr) return;
  print_->showPrintDialog(window_);
  // Asked whichever button closed the print dialog.
  if (!askYesNoBox(window_, std::string(texts::kPrintQuestion.in(Lang())), Lang())) return;
  guarded([this] { PrintMemo(memo_->lines(), memo_->font(), print_->printer()); });
}

void TfmAction::font() {
  if (memo_ == nullptr) return;
  if (font_.FontDialog1()->exec() == QDialog::Accepted) {
    memo_->setFont(font_.FontDialog1()->selectedFont());
  }
}

void TfmAction::about() {
  TfmAbProgr fmAbProgr(Lang(), window_);
  fmAbProgr.exec();
}

void TfmAction::homePage() {
  openHomePage(window_, Lang(), urlOpener);
}

std::optional<std::string> TfmAction::chooseFileToOpen(const FileDialogRequest& request) {
  return gui::chooseFileToOpen(window_, fileRequest(request));
}

std::optional<std::string> TfmAction::chooseFileToSave(const FileDialogRequest& request) {
  return saveFile_.choose(fileRequest(request));
}

bool TfmAction::askYesNo(std::string_view question) {
  return askYesNoBox(window_, std::string(question), Lang());
}

}  // namespace bubblix::gui
