#include "core/models/parameter_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>
#include <span>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include <unistd.h>

#include "core/base/errors.h"
#include "core/data/component_groups_image.h"
#include "core/io/extended80.h"
#include "core/texts/parameter_file_texts.h"

// The expected layouts below come from docs/parameter-file.md.

namespace bubblix {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A set with a different value in every field (also the fields a file of its model does not
// hold), so that a value in the wrong place or a field lost on the way shows.
TParameterSet fullSet(Model model, std::uint8_t n, std::uint8_t g, std::uint32_t seed) {
  std::mt19937 engine(seed);
  std::uniform_int_distribution<int> digits(-99999, 99999);
  auto value = [&] { return digits(engine) / 997.0L; };
  TParameterSet s;
  s.ModelCode = model;
  s.ComponentCount = n;
  s.GroupCount = g;
  s.Components = {3, 1, 4, 2};
  for (std::size_t k = 0; k < 10; ++k) {
    s.GroupIdsA[k] = static_cast<std::uint8_t>(1 + (k * 7) % 18);
    s.GroupIdsB[k] = static_cast<std::uint8_t>("AB C"[k % 4]);
    s.GroupQ[k] = value();
    s.GroupR[k] = value();
    for (std::size_t m = 0; m < 10; ++m) {
      s.UNIQUACEnergy[k][m] = value();
      s.GroupInteraction[k][m] = value();
    }
  }
  for (std::size_t i = 0; i < 4; ++i) {
    for (std::size_t j = 0; j < 4; ++j) {
      s.NRTLAlpha[i][j] = value();
      s.NRTLEnergy[i][j] = value();
      s.WilsonEnergy[i][j] = value();
    }
    TComponentGroups& c = s.ComponentGroups[i];
    c.Count = static_cast<std::uint8_t>(1 + (i * 3 + seed) % 10);
    for (std::size_t k = 0; k < 10; ++k) {
      // Groups of the mixture's (the reader refuses others).
      const std::size_t m = g > 0 ? k % g : k;
      c.IdsA[k] = s.GroupIdsA[m];
      c.Nu[k] = static_cast<std::uint8_t>(k % 3);
      c.IdsB[k] = s.GroupIdsB[m];
      c.Q[k] = value();
      c.R[k] = value();
      c.X[k] = value();
      for (std::size_t m = 0; m < 10; ++m)
        c.A[k][m] = value();
    }
  }
  s.WilsonEnergy[0][1] = -0.0L;  // the sign of zero must survive
  s.GroupQ[9] = std::numeric_limits<Real>::denorm_min();
  return s;
}

// The fields a file of the set's model holds; everything else as in a default set (fresh
// UNIFAC tables are zero).
TParameterSet fileFieldsOnly(const TParameterSet& s) {
  TParameterSet f;
  const std::size_t n = s.ComponentCount;
  f.ModelCode = s.ModelCode;
  f.ComponentCount = s.ComponentCount;
  for (std::size_t i = 0; i < n; ++i)
    f.Components[i] = s.Components[i];
  if (s.ModelCode == Model::UNIFAC) {
    const std::size_t g = s.GroupCount;
    f.GroupCount = s.GroupCount;
    f.GroupIdsB = s.GroupIdsB;
    for (std::size_t k = 0; k < g; ++k) {
      f.GroupIdsA[k] = s.GroupIdsA[k];
      f.GroupQ[k] = s.GroupQ[k];
      f.GroupR[k] = s.GroupR[k];
      for (std::size_t m = 0; m < g; ++m)
        f.GroupInteraction[k][m] = s.GroupInteraction[k][m];
    }
    for (std::size_t i = 0; i < n; ++i)
      f.ComponentGroups[i] = s.ComponentGroups[i];
    return f;
  }
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = 0; j < n; ++j) {
      if (s.ModelCode == Model::Wilson) f.WilsonEnergy[i][j] = s.WilsonEnergy[i][j];
      if (s.ModelCode == Model::UNIQUAC) f.UNIQUACEnergy[i][j] = s.UNIQUACEnergy[i][j];
      if (s.ModelCode == Model::NRTL) {
        f.NRTLEnergy[i][j] = s.NRTLEnergy[i][j];
        f.NRTLAlpha[i][j] = s.NRTLAlpha[i][j];
      }
    }
  }
  return f;
}

