#pragma once
// Strict UTF-8 checks for report text: shortest forms only, no surrogates, nothing above
// U+10FFFF.

#include <cstddef>
#include <string_view>

namespace bubblix {

// Length (1 to 4) of the well-formed UTF-8 sequence that starts at text[pos], or 0 when the
// bytes there start none. pos must be below text.size().
std::size_t utf8SequenceLength(std::string_view text, std::size_t pos);

bool isValidUtf8(std::string_view text);

}  // namespace bubblix
