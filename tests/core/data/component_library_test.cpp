#include "core/data/component_library.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/base/errors.h"
#include "core/base/units.h"
#include "core/data/mixture_loading.h"
#include "core/data/properties.h"
#include "core/texts/library_texts.h"

namespace bubblix {
namespace {

// One valid component; tests change one field at a time.
std::string component(const std::string& name = "hexane", const std::string& extra = "") {
  return R"({"name": ")" + name + R"(", "name_ru": "гексан)" + (name == "hexane" ? "" : name) +
         R"(", "molar_mass": 86.175,
   "antoine": {"A": 15.8366, "B": 2697.55, "C": -48.78}, "valid_t_c": [-28, 97],
   "density": {"t_c": [0, 20, 40, 60, 80, 100], "kg_m3": [677.0, 659.4, 640.6, 620.8, 603.2, 581.9]},
   "groups": [{"main": 1, "letter": "A", "count": 2, "Q": 0.848, "R": 0.9011},
              {"main": 1, "letter": "B", "count": 4, "Q": 0.54, "R": 0.6744}])" +
         extra + "}";
}

std::string library(const std::string& components) {
  return "{\"components\": [" + components + "]}";
}

// The English message of the refusal of `text`, or "" when it is accepted.
std::string refusal(const std::string& text) {
  try {
    parseComponentLibrary(text, "lib.json", builtInDatabase());
  } catch (const FileError& e) {
    return e.what();
  }
  return "";
}

TEST(ComponentLibrary, ReadsARecordAsTheBuiltInOnesAreHeld) {
  const ComponentLibrary lib =
      parseComponentLibrary(library(component()), "lib.json", builtInDatabase());
  ASSERT_EQ(lib.Components.size(), 1u);
  const TComponentRecord& c = lib.Components[0];
  EXPECT_EQ(c.EnglishName, "hexane");
  EXPECT_EQ(c.RussianName, "гексан");
  // Numbers are the nearest Real of their text, exactly as a literal with L.
  EXPECT_EQ(c.MolarMass, 86.175L);
  EXPECT_EQ(c.AntoineA, 15.8366L);
  EXPECT_EQ(c.AntoineC, -48.78L);
  EXPECT_EQ(c.PropertyRows, 6);
  EXPECT_EQ(c.Density[1], 659.4L);
  EXPECT_EQ(c.PressureRows, 0);
  EXPECT_EQ(c.Groups.Count, 2);
  EXPECT_EQ(c.Groups.IdsB[1], 'B');
  EXPECT_EQ(c.Groups.Nu[1], 4);
  EXPECT_EQ(c.Groups.R[0], 0.9011L);
  EXPECT_EQ(lib.ValidFrom[0], -28.0L);
  // Boiling point from the constants: T = B / (A - ln 760) - C; hexane boils at 68.7 degC
  // (handbook value, the constants reproduce it within 0.1 K).
  EXPECT_NEAR(boilingTemperature(c), 68.7L, 0.1L);
}