Real realAt(const Bytes& bytes, std::size_t offset) {
  return decodeExtended80(std::span<const std::uint8_t>(bytes).subspan(offset).first<10>());
}

// Decodes and expects a FileError with the given text; returns it for further checks.
FileError expectFileError(const Bytes& bytes, const Text& text, const std::string& name = "f.dat") {
  try {
    decodeParameterFile(bytes, name);
  } catch (const FileError& e) {
    EXPECT_EQ(&e.text(), &text) << e.what();
    return e;
  } catch (const std::exception& e) {
    ADD_FAILURE() << "other error: " << e.what();
    return FileError(text);
  }
  ADD_FAILURE() << "no error for: " << text.en;
  return FileError(text);
}

TEST(ParameterFile, EveryModelAndSizeRoundTripsByteForByte) {
  struct Case {
    Model model;
    std::uint8_t n;
    std::uint8_t g;
  };
  std::vector<Case> cases;
  for (Model model : {Model::Wilson, Model::NRTL, Model::UNIQUAC})
    for (std::uint8_t n : {2, 3, 4})
      cases.push_back({model, n, 0});
  for (std::uint8_t n : {2, 3, 4})
    cases.push_back({Model::UNIFAC, n, 10});
  cases.push_back({Model::UNIFAC, 2, 0});
  cases.push_back({Model::UNIFAC, 3, 4});

  std::uint32_t seed = 1;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(modelName(c.model)) + " n=" + std::to_string(c.n) +
                 " g=" + std::to_string(c.g));
    const TParameterSet original = fullSet(c.model, c.n, c.g, seed++);
    const Bytes bytes = encodeParameterFile(original);
    const std::uint16_t blocks = parameterFileBlockCount(c.model, c.n, c.g);
    EXPECT_EQ(bytes.size(), 16u * blocks);

    // Read over the set it came from: identical, image and tables alike (a UNIFAC file
    // installs fresh tables, so there only the entries within n and g come back).
    const ParameterFileContents same = decodeParameterFile(bytes, "x.dat", original);
    TParameterSet expected = original;
    if (c.model == Model::UNIFAC) {
      expected.GroupInteraction = fileFieldsOnly(original).GroupInteraction;
      expected.ComponentGroups = fileFieldsOnly(original).ComponentGroups;
    }
    EXPECT_EQ(same.set, expected);
    EXPECT_EQ(encodeParameterSetImage(same.set), encodeParameterSetImage(original));
    EXPECT_EQ(same.blockCount, blocks);
    EXPECT_EQ(same.modelName, modelName(c.model));

    // Read over an empty set: exactly the fields the file holds, and writing that again gives
    // a file that reads back the same.
    const ParameterFileContents fresh = decodeParameterFile(bytes, "x.dat");
    EXPECT_EQ(fresh.set, fileFieldsOnly(original));
    EXPECT_EQ(decodeParameterFile(encodeParameterFile(fresh.set), "x.dat").set, fresh.set);
  }
}

TEST(ParameterFile, BlockCounts) {
  // The table of block counts in docs/parameter-file.md, n = 2, 3, 4.
  const std::uint16_t wq[] = {10, 17, 26}, nrtl[] = {16, 29, 46}, unifac[] = {304, 389, 474};
  for (std::uint8_t n = 2; n <= 4; ++n) {
    EXPECT_EQ(parameterFileBlockCount(Model::Wilson, n, 0), wq[n - 2]);
    EXPECT_EQ(parameterFileBlockCount(Model::UNIQUAC, n, 0), wq[n - 2]);
    EXPECT_EQ(parameterFileBlockCount(Model::NRTL, n, 0), nrtl[n - 2]);
    EXPECT_EQ(parameterFileBlockCount(Model::UNIFAC, n, 10), unifac[n - 2]);
  }
  EXPECT_EQ(parameterFileBlockCount(Model::UNIFAC, 2, 0), 4 + 168 + 2);
}

// The worked example of docs/parameter-file.md: a binary Wilson set, components 1 and 3,
// a12 = 0.5, a21 = -2.5, everything else zero.
TParameterSet workedExample() {
  TParameterSet s;
  s.ModelCode = Model::Wilson;
  s.ComponentCount = 2;
  s.Components = {1, 3, 0, 0};
  s.WilsonEnergy[0][1] = 0.5L;
  s.WilsonEnergy[1][0] = -2.5L;
  return s;
}

