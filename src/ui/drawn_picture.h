#pragma once
// Pictures of our own, drawn with GDI: the drawing goes over a key colour, and every pixel but
// the key comes out opaque, so the pictures ship as code instead of image files.
#include <windows.h>

#include <functional>

namespace ui {

// Draws a size x size picture into the device context it is given.
using PictureDrawing = std::function<void(HDC dc, int size)>;

// A 32-bit top-down bitmap with alpha (premultiplied: each pixel is opaque or empty); the
// caller owns it. Null when the bitmap cannot be made.
HBITMAP DrawPictureBitmap(int size, const PictureDrawing& draw);
// The same picture as an icon; the caller owns it.
HICON DrawPictureIcon(int size, const PictureDrawing& draw);

}  // namespace ui
