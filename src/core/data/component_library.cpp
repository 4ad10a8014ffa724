#include "core/data/component_library.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <nlohmann/json.hpp>
#include <set>
#include <utility>

#include "core/base/errors.h"
#include "core/base/units.h"
#include "core/io/input_file.h"
#include "core/io/number_format.h"
#include "core/io/number_reading.h"
#include "core/texts/library_texts.h"

namespace bubblix {
namespace {

// ---- A small tree of the JSON text. Numbers are read by parseReal from their text, so that
// "86.175" is the nearest Real, as a literal 86.175L is.

struct JsonValue {
  enum class Kind { Null, Boolean, Number, String, Array, Object };
  Kind kind = Kind::Null;
  Real number = 0;
  bool finite = true;  // a number within the range of Real
  bool integer = false;
  std::string text;
  std::vector<JsonValue> items;
  std::vector<std::pair<std::string, JsonValue>> members;
};

constexpr std::size_t kMaxDepth = 32;

class TreeBuilder {
 public:
  using json = nlohmann::json;

  bool null() { return put(JsonValue{}); }
  bool boolean(bool) {
    JsonValue v;
    v.kind = JsonValue::Kind::Boolean;
    return put(std::move(v));
  }
  bool number_integer(json::number_integer_t value) { return putInteger(static_cast<Real>(value)); }
  bool number_unsigned(json::number_unsigned_t value) {
    return putInteger(static_cast<Real>(value));
  }
  bool number_float(json::number_float_t, const std::string& text) {
    JsonValue v;
    v.kind = JsonValue::Kind::Number;
    const std::optional<Real> value = parseReal(text, ".");
    v.finite = value.has_value() && std::isfinite(*value);
    v.number = value.value_or(0.0L);
    return put(std::move(v));
  }
  bool string(std::string& text) {
    JsonValue v;
    v.kind = JsonValue::Kind::String;
    v.text = std::move(text);
    return put(std::move(v));
  }
  bool binary(json::binary_t&) { return false; }  // text JSON holds none
  bool start_object(std::size_t) { return open(JsonValue::Kind::Object); }
  bool end_object() {
    stack_.pop_back();
    keys_.pop_back();
    return true;
  }
  bool start_array(std::size_t) { return open(JsonValue::Kind::Array); }
  bool end_array() {
    stack_.pop_back();
    keys_.pop_back();
    return true;
  }
  bool key(std::string& name) {
    if (!keys_.back().insert(name).second) {
      duplicateKey_ = name;
      return false;
    }
    stack_.back()->members.emplace_back(std::move(name), JsonValue{});
    return true;
  }
  bool parse_error(std::size_t position, const std::string&, const nlohmann::detail::exception& e) {
    errorPosition_ = position;
    errorText_ = e.what();
    syntaxError_ = true;
    return false;
  }

  JsonValue root;
  bool syntaxError_ = false;
  bool tooDeep_ = false;
  std::size_t errorPosition_ = 0;
  std::string errorText_;
  std::optional<std::string> duplicateKey_;

 private:
  bool putInteger(Real value) {
    JsonValue v;
    v.kind = JsonValue::Kind::Number;
    v.number = value;
    v.integer = true;
    return put(std::move(v));
  }
  JsonValue* place() {
    if (stack_.empty()) return &root;
    JsonValue& top = *stack_.back();
    if (top.kind == JsonValue::Kind::Array) {
      top.items.emplace_back();
      return &top.items.back();
    }
    return &top.members.back().second;
  }
  bool put(JsonValue v) {
    *place() = std::move(v);
    return true;
  }
  bool open(JsonValue::Kind kind) {
    if (stack_.size() >= kMaxDepth) {
      tooDeep_ = true;
      return false;
    }
    JsonValue* v = place();
    v->kind = kind;
    stack_.push_back(v);
    keys_.emplace_back();
    return true;
  }

