#include "ui/nav_icons.h"

#include <initializer_list>
#include <vector>

#include "platform/handles.h"
#include "ui/drawn_picture.h"

namespace ui {
namespace {

// Draws in a 32 x 32 design grid scaled to the box.
class Canvas {
  public:
    Canvas(HDC dc, const RECT& box) : dc_(dc) {
        const int w = box.right - box.left, h = box.bottom - box.top;
        size_ = w < h ? w : h;
        x0_ = box.left + (w - size_) / 2;
        y0_ = box.top + (h - size_) / 2;
    }
    int X(int v) const { return x0_ + v * size_ / 32; }
    int Y(int v) const { return y0_ + v * size_ / 32; }

    void Fill(COLORREF c) {
        brush_.reset(CreateSolidBrush(c));
        SelectObject(dc_, brush_.get());
    }
    void Pen(COLORREF c, int width) {
        pen_.reset(CreatePen(PS_SOLID, width * size_ / 32 > 0 ? width * size_ / 32 : 1, c));
        SelectObject(dc_, pen_.get());
    }
    void NoPen() { SelectObject(dc_, GetStockObject(NULL_PEN)); }
    void NoFill() { SelectObject(dc_, GetStockObject(NULL_BRUSH)); }
    void Round(int l, int t, int r, int b, int radius) {
        RoundRect(dc_, X(l), Y(t), X(r), Y(b), radius * size_ / 32, radius * size_ / 32);
    }
    void Box(int l, int t, int r, int b) { Rectangle(dc_, X(l), Y(t), X(r), Y(b)); }
    void Oval(int l, int t, int r, int b) { Ellipse(dc_, X(l), Y(t), X(r), Y(b)); }
    void Line(int x1, int y1, int x2, int y2) {
        MoveToEx(dc_, X(x1), Y(y1), nullptr);
        LineTo(dc_, X(x2), Y(y2));
    }
    void Poly(std::initializer_list<POINT> points) {
        std::vector<POINT> p;
        for (POINT q : points)
            p.push_back({X(q.x), Y(q.y)});
        Polygon(dc_, p.data(), static_cast<int>(p.size()));
    }
    void Arc(int l, int t, int r, int b, int x1, int y1, int x2, int y2) {
        ::Arc(dc_, X(l), Y(t), X(r), Y(b), X(x1), Y(y1), X(x2), Y(y2));
    }

  private:
    HDC dc_;
    int size_, x0_, y0_;
    platform::UniqueBrush brush_;
    std::unique_ptr<std::remove_pointer_t<HPEN>, platform::GdiDeleter> pen_;
};

COLORREF BadgeColor(NavIcon icon) {
    switch (icon) {
        case NavIcon::Manual:
            return RGB(64, 110, 190);
        case NavIcon::Summary:
            return RGB(40, 140, 200);
        case NavIcon::OneKey:
            return RGB(230, 140, 20);
        case NavIcon::Update:
            return RGB(40, 160, 90);
        case NavIcon::DiskCleaner:
            return RGB(90, 100, 120);
        case NavIcon::Memory:
            return RGB(30, 130, 110);
        case NavIcon::Processes:
            return RGB(120, 80, 170);
        case NavIcon::Startup:
            return RGB(200, 70, 60);
        case NavIcon::Privacy:
            return RGB(50, 90, 160);
        case NavIcon::Cookies:
            return RGB(170, 110, 50);
        case NavIcon::Shredder:
            return RGB(150, 60, 60);
        case NavIcon::Report:
            return RGB(80, 120, 80);
        case NavIcon::About:
            return RGB(100, 100, 160);
    }
    return RGB(100, 100, 100);
}

}  // namespace

void DrawNavIcon(HDC dc, const RECT& box, NavIcon icon) {
    const int saved = SaveDC(dc);
    Canvas c(dc, box);
    const COLORREF white = RGB(255, 255, 255), badge = BadgeColor(icon);
    c.NoPen();
    c.Fill(badge);
    c.Round(1, 1, 31, 31, 10);
    c.Fill(white);
    switch (icon) {
        case NavIcon::Manual:  // an open book
            c.Poly({{6, 9}, {15, 7}, {15, 25}, {6, 27}});
            c.Poly({{17, 7}, {26, 9}, {26, 27}, {17, 25}});
            break;
        case NavIcon::Summary:  // "i"
        case NavIcon::About:
            c.Oval(13, 6, 19, 12);
            c.Box(13, 14, 19, 27);
            if (icon == NavIcon::About) c.Box(10, 24, 22, 27);
            break;
        case NavIcon::OneKey:  // a lightning bolt
            c.Poly({{18, 4}, {8, 18}, {15, 18}, {12, 28}, {24, 13}, {17, 13}});
            break;
        case NavIcon::Update:  // a circular arrow
            c.NoFill();
            c.Pen(white, 4);
            c.Arc(7, 7, 25, 25, 25, 12, 16, 7);
            c.NoPen();
            c.Fill(white);
            c.Poly({{21, 3}, {27, 14}, {16, 14}});
            break;
        case NavIcon::DiskCleaner:  // a drive with its light
            c.Round(5, 10, 27, 23, 4);
            c.Fill(badge);
            c.Oval(20, 15, 24, 19);
            break;
        case NavIcon::Memory:  // a memory module
            c.Box(4, 10, 28, 20);
            for (int x = 6; x < 28; x += 4)
                c.Box(x, 21, x + 2, 25);
            c.Fill(badge);
            c.Box(7, 13, 12, 17);
            c.Box(14, 13, 19, 17);
            c.Box(21, 13, 26, 17);
            break;
        case NavIcon::Processes:  // a list of tasks
            for (int y = 7; y < 26; y += 7) {
                c.Box(6, y, 10, y + 4);
                c.Box(12, y, 26, y + 4);
            }
            break;
        case NavIcon::Startup:  // a start arrow
            c.Poly({{9, 6}, {26, 16}, {9, 26}});
            break;
        case NavIcon::Privacy:  // a shield
            c.Poly({{16, 4}, {27, 8}, {25, 20}, {16, 28}, {7, 20}, {5, 8}});
            c.Fill(badge);
            c.Poly({{16, 9}, {22, 11}, {21, 19}, {16, 23}});
            break;
        case NavIcon::Cookies:  // a cookie
            c.Oval(5, 5, 27, 27);
            c.Fill(badge);
            c.Oval(10, 10, 14, 14);
            c.Oval(18, 12, 22, 16);
            c.Oval(12, 19, 16, 23);
            break;
        case NavIcon::Shredder:  // a sheet cut into strips
            c.Box(7, 5, 25, 14);
            c.Box(6, 14, 26, 17);
            for (int x = 8; x < 25; x += 4)
                c.Box(x, 18, x + 2, 28);
            break;
        case NavIcon::Report:  // a page with lines
            c.Box(8, 4, 24, 28);
            c.Fill(badge);
            for (int y = 9; y < 26; y += 4)
                c.Box(11, y, 21, y + 2);
            break;
    }
    RestoreDC(dc, saved);
}

HICON MakeNavIcon(NavIcon icon, int size) {
    return DrawPictureIcon(size, [icon](HDC dc, int s) {
        DrawNavIcon(dc, RECT{0, 0, s, s}, icon);
    });
}

}  // namespace ui
