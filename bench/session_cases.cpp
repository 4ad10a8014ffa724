// Whole sessions as bubblix-cli runs them: answer scripts through ScriptedDialogs, the report
// in a LineListReport, a fresh session state every run.
//   fitsession/<model>/4  the fitting session of the four database components, no questions
//                         beyond the model (and the UNIFAC variant), no parameter file;
//   demo/nrtl-binary      the demonstration script examples/nrtl-binary.txt: NRTL fitted to
//                         comp.1 - comp.2, the adequacy table with its summary, two points.

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "bench_cases.h"
#include "bench_fixtures.h"
#include "core/data/database.h"
#include "core/report/report_document.h"
#include "core/session/answer_script.h"
#include "core/session/calculation_session.h"
#include "core/session/fitting_session.h"
#include "core/session/scripted_dialogs.h"
#include "core/session/session_state.h"

namespace bubblix::bench {

namespace {

// FNV-1a over the report's lines, each ended by a line feed: the golden check covers every
// character the session wrote.
std::string reportDigest(const LineListReport& report) {
  std::uint64_t hash = 14695981039346656037ull;
  for (const std::string& line : report.lines()) {
    for (const char c : line + "\n") {
      hash ^= static_cast<unsigned char>(c);
      hash *= 1099511628211ull;
    }
  }
  return "fnv:" + std::to_string(hash) + ":" + std::to_string(report.lineCount());
}

void appendPoint(Results& results, const SessionState& state) {
  appendExact(results, std::span<const Real>(&state.Tau, 1));
  appendExact(results, std::span<const Real>(&state.Pressure, 1));
  appendExact(results, state.LiquidX);
  appendExact(results, state.VapourY);
  appendExact(results, state.Gamma);
}

const char* modelAnswers(Model model) {
  switch (model) {
    case Model::Wilson:
      return "model Wilson\n";
    case Model::NRTL:
      return "model NRTL\n";
    case Model::UNIQUAC:
      return "model UNIQUAC\n";
    case Model::UNIFAC1:
      // Variant 1 (main groups), then fit to the data rather than take the literature values.
      return "model UNIFAC\nvariant 1\nvariant 1\n";
    case Model::UNIFAC2:
      return "model UNIFAC\nvariant 2\n";
  }
  return "";
}

class FittingSessionWork : public BenchWork {
 public:
  explicit FittingSessionWork(Model model) : script_(AnswerScript::parse(modelAnswers(model))) {}

  void run() override {
    state_ = SessionState{};
    state_.InterfaceLanguage = Language::English;
    state_.SelectedCount = 4;
    state_.SelectedComponents = {1, 2, 3, 4};
    report_ = LineListReport{};
    std::ostringstream echo;
    ScriptedDialogs dialogs(script_, echo);
    result_ = runFittingSession(dialogs, report_, state_, builtInDatabase(), {}, false);
    if (result_.Session.Outcome != SessionOutcome::Completed || !echo.str().empty()) {
      throw std::runtime_error("fitting session did not complete: " + result_.Session.Message +
                               echo.str());
    }
  }

  Results results() const override {
    Results results;
    appendExact(results, setParameters(state_.ParameterSet));
    results.push_back(reportDigest(report_));
    return results;
  }

 private:
  AnswerScript script_;
  SessionState state_;
  LineListReport report_;
  FittingResult result_;
};

std::string readExample(const std::string& name) {
  std::ifstream in(std::string(BUBBLIX_SOURCE_DIR) + "/examples/" + name);
  if (!in) throw std::runtime_error("cannot read examples/" + name);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class DemonstrationWork : public BenchWork {
 public:
  explicit DemonstrationWork(const std::string& example)
      : script_(AnswerScript::parse(readExample(example))) {}

  void run() override {
    state_ = SessionState{};
    state_.InterfaceLanguage = Language::English;
    report_ = LineListReport{};
    std::ostringstream echo;
    ScriptedDialogs dialogs(script_, echo);
    const SessionResult result = runCalculationSession(dialogs, report_, state_, builtInDatabase());
    if (result.Outcome != SessionOutcome::Completed || !echo.str().empty() ||
        !dialogs.script().atEnd()) {
      throw std::runtime_error("demonstration session did not complete: " + result.Message +
                               echo.str());
    }
  }

  Results results() const override {
    Results results;
    appendExact(results, setParameters(state_.ParameterSet));
    appendPoint(results, state_);
    results.push_back(reportDigest(report_));
    return results;
  }

 private:
  AnswerScript script_;
  SessionState state_;
  LineListReport report_;
};

}  // namespace

void addSessionCases() {
  for (const Model model : kAllModels) {
    double target = 0.3;
    if (model == Model::UNIFAC2) target = 3.0;
    if (model == Model::UNIFAC1) target = 0;
    addCase({std::string("fitsession/") + caseModelName(model) + "/4",
             [model] { return std::make_unique<FittingSessionWork>(model); }, CaseSize::Long,
             target});
  }
  addCase({"demo/nrtl-binary",
           [] { return std::make_unique<DemonstrationWork>("nrtl-binary.txt"); }, CaseSize::Long,
           0.3});
}

}  // namespace bubblix::bench
