#include "core/models/parameter_file_trailer.h"

#include <algorithm>
#include <cmath>

#include "core/base/errors.h"
#include "core/io/extended80.h"
#include "core/texts/parameter_file_texts.h"

namespace bubblix {
namespace {

constexpr std::size_t kBlock = kParameterFileBlockSize;
constexpr std::size_t kMaxNameBytes = 80;  // 20 characters of up to 4 bytes
constexpr std::size_t kMaxRows = 1000;

void putBlock(std::vector<std::uint8_t>& out, std::span<const std::uint8_t> bytes) {
  const std::size_t start = out.size();
  out.resize(start + kBlock, 0);
  std::copy_n(bytes.begin(), std::min(bytes.size(), kBlock),
              out.begin() + static_cast<std::ptrdiff_t>(start));
}
void putRealBlock(std::vector<std::uint8_t>& out, Real value) {
  putBlock(out, encodeExtended80(value));
}
void put16(std::vector<std::uint8_t>& block, std::size_t at, std::size_t value) {
  block[at] = static_cast<std::uint8_t>(value & 0xFFu);
  block[at + 1] = static_cast<std::uint8_t>((value >> 8) & 0xFFu);
}

// Reads the trailer block by block; a damaged trailer throws.
class TrailerReader {
 public:
  TrailerReader(std::span<const std::uint8_t> bytes, const std::string& fileName)
      : bytes_(bytes), fileName_(fileName) {}
  std::span<const std::uint8_t> block() {
    if (bytes_.size() - position_ < kBlock) damaged();
    const std::span<const std::uint8_t> b = bytes_.subspan(position_, kBlock);
    position_ += kBlock;
    return b;
  }
  Real real() {
    const Real value = decodeExtended80(block().first<kExtended80Size>());
    if (!std::isfinite(value)) damaged();
    return value;
  }
  [[noreturn]] void damaged() const { throw FileError(texts::kTrailerDamaged, {fileName_}); }

