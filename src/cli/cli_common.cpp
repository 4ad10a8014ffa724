#include "cli/cli_common.h"

#include <sys/stat.h>

#include <CLI/CLI.hpp>
#include <cerrno>
#include <exception>
#include <ostream>

#include "cli/cli_texts.h"
#include "core/data/component_library.h"
#include "core/data/data_set_file.h"
#include "core/data/database.h"
#include "core/data/user_data.h"
#include "core/io/number_reading.h"
#include "core/session/dialog_rules.h"

namespace bubblix::cli {

CLI::Validator existingInput(bool standardInput) {
  return CLI::Validator(
      [standardInput](std::string& name) -> std::string {
        if (standardInput && name == "-") return {};
        struct stat info {};
        if (::stat(name.c_str(), &info) != 0 && (errno == ENOENT || errno == ENOTDIR))
          return "File does not exist: " + name;
        return {};
      },
      "FILE");
}

void addLanguageOption(CLI::App& command, std::string& lang) {
  command.add_option("--lang", lang, "language of the report and the messages (default en)")
      ->transform(CLI::IsMember({"en", "ru"}, CLI::ignore_case));
}

Language languageOf(const std::string& lang) {
  return lang == "ru" ? Language::Russian : Language::English;
}

Real parseNumber(const std::string& text, const std::string& option) {
  // The grid's reading with a full stop: independent of the C locale, no nan or inf.
  if (const std::optional<Real> value = parseGridNumber(text, ".")) return *value;
  throw UsageError(texts::kNotANumber, {option, std::string(trimBlanks(text))});
}

std::vector<Real> parseNumberList(const std::string& text, const std::string& option) {
  std::vector<Real> values;
  if (trimBlanks(text).empty()) throw UsageError(texts::kEmptyList, {option});
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = text.find(',', start);
    values.push_back(parseNumber(text.substr(start, comma - start), option));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return values;
}

void addUserDataOptions(CLI::App& command, UserDataOptions& options) {
  command
      .add_option("--library", options.Library,
                  "a component library (JSON, docs/components.md): its components are numbers "
                  "5, 6, ...")
      ->check(existingInput(false));
  command
      .add_option("--data", options.Data,
                  "a data set (CSV, docs/data-sets.md) of a pair; may be given several times")
      ->check(existingInput(false))
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
}

Database loadUserData(const UserDataOptions& options) {
  return bubblix::loadUserData(options.Library, options.Data);
}

LoadedSet loadParameterSet(const std::string& path, Language lang, const Database& db) {
  LoadedSet loaded;
  loaded.State.InterfaceLanguage = lang;
  try {
    loaded.File = loadParameterFile(path, loaded.State, db);
  } catch (const FileError& error) {
    // Some of the reader's messages do not name the file ("wrong parameter in DataFile").
    const std::string message = error.message(lang);
    if (message.find(path) != std::string::npos) throw;
    throw FileError(texts::kParameterFileError, {path, message});
  } catch (const DataError& error) {
    const std::string message = error.message(lang);
    if (message.find(path) != std::string::npos) throw;
    throw DataError(texts::kParameterFileError, {path, message});
  }
  return loaded;
}

void requireBinary(const LoadedSet& loaded) {
  const int n = loaded.State.ParameterSet.ComponentCount;
  if (n != 2) throw InputError(texts::kNotBinary, {loaded.File.FileName, std::to_string(n)});
}

void echoMessage(std::ostream& err, MessageKind kind, const std::string& text, Language lang) {
  std::string lines;
  lines.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      lines += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      lines += text[i];
    }
  }
  err << messageTitle(kind).in(lang) << ": " << lines << '\n';
  err.flush();
}

void printLines(std::ostream& out, const std::vector<std::string>& lines) {
  for (const std::string& line : lines)
    out << line << '\n';
  out.flush();
}

void printError(std::ostream& err, const std::string& message) {
  err << "bubblix-cli: " << message << '\n';
  err.flush();
}

int runCommand(Language lang, std::ostream& err, const std::function<int()>& command) {
  try {
    return command();
  } catch (const UsageError& error) {
    printError(err, error.message(lang));
    return kExitUsage;
  } catch (const Error& error) {
    printError(err, error.message(lang));
  } catch (const std::exception& error) {
    printError(err, render(texts::kUnexpectedFailure, lang, {error.what()}));
  } catch (...) {
    printError(err, render(texts::kUnexpectedFailure, lang, {"?"}));
  }
  return kExitFailed;
}

}  // namespace bubblix::cli
