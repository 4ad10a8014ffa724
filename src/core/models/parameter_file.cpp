#include "core/models/parameter_file.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <istream>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/base/errors.h"
#include "core/data/component_groups_image.h"
#include "core/io/extended80.h"
#include "core/io/file_errors.h"
#include "core/io/input_file.h"
#include "core/io/number_format.h"
#include "core/texts/file_texts.h"
#include "core/texts/parameter_file_texts.h"

namespace bubblix {

namespace {

using Off = ParameterSetOffsets;
constexpr std::size_t kBlock = kParameterFileBlockSize;
constexpr std::size_t kRecordBlocks = 84;
constexpr std::size_t kComponentsBlock = 3;  // the block of the component numbers, from 1
constexpr unsigned kBuiltInComponentNumbers = 4;
constexpr std::size_t kMaxTrailerBytes =
    std::size_t{1} << 20;  // one component group record: 1336 bytes + 8 filler

// ---- Record image -------------------------------------------------------------------------

void putReal(std::span<std::uint8_t> image, std::size_t offset, Real value) {
  encodeExtended80(value, image.subspan(offset).first<kExtended80Size>());
}

Real getReal(std::span<const std::uint8_t> image, std::size_t offset) {
  return decodeExtended80(image.subspan(offset).first<kExtended80Size>());
}

template <std::size_t N>
void putMatrix(std::span<std::uint8_t> image, std::size_t offset,
               const std::array<std::array<Real, N>, N>& matrix) {
  for (std::size_t i = 0; i < N; ++i)
    for (std::size_t j = 0; j < N; ++j)
      putReal(image, offset + 10 * N * i + 10 * j, matrix[i][j]);
}

template <std::size_t N>
void getMatrix(std::span<const std::uint8_t> image, std::size_t offset,
               std::array<std::array<Real, N>, N>& matrix) {
  for (std::size_t i = 0; i < N; ++i)
    for (std::size_t j = 0; j < N; ++j)
      matrix[i][j] = getReal(image, offset + 10 * N * i + 10 * j);
}

// ---- The two UNIFAC tables and the file plan ----------------------------------------------

struct Images {
  ParameterSetImage record{};
  std::array<std::uint8_t, kGroupInteractionImageSize> interaction{};
  std::array<std::uint8_t, kComponentGroupTableImageSize> groups{};
};

enum class Area { Record, Interaction, Groups };

enum class FieldKind {
  ModelCode,
  ComponentCount,
  Components,
  GroupCount,
  GroupIdA,
  GroupIdsB,
  GroupQ,
  GroupR,
  ComponentRecord,
  GroupInteraction,
  WilsonEnergy,
  NRTLEnergy,
  NRTLAlpha,
  UNIQUACEnergy,
};

// One field of the file: its bytes are the first `length` bytes of `blocks` consecutive
// blocks. A unit (a single block, a run, or the blocks of one pair) is tested for the end of
// the file only where it begins.
struct Field {
  FieldKind kind;
  Area area;
  std::size_t offset;
  std::size_t length;
  std::size_t blocks;
  bool startsUnit;
  std::size_t i = 0;  // 0-based indices the field belongs to
  std::size_t j = 0;
};

std::span<std::uint8_t> areaOf(Images& images, Area area) {
  switch (area) {
    case Area::Record:
      return images.record;
    case Area::Interaction:
      return images.interaction;
    case Area::Groups:
      return images.groups;
  }
  return {};
}

// Visits the fields in file order. The model letter and the counts are taken from the record
// image after the field holding them has been visited, so a reader fills (and checks) them
// first; a visitor that throws stops the walk, and one that lets a letter of no model pass
// visits nothing more.
template <class Visit>
void forEachField(Images& images, Visit&& visit) {
  visit(Field{FieldKind::ModelCode, Area::Record, Off::ModelCode, 1, 1, true});
  const std::optional<Model> model = modelFromLetter(images.record[Off::ModelCode]);
  if (!model) return;
  visit(Field{FieldKind::ComponentCount, Area::Record, Off::ComponentCount, 1, 1, true});
  const std::size_t n = images.record[Off::ComponentCount];
  visit(Field{FieldKind::Components, Area::Record, Off::Components, 2 * n, n, true});

  if (*model == Model::UNIFAC) {
    visit(Field{FieldKind::GroupCount, Area::Record, Off::GroupCount, 1, 1, true});
    const std::size_t g = images.record[Off::GroupCount];
    for (std::size_t k = 0; k < g; ++k)
      visit(Field{FieldKind::GroupIdA, Area::Record, Off::GroupIdsA + k, 1, 1, true, k});
    visit(Field{FieldKind::GroupIdsB, Area::Record, Off::GroupIdsB, 10, 1, true});
    for (std::size_t k = 0; k < g; ++k)
      visit(Field{FieldKind::GroupQ, Area::Record, Off::GroupQ + 10 * k, 10, 1, true, k});
    for (std::size_t k = 0; k < g; ++k)
      visit(Field{FieldKind::GroupR, Area::Record, Off::GroupR + 10 * k, 10, 1, true, k});
    for (std::size_t i = 0; i < n; ++i)
      visit(Field{FieldKind::ComponentRecord, Area::Groups, kComponentGroupsImageSize * i,
                  kComponentGroupsImageSize, kRecordBlocks, true, i});
    for (std::size_t k = 0; k < g; ++k)
      for (std::size_t m = 0; m < g; ++m)
        visit(Field{FieldKind::GroupInteraction, Area::Interaction, 100 * k + 10 * m, 10, 1, true,
                    k, m});
    return;
  }

  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = i; j < n; ++j) {
      auto element = [&](FieldKind kind, std::size_t base, std::size_t row, std::size_t column,
                         std::size_t width, bool first) {
        visit(Field{kind, Area::Record, base + 10 * width * row + 10 * column, 10, 1, first, row,
                    column});
      };
      switch (*model) {
        case Model::Wilson:
          element(FieldKind::WilsonEnergy, Off::WilsonEnergy, i, j, 4, true);
          element(FieldKind::WilsonEnergy, Off::WilsonEnergy, j, i, 4, false);
          break;
        case Model::NRTL:
          element(FieldKind::NRTLEnergy, Off::NRTLEnergy, i, j, 4, true);
          element(FieldKind::NRTLEnergy, Off::NRTLEnergy, j, i, 4, false);
          element(FieldKind::NRTLAlpha, Off::NRTLAlpha, i, j, 4, false);
          element(FieldKind::NRTLAlpha, Off::NRTLAlpha, j, i, 4, false);
          break;
        case Model::UNIQUAC:
          element(FieldKind::UNIQUACEnergy, Off::UNIQUACEnergy, i, j, 10, true);
          element(FieldKind::UNIQUACEnergy, Off::UNIQUACEnergy, j, i, 10, false);
          break;
        case Model::UNIFAC:
          return;  // its fields are the groups' above
      }
    }
  }
}