TEST(ComponentLibrary, TheGrownDatabaseNumbersTheComponentsFromFive) {
  const Database& builtIn = builtInDatabase();
  const ComponentLibrary lib =
      parseComponentLibrary(library(component() + "," + component("heptane")), "lib.json", builtIn);
  const Database db = withLibrary(builtIn, lib);
  ASSERT_EQ(db.ComponentBase.size(), 6u);
  EXPECT_EQ(componentName(db, 6, Language::English), "heptane");
  EXPECT_EQ(componentName(db, 5, Language::Russian), "гексан");
  EXPECT_EQ(builtIn.ComponentBase.size(), 4u);  // the built-in database is not changed

  // The equation gives the pressure of a component without a table: 760 mm Hg at its
  // boiling temperature (identity, tolerance 1e-15 relative).
  const std::uint16_t numbers[2] = {5, 1};
  const Mixture m = loadMixture(db, numbers, Language::English);
  const Real tb = boilingTemperature(db.ComponentBase[4]);
  EXPECT_NEAR(SaturationPressure(m, 0, tauFromCelsius(tb)) / mmHgToPa(760.0L), 1.0L, 1e-15L);

  // Another library replaces this one and the sets naming its components.
  Database withSets = db;
  withSets.LoadedSets.push_back(LoadedDataSet{"a.csv", {5, 1}, {1}, {1}, {0}, {0}, {3}});
  withSets.LoadedSets.push_back(LoadedDataSet{"b.csv", {1, 2}, {1}, {1}, {0}, {0}, {3}});
  const ComponentLibrary other =
      parseComponentLibrary(library(component("octane")), "other.json", withSets);
  const Database replaced = withLibrary(withSets, other);
  ASSERT_EQ(replaced.ComponentBase.size(), 5u);
  EXPECT_EQ(replaced.ComponentBase[4].EnglishName, "octane");
  ASSERT_EQ(replaced.LoadedSets.size(), 1u);
  EXPECT_EQ(replaced.LoadedSets[0].FileName, "b.csv");
}

TEST(ComponentLibrary, RefusesBreachesNamingFileComponentAndField) {
  struct Case {
    std::string text;
    std::string expected;  // a part of the message
  };
  const std::string ok = component();
  const auto replaced = [&](const std::string& from, const std::string& to) {
    std::string s = ok;
    s.replace(s.find(from), from.size(), to);
    return library(s);
  };
  const Case cases[] = {
      {library(component("hexane", R"(, "colour": 1)")),
       R"(component 1 (hexane): unknown key "colour")"},
      {replaced(R"("A": 15.8366)", R"("a": 15.8366)"), R"(unknown key "antoine.a")"},
      {replaced(R"("main": 1, "letter": "A")", R"("main": 1, "letter": "A", "mian": 2)"),
       R"(unknown key "groups[1].mian")"},
      {replaced("86.175", "-1"), R"("molar_mass" must be above zero)"},
      {replaced("86.175", "\"86\""), R"("molar_mass" has the wrong type (expected a number))"},
      {replaced("86.175", "1e99999"), "not valid JSON (number overflow"},
      {replaced("86.175", "1e-99999"), R"("molar_mass" must be above zero)"},
      {replaced(R"("molar_mass": 86.175,)", ""), R"(the field "molar_mass" is missing)"},
      {replaced("677.0, 659.4", "677.0, -659.4"), R"("density.kg_m3[2]" must be above zero)"},
      {replaced("[0, 20, 40", "[0, 40, 20"), R"("density.t_c" must rise strictly)"},
      {replaced("[0, 20, 40, 60, 80, 100]", "[0]"), R"(the table "density" needs 2 to 1000 rows)"},
      {replaced(R"("count": 4)", R"("count": 256)"),
       R"("groups[2].count" must be a whole number 1 to 255)"},
      {replaced(R"("count": 4)", R"("count": 2.5)"), R"("groups[2].count" must be a whole number)"},
      {replaced(R"("main": 1, "letter": "B")", R"("main": 19, "letter": "B")"),
       R"("groups[2].main" must be a whole number 1 to 18)"},
      {replaced(R"("letter": "B")", R"("letter": "D")"),
       R"("groups[2].letter" must be "A", "B", "C" or " ")"},
      {replaced(R"("letter": "B")", R"("letter": "A")"),
       R"("groups[2]" names a group given before)"},
      {replaced(R"("Q": 0.54)", R"("Q": 0)"), R"("groups[2].Q" must be above zero)"},
      {replaced(R"("valid_t_c": [-28, 97])", R"("valid_t_c": [97, -28])"),
       R"("valid_t_c" must be two temperatures)"},
      {library(component("a name longer than twenty")), R"("name" must be 1 to 20 characters)"},
      {library(component("12")), R"("name" must be 1 to 20 characters)"},
      {library(component("comp.2")),
       R"(the name "comp.2" of "name" is already the name of comp.2)"},
      {library(ok + "," + ok), R"(component 2 (hexane): the name "hexane" of "name" is already)"},
      // log10 and degC constants, the usual mistake.
      {replaced(R"("A": 15.8366, "B": 2697.55, "C": -48.78)",
                R"("A": 6.87601, "B": 1171.17, "C": 224.41)"),
       "give no boiling temperature at 760 mm Hg between -150 and 400"},
      {replaced(R"("B": 2697.55, "C": -48.78)", R"("B": 2697.55, "C": -260)"),
       "does not rise with temperature from -28 to 97"},
      {"{\"components\": []}", "at least one component"},
      {"{\"components\": [" + ok + "], \"extra\": 1}", R"(unknown key "extra")"},
      {"{\"components\": [\n  1,\n  ]}", "lib.json, line 3, column 3: not valid JSON"},
      {"{\"components\": [" + ok + "], \"components\": []}",
       R"(the key "components" is given twice)"},
      {std::string(100, '['), "nested deeper than 32 levels"},
      {"{\"components\": [\"\xff\"]}", "not valid JSON"},
  };
  for (const Case& c : cases) {
    const std::string message = refusal(c.text);
    EXPECT_NE(message.find(c.expected), std::string::npos)
        << "expected \"" << c.expected << "\" in \"" << message << "\"";
    if (!message.empty()) {
      EXPECT_NE(message.find("lib.json"), std::string::npos) << message;
    }
  }
}