 private:
  std::span<const std::uint8_t> bytes_;
  const std::string& fileName_;
  std::size_t position_ = 0;
};

unsigned get16(std::span<const std::uint8_t> b, std::size_t at) {
  return b[at] | (static_cast<unsigned>(b[at + 1]) << 8);
}

}  // namespace

std::vector<std::uint8_t> encodeComponentTrailer(const TParameterSet& set, const Database& db) {
  std::vector<const TComponentRecord*> records;
  std::vector<std::uint16_t> numbers;
  for (const std::uint16_t number : componentNumbers(set)) {
    if (number <= kBuiltInComponents) continue;
    if (number > db.ComponentBase.size()) {
      throw DataError(texts::kParameterSetNotWritable, {"Components", std::to_string(number)});
    }
    records.push_back(&db.ComponentBase[number - 1u]);
    numbers.push_back(number);
  }
  std::vector<std::uint8_t> out;
  if (records.empty()) return out;
  putBlock(out, std::span(reinterpret_cast<const std::uint8_t*>(kComponentTrailerMagic.data()),
                          kComponentTrailerMagic.size()));
  std::vector<std::uint8_t> head(kBlock, 0);
  put16(head, 0, records.size());
  putBlock(out, head);
  for (std::size_t k = 0; k < records.size(); ++k) {
    const TComponentRecord& r = *records[k];
    const std::size_t rows =
        std::min<std::size_t>(r.PropertyRows, std::min(r.Temperature.size(), r.Density.size()));
    const std::string& name = r.EnglishName;
    std::vector<std::uint8_t> header(kBlock, 0);
    put16(header, 0, numbers[k]);
    header[2] = static_cast<std::uint8_t>(std::min(name.size(), kMaxNameBytes));
    put16(header, 3, rows);
    putBlock(out, header);
    const auto* text = reinterpret_cast<const std::uint8_t*>(name.data());
    for (std::size_t at = 0; at < header[2]; at += kBlock) {
      putBlock(out, std::span(text + at, std::min<std::size_t>(kBlock, header[2] - at)));
    }
    for (const Real value : {r.MolarMass, r.AntoineA, r.AntoineB, r.AntoineC})
      putRealBlock(out, value);
    for (std::size_t row = 0; row < rows; ++row) {
      putRealBlock(out, r.Temperature[row]);
      putRealBlock(out, r.Density[row]);
    }
  }
  return out;
}

std::vector<TrailerComponent> decodeComponentTrailer(std::span<const std::uint8_t> trailer,
                                                     const std::string& fileName) {
  TrailerReader in(trailer, fileName);
  const std::span<const std::uint8_t> magic = in.block();
  if (!std::equal(kComponentTrailerMagic.begin(), kComponentTrailerMagic.end(), magic.begin())) {
    in.damaged();
  }
  const unsigned count = get16(in.block(), 0);
  if (count < 1 || count > 4) in.damaged();
  std::vector<TrailerComponent> components;
  for (unsigned k = 0; k < count; ++k) {
    const std::span<const std::uint8_t> header = in.block();
    TrailerComponent c;
    c.Number = static_cast<std::uint16_t>(get16(header, 0));
    const std::size_t nameBytes = header[2];
    const std::size_t rows = get16(header, 3);
    if (nameBytes < 1 || nameBytes > kMaxNameBytes || rows < 2 || rows > kMaxRows) in.damaged();
    for (std::size_t at = 0; at < nameBytes; at += kBlock) {
      const std::span<const std::uint8_t> b = in.block();
      c.Name.append(reinterpret_cast<const char*>(b.data()), std::min(kBlock, nameBytes - at));
    }
    c.MolarMass = in.real();
    c.AntoineA = in.real();
    c.AntoineB = in.real();
    c.AntoineC = in.real();
    for (std::size_t row = 0; row < rows; ++row) {
      c.DensityT.push_back(in.real());
      c.Density.push_back(in.real());
    }
    components.push_back(std::move(c));
  }
  return components;
}

void applyComponentTrailer(ParameterFileContents& contents, const Database& db,
                           const std::string& fileName) {
  TParameterSet& set = contents.set;
  const std::span<const std::uint16_t> numbers = componentNumbers(set);
  const bool needed = std::any_of(numbers.begin(), numbers.end(),
                                  [](std::uint16_t n) { return n > kBuiltInComponents; });
  if (!needed) return;
  const std::vector<TrailerComponent> trailer = decodeComponentTrailer(contents.Trailer, fileName);

  std::array<std::uint16_t, 4> renumbered = set.Components;
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    if (numbers[i] <= kBuiltInComponents) continue;
    const auto entry = std::find_if(trailer.begin(), trailer.end(), [&](const TrailerComponent& c) {
      return c.Number == numbers[i];
    });
    if (entry == trailer.end()) {
      throw FileError(texts::kTrailerComponentMissing, {fileName, std::to_string(numbers[i])});
    }
    std::size_t found = db.ComponentBase.size();
    for (std::size_t k = kBuiltInComponents; k < db.ComponentBase.size(); ++k) {
      const TComponentRecord& r = db.ComponentBase[k];
      if (r.EnglishName == entry->Name || r.RussianName == entry->Name) found = k;
    }
    if (found == db.ComponentBase.size()) {
      throw FileError(texts::kTrailerComponentNotLoaded, {fileName, entry->Name});
    }
    const TComponentRecord& r = db.ComponentBase[found];
    const std::size_t rows =
        std::min<std::size_t>(r.PropertyRows, std::min(r.Temperature.size(), r.Density.size()));
    std::string differs;
    if (r.MolarMass != entry->MolarMass) {
      differs = "molar_mass";
    } else if (r.AntoineA != entry->AntoineA || r.AntoineB != entry->AntoineB ||
               r.AntoineC != entry->AntoineC) {
      differs = "antoine";
    } else if (rows != entry->Density.size() ||
               !std::equal(entry->DensityT.begin(), entry->DensityT.end(), r.Temperature.begin()) ||
               !std::equal(entry->Density.begin(), entry->Density.end(), r.Density.begin())) {
      differs = "density";
    }
    if (!differs.empty()) {
      throw FileError(texts::kTrailerComponentDiffers, {fileName, entry->Name, differs});
    }
    renumbered[i] = static_cast<std::uint16_t>(found + 1);
  }
  set.Components = renumbered;
}

}  // namespace bubblix
