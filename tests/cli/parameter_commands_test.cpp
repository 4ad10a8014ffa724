// bubblix-cli adequacy, solve, gamma and azeotrope on parameter files written by
// `bubblix-cli fit --save`.

#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>
#include <regex>

#include "cli/cli_process.h"

namespace bubblix::cli_test {
namespace {

using nlohmann::json;

class ParameterCommands : public testing::Test {
 protected:
  // A parameter file fitted to the built-in data, in the test's folder.
  std::string fitted(const std::string& model, const std::string& components) {
    const std::string name = model + "-" + components + ".dat";
    const ProcessResult run = runCli(
        {"fit", "--model", model, "--components", components, "--save", name}, folder_.path());
    EXPECT_EQ(run.Status, 0) << run.Err;
    return name;
  }
  ProcessResult cli(const std::vector<std::string>& args) { return runCli(args, folder_.path()); }
  const std::filesystem::path& folder() const { return folder_.path(); }

 private:
  TempFolder folder_;
};

// ---- adequacy ----

TEST_F(ParameterCommands, AdequacyJsonRowsAndErrors) {
  const std::string file = fitted("nrtl", "1,2");
  const ProcessResult run = cli({"adequacy", "--params", file, "--json"});
  ASSERT_EQ(run.Status, 0) << run.Err;
  const json result = json::parse(run.Out);
  EXPECT_EQ(result["complete"], true);
  const json& rows = result["rows"];
  ASSERT_GE(rows.size(), 10u);
  for (const json& row : rows) {
    for (const char* key : {"x1", "x1_mass", "y1", "y1_mass"}) {
      EXPECT_GE(row[key].get<double>(), 0.0) << key;
      EXPECT_LE(row[key].get<double>(), 1.0) << key;
    }
    // The pair boils between about 78 and 100 degC at about 760 mm Hg.
    EXPECT_GT(row["t_c"].get<double>(), 75.0);
    EXPECT_LT(row["t_c"].get<double>(), 105.0);
    EXPECT_GT(row["p_mmhg"].get<double>(), 600.0);
    EXPECT_LT(row["p_mmhg"].get<double>(), 900.0);
    EXPECT_GT(row["gamma1"].get<double>(), 0.0);
    EXPECT_GT(row["gamma2"].get<double>(), 0.0);
  }
  // The first point is pure comp.2: its own activity coefficient is 1 (identity; 1e-12).
  EXPECT_EQ(rows[0]["x1"].get<double>(), 0.0);
  EXPECT_NEAR(rows[0]["gamma2"].get<double>(), 1.0, 1e-12);
  for (const char* key : {"e_yT", "e_yP", "e_T", "e_P"}) {
    EXPECT_GT(result[key].get<double>(), 0.0) << key;
  }
  EXPECT_LT(result["e_yT"].get<double>(), 0.05);
  EXPECT_LT(result["e_T"].get<double>(), 2.0);

  // The report: heading, one row per point, the summary.
  const ProcessResult text = cli({"adequacy", "--params", file});
  ASSERT_EQ(text.Status, 0) << text.Err;
  const std::vector<std::string> report = lines(text.Out);
  EXPECT_NE(text.Out.find("Equilibrium calculation method NRTL"), std::string::npos);
  const auto titles = std::find_if(report.begin(), report.end(), [](const std::string& line) {
    return line.rfind("tboi(dg.C)", 0) == 0;
  });
  ASSERT_NE(titles, report.end());
  const auto summary = std::find(titles, report.end(),
                                 "Average square-law error of calculations (adequacy of model):");
  ASSERT_NE(summary, report.end());
  EXPECT_EQ(static_cast<std::size_t>(summary - titles - 1), rows.size());
}

TEST_F(ParameterCommands, AdequacyRefusesWhatItCannotCheck) {
  const std::string ternary = fitted("wilson", "1,2,3");
  ProcessResult run = cli({"adequacy", "--params", ternary});
  EXPECT_EQ(run.Status, 1);
  EXPECT_NE(run.Err.find(ternary + " holds a set of 3 components"), std::string::npos) << run.Err;
  EXPECT_EQ(run.Out, "");

  writeFile(folder() / "broken.dat", "not a parameter file");
  run = cli({"adequacy", "--params", "broken.dat"});
  EXPECT_EQ(run.Status, 1);
  EXPECT_NE(run.Err.find("broken.dat"), std::string::npos) << run.Err;

  run = cli({"adequacy", "--params", "missing.dat"});
  EXPECT_EQ(run.Status, 2);
  EXPECT_NE(run.Err.find("missing.dat"), std::string::npos) << run.Err;
}

// ---- solve ----

TEST_F(ParameterCommands, SolveBoilingPointOfNrtlPair) {
  const std::string file = fitted("nrtl", "1,2");
  const ProcessResult run = cli({"solve", "--params", file, "--task", "T", "--phase", "liquid",
                                 "--value", "760", "--composition", "30", "--json"});
  ASSERT_EQ(run.Status, 0) << run.Err;
  const json point = json::parse(run.Out);
  // Between the pure components' boiling points; the lighter comp.1 enriches the vapour.
  EXPECT_GT(point["t_c"].get<double>(), 78.0);
  EXPECT_LT(point["t_c"].get<double>(), 100.0);
  EXPECT_NEAR(point["p_mmhg"].get<double>(), 760.0, 1e-12);
  EXPECT_NEAR(point["x"][0].get<double>(), 0.3, 1e-15);
  EXPECT_NEAR(point["x"][1].get<double>(), 0.7, 1e-15);
  EXPECT_GT(point["y"][0].get<double>(), 0.3);
  // The solver reports its last evaluation, where sum y - 1 is within about 1e-3.
  EXPECT_NEAR(point["y"][0].get<double>() + point["y"][1].get<double>(), 1.0, 5e-3);
  ASSERT_EQ(point["gamma"].size(), 2u);

  // The same point as a report row, below the dialogue's header.
  const ProcessResult text = cli({"solve", "--params", file, "--task", "t", "--phase", "liquid",
                                  "--value", "760", "--composition", "30"});
  ASSERT_EQ(text.Status, 0) << text.Err;
  const std::vector<std::string> report = lines(text.Out);
  ASSERT_EQ(report.size(), 5u);
  EXPECT_EQ(report[0], "All densities of components are expressed in molar percents ");
  EXPECT_EQ(report[2],
            "     Pabs     t boil/cond      comp.1      comp.1      comp.2      comp.2 ");
  EXPECT_EQ(report[4].substr(0, 10), "  760.0000");
  EXPECT_NEAR(std::stod(report[4].substr(10, 10)), point["t_c"].get<double>(), 0.00005);
}

TEST_F(ParameterCommands, SolveDewPressureOfTernary) {
  const std::string file = fitted("wilson", "1,2,3");
  const ProcessResult run = cli({"solve", "--params", file, "--task", "P", "--phase", "vapor",
                                 "--value", "80", "--composition", "40,30", "--json"});
  ASSERT_EQ(run.Status, 0) << run.Err;
  const json point = json::parse(run.Out);
  EXPECT_NEAR(point["t_c"].get<double>(), 80.0, 1e-12);
  ASSERT_EQ(point["y"].size(), 3u);
  EXPECT_NEAR(point["y"][0].get<double>(), 0.4, 1e-15);
  EXPECT_NEAR(point["y"][1].get<double>(), 0.3, 1e-15);
  EXPECT_NEAR(point["y"][2].get<double>(), 0.3, 1e-15);
  // The Newton solution has sum x = 1 to its tolerance (1e-6).
  double sum = 0;
  for (const json& x : point["x"]) {
    EXPECT_GE(x.get<double>(), 0.0);
    sum += x.get<double>();
  }
  EXPECT_NEAR(sum, 1.0, 1e-5);
  EXPECT_GT(point["p_mmhg"].get<double>(), 0.0);
}

TEST_F(ParameterCommands, SolveRefusesBadEntries) {
  const std::string file = fitted("nrtl", "1,2");
  struct Case {
    std::vector<std::string> Args;
    int Status;
    std::string Message;
  };
  const Case cases[] = {
      {{"--task", "T", "--phase", "liquid", "--value", "760", "--composition", "130"},
       1,
       "The mole percent of comp.1 must lie between 0 and 100: 130"},
      {{"--task", "T", "--phase", "liquid", "--value", "-5", "--composition", "30"},
       1,
       "The pressure must be greater than zero: -5"},
      {{"--task", "P", "--phase", "liquid", "--value", "-300", "--composition", "30"},
       1,
       "above absolute zero"},
      {{"--task", "T", "--phase", "liquid", "--value", "760", "--composition", "30,20"},
       2,
       "--composition: 2 values given; the set of 2 components takes 1"},
      {{"--task", "T", "--phase", "liquid", "--value", "760", "--composition", "3O"},
       2,
       "--composition: \"3O\" is not a number"},
      {{"--task", "T", "--phase", "liquid", "--value", "7,60", "--composition", "30"},
       2,
       "--value: \"7,60\" is not a number"},
      {{"--task", "T", "--phase", "liquid", "--value", "nan", "--composition", "30"},
       2,
       "--value: \"nan\" is not a number"},
      {{"--task", "T", "--phase", "gas", "--value", "760", "--composition", "30"}, 2, "gas"},
      {{"--task", "X", "--phase", "liquid", "--value", "760", "--composition", "30"}, 2, "--task"},
      {{"--phase", "liquid", "--value", "760", "--composition", "30"}, 2, "--task is required"},
      {{"--task", "T", "--phase", "liquid", "--value", "760"}, 2, "--composition is required"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args{"solve", "--params", file};
    args.insert(args.end(), c.Args.begin(), c.Args.end());
    const ProcessResult run = cli(args);
    EXPECT_EQ(run.Status, c.Status) << c.Message;
    EXPECT_NE(run.Err.find(c.Message), std::string::npos) << run.Err;
    EXPECT_EQ(run.Out, "");
  }
}

TEST_F(ParameterCommands, SolveBatchWritesOneRowPerPoint) {
  const std::string file = fitted("nrtl", "1,2");
  writeFile(folder() / "points.csv",
            "task,phase,value,c1\nT,liquid,760,30\nT,liquid,760,130\nP,vapour,80,40\n");
  writeFile(folder() / "results.csv", "older results\n");
  const ProcessResult run =
      cli({"solve", "--params", file, "--batch", "points.csv", "--out", "results.csv"});
  EXPECT_EQ(run.Status, 1);
  EXPECT_NE(run.Err.find("1 of 3 points could not be solved"), std::string::npos) << run.Err;
  EXPECT_EQ(run.Out, "");
  EXPECT_EQ(readFile(folder() / "results.bak"), "older results\n");
  const std::vector<std::string> rows = lines(readFile(folder() / "results.csv"));
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0], "t_c,p_mmhg,x1,x2,y1,y2,gamma1,gamma2,error,warning");
  // The first point is the one `solve` gives for the same entry.
  const ProcessResult single = cli({"solve", "--params", file, "--task", "T", "--phase", "liquid",
                                    "--value", "760", "--composition", "30", "--json"});
  ASSERT_EQ(single.Status, 0) << single.Err;
  const double t = json::parse(single.Out)["t_c"].get<double>();
  EXPECT_NEAR(std::stod(rows[1].substr(0, rows[1].find(','))), t, 1e-12 * t);
  EXPECT_EQ(rows[1].back(), ',');  // no message
  EXPECT_NE(rows[2].find("130"), std::string::npos) << rows[2];
  EXPECT_EQ(rows[3].rfind("80,", 0), 0u) << rows[3];

