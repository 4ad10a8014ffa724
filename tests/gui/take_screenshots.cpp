// bubblix_screenshots: pictures of the desktop program's windows for the documentation: the
// main window after a whole session (NRTL fitted to comp.1-comp.2, the adequacy check, one
// boiling point), the dialogs with the database's component names, the diagram window and
// the two diagrams of that session's parameter set with its residuals, the fitting-method
// dialog; the main window during that session, with
// the lit Run button, and a confirmation box of the session (Qt's own buttons in the
// language).
// Usage: bubblix_screenshots <folder> [en|ru]   (run under xvfb-run, see take_screenshots.sh)
//        bubblix_screenshots <folder> en|ru user-data   only the Loaded data window and the
//        diagram of a loaded set (no session; Qt's offscreen platform will do)

#include <QApplication>
#include <QDir>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextCursor>
#include <QTimer>
#include <QTranslator>
#include <cstdio>
#include <sstream>
#include <utility>

#include "core/data/database.h"
#include "core/data/user_data.h"
#include "core/models/example_sets.h"
#include "core/session/answer_script.h"
#include "core/session/calculation_session.h"
#include "core/session/dialogs.h"
#include "core/session/scripted_dialogs.h"
#include "core/session/session_state.h"
#include "gui/about_box.h"
#include "gui/actions.h"
#include "gui/component_dialog.h"
#include "gui/desktop.h"
#include "gui/diagram_window.h"
#include "gui/file_dialogs.h"
#include "gui/fitting_method_dialog.h"
#include "gui/grid_dialog.h"
#include "gui/language_dialog.h"
#include "gui/loaded_data_window.h"
#include "gui/main_window.h"
#include "gui/message_box.h"
#include "gui/model_dialog.h"
#include "gui/printing.h"
#include "gui/report_memo.h"
#include "gui/variant_dialog.h"
#include "plot/diagram_data.h"
#include "plot/diagram_painter.h"

using namespace bubblix;
using namespace bubblix::gui;

namespace {

QString folder;

void save(QWidget& widget, const QString& name) {
  widget.show();
  QApplication::processEvents();
  widget.repaint();
  QApplication::processEvents();
  const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
  if (!widget.grab().save(path)) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
  widget.hide();
}

// The session the main window's picture shows, answered as a user would in the dialogs.
constexpr const char* kSessionAnswers =
    "variant 1\n"       // compute the parameters
    "components 1,2\n"  // comp.1 and comp.2
    "model NRTL\n"
    "no\n"                // no parameter file
    "yes\n"               // the adequacy check with its summary
    "variant 1 liquid\n"  // boiling temperature at a pressure, liquid composition given
    "grid 760 30\n"
    "cancel\n";

// The script's answers, and a picture of the main window when the session asks its first
// equilibrium point: the report so far, the Run button lit.
class PicturingDialogs : public Dialogs {
 public:
  PicturingDialogs(ScriptedDialogs& answers, TfmVLE& window) : answers_(answers), window_(window) {}

  VariantAnswer chooseVariant(const VariantRequest& r) override {
    return answers_.chooseVariant(r);
  }
  ModelAnswer chooseModel(const ModelRequest& r) override { return answers_.chooseModel(r); }
  ComponentAnswer tickComponents(const ComponentRequest& r) override {
    return answers_.tickComponents(r);
  }
  void enterGrid(GridEntry& grid) override {
    if (!pictured_) {
      pictured_ = true;
      window_.mmVLE->moveCursor(QTextCursor::End);
      window_.mmVLE->ensureCursorVisible();
      QApplication::processEvents();
      const QString path = QDir(folder).filePath(QStringLiteral("main-window-running.png"));
      if (!window_.grab().save(path)) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    }
    answers_.enterGrid(grid);
  }
  MessageButton showMessage(const MessageRequest& r) override { return answers_.showMessage(r); }
  std::optional<std::string> openFileName(const FileRequest& r) override {
    return answers_.openFileName(r);
  }
  std::optional<std::string> saveFileName(const FileRequest& r) override {
    return answers_.saveFileName(r);
  }
  void setStatusText(const std::string& text) override {
    window_.frMainForm1->lbFrame->setText(QString::fromStdString(text));
  }
  void setBusy(bool) override {}
  void processPendingMessages() override { QApplication::processEvents(); }