Bytes workedExampleBytes() {
  // Copied from the hex listing of the example in docs/parameter-file.md.
  const char* hex =
      "57 00 01 00 03 00 00 00 00 00 02 00 00 00 00 00 "
      "02 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
      "01 00 03 00 00 00 00 00 02 00 00 00 00 00 00 00 "
      "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
      "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
      "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
      "00 00 00 00 00 00 00 80 FE 3F 00 00 00 00 00 00 "
      "00 00 00 00 00 00 00 A0 00 C0 00 00 00 00 00 00 "
      "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
      "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00";
  Bytes bytes;
  std::istringstream in(hex);
  unsigned value;
  while (in >> std::hex >> value)
    bytes.push_back(static_cast<std::uint8_t>(value));
  return bytes;
}

TEST(ParameterFile, BinaryWilsonFileIsTheDocumentedTenBlocks) {
  const Bytes expected = workedExampleBytes();
  ASSERT_EQ(expected.size(), 160u);
  EXPECT_EQ(encodeParameterFile(workedExample()), expected);
  const ParameterFileContents contents = decodeParameterFile(expected, "wilson.dat");
  EXPECT_EQ(contents.set, workedExample());
  EXPECT_EQ(contents.modelName, "Wilson");
  EXPECT_EQ(contents.blockCount, 10);
}

TEST(ParameterFile, FillersAreTheBytesThatFollowTheField) {
  TParameterSet s = workedExample();
  s.GroupCount = 7;             // record byte 11: second byte of block 2
  s.GroupIdsB[0] = 'A';         // record byte 12
  s.GroupIdsA[3] = 0x11;        // record byte 25: last byte of block 2
  s.WilsonEnergy[0][2] = 1.0L;  // (1,3) follows (1,2) in memory: its first 6 bytes fill block 7
  const Bytes bytes = encodeParameterFile(s);
  EXPECT_EQ(bytes[16 + 1], 7);
  EXPECT_EQ(bytes[16 + 2], 'A');
  EXPECT_EQ(bytes[16 + 15], 0x11);
  EXPECT_EQ(bytes[0 + 11], 7);  // block 1 is record bytes 0..15
  for (std::size_t b = 0; b < 6; ++b) {
    EXPECT_EQ(bytes[96 + 10 + b], encodeExtended80(1.0L)[b]) << b;
  }
  // The reader ignores fillers: the set read back has none of these.
  const TParameterSet back = decodeParameterFile(bytes, "w.dat").set;
  EXPECT_EQ(back, workedExample());
}

TEST(ParameterFile, FourComponentWilsonPairsComeInRowOrderWithTheDiagonal) {
  TParameterSet s;
  s.ModelCode = Model::Wilson;
  s.ComponentCount = 4;
  s.Components = {1, 2, 3, 4};
  for (std::size_t i = 0; i < 4; ++i)
    for (std::size_t j = 0; j < 4; ++j)
      s.WilsonEnergy[i][j] = 10.0L * (i + 1) + (j + 1);
  const Bytes bytes = encodeParameterFile(s);
  ASSERT_EQ(bytes.size(), 16u * 26);
  const int pairs[10][2] = {{1, 1}, {1, 2}, {1, 3}, {1, 4}, {2, 2},
                            {2, 3}, {2, 4}, {3, 3}, {3, 4}, {4, 4}};
  std::size_t block = 6;  // after model, n and the four component blocks
  for (const auto& p : pairs) {
    EXPECT_EQ(realAt(bytes, 16 * block), 10.0L * p[0] + p[1]) << p[0] << "," << p[1];
    EXPECT_EQ(realAt(bytes, 16 * (block + 1)), 10.0L * p[1] + p[0]) << p[0] << "," << p[1];
    block += 2;
  }
}

TEST(ParameterFile, NRTLPairsHoldBothEnergiesThenBothAlphas) {
  TParameterSet s;
  s.ModelCode = Model::NRTL;
  s.ComponentCount = 2;
  s.Components = {2, 4, 0, 0};
  s.NRTLEnergy[0][1] = 1.5L;
  s.NRTLEnergy[1][0] = -0.75L;
  s.NRTLAlpha[0][1] = 0.3L;
  s.NRTLAlpha[1][0] = 0.25L;
  const Bytes bytes = encodeParameterFile(s);
  ASSERT_EQ(bytes.size(), 16u * 16);
  // Pair (1,1) fills blocks 5..8 (from 0: 4..7); pair (1,2) blocks 8..11 (from 0).
  EXPECT_EQ(realAt(bytes, 16 * 8), 1.5L);
  EXPECT_EQ(realAt(bytes, 16 * 9), -0.75L);
  EXPECT_EQ(realAt(bytes, 16 * 10), 0.3L);
  EXPECT_EQ(realAt(bytes, 16 * 11), 0.25L);
  EXPECT_EQ(bytes[32], 2);  // component numbers, little-endian 16-bit
  EXPECT_EQ(bytes[34], 4);
}

