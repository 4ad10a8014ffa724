// bubblix-cli fit: JSON and report output, the pair order, saving, UNIFAC's questions, the
// slow-convergence question and refused options.

#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>

#include "cli/cli_process.h"

namespace bubblix::cli_test {
namespace {

using nlohmann::json;

// kJ/mol per reduced energy unit: R * 273.15 K = 8.3144 * 0.27315 (docs/parameter-file.md).
constexpr double kKJPerMolPerReduced = 2.27107836;

TEST(FitCommand, NrtlJsonHoldsTheFittedPair) {
  TempFolder folder;
  const ProcessResult run =
      runCli({"fit", "--model", "NRTL", "--components", "2,1", "--json"}, folder.path());
  ASSERT_EQ(run.Status, 0) << run.Err;
  const json result = json::parse(run.Out);
  EXPECT_EQ(result["model"], "NRTL");
  EXPECT_EQ(result["components"], json::parse("[1, 2]"));
  EXPECT_TRUE(result["saved"].is_null());
  ASSERT_EQ(result["pairs"].size(), 1u);
  const json& pair = result["pairs"][0];
  EXPECT_EQ(pair["i"], 1);
  EXPECT_EQ(pair["j"], 2);
  EXPECT_EQ(pair["labels"], json::parse(R"(["g12-g22", "g21-g11", "alp12"])"));
  ASSERT_EQ(pair["params"].size(), 3u);
  ASSERT_EQ(pair["display"].size(), 3u);
  // Energies are shown in kJ/mol, alpha as it is stored (relative 1e-15: double rounding).
  for (int k = 0; k < 2; ++k) {
    const double reduced = pair["params"][k].get<double>();
    EXPECT_NEAR(pair["display"][k].get<double>(), reduced * kKJPerMolPerReduced,
                1e-15 * std::fabs(reduced * kKJPerMolPerReduced));
  }
  EXPECT_EQ(pair["display"][2].get<double>(), pair["params"][2].get<double>());
  // The fit follows measured vapour compositions to better than 0.05 mole fraction.
  EXPECT_GT(pair["rms"].get<double>(), 0.0);
  EXPECT_LT(pair["rms"].get<double>(), 0.05);
  EXPECT_GT(pair["iterations"].get<int>(), 0);
}

TEST(FitCommand, FourComponentsGiveSixPairsInOrder) {
  TempFolder folder;
  const ProcessResult run =
      runCli({"fit", "--model", "wilson", "--components", "4,3,2,1", "--json"}, folder.path());
  ASSERT_EQ(run.Status, 0) << run.Err;
  const json result = json::parse(run.Out);
  EXPECT_EQ(result["model"], "Wilson");
  EXPECT_EQ(result["components"], json::parse("[1, 2, 3, 4]"));
  const int expected[6][2] = {{1, 2}, {1, 3}, {1, 4}, {2, 3}, {2, 4}, {3, 4}};
  ASSERT_EQ(result["pairs"].size(), 6u);
  for (int k = 0; k < 6; ++k) {
    EXPECT_EQ(result["pairs"][k]["i"], expected[k][0]);
    EXPECT_EQ(result["pairs"][k]["j"], expected[k][1]);
    EXPECT_EQ(result["pairs"][k]["labels"], json::parse(R"(["l12-l11", "l21-l22"])"));
    for (const json& value : result["pairs"][k]["params"])
      EXPECT_TRUE(value.is_number());
  }
}

TEST(FitCommand, ReportAndSavedFile) {
  TempFolder folder;
  const ProcessResult run =
      runCli({"fit", "--model", "uniquac", "--components", "1,2", "--save", "pair"}, folder.path());
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_NE(run.Out.find(" Calculation of power parameters of intermolecular"), std::string::npos);
  EXPECT_NE(run.Out.find("component comp.1-comp.2 of model UNIQUAC and root-mean-square error"),
            std::string::npos);
  EXPECT_NE(run.Out.find("  u12-u22 = "), std::string::npos);
  // The save dialog's extension is added; a parameter file is made of 16-byte blocks.
  const auto size = std::filesystem::file_size(folder.path() / "pair.dat");
  EXPECT_GT(size, 0u);
  EXPECT_EQ(size % 16, 0u);
}

TEST(FitCommand, UnifacLiteratureValuesFitNothing) {
  TempFolder folder;
  const ProcessResult run = runCli(
      {"fit", "--model", "unifac", "--components", "1,2", "--literature", "--json"}, folder.path());
  ASSERT_EQ(run.Status, 0) << run.Err;
  const json result = json::parse(run.Out);
  EXPECT_EQ(result["model"], "UNIFAC");
  EXPECT_EQ(result["unifac_variant"], 1);
  EXPECT_EQ(result["literature"], true);
  EXPECT_TRUE(result["pairs"].empty());
}

TEST(FitCommand, UnifacVariant2LabelsSubgroupsInKelvin) {
  TempFolder folder;
  const ProcessResult run =
      runCli({"fit", "--model", "unifac", "--unifac-variant", "2", "--components", "1,2", "--json"},
             folder.path());
  ASSERT_EQ(run.Status, 0) << run.Err;
  const json result = json::parse(run.Out);
  EXPECT_EQ(result["unifac_variant"], 2);
  ASSERT_EQ(result["pairs"].size(), 1u);
  const json& pair = result["pairs"][0];
  ASSERT_FALSE(pair["labels"].empty());
  EXPECT_EQ(pair["labels"][0].get<std::string>().rfind("a[", 0), 0u);
  // Group parameters are shown in K: a * 273.15 (relative 1e-15).
  for (std::size_t k = 0; k < pair["params"].size(); ++k) {
    const double kelvin = pair["params"][k].get<double>() * 273.15;
    EXPECT_NEAR(pair["display"][k].get<double>(), kelvin, 1e-15 * std::fabs(kelvin) + 1e-300);
  }
}

TEST(FitCommand, SlowConvergenceIsRetriedThenAborted) {
  TempFolder folder;
  // UNIQUAC on comp.1-comp.2 needs several hundred iterations: with the question after every
  // 50 and no retry the fit stops at the first question.
  const ProcessResult stopped = runCli({"fit", "--model", "uniquac", "--components", "1,2",
                                        "--iteration-limit", "50", "--max-retries", "2"},
                                       folder.path());
  EXPECT_EQ(stopped.Status, 1);
  EXPECT_NE(stopped.Err.find("(1 of 2 retries"), std::string::npos) << stopped.Err;
  EXPECT_NE(stopped.Err.find("(2 of 2 retries"), std::string::npos);
  EXPECT_NE(stopped.Err.find("still converged slowly after 2 retries"), std::string::npos);
  // The report so far is printed: the pair's heading.
  EXPECT_NE(stopped.Out.find("of model UNIQUAC"), std::string::npos);

  // Enough retries let the same fit end normally.
  const ProcessResult finished =
      runCli({"fit", "--model", "uniquac", "--components", "1,2", "--iteration-limit", "50",
              "--max-retries", "1000", "--json"},
             folder.path());
  ASSERT_EQ(finished.Status, 0) << finished.Err;
  EXPECT_NE(finished.Err.find("(1 of 1000 retries"), std::string::npos);
  EXPECT_GT(json::parse(finished.Out)["pairs"][0]["iterations"].get<int>(), 0);
}

TEST(FitCommand, RefusedOptions) {
  TempFolder folder;
  struct Case {
    std::vector<std::string> Args;
    std::string Message;
  };
  const Case cases[] = {
      {{"--model", "margules", "--components", "1,2"}, "margules"},
      {{"--model", "nrtl", "--components", "1,5"}, "\"5\" is not a component number"},
      {{"--model", "nrtl", "--components", "1,x"}, "\"x\" is not a component number"},
      {{"--model", "nrtl", "--components", "1,,2"}, "\"\" is not a component number"},
      {{"--model", "nrtl", "--components", "2,2"}, "component 2 is given twice"},
      {{"--model", "nrtl", "--components", "3"}, "2 to 4 components, 1 given"},
      {{"--model", "nrtl", "--components", "1,2", "--literature"}, "--literature"},
      {{"--model", "unifac", "--unifac-variant", "2", "--components", "1,2", "--literature"},
       "--literature"},
      {{"--model", "wilson", "--unifac-variant", "2", "--components", "1,2"},
       "--unifac-variant applies to --model unifac only"},
      {{"--model", "unifac", "--unifac-variant", "3", "--components", "1,2"}, "--unifac-variant"},
      {{"--model", "nrtl", "--components", "1,2", "--max-retries", "-1"}, "--max-retries"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args{"fit"};
    args.insert(args.end(), c.Args.begin(), c.Args.end());
    const ProcessResult run = runCli(args, folder.path());
    EXPECT_EQ(run.Status, 2) << c.Message;
    EXPECT_NE(run.Err.find(c.Message), std::string::npos) << run.Err;
    EXPECT_EQ(run.Out, "");
  }
}

TEST(FitCommand, ParameterFileThatCannotBeWritten) {
  TempFolder folder;
  std::filesystem::create_directory(folder.path() / "taken.dat");
  const ProcessResult run = runCli(
      {"fit", "--model", "wilson", "--components", "1,2", "--save", "taken.dat"}, folder.path());
  EXPECT_EQ(run.Status, 1);
  EXPECT_NE(run.Err.find("The parameter file taken.dat was not written"), std::string::npos)
      << run.Err;
  EXPECT_NE(run.Out.find("  l12-l11 = "), std::string::npos);
}

}  // namespace
}  // namespace bubblix::cli_test
