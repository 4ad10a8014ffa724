#include "core/models/equilibrium_point.h"

#include <gtest/gtest.h>

#include "core/base/units.h"

namespace bubblix {
namespace {

TEST(EquilibriumPoint, StartValuesFollowTheGivenPressureOrTemperature) {
  // Temperature given (task P): mm Hg end points, 760 above 40 degC.
  EXPECT_EQ(pressureTaskStart(40.0L).A, 30.0L);
  EXPECT_EQ(pressureTaskStart(40.0L).B, 360.0L);
  EXPECT_EQ(pressureTaskStart(40.001L).B, 760.0L);
  EXPECT_EQ(pressureTaskStart(-20.0L).B, 360.0L);
  // Pressure given (task T): tau end points, 1.4 above 1000 mm Hg.
  EXPECT_EQ(temperatureTaskStart(mmHgToPa(1000.0L)).A, 1.01L);
  EXPECT_EQ(temperatureTaskStart(mmHgToPa(1000.0L)).B, 1.2L);
  EXPECT_EQ(temperatureTaskStart(mmHgToPa(1000.01L)).B, 1.4L);
  EXPECT_EQ(temperatureTaskStart(mmHgToPa(760.0L)).B, 1.2L);
}

}  // namespace
}  // namespace bubblix
