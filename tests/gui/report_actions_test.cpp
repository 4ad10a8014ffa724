// The report actions of the main window: Open, Save, Save as with the back-up copy, Exit and
// the close box with the keep-question, the font, the about box and the home page.

#include <gtest/gtest.h>

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <cerrno>
#include <system_error>

#include "core/io/file_system.h"
#include "gui/about_box.h"
#include "gui/actions.h"
#include "gui/file_dialogs.h"
#include "gui/gui_test_support.h"
#include "gui/main_window.h"
#include "gui/printing.h"
#include "gui/report_memo.h"

namespace bubblix::gui {
namespace {

using test::ModalDriver;
using test::readFileBytes;

// The machine's file system, whose writes can be made to fail as on a full disk.
class FullDiskSwitch : public SystemFileSystem {
 public:
  bool full = false;
  std::error_code write(int handle, std::string_view bytes) override {
    if (full) return std::make_error_code(std::errc::no_space_on_device);
    return SystemFileSystem::write(handle, bytes);
  }
};

// The main window with its action form, as the start-up builds them.
struct Windows {
  explicit Windows(Language lang) : window(lang), saveFile(&window), font(&window) {
    action = std::make_unique<TfmAction>(&window, saveFile, &print, font, disk);
    window.setActionForm(action.get());
    action->setLang(lang);
    window.show();
  }
  ReportMemo& memo() { return *window.mmVLE; }

