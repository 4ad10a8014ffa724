#include "core/models/model.h"

#include <gtest/gtest.h>

namespace bubblix {
namespace {

TEST(Model, NamesAndLetters) {
  EXPECT_EQ(modelName(Model::Wilson), "Wilson");
  EXPECT_EQ(modelName(Model::NRTL), "NRTL");
  EXPECT_EQ(modelName(Model::UNIQUAC), "UNIQUAC");
  EXPECT_EQ(modelName(Model::UNIFAC), "UNIFAC");
  EXPECT_EQ(modelFromLetter('W'), Model::Wilson);
  EXPECT_EQ(modelFromLetter('N'), Model::NRTL);
  EXPECT_EQ(modelFromLetter('Q'), Model::UNIQUAC);
  EXPECT_EQ(modelFromLetter('F'), Model::UNIFAC);
  EXPECT_FALSE(modelFromLetter('w').has_value());
}

}  // namespace
}  // namespace bubblix
