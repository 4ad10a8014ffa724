#include "gui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QBitmap>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QTextDocument>
#include <QTime>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "core/base/errors.h"
#include "core/data/database.h"
#include "core/data/mixture_loading.h"
#include "core/report/consistency_report.h"
#include "core/session/session_state.h"
#include "core/session/user_data_loading.h"
#include "core/texts/fitting_method_texts.h"
#include "core/texts/gui_texts.h"
#include "core/texts/library_texts.h"
#include "core/texts/report_texts.h"
#include "core/texts/residual_texts.h"
#include "gui/actions.h"
#include "gui/consistency_dialog.h"
#include "gui/diagram_window.h"
#include "gui/fitting_method_dialog.h"
#include "gui/loaded_data_window.h"
#include "gui/message_box.h"
#include "gui/qt_dialogs.h"
#include "gui/qt_text.h"
#include "gui/report_memo.h"
#include "gui/residuals_window.h"

namespace bubblix::gui {
namespace {

// Picture indices of the tool buttons in ImageList1.
constexpr int kFontPicture = 0;
constexpr int kOpenPicture = 1;
constexpr int kAboutPicture = 2;
constexpr int kDiagramPicture = 3;
constexpr int kSavePicture = 4;
constexpr int kSaveAsPicture = 5;
constexpr int kPrintPicture = 7;
constexpr int kHomePagePicture = 11;

QToolButton* makeToolButton(QToolBar* bar, const char* name) {
  auto* button = new QToolButton(bar);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::NoFocus);
  bar->addWidget(button);
  return button;
}

void bindButton(QToolButton* button, QAction* action) {
  QObject::connect(button, &QToolButton::clicked, action, &QAction::trigger);
}

QString text(const Text& t, Language lang) {
  return displayed(t, lang);
}

// A button glyph from a bitmap: the colour of its bottom-left pixel is transparent.
QIcon glyphIcon(const QImage& image) {
  QPixmap pixmap = QPixmap::fromImage(image);
  pixmap.setMask(
      pixmap.createMaskFromColor(QColor(image.pixel(0, image.height() - 1)), Qt::MaskInColor));
  return QIcon(pixmap);
}

}  // namespace

// ---- TfrMainForm ----