// ---- Checks shared by reader and writer ---------------------------------------------------

enum class ProblemKind {
  WrongModel,
  ComponentCount,
  ComponentNumber,
  GroupCount,
  ComponentGroupCount,
  NotFinite,
  DuplicateComponent,  // index: the component; value: its number; field: the earlier one
  UnknownGroup,        // index: the component; value: the group's identifiers
};

struct Problem {
  ProblemKind kind;
  std::string field;              // name of the field, indices from 1
  std::string value;              // what it holds
  std::size_t index = 0;          // component (from 1) for component problems
  std::size_t offsetInField = 0;  // where in the field's bytes the value lies
};

std::string pair(std::size_t a, std::size_t b) {
  // std::string first: GCC 12 warns falsely (-Wrestrict) on "literal" + std::string&& at -O3.
  return std::string("(") + std::to_string(a + 1) + ", " + std::to_string(b + 1) + ")";
}

std::optional<Problem> nonFinite(std::span<const std::uint8_t> area, std::size_t offset,
                                 std::size_t fieldOffset, std::string name) {
  const Real value = getReal(area, offset);
  if (std::isfinite(value)) return std::nullopt;
  return Problem{ProblemKind::NotFinite, std::move(name), formatSignificant(value, 6), 0,
                 offset - fieldOffset};
}

