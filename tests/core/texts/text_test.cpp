#include "core/texts/text.h"

#include <gtest/gtest.h>

namespace bubblix {
namespace {

constexpr Text kFileNotRetrieved{"File {0} is not retrieved", "Файл {0} не найден"};

TEST(Text, LanguageByteOneIsEnglishEveryOtherValueRussian) {
  EXPECT_EQ(kFileNotRetrieved.in(Language::English), "File {0} is not retrieved");
  EXPECT_EQ(kFileNotRetrieved.in(Language::Russian), "Файл {0} не найден");
  EXPECT_EQ(kFileNotRetrieved.in(Language::NotChosen), "Файл {0} не найден");
}

TEST(Text, RenderFillsPositionalPlaceholdersAndKeepsOtherBraces) {
  EXPECT_EQ(render(kFileNotRetrieved, Language::English, {"a.dat"}), "File a.dat is not retrieved");
  EXPECT_EQ(render("{1}-{0}-{1}", {"x", "y"}), "y-x-y");
  EXPECT_EQ(render("{} {2} {a}", {"x"}), "{} {2} {a}");
}

}  // namespace
}  // namespace bubblix