  std::vector<JsonValue*> stack_;
  std::vector<std::set<std::string>> keys_;
};

// Line and column (from 1, columns in characters) of the character at byte `position` (from
// 1, as the JSON reader counts).
std::pair<std::size_t, std::size_t> lineAndColumn(std::string_view text, std::size_t position) {
  const std::size_t end = std::min(position > 0 ? position - 1 : 0, text.size());
  std::size_t line = 1;
  std::size_t column = 1;
  for (std::size_t i = 0; i < end; ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte == '\n') {
      ++line;
      column = 1;
    } else if ((byte & 0xC0u) != 0x80u) {
      ++column;
    }
  }
  return {line, column};
}

std::size_t characterCount(std::string_view s) {
  return static_cast<std::size_t>(std::count_if(
      s.begin(), s.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0u) != 0x80u; }));
}

constexpr std::size_t kMaxTableRows = 1000;
constexpr Real kLowestBoilingC = -150.0L;
constexpr Real kHighestBoilingC = 400.0L;

// The checks of one component, with what its messages name.
class ComponentReader {
 public:
  ComponentReader(const std::string& file, std::size_t index) : file_(file), index_(index) {}

  void setName(const std::string& name) { name_ = name; }

  [[noreturn]] void fail(const Text& text, const std::string& field,
                         std::vector<std::string> more = {},
                         std::vector<const Text*> words = {}) const {
    std::vector<std::string> args = {file_, std::to_string(index_), name_, field};
    args.insert(args.end(), more.begin(), more.end());
    throw FileError(text, std::move(args), std::move(words));
  }

  void requireKind(const JsonValue& v, JsonValue::Kind kind, const std::string& field) const {
    if (v.kind == kind) return;
    const Text* word = &kWordNumber;
    switch (kind) {
      case JsonValue::Kind::String:
        word = &kWordText;
        break;
      case JsonValue::Kind::Object:
        word = &kWordObject;
        break;
      case JsonValue::Kind::Array:
        word = &kWordList;
        break;
      case JsonValue::Kind::Null:
      case JsonValue::Kind::Boolean:
      case JsonValue::Kind::Number:
        break;
    }
    fail(kComponentWrongType, field, {}, {word});
  }

  // Refuses keys outside `allowed`.
  void onlyKeys(const JsonValue& object, std::initializer_list<std::string_view> allowed,
                const std::string& prefix) const {
    for (const auto& [key, value] : object.members) {
      if (std::find(allowed.begin(), allowed.end(), key) == allowed.end()) {
        fail(kComponentUnknownKey, prefix + key);
      }
    }
  }

  const JsonValue* optional(const JsonValue& object, std::string_view key) const {
    for (const auto& [name, value] : object.members) {
      if (name == key) return &value;
    }
    return nullptr;
  }
  const JsonValue& required(const JsonValue& object, std::string_view key,
                            const std::string& field) const {
    const JsonValue* v = optional(object, key);
    if (v == nullptr) fail(kComponentMissingField, field);
    return *v;
  }

  Real number(const JsonValue& v, const std::string& field) const {
    requireKind(v, JsonValue::Kind::Number, field);
    if (!v.finite) fail(kComponentNotNumber, field);
    return v.number;
  }
  Real positive(const JsonValue& v, const std::string& field) const {
    const Real value = number(v, field);
    if (!(value > 0.0L)) fail(kComponentNotPositive, field);
    return value;
  }
  int wholeNumber(const JsonValue& v, const std::string& field, int low, int high,
                  const Text& range) const {
    const Real value = number(v, field);
    if (!v.integer || value < low || value > high)
      fail(kComponentValueOutOfRange, field, {}, {&range});
    return static_cast<int>(value);
  }
  std::vector<Real> numbers(const JsonValue& v, const std::string& field) const {
    requireKind(v, JsonValue::Kind::Array, field);
    std::vector<Real> out;
    for (std::size_t k = 0; k < v.items.size(); ++k) {
      out.push_back(number(v.items[k], field + "[" + std::to_string(k + 1) + "]"));
    }
    return out;
  }

  std::string name(const JsonValue& v, const std::string& field) const {
    requireKind(v, JsonValue::Kind::String, field);
    const std::string& s = v.text;
    const std::size_t length = characterCount(s);
    bool valid = length >= 1 && length <= 20 && s.front() != ' ' && s.back() != ' ';
    for (const char c : s) {
      const auto byte = static_cast<unsigned char>(c);
      if (byte < 0x20u || byte == 0x7Fu || c == ',' || c == '"') valid = false;
    }
    if (valid && parseReal(s, ".").has_value()) valid = false;  // a number names a record
    if (!valid) fail(kComponentNameInvalid, field);
    return s;
  }