// Checks a field once its bytes are in place. Only what the models use is checked for
// finiteness: off-diagonal component parameters (the diagonal is never read), the mixture's
// g groups, and the first c_i groups of each component record.
std::optional<Problem> checkField(Images& images, const Field& field) {
  const std::span<const std::uint8_t> record = images.record;
  switch (field.kind) {
    case FieldKind::ModelCode: {
      if (!modelFromLetter(record[Off::ModelCode])) {
        const unsigned code = record[Off::ModelCode];
        std::string shown = std::to_string(code);
        if (code >= 0x20 && code < 0x7F)
          shown = "'" + std::string(1, static_cast<char>(code)) + "' (" + shown + ")";
        return Problem{ProblemKind::WrongModel, "ModelCode", shown};
      }
      return std::nullopt;
    }
    case FieldKind::ComponentCount: {
      const unsigned n = record[Off::ComponentCount];
      if (n < 2 || n > 4)
        return Problem{ProblemKind::ComponentCount, "ComponentCount", std::to_string(n)};
      return std::nullopt;
    }
    case FieldKind::Components: {
      const std::size_t n = record[Off::ComponentCount];
      for (std::size_t i = 0; i < n; ++i) {
        const unsigned number = record[Off::Components + 2 * i] |
                                (static_cast<unsigned>(record[Off::Components + 2 * i + 1]) << 8);
        if (number < 1 || number > kMaxParameterFileComponent) {
          return Problem{ProblemKind::ComponentNumber, "Components(" + std::to_string(i + 1) + ")",
                         std::to_string(number), i + 1, 2 * i};
        }
        // A substance mixed with itself is no mixture: its two slots would split one liquid.
        for (std::size_t e = 0; e < i; ++e) {
          const unsigned earlier =
              record[Off::Components + 2 * e] |
              (static_cast<unsigned>(record[Off::Components + 2 * e + 1]) << 8);
          if (earlier == number) {
            return Problem{ProblemKind::DuplicateComponent, std::to_string(e + 1),
                           std::to_string(number), i + 1, 2 * i};
          }
        }
      }
      return std::nullopt;
    }
    case FieldKind::GroupCount: {
      const unsigned g = record[Off::GroupCount];
      if (g > 10) return Problem{ProblemKind::GroupCount, "GroupCount", std::to_string(g)};
      return std::nullopt;
    }
    case FieldKind::GroupIdA:
    case FieldKind::GroupIdsB:
      return std::nullopt;  // identifiers are only compared, never used as indices
    case FieldKind::GroupQ:
      return nonFinite(record, field.offset, field.offset,
                       "GroupQ(" + std::to_string(field.i + 1) + ")");
    case FieldKind::GroupR:
      return nonFinite(record, field.offset, field.offset,
                       "GroupR(" + std::to_string(field.i + 1) + ")");
    case FieldKind::GroupInteraction:
      return nonFinite(images.interaction, field.offset, field.offset,
                       "GroupInteraction" + pair(field.i, field.j));
    case FieldKind::ComponentRecord: {
      using G = ComponentGroupsOffsets;
      const std::span<const std::uint8_t> groups =
          std::span<const std::uint8_t>(images.groups).subspan(field.offset, field.length);
      const std::string name = "ComponentGroups(" + std::to_string(field.i + 1) + ")";
      const unsigned count = groups[G::Count];
      if (count < 1 || count > 10) {
        return Problem{ProblemKind::ComponentGroupCount, name + ".Count", std::to_string(count),
                       field.i + 1, G::Count};
      }
      // Every group of the component must be one of the mixture's g groups (read before the
      // records): the models match groups by their two identifiers and would skip it. A file
      // without mixture groups is refused where a set is used (validateParameterSet).
      const unsigned g = record[Off::GroupCount];
      for (std::size_t k = 0; g > 0 && k < count; ++k) {
        const std::uint8_t a = groups[G::IdsA + k];
        const std::uint8_t b = groups[G::IdsB + k];
        bool found = false;
        for (std::size_t m = 0; m < g && !found; ++m)
          found = record[Off::GroupIdsA + m] == a && record[Off::GroupIdsB + m] == b;
        if (!found) {
          std::string ids = std::to_string(a) + " ";
          ids += (b >= 0x21 && b < 0x7F) ? std::string(1, static_cast<char>(b)) : std::to_string(b);
          return Problem{ProblemKind::UnknownGroup, name, ids, field.i + 1, G::IdsA + k};
        }
      }
      for (std::size_t k = 0; k < count; ++k) {
        const std::string kText = std::string("(") + std::to_string(k + 1) + ")";
        for (auto [offset, label] : {std::pair{G::Q, ".Q"}, {G::R, ".R"}, {G::X, ".X"}}) {
          if (auto p = nonFinite(groups, offset + 10 * k, 0, name + label + kText)) return p;
        }
        for (std::size_t m = 0; m < count; ++m) {
          if (auto p = nonFinite(groups, G::A + 100 * k + 10 * m, 0, name + ".A" + pair(k, m)))
            return p;
        }
      }
      return std::nullopt;
    }
    case FieldKind::WilsonEnergy:
    case FieldKind::NRTLEnergy:
    case FieldKind::NRTLAlpha:
    case FieldKind::UNIQUACEnergy: {
      if (field.i == field.j) return std::nullopt;
      const char* name = field.kind == FieldKind::WilsonEnergy ? "WilsonEnergy"
                         : field.kind == FieldKind::NRTLEnergy ? "NRTLEnergy"
                         : field.kind == FieldKind::NRTLAlpha  ? "NRTLAlpha"
                                                               : "UNIQUACEnergy";
      return nonFinite(record, field.offset, field.offset, name + pair(field.i, field.j));
    }
  }
  return std::nullopt;
}

