// Start-up and the main window: the language, the captions and hints in both languages, the
// menu, the clock, the printer check, the Run button's mechanics.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTest>
#include <QTime>
#include <QToolBar>
#include <QToolButton>

#include "core/session/session_state.h"
#include "gui/actions.h"
#include "gui/desktop.h"
#include "gui/gui_test_support.h"
#include "gui/language_dialog.h"
#include "gui/main_window.h"
#include "gui/qt_dialogs.h"
#include "gui/report_memo.h"
#include "gui/variant_dialog.h"

namespace bubblix::gui {
namespace {

using test::ModalDriver;

StartUpOptions withPrinter() {
  return {[] { return true; }};
}

// Starts the desktop, answering the language dialog with `answer`.
std::unique_ptr<Desktop> startDesktop(SessionState& state, std::function<void(TForm0*)> answer,
                                      const StartUpOptions& options = withPrinter()) {
  ModalDriver driver;
  driver.on<TForm0>(std::move(answer), "language dialog");
  auto desktop = std::make_unique<Desktop>(state, options);
  desktop->show();
  EXPECT_TRUE(QTest::qWaitForWindowActive(desktop->fmVLE.get()));
  return desktop;
}

QStringList menuTexts(const QList<QAction*>& actions) {
  QStringList out;
  for (QAction* a : actions)
    out << (a->isSeparator() ? QStringLiteral("-") : a->text());
  return out;
}

TEST(StartUp, EnglishGivesEnglishCaptionsHintsAndMenus) {
  SessionState state;
  auto desktop = startDesktop(state, [](TForm0* f) { f->Button1->click(); });
  EXPECT_EQ(state.InterfaceLanguage, Language::English);
  EXPECT_EQ(QApplication::applicationName(), QStringLiteral("Bubblix"));
  TfmVLE& window = *desktop->fmVLE;
  TfrMainForm& frame = *window.frMainForm1;
  EXPECT_EQ(window.windowTitle(),
            QStringLiteral("Vapor-liquid equilibrium calculation in multi-component systems."));
  EXPECT_EQ(QApplication::focusWidget(), frame.BitBtnRun);
  EXPECT_EQ(frame.BitBtnRun->text(), QStringLiteral("Run"));
  EXPECT_EQ(frame.BitBtCancel->text(), QStringLiteral("Cancel"));
  EXPECT_EQ(frame.BitBtnRun->toolTip(), QStringLiteral("Click on this button to begin operations"));
  EXPECT_EQ(frame.ToolBtnOpen->toolTip(), QStringLiteral("To open a file"));
  EXPECT_EQ(frame.ToolBtnSave->toolTip(), QStringLiteral("To save in the file"));
  EXPECT_EQ(frame.ToolBtnSaveAs->toolTip(), QStringLiteral("To save As"));
  EXPECT_EQ(frame.ToolBtnAbout->toolTip(), QStringLiteral("About program"));
  EXPECT_EQ(frame.ToolBtnHomePage->toolTip(), QStringLiteral("To visit the HomePage"));
  EXPECT_EQ(frame.ToolBar1->windowTitle(), QStringLiteral("Все для работы с файлами и папками"));

  // The File menu keeps "File"; its Exit item is the action that the Exit button triggers.
  // The menu bar's entries keep their order; the phase diagrams come last.
  EXPECT_EQ(menuTexts(frame.frMainMenu1->actions()),
            (QStringList{"File", "Font", "Print", "About", "HomePage", "Diagram"}));
  EXPECT_EQ(frame.frMainMenu1->actions().back(), frame.DiagramAction);
  EXPECT_EQ(
      frame.ToolBtnDiagram->toolTip(),
      QStringLiteral("Phase diagrams (t-x-y, y-x, P-x-y) of the binary parameter set of the last "
                     "session"));
  EXPECT_EQ(menuTexts(frame.File1->actions()),
            (QStringList{"Open", "Save", "Save as", "-", "Exit", "-", "Font", "Print"}));
  EXPECT_EQ(frame.File1->actions()[4], desktop->fmAction->CancAction);
  EXPECT_EQ(frame.File1->actions()[6], desktop->fmAction->FontAction);
  EXPECT_EQ(desktop->fmAction->Lang(), Language::English);
  // Every tool button has its picture.
  for (QToolButton* b :
       {frame.ToolBtnOpen, frame.ToolBtnSave, frame.ToolBtnSaveAs, frame.ToolBtnFont,
        frame.ToolBtnPrint, frame.ToolBtnAbout, frame.ToolBtnHomePage, frame.ToolBtnDiagram}) {
    EXPECT_FALSE(b->icon().isNull()) << b->objectName().toStdString();
  }
}

TEST(StartUp, RussianGivesRussianCaptionsAndTheCloseBoxToo) {
  for (const bool closeBox : {false, true}) {
    SCOPED_TRACE(closeBox ? "close box" : "Ru");
    SessionState state;
    auto desktop = startDesktop(state, [closeBox](TForm0* f) {
      if (closeBox) {
        f->close();
      } else {
        f->Button2->click();
      }
    });
    EXPECT_EQ(state.InterfaceLanguage, closeBox ? Language::NotChosen : Language::Russian);
    EXPECT_EQ(QApplication::applicationName(), QStringLiteral("Bubblix"));
    TfrMainForm& frame = *desktop->fmVLE->frMainForm1;
    EXPECT_EQ(
        desktop->fmVLE->windowTitle(),
        QStringLiteral("Расчет равновесия между паром и жидкостью в многокомпонентных системах"));
    EXPECT_EQ(frame.BitBtnRun->text(), QStringLiteral("Пуск"));
    EXPECT_EQ(frame.BitBtCancel->text(), QStringLiteral("Выход"));
    EXPECT_EQ(frame.BitBtnRun->toolTip(),
              QStringLiteral("Для начала работы щелкните по этой кнопке"));
    EXPECT_EQ(frame.ToolBtnHomePage->toolTip(), QStringLiteral("Посетить Домашнюю страницу"));
    EXPECT_EQ(
        menuTexts(frame.frMainMenu1->actions()),
        (QStringList{"Файл", "Шрифт", "Печать", "О программе", "Домашняя страница", "Диаграмма"}));
    EXPECT_EQ(frame.ToolBtnDiagram->toolTip(),
              QStringLiteral("Фазовые диаграммы (t-x-y, y-x, P-x-y) бинарного набора параметров "
                             "последнего расчета"));
    EXPECT_EQ(menuTexts(frame.File1->actions()),
              (QStringList{"Открыть", "Сохранить", "Сохранить как", "-", "Выход", "-", "Шрифт",
                           "Печать"}));
  }
}

TEST(StartUp, WithoutAPrinterTheMessageComesOnceBeforeTheMainWindow) {
  SessionState state;
  ModalDriver driver;
  bool mainWindowShownAtMessage = true;
  Desktop* created = nullptr;
  driver.on<TForm0>([](TForm0* f) { f->Button1->click(); }).on<QMessageBox>([&](QMessageBox* box) {
    // The main window exists but is not on the screen yet.
    mainWindowShownAtMessage = created != nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (qobject_cast<TfmVLE*>(w) != nullptr && w->isVisible()) mainWindowShownAtMessage = true;
    }
    driver.messages << box->text();
    driver.icons.push_back(box->icon());
    EXPECT_NE(box->button(QMessageBox::Yes), nullptr);
    EXPECT_NE(box->button(QMessageBox::No), nullptr);
    box->button(QMessageBox::No)->click();
  });
  Desktop desktop(state, {[] { return false; }});
  created = &desktop;
  desktop.show();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(desktop.fmVLE.get()));
  EXPECT_FALSE(mainWindowShownAtMessage);
  EXPECT_EQ(driver.messages,
            QStringList{QStringLiteral("For normal operation of the program on your\n"
                                       "computer the printer must be installed")});
  EXPECT_EQ(driver.icons.front(), QMessageBox::Critical);
  // Printing is still offered.
  EXPECT_NE(desktop.fmPrint, nullptr);
  EXPECT_TRUE(desktop.fmAction->PrintAction->isEnabled());
}