TEST(ParameterFile, UnifacBlocksAndTheirFillersStayInsideTheTables) {
  const TParameterSet s = fullSet(Model::UNIFAC, 4, 10, 77);
  const Bytes bytes = encodeParameterFile(s);
  ASSERT_EQ(bytes.size(), 16u * parameterFileBlockCount(Model::UNIFAC, 4, 10));
  std::size_t block = 6;
  EXPECT_EQ(bytes[16 * block], 10);  // g
  ++block;
  for (std::size_t k = 0; k < 10; ++k, ++block)
    EXPECT_EQ(bytes[16 * block], s.GroupIdsA[k]);
  for (std::size_t k = 0; k < 10; ++k)
    EXPECT_EQ(bytes[16 * block + k], s.GroupIdsB[k]);
  ++block;
  for (std::size_t k = 0; k < 10; ++k, ++block)
    EXPECT_EQ(realAt(bytes, 16 * block), s.GroupQ[k]);
  for (std::size_t k = 0; k < 10; ++k, ++block)
    EXPECT_EQ(realAt(bytes, 16 * block), s.GroupR[k]);
  // The last R block runs into the reference slots: filler zero.
  for (std::size_t b = 10; b < 16; ++b)
    EXPECT_EQ(bytes[16 * (block - 1) + b], 0) << b;
  for (std::size_t i = 0; i < 4; ++i) {
    const ComponentGroupsImage record = writeComponentGroupsImage(s.ComponentGroups[i]);
    for (std::size_t b = 0; b < 1336; ++b)
      ASSERT_EQ(bytes[16 * block + b], record[b]) << i;
    // 8 filler bytes: the start of the next record, zero after the last.
    for (std::size_t b = 0; b < 8; ++b) {
      const std::uint8_t next =
          i < 3 ? writeComponentGroupsImage(s.ComponentGroups[i + 1])[b] : std::uint8_t{0};
      EXPECT_EQ(bytes[16 * block + 1336 + b], next) << i << ":" << b;
    }
    block += 84;
  }
  for (std::size_t k = 0; k < 10; ++k)
    for (std::size_t m = 0; m < 10; ++m, ++block)
      ASSERT_EQ(realAt(bytes, 16 * block), s.GroupInteraction[k][m]) << k << "," << m;
  for (std::size_t b = 10; b < 16; ++b)
    EXPECT_EQ(bytes[16 * (block - 1) + b], 0) << b;
  EXPECT_EQ(16 * block, bytes.size());
}

TEST(ParameterFile, ShortFilesGiveTheirOwnMessages) {
  const Bytes full = workedExampleBytes();
  // Cut before the pair (2,2): no pair begins, "not complete", in both languages.
  Bytes eight(full.begin(), full.begin() + 128);
  FileError e = expectFileError(eight, texts::kDatafileNotComplete, "/home/u/w.dat");
  EXPECT_EQ(e.message(Language::English), "Datafile /home/u/w.dat is not complete");
  EXPECT_EQ(e.message(Language::Russian), "Файл данных /home/u/w.dat не полный");
  // A partial block where a pair begins is no block either.
  Bytes eightAndSome(full.begin(), full.begin() + 128 + 5);
  expectFileError(eightAndSome, texts::kDatafileNotComplete);
  // Cut inside the pair (2,2): the read error names block 10.
  Bytes nine(full.begin(), full.begin() + 144);
  e = expectFileError(nine, texts::kDatafileEndsInsideBlock, "w.dat");
  EXPECT_EQ(e.args(), (std::vector<std::string>{"w.dat", "10"}));
  Bytes nineAndSome(full.begin(), full.begin() + 144 + 15);
  expectFileError(nineAndSome, texts::kDatafileEndsInsideBlock);
  // Every shorter cut ends in one of the messages too, never in a crash or a set.
  for (std::size_t size = 0; size < full.size(); ++size) {
    const Bytes cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(size));
    EXPECT_THROW(decodeParameterFile(cut, "w.dat"), FileError) << size;
  }
  // A UNIFAC file cut inside a component record.
  const Bytes unifac = encodeParameterFile(fullSet(Model::UNIFAC, 2, 3, 5));
  const Bytes cutRecord(unifac.begin(), unifac.begin() + 16 * (4 + 1 + 3 + 1 + 6 + 10));
  e = expectFileError(cutRecord, texts::kDatafileEndsInsideBlock);
  EXPECT_EQ(e.args()[1], std::to_string(4 + 1 + 3 + 1 + 6 + 10 + 1));
}