// ---- Reading ------------------------------------------------------------------------------

enum class BlockRead { Full, Short, Failed };

class BlockSource {
 public:
  virtual ~BlockSource() = default;
  // Reads the next 16 bytes; Short when fewer remain.
  virtual BlockRead next(std::span<std::uint8_t, kBlock> out) = 0;
};

class SpanSource final : public BlockSource {
 public:
  explicit SpanSource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  BlockRead next(std::span<std::uint8_t, kBlock> out) override {
    if (bytes_.size() - position_ < kBlock) return BlockRead::Short;
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(position_), kBlock, out.begin());
    position_ += kBlock;
    return BlockRead::Full;
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t position_ = 0;
};

class StreamSource final : public BlockSource {
 public:
  explicit StreamSource(std::istream& in) : in_(in) {}
  BlockRead next(std::span<std::uint8_t, kBlock> out) override {
    try {
      in_.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(kBlock));
    } catch (const std::exception&) {
      return BlockRead::Failed;
    }
    if (in_.gcount() == static_cast<std::streamsize>(kBlock)) return BlockRead::Full;
    return in_.bad() || !in_.eof() ? BlockRead::Failed : BlockRead::Short;
  }

 private:
  std::istream& in_;
};

[[noreturn]] void throwReadProblem(const Problem& problem, const std::string& fileName,
                                   std::size_t firstBlock) {
  const std::string block = std::to_string(firstBlock + problem.offsetInField / kBlock);
  switch (problem.kind) {
    case ProblemKind::WrongModel:
      throw FileError(texts::kWrongParameterInDataFile, {fileName});
    case ProblemKind::ComponentCount:
      throw FileError(texts::kDatafileComponentCount, {fileName, block, problem.value});
    case ProblemKind::ComponentNumber:
      throw FileError(texts::kDatafileComponentNumber,
                      {fileName, block, std::to_string(problem.index), problem.value});
    case ProblemKind::GroupCount:
      throw FileError(texts::kDatafileGroupCount, {fileName, block, problem.value});
    case ProblemKind::ComponentGroupCount:
      throw FileError(texts::kDatafileComponentGroupCount,
                      {fileName, block, std::to_string(problem.index), problem.value});
    case ProblemKind::NotFinite:
      throw FileError(texts::kDatafileValueNotFinite,
                      {fileName, block, problem.field, problem.value});
    case ProblemKind::DuplicateComponent:
      throw FileError(
          texts::kDatafileDuplicateComponent,
          {fileName, block, std::to_string(problem.index), problem.value, problem.field});
    case ProblemKind::UnknownGroup:
      throw FileError(texts::kDatafileUnknownGroup,
                      {fileName, block, std::to_string(problem.index), problem.value});
  }
  throw FileError(texts::kWrongParameterInDataFile, {fileName});
}