TEST(MainWindow, ClockShowsTheTimeOfDayWithDots) {
  TfrMainForm frame;
  const QTime before = QTime::currentTime();
  frame.Timer1Timer();
  const QString shown = frame.StatusPanels[1]->text();
  ASSERT_TRUE(
      QRegularExpression(QStringLiteral("^\\d\\d\\.\\d\\d\\.\\d\\d$")).match(shown).hasMatch())
      << shown.toStdString();
  const QTime read = QTime::fromString(shown, QStringLiteral("HH.mm.ss"));
  ASSERT_TRUE(read.isValid());
  EXPECT_LE(std::abs(before.secsTo(read)), 1);
  EXPECT_EQ(frame.Timer1->interval(), 1000);
  EXPECT_TRUE(frame.Timer1->isActive());
  EXPECT_EQ(frame.StatusPanels[0]->width(), 550);
  EXPECT_GE(frame.StatusPanels[1]->width(), 50);
  EXPECT_GE(frame.StatusPanels[1]->contentsRect().width(),
            frame.StatusPanels[1]->fontMetrics().horizontalAdvance(shown));
  EXPECT_TRUE(frame.StatusPanels[0]->alignment() & Qt::AlignRight);
}

// The colour at the centre of the Run button's glyph.
QRgb glyphCentre(const TfrMainForm& frame) {
  const QImage image = frame.BitBtnRun->icon().pixmap(20, 20).toImage();
  return image.pixel(10, 10) & 0xFFFFFFu;
}

