// Options -> Fitting method... and the residual pictures on the desktop, through the real
// dialogs: the choice reaches the fits of later sessions and their report, bad entries are
// refused naming the field, and the residuals of a binary set are a tab of the Diagram window,
// those of a ternary set a window with a tab per pair.

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <algorithm>

#include "core/base/units.h"
#include "core/session/session_state.h"
#include "gui/component_dialog.h"
#include "gui/desktop.h"
#include "gui/diagram_window.h"
#include "gui/fitting_method_dialog.h"
#include "gui/grid_dialog.h"
#include "gui/gui_test_support.h"
#include "gui/main_window.h"
#include "gui/model_dialog.h"
#include "gui/qt_dialogs.h"
#include "gui/report_memo.h"
#include "gui/residuals_window.h"
#include "gui/variant_dialog.h"

namespace bubblix::gui {
namespace {

using test::ModalDriver;

void firstVariant(TfmAltern* d) {
  d->variants[0]->click();
  d->BitBtn1->click();
}

std::function<void(TfmCheckListBox*)> tick(std::vector<int> rows) {
  return [rows](TfmCheckListBox* d) {
    for (int row : rows)
      d->ChLiBoxVLE->item(row)->setCheckState(Qt::Checked);
    d->BBtChLiBox->click();
  };
}

void wilson(TForm1* d) {
  d->models[0]->click();
  d->Button1->click();
}

void cancelGrid(TfmStrGr* d) {
  d->btbtnCancel->click();
}

// A number as the dialog reads it: with the system's decimal separator.
QString typed(const char* number) {
  return QString::fromLatin1(number).replace(QLatin1Char('.'),
                                             QString::fromStdString(systemDecimalSeparator()));
}

void chooseObjective(TfmFittingMethod* d, FitObjective objective) {
  d->cbObjective->setCurrentIndex(d->cbObjective->findData(static_cast<int>(objective)));
}

bool hasLineWith(const std::vector<std::string>& lines, const std::string& a,
                 const std::string& b = {}) {
  return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
    return line.find(a) != std::string::npos && line.find(b) != std::string::npos;
  });
}