TfrMainForm::TfrMainForm(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("frMainForm1"));

  ImageList1[kFontPicture] = QIcon(QStringLiteral(":/bubblix/icons/font.svg"));
  ImageList1[kOpenPicture] = QIcon(QStringLiteral(":/bubblix/icons/open.svg"));
  ImageList1[kAboutPicture] = QIcon(QStringLiteral(":/bubblix/icons/about.svg"));
  ImageList1[kSavePicture] = QIcon(QStringLiteral(":/bubblix/icons/save.svg"));
  ImageList1[kSaveAsPicture] = QIcon(QStringLiteral(":/bubblix/icons/save-as.svg"));
  ImageList1[kPrintPicture] = QIcon(QStringLiteral(":/bubblix/icons/print.svg"));
  ImageList1[kHomePagePicture] = QIcon(QStringLiteral(":/bubblix/icons/home.svg"));
  ImageList1[kDiagramPicture] = QIcon(QStringLiteral(":/bubblix/icons/diagram.svg"));

  frMainMenu1 = new QMenuBar(this);
  frMainMenu1->setObjectName(QStringLiteral("frMainMenu1"));
  File1 = new QMenu(frMainMenu1);
  File1->setObjectName(QStringLiteral("File1"));
  File1->setTitle(text(texts::kFileMenu, Language::English));

  ToolBar1 = new QToolBar(this);
  ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
  ToolBar1->setWindowTitle(text(texts::kToolBarCaption, Language::English));
  ToolBar1->setMovable(true);
  ToolBar1->setFloatable(true);
  ToolBar1->setIconSize(QSize(24, 24));
  ToolBtnOpen = makeToolButton(ToolBar1, "ToolBtnOpen");
  ToolBtnSave = makeToolButton(ToolBar1, "ToolBtnSave");
  ToolBtnSaveAs = makeToolButton(ToolBar1, "ToolBtnSaveAs");
  ToolBtnFont = makeToolButton(ToolBar1, "ToolBtnFont");
  ToolBtnPrint = makeToolButton(ToolBar1, "ToolBtnPrint");
  ToolBtnAbout = makeToolButton(ToolBar1, "ToolBtnAbout");
  ToolBtnHomePage = makeToolButton(ToolBar1, "ToolBtnHomePage");
  ToolBar1->addSeparator();
  Data1 = new QMenu(frMainMenu1);
  Data1->setObjectName(QStringLiteral("Data1"));
  Data1->setTitle(text(texts::kDataMenu, Language::English));
  ConsistencyAction = new QAction(this);
  ConsistencyAction->setObjectName(QStringLiteral("ConsistencyAction"));
  ConsistencyAction->setText(text(texts::kCheckConsistencyAction, Language::English));
  Data1->addAction(ConsistencyAction);
  Data1->addSeparator();
  const auto dataAction = [this](const char* name, const Text& caption, const QKeySequence& key) {
    auto* action = new QAction(this);
    action->setObjectName(QString::fromLatin1(name));
    action->setText(text(caption, Language::English));
    action->setShortcut(key);
    Data1->addAction(action);
    return action;
  };
  LoadComponentsAction = dataAction("LoadComponentsAction", texts::kLoadComponentsAction,
                                    QKeySequence(Qt::CTRL | Qt::Key_L));
  LoadDataSetAction = dataAction("LoadDataSetAction", texts::kLoadDataSetAction,
                                 QKeySequence(Qt::CTRL | Qt::Key_D));
  LoadedDataAction = dataAction("LoadedDataAction", texts::kLoadedDataAction,
                                QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D));

  Options1 = new QMenu(frMainMenu1);
  Options1->setObjectName(QStringLiteral("Options1"));
  Options1->setTitle(text(texts::kOptionsMenu, Language::English));
  FittingMethodAction = new QAction(this);
  FittingMethodAction->setObjectName(QStringLiteral("FittingMethodAction"));
  FittingMethodAction->setText(text(texts::kFittingMethodAction, Language::English));
  FittingMethodAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
  Options1->addAction(FittingMethodAction);
  ResidualsAction = new QAction(this);
  ResidualsAction->setObjectName(QStringLiteral("ResidualsAction"));
  ResidualsAction->setText(text(kResidualsAction, Language::English));
  ResidualsAction->setEnabled(false);

  ToolBtnDiagram = makeToolButton(ToolBar1, "ToolBtnDiagram");
  DiagramAction = new QAction(this);
  DiagramAction->setObjectName(QStringLiteral("DiagramAction"));
  DiagramAction->setText(text(texts::kDiagramAction, Language::English));
  DiagramAction->setEnabled(false);
  ToolBtnDiagram->setEnabled(false);
  bindButton(ToolBtnDiagram, DiagramAction);
  // The tool button follows the action's enabled state.
  connect(DiagramAction, &QAction::changed, ToolBtnDiagram,
          [this] { ToolBtnDiagram->setEnabled(DiagramAction->isEnabled()); });

  StatusBar1 = new QStatusBar(this);
  StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
  StatusPanels[0] = new QLabel(StatusBar1);
  StatusPanels[0]->setFixedWidth(550);
  StatusPanels[0]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  StatusPanels[1] = new QLabel(StatusBar1);
  // 50 pixels, or as wide as the clock needs in the font of the desktop.
  StatusPanels[1]->setFixedWidth(
      std::max(50, StatusPanels[1]->fontMetrics().horizontalAdvance(QStringLiteral("00.00.00")) +
                       2 * StatusPanels[1]->margin() + 6));
  StatusBar1->addWidget(StatusPanels[0]);
  StatusBar1->addWidget(StatusPanels[1]);

  Panel1 = new QWidget(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  BitBtnRun = new QPushButton(Panel1);
  BitBtnRun->setObjectName(QStringLiteral("BitBtnRun"));
  // The design-time glyph: a dark LED.
  BitBtnRun->setIcon(glyphIcon(QImage(QStringLiteral(":/bubblix/LED2OFF.BMP"))));
  BitBtnRun->setIconSize(QSize(20, 20));
  BitBtnRun->setMinimumWidth(90);
  lbFrame = new QLabel(Panel1);
  lbFrame->setObjectName(QStringLiteral("lbFrame"));
  lbFrame->setAlignment(Qt::AlignCenter);
  lbFrame->setWordWrap(true);
  lbFrame->setMinimumSize(400, 30);
  lbFrame->setMaximumWidth(481);
  QFont labelFont = lbFrame->font();
  labelFont.setPixelSize(13);
  lbFrame->setFont(labelFont);
  QPalette maroon = lbFrame->palette();
  maroon.setColor(QPalette::WindowText, QColor(0x80, 0x00, 0x00));
  lbFrame->setPalette(maroon);
  BitBtCancel = new QPushButton(Panel1);
  BitBtCancel->setObjectName(QStringLiteral("BitBtCancel"));
  BitBtCancel->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
  BitBtCancel->setMinimumWidth(90);

  auto* panelLayout = new QHBoxLayout(Panel1);
  panelLayout->setContentsMargins(6, 4, 6, 4);
  panelLayout->addWidget(BitBtnRun);
  panelLayout->addStretch();
  panelLayout->addWidget(lbFrame);
  panelLayout->addStretch();
  panelLayout->addWidget(BitBtCancel);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(StatusBar1);
  layout->addWidget(Panel1);

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(1000);
  connect(Timer1, &QTimer::timeout, this, &TfrMainForm::Timer1Timer);
  Timer1->start();
  Timer1Timer();

  // Design-time captions until the frame is first entered.
  BitBtnRun->setText(text(texts::kRunButton, Language::English));
  BitBtCancel->setText(text(texts::kExitButton, Language::English));
}

