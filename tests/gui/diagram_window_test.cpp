// The main window's Diagram action and the diagram window: when the action is enabled, what the
// window shows and reports, P-x-y at a temperature the user gives, saving.

#include <gtest/gtest.h>

#include <QAction>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "core/analysis/analysis_test_support.h"
#include "core/base/units.h"
#include "core/session/session_state.h"
#include "gui/desktop.h"
#include "gui/diagram_window.h"
#include "gui/gui_test_support.h"
#include "gui/language_dialog.h"
#include "gui/main_window.h"
#include "gui/report_memo.h"
#include "plot/diagram_painter.h"

namespace bubblix::gui {
namespace {

using test::ModalDriver;
using test::startEnglishDesktop;

const TParameterSet& nrtl12() {
  return bubblix::test::fitted(1, 2, Model::NRTL).set;
}

// Runs one session that leaves `set` as the parameter set.
void runSessionLeaving(TfmVLE& window, SessionState& state, const TParameterSet& set) {
  window.setSession([&state, set](Dialogs&, ReportDocument&) { state.ParameterSet = set; });
  QTest::mouseClick(window.frMainForm1->BitBtnRun, Qt::LeftButton);
}

TEST(DiagramAction, IsEnabledWhileTheParameterSetIsBinaryWithAModelAndNoSessionRuns) {
  SessionState state;
  auto desktop = startEnglishDesktop(state);
  TfmVLE& window = *desktop->fmVLE;
  TfrMainForm& frame = *window.frMainForm1;
  // Before any session there is no set.
  EXPECT_FALSE(frame.DiagramAction->isEnabled());
  EXPECT_FALSE(frame.ToolBtnDiagram->isEnabled());

  bool enabledDuringSession = true;
  window.setSession([&](Dialogs&, ReportDocument&) {
    enabledDuringSession = frame.DiagramAction->isEnabled();
    state.ParameterSet = nrtl12();
  });
  QTest::mouseClick(frame.BitBtnRun, Qt::LeftButton);
  EXPECT_FALSE(enabledDuringSession);
  EXPECT_TRUE(frame.DiagramAction->isEnabled());
  EXPECT_TRUE(frame.ToolBtnDiagram->isEnabled());

  // A ternary set: off again.
  TParameterSet ternary = nrtl12();
  ternary.ComponentCount = 3;
  runSessionLeaving(window, state, ternary);
  EXPECT_FALSE(frame.DiagramAction->isEnabled());
  EXPECT_FALSE(frame.ToolBtnDiagram->isEnabled());

  // A session that fails still leaves its set: the action follows the set.
  window.setSession([&](Dialogs&, ReportDocument&) {
    state.ParameterSet = nrtl12();
    throw std::runtime_error("stopped");
  });
  ModalDriver driver;
  driver.answer(QMessageBox::Ok);
  QTest::mouseClick(frame.BitBtnRun, Qt::LeftButton);
  ASSERT_TRUE(driver.waitFinished());
  EXPECT_TRUE(frame.DiagramAction->isEnabled());
  // The tool button carries the action out.
  EXPECT_EQ(window.diagramWindow(), nullptr);
  QTest::mouseClick(frame.ToolBtnDiagram, Qt::LeftButton);
  ASSERT_NE(window.diagramWindow(), nullptr);
  EXPECT_TRUE(window.diagramWindow()->isVisible());
}

TEST(DiagramWindow, OpensWithFourTabsAndReportsTheAnalysisOncePerSession) {
  SessionState state;
  auto desktop = startEnglishDesktop(state);
  TfmVLE& window = *desktop->fmVLE;
  runSessionLeaving(window, state, nrtl12());
  window.mmVLE->append("session report");

  window.frMainForm1->DiagramAction->trigger();
  TfmDiagram* shown = window.diagramWindow();
  ASSERT_NE(shown, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(shown));
  EXPECT_EQ(shown->windowTitle(), QStringLiteral("Phase diagrams comp.1-comp.2, model NRTL"));
  ASSERT_EQ(shown->tabs->count(), 4);
  EXPECT_EQ(shown->tabs->tabText(0), QStringLiteral("t-x-y"));
  EXPECT_EQ(shown->tabs->tabText(1), QStringLiteral("y-x"));
  // The pair's data with the point test's series: the 50 points with 0 < x1 < 1, 0 < y1 < 1.
  EXPECT_EQ(shown->tabs->tabText(2), QStringLiteral("ln γ (data)"));
  ASSERT_NE(shown->gammaCanvas(), nullptr);
  EXPECT_EQ(shown->gammaCanvas()->picture().Measured.size(), 50u);
  // The residuals of the fit against the same data, the last tab: every point solved.
  EXPECT_EQ(shown->tabs->tabText(3), QStringLiteral("Residuals"));
  ASSERT_NE(shown->residualCanvas(), nullptr);
  EXPECT_EQ(shown->residualCanvas()->picture().Unknown.size(),
            measuredPoints(builtInDatabase(), state.ParameterSet).size());
  EXPECT_EQ(shown->gammaCanvas()->picture().Series.size(),
            static_cast<std::size_t>(plot::kSeriesCurvePoints));
  EXPECT_EQ(shown->canvas(0)->view(), plot::DiagramView::Main);
  EXPECT_EQ(shown->canvas(1)->view(), plot::DiagramView::Xy);
  // At the pressure of the pair's data, 760 mm Hg.
  EXPECT_TRUE(shown->canvas(0)->data().isobaric());
  EXPECT_EQ(shown->canvas(0)->data().Analysis.Diagram.At.Value, 101308.0L);
  // The diagram shown is painted into the tab.
  const QImage painted = shown->canvas(0)->grab().toImage();
  EXPECT_GT(shown->canvas(0)->lastLayout().Plot.width(), 100);
  int coloured = 0;
  for (int y = 0; y < painted.height(); ++y)
    for (int x = 0; x < painted.width(); ++x)
      coloured += (painted.pixel(x, y) & 0xffffff) == plot::DiagramColours::Bubble ? 1 : 0;
  EXPECT_GT(coloured, 100);

  // The report: the diagram's title and the analysis lines, below what was there.
  const std::vector<std::string> lines = window.mmVLE->lines();
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "session report");
  EXPECT_EQ(lines[1],
            "Vapour-liquid equilibrium comp.1-comp.2: t-x-y at P = 760.00 mm Hg, model NRTL");
  // Reference values of this fit: 78.32 degC, x1 = 0.9944.
  EXPECT_EQ(lines[2].rfind("Azeotrope at t = 78.3", 0), 0u) << lines[2];
  EXPECT_NE(lines[2].find("mm Hg: x1 = y1 = 0.99"), std::string::npos) << lines[2];
  EXPECT_EQ(lines[3],
            "No liquid split at P = 760.00 mm Hg: the single liquid is stable at every bubble "
            "point");