TEST(FittingMethodDesktop, BubbleWithAFixedParameterReachesTheFitAndItsReport) {
  SessionState state;
  auto desktop = test::startEnglishDesktop(state);
  desktop->useCalculationSession();
  TfmVLE& window = *desktop->fmVLE;
  TfrMainForm& frame = *window.frMainForm1;
  EXPECT_EQ(frame.Options1->title(), QStringLiteral("&Options"));
  EXPECT_EQ(frame.FittingMethodAction->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_M));
  EXPECT_FALSE(frame.ResidualsAction->isEnabled());  // no parameter set yet

  {
    ModalDriver driver;
    driver.on<TfmFittingMethod>(
        [](TfmFittingMethod* d) {
          // Every objective of the core's list, the default first; y1 takes no σ and no limits.
          EXPECT_EQ(d->cbObjective->count(), static_cast<int>(kFitObjectives.size()));
          EXPECT_EQ(d->cbObjective->currentData().toInt(), static_cast<int>(FitObjective::Y1));
          EXPECT_FALSE(d->edSigmaT->isEnabled());
          EXPECT_FALSE(d->tbLimits->isEnabled());
          chooseObjective(d, FitObjective::Bubble);
          // bubble weights t, P and y; x is no residual of it.
          EXPECT_TRUE(d->edSigmaT->isEnabled());
          EXPECT_TRUE(d->edSigmaP->isEnabled());
          EXPECT_FALSE(d->edSigmaX->isEnabled());
          EXPECT_TRUE(d->edSigmaY->isEnabled());
          EXPECT_TRUE(d->tbLimits->isEnabled());
          const int row = d->rowOf(QStringLiteral("l21-l22"));
          ASSERT_GE(row, 0);
          d->setCell(row, TfmFittingMethod::kFixedColumn, typed("3.9"));
          d->edSigmaT->setText(typed("0.2"));
          d->buttons->button(QDialogButtonBox::Ok)->click();
        },
        "fitting method");
    frame.FittingMethodAction->trigger();
    ASSERT_TRUE(driver.waitFinished());
  }
  EXPECT_EQ(window.fittingMethod().Objective, FitObjective::Bubble);
  EXPECT_EQ(window.fittingMethod().Sigmas.T, 0.2L);
  EXPECT_EQ(frame.lbFrame->text(), QStringLiteral("Fitting method: objective bubble"));

  ModalDriver driver;
  driver.on<TfmAltern>(firstVariant, "parameter source")
      .on<TfmCheckListBox>(tick({0, 1}), "comp.1 and comp.2")
      .on<TForm1>(wilson, "model: Wilson")
      .answer(QMessageBox::No)  // no parameter file
      .answer(QMessageBox::No)  // no adequacy check
      .on<TfmAltern>(firstVariant, "equilibrium question")
      .on<TfmStrGr>(cancelGrid, "cancel");
  QTest::mouseClick(frame.BitBtnRun, Qt::LeftButton);
  ASSERT_TRUE(driver.waitFinished());

  // The fit held l21-l22 at 3.9 kJ/mol and freed the other; the report names the objective
  // and the fixed parameter after the result line.
  const std::vector<std::string> lines = window.mmVLE->lines();
  EXPECT_EQ(state.ParameterSet.WilsonEnergy[1][0], reducedFromKJPerMol(3.9L));
  EXPECT_TRUE(hasLineWith(lines, " Objective bubble:  chi2 = ")) << lines.size();
  // Under the fitting report's title, the method as chosen.
  EXPECT_NE(std::find(lines.begin(), lines.end(),
                      " Fitting method: objective bubble,  σ t = 0" + systemDecimalSeparator() +
                          "2 K,  σ P = 0" + systemDecimalSeparator() + "5 mm Hg,  σ y = 0" +
                          systemDecimalSeparator() + "003"),
            lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(),
                      "   l21-l22 (every pair) fixed at 3" + systemDecimalSeparator() + "9"),
            lines.end());
  EXPECT_TRUE(hasLineWith(lines, "l21-l22", "fixed: no interval"));
  EXPECT_TRUE(hasLineWith(lines, "l21-l22", "3.9"));

  // The choice stays for the run: the dialog shows it again.
  {
    ModalDriver again;
    again.on<TfmFittingMethod>(
        [](TfmFittingMethod* d) {
          EXPECT_EQ(d->cbObjective->currentData().toInt(), static_cast<int>(FitObjective::Bubble));
          const int row = d->rowOf(QStringLiteral("l21-l22"));
          EXPECT_EQ(d->tbLimits->item(row, TfmFittingMethod::kFixedColumn)->text(), typed("3.9"));
          d->buttons->button(QDialogButtonBox::Cancel)->click();
        },
        "fitting method again");
    frame.FittingMethodAction->trigger();
    ASSERT_TRUE(again.waitFinished());
  }
  EXPECT_EQ(window.fittingMethod().Objective, FitObjective::Bubble);

  // The residuals of the binary set: the Diagram window's last tab, one point per measured
  // point of the built-in set, and the Residuals action shows that tab.
  ASSERT_TRUE(frame.ResidualsAction->isEnabled());
  frame.ResidualsAction->trigger();
  TfmDiagram* diagrams = window.diagramWindow();
  ASSERT_NE(diagrams, nullptr);
  ResidualCanvas* residuals = diagrams->residualCanvas();
  ASSERT_NE(residuals, nullptr);
  EXPECT_EQ(diagrams->tabs->currentWidget(), residuals);
  EXPECT_EQ(diagrams->tabs->indexOf(residuals), diagrams->tabs->count() - 1);
  EXPECT_EQ(diagrams->tabs->tabText(diagrams->tabs->count() - 1), QStringLiteral("Residuals"));
  const plot::ResidualPicture& picture = residuals->picture();
  EXPECT_EQ(picture.Title, "Residuals, calculated − measured: comp.1 – comp.2, Wilson");
  EXPECT_EQ(picture.Unknown.size(), pairExperimentalPoints(builtInDatabase(), 1, 2).x1.size());
  EXPECT_EQ(picture.UnknownAxis, "Δt, K");
  // A bubble fit leaves t residuals of the data's scatter (docs/fitting.md: RMS t 0.26 K for
  // the free fit of this pair): none beyond a few kelvin.
  for (const auto& point : picture.Unknown)
    EXPECT_LT(std::abs(point[1]), 3.0);
}

