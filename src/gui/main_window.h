#pragma once
// TfmVLE, the main window: the report memo mmVLE between the frame's tool bar and its status
// bar, and the frame TfrMainForm with the menu, the tool bar, the status bar with the clock,
// the Run button, the status label lbFrame and the Exit button.

#include <QMainWindow>
#include <QPointer>
#include <QWidget>
#include <array>

#include "core/data/database.h"
#include "core/session/session_options.h"
#include "core/texts/text.h"
#include "gui/session_entry.h"

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QStatusBar;
class QTimer;
class QToolBar;
class QToolButton;

namespace bubblix {
class Dialogs;
struct SessionState;
class RunFiles;
}  // namespace bubblix

namespace bubblix::gui {

class ReportMemo;
class TfmAction;
class TfmDiagram;
class TfmResiduals;

class TfrMainForm : public QWidget {
  Q_OBJECT

 public:
  explicit TfrMainForm(QWidget* parent = nullptr);

  // Binds the menu items, tool buttons and the Exit button to the action form's actions.
  void bindActions(TfmAction& action);

  // Sets captions and hints in the language of Lang, the pictures of the tool buttons and the
  // Run button's glyph from LED2OFF.BMP, and hands the language to the action form. Runs
  // whenever the focus enters the frame from outside it.
  void FrameEnter();
  // Puts the time of day into status panel 1 as hh.mm.ss.
  void Timer1Timer();
  // Loads the Run button's glyph from a file of the current directory when it exists.
  bool loadRunGlyph(const QString& fileName);
  // Whether the widget is one of the frame's own (the memo is not).
  bool contains(const QWidget* widget) const;

  Language Lang = Language::NotChosen;

  QMenuBar* frMainMenu1 = nullptr;
  QMenu* File1 = nullptr;
  QMenu* Data1 = nullptr;     // Data: Check consistency...
  QMenu* Options1 = nullptr;  // Options: Fitting method...
  QToolBar* ToolBar1 = nullptr;
  QToolButton* ToolBtnOpen = nullptr;
  QToolButton* ToolBtnSave = nullptr;
  QToolButton* ToolBtnSaveAs = nullptr;
  QToolButton* ToolBtnFont = nullptr;
  QToolButton* ToolBtnPrint = nullptr;
  QToolButton* ToolBtnAbout = nullptr;
  QToolButton* ToolBtnHomePage = nullptr;
  // The phase diagrams of the last session's binary parameter set: the last entry of the menu
  // bar and the last tool button. The main window enables it and carries it out.
  QAction* DiagramAction = nullptr;
  QAction* ConsistencyAction = nullptr;
  // Data: the user's own components and data sets (the main window carries them out).
  QAction* LoadComponentsAction = nullptr;
  QAction* LoadDataSetAction = nullptr;
  QAction* LoadedDataAction = nullptr;
  // Options: the fitting method the sessions use (the main window carries it out).
  QAction* FittingMethodAction = nullptr;
  // The residuals of the last session's parameter set against its pairs' data.
  QAction* ResidualsAction = nullptr;
  QToolButton* ToolBtnDiagram = nullptr;
  QStatusBar* StatusBar1 = nullptr;
  std::array<QLabel*, 2> StatusPanels{};
  QWidget* Panel1 = nullptr;
  QPushButton* BitBtnRun = nullptr;
  QLabel* lbFrame = nullptr;
  QPushButton* BitBtCancel = nullptr;
  QTimer* Timer1 = nullptr;
  // The pictures of the tool buttons, by index (unused indices hold no picture).
  std::array<QIcon, 12> ImageList1;

 private:
  TfmAction* action_ = nullptr;
};

class TfmVLE : public QMainWindow {
  Q_OBJECT

 public:
  // interfaceLanguage: the language chosen at start-up.
  explicit TfmVLE(Language interfaceLanguage, QWidget* parent = nullptr);
  ~TfmVLE() override;