TEST(ParameterFile, UnknownModelLetterIsAWrongParameterInEitherLanguage) {
  Bytes bytes = workedExampleBytes();
  bytes[0] = 'X';
  const FileError e = expectFileError(bytes, texts::kWrongParameterInDataFile);
  EXPECT_EQ(e.message(Language::English), "wrong parameter in DataFile");
  EXPECT_EQ(e.message(Language::Russian), "wrong parameter in DataFile");
  bytes[0] = 'w';  // letters are case-sensitive
  expectFileError(bytes, texts::kWrongParameterInDataFile);
  // A file shorter than one block has no model letter at all.
  expectFileError(Bytes{'W', 0, 2}, texts::kDatafileNotComplete);
}

TEST(ParameterFile, CountsAndNumbersOutsideTheLayoutAreRefusedNamingTheBlock) {
  const Bytes wilson = workedExampleBytes();
  for (std::uint8_t n : {0, 1, 5, 255}) {
    Bytes bytes = wilson;
    bytes[16] = n;  // block 2 holds n
    const FileError e = expectFileError(bytes, texts::kDatafileComponentCount);
    EXPECT_EQ(e.args()[1], "2");
    EXPECT_EQ(e.args()[2], std::to_string(n));
  }
  for (std::uint16_t number : {0, 5, 256 + 1}) {
    Bytes bytes = wilson;
    bytes[32 + 2] = static_cast<std::uint8_t>(number & 0xFF);  // second component
    bytes[32 + 3] = static_cast<std::uint8_t>(number >> 8);
    const FileError e = expectFileError(bytes, texts::kDatafileComponentNumber);
    EXPECT_EQ(e.args(), (std::vector<std::string>{"f.dat", "3", "2", std::to_string(number)}));
  }

  const TParameterSet unifac = fullSet(Model::UNIFAC, 2, 3, 9);
  const Bytes good = encodeParameterFile(unifac);
  const std::size_t gBlock = 4;  // from 0: model, n, two component blocks
  Bytes tooManyGroups = good;
  tooManyGroups[16 * gBlock] = 11;
  EXPECT_EQ(expectFileError(tooManyGroups, texts::kDatafileGroupCount).args()[1], "5");

  const std::size_t secondRecordBlock = gBlock + 1 + 3 + 1 + 3 + 3 + 84;  // from 0
  for (std::uint8_t count : {0, 11}) {
    Bytes bytes = good;
    bytes[16 * secondRecordBlock] = count;
    const FileError e = expectFileError(bytes, texts::kDatafileComponentGroupCount);
    EXPECT_EQ(e.args(), (std::vector<std::string>{"f.dat", std::to_string(secondRecordBlock + 1),
                                                  "2", std::to_string(count)}));
  }

  // The writer refuses what the reader would refuse.
  TParameterSet bad = workedExample();
  bad.ComponentCount = 5;
  EXPECT_THROW(encodeParameterFile(bad), DataError);
  bad = workedExample();
  bad.Components[1] = 0;
  EXPECT_THROW(encodeParameterFile(bad), DataError);
  TParameterSet badGroups = unifac;
  badGroups.GroupCount = 11;
  EXPECT_THROW(encodeParameterFile(badGroups), DataError);
  badGroups = unifac;
  badGroups.ComponentGroups[1].Count = 0;
  EXPECT_THROW(encodeParameterFile(badGroups), DataError);
}

