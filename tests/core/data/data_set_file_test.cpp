#include "core/data/data_set_file.h"

#include <gtest/gtest.h>

#include <string>

#include "core/base/errors.h"
#include "core/base/units.h"
#include "core/data/component_library.h"

namespace bubblix {
namespace {

const std::string kHeader = "components,comp.1,2\nt_c,p_mmhg,x1,y1\n";
const std::string kPoints = "100,760,0,0\n90,760,0.05,0.32\n78.2,760,1,1\n";

std::string refusal(const std::string& text, const Database& db = builtInDatabase()) {
  try {
    parseDataSet(text, "set.csv", db);
  } catch (const FileError& e) {
    return e.what();
  }
  return "";
}

TEST(DataSetFile, ReadsPointsWithTheirOwnPressures) {
  const std::string text =
      "\xEF\xBB\xBF# a comment\r\n\r\ncomponents, 3 ,\"comp.4\"\r\n"
      "T_C,P_MMHG,X1,Y1\r\n64.6,760,1,1\r\n# between\r\n70,500.5,0.5,0.6\r\n"
      "77.15,760,0,0";
  const LoadedDataSet set = parseDataSet(text, "set.csv", builtInDatabase());
  EXPECT_EQ(set.Components, (std::array<int, 2>{3, 4}));
  ASSERT_EQ(set.t.size(), 3u);
  EXPECT_EQ(set.t[1], 70.0L);
  EXPECT_EQ(set.P[0], 101308.0L);  // 760 mm Hg at 133.3 Pa per mm Hg, exactly
  EXPECT_EQ(set.P[1], mmHgToPa(500.5L));
  EXPECT_EQ(set.x[1], 0.5L);
  EXPECT_EQ(set.y[1], 0.6L);
  EXPECT_EQ(set.Lines, (std::vector<int>{5, 7, 8}));
}

TEST(DataSetFile, RefusesBadInputNamingFileLineAndColumn) {
  struct Case {
    std::string text;
    std::string expected;
  };
  const Case cases[] = {
      {kHeader + "100,760,0,0\n90,760,nan,0.3\n78,760,1,1\n",
       "set.csv, line 4, column 3 (x1): \"nan\" is not a finite number"},
      {kHeader + "100,760,0,0\n90,760,0,5,0.3\n", "line 4: a point has 4 values"},
      {kHeader + "100,760,0,0\n90,760,,0.3\n", "line 4, column 3 (x1): \"\" is not"},
      {kHeader + "100,1e99999,0,0\n", "line 3, column 2 (p_mmhg)"},
      {kHeader + "100,760,1.2,0\n", "line 3, column 3 (x1): 1.2 is outside 0..1"},
      {kHeader + "100,760,0,-0.1\n", "line 3, column 4 (y1): -0.1 is outside 0..1"},
      {kHeader + "100,0,0,0\n", "line 3, column 2 (p_mmhg): 0 mm Hg is not above zero"},
      {kHeader + "-273.15,760,0,0\n", "line 3, column 1 (t_c): -273.15 °C is not above"},
      {kHeader + "100,760,0,0\n", "set.csv holds 1 points; 3 to 500 are allowed"},
      {"components,comp.1,ethanol\n", "line 1, column 3: \"ethanol\" is not a component"},
      {"components,comp.1,5\n", "line 1, column 3: \"5\" is not a component"},
      {"components,comp.1,комп.1\n", "line 1, column 3: \"комп.1\" names the first component"},
      {"components,1\n", "line 1: expected \"components,NAME,NAME\""},
      {"components,1,2\nt,p,x,y\n", "line 2: expected the header"},
      {"# only a comment\n", "line 2: expected \"components,NAME,NAME\""},
      {kHeader + "100,760,0,\xff\n", "line 3: the text is not valid UTF-8"},
  };
  for (const Case& c : cases) {
    const std::string message = refusal(c.text);
    EXPECT_NE(message.find(c.expected), std::string::npos)
        << "expected \"" << c.expected << "\" in \"" << message << "\"";
  }
  std::string many = kHeader;
  for (int k = 0; k < 501; ++k)
    many += "80,760,0.5,0.5\n";
  EXPECT_NE(refusal(many).find("3 to 500"), std::string::npos);
  EXPECT_EQ(refusal(kHeader + kPoints), "");
}

TEST(DataSetFile, NamesLibraryComponentsAndLimitsAPairToTwoThousandPoints) {
  const std::string lib =
      R"({"components": [{"name": "hexane", "molar_mass": 86.175,
      "antoine": {"A": 15.8366, "B": 2697.55, "C": -48.78},
      "density": {"t_c": [0, 100], "kg_m3": [677.0, 581.9]},
      "groups": [{"main": 1, "letter": "B", "count": 6, "Q": 0.54, "R": 0.6744}]}]})";
  Database db =
      withLibrary(builtInDatabase(), parseComponentLibrary(lib, "lib.json", builtInDatabase()));
  const LoadedDataSet set =
      parseDataSet("components,hexane,1\nt_c,p_mmhg,x1,y1\n" + kPoints, "s.csv", db);
  EXPECT_EQ(set.Components, (std::array<int, 2>{5, 1}));
  // Without the library the name is unknown.
  EXPECT_NE(refusal("components,hexane,1\n").find("\"hexane\" is not a component"),
            std::string::npos);

  LoadedDataSet big = set;
  big.t.assign(500, 80.0L);
  big.P.assign(500, 1e5L);
  big.x.assign(500, 0.5L);
  big.y.assign(500, 0.5L);
  for (int k = 0; k < 4; ++k)
    addDataSet(db, big);
  EXPECT_EQ(db.LoadedSets.size(), 4u);
  try {
    addDataSet(db, set);
    ADD_FAILURE() << "a pair took more than 2000 points";
  } catch (const FileError& e) {
    EXPECT_NE(std::string(e.what()).find("2003 loaded points; at most 2000"), std::string::npos)
        << e.what();
  }
  EXPECT_EQ(db.LoadedSets.size(), 4u);  // nothing loaded earlier is lost
}

}  // namespace
}  // namespace bubblix
