// Parameter files of any content: the reader either refuses them with a FileError naming
// the file, or gives a set that the writer accepts and that reads back bit for bit. Reading
// from memory and from a stream give the same set or the same message, and reading over
// another set changes only the fields the file holds.

#include <cmath>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "core/base/errors.h"
#include "core/models/parameter_file.h"
#include "fuzz_check.h"

namespace {

using namespace bubblix;

constexpr const char* kName = "fuzz.dat";

// Every field of the set as bytes: the record image and the file the writer makes of it
// (which holds the UNIFAC tables). NaNs compare equal this way.
std::vector<std::uint8_t> imageOf(const TParameterSet& set) {
  const ParameterSetImage record = encodeParameterSetImage(set);
  std::vector<std::uint8_t> bytes(record.begin(), record.end());
  const std::vector<std::uint8_t> file = encodeParameterFile(set);
  bytes.insert(bytes.end(), file.begin(), file.end());
  return bytes;
}

// A set with something in every field, to read files over.
TParameterSet busyBase() {
  TParameterSet base;
  base.ModelCode = Model::NRTL;
  base.ComponentCount = 4;
  base.GroupCount = 3;
  base.Components = {4, 3, 2, 1};
  for (std::size_t i = 0; i < 10; ++i) {
    base.GroupIdsA[i] = static_cast<std::uint8_t>(i + 1);
    base.GroupIdsB[i] = 'A';
    base.GroupQ[i] = 0.25L * static_cast<Real>(i);
    base.GroupR[i] = 0.5L * static_cast<Real>(i);
    for (std::size_t j = 0; j < 10; ++j) {
      base.UNIQUACEnergy[i][j] = static_cast<Real>(i) - static_cast<Real>(j) / 3.0L;
      base.GroupInteraction[i][j] = static_cast<Real>(j) / 7.0L;
    }
  }
  for (std::size_t i = 0; i < 4; ++i) {
    for (std::size_t j = 0; j < 4; ++j) {
      base.NRTLAlpha[i][j] = 0.3L;
      base.NRTLEnergy[i][j] = static_cast<Real>(i + 2 * j) / 5.0L;
      base.WilsonEnergy[i][j] = static_cast<Real>(3 * i + j) / 11.0L;
    }
    base.ComponentGroups[i].Count = 2;
  }
  return base;
}

struct Outcome {
  std::optional<ParameterFileContents> contents;
  const Text* text = nullptr;
  std::vector<std::string> args;
};

template <typename Read>
Outcome outcomeOf(Read&& read) {
  Outcome outcome;
  try {
    outcome.contents = read();
  } catch (const FileError& error) {
    outcome.text = &error.text();
    outcome.args = error.args();
    FUZZ_CHECK(!error.message(Language::English).empty());
    FUZZ_CHECK(!error.message(Language::Russian).empty());
    FUZZ_CHECK(error.args().empty() || error.args().front() == kName);
  }
  return outcome;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  const Outcome fromMemory = outcomeOf([&] { return decodeParameterFile(bytes, kName); });

  std::istringstream stream(std::string(reinterpret_cast<const char*>(data), size));
  const Outcome fromStream = outcomeOf([&] { return readParameterFile(stream, kName); });
  FUZZ_CHECK(fromMemory.text == fromStream.text && fromMemory.args == fromStream.args);
  FUZZ_CHECK(fromMemory.contents.has_value() == fromStream.contents.has_value());
  if (!fromMemory.contents) return 0;

  const ParameterFileContents& contents = *fromMemory.contents;
  const TParameterSet& set = contents.set;
  const std::vector<std::uint8_t> image = imageOf(set);
  FUZZ_CHECK(imageOf(fromStream.contents->set) == image);

  // What the reader accepts makes sense for the models.
  FUZZ_CHECK(contents.modelName == modelName(set.ModelCode));
  FUZZ_CHECK(!contents.modelName.empty());
  FUZZ_CHECK(set.ComponentCount >= 2 && set.ComponentCount <= 4);
  for (std::size_t i = 0; i < set.ComponentCount; ++i)
    FUZZ_CHECK(set.Components[i] >= 1 && set.Components[i] <= 4);
  if (set.ModelCode == Model::UNIFAC) FUZZ_CHECK(set.GroupCount <= 10);
  const std::uint8_t groups = set.ModelCode == Model::UNIFAC ? set.GroupCount : 0;
  FUZZ_CHECK(contents.blockCount ==
             parameterFileBlockCount(set.ModelCode, set.ComponentCount, groups));
  FUZZ_CHECK(size >= contents.blockCount * kParameterFileBlockSize);

  // The writer takes it, its file has the documented length and reads back bit for bit.
  const std::vector<std::uint8_t> written = encodeParameterFile(set);
  FUZZ_CHECK(written.size() == contents.blockCount * kParameterFileBlockSize);
  const ParameterFileContents reread = decodeParameterFile(written, kName);
  FUZZ_CHECK(imageOf(reread.set) == image);
  FUZZ_CHECK(reread.blockCount == contents.blockCount);

  // Read over another set: the fields the file holds are the same as read over a fresh one.
  const TParameterSet base = busyBase();
  const ParameterFileContents over = decodeParameterFile(bytes, kName, base);
  // (Its file differs in the fillers, which are the neighbouring fields of the record.)
  FUZZ_CHECK(imageOf(decodeParameterFile(encodeParameterFile(over.set), kName).set) == image);
  if (set.ModelCode != Model::UNIFAC) {
    FUZZ_CHECK(over.set.GroupInteraction == base.GroupInteraction);
    FUZZ_CHECK(over.set.ComponentGroups == base.ComponentGroups);
  }
  return 0;
}