void TfrMainForm::bindActions(TfmAction& action) {
  action_ = &action;
  // The File menu: Open, Save, Save as, -, Exit (item Print1), -, Font (item Exite), Print
  // (item Print2); then on the menu bar Font (Font1), Print (Print3), About, HomePage.
  File1->clear();
  File1->addAction(action.OpenAction);
  File1->addAction(action.SavAction);
  File1->addAction(action.SavAsAction);
  File1->addSeparator();
  File1->addAction(action.CancAction);
  File1->addSeparator();
  File1->addAction(action.FontAction);
  File1->addAction(action.PrintAction);
  frMainMenu1->clear();
  frMainMenu1->addMenu(File1);
  frMainMenu1->addAction(action.FontAction);
  frMainMenu1->addAction(action.PrintAction);
  frMainMenu1->addAction(action.AboutAction);
  frMainMenu1->addAction(action.HomePageAction);
  // The menus added to the described ones, in the order Data, Options, Diagram.
  frMainMenu1->addMenu(Data1);
  frMainMenu1->addMenu(Options1);
  frMainMenu1->addAction(ResidualsAction);
  frMainMenu1->addAction(DiagramAction);

  bindButton(ToolBtnOpen, action.OpenAction);
  bindButton(ToolBtnSave, action.SavAction);
  bindButton(ToolBtnSaveAs, action.SavAsAction);
  bindButton(ToolBtnFont, action.FontAction);
  bindButton(ToolBtnPrint, action.PrintAction);
  bindButton(ToolBtnAbout, action.AboutAction);
  bindButton(ToolBtnHomePage, action.HomePageAction);
  connect(BitBtCancel, &QPushButton::clicked, action.CancAction, &QAction::trigger);
}

