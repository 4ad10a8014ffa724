#pragma once
// Bilingual texts. Every text Bubblix shows or writes is a pair (English, Russian) held in
// the headers of this folder, one header per area. A text may hold positional placeholders
// {0}, {1}, ... that render() fills with its arguments.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace bubblix {

// The interface language byte: 1 English; any other value (0 = not chosen, 2) is Russian.
enum class Language : std::uint8_t { NotChosen = 0, English = 1, Russian = 2 };

struct Text {
  std::string_view en;
  std::string_view ru;

  constexpr std::string_view in(Language lang) const { return lang == Language::English ? en : ru; }
};

// Fills {0}, {1}, ... of the text in the given language with the arguments.
std::string render(const Text& text, Language lang, const std::vector<std::string>& args = {});
std::string render(std::string_view pattern, const std::vector<std::string>& args);

}  // namespace bubblix