  // Opened again, closed or not: the same window, nothing more in the report.
  window.frMainForm1->DiagramAction->trigger();
  EXPECT_EQ(window.diagramWindow(), shown);
  shown->btnClose->click();
  EXPECT_FALSE(shown->isVisible());
  window.frMainForm1->DiagramAction->trigger();
  EXPECT_EQ(window.diagramWindow(), shown);
  EXPECT_TRUE(shown->isVisible());
  EXPECT_EQ(window.mmVLE->lineCount(), 4);

  // A new session closes the window; the next opening draws the new set and reports it.
  runSessionLeaving(window, state, bubblix::test::fitted(1, 3, Model::Wilson).set);
  EXPECT_FALSE(window.diagramWindow() != nullptr && window.diagramWindow()->isVisible());
  window.frMainForm1->DiagramAction->trigger();
  ASSERT_NE(window.diagramWindow(), nullptr);
  EXPECT_EQ(window.diagramWindow()->windowTitle(),
            QStringLiteral("Phase diagrams comp.1-comp.3, model Wilson"));
  EXPECT_EQ(window.mmVLE->lineCount(), 7);
  EXPECT_EQ(window.mmVLE->line(5).rfind("No azeotrope at P = ", 0), 0u) << window.mmVLE->line(5);
}

TEST(DiagramWindow, PxyAtTheTemperatureGivenInAThirdTab) {
  std::vector<std::string> reported;
  TfmDiagram w(nrtl12(), Language::English, ".", [&](const std::vector<std::string>& lines) {
    reported.insert(reported.end(), lines.begin(), lines.end());
  });
  w.show();
  ASSERT_EQ(reported.size(), 3u);
  w.sePxyTemperature->setValue(80.0);
  QTest::mouseClick(w.btnPxy, Qt::LeftButton);
  ASSERT_EQ(w.tabs->count(), 5);
  EXPECT_EQ(w.tabs->currentIndex(), 2);
  EXPECT_EQ(w.tabs->tabText(2), QStringLiteral("P-x-y at 80.00 °C"));
  const plot::DiagramData& pxy = w.canvas(2)->data();
  EXPECT_FALSE(pxy.isobaric());
  EXPECT_NEAR(celsiusFromTau(pxy.Analysis.Diagram.At.Value), 80.0L, 1e-12L);
  EXPECT_EQ(pxy.Labels.MainTitle,
            "Vapour-liquid equilibrium comp.1-comp.2: P-x-y at t = 80.00 °C, model NRTL");
  // The ends of the bubble curve are the pure components' vapour pressures at 80 degC, 355.100
  // and 812.603 mm Hg (the built-in property table as bubblix-cli prints it); 0.001 mm Hg is the
  // table's last digit.
  const auto& bubble = pxy.Analysis.Diagram.Bubble.Points;
  ASSERT_EQ(bubble.size(), 101u);
  EXPECT_NEAR(paToMmHg(bubble.front().P), 355.100L, 0.001L);
  EXPECT_NEAR(paToMmHg(bubble.back().P), 812.603L, 0.001L);
  // The P-x-y lines go to the report after the t-x-y ones.
  ASSERT_EQ(reported.size(), 6u);
  EXPECT_EQ(reported[3], pxy.Labels.MainTitle);
  EXPECT_EQ(reported[4].rfind("Azeotrope at t = 80.00 °C, P = 812.", 0), 0u) << reported[4];

  // Another temperature replaces the third tab.
  w.sePxyTemperature->setValue(60.0);
  QTest::mouseClick(w.btnPxy, Qt::LeftButton);
  ASSERT_EQ(w.tabs->count(), 5);
  EXPECT_EQ(w.tabs->tabText(2), QStringLiteral("P-x-y at 60.00 °C"));
  EXPECT_NEAR(celsiusFromTau(w.canvas(2)->data().Analysis.Diagram.At.Value), 60.0L, 1e-12L);
  EXPECT_EQ(reported.size(), 9u);

  // A temperature at which nothing can be solved: a message; the tab and the report stay.
  ModalDriver driver;
  driver.answer(QMessageBox::Ok);
  EXPECT_FALSE(w.drawIsothermal(-273.0));
  ASSERT_TRUE(driver.waitFinished());
  EXPECT_EQ(driver.messages.value(0).left(43),
            QStringLiteral("No bubble point at t = -273.00 °C could be "));
  EXPECT_EQ(w.tabs->count(), 5);
  EXPECT_EQ(w.tabs->tabText(2), QStringLiteral("P-x-y at 60.00 °C"));
  EXPECT_EQ(reported.size(), 9u);
}

TEST(DiagramWindow, SavesTheDiagramShownAsPngOrSvg) {
  TfmDiagram w(nrtl12(), Language::Russian, ",", {});
  w.show();
  QTemporaryDir dir;
  w.tabs->setCurrentIndex(1);
  const QString svg = dir.filePath(QStringLiteral("yx.svg"));
  w.saveCurrent(svg);
  EXPECT_NE(test::readFileBytes(svg).find("y-x при P = 760,00 мм рт.ст., модель NRTL"),
            std::string::npos);

  // Through the Save button: a name without an ending gets .png.
  const QString typed = dir.filePath(QStringLiteral("picture"));
  ModalDriver driver;
  driver.on<QFileDialog>(
      [&typed](QFileDialog* d) {
        EXPECT_EQ(d->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(d->nameFilters(), (QStringList{QStringLiteral("Рисунок PNG (*.png)"),
                                                 QStringLiteral("Рисунок SVG (*.svg)")}));
        auto* edit = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(edit, nullptr);
        // The name proposed for the y-x tab.
        EXPECT_EQ(edit->text(), QStringLiteral("diagram-xy.png"));
        edit->setText(typed);
        static_cast<QDialog*>(d)->accept();
      },
      "save dialog");
  QTest::mouseClick(w.btnSave, Qt::LeftButton);
  ASSERT_TRUE(driver.waitFinished());
  const QImage image(typed + QStringLiteral(".png"));
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.size(), QSize(plot::kDefaultDiagramWidth, plot::kDefaultDiagramHeight));
}

TEST(DiagramAction, ASetTheAnalysisRefusesGivesAMessageAndNoWindow) {
  SessionState state;
  auto desktop = startEnglishDesktop(state);
  TfmVLE& window = *desktop->fmVLE;
  TParameterSet set = nrtl12();
  set.Components[1] = 7;
  runSessionLeaving(window, state, set);
  ASSERT_TRUE(window.frMainForm1->DiagramAction->isEnabled());
  ModalDriver driver;
  driver.answer(QMessageBox::Ok);
  window.frMainForm1->DiagramAction->trigger();
  ASSERT_TRUE(driver.waitFinished());
  EXPECT_EQ(driver.messages,
            QStringList{QStringLiteral(
                "The parameter set names component number 7; the database holds components 1 to "
                "4")});
  EXPECT_EQ(driver.icons[0], QMessageBox::Critical);
  EXPECT_EQ(window.diagramWindow(), nullptr);
  EXPECT_EQ(window.mmVLE->lineCount(), 0);
}

}  // namespace
}  // namespace bubblix::gui