  // Every point solved: standard output and status 0.
  writeFile(folder() / "good.csv", "task,phase,value,c1\nT,liquid,760,50\n");
  const ProcessResult good = cli({"solve", "--params", file, "--batch", "good.csv"});
  EXPECT_EQ(good.Status, 0) << good.Err;
  ASSERT_EQ(lines(good.Out).size(), 2u);
  EXPECT_EQ(lines(good.Out)[0], "t_c,p_mmhg,x1,x2,y1,y2,gamma1,gamma2,error,warning");
}

TEST_F(ParameterCommands, SolveBatchRefusals) {
  const std::string file = fitted("nrtl", "1,2");
  writeFile(folder() / "points.csv", "task,phase,value,c1\nT,liquid,760,30\n");
  ProcessResult run = cli({"solve", "--params", file, "--batch", "points.csv", "--task", "T"});
  EXPECT_EQ(run.Status, 2);
  EXPECT_NE(run.Err.find("--batch reads its points from the file"), std::string::npos);
  run = cli({"solve", "--params", file, "--batch", "points.csv", "--json"});
  EXPECT_EQ(run.Status, 2);
  EXPECT_NE(run.Err.find("--json does not apply to --batch"), std::string::npos);
  run = cli({"solve", "--params", file, "--batch", "points.csv", "--out", "./points.csv"});
  EXPECT_EQ(run.Status, 2);
  EXPECT_NE(run.Err.find("is the input file of --batch itself"), std::string::npos);
  EXPECT_EQ(readFile(folder() / "points.csv"), "task,phase,value,c1\nT,liquid,760,30\n");
  run = cli({"solve", "--params", file, "--task", "T", "--phase", "liquid", "--value", "760",
             "--composition", "30", "--out", "x.csv"});
  EXPECT_EQ(run.Status, 2);
  EXPECT_NE(run.Err.find("--out applies to --batch only"), std::string::npos);

  writeFile(folder() / "ternary.csv", "task,phase,value,c1,c2\nT,liquid,760,30,20\n");
  run = cli({"solve", "--params", file, "--batch", "ternary.csv"});
  EXPECT_EQ(run.Status, 1);
  EXPECT_NE(run.Err.find("task,phase,value,c1"), std::string::npos) << run.Err;
  EXPECT_EQ(run.Out, "");
}

// ---- gamma ----

TEST_F(ParameterCommands, GammaOfPureAndMixedLiquid) {
  const std::string file = fitted("nrtl", "1,2");
  // A pure component's own activity coefficient is 1 (identity; 1e-12).
  ProcessResult run = cli({"gamma", "--params", file, "--t", "80", "--x", "1,0", "--json"});
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_NEAR(json::parse(run.Out)["gamma"][0].get<double>(), 1.0, 1e-12);

  run = cli({"gamma", "--params", file, "--t", "80", "--x", "0.3,0.7", "--json"});
  ASSERT_EQ(run.Status, 0) << run.Err;
  const json gamma = json::parse(run.Out)["gamma"];
  ASSERT_EQ(gamma.size(), 2u);
  // The pair deviates positively from Raoult's law (its azeotrope is minimum-boiling).
  EXPECT_GT(gamma[0].get<double>(), 1.0);
  EXPECT_GT(gamma[1].get<double>(), 1.0);

  run = cli({"gamma", "--params", file, "--t", "80", "--x", "0.3,0.7"});
  ASSERT_EQ(run.Status, 0) << run.Err;
  const std::vector<std::string> text = lines(run.Out);
  ASSERT_EQ(text.size(), 3u);
  EXPECT_EQ(text[0], "Activity coefficients of model NRTL at t = 80 degr.C");
  EXPECT_EQ(text[1].rfind("  comp.1               x = 0.300000  gamma = ", 0), 0u) << text[1];
}

TEST_F(ParameterCommands, GammaRefusesBadEntries) {
  const std::string file = fitted("wilson", "1,2");
  struct Case {
    std::vector<std::string> Args;
    std::string Message;
  };
  const Case cases[] = {
      {{"--t", "80", "--x", "0.3,0.6"}, "--x: the mole fractions add up to 0.9, not to 1"},
      {{"--t", "80", "--x", "0.3,0.3,0.4"}, "--x: 3 mole fractions given; the set has 2"},
      {{"--t", "80", "--x", "1.5,-0.5"}, "the mole fraction 1.5 of component comp.1"},
      {{"--t", "-300", "--x", "0.3,0.7"}, "--t: -300 degr.C is not above absolute zero"},
      {{"--t", "eighty", "--x", "0.3,0.7"}, "--t: \"eighty\" is not a number"},
      {{"--t", "80", "--x", ""}, "--x: no values given"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args{"gamma", "--params", file};
    args.insert(args.end(), c.Args.begin(), c.Args.end());
    const ProcessResult run = cli(args);
    EXPECT_EQ(run.Status, 2) << c.Message;
    EXPECT_NE(run.Err.find(c.Message), std::string::npos) << run.Err;
  }
}

// A set the models cannot use is refused by gamma as by solve: UNIFAC with no groups (a file
// the layout allows: docs/parameter-file.md, model 'F', n = 2, g = 0, two component records of
// one group each).
TEST_F(ParameterCommands, GammaChecksTheSetAsSolveDoes) {
  std::string bytes(16 * (2 + 2 + 1 + 1 + 2 * 84), '\0');
  bytes[0] = 'F';
  bytes[16] = 2;
  bytes[32] = 1;  // components 1 and 2
  bytes[34] = 2;
  bytes[16 * 6] = 1;         // the first record's group count
  bytes[16 * (6 + 84)] = 1;  // the second's
  writeFile(folder() / "nogroups.dat", bytes);
  for (const char* command : {"gamma", "solve"}) {
    std::vector<std::string> args{command, "--params", "nogroups.dat"};
    if (std::string(command) == "gamma") {
      args.insert(args.end(), {"--t", "80", "--x", "0.3,0.7"});
    } else {
      args.insert(args.end(),
                  {"--task", "T", "--phase", "liquid", "--value", "760", "--composition", "30"});
    }
    const ProcessResult run = cli(args);
    EXPECT_NE(run.Status, 0) << command;
    EXPECT_NE(run.Err.find("The parameter set holds 0 UNIFAC groups; 1 to 10 are possible"),
              std::string::npos)
        << command << ": " << run.Err;
    EXPECT_EQ(run.Out, "") << command;
  }
}

// Points beyond the property data are given and marked (docs/property-ranges.md: comp.1 and
// comp.2 hold data from 0 to 200 degC): in the JSON of solve and gamma, in the report row's
// note lines and in the batch's last column; a point within the data has an empty array.
TEST_F(ParameterCommands, PointsBeyondThePropertyDataAreMarked) {
  const std::string file = fitted("nrtl", "1,2");
  const std::vector<std::string> hot{"solve",  "--params", file,  "--task",        "P", "--phase",
                                     "liquid", "--value",  "210", "--composition", "30"};
  std::vector<std::string> args = hot;
  args.push_back("--json");
  ProcessResult run = cli(args);
  ASSERT_EQ(run.Status, 0) << run.Err;
  const json warnings = json::parse(run.Out)["warnings"];
  ASSERT_EQ(warnings.size(), 2u) << run.Out;
  for (int k = 0; k < 2; ++k) {
    EXPECT_EQ(warnings[k]["component"], k + 1);
    EXPECT_EQ(warnings[k]["t_min_c"].get<double>(), 0.0);
    EXPECT_EQ(warnings[k]["t_max_c"].get<double>(), 200.0);
  }
  EXPECT_EQ(warnings[0]["text"],
            "values extrapolated beyond the property data of comp.1, 0 … 200 °C");

  run = cli(hot);
  ASSERT_EQ(run.Status, 0) << run.Err;
  const std::vector<std::string> report = lines(run.Out);
  ASSERT_GE(report.size(), 2u);
  EXPECT_EQ(report.back(), "  values extrapolated beyond the property data of comp.2, 0 … 200 °C");

  run = cli({"solve", "--params", file, "--task", "P", "--phase", "liquid", "--value", "80",
             "--composition", "30", "--json"});
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_TRUE(json::parse(run.Out)["warnings"].empty()) << run.Out;

  run = cli({"gamma", "--params", file, "--t", "-10", "--x", "0.3,0.7", "--json", "--lang", "ru"});
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(json::parse(run.Out)["warnings"][1]["text"],
            "значения экстраполированы за пределы данных о свойствах комп.2, 0 … 200 °C");

  writeFile(folder() / "hot.csv", "task,phase,value,c1\nP,liquid,210,30\nP,liquid,80,30\n");
  run = cli({"solve", "--params", file, "--batch", "hot.csv"});
  ASSERT_EQ(run.Status, 0) << run.Err;
  const std::vector<std::string> rows = lines(run.Out);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_TRUE(rows[1].ends_with(",,values extrapolated beyond the property data of comp.1, 0 … "
                                "200 °C; values extrapolated beyond the property data of comp.2, "
                                "0 … 200 °C") ||
              rows[1].ends_with(",,\"values extrapolated beyond the property data of comp.1, 0 … "
                                "200 °C; values extrapolated beyond the property data of comp.2, "
                                "0 … 200 °C\""))
      << rows[1];
  EXPECT_TRUE(rows[2].ends_with(",,")) << rows[2];
}

// ---- azeotrope ----

TEST_F(ParameterCommands, AzeotropeOfNrtlPair) {
  const std::string file = fitted("nrtl", "1,2");
  const ProcessResult run = cli({"azeotrope", "--params", file, "--json"});
  ASSERT_EQ(run.Status, 0) << run.Err;
  const json result = json::parse(run.Out);
  // The pair's measured azeotrope lies near 78 degC and x1 = 0.89 at 760 mm Hg; the
  // wiring is checked here, the accuracy by the analysis's own tests.
  ASSERT_TRUE(result["azeotrope"].is_object()) << run.Out;
  EXPECT_GT(result["azeotrope"]["t_c"].get<double>(), 77.0);
  EXPECT_LT(result["azeotrope"]["t_c"].get<double>(), 80.0);
  EXPECT_NEAR(result["azeotrope"]["p_mmhg"].get<double>(), 760.0, 1e-9);
  EXPECT_GT(result["azeotrope"]["x1"].get<double>(), 0.8);
  EXPECT_LT(result["azeotrope"]["x1"].get<double>(), 1.0);
  EXPECT_TRUE(result["liquid_split"].is_null());

  const ProcessResult text = cli({"azeotrope", "--params", file, "--lang", "ru"});
  ASSERT_EQ(text.Status, 0) << text.Err;
  EXPECT_EQ(text.Out.rfind("Азеотроп при t = ", 0), 0u) << text.Out;
}

TEST_F(ParameterCommands, AzeotropeNeedsABinarySet) {
  const std::string file = fitted("nrtl", "1,2,3");
  const ProcessResult run = cli({"azeotrope", "--params", file, "--json"});
  EXPECT_EQ(run.Status, 1);
  EXPECT_NE(run.Err.find("holds a set of 3 components; this command needs a binary set"),
            std::string::npos)
      << run.Err;
  EXPECT_EQ(run.Out, "");
}

// ---- JSON numbers ----

TEST_F(ParameterCommands, JsonRealsCarry17SignificantDigits) {
  const std::string file = fitted("nrtl", "1,2");
  const ProcessResult run = cli({"solve", "--params", file, "--task", "T", "--phase", "liquid",
                                 "--value", "760", "--composition", "30", "--json"});
  ASSERT_EQ(run.Status, 0) << run.Err;
  std::smatch match;
  ASSERT_TRUE(std::regex_search(run.Out, match, std::regex(R"("t_c": ([-0-9.eE+]+))")));
  std::string digits = match[1].str();
  digits.erase(std::remove(digits.begin(), digits.end(), '.'), digits.end());
  digits.erase(0, digits.find_first_not_of('0'));
  EXPECT_EQ(digits.size(), 17u) << match[1].str();
  // 760 is written as it is: 17 significant digits of an exact integer need no zeros.
  EXPECT_NE(run.Out.find("\"p_mmhg\": 760,"), std::string::npos) << run.Out;
}

}  // namespace
}  // namespace bubblix::cli_test
