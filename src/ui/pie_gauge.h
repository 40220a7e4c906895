#pragma once
// A progress gauge drawn as a pie: the share done as a blue sector growing clockwise from twelve
// o'clock, its percentage written in the middle in red bold.
#include <windows.h>

namespace ui {

inline constexpr COLORREF kPieColor = RGB(0, 0, 255);
inline constexpr COLORREF kPieTextColor = RGB(255, 0, 0);

// Draws the gauge into `box` of `dc`, on the face colour of dialogs unless the caller has
// painted the background itself.
void DrawPieGauge(HDC dc, const RECT& box, int progress, int maximum, bool fillBackground = true);

}  // namespace ui
