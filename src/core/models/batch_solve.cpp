#include "core/models/batch_solve.h"

#include <array>
#include <istream>
#include <limits>
#include <optional>
#include <ostream>
#include <span>
#include <string_view>
#include <vector>

#include "core/base/errors.h"
#include "core/base/units.h"
#include "core/io/csv_fields.h"
#include "core/io/number_format.h"
#include "core/io/number_reading.h"
#include "core/io/seventeen_digits.h"
#include "core/models/equilibrium_point.h"
#include "core/models/model_evaluation.h"
#include "core/models/model_types.h"
#include "core/models/point_warnings.h"
#include "core/models/solvers.h"
#include "core/texts/batch_texts.h"
#include "core/texts/data_texts.h"

namespace bubblix {

// ---- Headers -------------------------------------------------------------------------------

namespace {

// "c1", "x2", ...: a name with a component number.
std::string numbered(std::string_view name, int k) {
  std::string text(name);
  text += std::to_string(k);
  return text;
}

}  // namespace

std::string batchInputHeader(int n) {
  std::string header = "task,phase,value";
  for (int c = 1; c < n; ++c) {
    header += ',';
    header += numbered("c", c);
  }
  return header;
}

std::string batchOutputHeader(int n) {
  std::string header = "t_c,p_mmhg";
  for (const char* name : {"x", "y", "gamma"}) {
    for (int c = 1; c <= n; ++c) {
      header += ',';
      header += numbered(name, c);
    }
  }
  header += ",error,warning";
  return header;
}

// ---- Reading -------------------------------------------------------------------------------

namespace {

// A field or line as a message quotes it: cut after `most` bytes at a character boundary and
// marked with "...", control characters shown as '?'.
std::string quoted(std::string_view text, std::size_t most) {
  std::size_t cut = text.size();
  if (cut > most) {
    cut = most;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0u) == 0x80u)
      --cut;  // keep whole UTF-8 characters
  }
  std::string shown(text.substr(0, cut));
  for (char& c : shown) {
    if (static_cast<unsigned char>(c) < 0x20u || c == 0x7F) c = '?';
  }
  if (cut < text.size()) shown += "...";
  return shown;
}

// One point as the line gives it, or the reason it cannot be solved.
struct Point {
  bool TemperatureTask = true;  // task T: P given, tau unknown
  bool Bubble = true;           // phase liquid
  Real Value = 0;               // mm Hg (task T) or degC (task P)
  std::array<Real, 3> Percents{};
};

class BatchRun {
 public:
  BatchRun(std::ostream& out, const TParameterSet& set, const Mixture& mixture, Language lang)
      : out_(out), set_(set), mixture_(mixture), lang_(lang), n_(set.ComponentCount) {
    row_.reserve(512);
  }

  void checkHeader(std::string_view line) {
    const CsvFields fields = splitCsvFields(line);
    bool right = fields.Count == static_cast<std::size_t>(n_) + 2 && fields.Count <= kMaxCsvFields;
    for (std::size_t k = 0; right && k < fields.Count; ++k) {
      const std::string expected = k == 0   ? "task"
                                   : k == 1 ? "phase"
                                   : k == 2 ? "value"
                                            : numbered("c", static_cast<int>(k) - 2);
      right = equalsIgnoringAsciiCase(fields.Field[k], expected);
    }
    if (!right) {
      throw InputError(texts::kBatchWrongHeader, {batchInputHeader(n_), quoted(line, 80)});
    }
    write(batchOutputHeader(n_));
    row_.clear();
  }

  void point(std::size_t lineNumber, std::string_view line) {
    Point point;
    if (const std::optional<std::string> refusal = readPoint(lineNumber, line, point)) {
      failedRow(*refusal);
      return;
    }
    solve(lineNumber, point);
  }

  void failedRow(const std::string& message) {
    row_.clear();
    row_.append(static_cast<std::size_t>(2 + 3 * n_), ',');
    appendField(message);
    row_ += ',';  // no warning without a point
    write(row_);
    ++summary_.Points;
    ++summary_.Failed;
  }

  // A text field, in double quotes when it holds a comma, a quote or a line break.
  void appendField(const std::string& text) {
    const bool quote = text.find_first_of(",\"\r\n") != std::string::npos;
    if (quote) row_ += '"';
    for (const char c : text) {
      if (c == '"') row_ += '"';
      row_ += c;
    }
    if (quote) row_ += '"';
  }

  std::string message(const Text& text, std::vector<std::string> args) const {
    return render(text, lang_, args);
  }

  const BatchSummary& summary() const { return summary_; }

