#include "ui/small_icons.h"

#include "ui/drawn_picture.h"

namespace ui {

namespace {

class Painter {
  public:
    Painter(HDC dc, int size) : dc_(dc), size_(size) {}
    int U(int v) const { return v * size_ / 16; }
    void Box(int l, int t, int r, int b, COLORREF c) const {
        const RECT rc{U(l), U(t), U(r), U(b)};
        HBRUSH brush = CreateSolidBrush(c);
        FillRect(dc_, &rc, brush);
        DeleteObject(brush);
    }
    void Frame(int l, int t, int r, int b, COLORREF edge, COLORREF fill) const {
        Box(l, t, r, b, edge);
        Box(l + 1, t + 1, r - 1, b - 1, fill);
    }
    void Disc(int l, int t, int r, int b, COLORREF edge, COLORREF fill) const {
        HBRUSH brush = CreateSolidBrush(fill);
        HPEN pen = CreatePen(PS_SOLID, 1, edge);
        HGDIOBJ oldBrush = SelectObject(dc_, brush), oldPen = SelectObject(dc_, pen);
        Ellipse(dc_, U(l), U(t), U(r), U(b));
        SelectObject(dc_, oldBrush);
        SelectObject(dc_, oldPen);
        DeleteObject(brush);
        DeleteObject(pen);
    }
    void Polygon(const POINT* points, int count, COLORREF edge, COLORREF fill) const {
        POINT scaled[8];
        for (int i = 0; i < count && i < 8; ++i)
            scaled[i] = {U(points[i].x), U(points[i].y)};
        HBRUSH brush = CreateSolidBrush(fill);
        HPEN pen = CreatePen(PS_SOLID, 1, edge);
        HGDIOBJ oldBrush = SelectObject(dc_, brush), oldPen = SelectObject(dc_, pen);
        ::Polygon(dc_, scaled, count);
        SelectObject(dc_, oldBrush);
        SelectObject(dc_, oldPen);
        DeleteObject(brush);
        DeleteObject(pen);
    }
    void Line(int x1, int y1, int x2, int y2, COLORREF c, int width) const {
        HPEN pen = CreatePen(PS_SOLID, U(width) > 0 ? U(width) : 1, c);
        HGDIOBJ old = SelectObject(dc_, pen);
        MoveToEx(dc_, U(x1), U(y1), nullptr);
        LineTo(dc_, U(x2), U(y2));
        SelectObject(dc_, old);
        DeleteObject(pen);
    }

  private:
    HDC dc_;
    int size_;
};

constexpr COLORREF kNavy = RGB(36, 64, 128), kBlue = RGB(58, 110, 200), kSky = RGB(150, 200, 245),
                   kGrey = RGB(110, 110, 118), kLight = RGB(236, 238, 242),
                   kGreen = RGB(40, 150, 70), kRed = RGB(200, 40, 40), kYellow = RGB(240, 196, 70),
                   kBrown = RGB(160, 120, 40), kWhite = RGB(255, 255, 255);

void Monitor(const Painter& p, int l, int t, int r, int b) {
    p.Frame(l, t, r, b, kNavy, kSky);
    p.Box((l + r) / 2 - 1, b, (l + r) / 2 + 1, b + 2, kGrey);
    p.Box((l + r) / 2 - 3, b + 2, (l + r) / 2 + 3, b + 3, kGrey);
}

// Pictures no menu or tree of ours asks for yet: plain shapes in the same palette, each its own
// pairing of shape and colour.
void Generic(const Painter& p, int index) {
    const COLORREF colours[] = {kBlue, kGreen, kYellow, kGrey, kBrown, kRed};
    const int k = index % 18;
    const COLORREF c = colours[k / 3];
    switch (k % 3) {
        case 0:
            p.Frame(3, 3, 13, 13, kNavy, c);
            break;
        case 1:
            p.Disc(3, 3, 13, 13, kNavy, c);
            break;
        default: {
            const POINT triangle[] = {{8, 2}, {14, 13}, {2, 13}};
            p.Polygon(triangle, 3, kNavy, c);
        }
    }
}

}  // namespace

void DrawSmallIcon(HDC dc, int index, int size) {
    const Painter p(dc, size);
    switch (index) {
        case kSmallIconLeaf: {
            const POINT diamond[] = {{8, 4}, {12, 8}, {8, 12}, {4, 8}};
            p.Polygon(diamond, 4, kNavy, kBlue);
            break;
        }
        case kSmallIconNetwork:
            Monitor(p, 1, 1, 9, 7);
            Monitor(p, 7, 7, 15, 13);
            p.Line(5, 10, 7, 10, kGreen, 1);
            p.Line(5, 9, 5, 11, kGreen, 1);
            break;
        case kSmallIconComputer:
            Monitor(p, 1, 2, 15, 12);
            p.Box(3, 4, 13, 10, kBlue);
            break;
        case kSmallIconSystemInfo:
            p.Disc(1, 1, 15, 15, kNavy, kBlue);
            p.Box(7, 4, 9, 6, kWhite);
            p.Box(7, 7, 9, 12, kWhite);
            break;
        case kSmallIconDrives:
            p.Frame(1, 4, 15, 12, kGrey, kLight);
            p.Box(2, 9, 14, 11, RGB(200, 204, 210));
            p.Box(11, 9, 13, 10, kGreen);
            break;
        case kSmallIconOther:
            p.Frame(1, 3, 7, 6, kBrown, kYellow);
            p.Frame(1, 5, 15, 13, kBrown, kYellow);
            break;
        case kSmallIconMemory:
            p.Frame(1, 4, 15, 10, RGB(20, 90, 40), kGreen);
            for (int x = 3; x <= 11; x += 3)
                p.Box(x, 5, x + 2, 8, RGB(30, 30, 30));
            for (int x = 2; x <= 13; x += 2)
                p.Box(x, 10, x + 1, 12, kYellow);
            break;
        case kSmallIconProperties:
            p.Frame(3, 1, 13, 15, kGrey, kWhite);
            for (int y = 4; y <= 11; y += 3)
                p.Box(5, y, 11, y + 1, kBlue);
            break;
        case kSmallIconEndProcess:
            p.Line(3, 3, 13, 13, kRed, 3);
            p.Line(13, 3, 3, 13, kRed, 3);
            break;
        default:
            Generic(p, index);
    }
}

HIMAGELIST MakeSmallIconList(int size) {
    HIMAGELIST list = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, kSmallIconCount, 0);
    if (!list) return nullptr;
    for (int i = 0; i < kSmallIconCount; ++i) {
        HICON icon = DrawPictureIcon(size, [i](HDC dc, int s) { DrawSmallIcon(dc, i, s); });
        ImageList_AddIcon(list, icon);
        DestroyIcon(icon);
    }
    return list;
}

}  // namespace ui
