// Numbers typed into a grid cell, with a full stop, a comma and a two-byte decimal separator:
// a number is finite and is the value the C library's own reading gives; the keystroke check
// complains exactly about the texts that no further typing can make a number of. The input, cut at
// line feeds, is then typed into the entry cells of a grid and confirmed with OK.

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "core/session/dialog_rules.h"
#include "fuzz_check.h"

namespace {

using bubblix::Real;
using bubblix::fuzz::asText;

constexpr std::string_view kSeparators[] = {".", ",", "\xD9\xAB"};  // the last: U+066B

// The text in the form std::from_chars reads (its general format has no '+' and only '.'),
// or nothing when it holds a full stop that is not the separator (from_chars would take it).
std::optional<std::string> fromCharsForm(std::string_view text, std::string_view separator) {
  text = bubblix::trimBlanks(text);
  if (separator != "." && text.find('.') != std::string_view::npos) return std::nullopt;
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    if (text.substr(i).starts_with(separator)) {
      out += '.';
      i += separator.size();
    } else {
      out += text[i++];
    }
  }
  if (out.size() > 1 && out[0] == '+' && out[1] != '+' && out[1] != '-') out.erase(0, 1);
  return out;
}

// Whether the text is a number by its syntax alone (a value out of range still is one).
bool numberSyntax(std::string_view text, std::string_view separator) {
  const std::optional<std::string> form = fromCharsForm(text, separator);
  // from_chars also reads "inf", "nan" and their kin, which are no numbers here.
  if (!form || form->empty() || form->find_first_not_of("0123456789+-.eE") != std::string::npos)
    return false;
  Real value = 0;
  const char* end = form->data() + form->size();
  return std::from_chars(form->data(), end, value).ptr == end;
}

bool isBlankByte(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

// The keystroke check's oracle: the text is blank, or it is a number, or one of the shortest
// completions (a digit; the rest of the separator and a digit) makes it one. Blanks after it
// end it, so then it must be a number already.
bool typingCanMakeANumber(std::string_view text, std::string_view separator) {
  if (bubblix::trimBlanks(text).empty()) return true;
  if (isBlankByte(text.back())) return numberSyntax(text, separator);
  if (numberSyntax(text, separator) || numberSyntax(std::string(text) + "1", separator))
    return true;
  for (std::size_t k = 0; k < separator.size(); ++k) {
    if (numberSyntax(std::string(text) + std::string(separator.substr(k)) + "1", separator))
      return true;
  }
  return false;
}

void checkNumber(std::string_view text, std::string_view separator) {
  const std::optional<Real> value = bubblix::parseGridNumber(text, separator);
  if (value) FUZZ_CHECK(std::isfinite(*value));

  if (const std::optional<std::string> form = fromCharsForm(text, separator)) {
    Real reference = 0;
    const char* end = form->data() + form->size();
    const std::from_chars_result read = std::from_chars(form->data(), end, reference);
    const bool whole = read.ptr == end && !form->empty();
    if (value) {
      // Accepted: the C library reads the same text to the same value, or calls it out of
      // range because it is too small (read as the nearest Real, possibly 0).
      FUZZ_CHECK(whole);
      if (read.ec == std::errc()) {
        FUZZ_CHECK(reference == *value);
        FUZZ_CHECK(std::signbit(reference) == std::signbit(*value));
      } else {
        FUZZ_CHECK(read.ec == std::errc::result_out_of_range);
        FUZZ_CHECK(std::fabs(*value) <= std::numeric_limits<Real>::min());
      }
    } else {
      // Refused: the C library does not read a finite number from it either.
      FUZZ_CHECK(!whole || read.ec != std::errc() || !std::isfinite(reference));
    }
  }

  const std::optional<std::string> message =
      bubblix::gridKeystrokeMessage(text, separator, bubblix::Language::English);
  FUZZ_CHECK(message.has_value() == !typingCanMakeANumber(text, separator));
  if (value) FUZZ_CHECK(!message);
  if (message) FUZZ_CHECK(*message == "Wrong symbol at input of number " + std::string(text));
}

// The input cut at line feeds is typed into the entry cells of a two-column grid with two
// heading rows, in the order OK visits them; OK must read them up to the first empty or bad
// cell and leave everything after it as it was.
void checkOkVisit(std::string_view text, std::string_view separator) {
  std::vector<std::string> typed;
  for (std::size_t start = 0; typed.size() < 40;) {
    const std::size_t end = text.find('\n', start);
    typed.emplace_back(text.substr(start, end - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  bubblix::GridEntry grid(219, 0, 2);
  grid.Lang = bubblix::Language::English;
  grid.Cols = 2;
  const int rowsPerCol = static_cast<int>((typed.size() + 1) / 2);
  grid.Rows = 2 + rowsPerCol;
  grid.Cancelled = true;
  constexpr Real kUntouched = -7.25L;
  for (auto& column : grid.Values)
    column.fill(kUntouched);
  bubblix::GridArray<std::string> cells;
  for (std::size_t k = 0; k < typed.size(); ++k) {
    cells[k / static_cast<std::size_t>(rowsPerCol)][2 + k % static_cast<std::size_t>(rowsPerCol)] =
        typed[k];
  }

  const bubblix::GridOkOutcome outcome = bubblix::gridOkVisit(grid, cells, separator);
  std::size_t k = 0;
  for (; k < typed.size(); ++k) {
    const std::size_t col = k / static_cast<std::size_t>(rowsPerCol);
    const std::size_t row = 2 + k % static_cast<std::size_t>(rowsPerCol);
    if (typed[k].empty()) break;
    const std::optional<Real> value = bubblix::parseGridNumber(typed[k], separator);
    if (!value) {
      FUZZ_CHECK(outcome.BadCell.has_value());
      FUZZ_CHECK(outcome.BadCell->Col == static_cast<int>(col));
      FUZZ_CHECK(outcome.BadCell->Row == static_cast<int>(row));
      FUZZ_CHECK(outcome.Message == "Error of number entry " + typed[k]);
      FUZZ_CHECK(cells[col][row].empty());
      FUZZ_CHECK(grid.CurrentCol == static_cast<int>(col));
      FUZZ_CHECK(!outcome.Close && grid.Cancelled);
      break;
    }
    FUZZ_CHECK(grid.Values[col][row] == *value);
  }
  FUZZ_CHECK(outcome.CellsRead == static_cast<int>(k));
  if (!outcome.BadCell) {
    FUZZ_CHECK(outcome.Close == (k > 0));
    FUZZ_CHECK(grid.Cancelled == (k == 0));
    FUZZ_CHECK(outcome.Message.empty());
  }
  // Cells after the stop keep their text and their old value.
  for (std::size_t later = k + 1; later < typed.size(); ++later) {
    const std::size_t col = later / static_cast<std::size_t>(rowsPerCol);
    const std::size_t row = 2 + later % static_cast<std::size_t>(rowsPerCol);
    FUZZ_CHECK(cells[col][row] == typed[later]);
    FUZZ_CHECK(grid.Values[col][row] == kUntouched);
  }

  // A second OK stops silently at the emptied cell, or reads the same numbers again.
  const bubblix::GridOkOutcome again = bubblix::gridOkVisit(grid, cells, separator);
  FUZZ_CHECK(!again.BadCell.has_value());
  FUZZ_CHECK(again.CellsRead == outcome.CellsRead);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = asText(data, size);
  for (const std::string_view separator : kSeparators)
    checkNumber(text, separator);
  // A grid takes hundreds of strings to set up: one separator per input keeps the runs fast.
  checkOkVisit(text, kSeparators[size % std::size(kSeparators)]);
  return 0;
}
