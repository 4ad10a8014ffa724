#pragma once
// Plausibility checks of binary equilibrium data, beside the consistency tests:
//   end points     the measured t (or P, isothermal sets) at x1 = 0 and x1 = 1 against the
//                  pure component's boiling temperature at the point's P (its vapour pressure
//                  at the point's t); a warning beyond kEndPointTemperatureTolerance K or
//                  kEndPointPressureTolerance (relative);
//   repeated data  a point equal to an earlier one in t, P, x1 and y1; a block of at least
//                  kRepeatedBlockLength consecutive points whose temperatures, not all equal,
//                  repeat those of an earlier block in the same order (a copied block);
//   falling vapour y1 falling by more than kFallingVapourTolerance between neighbours in
//                  ascending x1 (for a single stable liquid dy1/dx1 > 0);
//   azeotropes     points with 0 < x1 < 1 and y1 = x1 (within kDataAzeotropeTolerance);
//   two liquids    at least kTwoLiquidPoints neighbours in ascending x1 spanning at least
//                  kTwoLiquidSpan in x1 over which t stays within kTwoLiquidTemperatureSpread
//                  K (isothermal sets: P within kTwoLiquidPressureSpread, relative) and y1
//                  within kTwoLiquidVapourSpread: the plateau of a heterogeneous azeotrope,
//                  where the area and point tests, which assume one liquid, are not valid.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/analysis/consistency_data.h"
#include "core/base/real.h"
#include "core/data/properties.h"

namespace bubblix {

inline constexpr Real kEndPointTemperatureTolerance = 0.5L;  // K
inline constexpr Real kEndPointPressureTolerance = 0.01L;    // relative
inline constexpr std::size_t kRepeatedBlockLength = 3;
inline constexpr Real kFallingVapourTolerance = 0.005L;
inline constexpr Real kDataAzeotropeTolerance = 1e-6L;
inline constexpr std::size_t kTwoLiquidPoints = 4;
inline constexpr Real kTwoLiquidSpan = 0.2L;
inline constexpr Real kTwoLiquidTemperatureSpread = 0.2L;  // K
inline constexpr Real kTwoLiquidPressureSpread = 0.005L;   // relative
inline constexpr Real kTwoLiquidVapourSpread = 0.02L;

// A measured end point against the pure component.
struct EndPointCheck {
  std::size_t Index = 0;  // position in the set
  Real x1 = 0;            // 0 or 1
  int Slot = 0;           // the pure component: 0 at x1 = 1, 1 at x1 = 0
  bool Pressure = false;  // P compared (isothermal set), else t
  Real Measured = 0;      // tau or P, Pa
  Real Pure = 0;          // the pure component's boiling tau at P, or Psat at tau, Pa
  Real difference() const { return Measured - Pure; }  // tau units or Pa
};

enum class WarningKind : std::uint8_t {
  EndPoint,        // Points[0]; Values[0] x1, Values[1] the difference (K or mm Hg)
  RepeatedPoint,   // Points[0] the earlier, Points[1] the repeat
  RepeatedBlock,   // Points[0..1] the repeat's first and last, Points[2..3] the original's
  FallingVapour,   // Points[0..1]; Values x1 of both, then y1 of both
  AzeotropePoint,  // Points[0]; Values[0] x1
  TwoLiquids,      // Points[0] the count; Values[0..1] the x1 range, [2] t spread (K) or P
                   // spread (mm Hg), [3] y1 spread
};

struct DataWarning {
  WarningKind Kind = WarningKind::EndPoint;
  std::array<std::size_t, 4> Points{};  // positions in the set (0-based), or a count
  std::array<Real, 4> Values{};
  bool Pressure = false;  // EndPoint, TwoLiquids: the spread or difference is of P
};

struct PlausibilityChecks {
  std::vector<EndPointCheck> EndPoints;
  std::vector<DataWarning> Warnings;  // end points, repeats, falling y1, azeotropes, two liquids
  bool TwoLiquids = false;
};

// Throws NoConvergenceError when a pure component has no boiling point at an end point's P
// within its property data.
PlausibilityChecks checkPlausibility(const Mixture& mixture, std::span<const DataPoint> points,
                                     DataSetKind kind);

}  // namespace bubblix
