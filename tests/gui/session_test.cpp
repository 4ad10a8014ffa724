// Whole calculation sessions started by the Run button and answered through the real dialogs:
// a binary fit with the adequacy check and one boiling point, a parameter file loaded, and a
// session in which the user chooses to end the program; and a save checked against the files
// saved since start-up.

#include <gtest/gtest.h>

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <sstream>

#include "core/analysis/analysis_test_support.h"
#include "core/analysis/phase_diagram.h"
#include "core/base/units.h"
#include "core/data/database.h"
#include "core/models/parameter_file.h"
#include "core/session/session_state.h"
#include "gui/actions.h"
#include "gui/component_dialog.h"
#include "gui/desktop.h"
#include "gui/diagram_window.h"
#include "gui/grid_dialog.h"
#include "gui/gui_test_support.h"
#include "gui/language_dialog.h"
#include "gui/main_window.h"
#include "gui/model_dialog.h"
#include "gui/report_memo.h"
#include "gui/variant_dialog.h"

namespace bubblix::gui {
namespace {

using test::ModalDriver;
using test::startEnglishDesktop;

// Answers of the dialogs, as a user gives them.
std::function<void(TfmAltern*)> variant(int index) {
  return [index](TfmAltern* d) {
    ASSERT_LT(index, static_cast<int>(d->variants.size()));
    d->variants[static_cast<std::size_t>(index)]->click();
    d->BitBtn1->click();
  };
}

std::function<void(TfmCheckListBox*)> tick(std::vector<int> rows) {
  return [rows](TfmCheckListBox* d) {
    ASSERT_EQ(d->ChLiBoxVLE->count(), 4);
    for (int row : rows)
      d->ChLiBoxVLE->item(row)->setCheckState(Qt::Checked);
    d->BBtChLiBox->click();
  };
}

std::function<void(TForm1*)> model(int index) {
  return [index](TForm1* d) {
    d->models[static_cast<std::size_t>(index)]->click();
    d->Button1->click();
  };
}

std::function<void(TfmStrGr*)> enter(QStringList cells) {
  return [cells](TfmStrGr* d) {
    for (int c = 0; c < cells.size(); ++c)
      d->sgInput->item(0, c)->setText(cells[c]);
    d->btbtnOk->click();
  };
}

void cancelGrid(TfmStrGr* d) {
  d->btbtnCancel->click();
}

std::vector<double> numbers(const std::string& line) {
  std::istringstream in(line);
  std::vector<double> out;
  for (double v; in >> v;)
    out.push_back(v);
  return out;
}

std::string dump(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines)
    out += "|" + l + "|\n";
  return out;
}

TEST(DesktopSession, BinaryFitAdequacyAndOneBoilingPointThroughTheRealDialogs) {
  SessionState state;
  auto desktop = startEnglishDesktop(state);
  desktop->useCalculationSession();
  TfmVLE& window = *desktop->fmVLE;

  ModalDriver driver;
  driver.on<TfmAltern>(variant(0), "parameter source")
      .on<TfmCheckListBox>(tick({0, 1}), "components")
      .on<TForm1>(model(1), "model: NRTL")
      .answer(QMessageBox::No)   // no parameter file
      .answer(QMessageBox::Yes)  // the adequacy check with its summary
      .on<TfmAltern>(variant(0), "boiling temperature at a pressure, liquid given")
      .on<TfmStrGr>(enter({"760", "30"}), "point: 760 mm Hg, 30 % comp.1")
      .on<TfmStrGr>(cancelGrid, "cancel");
  QTest::mouseClick(window.frMainForm1->BitBtnRun, Qt::LeftButton);
  ASSERT_TRUE(driver.waitFinished());
  EXPECT_EQ(driver.messages,
            (QStringList{QStringLiteral("Wish to create the file of outcomes of calculation for "
                                        "usage in other programs ?"),
                         QStringLiteral("Wish to verify adequacy to model NRTL ?")}));

  const std::vector<std::string> lines = window.mmVLE->lines();
  SCOPED_TRACE(dump(lines));
  ASSERT_GT(lines.size(), 20u);
  // The fitting part: its title, the pair's heading, progress line and result line.
  EXPECT_EQ(lines[0],
            " Calculation of power parameters of intermolecular (intergroup)interaction.");
  const auto at = [&lines](const std::string& text) {
    return std::find(lines.begin(), lines.end(), text) - lines.begin();
  };
  const auto heading =
      at("component comp.1-comp.2 of model NRTL and root-mean-square error of "
         "calculation.");
  ASSERT_LT(heading, static_cast<long>(lines.size()));
  EXPECT_EQ(lines[static_cast<std::size_t>(heading) - 1],
            "Power parameters of binary interaction of molecules (structural groups)");
  // The session's heading.
  const auto title =
      at("       Calculation of an vapor-liquid  equilibrium in multi-component system.");
  ASSERT_LT(title, static_cast<long>(lines.size()));
  EXPECT_GT(title, heading);
  EXPECT_EQ(lines[static_cast<std::size_t>(title) + 1],
            "Equilibrium calculation method NRTL. The denotations:");
  // The adequacy table: the system line, the column titles and one row per measured point.
  const auto system = at("        Vapour-liquid equilibrium in the system  -comp.1-comp.2");
  ASSERT_LT(system, static_cast<long>(lines.size()));
  EXPECT_EQ(lines[static_cast<std::size_t>(system) + 1],
            "tboi(dg.C) P(mm. of hg) x1(% mol.) x1(% mas.) y1(% mol.) y1(% mas.) gamma1  gamma2");
  const std::size_t measured = measuredPoints(builtInDatabase(), state.ParameterSet).size();
  ASSERT_GT(measured, 10u);
  const std::size_t firstRow = static_cast<std::size_t>(system) + 2;
  for (std::size_t k = 0; k < measured; ++k)
    EXPECT_EQ(numbers(lines[firstRow + k]).size(), 8u) << lines[firstRow + k];
  EXPECT_EQ(lines[firstRow + measured],
            "Average square-law error of calculations (adequacy of model):");
  // The equilibrium table and its one row.
  const auto note = at("All densities of components are expressed in molar percents ");
  ASSERT_LT(note, static_cast<long>(lines.size()));
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(note) + 5);
  const std::vector<double> row = numbers(lines.back());
  ASSERT_EQ(row.size(), 6u) << lines.back();
  // P, t, x1, y1, x2, y2: the given pressure and liquid, the vapour summing to 100 %.
  EXPECT_EQ(lines.back().substr(0, 10), "  760.0000");
  EXPECT_DOUBLE_EQ(row[2], 30.0);
  EXPECT_DOUBLE_EQ(row[4], 70.0);
  // The bubble-point solver stops with the vapour fractions summing to 1 within about 1e-5.
  EXPECT_NEAR(row[3] + row[5], 100.0, 5e-3);
  // The model against the built-in data point at x1 = 0.30: within the fit's errors (about
  // 0.2 degC and 0.005 mole fraction, the adequacy summary's order).
  const auto data = measuredPoints(builtInDatabase(), state.ParameterSet);
  const auto point = std::find_if(data.begin(), data.end(), [](const MeasuredPoint& m) {
    return std::abs(static_cast<double>(m.x1) - 0.30) < 1e-9;
  });
  ASSERT_NE(point, data.end());
  EXPECT_NEAR(row[1], static_cast<double>(celsiusFromTau(point->tau)), 0.5);
  EXPECT_NEAR(row[3] / 100, static_cast<double>(point->y1), 0.01);