  // A table of temperatures (degC, strictly rising, above absolute zero) and positive values.
  void table(const JsonValue& object, std::string_view valueKey, const std::string& field,
             bool valuesRise, std::vector<Real>& t, std::vector<Real>& values) const {
    requireKind(object, JsonValue::Kind::Object, field);
    onlyKeys(object, {"t_c", valueKey}, field + ".");
    t = numbers(required(object, "t_c", field + ".t_c"), field + ".t_c");
    const std::string valueField = field + "." + std::string(valueKey);
    values = numbers(required(object, valueKey, valueField), valueField);
    if (t.size() < 2 || t.size() > kMaxTableRows || values.size() != t.size()) {
      fail(kComponentTableShort, field);
    }
    for (std::size_t k = 0; k < t.size(); ++k) {
      if (!(t[k] > -kZeroCelsiusK)) fail(kComponentRangeInvalid, field + ".t_c");
      if (k > 0 && !(t[k] > t[k - 1])) fail(kComponentTableNotAscending, field + ".t_c");
      if (!(values[k] > 0.0L)) {
        fail(kComponentNotPositive, valueField + "[" + std::to_string(k + 1) + "]");
      }
      if (valuesRise && k > 0 && !(values[k] > values[k - 1])) {
        fail(kComponentTableNotAscending, valueField);
      }
    }
  }

 private:
  const std::string& file_;
  std::size_t index_;
  std::string name_ = "?";
};

// Whose name `name` already is, or nothing.
std::optional<std::string> nameOwner(const std::vector<const TComponentRecord*>& records,
                                     const std::string& name) {
  for (const TComponentRecord* record : records) {
    if (record->EnglishName == name || record->RussianName == name) return record->EnglishName;
  }
  return std::nullopt;
}

