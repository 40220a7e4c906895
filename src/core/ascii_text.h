#pragma once
// ASCII-only text rules: letter case of A to Z only, and trimming of blanks and control
// characters; every other byte, UTF-8 sequences included, stays as it is. No Windows header.
#include <string>
#include <string_view>

namespace core {

std::string AsciiLower(std::string text);
bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b);
bool ContainsIgnoreAsciiCase(std::string_view text, std::string_view part);
// Without the blanks and control characters (every byte up to ' ') at both ends.
std::string TrimControlAndBlanks(std::string_view text);

}  // namespace core