ParameterFileContents readBlocks(BlockSource& source, const std::string& fileName,
                                 const TParameterSet& base) {
  Images images;
  images.record = encodeParameterSetImage(base);
  std::size_t blocksRead = 0;
  std::array<std::uint8_t, kRecordBlocks * kBlock> buffer{};

  forEachField(images, [&](const Field& field) {
    const std::size_t firstBlock = blocksRead + 1;
    for (std::size_t b = 0; b < field.blocks; ++b) {
      const BlockRead result = source.next(std::span(buffer).subspan(b * kBlock).first<kBlock>());
      const std::string blockNumber = std::to_string(blocksRead + 1);
      if (result == BlockRead::Failed) {
        throw FileError(texts::kDatafileReadError, {fileName, blockNumber});
      }
      if (result == BlockRead::Short) {
        if (b == 0 && field.startsUnit) throw FileError(texts::kDatafileNotComplete, {fileName});
        throw FileError(texts::kDatafileEndsInsideBlock, {fileName, blockNumber});
      }
      ++blocksRead;
    }
    // Only the field's own bytes are kept; the rest of its blocks is filler.
    std::copy_n(buffer.begin(), field.length, areaOf(images, field.area).begin() + field.offset);
    if (auto problem = checkField(images, field)) throwReadProblem(*problem, fileName, firstBlock);
  });

  // After the last block the counts call for: the trailer of the components 5.. (if any),
  // which a file naming such a component must have.
  ParameterFileContents contents;
  std::array<std::uint8_t, kBlock> block{};
  while (contents.Trailer.size() < kMaxTrailerBytes) {
    const BlockRead result = source.next(block);
    if (result == BlockRead::Failed) {
      throw FileError(
          texts::kDatafileReadError,
          {fileName, std::to_string(blocksRead + 1 + contents.Trailer.size() / kBlock)});
    }
    if (result == BlockRead::Short) break;
    contents.Trailer.insert(contents.Trailer.end(), block.begin(), block.end());
  }
  const bool hasTrailer = contents.Trailer.size() >= kComponentTrailerMagic.size() &&
                          std::equal(kComponentTrailerMagic.begin(), kComponentTrailerMagic.end(),
                                     contents.Trailer.begin());
  if (!hasTrailer) {
    contents.Trailer.clear();
    const std::size_t n = images.record[Off::ComponentCount];
    for (std::size_t i = 0; i < n && i < 4; ++i) {
      const unsigned number =
          images.record[Off::Components + 2 * i] |
          (static_cast<unsigned>(images.record[Off::Components + 2 * i + 1]) << 8);
      if (number > kBuiltInComponentNumbers) {
        throwReadProblem(Problem{ProblemKind::ComponentNumber, "Components", std::to_string(number),
                                 i + 1, 2 * i},
                         fileName, kComponentsBlock);
      }
    }
  }
  contents.set = decodeParameterSetImage(images.record);
  if (contents.set.ModelCode == Model::UNIFAC) {
    const std::span<const std::uint8_t> interaction = images.interaction;
    getMatrix(interaction, 0, contents.set.GroupInteraction);
    for (std::size_t i = 0; i < 4; ++i) {
      contents.set.ComponentGroups[i] =
          readComponentGroupsImage(std::span<const std::uint8_t>(images.groups)
                                       .subspan(i * kComponentGroupsImageSize)
                                       .first<kComponentGroupsImageSize>());
    }
  } else {
    contents.set.GroupInteraction = base.GroupInteraction;
    contents.set.ComponentGroups = base.ComponentGroups;
  }
  contents.modelName = std::string(modelName(contents.set.ModelCode));
  contents.blockCount = static_cast<std::uint16_t>(blocksRead);
  return contents;
}

}  // namespace