TComponentRecord readComponent(const JsonValue& v, ComponentReader& reader,
                               const std::vector<const TComponentRecord*>& taken, Real& validFrom,
                               Real& validTo) {
  reader.requireKind(v, JsonValue::Kind::Object, "components");
  // The name first, so that every later message names the component.
  if (const JsonValue* name = reader.optional(v, "name");
      name != nullptr && name->kind == JsonValue::Kind::String) {
    reader.setName(name->text);
  }
  reader.onlyKeys(v,
                  {"name", "name_ru", "molar_mass", "antoine", "valid_t_c", "density",
                   "vapour_pressure", "groups"},
                  "");
  TComponentRecord record;
  record.FromLibrary = true;
  record.EnglishName = reader.name(reader.required(v, "name", "name"), "name");
  reader.setName(record.EnglishName);
  const JsonValue* russian = reader.optional(v, "name_ru");
  record.RussianName = russian != nullptr ? reader.name(*russian, "name_ru") : record.EnglishName;
  for (const auto& [field, name] :
       {std::pair<std::string, std::string>{"name", record.EnglishName},
        std::pair<std::string, std::string>{"name_ru", record.RussianName}}) {
    if (const auto owner = nameOwner(taken, name)) {
      reader.fail(kComponentNameTaken, field, {name, *owner});
    }
  }

  record.MolarMass = reader.positive(reader.required(v, "molar_mass", "molar_mass"), "molar_mass");

  const JsonValue& antoine = reader.required(v, "antoine", "antoine");
  reader.requireKind(antoine, JsonValue::Kind::Object, "antoine");
  reader.onlyKeys(antoine, {"A", "B", "C"}, "antoine.");
  record.AntoineA = reader.number(reader.required(antoine, "A", "antoine.A"), "antoine.A");
  record.AntoineB = reader.number(reader.required(antoine, "B", "antoine.B"), "antoine.B");
  record.AntoineC = reader.number(reader.required(antoine, "C", "antoine.C"), "antoine.C");

  std::vector<Real> t;
  std::vector<Real> rho;
  reader.table(reader.required(v, "density", "density"), "kg_m3", "density", false, t, rho);
  record.PropertyRows = static_cast<std::uint16_t>(t.size());
  record.Temperature = t;
  record.Density = rho;
  validFrom = t.front();
  validTo = t.back();

  if (const JsonValue* table = reader.optional(v, "vapour_pressure")) {
    std::vector<Real> pt;
    std::vector<Real> p;
    reader.table(*table, "p_mmhg", "vapour_pressure", true, pt, p);
    record.PressureRows = static_cast<std::uint16_t>(pt.size());
    record.PressureTemperature = pt;
    record.VapourPressure = p;
  }

  if (const JsonValue* range = reader.optional(v, "valid_t_c")) {
    const std::vector<Real> r = reader.numbers(*range, "valid_t_c");
    if (r.size() != 2 || !(r[0] > -kZeroCelsiusK) || !(r[1] > r[0])) {
      reader.fail(kComponentRangeInvalid, "valid_t_c");
    }
    validFrom = r[0];
    validTo = r[1];
    record.HasValidRange = true;
    record.ValidFrom = r[0];
    record.ValidTo = r[1];
  }

  const JsonValue& groups = reader.required(v, "groups", "groups");
  reader.requireKind(groups, JsonValue::Kind::Array, "groups");
  if (groups.items.empty() || groups.items.size() > 10) {
    reader.fail(kComponentValueOutOfRange, "groups", {}, {&kGroupListRange});
  }
  TComponentGroups& g = record.Groups;
  for (std::size_t k = 0; k < groups.items.size(); ++k) {
    const std::string field = "groups[" + std::to_string(k + 1) + "]";
    const JsonValue& group = groups.items[k];
    reader.requireKind(group, JsonValue::Kind::Object, field);
    reader.onlyKeys(group, {"main", "letter", "count", "Q", "R"}, field + ".");
    const int main = reader.wholeNumber(reader.required(group, "main", field + ".main"),
                                        field + ".main", 1, 18, kMainGroupRange);
    const JsonValue& letter = reader.required(group, "letter", field + ".letter");
    reader.requireKind(letter, JsonValue::Kind::String, field + ".letter");
    if (letter.text != "A" && letter.text != "B" && letter.text != "C" && letter.text != " ") {
      reader.fail(kComponentValueOutOfRange, field + ".letter", {}, {&kGroupLetterRange});
    }
    const int count = reader.wholeNumber(reader.required(group, "count", field + ".count"),
                                         field + ".count", 1, 255, kGroupCountRange);
    const Real Q = reader.positive(reader.required(group, "Q", field + ".Q"), field + ".Q");
    const Real R = reader.positive(reader.required(group, "R", field + ".R"), field + ".R");
    const auto idA = static_cast<std::uint8_t>(main);
    const auto idB = static_cast<std::uint8_t>(letter.text[0]);
    for (std::size_t e = 0; e < k; ++e) {
      if (g.IdsA[e] == idA && g.IdsB[e] == idB) reader.fail(kComponentDuplicateGroup, field);
    }
    g.IdsA[k] = idA;
    g.IdsB[k] = idB;
    g.Nu[k] = static_cast<std::uint8_t>(count);
    g.Q[k] = Q;
    g.R[k] = R;
  }
  g.Count = static_cast<std::uint8_t>(groups.items.size());

  // The usual mistake is constants for log10 or for degC: they give no sensible boiling point.
  const Real boiling = boilingTemperature(record);
  if (!(boiling >= kLowestBoilingC && boiling <= kHighestBoilingC)) {
    reader.fail(kComponentNoBoilingPoint,
                std::isfinite(boiling) ? formatSignificant(boiling, 6) + " °C" : "-");
  }
  // ln P = A - B / (T + C) rises with T where B > 0 and T + C > 0 over the whole range.
  if (!(record.AntoineB > 0.0L) || !(validFrom + kZeroCelsiusK + record.AntoineC > 0.0L)) {
    reader.fail(kComponentPressureNotRising, formatSignificant(validFrom, 6),
                {formatSignificant(validTo, 6)});
  }
  return record;
}

}  // namespace

