#pragma once
// Letter case of A to Z only: every other byte, UTF-8 sequences included, stays as it is.
// Pure logic, no Windows header.
#include <string>
#include <string_view>

namespace core {

std::string AsciiLower(std::string text);
bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b);
bool ContainsIgnoreAsciiCase(std::string_view text, std::string_view part);

}  // namespace core
