// Start-up and the main window: the language, the captions and hints in both languages, the
// menu, the clock, the printer check, the Run button's mechanics.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QTextDocument>
#include <QTime>
#include <QToolBar>
#include <QToolButton>

#include "core/session/session_state.h"
#include "gui/actions.h"
#include "gui/consistency_dialog.h"
#include "gui/desktop.h"
#include "gui/gui_test_support.h"
#include "gui/language_dialog.h"
#include "gui/main_window.h"
#include "gui/message_box.h"
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

// The captions as shown, without the mnemonics' ampersands.
QStringList menuTexts(const QList<QAction*>& actions) {
  QStringList out;
  for (QAction* a : actions)
    out << (a->isSeparator() ? QStringLiteral("-") : QString(a->text()).remove(QLatin1Char('&')));
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
            QStringLiteral("Vapor-liquid equilibrium calculation in multi-component systems.[*]"));
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
            (QStringList{"File", "Font", "Print", "About", "HomePage", "Data", "Options",
                         "Residuals", "Diagram"}));
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
    EXPECT_EQ(desktop->fmVLE->windowTitle(),
              QStringLiteral(
                  "Расчет равновесия между паром и жидкостью в многокомпонентных системах[*]"));
    EXPECT_EQ(frame.BitBtnRun->text(), QStringLiteral("Пуск"));
    EXPECT_EQ(frame.BitBtCancel->text(), QStringLiteral("Выход"));
    EXPECT_EQ(frame.BitBtnRun->toolTip(),
              QStringLiteral("Для начала работы щелкните по этой кнопке"));
    EXPECT_EQ(frame.ToolBtnHomePage->toolTip(), QStringLiteral("Посетить Домашнюю страницу"));
    EXPECT_EQ(menuTexts(frame.frMainMenu1->actions()),
              (QStringList{"Файл", "Шрифт", "Печать", "О программе", "Домашняя страница", "Данные",
                           "Настройки", "Невязки", "Диаграмма"}));
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
  bool runEnabledDuringSession = false;
  QRgb glyphDuringSession = 0;
  int reentered = 0;
};

// Pixels of the button as drawn that have the colour (the glyph's LED).
int pixelsOf(QWidget* button, QColor colour) {
  const QImage image = button->grab().toImage();
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x)
      count += (image.pixel(x, y) & 0xFFFFFFu) == (colour.rgb() & 0xFFFFFFu) ? 1 : 0;
  }
  return count;
}

