#include "core/session/answer_script.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <system_error>

#include "core/io/file_errors.h"
#include "core/io/input_file.h"
#include "core/session/dialog_rules.h"
#include "core/texts/dialog_texts.h"

namespace bubblix {

namespace {

bool isBlank(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

std::string lowerAscii(std::string_view word) {
  std::string out(word);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

// The line without its comment: a '#' at the start or after a blank, outside double quotes
// when `quotes` is set.
std::string_view stripComment(std::string_view line, bool quotes) {
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (quotes && line[i] == '"') quoted = !quoted;
    if (!quoted && line[i] == '#' && (i == 0 || isBlank(line[i - 1]))) return line.substr(0, i);
  }
  return line;
}

std::vector<std::string_view> splitWords(std::string_view text) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && isBlank(text[i]))
      ++i;
    const std::size_t start = i;
    while (i < text.size() && !isBlank(text[i]))
      ++i;
    if (i > start) words.push_back(text.substr(start, i - start));
  }
  return words;
}

// A whole decimal number in lo..hi, or nothing.
std::optional<int> readNumber(std::string_view word, int lo, int hi) {
  if (word.empty() || word.size() > 9) return std::nullopt;
  int value = 0;
  const auto result = std::from_chars(word.data(), word.data() + word.size(), value);
  if (result.ec != std::errc() || result.ptr != word.data() + word.size()) return std::nullopt;
  if (value < lo || value > hi) return std::nullopt;
  return value;
}

[[noreturn]] void malformed(const ScriptAnswer& answer, std::string_view form) {
  throw AnswerScriptError(
      texts::kScriptMalformed,
      {std::to_string(answer.Line), scriptLineForMessage(answer.Text), std::string(form)});
}

constexpr std::string_view kVariantForm = "variant N [liquid|vapour]";
constexpr std::string_view kModelForm = "model Wilson|NRTL|UNIQUAC|UNIFAC|exit";
constexpr std::string_view kComponentsForm = "components N,N,... | components all";
constexpr std::string_view kFileForm = "file PATH";

void parseVariant(ScriptAnswer& answer, const std::vector<std::string_view>& args) {
  if (args.empty() || args.size() > 2) malformed(answer, kVariantForm);
  const std::optional<int> number = readNumber(args[0], 1, kMaxVariants);
  if (!number) malformed(answer, kVariantForm);
  answer.Variant = *number;
  if (args.size() == 2) {
    const std::string phase = lowerAscii(args[1]);
    if (phase == "liquid") {
      answer.Phase = 'y';
    } else if (phase == "vapour" || phase == "vapor") {
      answer.Phase = 'x';
    } else {
      malformed(answer, kVariantForm);
    }
  }
}

void parseModel(ScriptAnswer& answer, const std::vector<std::string_view>& args) {
  if (args.size() > 1) malformed(answer, kModelForm);
  if (args.empty()) return;  // OK without a model
  const std::string name = lowerAscii(args[0]);
  if (name == "exit") {
    answer.ModelExit = true;
    return;
  }
  for (int tag = 0; tag < kModelCount; ++tag) {
    if (name == lowerAscii(texts::kModelNames[tag])) {
      answer.Model = tag;
      return;
    }
  }
  malformed(answer, kModelForm);
}

void parseComponents(ScriptAnswer& answer, std::string_view rest) {
  rest = trimBlanks(rest);
  if (rest.empty()) return;  // OK with nothing ticked
  if (lowerAscii(rest) == "all") {
    answer.AllComponents = true;
    return;
  }
  // Numbers separated by one comma or by blanks.
  std::size_t i = 0;
  bool needNumber = true;  // at the start and after a comma
  while (i < rest.size()) {
    if (isBlank(rest[i])) {
      ++i;
    } else if (rest[i] == ',') {
      if (needNumber) malformed(answer, kComponentsForm);
      needNumber = true;
      ++i;
    } else {
      std::size_t end = i;
      while (end < rest.size() && !isBlank(rest[end]) && rest[end] != ',')
        ++end;
      const std::string_view item = rest.substr(i, end - i);
      const bool digits =
          std::all_of(item.begin(), item.end(), [](char c) { return c >= '0' && c <= '9'; });
      if (!digits) {
        // A component's name ("all" only alone).
        if (lowerAscii(item) == "all" ||
            std::count(answer.ComponentNames.begin(), answer.ComponentNames.end(), item)) {
          malformed(answer, kComponentsForm);
        }
        answer.ComponentNames.emplace_back(item);
        needNumber = false;
        i = end;
        continue;
      }
      const std::optional<int> number = readNumber(item, 1, kMaxCheckListItems);
      if (!number || std::count(answer.Components.begin(), answer.Components.end(), *number)) {
        malformed(answer, kComponentsForm);
      }
      answer.Components.push_back(*number);
      needNumber = false;
      i = end;
    }
  }
  if (needNumber) malformed(answer, kComponentsForm);  // a trailing comma
}

