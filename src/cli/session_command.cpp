#include "cli/session_command.h"

#include <CLI/CLI.hpp>
#include <optional>

#include "cli/cli_texts.h"
#include "core/data/database.h"
#include "core/io/input_file.h"
#include "core/io/report_file.h"
#include "core/session/calculation_session.h"
#include "core/session/scripted_dialogs.h"

namespace bubblix::cli {

CLI::App* setupSessionCommand(CLI::App& app, SessionCommandOptions& options) {
  CLI::App* command = app.add_subcommand(
      "session", "run one calculation session with the answers of an answer script");
  command
      ->add_option("--answers", options.Answers,
                   "the answer script (see README.md; - reads standard input)")
      ->required()
      ->check(existingInput(true));
  addUserDataOptions(*command, options.UserData);
  addLanguageOption(*command, options.Lang);
  command->add_option("--report", options.Report,
                      "also write the report to this file (UTF-8, CR LF; an old file is kept "
                      "as its .bak copy once the new one is complete)");
  addObjectiveOptions(*command, options.Objective);
  return command;
}

int runSessionCommand(const SessionCommandOptions& options, CommandStreams io) {
  const Language lang = languageOf(options.Lang);
  // A script that is not written in the format stops here, before anything runs, and so do
  // a library or data set that cannot be read.
  ScriptedDialogs dialogs(AnswerScript::load(options.Answers), io.err);
  const Database db = loadUserData(options.UserData);
  SessionOptions sessionOptions;
  sessionOptions.Objective =
      parseObjectiveOptions(options.Objective, "", static_cast<int>(db.ComponentBase.size()));

  SessionState state;
  state.InterfaceLanguage = lang;
  if (options.Answers == kStandardInputName) {
    state.Files.noteStandardInputRead(FileRole::AnswerScript);
  } else {
    state.Files.noteRead(options.Answers, FileRole::AnswerScript);
  }
  LineListReport report;
  SessionResult result;
  std::optional<std::string> scriptError;
  try {
    result = runCalculationSession(dialogs, report, state, db, sessionOptions);
  } catch (const Error& error) {
    // The script did not answer the session's questions; the report keeps its lines.
    scriptError = error.message(lang);
  } catch (const std::exception& error) {
    scriptError = render(texts::kUnexpectedFailure, lang, {error.what()});
  }

  printLines(io.out, report.lines());
  int status = kExitOk;
  if (!options.Report.empty()) {
    if (report.lines().empty()) {
      // A session refused before it wrote anything has no result: the file stays as it was.
      printError(io.err, render(texts::kEmptyReportNotSaved, lang, {options.Report}));
    } else {
      try {
        // Checked against the script, a parameter file the session loaded and one it saved.
        saveReport(report.lines(), options.Report, state.Files);
      } catch (const Error& error) {
        printError(io.err, error.message(lang));
        status = kExitFailed;
      }
    }
  }
  if (scriptError) {
    printError(io.err, *scriptError);
    return kExitFailed;
  }
  if (result.Outcome == SessionOutcome::Failed) {
    // The error box has been written to standard error already.
    printError(io.err, render(texts::kSessionFailed, lang));
    return kExitFailed;
  }
  if (result.SaveFailed) {
    printError(io.err, render(texts::kSessionSaveFailed, lang));
    status = kExitFailed;
  }
  const AnswerScript& script = dialogs.script();
  if (!script.atEnd()) {
    printError(io.err, render(texts::kAnswersLeft, lang,
                              {options.Answers, std::to_string(script.remaining()),
                               std::to_string(script.peek().Line)}));
  }
  return status;
}

}  // namespace bubblix::cli