void TfrMainForm::FrameEnter() {
  const Language lang = Lang;
  File1->setTitle(text(texts::kFileMenu, lang));
  BitBtnRun->setText(text(texts::kRunButton, lang));
  // The Exit button keeps its own caption: "Cancel" in English, while the action reads "Exit".
  BitBtCancel->setText(text(texts::kExitButton, lang));
  if (action_ != nullptr) {
    action_->OpenAction->setText(text(kOpenActionCaption, lang));
    action_->SavAsAction->setText(text(kSaveAsActionCaption, lang));
    action_->SavAction->setText(text(kSaveActionCaption, lang));
    action_->PrintAction->setText(text(texts::kPrintAction, lang));
    action_->FontAction->setText(text(texts::kFontAction, lang));
    action_->CancAction->setText(text(kExitActionCaption, lang));
    action_->AboutAction->setText(text(texts::kAboutAction, lang));
    action_->HomePageAction->setText(text(texts::kHomePageAction, lang));
  }
  Data1->setTitle(text(texts::kDataMenu, lang));
  ConsistencyAction->setText(text(texts::kCheckConsistencyAction, lang));
  ConsistencyAction->setToolTip(text(texts::kCheckConsistencyHint, lang));
  LoadComponentsAction->setText(text(texts::kLoadComponentsAction, lang));
  LoadComponentsAction->setToolTip(text(texts::kLoadComponentsHint, lang));
  LoadDataSetAction->setText(text(texts::kLoadDataSetAction, lang));
  LoadDataSetAction->setToolTip(text(texts::kLoadDataSetHint, lang));
  LoadedDataAction->setText(text(texts::kLoadedDataAction, lang));
  LoadedDataAction->setToolTip(text(texts::kLoadedDataHint, lang));
  Options1->setTitle(text(texts::kOptionsMenu, lang));
  FittingMethodAction->setText(text(texts::kFittingMethodAction, lang));
  FittingMethodAction->setToolTip(text(texts::kFittingMethodHint, lang));
  ResidualsAction->setText(text(kResidualsAction, lang));
  ResidualsAction->setToolTip(text(kResidualsHint, lang));
  DiagramAction->setText(text(texts::kDiagramAction, lang));
  DiagramAction->setToolTip(text(texts::kDiagramHint, lang));
  ToolBtnDiagram->setToolTip(text(texts::kDiagramHint, lang));
  ToolBtnOpen->setToolTip(text(texts::kOpenHint, lang));
  ToolBtnSave->setToolTip(text(texts::kSaveHint, lang));
  ToolBtnSaveAs->setToolTip(text(texts::kSaveAsHint, lang));
  ToolBtnFont->setToolTip(text(texts::kFontHint, lang));
  ToolBtnPrint->setToolTip(text(texts::kPrintHint, lang));
  ToolBtnAbout->setToolTip(text(texts::kAboutHint, lang));
  BitBtnRun->setToolTip(text(texts::kRunHint, lang));
  ToolBtnHomePage->setToolTip(text(texts::kHomePageHint, lang));

  ToolBtnOpen->setIcon(ImageList1[kOpenPicture]);
  ToolBtnSave->setIcon(ImageList1[kSavePicture]);
  ToolBtnSaveAs->setIcon(ImageList1[kSaveAsPicture]);
  ToolBtnFont->setIcon(ImageList1[kFontPicture]);
  ToolBtnPrint->setIcon(ImageList1[kPrintPicture]);
  ToolBtnAbout->setIcon(ImageList1[kAboutPicture]);
  ToolBtnHomePage->setIcon(ImageList1[kHomePagePicture]);
  ToolBtnDiagram->setIcon(ImageList1[kDiagramPicture]);

  loadRunGlyph(QStringLiteral("LED2OFF.BMP"));
  if (action_ != nullptr) action_->setLang(Lang);
}

void TfrMainForm::Timer1Timer() {
  const QTime now = QTime::currentTime();
  StatusPanels[1]->setText(
      QString::asprintf("%.2d.%.2d.%.2d", now.hour(), now.minute(), now.second()));
}

bool TfrMainForm::loadRunGlyph(const QString& fileName) {
  const QString path = QDir::current().filePath(fileName);
  if (!QFileInfo::exists(path)) return false;
  const QImage glyph(path);
  if (glyph.isNull()) return false;
  BitBtnRun->setIcon(glyphIcon(glyph));
  return true;
}

bool TfrMainForm::contains(const QWidget* widget) const {
  return widget != nullptr &&
         (isAncestorOf(widget) || widget == ToolBar1 || ToolBar1->isAncestorOf(widget));
}

// ---- TfmVLE ----

