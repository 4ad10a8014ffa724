#include "core/base/errors.h"

namespace bubblix {

Error::Error(const Text& text, std::vector<std::string> args)
    : std::runtime_error(render(text, Language::English, args)),
      text_(&text),
      args_(std::move(args)) {}

}  // namespace bubblix