  FullDiskSwitch disk;
  TfmVLE window;
  TfmSaveFile saveFile;
  TfmPrint print;
  TfmFont font;
  std::unique_ptr<TfmAction> action;
};

// Types the path into the dialog's file name box and confirms, as the user does.
void choose(QFileDialog* d, const QString& path) {
  auto* edit = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  ASSERT_NE(edit, nullptr);
  edit->setText(path);
  static_cast<QDialog*>(d)->accept();
}

// A save dialog step: checks what it proposes and chooses `path` (or cancels when empty).
std::function<void(QFileDialog*)> saveAs(const QString& path) {
  return [path](QFileDialog* d) {
    EXPECT_EQ(d->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(d->defaultSuffix(), QStringLiteral("txt"));
    EXPECT_EQ(d->nameFilters(), QStringList{QStringLiteral("Text files (*.txt)")});
    EXPECT_FALSE(d->testOption(QFileDialog::DontConfirmOverwrite));
    ASSERT_FALSE(d->selectedFiles().isEmpty());
    // The proposed name, completed with the default extension.
    EXPECT_EQ(QFileInfo(d->selectedFiles().front()).fileName(), QStringLiteral("Report.txt"));
    if (path.isEmpty()) {
      d->reject();
      return;
    }
    choose(d, path);
  };
}

TEST(ReportActions, SaveAsksForANameOnceThenWritesWithABackupOfThePreviousVersion) {
  test::TemporaryCurrentDir dir;
  Windows w(Language::English);
  w.memo().setLines({"Report line 1", "Строка 2"});
  {
    ModalDriver driver;
    driver.on<QFileDialog>(saveAs(dir.file(QStringLiteral("Report"))), "save dialog");
    w.action->SavAction->trigger();
  }
  const QString report = dir.file(QStringLiteral("Report.txt"));
  const QString backup = dir.file(QStringLiteral("Report.bak"));
  EXPECT_EQ(readFileBytes(report), "Report line 1\r\nСтрока 2\r\n");
  EXPECT_FALSE(QFileInfo::exists(backup));
  EXPECT_EQ(QString::fromStdString(w.action->CurrentFileName()), report);

  // The next saves write to the same file without asking; the .bak holds the version before.
  ModalDriver none(500);
  w.memo().append("line 3");
  w.action->SavAction->trigger();
  EXPECT_EQ(readFileBytes(backup), "Report line 1\r\nСтрока 2\r\n");
  EXPECT_EQ(readFileBytes(report), "Report line 1\r\nСтрока 2\r\nline 3\r\n");
  w.memo().deleteLine(0);
  w.action->SavAction->trigger();
  EXPECT_EQ(readFileBytes(backup), "Report line 1\r\nСтрока 2\r\nline 3\r\n");
  EXPECT_EQ(readFileBytes(report), "Строка 2\r\nline 3\r\n");
}

TEST(ReportActions, SaveAsCancelledWritesNothing) {
  test::TemporaryCurrentDir dir;
  Windows w(Language::English);
  w.memo().append("text");
  ModalDriver driver;
  driver.on<QFileDialog>(saveAs(QString()), "save dialog");
  w.action->SavAsAction->trigger();
  EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
  EXPECT_EQ(w.action->CurrentFileName(), "");
}

TEST(ReportActions, AFailedWriteNamesTheFileAndLeavesItAsItWas) {
  test::TemporaryCurrentDir dir;
  Windows w(Language::English);
  const QString report = dir.file(QStringLiteral("Report.txt"));
  w.memo().append("first");
  {
    ModalDriver driver;
    driver.on<QFileDialog>(saveAs(report), "save dialog");
    w.action->SavAsAction->trigger();
  }
  ASSERT_EQ(readFileBytes(report), "first\r\n");

  w.disk.full = true;
  w.memo().append("second");
  ModalDriver driver;
  driver.answer(QMessageBox::Ok);
  w.action->SavAction->trigger();
  ASSERT_TRUE(driver.waitFinished());
  ASSERT_EQ(driver.messages.size(), 1);
  const std::string message = driver.messages[0].toStdString();
  EXPECT_NE(message.find(report.toStdString()), std::string::npos) << message;
  EXPECT_NE(message.find("no space left on the device"), std::string::npos) << message;
  EXPECT_EQ(driver.icons[0], QMessageBox::Critical);
  EXPECT_EQ(readFileBytes(report), "first\r\n");
  EXPECT_FALSE(QFileInfo::exists(dir.file(QStringLiteral("Report.bak"))));
  EXPECT_EQ(w.memo().lines(), (std::vector<std::string>{"first", "second"}));

  // Save as to another name that cannot be written leaves CurrentFileName as it was.
  ModalDriver again;
  again.on<QFileDialog>([&](QFileDialog* d) { choose(d, dir.file(QStringLiteral("Other.txt"))); })
      .answer(QMessageBox::Ok);
  w.action->SavAsAction->trigger();
  ASSERT_TRUE(again.waitFinished());
  EXPECT_EQ(QString::fromStdString(w.action->CurrentFileName()), report);
  EXPECT_FALSE(QFileInfo::exists(dir.file(QStringLiteral("Other.txt"))));
}

TEST(ReportActions, ExitWithAnEmptyReportEndsWithoutAQuestion) {
  Windows w(Language::English);
  QSignalSpy ended(w.action.get(), &TfmAction::terminateRequested);
  ModalDriver none(300);
  w.window.frMainForm1->BitBtCancel->click();
  EXPECT_EQ(ended.count(), 1);
  EXPECT_FALSE(w.window.isVisible());
}

TEST(ReportActions, ExitAsksToKeepTheReportAndNoEndsTheProgram) {
  Windows w(Language::English);
  w.memo().append("result");
  QSignalSpy ended(w.action.get(), &TfmAction::terminateRequested);
  ModalDriver driver;
  driver.answer(QMessageBox::No);
  w.action->CancAction->trigger();
  EXPECT_EQ(driver.messages,
            QStringList{QStringLiteral("Wish to keep the text with results in a file (y/n) ?")});
  EXPECT_EQ(driver.icons[0], QMessageBox::Question);
  EXPECT_EQ(ended.count(), 1);
  EXPECT_FALSE(w.window.isVisible());
}

TEST(ReportActions, ExitYesThenCancelInTheSaveDialogKeepsTheWindowAndTheReport) {
  test::TemporaryCurrentDir dir;
  Windows w(Language::Russian);
  w.memo().append("result");
  QSignalSpy ended(w.action.get(), &TfmAction::terminateRequested);
  {
    ModalDriver driver;
    driver.answer(QMessageBox::Yes).on<QFileDialog>([](QFileDialog* d) { d->reject(); });
    w.window.frMainForm1->BitBtCancel->click();
    ASSERT_TRUE(driver.waitFinished());
    EXPECT_EQ(
        driver.messages,
        QStringList{QStringLiteral("Желаете сохранить текст с результатами в файле (y/n) ? ")});
  }
  EXPECT_EQ(ended.count(), 0);
  EXPECT_TRUE(w.window.isVisible());
  EXPECT_EQ(w.memo().lines(), std::vector<std::string>{"result"});
  EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
  // The close box the same.
  {
    ModalDriver driver;
    driver.answer(QMessageBox::Yes).on<QFileDialog>([](QFileDialog* d) { d->reject(); });
    EXPECT_FALSE(w.window.close());
  }
  EXPECT_TRUE(w.window.isVisible());
}

TEST(ReportActions, ClosingTheMainWindowAsksTooAndStaysOpenWhenTheReportCannotBeWritten) {
  test::TemporaryCurrentDir dir;
  Windows w(Language::English);
  w.memo().append("result");
  w.disk.full = true;
  {
    ModalDriver driver;
    driver.answer(QMessageBox::Yes)
        .on<QFileDialog>([&](QFileDialog* d) { choose(d, dir.file(QStringLiteral("Report.txt"))); })
        .answer(QMessageBox::Ok);
    EXPECT_FALSE(w.window.close());
    EXPECT_TRUE(w.window.isVisible());
    EXPECT_EQ(w.memo().lines(), std::vector<std::string>{"result"});
  }
  w.disk.full = false;
  ModalDriver driver;
  driver.answer(QMessageBox::Yes).on<QFileDialog>([&](QFileDialog* d) {
    choose(d, dir.file(QStringLiteral("Report.txt")));
  });
  EXPECT_TRUE(w.window.close());
  EXPECT_EQ(readFileBytes(dir.file(QStringLiteral("Report.txt"))), "result\r\n");
}

TEST(ReportActions, OpenReadsAWindows1251ReportAndLaterResultsGoBelowIt) {
  test::TemporaryCurrentDir dir;
  const QString path = dir.file(QStringLiteral("old.txt"));
  // "Отчет" and "t=20" in Windows-1251 with CR LF line ends.
  test::writeFileBytes(path, "\xCE\xF2\xF7\xE5\xF2\r\nt=20\r\n");
  Windows w(Language::English);
  w.memo().append("to be replaced");
  ModalDriver driver;
  driver.answer(QMessageBox::Discard).on<QFileDialog>([&](QFileDialog* d) {
    EXPECT_EQ(d->acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(d->nameFilters(), QStringList{QStringLiteral("Text files (*.txt)")});
    choose(d, path);
  });
  w.action->OpenAction->trigger();
  EXPECT_EQ(w.memo().lines(), (std::vector<std::string>{"Отчет", "t=20"}));
  EXPECT_EQ(QString::fromStdString(w.action->CurrentFileName()), path);
  w.memo().append("next result");
  EXPECT_EQ(w.memo().lines(), (std::vector<std::string>{"Отчет", "t=20", "next result"}));
}

TEST(ReportActions, OpenWithUnsavedChangesAsksToSaveDiscardOrCancel) {
  test::TemporaryCurrentDir dir;
  const QString other = dir.file(QStringLiteral("other.txt"));
  test::writeFileBytes(other, "other report\r\n");
  Windows w(Language::English);
  const auto question = QStringLiteral(
      "The report has changes that are not saved in a file. Save them before another file is "
      "opened?");
  const auto open = [&](QFileDialog* d) { choose(d, other); };
  w.memo().append("result");
  EXPECT_TRUE(w.window.isWindowModified());

  // Cancel: no open dialog, nothing changes.
  {
    ModalDriver driver;
    driver.answer(QMessageBox::Cancel);
    w.action->OpenAction->trigger();
    ASSERT_TRUE(driver.waitFinished());
    EXPECT_EQ(driver.messages, QStringList{question});
  }
  EXPECT_EQ(w.memo().lines(), std::vector<std::string>{"result"});

  // Save, then the save dialog cancelled: the Open does not go on.
  {
    ModalDriver driver;
    driver.answer(QMessageBox::Save).on<QFileDialog>(saveAs(QString()), "save dialog");
    w.action->OpenAction->trigger();
    ASSERT_TRUE(driver.waitFinished());
  }
  EXPECT_EQ(w.memo().lines(), std::vector<std::string>{"result"});

  // Save, the report written, then the file opened; the title's mark goes.
  {
    ModalDriver driver;
    driver.answer(QMessageBox::Save)
        .on<QFileDialog>(saveAs(dir.file(QStringLiteral("Report.txt"))), "save dialog")
        .on<QFileDialog>(open, "open dialog");
    w.action->OpenAction->trigger();
    ASSERT_TRUE(driver.waitFinished());
  }
  EXPECT_EQ(readFileBytes(dir.file(QStringLiteral("Report.txt"))), "result\r\n");
  EXPECT_EQ(w.memo().lines(), std::vector<std::string>{"other report"});
  EXPECT_FALSE(w.window.isWindowModified());

  // An opened report unchanged is opened over without a question; changed, Discard drops it.
  {
    ModalDriver driver;
    driver.on<QFileDialog>(
        [&](QFileDialog* d) { choose(d, dir.file(QStringLiteral("Report.txt"))); });
    w.action->OpenAction->trigger();
    ASSERT_TRUE(driver.waitFinished());
  }
  EXPECT_EQ(w.memo().lines(), std::vector<std::string>{"result"});
  w.memo().append("more");
  {
    ModalDriver driver;
    driver.answer(QMessageBox::Discard).on<QFileDialog>(open, "open dialog");
    w.action->OpenAction->trigger();
    ASSERT_TRUE(driver.waitFinished());
  }
  EXPECT_EQ(w.memo().lines(), std::vector<std::string>{"other report"});
  EXPECT_EQ(readFileBytes(dir.file(QStringLiteral("Report.txt"))), "result\r\n");
}

TEST(ReportActions, TheTitleMarksUnsavedChangesUntilTheReportIsSaved) {
  test::TemporaryCurrentDir dir;
  Windows w(Language::English);
  EXPECT_FALSE(w.window.isWindowModified());
  w.memo().append("result");
  EXPECT_TRUE(w.window.isWindowModified());
  {
    ModalDriver driver;
    driver.on<QFileDialog>(saveAs(QString()), "save dialog");
    w.action->SavAsAction->trigger();
  }
  EXPECT_TRUE(w.window.isWindowModified());  // cancelled: still unsaved
  {
    ModalDriver driver;
    driver.on<QFileDialog>(saveAs(dir.file(QStringLiteral("Report.txt"))), "save dialog");
    w.action->SavAction->trigger();
  }
  EXPECT_FALSE(w.window.isWindowModified());
  // A failed write keeps the mark.
  w.memo().append("second");
  w.disk.full = true;
  ModalDriver driver;
  driver.answer(QMessageBox::Ok);
  w.action->SavAction->trigger();
  ASSERT_TRUE(driver.waitFinished());
  EXPECT_TRUE(w.window.isWindowModified());
}

TEST(ReportActions, FontDialogCancelLeavesTheMemoAndOkChangesIt) {
  Windows w(Language::English);
  const QFont before = w.memo().font();
  {
    ModalDriver driver;
    driver.on<QFontDialog>([](QFontDialog* d) {
      d->setCurrentFont(QFont(QStringLiteral("DejaVu Serif"), 14));
      d->reject();
    });
    w.action->FontAction->trigger();
  }
  EXPECT_EQ(w.memo().font(), before);
  {
    ModalDriver driver;
    driver.on<QFontDialog>([](QFontDialog* d) {
      d->setCurrentFont(QFont(QStringLiteral("DejaVu Serif"), 14));
      static_cast<QDialog*>(d)->accept();
    });
    w.action->FontAction->trigger();
  }
  EXPECT_EQ(w.memo().font().family(), QStringLiteral("DejaVu Serif"));
  EXPECT_EQ(w.memo().font().pointSize(), 14);
  // The dialog starts from the last font chosen, not from the memo's.
  w.memo().setFont(ReportMemo::defaultFont());
  QString startedFrom;
  ModalDriver driver;
  driver.on<QFontDialog>([&](QFontDialog* d) {
    startedFrom = d->currentFont().family();
    d->reject();
  });
  w.action->FontAction->trigger();
  EXPECT_EQ(startedFrom, QStringLiteral("DejaVu Serif"));
  EXPECT_EQ(w.memo().font().family(), ReportMemo::defaultFont().family());
}

TEST(AboutBox, ShowsTheDescriptionOfTheLanguageOrReportsTheMissingFile) {
  test::TemporaryCurrentDir dir;
  test::writeFileBytes(dir.file(QStringLiteral("ReadmeRu.txt")), "Bubblix\r\nО программе\r\n");
  {
    // English interface, only the Russian file present.
    TfmAbProgr box(Language::English);
    ModalDriver driver;
    driver.answer(QMessageBox::Ok).on<TfmAbProgr>([](TfmAbProgr* b) { b->OKButton->click(); });
    box.exec();
    ASSERT_EQ(driver.messages.size(), 1);
    EXPECT_TRUE(driver.messages[0].contains(dir.file(QStringLiteral("ReadmeEn.txt"))))
        << driver.messages[0].toStdString();
    EXPECT_TRUE(box.RichEdit1->toPlainText().isEmpty());
    EXPECT_EQ(box.windowTitle(), QStringLiteral("About program"));
    EXPECT_EQ(box.size(), QSize(488, 310));
  }
  TfmAbProgr box(Language::Russian);
  ModalDriver driver;
  driver.on<TfmAbProgr>([](TfmAbProgr* b) { b->OKButton->click(); });
  box.exec();
  EXPECT_EQ(box.windowTitle(), QStringLiteral("О программе"));
  EXPECT_EQ(box.RichEdit1->toPlainText(), QStringLiteral("Bubblix\nО программе"));
  EXPECT_EQ(
      box.RichEdit1->document()->firstBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask,
      Qt::AlignHCenter);
}

TEST(HomePage, OpensTheDownloadsPageOrShowsTheErrorCodeInRussian) {
  Windows w(Language::English);
  QUrl opened;
  w.action->urlOpener = [&](const QUrl& url) {
    opened = url;
    return true;
  };
  {
    ModalDriver none(300);
    w.action->HomePageAction->trigger();
  }
  EXPECT_EQ(opened.toString(), QStringLiteral("https://bubblix.example.org/downloads.html"));

  w.action->urlOpener = [](const QUrl&) {
    errno = EACCES;
    return false;
  };
  ModalDriver driver;
  driver.answer(QMessageBox::Ok);
  w.action->HomePageAction->trigger();
  EXPECT_EQ(driver.messages, QStringList{QStringLiteral("Ошибка %1").arg(EACCES)});
}

TEST(PrintAction, CancelInThePrintDialogStillAsksAndYesPrints) {
  test::TemporaryCurrentDir dir;
  Windows w(Language::English);
  const QString pdf = dir.file(QStringLiteral("report.pdf"));
  w.print.printer().setOutputFormat(QPrinter::PdfFormat);
  w.print.printer().setOutputFileName(pdf);
  w.memo().append("a line to print");
  {
    ModalDriver driver;
    driver.on<QPrintDialog>([](QPrintDialog* d) { d->reject(); }, "print dialog")
        .answer(QMessageBox::No);
    w.action->PrintAction->trigger();
    EXPECT_EQ(driver.messages, QStringList{QStringLiteral("Wish to print the document ?")});
  }
  EXPECT_FALSE(QFileInfo::exists(pdf));
  ModalDriver driver;
  driver.on<QPrintDialog>([](QPrintDialog* d) { d->reject(); }, "print dialog")
      .answer(QMessageBox::Yes);
  w.action->PrintAction->trigger();
  EXPECT_TRUE(QFileInfo(pdf).size() > 0);
}

}  // namespace
}  // namespace bubblix::gui