TEST(MainWindow, RunShowsTheLitGlyphAsEnabledDuringASessionAndRunsOneSessionAtATime) {
  test::TemporaryCurrentDir cwd;
  writeGlyph(cwd.file(QStringLiteral("LED2ON.BMP")), Qt::red);
  writeGlyph(cwd.file(QStringLiteral("LED2OFF.BMP")), Qt::blue);

  SessionState state;
  auto desktop = startDesktop(state, [](TForm0* f) { f->Button1->click(); });
  TfmVLE& window = *desktop->fmVLE;
  TfrMainForm& frame = *window.frMainForm1;
  EXPECT_EQ(glyphCentre(frame), QColor(Qt::blue).rgb() & 0xFFFFFFu);

  FakeSessionRun seen;
  int litPixels = 0;
  window.setSession([&](Dialogs& dialogs, ReportDocument& report) {
    ++seen.sessions;
    seen.runEnabledDuringSession = frame.BitBtnRun->isEnabled();
    seen.glyphDuringSession = glyphCentre(frame);
    // Drawn as enabled: the LED in its own colour, not greyed.
    litPixels = pixelsOf(frame.BitBtnRun, Qt::red);
    // A click on Run while the session runs starts nothing.
    QTest::mouseClick(frame.BitBtnRun, Qt::LeftButton);
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
  EXPECT_TRUE(seen.runEnabledDuringSession);
  EXPECT_GT(litPixels, 50);                          // of the 12 x 12 LED square
  EXPECT_EQ(pixelsOf(frame.BitBtnRun, Qt::red), 0);  // the session over: off again
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

// The letter a caption's "&" marks, lower case; empty when it has none.
QString mnemonicOf(const QString& caption) {
  for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != QLatin1Char('&')) continue;
    if (caption[i + 1] == QLatin1Char('&')) {
      ++i;  // "&&" is an ampersand shown
      continue;
    }
    return caption[i + 1].toLower();
  }
  return {};
}

// Every entry of the menu bar and of every menu under it, whoever adds them: a mnemonic each,
// none twice in the same menu.
void expectMnemonics(const QList<QAction*>& actions, const QString& where, QStringList& seen) {
  QStringList used;
  for (QAction* a : actions) {
    if (a->isSeparator()) continue;
    const QString caption = a->menu() != nullptr ? a->menu()->title() : a->text();
    seen << caption;
    const QString letter = mnemonicOf(caption);
    EXPECT_FALSE(letter.isEmpty())
        << where.toStdString() << ": \"" << caption.toStdString() << "\" has no mnemonic";
    EXPECT_FALSE(!letter.isEmpty() && used.contains(letter))
        << where.toStdString() << ": \"" << caption.toStdString() << "\" repeats the mnemonic "
        << letter.toStdString();
    used << letter;
    if (a->menu() != nullptr) expectMnemonics(a->menu()->actions(), caption, seen);
  }
}

TEST(MainWindow, EveryMenuAndItemHasItsOwnMnemonicInBothLanguages) {
  for (const bool english : {true, false}) {
    SCOPED_TRACE(english ? "English" : "Russian");
    SessionState state;
    auto desktop =
        startDesktop(state, [english](TForm0* f) { (english ? f->Button1 : f->Button2)->click(); });
    QStringList seen;
    expectMnemonics(desktop->fmVLE->frMainForm1->frMainMenu1->actions(), "menu bar", seen);
    EXPECT_GE(seen.size(), 12);  // the bar's 6 entries and the File menu's 6 items at least
  }
}

TEST(MainWindow, AltFOpensTheFileMenuAndTheStandardKeysRunTheActions) {
  test::TemporaryCurrentDir dir;
  SessionState state;
  auto desktop = startDesktop(state, [](TForm0* f) { f->Button1->click(); });
  TfmVLE& window = *desktop->fmVLE;
  QMenu* file = window.frMainForm1->File1;
  QTest::keyClick(&window, Qt::Key_F, Qt::AltModifier);
  ASSERT_TRUE(QTest::qWaitFor([file] { return file->isVisible(); }, 2000));
  // In the open menu the item's letter chooses it: O is Open.
  {
    ModalDriver driver;
    driver.on<QFileDialog>(
        [](QFileDialog* d) {
          EXPECT_EQ(d->acceptMode(), QFileDialog::AcceptOpen);
          d->reject();
        },
        "open dialog");
    QTest::keyClick(file, Qt::Key_O);
    ASSERT_TRUE(driver.waitFinished());
  }
  EXPECT_FALSE(file->isVisible());
  // The window manager gives the main window back its activation.
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

  // Ctrl+S saves (a first save asks for the name); Ctrl+Q is Exit.
  window.mmVLE->append("result");
  {
    ModalDriver driver;
    driver.on<QFileDialog>(
        [](QFileDialog* d) {
          EXPECT_EQ(d->acceptMode(), QFileDialog::AcceptSave);
          d->reject();
        },
        "save dialog");
    QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
    ASSERT_TRUE(driver.waitFinished());
  }
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  ModalDriver driver;
  driver.answer(QMessageBox::No);
  QTest::keyClick(&window, Qt::Key_Q, Qt::ControlModifier);
  ASSERT_TRUE(driver.waitFinished());
  EXPECT_EQ(driver.messages,
            QStringList{QStringLiteral("Wish to keep the text with results in a file (y/n) ?")});
  EXPECT_FALSE(window.isVisible());
}

TEST(StartUp, QtsOwnButtonsAndMenusSpeakRussian) {
  SessionState state;
  auto desktop = startDesktop(state, [](TForm0* f) { f->Button2->click(); });
  ModalDriver driver;
  QString yes;
  QString no;
  driver.on<QMessageBox>(
      [&](QMessageBox* box) {
        yes = box->button(QMessageBox::Yes)->text();
        no = box->button(QMessageBox::No)->text();
        box->button(QMessageBox::No)->click();
      },
      "message box");
  askYesNoBox(desktop->fmVLE.get(), "Желаете напечатать документ ?", Language::Russian);
  ASSERT_TRUE(driver.waitFinished());
  EXPECT_EQ(QString(yes).remove(QLatin1Char('&')), QStringLiteral("Да"));
  EXPECT_EQ(QString(no).remove(QLatin1Char('&')), QStringLiteral("Нет"));
  // The report's context menu: its first item (Undo) in Russian.
  std::unique_ptr<QMenu> menu(desktop->fmVLE->mmVLE->createStandardContextMenu());
  ASSERT_FALSE(menu->actions().isEmpty());
  const QString undo = menu->actions().front()->text();
  EXPECT_NE(undo.indexOf(QRegularExpression(QStringLiteral("[\u0400-\u04FF]"))), -1)
      << undo.toStdString();
}

TEST(MainWindow, OpensWideEnoughFor128CharactersOfTheReportOrAsWideAsTheScreen) {
  const QString row(TfmVLE::kReportColumns, QLatin1Char('0'));
  {
    TfmVLE window(Language::English);
    window.fitReportWidth(3000);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const int textWidth = window.mmVLE->viewport()->width() -
                          2 * static_cast<int>(window.mmVLE->document()->documentMargin());
    EXPECT_GE(textWidth, QFontMetrics(window.mmVLE->font()).horizontalAdvance(row));
    EXPECT_EQ(window.mmVLE->horizontalScrollBar()->maximum(), 0) << "no line hidden to the right";
    window.mmVLE->append(row.toStdString());
    EXPECT_EQ(window.mmVLE->horizontalScrollBar()->maximum(), 0) << "a 128-character row is cut";
    EXPECT_GE(window.height(), TfmVLE::kMinimumHeight);
  }
  // A narrower screen: as wide as it is, but never below the described size.
  TfmVLE window(Language::English);
  window.fitReportWidth(800);
  EXPECT_EQ(window.width(), 800);
  window.fitReportWidth(500);
  EXPECT_EQ(window.width(), TfmVLE::kMinimumWidth);
}

}  // namespace
}  // namespace bubblix::gui