TfmVLE::TfmVLE(Language interfaceLanguage, QWidget* parent)
    : QMainWindow(parent), interfaceLanguage_(interfaceLanguage), database_(builtInDatabase()) {
  setObjectName(QStringLiteral("fmVLE"));
  mmVLE = new ReportMemo(this);
  frMainForm1 = new TfrMainForm(this);
  setMenuBar(frMainForm1->frMainMenu1);
  addToolBar(Qt::TopToolBarArea, frMainForm1->ToolBar1);

  auto* client = new QWidget(this);
  auto* layout = new QVBoxLayout(client);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(mmVLE, 1);
  layout->addWidget(frMainForm1);
  setCentralWidget(client);

  resize(689, 562);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    fitReportWidth(area.width());
    move(area.center() - QPoint(width() / 2, height() / 2));
  }

  connect(frMainForm1->BitBtnRun, &QPushButton::clicked, this, &TfmVLE::frMainForm1BitBtnRunClick);
  connect(frMainForm1->DiagramAction, &QAction::triggered, this, &TfmVLE::openDiagram);
  connect(frMainForm1->ConsistencyAction, &QAction::triggered, this, &TfmVLE::checkConsistency);
  connect(frMainForm1->LoadComponentsAction, &QAction::triggered, this, &TfmVLE::loadComponents);
  connect(frMainForm1->LoadDataSetAction, &QAction::triggered, this, &TfmVLE::loadDataSets);
  connect(frMainForm1->LoadedDataAction, &QAction::triggered, this, &TfmVLE::showLoadedData);
  connect(frMainForm1->FittingMethodAction, &QAction::triggered, this,
          &TfmVLE::chooseFittingMethod);
  connect(frMainForm1->ResidualsAction, &QAction::triggered, this, &TfmVLE::openResiduals);
  connect(qApp, &QApplication::focusChanged, this, &TfmVLE::focusChanged);
  // The title bar shows when the report holds changes not saved in a file.
  setWindowTitle(displayed(texts::kMainCaption, interfaceLanguage_) + QStringLiteral("[*]"));
  connect(mmVLE->document(), &QTextDocument::modificationChanged, this,
          &QWidget::setWindowModified);
}

TfmVLE::~TfmVLE() {
  // QWidget's destructor hides the window, which moves the focus and emits focusChanged; the
  // connection would otherwise still call focusChanged on a TfmVLE whose members are gone.
  disconnect(qApp, &QApplication::focusChanged, this, nullptr);
}

int TfmVLE::reportWindowWidth(int availableWidth) const {
  mmVLE->ensurePolished();
  const QFontMetrics metrics(mmVLE->font());
  // The window's width is the memo's; the memo's text area lies inside its frame, the
  // document's margins and the vertical scroll bar, which is always shown. One pixel more for
  // the cursor after the last character.
  const int text = metrics.horizontalAdvance(QString(kReportColumns, QLatin1Char('0')));
  const int margins = 2 * static_cast<int>(std::ceil(mmVLE->document()->documentMargin()));
  const int scrollBar = mmVLE->verticalScrollBar()->sizeHint().width();
  const int needed = text + margins + 2 * mmVLE->frameWidth() + scrollBar + 1;
  return std::max(kMinimumWidth, std::min(needed, availableWidth));
}

void TfmVLE::fitReportWidth(int availableWidth) {
  resize(reportWindowWidth(availableWidth), std::max(height(), kMinimumHeight));
}

void TfmVLE::setActionForm(TfmAction* action) {
  action_ = action;
  if (action_ == nullptr) return;
  frMainForm1->bindActions(*action_);
  action_->setMemo(mmVLE);
  // Exit has offered to keep the report already: the window closes without asking again.
  connect(action_, &TfmAction::terminateRequested, this, [this] {
    exitOffered_ = true;
    close();
  });
}

void TfmVLE::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
}

void TfmVLE::FormActivate() {
  frMainForm1->Lang = interfaceLanguage_;
  // A focus coming from the memo or from outside the window enters the frame here.
  frMainForm1->BitBtnRun->setFocus(Qt::ActiveWindowFocusReason);
  if (action_ != nullptr) action_->setMemo(mmVLE);
  // "[*]" is where the title shows the unsaved-changes mark.
  setWindowTitle(displayed(texts::kMainCaption, interfaceLanguage_) + QStringLiteral("[*]"));
}

