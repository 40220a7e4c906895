#include "core/number_text.h"

#include <cstdio>
#include <cstdlib>

#include "core/ascii_text.h"

namespace core {

std::string FormatWithSeparator(const char* pattern, double value, std::string_view separator) {
    char buf[128];
    const int n = std::snprintf(buf, sizeof buf, pattern, value);
    std::string text(buf, n < 0 ? 0 : static_cast<size_t>(n) < sizeof buf ? n : sizeof buf - 1);
    if (separator == ".") return text;
    const auto dot = text.find('.');
    if (dot != std::string::npos) text.replace(dot, 1, separator);
    return text;
}

std::optional<double> ParseNumber(std::string_view text, std::string_view separator) {
    size_t i = 0;
    const auto blank = [&](size_t k) {
        return k < text.size() && (text[k] == ' ' || text[k] == '\t');
    };
    const auto digit = [&](size_t k) {
        return k < text.size() && text[k] >= '0' && text[k] <= '9';
    };
    while (blank(i))
        ++i;
    std::string canon;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) canon += text[i++];
    size_t digits = 0;
    while (digit(i))
        canon += text[i++], ++digits;
    if (!separator.empty() && text.substr(i, separator.size()) == separator) {
        i += separator.size();
        canon += '.';
        while (digit(i))
            canon += text[i++], ++digits;
    }
    if (digits == 0) return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        canon += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) canon += text[i++];
        if (!digit(i)) return std::nullopt;
        while (digit(i))
            canon += text[i++];
    }
    while (blank(i))
        ++i;
    if (i != text.size()) return std::nullopt;
    return std::strtod(canon.c_str(), nullptr);
}

std::optional<bool> ParseBoolean(std::string_view text, std::string_view separator) {
    if (auto number = ParseNumber(text, separator)) return *number != 0.0;
    if (EqualsIgnoreAsciiCase(text, "true")) return true;
    if (EqualsIgnoreAsciiCase(text, "false")) return false;
    return std::nullopt;
}

}  // namespace core