  // The session over: Run is back, the status line empty, and the fitted binary set can be
  // drawn.
  EXPECT_TRUE(window.frMainForm1->BitBtnRun->isEnabled());
  EXPECT_EQ(window.frMainForm1->lbFrame->text(), QString());
  EXPECT_EQ(state.ParameterSet.ModelCode, Model::NRTL);
  EXPECT_TRUE(window.frMainForm1->DiagramAction->isEnabled());
  window.frMainForm1->DiagramAction->trigger();
  ASSERT_NE(window.diagramWindow(), nullptr);
  EXPECT_EQ(window.diagramWindow()->tabs->count(), 4);  // t-x-y, y-x, ln gamma, residuals
  EXPECT_EQ(window.mmVLE->line(static_cast<int>(lines.size())),
            "Vapour-liquid equilibrium comp.1-comp.2: t-x-y at P = 760.00 mm Hg, model NRTL");

  // Exit closes the diagrams with the main window.
  ModalDriver exit;
  exit.answer(QMessageBox::No);
  desktop->fmAction->CancAction->trigger();
  ASSERT_TRUE(exit.waitFinished());
  EXPECT_FALSE(window.isVisible());
  EXPECT_FALSE(window.diagramWindow()->isVisible());
}

TEST(DesktopSession, ALoadedBinarySetCanBeDrawnToo) {
  test::TemporaryCurrentDir cwd;
  const QString file = cwd.file(QStringLiteral("NRTL.dat"));
  const std::vector<std::uint8_t> bytes =
      encodeParameterFile(bubblix::test::fitted(1, 2, Model::NRTL).set);
  test::writeFileBytes(file, std::string(bytes.begin(), bytes.end()));

  SessionState state;
  auto desktop = startEnglishDesktop(state);
  desktop->useCalculationSession();
  TfmVLE& window = *desktop->fmVLE;
  EXPECT_FALSE(window.frMainForm1->DiagramAction->isEnabled());
  ModalDriver driver;
  driver.on<TfmAltern>(variant(1), "parameter source: a file")
      .on<QFileDialog>(
          [&file](QFileDialog* d) {
            auto* edit = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(edit, nullptr);
            edit->setText(file);
            static_cast<QDialog*>(d)->accept();
          },
          "open dialog")
      .answer(QMessageBox::No)  // no adequacy summary
      .on<TfmAltern>(variant(0), "equilibrium question")
      .on<TfmStrGr>(cancelGrid, "cancel");
  QTest::mouseClick(window.frMainForm1->BitBtnRun, Qt::LeftButton);
  ASSERT_TRUE(driver.waitFinished());
  EXPECT_EQ(driver.messages,
            QStringList{QStringLiteral("Wish to verify adequacy to model NRTL ?")});
  EXPECT_EQ(window.mmVLE->line(1), "Equilibrium calculation method NRTL. The denotations:");
  EXPECT_TRUE(window.frMainForm1->DiagramAction->isEnabled());
}

