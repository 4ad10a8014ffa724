// The user's own data on the command line: --library and --data on the commands, the data
// command, a fit of a library pair saved and checked by adequacy, and refused files.

#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>
#include <string>

#include "cli/cli_process.h"

namespace bubblix::cli_test {
namespace {

using nlohmann::json;

std::string example(const std::string& name) {
  return std::string(BUBBLIX_SOURCE_DIR) + "/examples/" + name;
}

const std::vector<std::string> kUserData = {"--library", example("benzene-cyclohexane.json"),
                                            "--data",    example("benzene-cyclohexane-760.csv"),
                                            "--data",    example("benzene-cyclohexane-500.csv")};

std::vector<std::string> with(std::vector<std::string> args,
                              const std::vector<std::string>& more = kUserData) {
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

TEST(DataCommand, SummarisesTheLibraryAndTheSets) {
  TempFolder folder;
  const ProcessResult run = runCli(with({"data", "--json"}), folder.path());
  ASSERT_EQ(run.Status, 0) << run.Err;
  const json result = json::parse(run.Out);
  ASSERT_EQ(result["components"].size(), 2u);
  EXPECT_EQ(result["components"][0]["number"], 5);
  EXPECT_EQ(result["components"][1]["name"], "cyclohexane");
  // Handbook normal boiling points 80.1 and 80.7 degC (within 0.1 K).
  EXPECT_NEAR(result["components"][0]["boiling_t_c"].get<double>(), 80.1, 0.1);
  EXPECT_NEAR(result["components"][1]["boiling_t_c"].get<double>(), 80.7, 0.1);
  ASSERT_EQ(result["sets"].size(), 2u);
  EXPECT_EQ(result["sets"][0]["points"], 21);
  EXPECT_EQ(result["sets"][1]["components"], json::parse("[6, 5]"));
  // The pure ends of the generated set meet the vapour pressures (rounding of t: 0.001 K,
  // about 0.003 %).
  for (const json& end : result["sets"][0]["ends"]) {
    EXPECT_LT(std::fabs(end["deviation_percent"].get<double>()), 0.01) << end.dump();
  }

  const ProcessResult lines = runCli(with({"data", "--lang", "ru"}), folder.path());
  ASSERT_EQ(lines.Status, 0) << lines.Err;
  EXPECT_NE(lines.Out.find("5: benzene (бензол)"), std::string::npos) << lines.Out;
}

TEST(DataCommand, ALibraryPairIsFittedSavedAndChecked) {
  TempFolder folder;
  const ProcessResult fit =
      runCli(with({"fit", "--model", "nrtl", "--components", "5,6", "--save", "BC.dat", "--json"}),
             folder.path());
  ASSERT_EQ(fit.Status, 0) << fit.Err;
  const json result = json::parse(fit.Out);
  EXPECT_EQ(result["components"], json::parse("[5, 6]"));
  // Generated from NRTL a12 = 0.45, a21 = 0.20, alpha = 0.3 (docs/data-sets.md); the fit of
  // the rounded points ends within 0.05 of them and follows y within 1e-4.
  const json& params = result["pairs"][0]["params"];
  EXPECT_NEAR(params[0].get<double>(), 0.45, 0.05);
  EXPECT_NEAR(params[1].get<double>(), 0.20, 0.05);
  EXPECT_LT(result["pairs"][0]["rms"].get<double>(), 1e-4);

  const ProcessResult adequacy =
      runCli(with({"adequacy", "--params", "BC.dat", "--json"}), folder.path());
  ASSERT_EQ(adequacy.Status, 0) << adequacy.Err;
  const json table = json::parse(adequacy.Out);
  EXPECT_EQ(table["rows"].size(), 26u) << adequacy.Out;

  // Without the library the file's components are unknown; with another one they differ.
  const ProcessResult bare = runCli({"adequacy", "--params", "BC.dat"}, folder.path());
  EXPECT_EQ(bare.Status, 1);
  EXPECT_NE(bare.Err.find("Datafile BC.dat names the component \"benzene\", which the loaded "
                          "component library does not hold"),
            std::string::npos)
      << bare.Err;
  writeFile(
      folder.path() / "other.json",
      readFile(example("benzene-cyclohexane.json"))
          .replace(readFile(example("benzene-cyclohexane.json")).find("78.114"), 6, "78.115"));
  const ProcessResult other =
      runCli({"solve", "--params", "BC.dat", "--library", "other.json", "--task", "T", "--phase",
              "liquid", "--value", "760", "--composition", "50"},
             folder.path());
  EXPECT_EQ(other.Status, 1);
  EXPECT_NE(other.Err.find("\"benzene\" of the file differs from the library's in \"molar_mass\""),
            std::string::npos)
      << other.Err;
  const ProcessResult solve =
      runCli(with({"solve", "--params", "BC.dat", "--task", "T", "--phase", "liquid", "--value",
                   "760", "--composition", "50", "--json"}),
             folder.path());
  ASSERT_EQ(solve.Status, 0) << solve.Err;
}

TEST(DataCommand, AzeotropeIsReportedAtTheConditionOfEachLoadedSet) {
  TempFolder folder;
  ASSERT_EQ(runCli(with({"fit", "--model", "nrtl", "--components", "5,6", "--save", "BC.dat"}),
                   folder.path())
                .Status,
            0);
  const ProcessResult run =
      runCli(with({"azeotrope", "--params", "BC.dat", "--json"}), folder.path());
  ASSERT_EQ(run.Status, 0) << run.Err;
  const json result = json::parse(run.Out);
  ASSERT_TRUE(result["data_sets"].is_array()) << run.Out;
  ASSERT_EQ(result["data_sets"].size(), 2u);
  const json& at760 = result["data_sets"][0];
  const json& at500 = result["data_sets"][1];
  EXPECT_EQ(at760["kind"], "isobaric");
  EXPECT_NEAR(at760["p_mmhg"].get<double>(), 760.0, 1e-9);
  EXPECT_NEAR(at500["p_mmhg"].get<double>(), 500.0, 1e-9);
  // The sets' pressures differ, so the pair's own analysis is at 760 mm Hg: the same as the
  // 760 set's (an identity).
  EXPECT_EQ(at760["azeotrope"], result["azeotrope"]);
  ASSERT_TRUE(at500["azeotrope"].is_object()) << run.Out;
  EXPECT_NEAR(at500["azeotrope"]["p_mmhg"].get<double>(), 500.0, 1e-6);
  EXPECT_LT(at500["azeotrope"]["t_c"].get<double>(), at760["azeotrope"]["t_c"].get<double>());

  // The report lines: the 500 mm Hg set under its own heading, the 760 one not twice.
  const ProcessResult lines = runCli(with({"azeotrope", "--params", "BC.dat"}), folder.path());
  ASSERT_EQ(lines.Status, 0) << lines.Err;
  EXPECT_NE(lines.Out.find("benzene-cyclohexane-500.csv, at P = 500.00 mm Hg:\nAzeotrope at t = "),
            std::string::npos)
      << lines.Out;
  EXPECT_EQ(lines.Out.find("benzene-cyclohexane-760.csv"), std::string::npos) << lines.Out;

  // Without loaded sets of the pair, no data_sets.
  const ProcessResult plain = runCli({"azeotrope", "--params", "BC.dat", "--json", "--library",
                                      example("benzene-cyclohexane.json")},
                                     folder.path());
  ASSERT_EQ(plain.Status, 0) << plain.Err;
  EXPECT_FALSE(json::parse(plain.Out).contains("data_sets"));
}

TEST(DataCommand, AFitOfAPairWithoutBuiltInStartValuesSaysWhereItStarted) {
  TempFolder folder;
  const ProcessResult run =
      runCli({"fit", "--model", "wilson", "--components", "5,6", "--json", "--library",
              example("ethanol-hexane.json"), "--data", example("ethanol-hexane-760.csv")},
             folder.path());
  ASSERT_EQ(run.Status, 0) << run.Err;
  const json result = json::parse(run.Out);
  const json& pair = result["pairs"][0];
  EXPECT_EQ(pair["start"]["source"], "unifac");
  ASSERT_EQ(pair["start"]["values"].size(), 2u);
  // Generated from Wilson a12 = 4.09, a21 = 0.46 (docs/data-sets.md): the fit returns within
  // 1e-3, the gradient method's tolerance on the rounded points.
  EXPECT_NEAR(pair["params"][0].get<double>(), 4.09, 1e-3);
  EXPECT_NEAR(pair["params"][1].get<double>(), 0.46, 1e-3);

  const ProcessResult fixed =
      runCli(with({"fit", "--model", "nrtl", "--components", "5,6", "--json"}), folder.path());
  ASSERT_EQ(fixed.Status, 0) << fixed.Err;
  EXPECT_EQ(json::parse(fixed.Out)["pairs"][0]["start"]["source"], "fixed");
  const ProcessResult builtIn =
      runCli({"fit", "--model", "wilson", "--components", "1,2", "--json"}, folder.path());
  ASSERT_EQ(builtIn.Status, 0) << builtIn.Err;
  EXPECT_FALSE(json::parse(builtIn.Out)["pairs"][0].contains("start"));
}

TEST(DataCommand, BadFilesNameWhatAndWhereAndLoadNothing) {
  TempFolder folder;
  writeFile(folder.path() / "bad.csv",
            "components,benzene,cyclohexane\nt_c,p_mmhg,x1,y1\n80,760,0.5,0.5\n80,760,x,0.5\n");
  const ProcessResult set =
      runCli({"data", "--library", example("benzene-cyclohexane.json"), "--data", "bad.csv"},
             folder.path());
  EXPECT_EQ(set.Status, 1);
  EXPECT_NE(set.Err.find("Data set bad.csv, line 4, column 3 (x1): \"x\" is not a finite number"),
            std::string::npos)
      << set.Err;
  EXPECT_TRUE(set.Out.empty());

  writeFile(folder.path() / "bad.json", "{\"components\": [{\"name\": \"a\", \"mass\": 1}]}");
  const ProcessResult library = runCli(
      {"fit", "--model", "nrtl", "--components", "5,6", "--library", "bad.json"}, folder.path());
  EXPECT_EQ(library.Status, 1);
  EXPECT_NE(library.Err.find("Component library bad.json, component 1 (a): unknown key \"mass\""),
            std::string::npos)
      << library.Err;

  // A library pair without data cannot be fitted from the command line.
  const ProcessResult nodata = runCli({"fit", "--model", "nrtl", "--components", "5,6", "--library",
                                       example("benzene-cyclohexane.json")},
                                      folder.path());
  EXPECT_EQ(nodata.Status, 1) << nodata.Out;
  // Five components are no mixture; a number beyond the library is no component.
  const ProcessResult five =
      runCli(with({"fit", "--model", "nrtl", "--components", "1,2,3,5,6"}), folder.path());
  EXPECT_EQ(five.Status, 2);
  EXPECT_NE(five.Err.find("a mixture has 2 to 4 components, 5 given"), std::string::npos)
      << five.Err;
  const ProcessResult seven =
      runCli(with({"fit", "--model", "nrtl", "--components", "5,7"}), folder.path());
  EXPECT_EQ(seven.Status, 2);
  EXPECT_NE(seven.Err.find("\"7\" is not a component number (1 to 6)"), std::string::npos)
      << seven.Err;
}

TEST(DataCommand, ConsistencyTestsALoadedSetLikeABuiltInOne) {
  TempFolder folder;
  const ProcessResult run = runCli(
      {"consistency", "--components", "5,6", "--json", "--library",
       example("benzene-cyclohexane.json"), "--data", example("benzene-cyclohexane-760.csv")},
      folder.path());
  ASSERT_EQ(run.Status, 0) << run.Err;
  const json result = json::parse(run.Out);
  EXPECT_EQ(result["components"], json::parse("[5, 6]"));
  EXPECT_EQ(result["kind"], "isobaric");
  EXPECT_EQ(result["points"], 21);
  // Points generated by a model satisfy the Gibbs-Duhem equation: the area test passes.
  EXPECT_EQ(result["herington"]["verdict"], "consistent") << run.Out;

  // A loaded copy of a built-in set (comp.3-comp.1 as stored, docs/data-sets.md) gives the
  // built-in result, the same JSON to the last digit.
  writeFile(folder.path() / "copy.csv",
            "components,3,1\nt_c,p_mmhg,x1,y1\n"
            "78.3,760,0,0\n"
            "76.6,760,0.134,0.183\n"
            "75,760,0.242,0.326\n"
            "73.6,760,0.32,0.428\n"
            "72.3,760,0.401,0.529\n"
            "71.7,760,0.435,0.566\n"
            "70,760,0.542,0.676\n"
            "68.6,760,0.652,0.759\n"
            "67.7,760,0.728,0.813\n"
            "66.9,760,0.79,0.858\n"
            "66.6,760,0.814,0.875\n"
            "65.8,760,0.873,0.919\n"
            "65.6,760,0.91,0.937\n"
            "64.6,760,1,1\n");
  const ProcessResult builtIn =
      runCli({"consistency", "--components", "1,3", "--json"}, folder.path());
  const ProcessResult copy =
      runCli({"consistency", "--components", "1,3", "--json", "--data", "copy.csv"}, folder.path());
  ASSERT_EQ(copy.Status, 0) << copy.Err;
  EXPECT_EQ(copy.Out, builtIn.Out);
}

TEST(DataCommand, AnswerScriptsTickLibraryComponentsByName) {
  TempFolder folder;
  writeFile(folder.path() / "answers.txt",
            "variant 1\ncomponents benzene,cyclohexane\nmodel Wilson\nno\nyes\nvariant 1\n"
            "cancel\n");
  const ProcessResult run = runCli(with({"session", "--answers", "answers.txt"}), folder.path());
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_NE(run.Out.find("benzene-cyclohexane"), std::string::npos) << run.Out;
}

}  // namespace
}  // namespace bubblix::cli_test
