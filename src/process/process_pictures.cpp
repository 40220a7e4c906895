#include "process/process_pictures.h"

#include "process/process_texts.h"
#include "ui/drawn_picture.h"

namespace process {
namespace {

void FillBox(HDC dc, int l, int t, int r, int b, COLORREF c) {
    const RECT rc{l, t, r, b};
    HBRUSH brush = CreateSolidBrush(c);
    FillRect(dc, &rc, brush);
    DeleteObject(brush);
}

void DrawEndProcess(HDC dc, int s) {
    auto u = [s](int v) { return v * s / 16; };
    HBRUSH red = CreateSolidBrush(RGB(200, 30, 30));
    HPEN rim = CreatePen(PS_SOLID, 1, RGB(130, 10, 10));
    const HGDIOBJ oldBrush = SelectObject(dc, red);
    const HGDIOBJ oldPen = SelectObject(dc, rim);
    Ellipse(dc, u(1), u(1), u(15), u(15));
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(red);
    DeleteObject(rim);
    HPEN cross = CreatePen(PS_SOLID, u(2) > 0 ? u(2) : 1, RGB(255, 255, 255));
    const HGDIOBJ oldCross = SelectObject(dc, cross);
    MoveToEx(dc, u(5), u(5), nullptr);
    LineTo(dc, u(11), u(11));
    MoveToEx(dc, u(11), u(5), nullptr);
    LineTo(dc, u(5), u(11));
    SelectObject(dc, oldCross);
    DeleteObject(cross);
}

void DrawFileProperty(HDC dc, int s) {
    auto u = [s](int v) { return v * s / 16; };
    FillBox(dc, u(2), u(1), u(14), u(15), RGB(90, 90, 90));
    FillBox(dc, u(3), u(2), u(13), u(14), RGB(255, 255, 245));
    FillBox(dc, u(3), u(2), u(13), u(5), RGB(50, 100, 190));
    for (int y = 7; y <= 11; y += 2)
        FillBox(dc, u(5), u(y), u(11), u(y + 1), RGB(110, 110, 110));
}

}  // namespace

HBITMAP MakeMenuPicture(int picture) {
    if (picture == kEndProcessIcon) return ui::DrawPictureBitmap(16, DrawEndProcess);
    if (picture == kFilePropertyIcon) return ui::DrawPictureBitmap(16, DrawFileProperty);
    return nullptr;
}

}  // namespace process
