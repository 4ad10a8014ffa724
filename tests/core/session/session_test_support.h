#pragma once
// Helpers of the session tests: sessions driven by answer scripts on one state and one report
// (a run of the program), with every request the session made recorded.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "core/data/database.h"
#include "core/report/report_document.h"
#include "core/session/answer_script.h"
#include "core/session/calculation_session.h"
#include "core/session/fitting_session.h"
#include "core/session/scripted_dialogs.h"
#include "core/session/session_options.h"
#include "core/session/session_state.h"

namespace bubblix::session_test {

// What a session asked, in order.
struct Requests {
  std::vector<VariantRequest> Variants;
  std::vector<ModelRequest> Models;
  std::vector<ComponentRequest> Components;
  std::vector<GridEntry> Grids;  // as each grid was shown
  std::vector<MessageRequest> Messages;
  std::vector<FileRequest> OpenFiles;
  std::vector<FileRequest> SaveFiles;
  std::vector<std::string> Statuses;
  std::vector<bool> BusyChanges;
  int PendingMessages = 0;
  std::vector<bool> RunIndicator;

  int confirmations(std::string_view text) const {
    int n = 0;
    for (const MessageRequest& m : Messages) {
      n += m.Kind == MessageKind::Confirmation && m.Text == text ? 1 : 0;
    }
    return n;
  }
  int messagesOfKind(MessageKind kind) const {
    int n = 0;
    for (const MessageRequest& m : Messages)
      n += m.Kind == kind ? 1 : 0;
    return n;
  }
};

// Scripted dialogs that record every request before the script answers it.
class RecordingDialogs : public Dialogs {
 public:
  RecordingDialogs(std::string_view script, std::ostream& echo, Requests& requests)
      : inner_(AnswerScript::parse(script), echo), requests_(requests) {}

  VariantAnswer chooseVariant(const VariantRequest& request) override {
    requests_.Variants.push_back(request);
    return inner_.chooseVariant(request);
  }
  ModelAnswer chooseModel(const ModelRequest& request) override {
    requests_.Models.push_back(request);
    return inner_.chooseModel(request);
  }
  ComponentAnswer tickComponents(const ComponentRequest& request) override {
    requests_.Components.push_back(request);
    return inner_.tickComponents(request);
  }
  void enterGrid(GridEntry& grid) override {
    requests_.Grids.push_back(grid);
    inner_.enterGrid(grid);
  }
  MessageButton showMessage(const MessageRequest& request) override {
    requests_.Messages.push_back(request);
    return inner_.showMessage(request);
  }
  std::optional<std::string> openFileName(const FileRequest& request) override {
    requests_.OpenFiles.push_back(request);
    return inner_.openFileName(request);
  }
  std::optional<std::string> saveFileName(const FileRequest& request) override {
    requests_.SaveFiles.push_back(request);
    return inner_.saveFileName(request);
  }
  void setStatusText(const std::string& text) override {
    requests_.Statuses.push_back(text);
    inner_.setStatusText(text);
  }
  void setBusy(bool busy) override {
    requests_.BusyChanges.push_back(busy);
    inner_.setBusy(busy);
  }
  void processPendingMessages() override { ++requests_.PendingMessages; }
  void setRunIndicator(bool running) override {
    requests_.RunIndicator.push_back(running);
    inner_.setRunIndicator(running);
  }

  const ScriptedDialogs& scripted() const { return inner_; }

 private:
  ScriptedDialogs inner_;
  Requests& requests_;
};

// A run of the program: one state and one report across the sessions it runs.
struct SessionRun {
  explicit SessionRun(Language lang = Language::English) { state.InterfaceLanguage = lang; }

  // One calculation session with the answers of `script`; requests and echo are those of
  // this session only.
  SessionResult session(std::string_view script, const Database& db = builtInDatabase()) {
    requests = {};
    echo.str("");
    RecordingDialogs dialogs(script, echo, requests);
    SessionResult result = runCalculationSession(dialogs, report, state, db, options);
    leftOver = dialogs.scripted().script().remaining();
    busyAtEnd = dialogs.scripted().busy();
    return result;
  }

  std::vector<std::string> lines() const { return report.lines(); }
  std::string line(int index) const {
    return index >= 0 && index < report.lineCount() ? report.line(index) : "<no line>";
  }
  // The index of the first line equal to `text` at or after `from`, or -1.
  int find(std::string_view text, int from = 0) const {
    for (int i = from; i < report.lineCount(); ++i) {
      if (report.line(i) == text) return i;
    }
    return -1;
  }
  // The index of the first line starting with `prefix` at or after `from`, or -1.
  int findPrefix(std::string_view prefix, int from = 0) const {
    for (int i = from; i < report.lineCount(); ++i) {
      if (report.line(i).starts_with(prefix)) return i;
    }
    return -1;
  }
  int count(std::string_view text) const {
    int n = 0;
    for (int i = 0; i < report.lineCount(); ++i)
      n += report.line(i) == text ? 1 : 0;
    return n;
  }
  int countPrefix(std::string_view prefix) const {
    int n = 0;
    for (int i = 0; i < report.lineCount(); ++i)
      n += report.line(i).starts_with(prefix) ? 1 : 0;
    return n;
  }

  SessionState state;
  LineListReport report;
  SessionOptions options;
  Requests requests;
  std::ostringstream echo;   // the messages with an OK button, "Title: text" per line
  std::size_t leftOver = 0;  // answers the session did not ask for
  bool busyAtEnd = false;
};

// A file in a fresh temporary folder of the test, removed with the object.
struct TempDir {
  TempDir() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    path = std::filesystem::temp_directory_path() /
           (std::string("bubblix_session_") + info->test_suite_name() + "_" + info->name());
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  std::string file(std::string_view name) const { return (path / name).string(); }
  std::filesystem::path path;
};

inline void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

// The report lines of the adequacy table: "%8.2f %16.2f %14.4f %14.4f %14.4f %14.4f %14.5f
// %14.5f", 115 characters.
inline bool isAdequacyRow(const std::string& line) {
  static const std::regex row(
      R"( {0,4}-?\d{1,4}\.\d{2} {1,13}-?\d+\.\d{2}( {1,13}-?\d+\.\d{4}){4}( {1,13}-?\d+\.\d{5}){2})");
  return line.size() == 115 && std::regex_match(line, row);
}

// A row of the equilibrium table: "%10.4f%10.4f    " then "%12.4f %12.4f " per component.
inline bool isEquilibriumRow(const std::string& line, int components) {
  static const std::regex row(R"(( *-?\d+\.\d{4}){2}    ( *-?\d+\.\d{4} *-?\d+\.\d{4} )+)");
  return line.size() == static_cast<std::size_t>(24 + 26 * components) &&
         std::regex_match(line, row);
}

// The numbers of a report line, in order.
inline std::vector<double> numbersOf(const std::string& line) {
  std::vector<double> numbers;
  static const std::regex number(R"(-?\d+\.\d+)");
  for (std::sregex_iterator it(line.begin(), line.end(), number), end; it != end; ++it) {
    numbers.push_back(std::stod(it->str()));
  }
  return numbers;
}

}  // namespace bubblix::session_test
