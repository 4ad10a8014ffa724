// The Data menu's loading through the dialog interface: a library and data sets loaded, a
// library replaced only after the question that names the sets going with it, a refused file
// said without changing what was loaded, and several sets at once.

#include "core/session/user_data_loading.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "core/data/user_data.h"
#include "core/models/parameter_set.h"
#include "core/session/parameter_file_dialogs.h"
#include "session_test_support.h"

namespace bubblix::session_test {
namespace {

std::string example(const std::string& name) {
  return std::string(BUBBLIX_SOURCE_DIR) + "/examples/" + name;
}

// Dialogs answering from a script that open several files at once.
class ManyFileDialogs : public RecordingDialogs {
 public:
  using RecordingDialogs::RecordingDialogs;
  std::vector<std::string> openFileNames(const FileRequest&) override { return names; }
  std::vector<std::string> names;
};

struct Loading {
  Requests requests;
  std::ostringstream echo;
  SessionState state;
  Database db = builtInDatabase();

  DataLoadResult library(const std::string& script) {
    requests = {};
    RecordingDialogs dialogs(script, echo, requests);
    return askAndLoadLibrary(dialogs, db, state);
  }
  DataLoadResult sets(std::vector<std::string> names) {
    requests = {};
    ManyFileDialogs dialogs("", echo, requests);
    dialogs.names = std::move(names);
    return askAndLoadDataSets(dialogs, db, Language::English);
  }
};

TEST(UserDataLoading, ALibraryThenSetsThenAReplacementThatNamesTheSetsGoing) {
  TempDir dir;
  Loading run;
  run.state.InterfaceLanguage = Language::English;
  EXPECT_TRUE(run.library("file " + example("benzene-cyclohexane.json") + "\n").LibraryLoaded);
  ASSERT_EQ(run.db.ComponentBase.size(), 6u);
  EXPECT_TRUE(run.requests.Messages.empty());  // nothing to replace: no question

  const DataLoadResult sets =
      run.sets({example("benzene-cyclohexane-760.csv"), example("benzene-cyclohexane-500.csv")});
  EXPECT_EQ(sets.SetsLoaded, 2u);
  ASSERT_EQ(run.db.LoadedSets.size(), 2u);
  EXPECT_EQ(setsOfLibrary(run.db), (std::vector<std::size_t>{0, 1}));

  // A second library under another file name: the question names both sets; No keeps all.
  const std::string copy = dir.file("again.json");
  std::filesystem::copy_file(example("benzene-cyclohexane.json"), copy);
  EXPECT_FALSE(run.library("file " + copy + "\nno\n").LibraryLoaded);
  ASSERT_EQ(run.requests.Messages.size(), 1u);
  const std::string& question = run.requests.Messages[0].Text;
  EXPECT_EQ(run.requests.Messages[0].Buttons, MessageButtons::YesNo);
  EXPECT_NE(question.find("Replace the component library " + example("benzene-cyclohexane.json") +
                          " by " + copy + "?"),
            std::string::npos)
      << question;
  EXPECT_NE(question.find(example("benzene-cyclohexane-760.csv")), std::string::npos);
  EXPECT_NE(question.find(example("benzene-cyclohexane-500.csv")), std::string::npos);
  EXPECT_EQ(run.db.LoadedSets.size(), 2u);
  EXPECT_EQ(run.db.LibraryFile, example("benzene-cyclohexane.json"));

  // Yes: the new library, the sets of the old one gone.
  const DataLoadResult replaced = run.library("file " + copy + "\nyes\n");
  EXPECT_TRUE(replaced.LibraryLoaded);
  EXPECT_EQ(replaced.SetsRemoved, 2u);
  EXPECT_TRUE(run.db.LoadedSets.empty());
  EXPECT_EQ(run.db.LibraryFile, copy);
}

TEST(UserDataLoading, RefusedFilesAreSaidAndChangeNothing) {
  TempDir dir;
  Loading run;
  run.state.InterfaceLanguage = Language::English;
  ASSERT_TRUE(run.library("file " + example("benzene-cyclohexane.json") + "\n").LibraryLoaded);
  const std::string broken = dir.file("broken.json");
  std::ofstream(broken) << "{\"components\": [";
  // Refused before any question: the library and the sets stay.
  ASSERT_EQ(run.sets({example("benzene-cyclohexane-760.csv")}).SetsLoaded, 1u);
  EXPECT_FALSE(run.library("file " + broken + "\n").LibraryLoaded);
  ASSERT_EQ(run.requests.Messages.size(), 1u);
  EXPECT_EQ(run.requests.Messages[0].Kind, MessageKind::Error);
  EXPECT_NE(run.requests.Messages[0].Text.find(broken), std::string::npos);
  EXPECT_EQ(run.db.ComponentBase.size(), 6u);
  EXPECT_EQ(run.db.LoadedSets.size(), 1u);

  // Of three sets the bad middle one is said by name; the others are loaded.
  const std::string bad = dir.file("bad.csv");
  std::ofstream(bad) << "components,benzene,cyclohexane\nt_c,p_mmhg,x1,y1\n80,760,2,0.5\n";
  const DataLoadResult loaded = run.sets(
      {example("benzene-cyclohexane-500.csv"), bad, example("benzene-cyclohexane-760.csv")});
  EXPECT_EQ(loaded.SetsLoaded, 2u);
  ASSERT_EQ(run.requests.Messages.size(), 1u);
  EXPECT_NE(run.requests.Messages[0].Text.find(bad), std::string::npos)
      << run.requests.Messages[0].Text;
  EXPECT_EQ(run.db.LoadedSets.size(), 3u);

  // A cancelled file dialog changes nothing and asks nothing.
  EXPECT_FALSE(run.library("cancel\n").LibraryLoaded);
  EXPECT_TRUE(run.requests.Messages.empty());
  EXPECT_EQ(run.sets({}).SetsLoaded, 0u);
}

TEST(UserDataLoading, AReplacedLibraryForgetsAParameterSetOfItsComponentsAndSaysSo) {
  TempDir dir;
  Loading run;
  run.state.InterfaceLanguage = Language::English;
  ASSERT_TRUE(run.library("file " + example("benzene-cyclohexane.json") + "\n").LibraryLoaded);
  run.state.ParameterSet.ComponentCount = 2;
  run.state.ParameterSet.Components[0] = 5;
  run.state.ParameterSet.Components[1] = 6;
  reloadParameterSetMixture(run.state, run.db);  // as a session leaves it
  ASSERT_EQ(run.state.Components.Records[0], &run.db.ComponentBase[4]);
  const std::string copy = dir.file("again.json");
  std::filesystem::copy_file(example("benzene-cyclohexane.json"), copy);
  const DataLoadResult result = run.library("file " + copy + "\nyes\n");
  ASSERT_EQ(run.requests.Messages.size(), 1u);
  EXPECT_NE(run.requests.Messages[0].Text.find("parameter set of the last session"),
            std::string::npos);
  EXPECT_TRUE(result.ParameterSetForgotten);
  EXPECT_EQ(run.state.ParameterSet.ComponentCount, 0);
  EXPECT_EQ(run.state.Components.Records[0], nullptr);  // nothing points into the old records

  // A set of built-in components stays, its mixture taken from the new database.
  run.state.ParameterSet.ComponentCount = 2;
  run.state.ParameterSet.Components[0] = 1;
  run.state.ParameterSet.Components[1] = 2;
  const DataLoadResult again =
      run.library("file " + example("benzene-cyclohexane.json") + "\nyes\n");
  EXPECT_FALSE(again.ParameterSetForgotten);
  EXPECT_EQ(run.state.ParameterSet.ComponentCount, 2);
  EXPECT_EQ(run.state.Components.Records[0], &run.db.ComponentBase[0]);
}

TEST(UserData, RangesRemovalAndTheSetsOfALibrary) {
  Database db =
      loadUserData(example("benzene-cyclohexane.json"), {example("benzene-cyclohexane-500.csv")});
  ASSERT_EQ(db.LoadedSets.size(), 1u);
  // The file's own extremes (examples/benzene-cyclohexane-500.csv), to the digits written.
  const DataSetRange r = dataSetRange(db.LoadedSets[0]);
  EXPECT_NEAR(static_cast<double>(r.tMin), 63.368, 1e-9);
  EXPECT_NEAR(static_cast<double>(r.tMax), 65.589, 1e-9);
  EXPECT_NEAR(static_cast<double>(r.pMin), 500.0, 1e-9);
  EXPECT_NEAR(static_cast<double>(r.pMax), 500.0, 1e-9);
  EXPECT_TRUE(isLibraryComponent(db, 5));
  EXPECT_FALSE(isLibraryComponent(db, 4));
  EXPECT_FALSE(isLibraryComponent(db, 7));
  EXPECT_THROW(removeDataSet(db, 1), InputError);
  removeDataSet(db, 0);
  EXPECT_TRUE(db.LoadedSets.empty());
  EXPECT_TRUE(setsOfLibrary(db).empty());
}

}  // namespace
}  // namespace bubblix::session_test