void TfmVLE::focusChanged(QWidget* old, QWidget* now) {
  if (frMainForm1->contains(now) && !frMainForm1->contains(old)) frMainForm1->FrameEnter();
}

void TfmVLE::frMainForm1BitBtnRunClick() {
  if (running_) return;
  running_ = true;
  ++sessionsRun_;
  // The session replaces the parameter set: the diagrams of the old one go.
  if (fmDiagram_) fmDiagram_->close();
  if (fmResiduals_) fmResiduals_->close();
  updateDiagramAction();
  // Run stays enabled, so that its lit glyph is drawn as it is and not greyed; a click while
  // the session runs is ignored above (modal dialogs take every click meanwhile anyway).
  frMainForm1->loadRunGlyph(QStringLiteral("LED2ON.BMP"));
  try {
    if (session_ && dialogs_ != nullptr) session_(*dialogs_, *mmVLE);
  } catch (const Error& error) {
    frMainForm1->lbFrame->clear();
    showErrorBox(this, error.message(interfaceLanguage_), interfaceLanguage_);
  } catch (const std::exception& error) {
    frMainForm1->lbFrame->clear();
    showErrorBox(this, bubblix::render(texts::kSessionFailed, interfaceLanguage_, {error.what()}),
                 interfaceLanguage_);
  }
  frMainForm1->loadRunGlyph(QStringLiteral("LED2OFF.BMP"));
  running_ = false;
  updateDiagramAction();
  // Activations left over from the session's dialogs come first, so that the focus stays on
  // the Exit button.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  frMainForm1->BitBtCancel->setFocus(Qt::OtherFocusReason);
}

void TfmVLE::setSessionState(SessionState* state) {
  state_ = state;
  updateDiagramAction();
}

void TfmVLE::checkConsistency() {
  if (running_) return;
  const Database& db = database_;
  TfmConsistency dialog(db, interfaceLanguage_, this);
  if (dialog.exec() != QDialog::Accepted) return;
  try {
    for (const std::string& line : pairConsistencyReport(db, dialog.first(), dialog.second(),
                                                         dialog.terms(), interfaceLanguage_))
      mmVLE->append(line);
  } catch (const Error& error) {
    showErrorBox(this, error.message(interfaceLanguage_), interfaceLanguage_);
  }
}

void TfmVLE::loadComponents() {
  if (running_ || dialogs_ == nullptr) return;
  SessionState fallback;
  fallback.InterfaceLanguage = interfaceLanguage_;
  SessionState& state = state_ != nullptr ? *state_ : fallback;
  const DataLoadResult result = askAndLoadLibrary(*dialogs_, database_, state);
  if (!result.LibraryLoaded) return;
  frMainForm1->lbFrame->setText(
      displayed(kLibraryLoaded, interfaceLanguage_,
                {database_.LibraryFile,
                 std::to_string(database_.ComponentBase.size() - kBuiltInComponents)}));
  dataChanged();
}

void TfmVLE::loadDataSets() {
  if (running_ || dialogs_ == nullptr) return;
  const DataLoadResult result = askAndLoadDataSets(*dialogs_, database_, interfaceLanguage_);
  if (result.SetsLoaded == 0) return;
  const LoadedDataSet& last = database_.LoadedSets.back();
  frMainForm1->lbFrame->setText(
      displayed(kDataSetLoaded, interfaceLanguage_,
                {last.FileName, componentName(database_, last.Components[0], interfaceLanguage_),
                 componentName(database_, last.Components[1], interfaceLanguage_),
                 std::to_string(last.t.size())}));
  dataChanged();
}

void TfmVLE::showLoadedData() {
  if (running_) return;
  TfmLoadedData window(database_, interfaceLanguage_, systemDecimalSeparator(), this);
  window.exec();
  if (window.removed() > 0) dataChanged();
}

