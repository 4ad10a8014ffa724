// Bad parameter files, beyond the cases of tests/core/models: files of every model cut at
// and inside every block, every model letter, every component and group count, random bytes, huge
// and endless files, and saves that fail half-way. Each gives its message naming the file (and the
// block), and a failed save keeps the earlier file.
//
// The block layout used to predict the messages is the one of docs/parameter-file.md.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <random>
#include <set>
#include <sstream>

#include "core/base/errors.h"
#include "core/io/file_test_support.h"
#include "core/models/parameter_file.h"
#include "core/models/parameter_file_save.h"
#include "core/texts/file_texts.h"
#include "core/texts/parameter_file_texts.h"
#include "core/texts/report_texts.h"

namespace bubblix {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;

// A valid set of the model with n components and (UNIFAC) g groups, every value the models
// use finite and different.
TParameterSet validSet(Model model, std::uint8_t n, std::uint8_t g) {
  TParameterSet set;
  set.ModelCode = model;
  set.ComponentCount = n;
  set.GroupCount = model == Model::UNIFAC ? g : 0;
  set.Components = {4, 2, 3, 1};
  Real value = 0.125L;
  const auto next = [&] { return value += 0.0625L; };
  for (std::size_t i = 0; i < 10; ++i) {
    set.GroupIdsA[i] = static_cast<std::uint8_t>(1 + i);
    set.GroupIdsB[i] = 'A';
    set.GroupQ[i] = next();
    set.GroupR[i] = next();
    for (std::size_t j = 0; j < 10; ++j) {
      set.UNIQUACEnergy[i][j] = next();
      set.GroupInteraction[i][j] = next();
    }
  }
  for (std::size_t i = 0; i < 4; ++i) {
    for (std::size_t j = 0; j < 4; ++j) {
      set.WilsonEnergy[i][j] = next();
      set.NRTLEnergy[i][j] = next();
      set.NRTLAlpha[i][j] = 0.3L;
    }
    TComponentGroups& groups = set.ComponentGroups[i];
    groups.Count = static_cast<std::uint8_t>(1 + i * 3);
    for (std::size_t k = 0; k < 10; ++k) {
      groups.IdsA[k] = static_cast<std::uint8_t>(1 + (g > 0 ? k % g : k));  // a mixture group
      groups.Nu[k] = 1;
      groups.IdsB[k] = 'A';
      groups.Q[k] = next();
      groups.R[k] = next();
      groups.X[k] = next();
      for (std::size_t m = 0; m < 10; ++m)
        groups.A[k][m] = next();
    }
  }
  return set;
}

// The blocks (numbered from 1) where a unit of the layout begins: the model block, the count
// block, the run of component numbers; for UNIFAC each single block and each 84-block
// component record; for the other models each pair of 2 (Wilson, UNIQUAC) or 4 (NRTL) blocks.
std::set<std::size_t> unitStarts(Model model, std::size_t n, std::size_t g) {
  std::set<std::size_t> starts{1, 2, 3};
  std::size_t block = 3 + n;
  if (model == Model::UNIFAC) {
    for (std::size_t k = 0; k < 1 + g + 1 + g + g; ++k)
      starts.insert(block++);
    for (std::size_t i = 0; i < n; ++i, block += 84)
      starts.insert(block);
    for (std::size_t k = 0; k < g * g; ++k)
      starts.insert(block++);
  } else {
    const std::size_t pairBlocks = model == Model::NRTL ? 4 : 2;
    for (std::size_t pair = 0; pair < n * (n + 1) / 2; ++pair, block += pairBlocks)
      starts.insert(block);
  }
  starts.insert(block);  // one past the end: a full file
  return starts;
}

// The FileError of reading `bytes`, from memory and from a stream alike.
struct Refusal {
  const Text* text = nullptr;
  std::vector<std::string> args;
};
Refusal refusalOf(const Bytes& bytes, const std::string& name) {
  Refusal memory, stream;
  try {
    decodeParameterFile(bytes, name);
  } catch (const FileError& error) {
    memory = {&error.text(), error.args()};
  }
  std::istringstream in(std::string(bytes.begin(), bytes.end()));
  try {
    readParameterFile(in, name);
  } catch (const FileError& error) {
    stream = {&error.text(), error.args()};
  }
  EXPECT_EQ(memory.text, stream.text);
  EXPECT_EQ(memory.args, stream.args);
  return memory;
}

TEST(ParameterFileInput, EveryModelCutAnywhereNamesTheBlockOrSaysNotComplete) {
  struct Case {
    Model model;
    std::uint8_t n, g;
  };
  std::vector<Case> cases;
  for (const Model model : {Model::Wilson, Model::NRTL, Model::UNIQUAC})
    for (std::uint8_t n = 2; n <= 4; ++n)
      cases.push_back({model, n, 0});
  cases.push_back({Model::UNIFAC, 2, 0});
  cases.push_back({Model::UNIFAC, 3, 4});
  cases.push_back({Model::UNIFAC, 4, 10});

  for (const Case& c : cases) {
    const std::string name = std::string("/data/") + static_cast<char>(modelLetter(c.model)) +
                             std::to_string(c.n) + ".dat";
    SCOPED_TRACE(name + " g=" + std::to_string(c.g));
    const Bytes full = encodeParameterFile(validSet(c.model, c.n, c.g));
    const std::set<std::size_t> starts = unitStarts(c.model, c.n, c.g);
    ASSERT_EQ(*starts.rbegin(), full.size() / 16 + 1);
    // Cut at the start of every block, and after its first, its eighth and its 15th byte.
    for (std::size_t block = 1; block <= full.size() / 16; ++block) {
      for (const std::size_t inside : {0, 1, 8, 15}) {
        const std::size_t size = 16 * (block - 1) + inside;
        const Refusal refusal = refusalOf(Bytes(full.begin(), full.begin() + size), name);
        if (starts.contains(block)) {
          ASSERT_EQ(refusal.text, &texts::kDatafileNotComplete) << size;
          EXPECT_EQ(refusal.args, std::vector<std::string>{name});
        } else {
          ASSERT_EQ(refusal.text, &texts::kDatafileEndsInsideBlock) << size;
          EXPECT_EQ(refusal.args, (std::vector<std::string>{name, std::to_string(block)})) << size;
        }
      }
    }
    EXPECT_EQ(decodeParameterFile(full, name).blockCount, full.size() / 16);
  }
}

TEST(ParameterFileInput, OnlyTheFourModelLettersAreAccepted) {
  Bytes bytes = encodeParameterFile(validSet(Model::Wilson, 2, 0));
  const std::string accepted = "WNQF";
  for (int letter = 0; letter < 256; ++letter) {
    bytes[0] = static_cast<std::uint8_t>(letter);
    const Refusal refusal = refusalOf(bytes, "x.dat");
    if (accepted.find(static_cast<char>(letter)) != std::string::npos) {
      EXPECT_NE(refusal.text, &texts::kWrongParameterInDataFile) << letter;
    } else {
      EXPECT_EQ(refusal.text, &texts::kWrongParameterInDataFile) << letter;
    }
  }
}

TEST(ParameterFileInput, EveryComponentAndGroupCountOutsideTheLayoutIsRefusedAtItsBlock) {
  const Bytes wilson = encodeParameterFile(validSet(Model::Wilson, 3, 0));
  for (int n = 0; n < 256; ++n) {
    if (n >= 2 && n <= 4) {
      EXPECT_EQ(decodeParameterFile(
                    encodeParameterFile(validSet(Model::Wilson, static_cast<std::uint8_t>(n), 0)),
                    "w.dat")
                    .set.ComponentCount,
                n);
      continue;
    }
    Bytes bytes = wilson;
    bytes[16] = static_cast<std::uint8_t>(n);
    const Refusal refusal = refusalOf(bytes, "w.dat");
    EXPECT_EQ(refusal.text, &texts::kDatafileComponentCount) << n;
    EXPECT_EQ(refusal.args, (std::vector<std::string>{"w.dat", "2", std::to_string(n)}));
  }
  // Every component's number, each outside 1..4 in turn: the message names the component
  // and block 3, whose first 2 n bytes hold the numbers.
  const Bytes four = encodeParameterFile(validSet(Model::NRTL, 4, 0));
  for (std::size_t i = 0; i < 4; ++i) {
    for (const unsigned number : {0u, 5u, 255u, 256u, 257u, 65535u}) {
      Bytes bytes = four;
      bytes[32 + 2 * i] = static_cast<std::uint8_t>(number & 0xFF);
      bytes[32 + 2 * i + 1] = static_cast<std::uint8_t>(number >> 8);
      const Refusal refusal = refusalOf(bytes, "n.dat");
      EXPECT_EQ(refusal.text, &texts::kDatafileComponentNumber);
      EXPECT_EQ(refusal.args, (std::vector<std::string>{"n.dat", "3", std::to_string(i + 1),
                                                        std::to_string(number)}));
    }
  }
  // UNIFAC: g = 0..10 read, every larger count refused at its block (3 + n for n = 2).
  for (int g = 0; g < 256; ++g) {
    if (g <= 10) {
      const TParameterSet set = validSet(Model::UNIFAC, 2, static_cast<std::uint8_t>(g));
      EXPECT_EQ(decodeParameterFile(encodeParameterFile(set), "u.dat").set.GroupCount, g);
      continue;
    }
    Bytes bytes = encodeParameterFile(validSet(Model::UNIFAC, 2, 10));
    bytes[16 * 4] = static_cast<std::uint8_t>(g);
    const Refusal refusal = refusalOf(bytes, "u.dat");
    EXPECT_EQ(refusal.text, &texts::kDatafileGroupCount) << g;
    EXPECT_EQ(refusal.args, (std::vector<std::string>{"u.dat", "5", std::to_string(g)}));
  }
}

TEST(ParameterFileInput, RandomBytesAreRefusedOrGiveASetThatCanBeWrittenBack) {
  std::mt19937 random(1987);
  const Bytes headers[] = {encodeParameterFile(validSet(Model::Wilson, 2, 0)),
                           encodeParameterFile(validSet(Model::NRTL, 3, 0)),
                           encodeParameterFile(validSet(Model::UNIFAC, 2, 2))};
  int read = 0;
  for (int round = 0; round < 3000; ++round) {
    Bytes bytes(random() % 3000);
    for (std::uint8_t& b : bytes)
      b = static_cast<std::uint8_t>(random());
    if (round % 2 == 1) {  // a real start makes the reader go deeper
      const Bytes& header = headers[random() % std::size(headers)];
      const std::size_t keep = std::min(bytes.size(), header.size() * (random() % 4) / 4);
      std::copy_n(header.begin(), keep, bytes.begin());
    }
    try {
      const ParameterFileContents contents = decodeParameterFile(bytes, "r.dat");
      ++read;
      const Bytes again = encodeParameterFile(contents.set);
      EXPECT_EQ(again.size(), 16u * contents.blockCount);
      EXPECT_EQ(encodeParameterFile(decodeParameterFile(again, "r.dat").set), again);
    } catch (const FileError& error) {
      ASSERT_FALSE(error.message(Language::Russian).empty());
      if (!error.args().empty()) {
        ASSERT_EQ(error.args()[0], "r.dat");
      }
    }
  }
  EXPECT_GT(read, 0);  // the deeper rounds do reach whole files
}

TEST(ParameterFileInput, HugeEndlessAndEmptyFilesAreReadOnlyAsFarAsNeeded) {
  const TempDir dir;
  // 100 MB of zeros (a sparse file, so the test stays fast): the first byte is no model.
  const std::string zeros = dir / "zeros.dat";
  writeBytes(zeros, "");
  ASSERT_EQ(truncate(zeros.c_str(), 100 << 20), 0);
  try {
    readParameterFile(std::filesystem::path(zeros));
    ADD_FAILURE() << "zeros were read";
  } catch (const FileError& error) {
    EXPECT_EQ(&error.text(), &texts::kWrongParameterInDataFile);
  }
  // A valid file followed by 100 MB of zeros: the zeros are never read.
  const Bytes wilson = encodeParameterFile(validSet(Model::Wilson, 2, 0));
  const std::string padded = dir / "padded.dat";
  writeBytes(padded, std::string(wilson.begin(), wilson.end()));
  ASSERT_EQ(truncate(padded.c_str(), 100 << 20), 0);
  EXPECT_EQ(readParameterFile(std::filesystem::path(padded)).blockCount, 10);
  // A UNIFAC start followed by zeros: the first component record holds no group.
  Bytes unifac = encodeParameterFile(validSet(Model::UNIFAC, 2, 0));
  unifac.resize(16 * 6);  // model, n, 2 numbers, g = 0, the identifier block
  const std::string unifacZeros = dir / "unifac.dat";
  writeBytes(unifacZeros, std::string(unifac.begin(), unifac.end()));
  ASSERT_EQ(truncate(unifacZeros.c_str(), 100 << 20), 0);
  try {
    readParameterFile(std::filesystem::path(unifacZeros));
    ADD_FAILURE() << "a record without groups was read";
  } catch (const FileError& error) {
    EXPECT_EQ(error.what(), "Datafile " + unifacZeros +
                                ", block 7: component 1 has 0 groups; a component has 1 to 10");
  }

  // Empty: not complete. Endless or blocking files (a device, a pipe) are not opened at all.
  writeBytes(dir / "empty.dat", "");
  try {
    readParameterFile(std::filesystem::path(dir / "empty.dat"));
    ADD_FAILURE() << "an empty file was read";
  } catch (const FileError& error) {
    EXPECT_EQ(error.what(), "Datafile " + dir / "empty.dat" + " is not complete");
  }
  ASSERT_EQ(mkfifo((dir / "pipe.dat").c_str(), 0600), 0);
  const std::pair<std::string, std::string> refused[] = {
      {"/dev/zero", "it is a device, not a file"},
      {dir / "pipe.dat", "not an ordinary file (a folder, a device, a pipe or the like)"},
      {dir.path().string(), "it is a folder"}};
  for (const auto& [path, reason] : refused) {
    try {
      readParameterFile(std::filesystem::path(path));
      ADD_FAILURE() << path << " was read";
    } catch (const FileError& error) {
      EXPECT_EQ(error.what(), "File " + path + " is not retrieved: " + reason);
    }
  }
}

TEST(ParameterFileInput, AFileThatCannotBeReadEvenByRootNamesTheBlock) {
  // Root reads any file whatever its mode; this one is a regular file whose reading fails
  // with an input/output error (at offset 0 nothing is mapped in the process).
  const std::string path = "/proc/self/mem";
  struct stat info {};
  if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) GTEST_SKIP() << "no " << path;
  try {
    readParameterFile(std::filesystem::path(path));
    ADD_FAILURE() << path << " was read";
  } catch (const FileError& error) {
    EXPECT_EQ(error.what(), "Datafile " + path + " cannot be read: read error at block 1");
  }
}

