#pragma once
// The skin file: INI-style sections of colours ("R,G,B") and a font. No Windows header.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ui {

// 0x00BBGGRR, as COLORREF.
using Rgb = uint32_t;
constexpr Rgb MakeRgb(int r, int g, int b) {
    return static_cast<Rgb>(r) | (static_cast<Rgb>(g) << 8) | (static_cast<Rgb>(b) << 16);
}

struct SkinColors {
    Rgb window = MakeRgb(240, 240, 240);  // backgrounds of windows, pages and dialogs
    Rgb text = MakeRgb(0, 0, 0);          // labels, check boxes, group boxes
    Rgb edit = MakeRgb(255, 255, 255);    // edit fields and memos
    Rgb editText = MakeRgb(0, 0, 0);
    Rgb navBar = MakeRgb(220, 228, 240);  // the navigation bar's button area
    Rgb header = MakeRgb(90, 120, 170);   // navigation headers
    Rgb headerText = MakeRgb(255, 255, 255);
    Rgb button = MakeRgb(220, 228, 240);     // navigation buttons
    Rgb buttonHot = MakeRgb(250, 220, 150);  // a navigation button under the mouse or pressed
    Rgb buttonText = MakeRgb(0, 0, 0);
    std::string fontName = "MS Sans Serif";
    int fontSize = 8;
};

// Reads a skin file's text; keys it does not know are ignored and keep their defaults.
// Returns nullopt when the text holds no [Colors] section.
std::optional<SkinColors> ParseSkin(std::string_view text);

// "R,G,B" with each part 0..255.
std::optional<Rgb> ParseRgb(std::string_view text);

}  // namespace ui
