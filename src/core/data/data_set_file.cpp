#include "core/data/data_set_file.h"

#include <array>
#include <cmath>
#include <optional>

#include "core/base/errors.h"
#include "core/base/units.h"
#include "core/io/csv_fields.h"
#include "core/io/input_file.h"
#include "core/io/number_format.h"
#include "core/io/number_reading.h"
#include "core/io/utf8.h"
#include "core/texts/library_texts.h"

namespace bubblix {
namespace {

constexpr std::array<std::string_view, 4> kColumns = {"t_c", "p_mmhg", "x1", "y1"};

// The database number of a component named by its number (1..4) or by either of its names.
std::optional<int> componentNumber(const Database& db, std::string_view field) {
  if (field.size() == 1 && field[0] >= '1' && field[0] <= '4') return field[0] - '0';
  for (std::size_t k = 0; k < db.ComponentBase.size(); ++k) {
    const TComponentRecord& record = db.ComponentBase[k];
    if (field == record.EnglishName || field == record.RussianName) return static_cast<int>(k) + 1;
  }
  return std::nullopt;
}

}  // namespace

LoadedDataSet parseDataSet(std::string_view content, const std::string& fileName,
                           const Database& db) {
  LoadedDataSet set;
  set.FileName = fileName;
  if (content.starts_with("\xEF\xBB\xBF")) content.remove_prefix(3);  // a byte-order mark

  enum class Expect { Components, Header, Points };
  Expect expect = Expect::Components;
  int lineNumber = 0;
  while (!content.empty()) {
    const std::size_t end = content.find('\n');
    std::string_view line = content.substr(0, end);
    content.remove_prefix(end == std::string_view::npos ? content.size() : end + 1);
    ++lineNumber;
    if (line.ends_with('\r')) line.remove_suffix(1);
    const std::string where = std::to_string(lineNumber);
    if (!isValidUtf8(line)) throw FileError(kDataSetNotUtf8, {fileName, where});
    const std::string_view trimmed = trimSpacesAndTabs(line);
    if (trimmed.empty() || trimmed.front() == '#') continue;

    const CsvFields fields = splitCsvFields(line);
    switch (expect) {
      case Expect::Components: {
        if (fields.Count != 3 || !equalsIgnoringAsciiCase(fields.Field[0], "components")) {
          throw FileError(kDataSetComponentsLine, {fileName, where});
        }
        for (std::size_t c = 0; c < 2; ++c) {
          const std::string_view name = fields.Field[c + 1];
          const std::optional<int> number = componentNumber(db, name);
          const std::string column = std::to_string(c + 2);
          if (!number) {
            throw FileError(kDataSetUnknownComponent, {fileName, where, column, std::string(name)});
          }
          if (c == 1 && *number == set.Components[0]) {
            throw FileError(kDataSetComponentTwice, {fileName, where, column, std::string(name)});
          }
          set.Components[c] = *number;
        }
        expect = Expect::Header;
        break;
      }
      case Expect::Header: {
        bool header = fields.Count == kColumns.size();
        for (std::size_t c = 0; header && c < kColumns.size(); ++c) {
          header = equalsIgnoringAsciiCase(fields.Field[c], kColumns[c]);
        }
        if (!header) throw FileError(kDataSetHeaderLine, {fileName, where});
        expect = Expect::Points;
        break;
      }
      case Expect::Points: {
        if (fields.Count != kColumns.size()) {
          throw FileError(kDataSetFieldCount, {fileName, where, std::to_string(fields.Count)});
        }
        std::array<Real, 4> value{};
        for (std::size_t c = 0; c < kColumns.size(); ++c) {
          const std::optional<Real> v = parseDecimalNumber(fields.Field[c]);
          const std::vector<std::string> args = {fileName, where, std::to_string(c + 1),
                                                 std::string(kColumns[c]),
                                                 std::string(fields.Field[c])};
          if (!v || !std::isfinite(*v)) throw FileError(kDataSetNotNumber, args);
          value[c] = *v;
        }
        const auto refuse = [&](const Text& text, std::size_t c) {
          throw FileError(text, {fileName, where, std::to_string(c + 1), std::string(kColumns[c]),
                                 std::string(fields.Field[c])});
        };
        if (!(value[0] > -kZeroCelsiusK)) refuse(kDataSetTemperatureRange, 0);
        if (!(value[1] > 0.0L)) refuse(kDataSetPressureRange, 1);
        if (!(value[2] >= 0.0L && value[2] <= 1.0L)) refuse(kDataSetFractionRange, 2);
        if (!(value[3] >= 0.0L && value[3] <= 1.0L)) refuse(kDataSetFractionRange, 3);
        if (set.t.size() >= static_cast<std::size_t>(kMaxDataSetPoints)) {
          throw FileError(kDataSetPointCount,
                          {fileName, "> " + std::to_string(kMaxDataSetPoints),
                           std::to_string(kMinDataSetPoints), std::to_string(kMaxDataSetPoints)});
        }
        const Real pressure = mmHgToPa(value[1]);
        if (!std::isfinite(pressure)) refuse(kDataSetNotNumber, 1);
        set.t.push_back(value[0]);
        set.P.push_back(pressure);
        set.x.push_back(value[2]);
        set.y.push_back(value[3]);
        set.Lines.push_back(lineNumber);
        break;
      }
    }
  }
  const std::string end = std::to_string(lineNumber + 1);
  if (expect == Expect::Components) throw FileError(kDataSetComponentsLine, {fileName, end});
  if (expect == Expect::Header) throw FileError(kDataSetHeaderLine, {fileName, end});
  if (set.t.size() < static_cast<std::size_t>(kMinDataSetPoints)) {
    throw FileError(kDataSetPointCount,
                    {fileName, std::to_string(set.t.size()), std::to_string(kMinDataSetPoints),
                     std::to_string(kMaxDataSetPoints)});
  }
  return set;
}

LoadedDataSet readDataSet(const std::string& path, const Database& db) {
  InputFile input(path, kDataSetUnreadable);
  const std::string content = input.readAll(kMaxDataSetBytes, kDataSetTooLarge);
  return parseDataSet(content, path, db);
}

void addDataSet(Database& db, LoadedDataSet set) {
  std::size_t points = set.t.size();
  for (const LoadedDataSet& other : db.LoadedSets) {
    const bool samePair =
        (other.Components[0] == set.Components[0] && other.Components[1] == set.Components[1]) ||
        (other.Components[0] == set.Components[1] && other.Components[1] == set.Components[0]);
    if (samePair) points += other.t.size();
  }
  if (points > static_cast<std::size_t>(kMaxPairPoints)) {
    throw FileError(kDataSetPairTooLarge, {set.FileName, std::to_string(set.Components[0]),
                                           std::to_string(set.Components[1]),
                                           std::to_string(points), std::to_string(kMaxPairPoints)});
  }
  db.LoadedSets.push_back(std::move(set));
}

}  // namespace bubblix
