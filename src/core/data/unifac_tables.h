#pragma once
// UNIFAC main-group interaction tables (reduced: a_mn / 273.15 K) and the mixture group list.

#include <array>
#include <cstdint>

#include "core/data/component_groups.h"
#include "core/real.h"

namespace bubblix {

// [m - 1][n - 1] = interaction of main group m with main group n, m, n = 1..18.
using MainGroupTableType = std::array<std::array<Real, 18>, 18>;

MainGroupTableType BuildReferenceMainGroupTable();

}  // namespace bubblix
