#include "startup/pictures.h"

#include "ui/drawn_picture.h"

namespace startup {
namespace {

struct Pen {
    Pen(HDC dc, COLORREF c, int w) : dc_(dc), pen_(CreatePen(PS_SOLID, w, c)) {
        old_ = SelectObject(dc_, pen_);
    }
    ~Pen() {
        SelectObject(dc_, old_);
        DeleteObject(pen_);
    }
    Pen(const Pen&) = delete;
    Pen& operator=(const Pen&) = delete;
    HDC dc_;
    HPEN pen_;
    HGDIOBJ old_;
};

void FillBox(HDC dc, int l, int t, int r, int b, COLORREF c) {
    const RECT rc{l, t, r, b};
    HBRUSH brush = CreateSolidBrush(c);
    FillRect(dc, &rc, brush);
    DeleteObject(brush);
}

void Line(HDC dc, int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

// Drawn in a 16-unit grid scaled by s.
void Draw(HDC dc, int picture, int s) {
    auto u = [s](int v) { return v * s / 16; };
    switch (picture) {
        case kPictureAdd: {
            FillBox(dc, u(1), u(2), u(12), u(12), RGB(60, 90, 150));
            FillBox(dc, u(2), u(4), u(11), u(11), RGB(240, 244, 250));
            FillBox(dc, u(8), u(8), u(16), u(16), RGB(30, 140, 60));
            FillBox(dc, u(11), u(9), u(13), u(15), RGB(255, 255, 255));
            FillBox(dc, u(9), u(11), u(15), u(13), RGB(255, 255, 255));
            break;
        }
        case kPictureDelete: {
            Pen pen(dc, RGB(200, 30, 30), u(3) > 0 ? u(3) : 1);
            Line(dc, u(3), u(3), u(13), u(13));
            Line(dc, u(13), u(3), u(3), u(13));
            break;
        }
        case kPictureProperty: {
            FillBox(dc, u(2), u(1), u(14), u(15), RGB(90, 90, 90));
            FillBox(dc, u(3), u(2), u(13), u(14), RGB(255, 255, 240));
            for (int y = 4; y <= 11; y += 3)
                FillBox(dc, u(5), u(y), u(11), u(y + 1), RGB(60, 90, 150));
            break;
        }
        case 3: {  // OK: a green tick
            Pen pen(dc, RGB(30, 140, 60), u(3) > 0 ? u(3) : 1);
            Line(dc, u(2), u(8), u(6), u(12));
            Line(dc, u(6), u(12), u(14), u(3));
            break;
        }
    }
}

HBITMAP Render(int picture, int size) {
    return ui::DrawPictureBitmap(size, [picture](HDC dc, int s) { Draw(dc, picture, s); });
}

HICON IconOf(int picture, int size) {
    return ui::DrawPictureIcon(size, [picture](HDC dc, int s) { Draw(dc, picture, s); });
}

}  // namespace

HBITMAP MakePictureBitmap(int picture) {
    return Render(picture, 16);
}

HIMAGELIST MakePictureList() {
    HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, kPictureCount, 0);
    for (int i = 0; i < kPictureCount; ++i) {
        HICON icon = IconOf(i, 16);
        ImageList_AddIcon(list, icon);
        DestroyIcon(icon);
    }
    return list;
}

HICON MakeButtonIcon(bool ok, int size) {
    return IconOf(ok ? 3 : kPictureDelete, size);
}

}  // namespace startup