 private:
  // nullopt when the point can be solved.
  std::optional<std::string> readPoint(std::size_t lineNumber, std::string_view line,
                                       Point& point) const {
    // Texts are built only for a refusal.
    const auto number = [lineNumber] { return std::to_string(lineNumber); };
    const CsvFields fields = splitCsvFields(line);
    const std::size_t expected = static_cast<std::size_t>(n_) + 2;
    if (fields.Count != expected) {
      return message(texts::kBatchFieldCount, {number(), std::to_string(fields.Count),
                                               std::to_string(expected), batchInputHeader(n_)});
    }
    const std::string_view task = fields.Field[0];
    if (equalsIgnoringAsciiCase(task, "T")) {
      point.TemperatureTask = true;
    } else if (equalsIgnoringAsciiCase(task, "P")) {
      point.TemperatureTask = false;
    } else {
      return message(texts::kBatchUnknownTask, {number(), quoted(task, 40)});
    }
    const std::string_view phase = fields.Field[1];
    if (equalsIgnoringAsciiCase(phase, "liquid")) {
      point.Bubble = true;
    } else if (equalsIgnoringAsciiCase(phase, "vapour") ||
               equalsIgnoringAsciiCase(phase, "vapor")) {
      point.Bubble = false;
    } else {
      return message(texts::kBatchUnknownPhase, {number(), quoted(phase, 40)});
    }

    if (trimSpacesAndTabs(fields.Field[2]).empty())
      return message(texts::kBatchFieldEmpty, {number(), "value"});
    const std::optional<Real> value = parseDecimalNumber(fields.Field[2]);
    if (!value)
      return message(texts::kBatchNotANumber, {number(), "value", quoted(fields.Field[2], 40)});
    point.Value = *value;
    if (const auto refusal =
            point.TemperatureTask ? checkPressure(point.Value) : checkTemperature(point.Value)) {
      return refusalText(*refusal, lineNumber, fields.Field[2]);
    }

    // Each percent is read and checked before the next is read: the first field that is
    // wrong is the one the message names.
    Real sum = 0.0L;
    for (int c = 0; c < n_ - 1; ++c) {
      const std::string_view field = fields.Field[static_cast<std::size_t>(3 + c)];
      if (trimSpacesAndTabs(field).empty())
        return message(texts::kBatchFieldEmpty, {number(), numbered("c", c + 1)});
      const std::optional<Real> percent = parseDecimalNumber(field);
      if (!percent) {
        return message(texts::kBatchNotANumber,
                       {number(), numbered("c", c + 1), quoted(field, 40)});
      }
      if (const auto refusal = checkPercent(c, *percent)) {
        return refusalText(*refusal, lineNumber, field);
      }
      point.Percents[static_cast<std::size_t>(c)] = *percent;
      sum += *percent;
    }
    if (const auto refusal = checkPercentSum(sum)) return refusalText(*refusal, lineNumber, {});
    return std::nullopt;
  }

  // The message of a refused entry; `field` is the field as written (not for the sum).
  std::string refusalText(const EntryRefusal& refusal, std::size_t lineNumber,
                          std::string_view field) const {
    const std::string line = std::to_string(lineNumber);
    const std::string column =
        refusal.Component < 0 ? std::string("value") : numbered("c", refusal.Component + 1);
    switch (refusal.Problem) {
      case EntryProblem::NotFinite:  // the reader gives finite numbers only
        return message(texts::kBatchNotANumber, {line, column, quoted(field, 40)});
      case EntryProblem::PressureNotPositive:
        return message(texts::kBatchPressureNotPositive, {line, std::string(field)});
      case EntryProblem::TemperatureTooLow:
        return message(texts::kBatchTemperatureTooLow, {line, std::string(field)});
      case EntryProblem::PercentOutOfRange:
        return message(texts::kBatchPercentOutOfRange, {line, column, std::string(field)});
      case EntryProblem::PercentSumAbove100:
        return message(texts::kBatchPercentSumAbove100,
                       {line, formatGeneral(refusal.Value, 10), std::to_string(n_)});
    }
    return {};
  }

