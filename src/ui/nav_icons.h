#pragma once
// The navigation bar's pictures, drawn with GDI so that no image file has to ship.
#include <windows.h>

namespace ui {

enum class NavIcon {
    Manual,
    Summary,
    OneKey,
    Update,
    DiskCleaner,
    Memory,
    Processes,
    Startup,
    Privacy,
    Cookies,
    Shredder,
    Report,
    About
};

// Draws the picture centred in `box` (32 x 32 for large buttons, 16 x 16 for small ones).
void DrawNavIcon(HDC dc, const RECT& box, NavIcon icon);

// The same picture as an icon, for page pictures and the window icon. The caller owns it.
HICON MakeNavIcon(NavIcon icon, int size);

}  // namespace ui