TEST(ParameterFileInput, ASaveThatStopsHalfWayLeavesTheEarlierFileInPlace) {
  const TempDir dir;
  const std::string path = dir / "UNIFAC.dat";
  const Bytes earlier = encodeParameterFile(validSet(Model::Wilson, 2, 0));
  writeBytes(path, std::string(earlier.begin(), earlier.end()));
  const TParameterSet unifac = validSet(Model::UNIFAC, 4, 10);  // 474 blocks, 7584 bytes
  {
    // The machine's own writes stop with "File too large" after 4096 bytes, root or not.
    const auto previousSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    rlimit lowered = previous;
    lowered.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &lowered), 0);
    try {
      saveParameterFileTo(path, unifac);
      ADD_FAILURE() << "the save did not fail";
    } catch (const FileError& error) {
      EXPECT_EQ(&error.text(), &texts::kFileNotWrittenUnchanged);
      EXPECT_EQ(error.what(), "File " + path +
                                  " cannot be written: file too large (the file-size limit is "
                                  "reached). The file and its back-up copy are as they were");
    }
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousSignal);
  }
  EXPECT_EQ(readBytes(path), std::string(earlier.begin(), earlier.end()));
  EXPECT_FALSE(std::filesystem::exists(dir / "UNIFAC.bak"));  // nothing to back up yet
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                          std::filesystem::directory_iterator()),
            1);

  // A device or a folder as the target is refused and left as it is.
  std::filesystem::create_directory(dir / "folder.dat");
  for (const std::string& target : {std::string("/dev/full"), dir / "folder.dat"}) {
    try {
      saveParameterFileTo(target, unifac);
      ADD_FAILURE() << target << " was written";
    } catch (const FileError& error) {
      EXPECT_EQ(&error.text(), &texts::kFileNotOrdinary) << error.what();
    }
  }
  EXPECT_TRUE(std::filesystem::is_directory(dir / "folder.dat"));
  EXPECT_FALSE(std::filesystem::exists(dir / "folder.bak"));
}

}  // namespace
}  // namespace bubblix
