#pragma once
// Azeotropes of a binary mixture on a model's bubble curve: the compositions strictly inside
// 0 < x1 < 1 where the vapour has the liquid's composition, f(x1) = y1 - x1 = 0.
//
// The bubble curve is scanned for a change of sign of f between neighbouring points. Near the
// pure ends, where f itself vanishes, its sign is that of the limiting slope:
//   x1 -> 0:  sign f = sign(K1 - 1),     K1 = gamma1(x1 = 0) Psat1 / P at the end's t and P,
//   x1 -> 1:  sign f = -sign(K2 - 1),    K2 = gamma2(x1 = 1) Psat2 / P,
// so an azeotrope between an end and the first interior point is found as well. Each change
// of sign is refined by Brent's method on x1, every evaluation a bubble point, to 1e-10 in x1.
// f falling through zero (y1 > x1 below the azeotrope) is a minimum-boiling azeotrope, a
// pressure maximum on a P-x-y diagram; f rising through zero a maximum-boiling one.
// Units: tau = T / 273.15 K, P in Pa.

#include <cstdint>
#include <vector>

#include "core/analysis/phase_diagram.h"
#include "core/base/real.h"

namespace bubblix {

inline constexpr Real kAzeotropeTolerance = 1e-10L;  // x1

enum class AzeotropeKind : std::uint8_t { MinimumBoiling, MaximumBoiling };

struct Azeotrope {
  EquilibriumPoint Point;  // the bubble point at the refined x1; y1 equals x1 to the tolerance
  AzeotropeKind Kind = AzeotropeKind::MinimumBoiling;
  // The model's single liquid is unstable there (inside a range of findLiquidSplit): the real
  // azeotrope is heterogeneous. Set by analyseBinary.
  bool InsideLiquidSplit = false;
};

// The azeotropes along `bubble` (a curve of bubbleCurve on condition c), ascending in x1.
std::vector<Azeotrope> findAzeotropes(const BinaryEquilibrium& eq, Condition c,
                                      const ModelCurve& bubble);

// The sign of y1 - x1 next to a pure end (end 0: x1 -> 0, end 1: x1 -> 1) at that end's
// bubble point, by the limiting slope above: +1, -1, or 0 when K equals 1.
int endSign(const BinaryEquilibrium& eq, const EquilibriumPoint& end, int whichEnd);

}  // namespace bubblix