// A mixture names each component once, and every group of a component record is one of the
// mixture's groups; the messages name the file, the block and the component (layout:
// docs/parameter-file.md).
TEST(ParameterFile, AComponentTwiceAndAGroupOutsideTheMixtureAreRefusedNamingTheBlock) {
  Bytes twice = workedExampleBytes();
  twice[32 + 2] = twice[32];  // the second component number is the first one's
  twice[32 + 3] = twice[33];
  const FileError e = expectFileError(twice, texts::kDatafileDuplicateComponent);
  EXPECT_EQ(e.args(),
            (std::vector<std::string>{"f.dat", "3", "2", std::to_string(twice[32]), "1"}));

  const TParameterSet unifac = fullSet(Model::UNIFAC, 2, 3, 9);
  const std::size_t secondRecordBlock = 4 + 1 + 3 + 1 + 3 + 3 + 84;  // from 0, as above
  Bytes foreign = encodeParameterFile(unifac);
  // The first group of the second record: main group 18, which none of the three carries.
  foreign[16 * secondRecordBlock + ComponentGroupsOffsets::IdsA] = 18;
  const FileError g = expectFileError(foreign, texts::kDatafileUnknownGroup);
  EXPECT_EQ(g.args(),
            (std::vector<std::string>{
                "f.dat", std::to_string(secondRecordBlock + 1), "2",
                "18 " + std::string(1, static_cast<char>(unifac.ComponentGroups[1].IdsB[0]))}));
  TParameterSet bad = workedExample();
  bad.Components[1] = bad.Components[0];
  EXPECT_THROW(encodeParameterFile(bad), DataError);  // nor is such a set written
}

TEST(ParameterFile, NonFiniteValuesTheModelsUseAreRefused) {
  Bytes bytes = workedExampleBytes();
  const auto nan = encodeExtended80(std::numeric_limits<Real>::quiet_NaN());
  std::copy(nan.begin(), nan.end(), bytes.begin() + 16 * 6);  // block 7: WilsonEnergy(1, 2)
  const FileError e = expectFileError(bytes, texts::kDatafileValueNotFinite);
  EXPECT_EQ(e.args()[1], "7");
  EXPECT_EQ(e.args()[2], "WilsonEnergy(1, 2)");

  // The diagonal is never used: a NaN there is carried, not refused. Both blocks of the pair
  // (1,1) hold it; the second is read last.
  bytes = workedExampleBytes();
  std::copy(nan.begin(), nan.end(), bytes.begin() + 16 * 5);  // block 6: WilsonEnergy(1, 1)
  EXPECT_TRUE(std::isnan(decodeParameterFile(bytes, "w.dat").set.WilsonEnergy[0][0]));

  TParameterSet s = workedExample();
  s.WilsonEnergy[1][0] = std::numeric_limits<Real>::infinity();
  EXPECT_THROW(encodeParameterFile(s), DataError);
}

TEST(ParameterFile, BytesAfterTheLastBlockAreIgnored) {
  Bytes bytes = workedExampleBytes();
  for (int k = 0; k < 1000; ++k)
    bytes.push_back(static_cast<std::uint8_t>(k * 37));
  const ParameterFileContents contents = decodeParameterFile(bytes, "w.dat");
  EXPECT_EQ(contents.set, workedExample());
  EXPECT_EQ(contents.blockCount, 10);
}

TEST(ParameterFile, ReadingOverASetKeepsTheFieldsTheFileDoesNotHold) {
  TParameterSet current = fullSet(Model::UNIFAC, 3, 5, 3);
  const ParameterFileContents contents =
      decodeParameterFile(workedExampleBytes(), "w.dat", current);
  EXPECT_EQ(contents.set.WilsonEnergy[0][1], 0.5L);
  EXPECT_EQ(contents.set.Components[2], current.Components[2]);  // beyond n: kept
  EXPECT_EQ(contents.set.NRTLAlpha, current.NRTLAlpha);
  EXPECT_EQ(contents.set.GroupInteraction, current.GroupInteraction);
  EXPECT_EQ(contents.set.ComponentGroups, current.ComponentGroups);
  EXPECT_EQ(contents.set.WilsonEnergy[2][3], current.WilsonEnergy[2][3]);
  // A UNIFAC file installs fresh tables: entries beyond its counts are zero afterwards.
  const Bytes unifac = encodeParameterFile(fullSet(Model::UNIFAC, 2, 3, 4));
  const TParameterSet loaded = decodeParameterFile(unifac, "u.dat", current).set;
  EXPECT_EQ(loaded.GroupInteraction[5][5], 0.0L);
  EXPECT_EQ(loaded.ComponentGroups[2], TComponentGroups{});
  EXPECT_EQ(loaded.GroupQ[7], current.GroupQ[7]);  // record fields beyond g are kept
}