// ---- Public interface ---------------------------------------------------------------------

ParameterSetImage encodeParameterSetImage(const TParameterSet& set) {
  ParameterSetImage image{};
  const std::span<std::uint8_t> out = image;
  image[Off::ModelCode] = modelLetter(set.ModelCode);
  for (std::size_t i = 0; i < 4; ++i) {
    image[Off::Components + 2 * i] = static_cast<std::uint8_t>(set.Components[i] & 0xFFu);
    image[Off::Components + 2 * i + 1] = static_cast<std::uint8_t>(set.Components[i] >> 8);
  }
  image[Off::ComponentCount] = set.ComponentCount;
  image[Off::GroupCount] = set.GroupCount;
  for (std::size_t k = 0; k < 10; ++k) {
    image[Off::GroupIdsB + k] = set.GroupIdsB[k];
    image[Off::GroupIdsA + k] = set.GroupIdsA[k];
    putReal(out, Off::GroupQ + 10 * k, set.GroupQ[k]);
    putReal(out, Off::GroupR + 10 * k, set.GroupR[k]);
  }
  putMatrix(out, Off::NRTLAlpha, set.NRTLAlpha);
  putMatrix(out, Off::NRTLEnergy, set.NRTLEnergy);
  putMatrix(out, Off::WilsonEnergy, set.WilsonEnergy);
  putMatrix(out, Off::UNIQUACEnergy, set.UNIQUACEnergy);
  return image;
}

TParameterSet decodeParameterSetImage(std::span<const std::uint8_t, kParameterSetImageSize> image) {
  TParameterSet set;
  const std::optional<Model> model = modelFromLetter(image[Off::ModelCode]);
  if (!model) throw FileError(texts::kWrongParameterInDataFile, {});
  set.ModelCode = *model;
  for (std::size_t i = 0; i < 4; ++i) {
    set.Components[i] = static_cast<std::uint16_t>(image[Off::Components + 2 * i] |
                                                   (image[Off::Components + 2 * i + 1] << 8));
  }
  set.ComponentCount = image[Off::ComponentCount];
  set.GroupCount = image[Off::GroupCount];
  for (std::size_t k = 0; k < 10; ++k) {
    set.GroupIdsB[k] = image[Off::GroupIdsB + k];
    set.GroupIdsA[k] = image[Off::GroupIdsA + k];
    set.GroupQ[k] = getReal(image, Off::GroupQ + 10 * k);
    set.GroupR[k] = getReal(image, Off::GroupR + 10 * k);
  }
  getMatrix(image, Off::NRTLAlpha, set.NRTLAlpha);
  getMatrix(image, Off::NRTLEnergy, set.NRTLEnergy);
  getMatrix(image, Off::WilsonEnergy, set.WilsonEnergy);
  getMatrix(image, Off::UNIQUACEnergy, set.UNIQUACEnergy);
  return set;
}

std::uint16_t parameterFileBlockCount(Model model, std::uint8_t n, std::uint8_t g) {
  const unsigned pairs = n * (n + 1u) / 2u;
  unsigned count = 2u + n;
  switch (model) {
    case Model::UNIFAC:
      count += 84u * n + g * g + 3u * g + 2u;
      break;
    case Model::Wilson:
    case Model::UNIQUAC:
      count += 2u * pairs;
      break;
    case Model::NRTL:
      count += 4u * pairs;
      break;
  }
  return static_cast<std::uint16_t>(count);
}

