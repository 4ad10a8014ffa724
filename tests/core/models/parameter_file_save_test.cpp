#include "core/models/parameter_file_save.h"

#include <gtest/gtest.h>

#include <string>
#include <system_error>
#include <vector>

#include "core/base/errors.h"
#include "core/io/file_test_support.h"
#include "core/models/model_test_support.h"
#include "core/models/parameter_file.h"

namespace bubblix {
namespace {

using testing::FaultyFileSystem;
using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;

std::string fileBytes(const TParameterSet& set) {
  const std::vector<std::uint8_t> bytes = encodeParameterFile(set);
  return std::string(bytes.begin(), bytes.end());
}

TParameterSet wilsonSet() {
  TParameterSet set;
  set.ModelCode = Model::Wilson;
  set.ComponentCount = 3;
  set.Components = {1, 2, 4, 0};
  for (std::size_t i = 0; i < 3; ++i) {
    for (std::size_t j = 0; j < 3; ++j)
      set.WilsonEnergy[i][j] = i == j ? 0.0L : 0.3L * static_cast<Real>(i) - 0.7L / (j + 1.0L);
  }
  return set;
}

// The UNIFAC set of comp.1-comp.2 with interactions that use every bit of the 80-bit
// mantissa, as a fit leaves them.
TParameterSet unifacSet() {
  TParameterSet set = test::unifacSet(test::mixtureOf({1, 2}), 2);
  set.Components = {1, 2, 0, 0};
  for (int g = 0; g < set.GroupCount; ++g) {
    for (int h = 0; h < set.GroupCount; ++h) {
      if (g != h) set.GroupInteraction[g][h] = (g + 1.0L) / (3.0L * h + 7.0L);
    }
  }
  return set;
}

TEST(SaveParameterFile, WrittenThenReadGivesTheSameSet) {
  TempDir dir;
  for (const TParameterSet& set : {wilsonSet(), unifacSet()}) {
    SCOPED_TRACE(set.ModelCode);
    const std::string path = dir / (std::string(modelName(set.ModelCode)) + ".dat");
    saveParameterFileTo(path, set);
    EXPECT_EQ(readBytes(path), fileBytes(set));
    const ParameterFileContents read = readParameterFile(std::filesystem::path(path));
    EXPECT_EQ(read.set, set);
  }
}

TEST(SaveParameterFile, AnExistingFileBecomesTheBackupOnceTheNewOneIsComplete) {
  TempDir dir;
  const std::string path = dir / "NRTL.dat";
  writeBytes(path, "earlier parameters");
  saveParameterFileTo(path, wilsonSet());
  EXPECT_EQ(readBytes(dir / "NRTL.bak"), "earlier parameters");
  EXPECT_EQ(readBytes(path), fileBytes(wilsonSet()));
}

TEST(SaveParameterFile, AFailingFileSystemLeavesTheOldFileAndItsBackup) {
  TempDir dir;
  const std::string path = dir / "Wilson.dat";
  writeBytes(path, "earlier parameters");
  writeBytes(dir / "Wilson.bak", "older parameters");

  // The back-up cannot be made, or the write stops half-way (a full disk): the message names
  // the file and the reason, and both files keep their content.
  FaultyFileSystem noRename;
  noRename.renameError = std::make_error_code(std::errc::permission_denied);
  FaultyFileSystem full;
  full.writeError = std::make_error_code(std::errc::no_space_on_device);
  full.failWriteAfter = 48;  // three of the ten blocks
  for (FaultyFileSystem* faulty : {&noRename, &full}) {
    try {
      saveParameterFileTo(path, wilsonSet(), *faulty);
      ADD_FAILURE() << "no error";
    } catch (const FileError& e) {
      EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
    }
    EXPECT_EQ(readBytes(path), "earlier parameters");
    EXPECT_EQ(readBytes(dir / "Wilson.bak"), "older parameters");
  }
}

TEST(SaveParameterFile, ASetNoReaderWouldAcceptTouchesNoFile) {
  TempDir dir;
  const std::string path = dir / "Wilson.dat";
  writeBytes(path, "earlier parameters");
  TParameterSet bad = wilsonSet();
  bad.ComponentCount = 7;
  EXPECT_THROW(saveParameterFileTo(path, bad), DataError);
  EXPECT_EQ(readBytes(path), "earlier parameters");
  EXPECT_EQ(readBytes(dir / "Wilson.bak"), "<missing>");
}

}  // namespace
}  // namespace bubblix