void TfmVLE::dataChanged() {
  // The diagrams drawn so far used the old data: the next opening draws them again.
  if (fmDiagram_) fmDiagram_->close();
  delete fmDiagram_;
  diagramOfSession_ = -1;
  if (fmResiduals_) fmResiduals_->close();
  delete fmResiduals_;
  residualsOfSession_ = -1;
  updateDiagramAction();
}

void TfmVLE::updateDiagramAction() {
  frMainForm1->ConsistencyAction->setEnabled(!running_);
  frMainForm1->LoadComponentsAction->setEnabled(!running_);
  frMainForm1->LoadDataSetAction->setEnabled(!running_);
  frMainForm1->LoadedDataAction->setEnabled(!running_);
  frMainForm1->FittingMethodAction->setEnabled(!running_);
  frMainForm1->ResidualsAction->setEnabled(!running_ && state_ != nullptr &&
                                           state_->ParameterSet.ComponentCount >= 2);
  frMainForm1->DiagramAction->setEnabled(!running_ && state_ != nullptr &&
                                         plot::hasBinaryParameterSet(state_->ParameterSet));
}

TfmDiagram* TfmVLE::diagramWindow() const {
  return fmDiagram_.data();
}

void TfmVLE::chooseFittingMethod() {
  if (running_) return;
  TfmFittingMethod dialog(fittingMethod_, interfaceLanguage_, systemDecimalSeparator(),
                          static_cast<int>(database_.ComponentBase.size()), this);
  if (dialog.exec() != QDialog::Accepted) return;
  fittingMethod_ = dialog.options();
  frMainForm1->lbFrame->setText(displayed(texts::kFittingMethodChosen, interfaceLanguage_,
                                          {std::string(objectiveName(fittingMethod_.Objective))}));
}

TfmResiduals* TfmVLE::residualsWindow() const {
  return fmResiduals_.data();
}

void TfmVLE::openResiduals() {
  if (running_ || state_ == nullptr || state_->ParameterSet.ComponentCount < 2) return;
  if (plot::hasBinaryParameterSet(state_->ParameterSet)) {
    openDiagram();
    if (fmDiagram_ && fmDiagram_->residualCanvas() != nullptr)
      fmDiagram_->tabs->setCurrentWidget(fmDiagram_->residualCanvas());
    return;
  }
  if (fmResiduals_ == nullptr || residualsOfSession_ != sessionsRun_) {
    delete fmResiduals_;
    try {
      fmResiduals_ = new TfmResiduals(state_->ParameterSet, interfaceLanguage_,
                                      systemDecimalSeparator(), this, runFiles_, database_);
    } catch (const Error& error) {
      showErrorBox(this, error.message(interfaceLanguage_), interfaceLanguage_);
      return;
    }
    residualsOfSession_ = sessionsRun_;
  }
  fmResiduals_->show();
  fmResiduals_->raise();
  fmResiduals_->activateWindow();
}

void TfmVLE::openDiagram() {
  if (running_ || state_ == nullptr || !plot::hasBinaryParameterSet(state_->ParameterSet)) return;
  if (fmDiagram_ == nullptr || diagramOfSession_ != sessionsRun_) {
    delete fmDiagram_;
    try {
      fmDiagram_ = new TfmDiagram(
          state_->ParameterSet, interfaceLanguage_, systemDecimalSeparator(),
          [this](const std::vector<std::string>& lines) {
            for (const std::string& line : lines)
              mmVLE->append(line);
          },
          this, runFiles_, database_);
    } catch (const Error& error) {
      showErrorBox(this, error.message(interfaceLanguage_), interfaceLanguage_);
      return;
    }
    diagramOfSession_ = sessionsRun_;
  }
  fmDiagram_->show();
  fmDiagram_->raise();
  fmDiagram_->activateWindow();
}

void TfmVLE::closeEvent(QCloseEvent* event) {
  if (running_ || (!exitOffered_ && action_ != nullptr && !action_->offerToKeepReport())) {
    event->ignore();
    return;
  }
  // The diagrams go with the main window.
  if (fmDiagram_) fmDiagram_->close();
  if (fmResiduals_) fmResiduals_->close();
  event->accept();
}

}  // namespace bubblix::gui