Real boilingTemperature(const TComponentRecord& record) {
  const Real lnP = std::log(760.0L);
  const Real d = record.AntoineA - lnP;
  if (!(d > 0.0L)) return std::nanl("");
  const Real T = record.AntoineB / d - record.AntoineC;
  if (!(T > 0.0L) || !std::isfinite(T)) return std::nanl("");
  return T - kZeroCelsiusK;
}

ComponentLibrary parseComponentLibrary(std::string_view content, const std::string& fileName,
                                       const Database& db) {
  TreeBuilder builder;
  const bool parsed = nlohmann::json::sax_parse(content, &builder);
  if (builder.duplicateKey_)
    throw FileError(kLibraryDuplicateKey, {fileName, *builder.duplicateKey_});
  if (builder.tooDeep_) throw FileError(kLibraryTooDeep, {fileName, std::to_string(kMaxDepth)});
  if (!parsed || builder.syntaxError_) {
    const auto [line, column] = lineAndColumn(content, builder.errorPosition_);
    std::string what = builder.errorText_;
    // "[json.exception.parse_error.101] parse error at line 1, column 2: syntax error ...":
    // the position is given in our own words.
    if (what.starts_with("[json.exception.")) {
      if (const std::size_t end = what.find("] "); end != std::string::npos) what.erase(0, end + 2);
    }
    if (what.starts_with("parse error at ")) {
      if (const std::size_t colon = what.find(": "); colon != std::string::npos) {
        what.erase(0, colon + 2);
      }
    }
    throw FileError(kLibrarySyntax, {fileName, std::to_string(line), std::to_string(column), what});
  }
  const JsonValue& root = builder.root;
  if (root.kind != JsonValue::Kind::Object) throw FileError(kLibraryNoComponents, {fileName});
  const JsonValue* list = nullptr;
  for (const auto& [key, value] : root.members) {
    if (key != "components") throw FileError(kLibraryUnknownTopKey, {fileName, key});
    list = &value;
  }
  if (list == nullptr || list->kind != JsonValue::Kind::Array || list->items.empty()) {
    throw FileError(kLibraryNoComponents, {fileName});
  }
  const std::size_t room = kMaxComponents - kBuiltInComponents;
  if (list->items.size() > room) {
    throw FileError(kLibraryTooManyComponents,
                    {fileName, std::to_string(list->items.size()), std::to_string(room)});
  }

  ComponentLibrary library;
  library.FileName = fileName;
  std::vector<const TComponentRecord*> taken;
  for (std::size_t k = 0; k < kBuiltInComponents && k < db.ComponentBase.size(); ++k) {
    taken.push_back(&db.ComponentBase[k]);
  }
  library.Components.reserve(list->items.size());  // `taken` points into it
  for (std::size_t k = 0; k < list->items.size(); ++k) {
    ComponentReader reader(fileName, k + 1);
    Real from = 0;
    Real to = 0;
    library.Components.push_back(readComponent(list->items[k], reader, taken, from, to));
    library.ValidFrom.push_back(from);
    library.ValidTo.push_back(to);
    taken.push_back(&library.Components.back());
  }
  return library;
}

ComponentLibrary readComponentLibrary(const std::string& path, const Database& db) {
  InputFile input(path, kLibraryUnreadable);
  const std::string content = input.readAll(kMaxLibraryBytes, kLibraryTooLarge);
  return parseComponentLibrary(content, path, db);
}

Database withLibrary(const Database& db, const ComponentLibrary& library) {
  if (kBuiltInComponents + library.Components.size() > kMaxComponents) {
    throw FileError(kLibraryTooManyComponents,
                    {library.FileName, std::to_string(library.Components.size()),
                     std::to_string(kMaxComponents - kBuiltInComponents)});
  }
  Database grown = db;
  grown.ComponentBase.resize(kBuiltInComponents);
  std::erase_if(grown.LoadedSets, [](const LoadedDataSet& set) {
    return set.Components[0] > kBuiltInComponents || set.Components[1] > kBuiltInComponents;
  });
  grown.ComponentBase.insert(grown.ComponentBase.end(), library.Components.begin(),
                             library.Components.end());
  grown.LibraryFile = library.FileName;
  return grown;
}

}  // namespace bubblix
