#include "core/models/batch_solve.h"

#include <locale.h>
#include <stdlib.h>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <istream>
#include <limits>
#include <optional>
#include <ostream>
#include <string_view>
#include <vector>

#include "core/base/errors.h"
#include "core/base/units.h"
#include "core/io/number_format.h"
#include "core/models/model_types.h"
#include "core/models/solvers.h"
#include "core/texts/batch_texts.h"
#include "core/texts/data_texts.h"

namespace bubblix {

// ---- The number format ---------------------------------------------------------------------
//
// %.17Lg needs the 80-bit value rounded to 17 significant digits. printf does this with
// arbitrary precision and costs about half a microsecond a number, as much as a bubble point.
// Here the value m 2^-p (m the 64-bit mantissa) is scaled exactly: N = m 10^s / 2^p in 256-bit
// integer arithmetic, s = 16 - (decimal exponent), and the remainder decides the rounding
// (ties to even, as printf in the default rounding mode). That covers 1e-39 <= |v| < 1e17,
// every value a row normally holds; anything else goes to std::to_chars, which rounds the
// same way and ignores the locale too.

namespace {

using U64 = std::uint64_t;
__extension__ typedef unsigned __int128 U128;  // GCC and Clang; not ISO C++

constexpr int kDigits = 17;
constexpr int kMaxScale = 55;  // 10^55 < 2^183: m 10^s stays below 2^247
constexpr U64 kTenTo16 = 10000000000000000ull;
constexpr U64 kTenTo17 = 100000000000000000ull;

// Little-endian limbs.
using U256 = std::array<U64, 4>;

constexpr std::array<U256, kMaxScale + 1> makePowersOfTen() {
  std::array<U256, kMaxScale + 1> table{};
  table[0] = {1, 0, 0, 0};
  for (int s = 1; s <= kMaxScale; ++s) {
    U128 carry = 0;
    for (int k = 0; k < 4; ++k) {
      const U128 product = static_cast<U128>(table[s - 1][k]) * 10u + carry;
      table[s][k] = static_cast<U64>(product);
      carry = product >> 64;
    }
  }
  return table;
}

constexpr std::array<U256, kMaxScale + 1> kPowersOfTen = makePowersOfTen();

enum class Remainder { BelowHalf, Half, AboveHalf };

// floor(m 10^s / 2^p) (which must fit 64 bits) and how the remainder compares with one half;
// 1 <= p <= 255.
U64 scaledFloor(U64 m, int s, int p, Remainder& remainder) {
  U256 product{};
  U128 carry = 0;
  for (int k = 0; k < 4; ++k) {
    const U128 term = static_cast<U128>(kPowersOfTen[s][k]) * m + carry;
    product[k] = static_cast<U64>(term);
    carry = term >> 64;
  }
  const auto bit = [&product](int i) { return (product[i / 64] >> (i % 64)) & 1u; };
  const int limb = p / 64;
  const int shift = p % 64;
  U64 quotient = product[limb] >> shift;
  if (shift != 0 && limb + 1 < 4) quotient |= product[limb + 1] << (64 - shift);

  // Below the half bit: is anything set?
  bool lowerBits = false;
  for (int k = 0; k < (p - 1) / 64; ++k)
    lowerBits = lowerBits || product[k] != 0;
  const int rest = (p - 1) % 64;
  if (rest != 0) lowerBits = lowerBits || (product[(p - 1) / 64] & ((U64{1} << rest) - 1)) != 0;
  if (bit(p - 1) == 0) {
    remainder = Remainder::BelowHalf;
  } else {
    remainder = lowerBits ? Remainder::AboveHalf : Remainder::Half;
  }
  return quotient;
}

// %g layout of the 17 digits of N (10^16 <= N < 10^17) with decimal exponent X.
std::size_t layOut(bool negative, U64 N, int X, char* out) {
  char digits[kDigits];
  for (int k = kDigits - 1; k >= 0; --k) {
    digits[k] = static_cast<char>('0' + N % 10);
    N /= 10;
  }
  int used = kDigits;  // significant digits after dropping trailing zeros
  while (used > 1 && digits[used - 1] == '0')
    --used;

  char* p = out;
  if (negative) *p++ = '-';
  if (X >= -4 && X < kDigits) {
    if (X >= 0) {
      for (int k = 0; k <= X; ++k)
        *p++ = digits[k];
      if (used > X + 1) {
        *p++ = '.';
        for (int k = X + 1; k < used; ++k)
          *p++ = digits[k];
      }
    } else {
      *p++ = '0';
      *p++ = '.';
      for (int k = 0; k < -X - 1; ++k)
        *p++ = '0';
      for (int k = 0; k < used; ++k)
        *p++ = digits[k];
    }
  } else {
    *p++ = digits[0];
    if (used > 1) {
      *p++ = '.';
      for (int k = 1; k < used; ++k)
        *p++ = digits[k];
    }
    *p++ = 'e';
    *p++ = X < 0 ? '-' : '+';
    const int e = X < 0 ? -X : X;
    if (e >= 1000) *p++ = static_cast<char>('0' + e / 1000);
    if (e >= 100) *p++ = static_cast<char>('0' + e / 100 % 10);
    *p++ = static_cast<char>('0' + e / 10 % 10);
    *p++ = static_cast<char>('0' + e % 10);
  }
  return static_cast<std::size_t>(p - out);
}

std::size_t formatSlowly(Real value, char* out) {
  const std::to_chars_result result =
      std::to_chars(out, out + kBatchNumberLength, value, std::chars_format::general, kDigits);
  return static_cast<std::size_t>(result.ptr - out);
}

}  // namespace

std::size_t FormatBatchNumber(Real value, char* out) {
  if (value == 0.0L || !std::isfinite(value)) return formatSlowly(value, out);
  // The x87 format: 64 mantissa bits with an explicit leading bit, then 15 exponent bits
  // (bias 16383) and the sign. A normal value has the leading bit set.
  U64 m = 0;
  std::uint16_t signAndExponent = 0;
  std::memcpy(&m, &value, sizeof m);
  std::memcpy(&signAndExponent, reinterpret_cast<const char*>(&value) + 8, sizeof signAndExponent);
  const bool negative = (signAndExponent & 0x8000u) != 0;
  const int biased = signAndExponent & 0x7FFF;
  if (biased == 0 || (m >> 63) == 0) return formatSlowly(value, out);  // subnormal
  const int e2 = biased - 16382;  // |value| = (m / 2^64) 2^e2 with m / 2^64 in [0.5, 1)
  const int p = 64 - e2;          // |value| = m 2^-p
  // The decimal exponent: floor((e2 - 1) log10 2) is it or one below it.
  int X = static_cast<int>(std::floor((e2 - 1) * 0.30102999566398120));
  for (int attempt = 0; attempt < 2; ++attempt) {
    const int s = kDigits - 1 - X;
    if (s < 0 || s > kMaxScale || p < 1 || p > 255) return formatSlowly(value, out);
    Remainder remainder;
    U64 N = scaledFloor(m, s, p, remainder);
    if (N >= kTenTo17) {
      ++X;
      continue;
    }
    if (remainder == Remainder::AboveHalf || (remainder == Remainder::Half && N % 2 == 1)) ++N;
    if (N == kTenTo17) {
      N = kTenTo16;
      ++X;
    }
    return layOut(negative, N, X, out);
  }
  return formatSlowly(value, out);
}

// ---- Headers -------------------------------------------------------------------------------

namespace {

// "c1", "x2", ...: a name with a component number.
std::string numbered(std::string_view name, int k) {
  std::string text(name);
  text += std::to_string(k);
  return text;
}

}  // namespace

std::string BatchInputHeader(int n) {
  std::string header = "task,phase,value";
  for (int c = 1; c < n; ++c) {
    header += ',';
    header += numbered("c", c);
  }
  return header;
}

std::string BatchOutputHeader(int n) {
  std::string header = "t_c,p_mmhg";
  for (const char* name : {"x", "y", "gamma"}) {
    for (int c = 1; c <= n; ++c) {
      header += ',';
      header += numbered(name, c);
    }
  }
  header += ",error";
  return header;
}

// ---- Reading -------------------------------------------------------------------------------

namespace {

constexpr std::size_t kMaxFields = 8;  // enough to tell a count; more are only counted

bool isBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view trim(std::string_view text) {
  while (!text.empty() && isBlank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back()))
    text.remove_suffix(1);
  return text;
}

// The fields of a CSV line. A field written in double quotes is its inner text; a quote
// inside it is written twice and kept so (no name or number holds one); text after the
// closing quote keeps the field as written, which then reads as nothing valid.
struct Fields {
  std::array<std::string_view, kMaxFields> Field;
  std::size_t Count = 0;
};

Fields splitFields(std::string_view line) {
  Fields fields;
  std::size_t i = 0;
  while (true) {
    const std::size_t start = i;
    while (i < line.size() && isBlank(line[i]))
      ++i;
    std::string_view field;
    if (i < line.size() && line[i] == '"') {
      const std::size_t open = i++;
      while (i < line.size()) {
        if (line[i] == '"' && i + 1 < line.size() && line[i + 1] == '"') {
          i += 2;
        } else if (line[i] == '"') {
          break;
        } else {
          ++i;
        }
      }
      const std::size_t close = i;
      if (i < line.size()) ++i;  // the closing quote
      const std::size_t after = i;
      while (i < line.size() && line[i] != ',')
        ++i;
      if (close < line.size() && trim(line.substr(after, i - after)).empty()) {
        field = line.substr(open + 1, close - open - 1);
      } else {
        field = trim(line.substr(start, i - start));
      }
    } else {
      while (i < line.size() && line[i] != ',')
        ++i;
      field = trim(line.substr(start, i - start));
    }
    if (fields.Count < kMaxFields) fields.Field[fields.Count] = field;
    ++fields.Count;
    if (i >= line.size()) return fields;
    ++i;  // the comma
  }
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t k = 0; k < a.size(); ++k) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[k]) != lower(b[k])) return false;
  }
  return true;
}

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// The C locale, for reading numbers with a full stop whatever locale the process set.
locale_t cLocale() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return locale;
}

