// bubblix-cli fit with --objective, --sigma, --fix and --bound: the default report unchanged,
// the objective's report block and JSON fields (bubble and ml), and the refused option values.

#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>

#include "cli/cli_process.h"

namespace bubblix::cli_test {
namespace {

using nlohmann::json;

TEST(FitObjective, DefaultReportUnchangedAndBubbleAddsItsBlock) {
  TempFolder folder;
  const ProcessResult plain =
      runCli({"fit", "--model", "wilson", "--components", "1,2"}, folder.path());
  const ProcessResult y1 = runCli(
      {"fit", "--model", "wilson", "--components", "1,2", "--objective", "y1"}, folder.path());
  ASSERT_EQ(plain.Status, 0) << plain.Err;
  // --objective y1 is the default, byte for byte.
  EXPECT_EQ(y1.Out, plain.Out);
  EXPECT_EQ(plain.Out.find("Objective"), std::string::npos);

  const ProcessResult bubble = runCli(
      {"fit", "--model", "wilson", "--components", "1,2", "--objective", "bubble"}, folder.path());
  ASSERT_EQ(bubble.Status, 0) << bubble.Err;
  const std::size_t result = bubble.Out.find("l12-l11 =");
  const std::size_t summary = bubble.Out.find("Objective bubble:");
  ASSERT_NE(result, std::string::npos);
  ASSERT_NE(summary, std::string::npos);
  EXPECT_LT(result, summary);  // after the result line
  for (const char* part : {"95% interval", "Correlation matrix:", "RMS of the bubble points",
                           "Levenberg-Marquardt iteration"}) {
    EXPECT_NE(bubble.Out.find(part), std::string::npos) << part;
  }
  const ProcessResult russian = runCli(
      {"fit", "--model", "wilson", "--components", "1,2", "--objective", "bubble", "--lang", "ru"},
      folder.path());
  ASSERT_EQ(russian.Status, 0) << russian.Err;
  EXPECT_NE(russian.Out.find("Матрица корреляции:"), std::string::npos);
}

TEST(FitObjective, JsonFieldsOfBubbleWithFixedAlpha) {
  TempFolder folder;
  const ProcessResult run =
      runCli({"fit", "--model", "nrtl", "--components", "1,2", "--objective", "bubble", "--fix",
              "alp12=0.3", "--sigma", "t=0.2,y=0.005", "--json"},
             folder.path());
  ASSERT_EQ(run.Status, 0) << run.Err;
  const json pair = json::parse(run.Out)["pairs"][0];
  EXPECT_EQ(pair["objective"], "bubble");
  EXPECT_EQ(pair["display"][2].get<double>(), 0.3);
  EXPECT_TRUE(pair["std_errors"][2].is_null());
  EXPECT_TRUE(pair["ci95"][2].is_null());
  // The points of comp.1-comp.2 and their residuals: one temperature each, one y1 inside.
  ASSERT_EQ(pair["points"].size(), 52u);
  int residuals = 0;
  for (const json& point : pair["points"])
    residuals += static_cast<int>(point["residuals"].size());
  EXPECT_EQ(pair["dof"].get<int>(), residuals - 2);
  EXPECT_TRUE(pair["rms_p_mmhg"].is_null());
  EXPECT_GT(pair["rms_t_c"].get<double>(), 0.0);
  // Each free energy's interval holds it, in both units; display = reduced * 2.27107836.
  for (int k = 0; k < 2; ++k) {
    const double value = pair["params"][k].get<double>();
    const json& ci = pair["ci95"][k];
    EXPECT_LT(ci[0].get<double>(), value);
    EXPECT_GT(ci[1].get<double>(), value);
    EXPECT_NEAR(pair["display_ci95"][k][1].get<double>(), ci[1].get<double>() * 2.27107836,
                1e-12 * std::fabs(ci[1].get<double>() * 2.27107836));
  }
  EXPECT_NEAR(pair["correlation"][0][0].get<double>(), 1.0, 1e-12);
}

TEST(FitObjective, MaximumLikelihoodReportAndJson) {
  TempFolder folder;
  const ProcessResult run =
      runCli({"fit", "--model", "wilson", "--components", "1,2", "--objective", "ml", "--json"},
             folder.path());
  ASSERT_EQ(run.Status, 0) << run.Err;
  const json pair = json::parse(run.Out)["pairs"][0];
  EXPECT_EQ(pair["objective"], "ml");
  EXPECT_EQ(pair["intervals_covariance"], "scaled");
  // 52 points, 2 of them pure components: 50 x 4 + 2 x 2 residuals, 50 x 2 + 2 true values.
  ASSERT_EQ(pair["points"].size(), 52u);
  int residuals = 0;
  int interior = 0;
  for (const json& point : pair["points"]) {
    residuals += static_cast<int>(point["residuals"].size());
    const double x1 = point["x1"].get<double>();
    ASSERT_TRUE(point["x1_calc"].is_number());
    ASSERT_TRUE(point["t_calc_c"].is_number() && point["p_calc_mmhg"].is_number());
    if (x1 > 0.0 && x1 < 1.0) {
      ++interior;
    } else {
      EXPECT_EQ(point["x1_calc"].get<double>(), x1);  // a pure component keeps x1
    }
  }
  EXPECT_EQ(pair["point_unknowns"].get<int>(), 2 * interior + (52 - interior));
  EXPECT_EQ(pair["dof"].get<int>(), residuals - pair["point_unknowns"].get<int>() - 2);
  EXPECT_TRUE(pair["rms_x1"].is_number());
  EXPECT_TRUE(pair["rms_t_c"].is_number() && pair["rms_p_mmhg"].is_number());
  // The s^2 = 1 errors are those of the scaled covariance over sqrt(chi2 / nu); the normal
  // quantile 1.96 makes their intervals. Tolerance: the JSON's 17 digits.
  const double ratio = pair["chi2"].get<double>() / pair["dof"].get<double>();
  for (int k = 0; k < 2; ++k) {
    const double scaled = pair["std_errors"][k].get<double>();
    const double known = pair["std_errors_known_sigma"][k].get<double>();
    EXPECT_NEAR(known * std::sqrt(ratio), scaled, 1e-12 * scaled);
    const json& ci = pair["ci95_known_sigma"][k];
    EXPECT_NEAR(ci[1].get<double>() - ci[0].get<double>(), 2.0 * 1.959963984540054 * known,
                1e-12 * known);
  }

  // The report: the ml line, the known-sigma errors, the adjustments, the true x1 column; the
  // Russian report has them too.
  const ProcessResult report = runCli(
      {"fit", "--model", "wilson", "--components", "1,2", "--objective", "ml"}, folder.path());
  ASSERT_EQ(report.Status, 0) << report.Err;
  for (const char* part :
       {"Objective ml:", "Maximum likelihood with errors in t, P, x1 and y1:  102 true values",
        "the intervals use the covariance scaled by chi2/nu", "With s^2 = 1",
        "RMS of the adjustments to the true values:", "x1 true"}) {
    EXPECT_NE(report.Out.find(part), std::string::npos) << part;
  }
  const ProcessResult russian = runCli(
      {"fit", "--model", "wilson", "--components", "1,2", "--objective", "ml", "--lang", "ru"},
      folder.path());
  ASSERT_EQ(russian.Status, 0) << russian.Err;
  EXPECT_NE(russian.Out.find("Метод максимального правдоподобия"), std::string::npos);

  // The session takes the same options.
  const ProcessResult session =
      runCli({"session", "--answers", std::string(BUBBLIX_SOURCE_DIR) + "/examples/nrtl-binary.txt",
              "--objective", "ml"},
             folder.path());
  ASSERT_EQ(session.Status, 0) << session.Err;
  EXPECT_NE(session.Out.find("Objective ml:"), std::string::npos);
}

TEST(FitObjective, RefusedValues) {
  TempFolder folder;
  struct Case {
    std::vector<std::string> Args;
    std::string Message;
  };
  const Case cases[] = {
      {{"--objective", "chi"}, "is not an objective"},
      {{"--objective", "bubble", "--fix", "g12-g22=1"}, "names no parameter of the model"},
      {{"--objective", "bubble", "--fix", "l12-l11"}, "is not NAME=VALUE"},
      {{"--objective", "bubble", "--bound", "l12-l11=2:1"}, "LO <= HI"},
      {{"--objective", "bubble", "--bound", "1-7:l12-l11=1:2"}, "names a pair"},
      {{"--objective", "bubble", "--sigma", "t=-1"}, "--sigma"},
      {{"--objective", "bubble", "--sigma", "q=1"}, "--sigma"},
      {{"--objective", "ml", "--sigma", "x=0"}, "--sigma"},
      {{"--objective", "ml", "--bound", "l12-l11=3"}, "is not NAME=LO:HI"},
      {{"--fix", "l12-l11=1"}, "y1 takes no --fix"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args{"fit", "--model", "wilson", "--components", "1,2"};
    args.insert(args.end(), c.Args.begin(), c.Args.end());
    const ProcessResult run = runCli(args, folder.path());
    EXPECT_EQ(run.Status, 2) << c.Message;
    EXPECT_NE(run.Err.find(c.Message), std::string::npos) << run.Err;
  }
  // A group label that no fitted pair has.
  const ProcessResult unifac = runCli({"fit", "--model", "unifac", "--components", "1,3",
                                       "--objective", "bubble", "--fix", "a0[9,9]=1", "--json"},
                                      folder.path());
  EXPECT_EQ(unifac.Status, 2);
  EXPECT_NE(unifac.Err.find("names no parameter of a fitted pair"), std::string::npos)
      << unifac.Err;
}

}  // namespace
}  // namespace bubblix::cli_test
