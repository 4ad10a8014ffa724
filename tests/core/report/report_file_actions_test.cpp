#include "core/report/report_file_actions.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>

#include "core/base/errors.h"
#include "core/io/file_test_support.h"
#include "core/texts/file_texts.h"

namespace bubblix {
namespace {

using Lines = std::vector<std::string>;
using testing::FaultyFileSystem;
using testing::fileErrorOf;
using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;

// Answers the dialogs from scripted lists and records what it was asked.
class ScriptedUi : public ReportFileUi {
 public:
  std::deque<std::optional<std::string>> openAnswers, saveAnswers;
  std::deque<bool> yesNoAnswers;
  std::vector<FileRequest> openRequests, saveRequests;
  std::vector<std::string> questions;

  std::optional<std::string> chooseFileToOpen(const FileRequest& request) override {
    openRequests.push_back(request);
    return next(openAnswers);
  }
  std::optional<std::string> chooseFileToSave(const FileRequest& request) override {
    saveRequests.push_back(request);
    return next(saveAnswers);
  }
  bool askYesNo(std::string_view question) override {
    questions.emplace_back(question);
    if (yesNoAnswers.empty()) throw std::logic_error("unexpected question");
    const bool answer = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return answer;
  }

 private:
  static std::optional<std::string> next(std::deque<std::optional<std::string>>& answers) {
    if (answers.empty()) throw std::logic_error("unexpected file dialog");
    std::optional<std::string> answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

LineListReport reportOf(const Lines& lines) {
  LineListReport report;
  report.setLines(lines);
  return report;
}

TEST(ReportFileActions, SaveAsksForANameOnlyUntilOneIsChosen) {
  const TempDir dir;
  ScriptedUi ui;
  ReportFileActions actions(ui);
  actions.Lang = Language::English;
  const LineListReport report = reportOf({"Result", "Строка"});

  ui.saveAnswers = {std::nullopt, dir / "Report.txt"};
  EXPECT_FALSE(actions.SavAction(report));  // empty name: Save as, cancelled
  EXPECT_EQ(actions.CurrentFileName, "");
  EXPECT_FALSE(std::filesystem::exists(dir / "Report.txt"));
  EXPECT_TRUE(actions.SavAction(report));
  EXPECT_EQ(actions.CurrentFileName, dir / "Report.txt");
  EXPECT_EQ(readBytes(dir / "Report.txt"), "Result\r\nСтрока\r\n");
  EXPECT_TRUE(actions.SavAction(reportOf({"Second"})));  // no dialog this time
  EXPECT_EQ(ui.saveRequests.size(), 2u);
  EXPECT_EQ(readBytes(dir / "Report.bak"), "Result\r\nСтрока\r\n");

  const FileRequest& request = ui.saveRequests.front();
  EXPECT_EQ(request.Filter, "Text files|*.txt");
  EXPECT_EQ(request.DefaultExt, "txt");
  EXPECT_EQ(request.FileName, "Report");
  EXPECT_TRUE(request.ConfirmOverwrite);

  // The file vanished meanwhile: Save behaves as Save as again.
  std::filesystem::remove(dir / "Report.txt");
  ui.saveAnswers = {dir / "Other.txt"};
  EXPECT_TRUE(actions.SavAction(report));
  EXPECT_EQ(actions.CurrentFileName, dir / "Other.txt");
}

TEST(ReportFileActions, FailedSaveKeepsTheCurrentFileName) {
  const TempDir dir;
  ScriptedUi ui;
  FaultyFileSystem faulty;
  ReportFileActions actions(ui, faulty);
  actions.CurrentFileName = dir / "old.txt";
  writeBytes(dir / "new.txt", "earlier\r\n");
  faulty.writeError = testing::noSpace();
  ui.saveAnswers = {dir / "new.txt"};
  EXPECT_THROW(actions.SavAsAction(reportOf({"x"})), FileError);
  EXPECT_EQ(actions.CurrentFileName, dir / "old.txt");
  EXPECT_EQ(readBytes(dir / "new.txt"), "earlier\r\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "new.bak"));

  // A folder chosen as the file is refused and stays a folder.
  faulty.writeError = {};
  std::filesystem::create_directory(dir / "folder.txt");
  ui.saveAnswers = {dir / "folder.txt"};
  EXPECT_THROW(actions.SavAsAction(reportOf({"x"})), FileError);
  EXPECT_EQ(actions.CurrentFileName, dir / "old.txt");
  EXPECT_TRUE(std::filesystem::is_directory(dir / "folder.txt"));
}

TEST(ReportFileActions, SavesAreCheckedAgainstTheFilesOfTheRun) {
  const TempDir dir;
  ScriptedUi ui;
  RunFiles run;
  ReportFileActions actions(ui, systemFileSystem(), &run);
  // A session saved NRTL.dat, whose back-up name NRTL.txt shares: Save as refuses it.
  writeBytes(dir / "NRTL.bak", "the parameters before\r\n");
  run.save(dir / "NRTL.dat", FileRole::ParameterFile, "parameters");
  ui.saveAnswers = {dir / "NRTL.txt", dir / "Report.txt"};
  const std::string message =
      fileErrorOf([&] { actions.SavAsAction(reportOf({"x"})); }, texts::kBackupShared);
  EXPECT_NE(message.find(dir / "NRTL.dat"), std::string::npos) << message;
  EXPECT_FALSE(std::filesystem::exists(dir / "NRTL.txt"));
  EXPECT_EQ(readBytes(dir / "NRTL.bak"), "the parameters before\r\n");
  EXPECT_EQ(actions.CurrentFileName, "");
  // Another name is saved, and saving it again keeps the earlier version as its back-up.
  EXPECT_TRUE(actions.SavAsAction(reportOf({"x"})));
  EXPECT_TRUE(actions.SavAction(reportOf({"y"})));
  EXPECT_EQ(readBytes(dir / "Report.bak"), "x\r\n");
  EXPECT_EQ(readBytes(dir / "Report.txt"), "y\r\n");
}

TEST(ReportFileActions, OpenReplacesTheReportOrChangesNothing) {
  const TempDir dir;
  ScriptedUi ui;
  ReportFileActions actions(ui);
  actions.Lang = Language::Russian;
  LineListReport report = reportOf({"kept"});
  writeBytes(dir / "saved.txt", "\xCF\xE5\xF0\xE2\xE0\xFF\r\nsecond\r\n");  // Windows-1251
  std::filesystem::create_directory(dir / "folder.txt");

  ui.openAnswers = {std::nullopt, dir / "missing.txt", dir / "folder.txt", dir / "saved.txt"};
  EXPECT_FALSE(actions.OpenAction(report));
  EXPECT_FALSE(actions.OpenAction(report));
  EXPECT_THROW(actions.OpenAction(report), FileError);
  EXPECT_EQ(report.lines(), Lines{"kept"});
  EXPECT_EQ(actions.CurrentFileName, "");

  EXPECT_TRUE(actions.OpenAction(report));
  EXPECT_EQ(actions.CurrentFileName, dir / "saved.txt");
  report.append("later result");
  EXPECT_EQ(report.lines(), (Lines{"Первая", "second", "later result"}));
  EXPECT_EQ(ui.openRequests.front().Filter, "Текстовые файлы|*.txt");
  EXPECT_EQ(ui.openRequests.front().DefaultExt, "txt");
}

TEST(ReportFileActions, ExitOffersToKeepANonEmptyReport) {
  const TempDir dir;
  ScriptedUi ui;
  ReportFileActions actions(ui);
  // empty: no question (the scripted UI would throw)
  EXPECT_TRUE(actions.CancAction(LineListReport{}));
  EXPECT_TRUE(ui.questions.empty());

  const LineListReport report = reportOf({""});  // one empty line is a line
  ui.yesNoAnswers = {false, true, true};
  ui.saveAnswers = {std::nullopt, dir / "kept.txt"};
  EXPECT_TRUE(actions.CancAction(report));  // No: the program may end
  // Yes, then Cancel in the dialog: the program must stay open with the report.
  EXPECT_FALSE(actions.CancAction(report));
  EXPECT_EQ(ui.saveRequests.size(), 1u);
  EXPECT_EQ(ui.questions.at(0), "Желаете сохранить текст с результатами в файле (y/n) ? ");
  actions.Lang = Language::English;
  EXPECT_TRUE(actions.CancAction(report));  // Yes, saved
  EXPECT_EQ(ui.questions.at(2), "Wish to keep the text with results in a file (y/n) ?");
  EXPECT_EQ(readBytes(dir / "kept.txt"), "\r\n");
  EXPECT_EQ(actions.CurrentFileName, dir / "kept.txt");

  // A failed write on Exit reaches the caller, which stays open with the report.
  FaultyFileSystem faulty;
  faulty.writeError = testing::noPermission();
  ReportFileActions failing(ui, faulty);
  ui.yesNoAnswers = {true};
  ui.saveAnswers = {dir / "denied.txt"};
  EXPECT_THROW(failing.CancAction(report), FileError);
}

}  // namespace
}  // namespace bubblix
