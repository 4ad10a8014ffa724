// Parameter files naming components of a component library: written with the trailer that
// describes them, read back only with a library that holds the same components.

#include "core/models/parameter_file_trailer.h"

#include <gtest/gtest.h>

#include <string>

#include "core/data/component_library.h"
#include "core/models/parameter_file.h"
#include "core/models/parameter_file_save.h"
#include "core/session/parameter_file_dialogs.h"
#include "core/texts/parameter_file_texts.h"
#include "session_test_support.h"

namespace bubblix::session_test {
namespace {

const std::string kBenzene =
    R"({"name": "benzene", "molar_mass": 78.114, "antoine": {"A": 15.9008, "B": 2788.51, "C": -52.36},
        "density": {"t_c": [10, 100], "kg_m3": [889.5, 792.5]},
        "groups": [{"main": 3, "letter": "A", "count": 6, "Q": 0.4, "R": 0.5313}]})";
const std::string kCyclohexane =
    R"({"name": "cyclohexane", "molar_mass": 84.162, "antoine": {"A": 15.7527, "B": 2766.63, "C": -50.5},
        "density": {"t_c": [10, 100], "kg_m3": [788.0, 699.0]},
        "groups": [{"main": 1, "letter": "B", "count": 6, "Q": 0.54, "R": 0.6744}]})";

Database databaseWith(const std::string& components) {
  const std::string text = "{\"components\": [" + components + "]}";
  return withLibrary(builtInDatabase(), parseComponentLibrary(text, "lib.json", builtInDatabase()));
}

// An NRTL set of benzene (5), water (2) and cyclohexane (6).
TParameterSet userSet() {
  TParameterSet set;
  set.ModelCode = Model::NRTL;
  set.ComponentCount = 3;
  set.Components = {5, 2, 6, 0};
  for (std::size_t i = 0; i < 3; ++i) {
    for (std::size_t j = 0; j < 3; ++j) {
      if (i == j) continue;
      set.NRTLEnergy[i][j] = 0.1L * static_cast<Real>(i + 1) + 0.01L * static_cast<Real>(j);
      set.NRTLAlpha[i][j] = 0.3L;
    }
  }
  return set;
}

std::string refusal(const std::string& path, const Database& db) {
  SessionState state;
  state.InterfaceLanguage = Language::English;
  try {
    loadParameterFile(path, state, db);
  } catch (const Error& e) {
    EXPECT_EQ(state.ParameterSet.ComponentCount, 0);  // nothing taken from a refused file
    return e.what();
  }
  return "";
}

TEST(ParameterFileTrailer, AFileOfLibraryComponentsRoundTripsWithItsLibrary) {
  TempDir dir;
  const Database db = databaseWith(kBenzene + "," + kCyclohexane);
  const TParameterSet set = userSet();
  RunFiles run;
  saveParameterFileTo(dir.file("user.dat"), set, db, run);

  SessionState state;
  state.InterfaceLanguage = Language::English;
  const LoadedParameterFile loaded = loadParameterFile(dir.file("user.dat"), state, db);
  EXPECT_EQ(state.ParameterSet, set);
  EXPECT_EQ(loaded.BlockCount, parameterFileBlockCount(Model::NRTL, 3, 0));
  EXPECT_EQ(state.Components.ComponentNames[0], "benzene");
  EXPECT_EQ(state.Components.ComponentNames[2], "cyclohexane");

  // The trailer: magic, count, and per component its header, one name block, 4 constants
  // and 2 x 2 density values.
  const ParameterFileContents contents = readParameterFile(dir.file("user.dat"));
  EXPECT_EQ(contents.Trailer.size(), kParameterFileBlockSize * (2 + 2 * (1 + 1 + 4 + 4)));
  const std::vector<TrailerComponent> described =
      decodeComponentTrailer(contents.Trailer, "user.dat");
  ASSERT_EQ(described.size(), 2u);
  EXPECT_EQ(described[1].Name, "cyclohexane");
  EXPECT_EQ(described[1].Number, 6);
  EXPECT_EQ(described[0].AntoineB, 2788.51L);
  EXPECT_EQ(described[1].Density[1], 699.0L);

  // A library that lists them the other way round: the set takes the new numbers.
  const Database reordered = databaseWith(kCyclohexane + "," + kBenzene);
  SessionState other;
  other.InterfaceLanguage = Language::English;
  loadParameterFile(dir.file("user.dat"), other, reordered);
  EXPECT_EQ(other.ParameterSet.Components, (std::array<std::uint16_t, 4>{6, 2, 5, 0}));
  EXPECT_EQ(other.Components.ComponentNames[0], "benzene");
}

TEST(ParameterFileTrailer, AMismatchOrAMissingComponentOrTrailerIsRefusedNamingIt) {
  TempDir dir;
  const Database db = databaseWith(kBenzene + "," + kCyclohexane);
  RunFiles run;
  saveParameterFileTo(dir.file("user.dat"), userSet(), db, run);

  const auto changed = [](std::string text, const std::string& from, const std::string& to) {
    text.replace(text.find(from), from.size(), to);
    return text;
  };
  EXPECT_NE(refusal(dir.file("user.dat"),
                    databaseWith(changed(kBenzene, "78.114", "78.11") + "," + kCyclohexane))
                .find("the component \"benzene\" of the file differs from the library's in "
                      "\"molar_mass\""),
            std::string::npos);
  EXPECT_NE(refusal(dir.file("user.dat"),
                    databaseWith(kBenzene + "," + changed(kCyclohexane, "-50.5", "-50.6")))
                .find("\"cyclohexane\" of the file differs from the library's in \"antoine\""),
            std::string::npos);
  EXPECT_NE(refusal(dir.file("user.dat"),
                    databaseWith(changed(kBenzene, "792.5", "792.4") + "," + kCyclohexane))
                .find("in \"density\""),
            std::string::npos);
  EXPECT_NE(refusal(dir.file("user.dat"), databaseWith(kBenzene))
                .find("names the component \"cyclohexane\", which the loaded component library "
                      "does not hold"),
            std::string::npos);

  // Without its trailer the file is refused as a number outside 1..4 is, at block 3.
  std::vector<std::uint8_t> bytes =
      encodeParameterFile(userSet(), encodeComponentTrailer(userSet(), db));
  bytes.resize(kParameterFileBlockSize * parameterFileBlockCount(Model::NRTL, 3, 0));
  writeBytes(dir.file("cut.dat"), bytes);
  EXPECT_NE(refusal(dir.file("cut.dat"), db).find("block 3: component 1 has the database number 5"),
            std::string::npos);
  // A damaged trailer.
  std::vector<std::uint8_t> damaged =
      encodeParameterFile(userSet(), encodeComponentTrailer(userSet(), db));
  damaged.resize(damaged.size() - kParameterFileBlockSize);
  writeBytes(dir.file("damaged.dat"), damaged);
  EXPECT_NE(refusal(dir.file("damaged.dat"), db).find("is damaged"), std::string::npos);
  // And a set of library components is never written without it.
  EXPECT_THROW(encodeParameterFile(userSet()), DataError);
}

}  // namespace
}  // namespace bubblix::session_test
