#include "core/texts/text.h"

namespace bubblix {

std::string render(std::string_view pattern, const std::vector<std::string>& args) {
  std::string out;
  out.reserve(pattern.size() + 32);
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '{') {
      std::size_t close = pattern.find('}', i + 1);
      if (close != std::string_view::npos && close > i + 1) {
        std::size_t index = 0;
        bool digits = true;
        for (std::size_t k = i + 1; k < close; ++k) {
          if (pattern[k] < '0' || pattern[k] > '9') {
            digits = false;
            break;
          }
          index = index * 10 + static_cast<std::size_t>(pattern[k] - '0');
        }
        if (digits && index < args.size()) {
          out += args[index];
          i = close;
          continue;
        }
      }
    }
    out += pattern[i];
  }
  return out;
}

std::string render(const Text& text, Language lang, const std::vector<std::string>& args) {
  return render(text.in(lang), args);
}

}  // namespace bubblix
