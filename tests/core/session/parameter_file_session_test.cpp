// Loading and saving parameter files in a session.

#include "core/session/parameter_file_dialogs.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/base/errors.h"
#include "core/data/properties.h"
#include "core/models/parameter_file.h"
#include "session_test_support.h"

namespace bubblix::session_test {
namespace {

TEST(ParameterFileSession, LoadingTakesTheSetAndItsMixtureInTheInterfaceLanguage) {
  TempDir dir;
  TParameterSet file;
  file.ModelCode = Model::UNIQUAC;
  file.ComponentCount = 2;
  file.Components = {3, 1, 0, 0};
  file.UNIQUACEnergy[0][1] = 0.25L;
  file.UNIQUACEnergy[1][0] = -0.125L;
  writeBytes(dir.file("q.dat"), encodeParameterFile(file));

  SessionState state;
  state.InterfaceLanguage = Language::Russian;
  state.ParameterSet.WilsonEnergy[0][1] = 7.0L;  // not held by a UNIQUAC file: kept
  Requests requests;
  std::ostringstream echo;
  RecordingDialogs dialogs("file " + dir.file("q.dat") + "\n", echo, requests);
  const std::optional<LoadedParameterFile> loaded =
      chooseAndLoadParameterFile(dialogs, state, builtInDatabase());
  ASSERT_TRUE(loaded);
  EXPECT_EQ(loaded->FileName, dir.file("q.dat"));
  EXPECT_EQ(loaded->MethodName, "UNIQUAC");
  EXPECT_EQ(loaded->BlockCount, 10);  // 2 + n + 2 per pair (1,1), (1,2), (2,2)
  ASSERT_EQ(requests.OpenFiles.size(), 1u);
  EXPECT_EQ(requests.OpenFiles[0].Caption, "Загрузка файла");
  EXPECT_EQ(requests.OpenFiles[0].Filter, "Файлы данных|*.dat");

  EXPECT_EQ(state.ParameterSet.ModelCode, Model::UNIQUAC);
  EXPECT_EQ(state.ParameterSet.Components, file.Components);
  EXPECT_EQ(state.ParameterSet.UNIQUACEnergy[0][1], 0.25L);
  EXPECT_EQ(state.ParameterSet.UNIQUACEnergy[1][0], -0.125L);
  EXPECT_EQ(state.ParameterSet.WilsonEnergy[0][1], 7.0L);
  // The mixture in file order: names in Russian, constants, r and q of each record.
  const Database& db = builtInDatabase();
  EXPECT_EQ(state.Components.ComponentNames[0], "комп.3");
  EXPECT_EQ(state.Components.ComponentNames[1], "комп.1");
  for (int i = 0; i < 2; ++i) {
    const TComponentRecord& record = db.ComponentBase[file.Components[i] - 1];
    Real r = 0, q = 0;
    std::array<Real, 10> X{};
    GroupSums(record.Groups, r, q, X);
    EXPECT_EQ(state.Components.r[i], r) << i;
    EXPECT_EQ(state.Components.q[i], q) << i;
    EXPECT_EQ(state.Components.MolarMasses[i], record.MolarMass) << i;
  }
}

TEST(ParameterFileSession, CancelAndUnreadableFilesLeaveTheStateAsItWas) {
  TempDir dir;
  SessionState state;
  state.InterfaceLanguage = Language::English;
  state.ParameterSet.ModelCode = Model::Wilson;
  state.ParameterSet.ComponentCount = 2;
  state.ParameterSet.Components = {1, 2, 0, 0};
  reloadParameterSetMixture(state, builtInDatabase());
  const TParameterSet set = state.ParameterSet;

  Requests requests;
  std::ostringstream echo;
  RecordingDialogs cancel("cancel\n", echo, requests);
  EXPECT_FALSE(chooseAndLoadParameterFile(cancel, state, builtInDatabase()));
  EXPECT_EQ(state.ParameterSet, set);

  // A file naming a component the database does not hold.
  std::vector<std::uint8_t> bytes = encodeParameterFile(set);
  bytes[2 * kParameterFileBlockSize + 2] = 9;  // the second component number
  writeBytes(dir.file("foreign.dat"), bytes);
  EXPECT_THROW(loadParameterFile(dir.file("foreign.dat"), state, builtInDatabase()), Error);
  EXPECT_EQ(state.ParameterSet, set);
  EXPECT_EQ(state.Components.ComponentNames[1], "comp.2");
}

TEST(ParameterFileSession, AFileThatCannotBeWrittenIsReportedAndTheSessionGoesOn) {
  TempDir dir;
  SessionRun run;
  const std::string path = (dir.path / "missing" / "folder" / "NRTL.dat").string();
  const SessionResult result = run.session("variant 1\ncomponents 1,2\nmodel NRTL\nyes\nfile " +
                                           path + "\nno\nvariant 1\ncancel\n");
  EXPECT_EQ(result.Outcome, SessionOutcome::Completed);
  EXPECT_TRUE(run.echo.str().starts_with("Error: File " + path + " cannot be written"))
      << run.echo.str();
  EXPECT_FALSE(std::filesystem::exists(path));
  // The fitted set is in place and the session went on to its heading and table.
  EXPECT_EQ(run.state.ParameterSet.ModelCode, Model::NRTL);
  EXPECT_GT(run.find("Equilibrium calculation method NRTL. The denotations:"), 0);
}

}  // namespace
}  // namespace bubblix::session_test