// A number: optional sign, digits with at most one full stop (at least one digit), optional
// exponent; finite.
std::optional<Real> parseNumber(std::string_view text) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  int digits = 0;
  while (i < text.size() && isDigit(text[i])) {
    ++i;
    ++digits;
  }
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && isDigit(text[i])) {
      ++i;
      ++digits;
    }
  }
  if (digits == 0) return std::nullopt;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    int exponentDigits = 0;
    while (i < text.size() && isDigit(text[i])) {
      ++i;
      ++exponentDigits;
    }
    if (exponentDigits == 0) return std::nullopt;
  }
  if (i != text.size()) return std::nullopt;

  // strtold needs a terminated string: a short number is copied to the stack.
  std::array<char, 128> buffer;
  std::string longNumber;
  const char* begin = nullptr;
  if (text.size() < buffer.size()) {
    std::copy(text.begin(), text.end(), buffer.begin());
    buffer[text.size()] = '\0';
    begin = buffer.data();
  } else {
    longNumber.assign(text);
    begin = longNumber.c_str();
  }
  Real value = 0;
  if (const locale_t locale = cLocale(); locale != static_cast<locale_t>(nullptr)) {
    char* end = nullptr;
    value = strtold_l(begin, &end, locale);
    if (end != begin + text.size()) return std::nullopt;
  } else {
    const auto result = std::from_chars(begin, begin + text.size(), value);
    if (result.ec != std::errc() || result.ptr != begin + text.size()) return std::nullopt;
  }
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

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
    const Fields fields = splitFields(line);
    bool right = fields.Count == static_cast<std::size_t>(n_) + 2 && fields.Count <= kMaxFields;
    for (std::size_t k = 0; right && k < fields.Count; ++k) {
      const std::string expected = k == 0   ? "task"
                                   : k == 1 ? "phase"
                                   : k == 2 ? "value"
                                            : numbered("c", static_cast<int>(k) - 2);
      right = equalsIgnoringCase(fields.Field[k], expected);
    }
    if (!right) {
      throw InputError(texts::kBatchWrongHeader, {BatchInputHeader(n_), quoted(line, 80)});
    }
    write(BatchOutputHeader(n_));
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
    const bool quote = message.find_first_of(",\"\r\n") != std::string::npos;
    if (quote) row_ += '"';
    for (const char c : message) {
      if (c == '"') row_ += '"';
      row_ += c;
    }
    if (quote) row_ += '"';
    write(row_);
    ++summary_.Points;
    ++summary_.Failed;
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
    const Fields fields = splitFields(line);
    const std::size_t expected = static_cast<std::size_t>(n_) + 2;
    if (fields.Count != expected) {
      return message(texts::kBatchFieldCount, {number(), std::to_string(fields.Count),
                                               std::to_string(expected), BatchInputHeader(n_)});
    }
    const std::string_view task = fields.Field[0];
    if (equalsIgnoringCase(task, "T")) {
      point.TemperatureTask = true;
    } else if (equalsIgnoringCase(task, "P")) {
      point.TemperatureTask = false;
    } else {
      return message(texts::kBatchUnknownTask, {number(), quoted(task, 40)});
    }
    const std::string_view phase = fields.Field[1];
    if (equalsIgnoringCase(phase, "liquid")) {
      point.Bubble = true;
    } else if (equalsIgnoringCase(phase, "vapour") || equalsIgnoringCase(phase, "vapor")) {
      point.Bubble = false;
    } else {
      return message(texts::kBatchUnknownPhase, {number(), quoted(phase, 40)});
    }

    const std::optional<Real> value = parseNumber(fields.Field[2]);
    if (!value)
      return message(texts::kBatchNotANumber, {number(), "value", quoted(fields.Field[2], 40)});
    point.Value = *value;
    if (point.TemperatureTask && !(point.Value > 0.0L)) {
      return message(texts::kBatchPressureNotPositive, {number(), std::string(fields.Field[2])});
    }
    if (!point.TemperatureTask && !(point.Value > -kZeroCelsiusK)) {
      return message(texts::kBatchTemperatureTooLow, {number(), std::string(fields.Field[2])});
    }

    Real sum = 0.0L;
    for (int c = 0; c < n_ - 1; ++c) {
      const std::string_view field = fields.Field[static_cast<std::size_t>(3 + c)];
      const auto column = [c] { return numbered("c", c + 1); };
      const std::optional<Real> percent = parseNumber(field);
      if (!percent)
        return message(texts::kBatchNotANumber, {number(), column(), quoted(field, 40)});
      if (*percent < 0.0L || *percent > 100.0L) {
        return message(texts::kBatchPercentOutOfRange, {number(), column(), std::string(field)});
      }
      point.Percents[static_cast<std::size_t>(c)] = *percent;
      sum += *percent;
    }
    if (sum > 100.0L) {
      return message(texts::kBatchPercentSumAbove100,
                     {number(), formatGeneral(sum, 10), std::to_string(n_)});
    }
    return std::nullopt;
  }

  void solve(std::size_t lineNumber, const Point& point) {
    Real tau = 0.0L;
    Real P = 0.0L;
    Real A = 0.0L;
    Real B = 0.0L;
    if (point.TemperatureTask) {
      P = mmHgToPa(point.Value);
      A = 1.01L;
      B = P > 133300.0L ? 1.4L : 1.2L;
    } else {
      tau = tauFromCelsius(point.Value);
      A = 30.0L;
      B = point.Value > 40.0L ? 760.0L : 360.0L;
    }
    CompositionVector x{};
    CompositionVector y{};
    CompositionVector gamma{};
    CompositionVector& given = point.Bubble ? x : y;
    Real sum = 0.0L;
    for (int c = 0; c < n_ - 1; ++c) {
      given[c] = point.Percents[static_cast<std::size_t>(c)] / 100.0L;
      sum += given[c];
    }
    // Percents adding up to 100 leave the last component nothing; rounding of the shares
    // must not make that a negative fraction.
    const Real rest = 1.0L - sum;
    given[n_ - 1] = rest < 0.0L ? 0.0L : rest;

    const char task = point.TemperatureTask ? 'T' : 'P';
    const char phase = point.Bubble ? 'y' : 'x';
    try {
      const SolveResult result =
          SolveEquilibrium(mixture_, task, phase, A, B, tau, P, set_, x, gamma, y);
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
    row_ += ',';
    write(row_);
    ++summary_.Points;
    ++summary_.Solved;
  }

  void appendNumber(Real value) {
    char buffer[kBatchNumberLength];
    row_.append(buffer, FormatBatchNumber(value, buffer));
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

BatchSummary SolveBatch(std::istream& in, std::ostream& out, const TParameterSet& set,
                        const Mixture& mixture, Language lang) {
  ValidateParameterSet(set);
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
        throw InputError(texts::kBatchWrongHeader, {BatchInputHeader(n), quoted(line, 80)});
      }
      run.checkHeader(line);
      headerSeen = true;
      continue;
    }
    if (!tooLong && trim(line).empty()) {
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
  if (!headerSeen) throw InputError(texts::kBatchNoHeader, {BatchInputHeader(n)});
  out.flush();
  if (!out) throw FileError(texts::kBatchWriteFailed, {std::to_string(run.summary().Points)});
  return run.summary();
}

}  // namespace bubblix