TEST(FittingMethodDialog, BadEntriesAreRefusedNamingTheFieldAndTheDialogStaysOpen) {
  ObjectiveOptions current;
  TfmFittingMethod dialog(current, Language::English, ".", 4);
  chooseObjective(&dialog, FitObjective::Bubble);
  dialog.edSigmaT->setText(QStringLiteral("abc"));
  const int alpha = dialog.rowOf(QStringLiteral("alp12"));
  {
    ModalDriver driver;
    driver.answer(QMessageBox::Ok);
    dialog.accept();
    ASSERT_TRUE(driver.waitFinished());
    ASSERT_EQ(driver.messages.size(), 1);
    EXPECT_EQ(driver.messages[0], QStringLiteral("σ of t: \"abc\" is not a number"));
  }
  EXPECT_NE(dialog.result(), QDialog::Accepted);
  dialog.edSigmaT->setText(QStringLiteral("0.2"));
  dialog.setCell(alpha, TfmFittingMethod::kLowerColumn, QStringLiteral("0.9"));
  dialog.setCell(alpha, TfmFittingMethod::kUpperColumn, QStringLiteral("0.1"));
  {
    ModalDriver driver;
    driver.answer(QMessageBox::Ok);
    dialog.accept();
    ASSERT_TRUE(driver.waitFinished());
    ASSERT_EQ(driver.messages.size(), 1);
    EXPECT_EQ(driver.messages[0],
              QStringLiteral("Bounds of alp12: the lower bound 0.9 is above the upper bound 0.1"));
  }
  EXPECT_NE(dialog.result(), QDialog::Accepted);
  // An added row names a UNIFAC group parameter; a name that is none is refused.
  const int added = dialog.addRow();
  dialog.setCell(alpha, TfmFittingMethod::kLowerColumn, QString());
  dialog.setCell(added, TfmFittingMethod::kParameterColumn, QStringLiteral("a0[1,x]"));
  dialog.setCell(added, TfmFittingMethod::kFixedColumn, QStringLiteral("100"));
  {
    ModalDriver driver;
    driver.answer(QMessageBox::Ok);
    dialog.accept();
    ASSERT_TRUE(driver.waitFinished());
    ASSERT_EQ(driver.messages.size(), 1);
    EXPECT_TRUE(driver.messages[0].startsWith(
        QStringLiteral("Parameter of row 8: \"a0[1,x]\" names no parameter")))
        << driver.messages[0].toStdString();
  }
  dialog.setCell(added, TfmFittingMethod::kParameterColumn, QStringLiteral("a0[1,5]"));
  dialog.setCell(added, TfmFittingMethod::kPairColumn, QStringLiteral("1-3"));
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  ASSERT_EQ(dialog.options().Constraints.size(), 2u);
  EXPECT_EQ(dialog.options().Constraints[0].Upper, 0.1L);
  EXPECT_EQ(dialog.options().Constraints[1].Label, "a0[1,5]");
  EXPECT_EQ(dialog.options().Constraints[1].Fixed, 100.0L);

  // Defaults: the described objective again.
  dialog.btnDefaults->click();
  EXPECT_EQ(dialog.cbObjective->currentData().toInt(), static_cast<int>(FitObjective::Y1));
  EXPECT_EQ(dialog.tbLimits->item(alpha, TfmFittingMethod::kUpperColumn)->text(), QString());
}

TEST(ResidualsDesktop, ATernarySessionHasAResidualsWindowWithATabPerPair) {
  SessionState state;
  auto desktop = test::startEnglishDesktop(state);
  desktop->useCalculationSession();
  TfmVLE& window = *desktop->fmVLE;
  TfrMainForm& frame = *window.frMainForm1;
  ModalDriver driver;
  driver.on<TfmAltern>(firstVariant, "parameter source")
      .on<TfmCheckListBox>(tick({0, 1, 2}), "comp.1, comp.2 and comp.3")
      .on<TForm1>(wilson, "model: Wilson")
      .answer(QMessageBox::No)  // no parameter file
      .on<TfmAltern>(firstVariant, "equilibrium question")
      .on<TfmStrGr>(cancelGrid, "cancel");
  QTest::mouseClick(frame.BitBtnRun, Qt::LeftButton);
  ASSERT_TRUE(driver.waitFinished());
  ASSERT_EQ(state.ParameterSet.ComponentCount, 3);
  // The default method: the report has no objective block.
  EXPECT_FALSE(hasLineWith(window.mmVLE->lines(), " Objective "));
  EXPECT_FALSE(frame.DiagramAction->isEnabled());  // the diagrams are binary
  ASSERT_TRUE(frame.ResidualsAction->isEnabled());
  frame.ResidualsAction->trigger();
  TfmResiduals* residuals = window.residualsWindow();
  ASSERT_NE(residuals, nullptr);
  EXPECT_TRUE(residuals->isVisible());
  EXPECT_EQ(residuals->windowTitle(),
            QStringLiteral("Residuals: comp.1 - comp.2 - comp.3, Wilson"));
  ASSERT_EQ(residuals->tabs->count(), 3);
  EXPECT_EQ(residuals->tabs->tabText(0), QStringLiteral("comp.1 – comp.2"));
  EXPECT_EQ(residuals->tabs->tabText(1), QStringLiteral("comp.1 – comp.3"));
  EXPECT_EQ(residuals->tabs->tabText(2), QStringLiteral("comp.2 – comp.3"));
  for (int tab = 0; tab < 3; ++tab) {
    const plot::ResidualPicture& picture = residuals->canvas(tab)->picture();
    EXPECT_FALSE(picture.Unknown.empty());
    EXPECT_FALSE(picture.Y1.empty());
  }
  // The picture of the current tab is saved as the diagrams are.
  test::TemporaryCurrentDir dir;
  residuals->tabs->setCurrentIndex(1);
  residuals->saveCurrent(dir.file(QStringLiteral("r13.svg")));
  const std::string svg = test::readFileBytes(dir.file(QStringLiteral("r13.svg")));
  EXPECT_NE(svg.find("comp.1 – comp.3, Wilson"), std::string::npos);
}

}  // namespace
}  // namespace bubblix::gui
