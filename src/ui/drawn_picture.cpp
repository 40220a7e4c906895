#include "ui/drawn_picture.h"

#include <cstdint>

namespace ui {

HBITMAP DrawPictureBitmap(int size, const PictureDrawing& draw) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = size;
    bi.bmiHeader.biHeight = -size;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bmp) return nullptr;
    HDC mem = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(mem, bmp);
    constexpr COLORREF kKey = RGB(255, 0, 255);
    const RECT box{0, 0, size, size};
    HBRUSH keyBrush = CreateSolidBrush(kKey);
    FillRect(mem, &box, keyBrush);
    DeleteObject(keyBrush);
    draw(mem, size);
    GdiFlush();
    auto* px = static_cast<uint32_t*>(bits);
    for (int i = 0; i < size * size; ++i)
        px[i] = (px[i] & 0xFFFFFF) == 0xFF00FF ? 0 : (px[i] | 0xFF000000u);
    SelectObject(mem, old);
    DeleteDC(mem);
    return bmp;
}

HICON DrawPictureIcon(int size, const PictureDrawing& draw) {
    HBITMAP color = DrawPictureBitmap(size, draw);
    if (!color) return nullptr;
    HBITMAP mask = CreateBitmap(size, size, 1, 1, nullptr);
    ICONINFO info{TRUE, 0, 0, mask, color};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    DeleteObject(color);
    return icon;
}

}  // namespace ui
