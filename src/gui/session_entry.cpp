#include "gui/session_entry.h"

#include "core/session_state.h"

namespace bubblix::gui {

SessionEntry calculationSession(SessionState& state, const std::string& decimalSeparator) {
  // The calculation session is connected here. Until then Run shows its running state and
  // returns.
  (void)state;
  (void)decimalSeparator;
  return {};
}

}  // namespace bubblix::gui