namespace bubblix::gui {
namespace {

// Data -> Check consistency...: a pair of one component twice is refused with a warning and
// the dialog stays; comp.1-comp.3 then writes the check's lines (heading, points used, the
// Herington line with its verdict) into the report.
TEST(MainWindow, DataMenuChecksTheConsistencyOfAPairIntoTheReport) {
  SessionState state;
  auto desktop = startDesktop(state, [](TForm0* f) { f->Button1->click(); });
  TfmVLE& window = *desktop->fmVLE;
  ASSERT_TRUE(window.frMainForm1->ConsistencyAction->isEnabled());
  test::ModalDriver driver;
  driver
      .on<TfmConsistency>(
          [](TfmConsistency* d) {
            d->cbFirst->setCurrentIndex(2);
            d->cbSecond->setCurrentIndex(2);
            d->buttons->button(QDialogButtonBox::Ok)->click();
          },
          "the pair, one component twice")
      .answer(QMessageBox::Ok)
      .on<TfmConsistency>(
          [](TfmConsistency* d) {
            d->cbFirst->setCurrentIndex(0);
            d->cbSecond->setCurrentIndex(2);
            d->buttons->button(QDialogButtonBox::Ok)->click();
          },
          "the pair comp.1, comp.3");
  window.frMainForm1->ConsistencyAction->trigger();
  ASSERT_TRUE(driver.waitFinished()) << driver.failures.join(QStringLiteral("; ")).toStdString();
  EXPECT_TRUE(driver.failures.isEmpty())
      << driver.failures.join(QStringLiteral("; ")).toStdString();
  ASSERT_EQ(driver.messages.size(), 1);
  EXPECT_EQ(driver.messages[0], QStringLiteral("Choose two different components"));
  const QString report = window.mmVLE->toPlainText();
  EXPECT_TRUE(report.contains(QStringLiteral(
      "Thermodynamic consistency of the equilibrium data comp.1-comp.3 (component 1: comp.1)")))
      << report.toStdString();
  EXPECT_TRUE(report.contains(QStringLiteral("D = 98.05, J = 6.08, D - J = 91.97")));
  EXPECT_TRUE(report.contains(QStringLiteral("inconsistent")));
}

}  // namespace
}  // namespace bubblix::gui