namespace {

std::vector<std::uint8_t> encodeBlocks(const TParameterSet& set) {
  Images images;
  images.record = encodeParameterSetImage(set);
  if (set.ModelCode == Model::UNIFAC) {
    putMatrix(std::span<std::uint8_t>(images.interaction), 0, set.GroupInteraction);
    for (std::size_t i = 0; i < 4; ++i) {
      writeComponentGroupsImage(set.ComponentGroups[i], std::span<std::uint8_t>(images.groups)
                                                            .subspan(i * kComponentGroupsImageSize)
                                                            .first<kComponentGroupsImageSize>());
    }
  }

  std::vector<std::uint8_t> bytes;
  bytes.reserve(kBlock * parameterFileBlockCount(Model::UNIFAC, 4, 10));
  forEachField(images, [&](const Field& field) {
    if (auto problem = checkField(images, field)) {
      throw DataError(texts::kParameterSetNotWritable, {problem->field, problem->value});
    }
    // The field, then the bytes that follow it in its record or table as filler; zero past
    // the end (the reference slots of the record image are zero already).
    const std::span<const std::uint8_t> area = areaOf(images, field.area);
    for (std::size_t b = 0; b < field.blocks * kBlock; ++b) {
      const std::size_t at = field.offset + b;
      bytes.push_back(at < area.size() ? area[at] : std::uint8_t{0});
    }
  });
  return bytes;
}

}  // namespace

std::vector<std::uint8_t> encodeParameterFile(const TParameterSet& set,
                                              std::span<const std::uint8_t> trailer) {
  std::vector<std::uint8_t> bytes = encodeBlocks(set);
  const bool hasTrailer =
      trailer.size() >= kComponentTrailerMagic.size() && trailer.size() % kBlock == 0 &&
      std::equal(kComponentTrailerMagic.begin(), kComponentTrailerMagic.end(), trailer.begin());
  for (std::size_t i = 0; i < set.ComponentCount && i < 4; ++i) {
    if (set.Components[i] > kBuiltInComponentNumbers && !hasTrailer) {
      throw DataError(texts::kParameterSetNotWritable, {"Components(" + std::to_string(i + 1) + ")",
                                                        std::to_string(set.Components[i])});
    }
  }
  if (hasTrailer) bytes.insert(bytes.end(), trailer.begin(), trailer.end());
  return bytes;
}

ParameterFileContents decodeParameterFile(std::span<const std::uint8_t> bytes,
                                          const std::string& fileName, const TParameterSet& base) {
  SpanSource source(bytes);
  return readBlocks(source, fileName, base);
}

ParameterFileContents readParameterFile(std::istream& in, const std::string& fileName,
                                        const TParameterSet& base) {
  StreamSource source(in);
  return readBlocks(source, fileName, base);
}

ParameterFileContents readParameterFile(const std::filesystem::path& path,
                                        const TParameterSet& base) {
  const std::string name = path.string();
  refuseNulInFileName(name);
  // Without blocking: a pipe is refused below, not waited on.
  const int fd = ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) throwFileError(texts::kFileNotRetrieved, {name}, {errno, std::generic_category()});
  struct stat info {};
  const Text* refusal = nullptr;
  if (::fstat(fd, &info) != 0) {
    const std::error_code error(errno, std::generic_category());
    ::close(fd);
    throwFileError(texts::kFileNotRetrieved, {name}, error);
  }
  if (S_ISDIR(info.st_mode)) {
    refusal = &texts::kReasonIsAFolder;
  } else if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode)) {
    refusal = &texts::kReasonDevice;
  } else if (!S_ISREG(info.st_mode)) {
    refusal = &texts::kReasonNotOrdinary;
  }
  if (refusal != nullptr) {
    ::close(fd);
    throw FileError(texts::kFileNotRetrieved, {name}, {refusal});
  }
  DescriptorReadBuffer buffer(fd);
  std::istream in(&buffer);
  try {
    ParameterFileContents contents = readParameterFile(in, name, base);
    ::close(fd);
    return contents;
  } catch (...) {
    ::close(fd);
    throw;
  }
}

}  // namespace bubblix
