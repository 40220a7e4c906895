#include "core/ascii_text.h"

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

std::string TrimControlAndBlanks(std::string_view text) {
    size_t begin = 0, end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ')
        ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ')
        --end;
    return std::string(text.substr(begin, end - begin));
}

}  // namespace core
