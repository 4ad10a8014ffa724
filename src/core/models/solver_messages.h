#pragma once
// The failure texts of the bubble and dew iterations: which task, phase, given values and
// last iterate (solvers.h).

#include <span>
#include <string>

#include "core/base/real.h"
#include "core/models/model_types.h"
#include "core/models/solve_result.h"

namespace bubblix::solver_detail {

// The significant digits of the numbers in the solvers' messages (formatSignificant).
inline constexpr int kMessageDigits = 9;

// Such numbers, separated by "; ".
std::string formatList(std::span<const Real> values);

// The text of a failed bubble iteration (nothing when it did not fail or has a text): its
// task, the given value, the liquid x of n components, the last argument tried and, for a
// fault of the first estimate, its end points `start` and `end` (tau or Pa).
void describeBubbleFailure(SolveResult& result, bool temperatureTask, Real tau, Real P,
                           const CompositionVector& x, int n, Real lastArgument, Real start,
                           Real end);

// The text of a failed dew iteration: the given value, the vapour y of n components, and the
// last iterate v (x, then the unknown).
void describeDewFailure(SolveResult& result, bool temperatureTask, Real tau, Real P,
                        const CompositionVector& y, int n, std::span<const Real> v);

}  // namespace bubblix::solver_detail
