#include "core/models/point_warnings.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/models/model_printing.h"
#include "core/models/model_test_support.h"

namespace bubblix {
namespace {

// The valid ranges of docs/property-ranges.md: the vapour-pressure tables of comp.1 and comp.2
// (0 ... 200 degC), the equation of comp.3 and comp.4 over their liquid data (-20 ... 140 degC);
// the density tables (-20 ... 200, -20 ... 140) only where the model uses molar volumes.
TEST(PointWarnings, RangesFollowTheDataTheModelUses) {
  const Mixture mixture = test::mixtureOf({1, 2, 3, 4});
  struct Expected {
    int slot;
    Real low, high;
  };
  for (Model model : {Model::Wilson, Model::NRTL, Model::UNIQUAC, Model::UNIFAC}) {
    for (const Expected& e : {Expected{0, 0.0L, 200.0L}, Expected{1, 0.0L, 200.0L},
                              Expected{2, -20.0L, 140.0L}, Expected{3, -20.0L, 140.0L}}) {
      const std::optional<TemperatureRange> range = componentValidRange(mixture, e.slot, model);
      ASSERT_TRUE(range.has_value()) << model << e.slot;
      EXPECT_EQ(range->Low, e.low) << model << e.slot;
      EXPECT_EQ(range->High, e.high) << model << e.slot;
    }
  }
  EXPECT_FALSE(componentValidRange(mixture, 4, Model::Wilson).has_value());  // no such slot
}

// A point is marked for each component whose range it leaves, ends included in the range.
TEST(PointWarnings, OnePerComponentOutsideItsRange) {
  const Mixture mixture = test::mixtureOf({1, 3});
  const auto slots = [&](Real celsius) {
    std::vector<int> out;
    for (const RangeWarning& w : rangeWarnings(mixture, 2, Model::UNIQUAC, celsius))
      out.push_back(w.Component);
    return out;
  };
  EXPECT_EQ(slots(50.0L), std::vector<int>{});
  EXPECT_EQ(slots(0.0L), std::vector<int>{});
  EXPECT_EQ(slots(140.0L), std::vector<int>{});
  EXPECT_EQ(slots(150.0L), std::vector<int>{1});
  EXPECT_EQ(slots(-10.0L), std::vector<int>{0});
  EXPECT_EQ(slots(-30.0L), (std::vector<int>{0, 1}));
  EXPECT_EQ(slots(250.0L), (std::vector<int>{0, 1}));
  const std::vector<RangeWarning> one = rangeWarnings(mixture, 2, Model::Wilson, 150.0L);
  ASSERT_EQ(one.size(), 1u);
  EXPECT_EQ(rangeWarningText(one[0], Language::English),
            "values extrapolated beyond the property data of comp.3, -20 … 140 °C");
  EXPECT_EQ(rangeWarningText(one[0], Language::Russian),
            "значения экстраполированы за пределы данных о свойствах comp.3, -20 … 140 °C");
}

}  // namespace
}  // namespace bubblix
