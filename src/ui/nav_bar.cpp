#include "ui/nav_bar.h"

#include "ui/skin_engine.h"

namespace ui {
namespace {

// Heights in 96-DPI units.
constexpr int kHeaderUnits = 26;
constexpr int kLargeUnits = 62;
constexpr int kSmallUnits = 26;

}  // namespace

void NavBar::Create(HWND parent, Bounds b) {
    CreateWindowOf(L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, b.x, b.y, b.w,
                   b.h, parent);
}

int NavBar::AddHeader(const std::string& name, const std::string& caption) {
    Header h;
    h.button = std::make_unique<Button>(name);
    h.button->Create(Handle(), caption, {}, BS_OWNERDRAW);
    const int index = HeaderCount();
    h.button->onClick = [this, index] { SetHeaderOpen(index, !IsHeaderOpen(index)); };
    headers_.push_back(std::move(h));
    Layout();
    return index;
}

Button& NavBar::AddButton(int header, const std::string& name, const std::string& caption,
                          bool large, NavIcon icon, std::function<void()> onClick) {
    Item item{std::make_unique<Button>(name), large, icon};
    item.button->Create(Handle(), caption, {}, BS_OWNERDRAW);
    item.button->onClick = std::move(onClick);
    Button& b = *item.button;
    headers_[header].items.push_back(std::move(item));
    Layout();
    return b;
}

void NavBar::SetHeaderOpen(int header, bool open) {
    for (int i = 0; i < HeaderCount(); ++i)
        headers_[i].open = (i == header) ? open : false;
    Layout();
}

void NavBar::Layout() {
    const RECT client = ClientRect();
    const int width = client.right;
    const UINT dpi = Dpi();
    const int headerHeight = Scale(kHeaderUnits, dpi);
    const int largeHeight = Scale(kLargeUnits, dpi);
    const int smallHeight = Scale(kSmallUnits, dpi);
    const int px2 = Scale(2, dpi);
    int y = 0;
    // Headers below the open one sit at the bottom, as in an outlook bar.
    int below = 0;
    bool seenOpen = false;
    for (const auto& h : headers_) {
        if (seenOpen) below += headerHeight;
        seenOpen |= h.open;
    }
    for (auto& h : headers_) {
        MoveWindow(h.button->Handle(), 0, y, width, headerHeight, TRUE);
        y += headerHeight;
        for (auto& item : h.items) {
            const int height = item.large ? largeHeight : smallHeight;
            item.button->Show(h.open);
            if (h.open) {
                MoveWindow(item.button->Handle(), px2, y, width - 2 * px2, height, TRUE);
                y += height;
            }
        }
        if (h.open) y = std::max(y, static_cast<int>(client.bottom) - below);
    }
    InvalidateRect(Handle(), nullptr, TRUE);
}

void NavBar::Draw(const DRAWITEMSTRUCT& d) {
    const bool pressed = d.itemState & ODS_SELECTED;
    wchar_t text[128] = {};
    GetWindowTextW(d.hwndItem, text, 128);
    HDC dc = d.hDC;
    RECT r = d.rcItem;
    SetBkMode(dc, TRANSPARENT);
    const UINT dpi = Dpi();
    const auto px = [dpi](int units) { return Scale(units, dpi); };
    SelectObject(dc, UiFont(dpi));

    for (const auto& h : headers_) {
        if (h.button->Handle() == d.hwndItem) {
            HBRUSH back = CreateSolidBrush(SkinColor(&SkinColors::header, COLOR_ACTIVECAPTION));
            FillRect(dc, &r, back);
            DeleteObject(back);
            DrawEdge(dc, &r, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
            SetTextColor(dc, SkinColor(&SkinColors::headerText, COLOR_CAPTIONTEXT));
            RECT t = r;
            t.left += px(8);
            DrawTextW(dc, text, -1, &t, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
            // An arrow tells open from closed.
            RECT a = r;
            a.right -= px(8);
            DrawTextW(dc, h.open ? L"\u25B2" : L"\u25BC", -1, &a,
                      DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
            return;
        }
        for (const auto& item : h.items) {
            if (item.button->Handle() != d.hwndItem) continue;
            HBRUSH back =
                CreateSolidBrush(pressed ? SkinColor(&SkinColors::buttonHot, COLOR_HIGHLIGHT)
                                         : SkinColor(&SkinColors::navBar, COLOR_BTNFACE));
            FillRect(dc, &r, back);
            DeleteObject(back);
            SetTextColor(dc, SkinColor(&SkinColors::buttonText, COLOR_BTNTEXT));
            if (item.large) {
                const int cx = (r.left + r.right) / 2;
                const RECT icon{cx - px(16), r.top + px(5), cx + px(16), r.top + px(37)};
                DrawNavIcon(dc, icon, item.icon);
                RECT t{r.left, r.top + px(39), r.right, r.bottom - px(2)};
                DrawTextW(dc, text, -1, &t, DT_SINGLELINE | DT_CENTER | DT_TOP | DT_NOPREFIX);
            } else {
                const RECT icon{r.left + px(8), r.top + px(5), r.left + px(24), r.top + px(21)};
                DrawNavIcon(dc, icon, item.icon);
                RECT t{r.left + px(30), r.top, r.right, r.bottom};
                DrawTextW(dc, text, -1, &t, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
            }
            if (d.itemState & ODS_FOCUS) {
                RECT f = r;
                InflateRect(&f, -2, -2);
                DrawFocusRect(dc, &f);
            }
            return;
        }
    }
}

LRESULT NavBar::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_DRAWITEM:
            Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
            return TRUE;
        case WM_SIZE:
            Layout();
            break;
        case WM_ERASEBKGND: {
            RECT r = ClientRect();
            HBRUSH back = CreateSolidBrush(SkinColor(&SkinColors::navBar, COLOR_BTNFACE));
            FillRect(reinterpret_cast<HDC>(wp), &r, back);
            DeleteObject(back);
            return 1;
        }
    }
    return Window::HandleMessage(msg, wp, lp);
}

}  // namespace ui