  // The action form (created after this window) and the dialogs the sessions ask through.
  void setActionForm(TfmAction* action);
  void setSessionDialogs(Dialogs* dialogs) { dialogs_ = dialogs; }
  // What the Run button runs: one calculation session, with the dialogs and the memo.
  void setSession(SessionEntry session) { session_ = std::move(session); }
  // The run's state, whose parameter set the Diagram action draws (and a library replaced
  // may forget, when it names the library's components).
  void setSessionState(SessionState* state);
  // The files of the program's run, which a diagram's save must not destroy.
  void setRunFiles(RunFiles* files) { runFiles_ = files; }

  // The window opens at least kMinimumWidth x kMinimumHeight pixels, and wide enough for a
  // report line of kReportColumns characters of the memo's font (the four-component
  // equilibrium row), or as wide as the screen when it is narrower. Nothing is remembered
  // between runs.
  static constexpr int kMinimumWidth = 689;
  static constexpr int kMinimumHeight = 562;
  static constexpr int kReportColumns = 128;
  int reportWindowWidth(int availableWidth) const;
  void fitReportWidth(int availableWidth);

  // Runs on every activation of the window: the language goes to the frame, the focus to the
  // Run button, the memo to the action form, and the caption is set.
  void FormActivate();
  // The Run button: runs one session to its end. Run stays enabled and shows its lit glyph
  // meanwhile, and a click on it while the session runs starts nothing; afterwards the focus
  // is on the Exit button.
  void frMainForm1BitBtnRunClick();
  bool sessionRunning() const { return running_; }

  // The Diagram action is enabled when no session runs and the parameter set is binary with a
  // model (after a fit or a load).
  void updateDiagramAction();
  // Opens the diagram window of the current parameter set. The first opening after a session
  // computes the diagrams and appends their analysis lines to the report; a later one shows
  // the same window again. An error (a set the analysis refuses) is shown in a message box.
  void openDiagram();
  // Data -> Check consistency...: asks the pair and writes the check's lines into the report.
  void checkConsistency();
  // Data -> Load components..., Load data set..., Loaded data...: the user's own data, asked
  // through the session dialogs, go into database(). Any change closes the diagram window,
  // whose next opening draws with the new data.
  void loadComponents();
  void loadDataSets();
  void showLoadedData();
  // The data the sessions, the diagrams and the consistency check use: the built-in database
  // grown by what the Data menu loaded. Lasts until the program ends.
  Database& database() { return database_; }
  const Database& database() const { return database_; }
  TfmDiagram* diagramWindow() const;
  // Options -> Fitting method...: the dialog of the objective, the σ's and the parameters'
  // limits; the choice is kept in fittingMethod() for every later session of the run.
  void chooseFittingMethod();
  const ObjectiveOptions& fittingMethod() const { return fittingMethod_; }
  // The residuals: for a binary set the Diagram window's residual tab, for a larger mixture
  // the Residuals window with a tab per pair with data. An error (no pair with data, a set the
  // solvers refuse) is shown in a message box.
  void openResiduals();
  TfmResiduals* residualsWindow() const;

  TfrMainForm* frMainForm1 = nullptr;
  ReportMemo* mmVLE = nullptr;

 protected:
  void changeEvent(QEvent* event) override;
  // Closing the window is Exit: the report is offered for saving first. Refused while a
  // session runs, and when the report could not be written.
  void closeEvent(QCloseEvent* event) override;

 private:
  void focusChanged(QWidget* old, QWidget* now);

  Language interfaceLanguage_;
  TfmAction* action_ = nullptr;
  Dialogs* dialogs_ = nullptr;
  // Called after the Data menu changed the database.
  void dataChanged();

  SessionState* state_ = nullptr;
  Database database_;
  RunFiles* runFiles_ = nullptr;
  SessionEntry session_;
  QPointer<TfmDiagram> fmDiagram_;
  QPointer<TfmResiduals> fmResiduals_;
  int residualsOfSession_ = -1;
  ObjectiveOptions fittingMethod_;
  // Sessions started so far; the diagram window shows the set of sessionsRun_ at its making.
  int sessionsRun_ = 0;
  int diagramOfSession_ = -1;
  bool running_ = false;
  bool exitOffered_ = false;
};

}  // namespace bubblix::gui
