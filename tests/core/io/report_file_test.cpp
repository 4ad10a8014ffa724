#include "core/io/report_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <random>

#include "core/base/errors.h"
#include "core/io/file_test_support.h"
#include "core/io/number_format.h"
#include "core/io/utf8.h"
#include "core/texts/file_texts.h"
#include "core/texts/report_texts.h"

namespace bubblix {
namespace {

using Lines = std::vector<std::string>;
using testing::FaultyFileSystem;
using testing::fileErrorOf;
using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;
namespace fs = std::filesystem;
using namespace texts;

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(ReportFileText, LineEndsAndRoundTrip) {
  EXPECT_EQ(splitReportLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(splitReportLines("a\r\n"), (Lines{"a"}));  // a final line end adds no line
  EXPECT_EQ(splitReportLines("a\r\n\r\n"), (Lines{"a", ""}));
  EXPECT_EQ(splitReportLines("\r\r\n\n"), (Lines{"", "", ""}));
  EXPECT_EQ(splitReportLines(""), Lines{});
  EXPECT_EQ(splitReportLines("\r\n"), (Lines{""}));

  const Lines lines{"Line 1", "Строка 2", "", "  t кип  "};
  const std::string bytes = reportFileText(lines);
  EXPECT_EQ(bytes, "Line 1\r\nСтрока 2\r\n\r\n  t кип  \r\n");
  EXPECT_EQ(decodeReportText(bytes), lines);
  EXPECT_EQ(decodeReportText(reportFileText({"", ""})), (Lines{"", ""}));
  EXPECT_EQ(reportFileText({}), "\r\n");
}

TEST(ReportFileText, Windows1251IsReadWhenTheBytesAreNotUtf8) {
  // "Привет, мир" and "№ ёЁ" in Windows-1251 (the code page's table).
  EXPECT_EQ(decodeReportText("\xCF\xF0\xE8\xE2\xE5\xF2, \xEC\xE8\xF0\r\n\xB9 \xB8\xA8\r\n"),
            (Lines{"Привет, мир", "№ ёЁ"}));
  EXPECT_EQ(cp1251ToUtf8("a\x98z"), "a\xEF\xBF\xBDz");  // the one unassigned byte
  // A byte-order mark is not text; valid UTF-8 is never reinterpreted.
  EXPECT_EQ(decodeReportText("\xEF\xBB\xBFМир\r\n"), (Lines{"Мир"}));
  EXPECT_EQ(decodeReportText("Мир"), (Lines{"Мир"}));
}

TEST(ReportFileText, MalformedUtf8MakesTheWholeFileWindows1251) {
  EXPECT_TRUE(isValidUtf8("Привет \xF0\x9F\x98\x80 \xEF\xBF\xBF \xF4\x8F\xBF\xBF"));
  // Overlong, surrogate, above U+10FFFF, truncated, stray continuation byte.
  for (const char* bad : {"\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                          "\xF0\x9F\x98", "\x80", "\xC3\x28", "\xFF"}) {
    EXPECT_FALSE(isValidUtf8(bad)) << bad;
  }
  // UTF-8 "Мир " followed by half a letter: every byte is taken as Windows-1251.
  EXPECT_EQ(decodeReportText("Мир \xD0"), (Lines{"РњРёСЂ Р"}));
  EXPECT_EQ(decodeReportText("\xC0\xAF\r\n\xED\xA0\x80"), (Lines{"АЇ", "н\xC2\xA0Ђ"}));
}

TEST(ReportFileText, BinaryDataGivesLinesOfValidText) {
  std::string all;
  for (int b = 0; b < 256; ++b)
    all += static_cast<char>(b);
  const Lines lines = decodeReportText(all);
  ASSERT_EQ(lines.size(), 3u);  // split at LF (10) and CR (13)
  EXPECT_EQ(lines[0], std::string("\0\x01\x02\x03\x04\x05\x06\x07\x08\x09", 10));
  EXPECT_EQ(characterCount(lines[1]), 2u);
  EXPECT_EQ(characterCount(lines[2]), 256u - 14u);
  EXPECT_TRUE(lines[2].ends_with("эюя"));

  std::mt19937 random(20240611);
  std::string noise(1 << 16, '\0');
  for (char& c : noise)
    c = static_cast<char>(random());
  for (const std::string& line : decodeReportText(noise)) {
    ASSERT_TRUE(isValidUtf8(line));
    ASSERT_EQ(line.find_first_of("\r\n"), std::string::npos);
  }
}

TEST(ReportFile, SaveThenOpen50MegabytesInBothEncodings) {
  const TempDir dir;
  const std::string row = "   78.35           760.00   Смесь вода-этанол 12.5000\r\n";
  std::string utf8;
  utf8.reserve(50u << 20);
  while (utf8.size() < (50u << 20))
    utf8 += row;
  writeBytes(dir / "big.txt", utf8);
  const std::size_t rows = utf8.size() / row.size();
  Lines lines = openReport(dir / "big.txt");
  ASSERT_EQ(lines.size(), rows);
  EXPECT_EQ(lines.back() + "\r\n", row);

  saveReport(lines, dir / "big.txt");
  EXPECT_TRUE(readBytes(dir / "big.txt") == utf8);  // not EXPECT_EQ: no 50 MB failure text
  EXPECT_TRUE(readBytes(dir / "big.bak") == utf8);

  // "Смесь      1.50      2.25" in Windows-1251.
  const std::string cp1251Row = "\xD1\xEC\xE5\xF1\xFC      1.50      2.25\r\n";
  std::string cp1251;
  cp1251.reserve(50u << 20);
  while (cp1251.size() < (50u << 20))
    cp1251 += cp1251Row;
  writeBytes(dir / "big1251.txt", cp1251);
  lines = openReport(dir / "big1251.txt");
  ASSERT_EQ(lines.size(), cp1251.size() / cp1251Row.size());
  EXPECT_EQ(lines.front(), "Смесь      1.50      2.25");
  EXPECT_EQ(lines.back(), "Смесь      1.50      2.25");
}

TEST(ReportFile, OpenRefusesWhatIsNoOrdinaryFile) {
  const TempDir dir;
  EXPECT_TRUE(
      contains(fileErrorOf([&] { openReport(dir / "none.txt"); }, kFileNotRead), dir / "none.txt"));
  fs::create_directory(dir / "folder.txt");
  EXPECT_TRUE(contains(fileErrorOf([&] { openReport(dir / "folder.txt"); }, kFileNotOrdinary),
                       "folder.txt"));
  ASSERT_EQ(mkfifo((dir / "pipe.txt").c_str(), 0600), 0);
  fileErrorOf([&] { openReport(dir / "pipe.txt"); }, kFileNotOrdinary);  // must not block
  fileErrorOf([] { openReport("/dev/zero"); }, kFileNotOrdinary);        // must not run forever

  // A sparse file above the limit is refused before anything is read.
  writeBytes(dir / "huge.txt", "");
  ASSERT_EQ(truncate((dir / "huge.txt").c_str(), kMaxReportFileBytes + 1), 0);
  EXPECT_TRUE(contains(fileErrorOf([&] { openReport(dir / "huge.txt"); }, kFileTooLarge),
                       std::to_string(kMaxReportFileBytes)));

  FaultyFileSystem faulty;
  faulty.readError = std::make_error_code(std::errc::io_error);
  writeBytes(dir / "r.txt", "x\r\n");
  EXPECT_TRUE(contains(fileErrorOf([&] { openReport(dir / "r.txt", faulty); }, kFileNotRead),
                       "input/output error"));
  // A loop of symbolic links is a file error with its reason.
  fs::create_symlink("loop2.txt", dir / "loop1.txt");
  fs::create_symlink("loop1.txt", dir / "loop2.txt");
  EXPECT_TRUE(contains(fileErrorOf([&] { openReport(dir / "loop1.txt"); }, kFileNotExamined),
                       "a loop of links"));
}

}  // namespace
}  // namespace bubblix
