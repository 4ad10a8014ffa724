// bubblix-cli consistency: the JSON document, the order of the components and the refusals of
// the command line. The numbers themselves are tested in tests/core/analysis.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/cli_process.h"

namespace bubblix::cli_test {
namespace {

using nlohmann::json;

class ConsistencyCommand : public testing::Test {
 protected:
  ProcessResult cli(const std::vector<std::string>& args) { return runCli(args, folder_.path()); }

 private:
  TempFolder folder_;
};

// D and J of scripts/consistency_reference.py (comp.1-comp.3: 98.05 and 6.08); the point test's
// verdict follows its mean |dy1| = 0.0135. Reversing the pair swaps ln(gamma1/gamma2) in sign
// and so leaves D, J and the end points' differences as they are.
TEST_F(ConsistencyCommand, JsonOfAnInconsistentPairInEitherOrder) {
  for (const std::string pair : {"1,3", "3,1"}) {
    SCOPED_TRACE(pair);
    const ProcessResult run = cli({"consistency", "--components", pair, "--json"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    const json result = json::parse(run.Out);
    EXPECT_EQ(result["components"][0].get<int>(), pair == "1,3" ? 1 : 3);
    EXPECT_EQ(result["kind"], "isobaric");
    EXPECT_EQ(result["points"], 14);
    EXPECT_EQ(result["points_used"], 12);
    const json& herington = result["herington"];
    EXPECT_NEAR(herington["D"].get<double>(), 98.0519, 1e-3);
    EXPECT_NEAR(herington["J"].get<double>(), 6.0844, 1e-3);
    EXPECT_EQ(herington["verdict"], "inconsistent");
    const json& point = result["point_test"];
    EXPECT_EQ(point["m"], 3);
    EXPECT_EQ(point["coefficients"].size(), 3u);
    EXPECT_NEAR(point["mean_abs_dy"].get<double>(), 0.01354, 1e-4);
    EXPECT_TRUE(point.contains("mean_abs_dt"));
    EXPECT_EQ(point["verdict"], "inconsistent");
    ASSERT_EQ(result["end_points"].size(), 2u);
    for (const json& end : result["end_points"]) {
      EXPECT_NEAR(end["difference"].get<double>(),
                  end["t_c"].get<double>() - end["t_c_pure"].get<double>(), 1e-12);
    }
    EXPECT_TRUE(result["warnings"].empty());
  }
}

// The two-liquid set gets its warning and both verdicts say the tests do not apply; m = 5 terms
// are fitted.
TEST_F(ConsistencyCommand, TwoLiquidSetAndMoreTerms) {
  const ProcessResult run = cli({"consistency", "--components", "2,4", "--m", "5", "--json"});
  ASSERT_EQ(run.Status, 0) << run.Err;
  const json result = json::parse(run.Out);
  EXPECT_EQ(result["herington"]["verdict"], "not_valid_two_liquids");
  EXPECT_EQ(result["point_test"]["verdict"], "not_valid_two_liquids");
  EXPECT_EQ(result["point_test"]["coefficients"].size(), 5u);
  bool twoLiquids = false;
  for (const json& w : result["warnings"])
    twoLiquids = twoLiquids || w.get<std::string>().find("two liquid") != std::string::npos;
  EXPECT_TRUE(twoLiquids);
}

TEST_F(ConsistencyCommand, RefusesWhatIsNotAPairOrASeries) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"consistency", "--components", "1,2,3"},
        {"consistency", "--components", "1,1"},
        {"consistency", "--components", "1,5"},
        {"consistency", "--components", "1,2", "--m", "6"},
        {"consistency"}}) {
    const ProcessResult run = cli(args);
    EXPECT_EQ(run.Status, 2) << args.back();
    EXPECT_FALSE(run.Err.empty());
  }
  const ProcessResult three = cli({"consistency", "--components", "1,2,3"});
  EXPECT_NE(three.Err.find("two components"), std::string::npos) << three.Err;
}

}  // namespace
}  // namespace bubblix::cli_test
