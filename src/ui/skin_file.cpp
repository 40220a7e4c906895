#include "ui/skin_file.h"

#include <charconv>
#include <utility>
#include <vector>

#include "core/ascii_text.h"
#include "core/number_text.h"

namespace ui {
namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

}  // namespace

std::optional<Rgb> ParseRgb(std::string_view text) {
    int parts[3];
    for (int i = 0; i < 3; ++i) {
        const auto comma = text.find(',');
        if ((i < 2) == (comma == std::string_view::npos)) return std::nullopt;
        const std::string_view part = Trim(text.substr(0, comma));
        const auto [end, ec] = std::from_chars(part.data(), part.data() + part.size(), parts[i]);
        if (ec != std::errc() || end != part.data() + part.size() || part.empty() || parts[i] < 0 ||
            parts[i] > 255)
            return std::nullopt;
        text = i < 2 ? text.substr(comma + 1) : std::string_view();
    }
    return MakeRgb(parts[0], parts[1], parts[2]);
}

std::optional<SkinColors> ParseSkin(std::string_view text) {
    SkinColors skin;
    const std::pair<const char*, Rgb*> colors[] = {
        {"Window", &skin.window},         {"Text", &skin.text},     {"Edit", &skin.edit},
        {"EditText", &skin.editText},     {"NavBar", &skin.navBar}, {"Header", &skin.header},
        {"HeaderText", &skin.headerText}, {"Button", &skin.button}, {"ButtonHot", &skin.buttonHot},
        {"ButtonText", &skin.buttonText},
    };
    std::string_view section;
    bool sawColors = false;
    while (!text.empty()) {
        const auto eol = text.find('\n');
        const std::string_view line = Trim(text.substr(0, eol));
        text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[' && line.back() == ']') {
            section = Trim(line.substr(1, line.size() - 2));
            sawColors |= core::EqualsIgnoreAsciiCase(section, "Colors");
            continue;
        }
        const auto eq = line.find('=');
        if (eq == std::string_view::npos) continue;
        const std::string_view key = Trim(line.substr(0, eq)), value = Trim(line.substr(eq + 1));
        if (core::EqualsIgnoreAsciiCase(section, "Colors")) {
            for (const auto& [name, target] : colors)
                if (core::EqualsIgnoreAsciiCase(key, name))
                    if (auto rgb = ParseRgb(value)) *target = *rgb;
        } else if (core::EqualsIgnoreAsciiCase(section, "Font")) {
            if (core::EqualsIgnoreAsciiCase(key, "Name") && !value.empty()) skin.fontName = value;
            int size = 0;
            if (core::EqualsIgnoreAsciiCase(key, "Size") &&
                std::from_chars(value.data(), value.data() + value.size(), size).ec ==
                    std::errc() &&
                size >= 6 && size <= 24)
                skin.fontSize = size;
        }
    }
    if (!sawColors) return std::nullopt;
    return skin;
}

}  // namespace ui