// A stream whose device fails after a number of bytes.
class FailingBuffer : public std::streambuf {
 public:
  FailingBuffer(Bytes bytes, std::size_t failAt) : bytes_(std::move(bytes)), failAt_(failAt) {}

 protected:
  int_type underflow() override {
    if (position_ >= failAt_) throw std::ios_base::failure("device error");
    if (position_ >= bytes_.size()) return traits_type::eof();
    current_ = static_cast<char>(bytes_[position_]);
    setg(&current_, &current_, &current_ + 1);
    ++position_;
    return traits_type::to_int_type(current_);
  }

 private:
  Bytes bytes_;
  std::size_t failAt_;
  std::size_t position_ = 0;
  char current_ = 0;
};

TEST(ParameterFile, StreamsAndFilesAreReadBlockByBlock) {
  const Bytes bytes = workedExampleBytes();
  FailingBuffer failing(bytes, 100);  // inside block 7
  std::istream in(&failing);
  try {
    readParameterFile(in, "dev.dat");
    FAIL() << "no error";
  } catch (const FileError& e) {
    EXPECT_EQ(&e.text(), &texts::kDatafileReadError);
    EXPECT_EQ(e.args(), (std::vector<std::string>{"dev.dat", "7"}));
  }

  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("bubblix_pf_" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const std::filesystem::path file = folder / "Wilson.dat";
  {
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
  }
  EXPECT_EQ(readParameterFile(file).set, workedExample());

  for (const std::filesystem::path& bad : {folder / "missing.dat", folder}) {
    try {
      readParameterFile(bad);
      ADD_FAILURE() << "no error for " << bad;
    } catch (const FileError& e) {
      EXPECT_EQ(&e.text(), &texts::kFileNotRetrieved);
      const bool isFolder = bad == folder;
      EXPECT_EQ(e.message(Language::English),
                "File " + bad.string() + " is not retrieved: " +
                    (isFolder ? "it is a folder" : "no such file or folder"));
      EXPECT_EQ(e.message(Language::Russian),
                "Файл " + bad.string() +
                    " не найден: " + (isFolder ? "это папка" : "нет такого файла или папки"));
    }
  }
  std::filesystem::remove_all(folder);
}

TEST(ParameterSetImage, FieldsLieAtTheirDocumentedOffsets) {
  const TParameterSet s = fullSet(Model::UNIQUAC, 3, 0, 11);
  const ParameterSetImage image = encodeParameterSetImage(s);
  const Bytes bytes(image.begin(), image.end());
  EXPECT_EQ(bytes[0], 'Q');
  EXPECT_EQ(bytes[1], 0);
  EXPECT_EQ(bytes[2], 3);  // Components(1) = 3, little-endian
  EXPECT_EQ(bytes[3], 0);
  EXPECT_EQ(bytes[8], 2);  // Components(4) = 2
  EXPECT_EQ(bytes[10], 3);
  EXPECT_EQ(bytes[12 + 2], s.GroupIdsB[2]);
  EXPECT_EQ(bytes[22 + 9], s.GroupIdsA[9]);
  EXPECT_EQ(realAt(bytes, 32 + 40 * 1 + 10 * 2), s.NRTLAlpha[1][2]);
  EXPECT_EQ(realAt(bytes, 192 + 40 * 3 + 10 * 0), s.NRTLEnergy[3][0]);
  EXPECT_EQ(realAt(bytes, 352 + 40 * 2 + 10 * 3), s.WilsonEnergy[2][3]);
  EXPECT_EQ(realAt(bytes, 512 + 100 * 9 + 10 * 8), s.UNIQUACEnergy[9][8]);
  EXPECT_EQ(realAt(bytes, 1512 + 10 * 4), s.GroupQ[4]);
  EXPECT_EQ(realAt(bytes, 1612 + 10 * 9), s.GroupR[9]);
  for (std::size_t b = 1712; b < 1720; ++b)
    EXPECT_EQ(bytes[b], 0) << b;  // references

  TParameterSet back = decodeParameterSetImage(image);
  back.GroupInteraction = s.GroupInteraction;  // the tables are not in the record image
  back.ComponentGroups = s.ComponentGroups;
  EXPECT_EQ(back, s);
}

}  // namespace
}  // namespace bubblix