TEST(ComponentLibrary, AVapourPressureTableIsUsedAsTheBuiltInTablesAre) {
  const std::string text = library(component(
      "hexane", R"(, "vapour_pressure": {"t_c": [20, 60, 100], "p_mmhg": [120, 570, 1850]})"));
  const Database db =
      withLibrary(builtInDatabase(), parseComponentLibrary(text, "lib.json", builtInDatabase()));
  const std::uint16_t numbers[2] = {5, 1};
  const Mixture m = loadMixture(db, numbers, Language::English);
  // A tabulated temperature gives the table's value exactly.
  // (tolerance 1e-15 relative: 60 degC passes through tau and back).
  EXPECT_NEAR(SaturationPressure(m, 0, tauFromCelsius(60.0L)) / mmHgToPa(570.0L), 1.0L, 1e-15L);
  // Pressures of a table must rise.
  EXPECT_NE(
      refusal(library(component(
                  "hexane",
                  R"(, "vapour_pressure": {"t_c": [20, 60, 100], "p_mmhg": [120, 570, 500]})")))
          .find(R"("vapour_pressure.p_mmhg" must rise strictly)"),
      std::string::npos);
}

TEST(ComponentLibrary, TheExampleLibraryIsAccepted) {
  const ComponentLibrary lib = readComponentLibrary(
      std::string(BUBBLIX_SOURCE_DIR) + "/examples/benzene-cyclohexane.json", builtInDatabase());
  ASSERT_EQ(lib.Components.size(), 2u);
  // Handbook normal boiling points: benzene 80.1 degC, cyclohexane 80.7 degC (within 0.1 K).
  EXPECT_NEAR(boilingTemperature(lib.Components[0]), 80.1L, 0.1L);
  EXPECT_NEAR(boilingTemperature(lib.Components[1]), 80.7L, 0.1L);
}

TEST(ComponentLibrary, AFileThatCannotBeReadIsAFileErrorNamingIt) {
  try {
    readComponentLibrary("/nonexistent/lib.json", builtInDatabase());
    ADD_FAILURE() << "read a missing file";
  } catch (const FileError& e) {
    EXPECT_NE(std::string(e.what()).find("/nonexistent/lib.json"), std::string::npos);
  }
}

}  // namespace
}  // namespace bubblix
