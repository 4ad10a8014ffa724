#include "gui/actions.h"

#include <QAction>
#include <QFontDialog>
#include <QKeySequence>

#include "core/base/errors.h"
#include "core/texts/gui_texts.h"
#include "gui/file_dialogs.h"
#include "gui/message_box.h"
#include "gui/printing.h"
#include "gui/qt_text.h"
#include "gui/report_memo.h"

namespace bubblix::gui {
namespace {

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
                     FileSystem& fs, RunFiles* run)
    : window_(window), saveFile_(saveFile), print_(print), font_(font), files_(*this, fs, run) {
  setObjectName(QStringLiteral("fmAction"));
  OpenAction = makeAction(this, "OpenAction");
  SavAction = makeAction(this, "SavAction");
  SavAsAction = makeAction(this, "SavAsAction");
  CancAction = makeAction(this, "CancAction");
  PrintAction = makeAction(this, "PrintAction");
  FontAction = makeAction(this, "FontAction");
  AboutAction = makeAction(this, "AboutAction");
  HomePageAction = makeAction(this, "HomePageAction");

  // The platform's standard keys; Save as and Exit get the common ones where the platform
  // has none.
  const auto standardKeys = [](QAction* action, QKeySequence::StandardKey key,
                               const QKeySequence& otherwise) {
    const QList<QKeySequence> keys = QKeySequence::keyBindings(key);
    action->setShortcuts(keys.isEmpty() ? QList<QKeySequence>{otherwise} : keys);
  };
  standardKeys(OpenAction, QKeySequence::Open, QKeySequence(Qt::CTRL | Qt::Key_O));
  standardKeys(SavAction, QKeySequence::Save, QKeySequence(Qt::CTRL | Qt::Key_S));
  standardKeys(SavAsAction, QKeySequence::SaveAs, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  standardKeys(PrintAction, QKeySequence::Print, QKeySequence(Qt::CTRL | Qt::Key_P));
  standardKeys(CancAction, QKeySequence::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q));

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
  if (memo_ == nullptr || !settleUnsavedChanges()) return;
  bool opened = false;
  guarded([&] { opened = files_.OpenAction(*memo_); });
  if (opened) memo_->markSaved();
}

bool TfmAction::settleUnsavedChanges() {
  if (!memo_->hasUnsavedChanges()) return true;
  switch (askSaveDiscardCancelBox(window_, std::string(texts::kUnsavedReportQuestion.in(Lang())),
                                  Lang())) {
    case SaveChoice::Save:
      return saveReport();
    case SaveChoice::Discard:
      return true;
    case SaveChoice::Cancel:
      break;
  }
  return false;
}

bool TfmAction::saveReport() {
  bool written = false;
  guarded([&] { written = files_.SavAction(*memo_); });
  if (written) memo_->markSaved();
  return written;
}

void TfmAction::save() {
  if (memo_ == nullptr) return;
  saveReport();
}

void TfmAction::saveAs() {
  if (memo_ == nullptr) return;
  bool written = false;
  guarded([&] { written = files_.SavAsAction(*memo_); });
  if (written) memo_->markSaved();
}

bool TfmAction::offerToKeepReport() {
  if (memo_ == nullptr) return true;
  bool mayEnd = false;
  guarded([&] { mayEnd = files_.CancAction(*memo_); });
  return mayEnd;
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

std::optional<std::string> TfmAction::chooseFileToOpen(const FileRequest& request) {
  return gui::chooseFileToOpen(window_, request);
}

std::optional<std::string> TfmAction::chooseFileToSave(const FileRequest& request) {
  return saveFile_.choose(request);
}

bool TfmAction::askYesNo(std::string_view question) {
  return askYesNoBox(window_, std::string(question), Lang());
}

}  // namespace bubblix::gui