void writeGlyph(const QString& path, QColor colour) {
  QImage image(20, 20, QImage::Format_RGB32);
  image.fill(QColor(212, 208, 200));
  for (int y = 4; y < 16; ++y) {
    for (int x = 4; x < 16; ++x)
      image.setPixelColor(x, y, colour);
  }
  ASSERT_TRUE(image.save(path, "BMP"));
}

struct FakeSessionRun {
  int sessions = 0;
  bool runEnabledDuringSession = true;
  QRgb glyphDuringSession = 0;
  int reentered = 0;
};

TEST(MainWindow, RunDisablesItselfShowsTheGlyphsAndRunsOneSessionAtATime) {
  test::TemporaryCurrentDir cwd;
  writeGlyph(cwd.file(QStringLiteral("LED2ON.BMP")), Qt::red);
  writeGlyph(cwd.file(QStringLiteral("LED2OFF.BMP")), Qt::blue);

  SessionState state;
  auto desktop = startDesktop(state, [](TForm0* f) { f->Button1->click(); });
  TfmVLE& window = *desktop->fmVLE;
  TfrMainForm& frame = *window.frMainForm1;
  EXPECT_EQ(glyphCentre(frame), QColor(Qt::blue).rgb() & 0xFFFFFFu);

  FakeSessionRun seen;
  window.setSession([&](Dialogs& dialogs, ReportDocument& report) {
    ++seen.sessions;
    seen.runEnabledDuringSession = frame.BitBtnRun->isEnabled();
    seen.glyphDuringSession = glyphCentre(frame);
    report.append("Heading\r\nrow 1");
    dialogs.setStatusText("please wait !\n\rcalculating");
    EXPECT_EQ(frame.lbFrame->text(), QStringLiteral("please wait !\ncalculating"));
    dialogs.processPendingMessages();
    // A click that reaches the handler while the session runs starts nothing.
    window.frMainForm1BitBtnRunClick();
    {
      BusyCursor busy(dialogs);
      ASSERT_NE(QApplication::overrideCursor(), nullptr);
      EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    dialogs.setStatusText("");
    report.append("row 2");
  });
  QTest::mouseClick(frame.BitBtnRun, Qt::LeftButton);
  EXPECT_EQ(seen.sessions, 1);
  EXPECT_FALSE(seen.runEnabledDuringSession);
  EXPECT_EQ(seen.glyphDuringSession, QColor(Qt::red).rgb() & 0xFFFFFFu);
  EXPECT_TRUE(frame.BitBtnRun->isEnabled());
  EXPECT_EQ(glyphCentre(frame), QColor(Qt::blue).rgb() & 0xFFFFFFu);
  EXPECT_EQ(window.mmVLE->lines(), (std::vector<std::string>{"Heading", "row 1", "row 2"}));
  EXPECT_EQ(QApplication::focusWidget(), frame.BitBtCancel);

  // A second session appends below the first.
  QTest::mouseClick(frame.BitBtnRun, Qt::LeftButton);
  EXPECT_EQ(seen.sessions, 2);
  EXPECT_EQ(window.mmVLE->lineCount(), 6);
}

TEST(MainWindow, WithoutGlyphFilesTheRunButtonKeepsItsDesignGlyph) {
  test::TemporaryCurrentDir cwd;
  SessionState state;
  auto desktop = startDesktop(state, [](TForm0* f) { f->Button1->click(); });
  TfrMainForm& frame = *desktop->fmVLE->frMainForm1;
  const QRgb design = glyphCentre(frame);
  QRgb during = 0;
  desktop->fmVLE->setSession([&](Dialogs&, ReportDocument&) { during = glyphCentre(frame); });
  QTest::mouseClick(frame.BitBtnRun, Qt::LeftButton);
  EXPECT_EQ(during, design);
  EXPECT_EQ(glyphCentre(frame), design);
}

TEST(MainWindow, ASessionErrorEndsTheSessionWithAMessageAndTheReportStays) {
  SessionState state;
  auto desktop = startDesktop(state, [](TForm0* f) { f->Button1->click(); });
  TfmVLE& window = *desktop->fmVLE;
  window.setSession([](Dialogs& dialogs, ReportDocument& report) {
    report.append("fitted so far");
    dialogs.setStatusText("please wait !");
    throw std::runtime_error("singular matrix");
  });
  ModalDriver driver;
  driver.answer(QMessageBox::Ok);
  QTest::mouseClick(window.frMainForm1->BitBtnRun, Qt::LeftButton);
  ASSERT_TRUE(driver.waitFinished());
  EXPECT_EQ(driver.messages,
            QStringList{QStringLiteral("The calculation was stopped: singular matrix")});
  EXPECT_EQ(window.mmVLE->lines(), std::vector<std::string>{"fitted so far"});
  EXPECT_EQ(window.frMainForm1->lbFrame->text(), QString());
  EXPECT_TRUE(window.frMainForm1->BitBtnRun->isEnabled());
}

TEST(MainWindow, SessionQuestionsGoThroughTheRealDialogsAndFocusReturnsToRunAfterwards) {
  SessionState state;
  auto desktop = startDesktop(state, [](TForm0* f) { f->Button1->click(); });
  TfmVLE& window = *desktop->fmVLE;
  VariantAnswer answer;
  window.setSession([&](Dialogs& dialogs, ReportDocument& report) {
    VariantRequest request;
    request.FormCaption = "Choice of variant";
    request.Prompt = "variant 1 or 2?";
    request.ItemCount = 2;
    request.Items[1] = " variant 1 (is recommended)";
    request.Items[2] = " variant 2";
    answer = dialogs.chooseVariant(request);
    report.append("answered");
  });
  ModalDriver driver;
  driver.on<TfmAltern>([](TfmAltern* d) {
    d->variants[1]->click();
    d->BitBtn1->click();
  });
  QTest::mouseClick(window.frMainForm1->BitBtnRun, Qt::LeftButton);
  EXPECT_EQ(answer.Tag, 1);
  EXPECT_EQ(window.focusWidget(), window.frMainForm1->BitBtCancel);

  // After any other modal dialog the caption is set again and the focus is back on Run.
  window.setWindowTitle(QString());
  ModalDriver about;
  about
      .answer(QMessageBox::Ok)  // no description file here
      .on<QDialog>([](QDialog* d) { d->accept(); }, "about box");
  {
    test::TemporaryCurrentDir empty;
    desktop->fmAction->AboutAction->trigger();
  }
  // The window manager gives the main window back its activation.
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  EXPECT_EQ(QApplication::focusWidget(), window.frMainForm1->BitBtnRun);
  EXPECT_FALSE(window.windowTitle().isEmpty());
}

}  // namespace
}  // namespace bubblix::gui
