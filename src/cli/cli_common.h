#pragma once
// What the commands of bubblix-cli share: exit statuses, the language option, numbers and
// lists read from the command line (always with a full stop), loading a parameter file, and
// running a command so that every error becomes a message on standard error.

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "core/base/errors.h"
#include "core/base/real.h"
#include "core/data/database.h"
#include "core/session/dialogs.h"
#include "core/session/parameter_file_dialogs.h"
#include "core/session/session_state.h"
#include "core/texts/text.h"

namespace CLI {
class App;
class Validator;
}  // namespace CLI

namespace bubblix::cli {

// Exit statuses of bubblix-cli.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // a calculation, file, answer-script or data error
inline constexpr int kExitUsage = 2;   // the command line itself: an option or its value

// A value of the command line that makes no sense (a list that is not numbers, a component
// given twice, options that do not go together): exit status kExitUsage.
class UsageError : public InputError {
 public:
  using InputError::InputError;
};

// Where a command writes: the report or JSON to `out`, messages to `err`.
struct CommandStreams {
  std::ostream& out;
  std::ostream& err;
};

// The check of an option naming an input file: a name that leads nowhere ("File does not
// exist: NAME") is a wrong command line (exit status 2); whatever else is wrong with the file
// (a folder, a loop of symbolic links, no permission) is reported by the command when it reads
// the file, as a file error naming the reason (exit status 1). With standardInput, "-" stands
// for standard input.
CLI::Validator existingInput(bool standardInput);

// The option --lang en|ru (English by default) of a command.
void addLanguageOption(CLI::App& command, std::string& lang);
Language languageOf(const std::string& lang);

// A real number as written on the command line or in a CSV field: blanks trimmed, an
// optional sign, a full stop as the decimal separator, an optional exponent; nothing else
// (no "nan", "inf", comma or trailing characters). `option` names the value in the message.
Real parseNumber(const std::string& text, const std::string& option);
// A comma-separated list of such numbers (at least one).
std::vector<Real> parseNumberList(const std::string& text, const std::string& option);

// The user's own data of a command: --library FILE.json (once) and --data FILE.csv
// (repeatable), see docs/components.md and docs/data-sets.md.
struct UserDataOptions {
  std::string Library;
  std::vector<std::string> Data;
};
void addUserDataOptions(CLI::App& command, UserDataOptions& options);
// The built-in database grown by the library, with the data sets loaded in order. Throws
// FileError naming the file, the line and the field of the first fault.
Database loadUserData(const UserDataOptions& options);

// The parameter set of a parameter file with its mixture (names in `lang`), as a session's
// variant 2 loads it. The mixture points into `db`, which must outlive the set.
struct LoadedSet {
  SessionState State;
  LoadedParameterFile File;
};
LoadedSet loadParameterSet(const std::string& path, Language lang,
                           const Database& db = builtInDatabase());
// Throws InputError unless the set holds two components.
void requireBinary(const LoadedSet& loaded);

// A message box with only an OK button, as bubblix-cli shows it: "Title: text" on one or more
// lines of `err` (CR LF inside the text starts a new line).
void echoMessage(std::ostream& err, MessageKind kind, const std::string& text, Language lang);

// Writes the lines, one per output line.
void printLines(std::ostream& out, const std::vector<std::string>& lines);

// Runs a command: returns its exit status, or writes the message of an error it throws to
// `err` ("bubblix-cli: " + message in `lang`) and returns kExitUsage for a UsageError,
// kExitFailed for any other.
int runCommand(Language lang, std::ostream& err, const std::function<int()>& command);

// The message line of an error, as runCommand writes it.
void printError(std::ostream& err, const std::string& message);

}  // namespace bubblix::cli
