#include "core/ascii_case.h"

namespace core {
namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::string AsciiLower(std::string text) {
    for (char& c : text)
        c = Lower(c);
    return text;
}

bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

bool ContainsIgnoreAsciiCase(std::string_view text, std::string_view part) {
    return AsciiLower(std::string(text)).find(AsciiLower(std::string(part))) != std::string::npos;
}

}  // namespace core