 private:
  ScriptedDialogs& answers_;
  TfmVLE& window_;
  bool pictured_ = false;
};

// The user's own data of examples/: the Loaded data window with the library and both sets,
// and the diagram window of the NRTL set that generated them (docs/data-sets.md) on the tab of
// the 500 mm Hg set with its points.
int userDataPictures(Language lang, const std::string& separator) {
  const std::string examples = BUBBLIX_EXAMPLES_DIR;
  Database db = loadUserData(
      examples + "/benzene-cyclohexane.json",
      {examples + "/benzene-cyclohexane-760.csv", examples + "/benzene-cyclohexane-500.csv"});
  // The file names as a user's folder shows them, not the build machine's.
  db.LibraryFile = "benzene-cyclohexane.json";
  for (LoadedDataSet& set : db.LoadedSets)
    set.FileName = set.FileName.substr(examples.size() + 1);
  {
    TfmLoadedData window(db, lang, separator);
    window.resize(760, 420);
    save(window, QStringLiteral("loaded-data"));
  }
  const TParameterSet set = test::benzeneCyclohexaneGeneratingSet();
  TfmDiagram diagrams(set, lang, separator, {}, nullptr, nullptr, db);
  diagrams.resize(900, 700);
  if (diagrams.tabs->count() < 4) {
    std::fprintf(stderr, "the loaded sets have no tabs\n");
    return 1;
  }
  diagrams.tabs->setCurrentIndex(3);
  save(diagrams, QStringLiteral("diagram-loaded-set"));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
  const Language lang =
      argc > 2 && QByteArray(argv[2]) == "ru" ? Language::Russian : Language::English;
  const bool en = lang == Language::English;
  // Qt's own texts (the buttons of the message boxes) in the language, as the program has them.
  const std::unique_ptr<QTranslator> qtTexts = installQtTranslations(lang);
  // The decimal separator a user of each language sees: the system locale's.
  const std::string separator = en ? "." : ",";
  // Only the pictures of the user's own data (they need no session).
  if (argc > 3 && QByteArray(argv[3]) == "user-data") return userDataPictures(lang, separator);

  {
    TForm0 form0;
    save(form0, QStringLiteral("language-dialog"));
  }

  SessionState state;
  state.InterfaceLanguage = lang;
  TfmVLE window(lang);
  TfmSaveFile saveFile(&window);
  TfmPrint print;
  TfmFont font(&window);
  TfmAction action(&window, saveFile, &print, font);
  window.setActionForm(&action);
  window.setSessionState(&state);
  window.show();
  window.FormActivate();
  window.frMainForm1->FrameEnter();
  {
    // The session as the Run button runs it, answered by the script.
    std::ostringstream echo;
    ScriptedDialogs answers(AnswerScript::parse(kSessionAnswers), echo);
    PicturingDialogs dialogs(answers, window);
    SessionResult result;
    window.setSessionDialogs(&dialogs);
    window.setSession([&](Dialogs& d, ReportDocument& report) {
      SessionOptions options;
      options.DecimalSeparator = separator;
      result = runCalculationSession(d, report, state, builtInDatabase(), options);
    });
    window.frMainForm1BitBtnRunClick();
    if (result.Outcome != SessionOutcome::Completed) {
      std::fprintf(stderr, "the session did not complete: %s\n", result.Message.c_str());
      return 1;
    }
  }
  window.FormActivate();
  window.mmVLE->moveCursor(QTextCursor::End);
  window.mmVLE->ensureCursorVisible();
  save(window, QStringLiteral("main-window"));

  // A question of the session, with Qt's own Yes and No.
  {
    const std::unique_ptr<QMessageBox> box =
        makeMessageBox(nullptr, {MessageKind::Confirmation,
                                 en ? "Wish to verify adequacy to model NRTL ?"
                                    : "Желаете проверить адекватность модели NRTL ?",
                                 MessageButtons::YesNo, lang});
    save(*box, QStringLiteral("message-box"));
  }

  // The diagrams of the session's parameter set, and the window that shows them.
  {
    const plot::DiagramData data =
        plot::computeDiagram(builtInDatabase(), state.ParameterSet, std::nullopt, lang, separator);
    for (const auto& [view, name] : {std::pair{plot::DiagramView::Main, "diagram-txy.png"},
                                     std::pair{plot::DiagramView::Xy, "diagram-xy.png"}}) {
      plot::saveDiagram(data, view, QDir(folder).filePath(QString::fromLatin1(name)));
    }
    TfmDiagram diagrams(state.ParameterSet, lang, separator, {});
    diagrams.resize(900, 700);
    save(diagrams, QStringLiteral("diagram-window"));
    diagrams.sePxyTemperature->setValue(80.0);
    diagrams.btnPxy->click();
    save(diagrams, QStringLiteral("diagram-window-pxy"));
    // The residuals of the session's fit against the pair's data, the last tab.
    if (diagrams.residualCanvas() == nullptr) {
      std::fprintf(stderr, "the diagram window has no residual tab\n");
      return 1;
    }
    diagrams.tabs->setCurrentWidget(diagrams.residualCanvas());
    save(diagrams, QStringLiteral("diagram-residuals"));
  }

  // Options -> Fitting method...: bubble points with alpha held at 0.3 and a bound on g12-g22.
  {
    ObjectiveOptions method;
    method.Objective = FitObjective::Bubble;
    ParameterConstraint alpha;
    alpha.Label = "alp12";
    alpha.Fixed = 0.3L;
    ParameterConstraint energy;
    energy.Label = "g12-g22";
    energy.Lower = -5.0L;
    energy.Upper = 10.0L;
    method.Constraints = {alpha, energy};
    TfmFittingMethod dialog(method, lang, separator,
                            static_cast<int>(builtInDatabase().ComponentBase.size()));
    save(dialog, QStringLiteral("fitting-method-dialog"));
  }

  TfmAltern altern;
  VariantRequest variant;
  variant.FormCaption = en ? "Choice of variant" : "Выбор варианта";
  variant.Prompt =
      en ? "Wish to calculate a boiling temperature of a mix on\r\npreset pressure and "
           "composition of liquid or vapour phase?\r\nOr pressure on a preset boiling "
           "temperature and composition\r\nof liquid or vapour phase?"
         : "Желаете рассчитать температуру кипения смеси по\r\nзаданному давлению и "
           "составу жидкой или паровой фазы?\r\nИли давление по заданной температуре "
           "кипения и составу\r\nжидкой или паровой фазы?";
  variant.ItemCount = 2;
  variant.Items[1] = en ? "temperature of boiling on pressure" : "температуру кипения по давлению";
  variant.Items[2] = en ? "pressure on temperature of boiling" : "давление по температуре кипения";
  variant.CheckBoxes = AlternCheckBoxes{
      en ? "to set composition of liquid phase" : "задать состав жидкой фазы",
      en ? "to set composition of vapour phase" : "задать состав паровой фазы", true};
  altern.prepare(variant);
  save(altern, QStringLiteral("variant-dialog"));

  TfmCheckListBox checkList;
  ComponentRequest components;
  components.FormCaption =
      en ? "Choice of componental ratio of mixture" : "Выбор компонентного состава смеси";
  components.Prompt = en ? "Set quality ratio of mixture for which it is required to calculate "
                           "boiling point and composition of an equilibrium vapour phase"
                         : "Задайте качественный состав смеси, для которой требуется рассчитать "
                           "температуру кипения и состав равновесной паровой фазы";
  components.Lang = lang;
  for (const TComponentRecord& record : builtInDatabase().ComponentBase)
    components.ItemNames.push_back(en ? record.EnglishName : record.RussianName);
  checkList.prepare(components);
  save(checkList, QStringLiteral("component-dialog"));

  GridEntry grid(219, 0, 2);
  grid.Lang = lang;
  grid.FormCaption =
      en ? "Data entry for calculation of equilibrium" : "Ввод данных для расчета равновесия";
  grid.Prompt = en ? "Enter pressure (mm of a hg) and densities of\r\ncomponents in a fluid phase "
                     "(% of molar) for\r\ncalculation of mix boiling point and equilibrium\r\n"
                     "composition of a vapour phase"
                   : "Введите давление (мм.рт.ст.) и концентрации\r\nкомпонентов в жидкой фазе (% "
                     "мольн.) для рас-\r\nчета температуры кипения смеси и равновесного\r\nсостава "
                     "паровой фазы.";
  grid.Cols = 2;
  grid.Rows = 3;
  grid.CellText[0][0] = en ? "     Pabs " : "     Pабс ";
  grid.CellText[0][1] = en ? " mm of hg. " : " мм рт.ст. ";
  grid.CellText[1][0] = components.ItemNames[0];
  grid.CellText[1][1] = en ? "   % molar" : "   % мольн.";
  TfmStrGr gridDialog(grid, ".");
  gridDialog.sgInput->item(0, 0)->setText(QStringLiteral("760"));
  gridDialog.sgInput->item(0, 1)->setText(QStringLiteral("30"));
  save(gridDialog, QStringLiteral("grid-dialog"));

  ModelRequest model{
      en ? "Choose of phase equilibrium calculation method"
         : "Выбор метода расчета фазового равновесия",
      en ? "Choice of experimental data processing and\r\nphase equilibrium calculation method "
           "between\r\nvapour and liquid phases"
         : "Выберите метод обработки экспериментальных\r\nданных и расчета фазового равновесия "
           "между\r\nпаровой и жидкой фазами",
      en ? "Choose one of equilibrium calculation methods."
         : "Выберите один из методов расчета равновесия.",
      lang};
  TForm1 form1(model);
  save(form1, QStringLiteral("model-dialog"));

  TfmAbProgr about(lang);
  QTimer::singleShot(0, &about, [&about] {
    save(about, QStringLiteral("about-box"));
    about.accept();
  });
  about.exec();
  return userDataPictures(lang, separator);
}
