#include "core/base/errors.h"

#include <gtest/gtest.h>

namespace bubblix {
namespace {

constexpr Text kFileNotRetrieved{"File {0} is not retrieved", "Файл {0} не найден"};

TEST(Error, CarriesItsTextAndArgumentsInBothLanguages) {
  const FileError error(kFileNotRetrieved, {"/tmp/x.dat"});
  EXPECT_STREQ(error.what(), "File /tmp/x.dat is not retrieved");
  EXPECT_EQ(error.message(Language::Russian), "Файл /tmp/x.dat не найден");
  EXPECT_EQ(&error.text(), &kFileNotRetrieved);
}

}  // namespace
}  // namespace bubblix