TEST(DesktopSession, ASaveAsNeverTakesTheBackupNameOfAFileSavedSinceStartUp) {
  test::TemporaryCurrentDir cwd;
  SessionState state;
  auto desktop = startEnglishDesktop(state);
  // As the fitting session saves its parameter file into the run's record.
  const QString parameters = cwd.file(QStringLiteral("NRTL.dat"));
  state.Files.save(parameters.toStdString(), FileRole::ParameterFile, "parameters");
  desktop->fmVLE->mmVLE->append("result");
  ModalDriver driver;
  driver
      .on<QFileDialog>(
          [&cwd](QFileDialog* d) {
            auto* edit = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(edit, nullptr);
            edit->setText(cwd.file(QStringLiteral("NRTL.txt")));
            static_cast<QDialog*>(d)->accept();
          },
          "save dialog")
      .answer(QMessageBox::Ok);
  desktop->fmAction->SavAsAction->trigger();
  ASSERT_TRUE(driver.waitFinished());
  ASSERT_EQ(driver.messages.size(), 1);
  EXPECT_TRUE(
      driver.messages[0].contains(QStringLiteral("is also the back-up copy of ") + parameters))
      << driver.messages[0].toStdString();
  EXPECT_FALSE(QFileInfo::exists(cwd.file(QStringLiteral("NRTL.txt"))));
  EXPECT_FALSE(QFileInfo::exists(cwd.file(QStringLiteral("NRTL.bak"))));
}