void parseFile(ScriptAnswer& answer, std::string_view rest) {
  rest = trimBlanks(rest);
  if (!rest.empty() && rest.front() == '"') {
    if (rest.size() < 2 || rest.back() != '"') malformed(answer, kFileForm);
    rest = rest.substr(1, rest.size() - 2);
    if (rest.find('"') != std::string_view::npos) malformed(answer, kFileForm);
  }
  if (rest.empty()) malformed(answer, kFileForm);
  answer.Path = std::string(rest);
  // The system would take only the part before the NUL byte: another file than the one meant.
  if (answer.Path.find('\0') != std::string::npos) {
    throw AnswerScriptError(texts::kScriptFileNameHoldsNul,
                            {std::to_string(answer.Line), printableFileName(answer.Path)});
  }
}

struct Keyword {
  std::string_view word;
  AnswerKind kind;
};
constexpr Keyword kKeywords[] = {{"variant", AnswerKind::Variant},
                                 {"model", AnswerKind::Model},
                                 {"components", AnswerKind::Components},
                                 {"grid", AnswerKind::Grid},
                                 {"file", AnswerKind::File},
                                 {"yes", AnswerKind::Yes},
                                 {"no", AnswerKind::No},
                                 {"abort", AnswerKind::Abort},
                                 {"retry", AnswerKind::Retry},
                                 {"cancel", AnswerKind::Cancel},
                                 {"close", AnswerKind::Close}};

// One line that holds an answer; nothing for a blank or comment line.
std::optional<ScriptAnswer> parseLine(std::string_view line, int number) {
  std::string_view body = trimBlanks(line);
  std::size_t wordEnd = 0;
  while (wordEnd < body.size() && !isBlank(body[wordEnd]))
    ++wordEnd;
  const std::string keyword = lowerAscii(body.substr(0, wordEnd));
  body = trimBlanks(stripComment(body, keyword == "file"));
  if (body.empty()) return std::nullopt;

  ScriptAnswer answer;
  answer.Line = number;
  answer.Text = std::string(body);
  const auto found = std::find_if(std::begin(kKeywords), std::end(kKeywords),
                                  [&](const Keyword& k) { return k.word == keyword; });
  if (found == std::end(kKeywords)) {
    throw AnswerScriptError(texts::kScriptUnknownAnswer,
                            {std::to_string(number), scriptLineForMessage(answer.Text)});
  }
  answer.Kind = found->kind;
  const std::string_view rest = body.substr(std::min(wordEnd, body.size()));
  const std::vector<std::string_view> args = splitWords(rest);
  switch (answer.Kind) {
    case AnswerKind::Variant:
      parseVariant(answer, args);
      break;
    case AnswerKind::Model:
      parseModel(answer, args);
      break;
    case AnswerKind::Components:
      parseComponents(answer, rest);
      break;
    case AnswerKind::Grid:
      answer.Cells.assign(args.begin(), args.end());
      break;
    case AnswerKind::File:
      parseFile(answer, rest);
      break;
    default:
      if (!args.empty()) malformed(answer, keyword);
      break;
  }
  return answer;
}

}  // namespace

std::string scriptLineForMessage(std::string_view line) {
  constexpr std::size_t kLimit = 80;
  if (line.size() <= kLimit) return std::string(line);
  std::size_t cut = kLimit;
  while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
    --cut;
  return std::string(line.substr(0, cut)) + "...";
}

AnswerScript AnswerScript::parse(std::string_view text) {
  AnswerScript script;
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);  // a UTF-8 byte-order mark
  int number = 0;
  while (!text.empty()) {
    // Lines end with LF, CR LF or a lone CR.
    const std::size_t end = text.find_first_of("\r\n");
    const std::string_view line = text.substr(0, end);
    std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
    if (end != std::string_view::npos && text[end] == '\r' && next < text.size() &&
        text[next] == '\n') {
      ++next;
    }
    text.remove_prefix(next);
    ++number;
    if (std::optional<ScriptAnswer> answer = parseLine(line, number)) {
      script.answers_.push_back(std::move(*answer));
    }
  }
  script.lineCount_ = number;
  return script;
}

AnswerScript AnswerScript::load(const std::string& path) {
  std::string content;
  try {
    InputFile input(path, texts::kScriptUnreadable);
    content = input.readAll(kMaxAnswerScriptBytes, texts::kScriptTooLarge);
  } catch (const FileError& error) {
    // As every other fault of the script, an AnswerScriptError with the same message.
    throw AnswerScriptError(error.text(), error.args(), error.textArgs());
  }
  return parse(content);
}

}  // namespace bubblix