  void solve(std::size_t lineNumber, const Point& point) {
    Real tau = 0.0L;
    Real P = 0.0L;
    SolverStart start;
    if (point.TemperatureTask) {
      P = mmHgToPa(point.Value);
      start = temperatureTaskStart(P);
    } else {
      tau = tauFromCelsius(point.Value);
      start = pressureTaskStart(point.Value);
    }
    CompositionVector x{};
    CompositionVector y{};
    CompositionVector gamma{};
    compositionFromPercents(std::span(point.Percents).first(static_cast<std::size_t>(n_ - 1)),
                            point.Bubble ? x : y);

    const char task = point.TemperatureTask ? 'T' : 'P';
    const char phase = point.Bubble ? 'y' : 'x';
    try {
      const SolveResult result =
          SolveEquilibrium(mixture_, task, phase, start.A, start.B, tau, P, set_, x, gamma, y);
      if (!result.converged()) {
        failedRow(
            message(texts::kBatchPointFailed, {std::to_string(lineNumber), result.message(lang_)}));
        return;
      }
    } catch (const Error& error) {
      failedRow(
          message(texts::kBatchPointFailed, {std::to_string(lineNumber), error.message(lang_)}));
      return;
    }

    row_.clear();
    appendNumber(celsiusFromTau(tau));
    row_ += ',';
    appendNumber(paToMmHg(P));
    for (const CompositionVector* values : {&x, &y, &gamma}) {
      for (int c = 0; c < n_; ++c) {
        row_ += ',';
        appendNumber((*values)[c]);
      }
    }
    row_ += ',';  // no error
    row_ += ',';
    // The warnings of a point outside the property data, "; " between two (no allocation for a
    // point within them).
    const std::vector<RangeWarning> warnings =
        rangeWarnings(mixture_, n_, set_.ModelCode, celsiusFromTau(tau));
    if (!warnings.empty()) {
      std::string text;
      for (const RangeWarning& warning : warnings) {
        if (!text.empty()) text += "; ";
        text += rangeWarningText(warning, lang_);
      }
      appendField(text);
    }
    write(row_);
    ++summary_.Points;
    ++summary_.Solved;
  }

  void appendNumber(Real value) {
    char buffer[kSeventeenDigitsLength];
    row_.append(buffer, formatSeventeenDigits(value, buffer));
  }

  void write(const std::string& line) {
    out_.write(line.data(), static_cast<std::streamsize>(line.size()));
    out_.put('\n');
    if (!out_) {
      throw FileError(texts::kBatchWriteFailed, {std::to_string(summary_.Points)});
    }
  }

  std::ostream& out_;
  const TParameterSet& set_;
  const Mixture& mixture_;
  Language lang_;
  int n_;
  std::string row_;
  BatchSummary summary_;
};

}  // namespace

BatchSummary solveBatch(std::istream& in, std::ostream& out, const TParameterSet& set,
                        const Mixture& mixture, Language lang) {
  validateParameterSet(set);
  const int n = set.ComponentCount;
  for (int slot = 0; slot < n; ++slot) {
    if (mixture.Records[static_cast<std::size_t>(slot)] == nullptr) {
      throw DataError(kMixtureSlotNotLoadedText, {std::to_string(slot + 1)});
    }
  }

  if (!in) throw FileError(texts::kBatchReadFailed, {"1"});
  BatchRun run(out, set, mixture, lang);
  std::array<char, kBatchMaxLineLength + 1> buffer;
  std::size_t lineNumber = 0;
  std::size_t pendingEmptyLines = 0;  // written only when a point follows them
  bool headerSeen = false;
  while (true) {
    in.getline(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    const std::streamsize extracted = in.gcount();
    if (in.bad()) throw FileError(texts::kBatchReadFailed, {std::to_string(lineNumber + 1)});
    if (extracted == 0 && in.eof()) break;
    ++lineNumber;
    const bool tooLong = in.fail() && !in.eof();
    if (tooLong) {
      in.clear();
      in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
      if (in.bad()) throw FileError(texts::kBatchReadFailed, {std::to_string(lineNumber)});
    }
    // The characters read, without the line feed (gcount counts it when it was taken).
    const bool endedByLineFeed = !tooLong && !in.eof();
    std::string_view line(buffer.data(),
                          static_cast<std::size_t>(extracted) - (endedByLineFeed ? 1 : 0));
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

    if (!headerSeen) {
      if (line.starts_with("\xEF\xBB\xBF")) line.remove_prefix(3);
      if (tooLong) {
        throw InputError(texts::kBatchWrongHeader, {batchInputHeader(n), quoted(line, 80)});
      }
      run.checkHeader(line);
      headerSeen = true;
      continue;
    }
    if (!tooLong && trimSpacesAndTabs(line).empty()) {
      ++pendingEmptyLines;
      continue;
    }
    for (; pendingEmptyLines > 0; --pendingEmptyLines) {
      run.failedRow(
          run.message(texts::kBatchEmptyLine, {std::to_string(lineNumber - pendingEmptyLines)}));
    }
    if (tooLong) {
      run.failedRow(run.message(texts::kBatchLineTooLong,
                                {std::to_string(lineNumber), std::to_string(kBatchMaxLineLength)}));
      continue;
    }
    run.point(lineNumber, line);
    if (in.eof()) break;
  }
  if (!headerSeen) throw InputError(texts::kBatchNoHeader, {batchInputHeader(n)});
  out.flush();
  if (!out) throw FileError(texts::kBatchWriteFailed, {std::to_string(run.summary().Points)});
  return run.summary();
}

}  // namespace bubblix