TEST(DesktopSession, EscapeInTheComponentDialogEndsTheSessionAndTheModelDialogsExitSaysSo) {
  SessionState state;
  auto desktop = startEnglishDesktop(state);
  desktop->useCalculationSession();
  TfmVLE& window = *desktop->fmVLE;
  window.mmVLE->append("earlier result");
  {
    // Escape: no warning, no dialog after it, nothing fitted, the report as it was.
    ModalDriver driver;
    driver.on<TfmAltern>(variant(0), "parameter source")
        .on<TfmCheckListBox>(
            [](TfmCheckListBox* d) {
              d->ChLiBoxVLE->item(0)->setCheckState(Qt::Checked);
              QTest::keyClick(d, Qt::Key_Escape);
            },
            "components: Escape");
    QTest::mouseClick(window.frMainForm1->BitBtnRun, Qt::LeftButton);
    ASSERT_TRUE(driver.waitFinished());
    EXPECT_TRUE(driver.messages.isEmpty());
  }
  EXPECT_FALSE(window.sessionRunning());
  EXPECT_EQ(window.mmVLE->lines(), std::vector<std::string>{"earlier result"});
  EXPECT_FALSE(state.FittedModel.has_value());
  EXPECT_EQ(state.ParameterSet.ComponentCount, 0);

  // OK with one component still warns and asks again; the close box then leaves.
  {
    ModalDriver driver;
    driver.on<TfmAltern>(variant(0), "parameter source")
        .on<TfmCheckListBox>(tick({2}), "one component")
        .answer(QMessageBox::Ok)
        .on<TfmCheckListBox>([](TfmCheckListBox* d) { d->close(); }, "components: close box");
    QTest::mouseClick(window.frMainForm1->BitBtnRun, Qt::LeftButton);
    ASSERT_TRUE(driver.waitFinished());
    EXPECT_EQ(driver.messages,
              QStringList{QStringLiteral("For calculation of vapor-liquid equilibrium choice not "
                                         "less than two components is required")});
  }
  EXPECT_EQ(window.mmVLE->lines(), std::vector<std::string>{"earlier result"});

  // Exit in the model dialog ends the session with a word.
  ModalDriver driver;
  driver.on<TfmAltern>(variant(0), "parameter source")
      .on<TfmCheckListBox>(tick({0, 1}), "components")
      .on<TForm1>([](TForm1* d) { d->Button2->click(); }, "model: Exit")
      .answer(QMessageBox::Ok);
  QTest::mouseClick(window.frMainForm1->BitBtnRun, Qt::LeftButton);
  ASSERT_TRUE(driver.waitFinished());
  EXPECT_EQ(driver.messages,
            QStringList{QStringLiteral(
                "The calculation session has ended: no calculation method was chosen")});
  EXPECT_EQ(driver.icons, std::vector<QMessageBox::Icon>{QMessageBox::Warning});
  EXPECT_FALSE(state.FittedModel.has_value());
}

TEST(DesktopSession, EndingTheProgramInsideTheSessionLeavesThroughExitWhichOffersTheReport) {
  // A database without data for comp.1-comp.2: the fit asks what to do, and the user ends the
  // program.
  Database db = buildDatabase();
  db.ExperimentalData[0][1] = TExperimentalSet{};
  SessionState state;
  auto desktop = startEnglishDesktop(state);
  desktop->useCalculationSession(db);
  TfmVLE& window = *desktop->fmVLE;

  int exitTriggered = 0;
  QObject::connect(desktop->fmAction->CancAction, &QAction::triggered,
                   [&exitTriggered] { ++exitTriggered; });
  ModalDriver driver;
  driver.on<TfmAltern>(variant(0), "parameter source")
      .on<TfmCheckListBox>(tick({0, 1}), "components")
      .on<TForm1>(model(0), "model: Wilson")
      .on<TfmAltern>(
          [&](TfmAltern* d) {
            EXPECT_EQ(d->variants.size(), 3u);
            EXPECT_NE(d->Label1->text().indexOf(QStringLiteral("2 - to complete activity of the "
                                                               "program")),
                      -1)
                << d->Label1->text().toStdString();
            variant(1)(d);
          },
          "no data: end the program")
      .on<QMessageBox>(
          [&](QMessageBox* box) {
            // Exit's question comes once the session is over.
            EXPECT_FALSE(window.sessionRunning());
            EXPECT_TRUE(window.frMainForm1->BitBtnRun->isEnabled());
            driver.messages << box->text();
            box->button(QMessageBox::No)->click();
          },
          "keep the report?");
  QTest::mouseClick(window.frMainForm1->BitBtnRun, Qt::LeftButton);
  ASSERT_TRUE(driver.waitFinished());
  EXPECT_EQ(exitTriggered, 1);
  EXPECT_EQ(driver.messages,
            QStringList{QStringLiteral("Wish to keep the text with results in a file (y/n) ?")});
  // The report kept the pair's heading; the window has closed.
  EXPECT_GT(window.mmVLE->lineCount(), 0);
  EXPECT_TRUE(QTest::qWaitFor([&window] { return !window.isVisible(); }, 2000));
}

}  // namespace
}  // namespace bubblix::gui
