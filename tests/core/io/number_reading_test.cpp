#include "core/io/number_reading.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace bubblix {
namespace {

struct Accepted {
  const char* text;
  Real value;  // the real the text spells; both sides round correctly, so they are equal
};

TEST(GridNumber, AcceptsSignDigitsFractionAndExponentWithFullStop) {
  const Accepted cases[] = {{"1.5", 1.5L},         {"  -2.25  ", -2.25L}, {"+3", 3.0L},
                            {"7", 7.0L},           {".5", 0.5L},          {"5.", 5.0L},
                            {"1.e2", 100.0L},      {"1E-3", 1e-3L},       {"-1.25e+2", -125.0L},
                            {"\t12.5\r\n", 12.5L}, {"0.1", 0.1L},         {"1e400", 1e400L},
                            {"760", 760.0L},       {"0030.0", 30.0L},     {"1e-4940", 1e-4940L}};
  for (const Accepted& c : cases) {
    const std::optional<Real> value = parseGridNumber(c.text, ".");
    ASSERT_TRUE(value.has_value()) << c.text;
    EXPECT_EQ(*value, c.value) << c.text;
  }
  // 0.1 is not a double: the reading keeps all 64 bits of the significand.
  EXPECT_NE(*parseGridNumber("0.1", "."), static_cast<Real>(0.1));
  EXPECT_TRUE(std::signbit(*parseGridNumber("-0", ".")));
}

// The one reader refuses the same texts wherever it reads: a typed number (the grid and the
// command lines of bubblix-cli and bubblix-diagram), a CSV field of batch mode, and parseReal
// itself.
TEST(GridNumber, RefusesEverythingThatIsNotAFiniteDecimalNumber) {
  const char* refused[] = {"",         "   ",   "-",      "+",       ".",
                           "abc",      "nan",   "NaN",    "inf",     "-inf",
                           "infinity", "0x1p3", "0x10",   "1,5",     "1.5x",
                           "1..5",     "1.5.",  "1e",     "1e+",     "e5",
                           "1 5",      "- 1",   "1e5000", "-1e5000", "1e99999999999999999999999",
                           "1e4933",   "١",     "1_000"};
  for (const char* text : refused) {
    EXPECT_FALSE(parseGridNumber(text, ".").has_value()) << '"' << text << '"';
    EXPECT_FALSE(parseDecimalNumber(text).has_value()) << '"' << text << '"';
    EXPECT_FALSE(parseReal(text, ".").has_value()) << '"' << text << '"';
  }
  // Only the typed number is read without its blanks.
  EXPECT_EQ(parseGridNumber(" 80 ", "."), 80.0L);
  EXPECT_FALSE(parseDecimalNumber(" 80 ").has_value());
  // The largest finite long double is about 1.19e4932.
  EXPECT_TRUE(parseGridNumber("1.1e4932", ".").has_value());
  EXPECT_FALSE(parseGridNumber("1.2e4932", ".").has_value());
}

TEST(GridNumber, ReadsTheGivenSeparatorAndNoOther) {
  EXPECT_EQ(parseGridNumber("1,5", ","), 1.5L);
  EXPECT_EQ(parseGridNumber(" -1,25e2 ", ","), -125.0L);
  EXPECT_FALSE(parseGridNumber("1.5", ",").has_value());
  EXPECT_FALSE(parseGridNumber("1,5", ".").has_value());
  // A separator of several bytes (U+066B, Arabic decimal separator, in UTF-8).
  EXPECT_EQ(parseGridNumber("1\xD9\xAB"
                            "5",
                            "\xD9\xAB"),
            1.5L);
  EXPECT_FALSE(parseGridNumber("1\xD9"
                               "5",
                               "\xD9\xAB")
                   .has_value());
  EXPECT_FALSE(parseGridNumber("1", "").has_value());
}

}  // namespace
}  // namespace bubblix
