#pragma once

#include <array>

#include "core/base/real.h"

namespace bubblix {

// Parameter vector of the minimiser: up to 20 parameters, index 0 is the first.
using TParamVector = std::array<Real, 20>;

}  // namespace bubblix
