#include "core/io/number_format.h"

#include <gtest/gtest.h>
#include <locale.h>
#include <sys/stat.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <string>
#include <type_traits>

#include "core/base/errors.h"

namespace bubblix {
namespace {

// Expected texts below are worked out by hand from the printf rules (width, precision, '-')
// and cross-checked with Python's % operator on the same values; the values are chosen so
// that no exact decimal tie decides a digit unless the test says so.

TEST(FormatReport, AdequacyRowAndEquilibriumRowLayouts) {
  EXPECT_EQ(formatReport(
                "%8.2f %16.2f %14.4f %14.4f %14.4f %14.4f %14.5f %14.5f",
                {78.3456L, 760.0L, 12.5L, 26.78123L, 45.0L, 61.23456L, 1.23456789L, 0.98765432L}),
            "   78.35           760.00        12.5000        26.7812        45.0000        "
            "61.2346        1.23457        0.98765");
  EXPECT_EQ(formatReport("%10.4f%10.4f    ", {760.0L, 78.3456L}), "  760.0000   78.3456    ");
  EXPECT_EQ(formatReport("%12.4f %12.4f ", {-3.25L, 100.0L}), "     -3.2500     100.0000 ");
}

TEST(FormatReport, TextsPadByCharactersAndAreNeverCut) {
  EXPECT_EQ(formatReport("%61s %-27s %8.5f (%8.5f), %27s %8.5f, %27s %8.5f",
                         {"Average square-law error of calculations (adequacy of model):\r\n",
                          "densities (mole fract.)- ", 0.01234L, 0.02345L,
                          "temperature of boiling (degr. C) -", 1.5L,
                          "\r\npressure (mm of a hg) -     ", 12.25L}),
            "Average square-law error of calculations (adequacy of model):\r\n densities (mole "
            "fract.)-     0.01234 ( 0.02345), temperature of boiling (degr. C) -  1.50000, "
            "\r\npressure (mm of a hg) -      12.25000");
  // 12 Cyrillic letters take 24 bytes but 12 characters of the width.
  EXPECT_EQ(formatReport("[%-15s]", {"концентрации"}), "[концентрации   ]");
  EXPECT_EQ(formatReport("[%15s]", {"давления"}), "[       давления]");
  EXPECT_EQ(formatReport("[%3s|%2.1f]", {"abcdef", 123456.75L}), "[abcdef|123456.8]");
  EXPECT_EQ(formatReport("[%.3s]", {"ПароЖидкость"}), "[Пар]");
}

TEST(FormatReport, IntegersPercentSignsAndDefaultPrecision) {
  EXPECT_EQ(formatReport("%4s%d%s%d%s", {" a[", 1, ",", 2, "]"}), "  a[1,2]");
  EXPECT_EQ(formatReport("%.2d.%.2d.%.2d", {9, 5, 7}), "09.05.07");
  EXPECT_EQ(formatReport("  a0[%d,%d]= %7.3f", {1, 15, -123.4567L}), "  a0[1,15]= -123.457");
  EXPECT_EQ(formatReport("%-5d|%5d|%.3d", {-7, 42, -5}), "-7   |   42|-005");
  EXPECT_EQ(formatReport("100%% %f", {2.5L}), "100% 2.50");
  EXPECT_EQ(formatReport("%6.1f", {3}), "   3.0");
}

TEST(FormatReport, RoundingOfFixedNotation) {
  // 0.125 and 0.375 are exact binary ties: the nearest even digit wins.
  EXPECT_EQ(formatReport("%.2f %.2f", {0.125L, 0.375L}), "0.12 0.38");
  // Rounds correctly from the full 80-bit value: 1 + 2^-60 is above 1.0 only in the 19th digit.
  EXPECT_EQ(formatReport("%.1f", {1.0L + std::ldexp(1.0L, -60)}), "1.0");
  EXPECT_EQ(formatReport("%.0f %.3f", {2.5000000001L, 9.9995001L}), "3 10.000");
  // A negative value that rounds to zero shows no sign.
  EXPECT_EQ(formatReport("%8.2f|%.0f", {-0.001L, -0.4L}), "    0.00|0");
  EXPECT_EQ(formatReport("%8.2f", {-0.005001L}), "   -0.01");
  EXPECT_EQ(formatReport("%.2f", {1e25L}), "10000000000000000000000000.00");
}

TEST(FormatReport, NonFiniteValuesAreVisible) {
  const Real inf = std::numeric_limits<Real>::infinity();
  EXPECT_EQ(formatReport("%6.2f|%-5.2f|%f", {std::numeric_limits<Real>::quiet_NaN(), inf, -inf}),
            "   NAN|INF  |-INF");
}

TEST(FormatReport, MismatchedPatternsAreProgrammingErrors) {
  static_assert(!std::is_constructible_v<FormatArg, double>, "reals must be long double");
  static_assert(!std::is_constructible_v<FormatArg, bool> &&
                !std::is_constructible_v<FormatArg, char>);
  EXPECT_EQ(formatReport("%d%d", {std::uint8_t{1}, 9000000000LL}), "19000000000");
  EXPECT_THROW(formatReport("%8.2f", {"text"}), DataError);
  EXPECT_THROW(formatReport("%d", {1.5L}), DataError);
  EXPECT_THROW(formatReport("%s", {1}), DataError);
  EXPECT_THROW(formatReport("%f %f", {1.0L}), DataError);
  EXPECT_THROW(formatReport("%f", {1.0L, 2.0L}), DataError);
  EXPECT_THROW(formatReport("%x", {1}), DataError);
  EXPECT_THROW(formatReport("%8.", {1.0L}), DataError);
  EXPECT_THROW(formatReport("%99999f", {1.0L}), DataError);
  try {
    formatReport("%5s", {2.0L});
  } catch (const DataError& error) {
    EXPECT_NE(std::string(error.what()).find("%5s"), std::string::npos) << error.what();
  }
}

// Expected values: the rule of number_format.h applied by hand (write the value as
// 0.d1d2... x 10^e, round half up to the precision, choose the notation from e).
TEST(FormatGeneral, FixedOrScientificByDecimalExponent) {
  EXPECT_EQ(formatGeneral(0.0001L, 6), "0.0001");  // e = -3: fixed
  EXPECT_EQ(formatGeneral(0.00012345L, 6), "0.00012345");
  EXPECT_EQ(formatGeneral(0.00001234L, 6), "1.234E-5");  // e = -4: scientific
  EXPECT_EQ(formatGeneral(0.00001L, 6), "1E-5");
  EXPECT_EQ(formatGeneral(123456.0L, 6), "123456");  // e = 6 = precision: fixed
  EXPECT_EQ(formatGeneral(1234567.0L, 6), "1.23457E6");
  EXPECT_EQ(formatGeneral(100000.0L, 6), "100000");
  EXPECT_EQ(formatGeneral(1000000.0L, 6), "1E6");
  EXPECT_EQ(formatGeneral(1234567890.0L, 10), "1234567890");
  EXPECT_EQ(formatGeneral(12345678901.0L, 10), "1.23456789E10");
  EXPECT_EQ(formatGeneral(1.5e-7L, 6), "1.5E-7");
  EXPECT_EQ(formatGeneral(1e20L, 6), "1E20");
  EXPECT_EQ(formatGeneral(12.5L, 6), "12.5");
  EXPECT_EQ(formatGeneral(2.0L, 10), "2");
  EXPECT_EQ(formatGeneral(1e4000L, 10), "1E4000");
  EXPECT_EQ(formatGeneral(1e-4000L, 10), "1E-4000");
}

TEST(FormatGeneral, RoundingCarriesAndSigns) {
  EXPECT_EQ(formatGeneral(999999.5L, 6), "1E6");  // exact tie, half up, new digit: e = 7
  EXPECT_EQ(formatGeneral(999999.4L, 6), "999999");
  EXPECT_EQ(formatGeneral(1234565.0L, 6), "1.23457E6");     // exact tie goes up, not to even
  EXPECT_EQ(formatGeneral(0.0000999999995L, 6), "0.0001");  // the carry makes e = -3: fixed
  EXPECT_EQ(formatGeneral(0.0000999999L, 6), "9.99999E-5");
  EXPECT_EQ(formatGeneral(99999.95L, 6), "100000");  // carry into a sixth digit: e = 6, fixed
  // The 80-bit value is 1.2345649999999999999562...; its 18 digits 1.23456500000000000 round
  // half up (the rounding is done on the 18 digits, not on the exact binary value).
  EXPECT_EQ(formatGeneral(1.234565L, 6), "1.23457");
  EXPECT_EQ(formatGeneral(1.0L / 3.0L, 10), "0.3333333333");
  EXPECT_EQ(formatGeneral(2.0L / 3.0L, 10), "0.6666666667");
  EXPECT_EQ(formatGeneral(-1234567.0L, 6), "-1.23457E6");
  EXPECT_EQ(formatGeneral(-0.5L, 6), "-0.5");
  EXPECT_EQ(formatGeneral(-1.5e-7L, 10), "-1.5E-7");
  EXPECT_EQ(formatGeneral(0.0L, 6), "0");
  EXPECT_EQ(formatGeneral(-0.0L, 10), "0");
  EXPECT_EQ(formatGeneral(std::numeric_limits<Real>::denorm_min(), 6), "3.6452E-4951");
  EXPECT_EQ(formatGeneral(std::numeric_limits<Real>::quiet_NaN(), 6), "NAN");
  EXPECT_EQ(formatGeneral(-std::numeric_limits<Real>::infinity(), 6), "-INF");
}

TEST(NumberFormats, DecimalSeparatorIsTheCallersChoice) {
  EXPECT_EQ(formatReport("%8.2f|%s", {1.5L, "1.5"}, ","), "    1,50|1.5");
  EXPECT_EQ(formatGeneral(12.5L, 6, ","), "12,5");
  EXPECT_EQ(formatGeneral(1.5e-7L, 6, ","), "1,5E-7");
  EXPECT_EQ(formatGeneral(0.0001L, 6, ","), "0,0001");
  EXPECT_EQ(formatGeneral(123456.0L, 6, ","), "123456");
  // A separator of several bytes counts as one character of the width.
  EXPECT_EQ(formatReport("%6.1f", {2.5L}, "\xD9\xAB"),
            "   2\xD9\xAB"
            "5");
}

// Switches the process to a locale whose decimal separator is a comma: an installed one, or
// one generated with localedef into a folder of the temporary directory.
bool setCommaLocale() {
  for (const char* name : {"de_DE.UTF-8", "ru_RU.UTF-8", "fr_FR.UTF-8", "de_DE.utf8"}) {
    if (setlocale(LC_ALL, name) != nullptr) return true;
  }
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / "bubblix-test-locales";
  if (!std::filesystem::exists(folder / "de_DE.UTF-8" / "LC_NUMERIC")) {
    std::filesystem::create_directories(folder);
    const std::string command =
        "localedef -i de_DE -f UTF-8 '" + (folder / "de_DE.UTF-8").string() + "' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0) return false;
  }
  setenv("LOCPATH", folder.c_str(), 1);
  const bool ok = setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
  unsetenv("LOCPATH");
  return ok;
}

// Puts the process back into the "C" locale whatever the test did.
struct RestoreCLocale {
  ~RestoreCLocale() {
    uselocale(LC_GLOBAL_LOCALE);
    setlocale(LC_ALL, "C");
  }
};

TEST(NumberFormats, IgnoreTheProcessLocale) {
  const RestoreCLocale restore;
  if (!setCommaLocale()) {
    GTEST_SKIP() << "no comma locale installed and localedef could not make one";
  }
  char probe[16];
  std::snprintf(probe, sizeof probe, "%.1f", 1.5);
  ASSERT_STREQ(probe, "1,5") << "the locale did not take effect";
  EXPECT_EQ(formatReport("%8.2f", {1.5L}), "    1.50");
  EXPECT_EQ(formatGeneral(1.5e-7L, 6), "1.5E-7");
  EXPECT_EQ(formatReport("%.1f", {2.5L}, ","), "2,5");
  // The numbers of the messages too (a solver's refused pressure once read "-1,5 Pa" here).
  EXPECT_EQ(formatSignificant(-1.5L, 9), "-1.5");
  EXPECT_EQ(formatFixed(1.5L, 2), "1.50");

  // The same with the comma locale set for this thread only.
  const locale_t comma = duplocale(LC_GLOBAL_LOCALE);
  ASSERT_NE(comma, static_cast<locale_t>(nullptr));
  setlocale(LC_ALL, "C");
  uselocale(comma);
  std::snprintf(probe, sizeof probe, "%.1f", 1.5);
  const std::string threadProbe = probe;
  const std::string general = formatGeneral(0.25L, 6);
  const std::string fixed = formatReport("%.3f", {0.25L});
  uselocale(LC_GLOBAL_LOCALE);
  freelocale(comma);
  ASSERT_EQ(threadProbe, "1,5");
  EXPECT_EQ(general, "0.25");
  EXPECT_EQ(fixed, "0.250");
}

TEST(CharacterCount, CountsCodePointsAndStrayBytes) {
  EXPECT_EQ(characterCount(""), 0u);
  EXPECT_EQ(characterCount("abc"), 3u);
  EXPECT_EQ(characterCount("мир\r\n"), 5u);
  EXPECT_EQ(characterCount("\xF0\x9F\x98\x80"), 1u);
  EXPECT_EQ(characterCount("\xD0\xFF\x80"), 3u);  // broken bytes count one each
}

}  // namespace
}  // namespace bubblix
