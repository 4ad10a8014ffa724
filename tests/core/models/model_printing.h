#pragma once
// A model in the messages of failed checks: its name.

#include <ostream>

#include "core/models/model.h"

namespace bubblix {

inline std::ostream& operator<<(std::ostream& os, Model model) {
  return os << modelName(model);
}

}  // namespace bubblix
