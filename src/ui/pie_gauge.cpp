#include "ui/pie_gauge.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "platform/handles.h"

namespace ui {

void DrawPieGauge(HDC dc, const RECT& box, int progress, int maximum, bool fillBackground) {
    const int saved = SaveDC(dc);
    if (fillBackground) FillRect(dc, &box, GetSysColorBrush(COLOR_BTNFACE));

    // The round face, as large as the box allows, centred.
    const int side = std::min(box.right - box.left, box.bottom - box.top);
    const int left = box.left + (box.right - box.left - side) / 2;
    const int top = box.top + (box.bottom - box.top - side) / 2;
    const RECT face{left, top, left + side, top + side};
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    SelectObject(dc, GetStockObject(BLACK_PEN));
    Ellipse(dc, face.left, face.top, face.right, face.bottom);

    const int done = maximum > 0 ? std::clamp(progress, 0, maximum) : 0;
    const platform::UniqueBrush blue(CreateSolidBrush(kPieColor));
    SelectObject(dc, blue.get());
    // The sector without an outline, so a thin one is still blue.
    SelectObject(dc, GetStockObject(NULL_PEN));
    if (maximum > 0 && done == maximum) {
        Ellipse(dc, face.left, face.top, face.right, face.bottom);
    } else if (done > 0) {
        constexpr double kPi = 3.14159265358979323846;
        const double angle = 2 * kPi * done / maximum;
        const int cx = (face.left + face.right) / 2, cy = (face.top + face.bottom) / 2;
        const double r = side / 2.0;
        const int ex = cx + static_cast<int>(std::lround(r * std::sin(angle)));
        const int ey = cy - static_cast<int>(std::lround(r * std::cos(angle)));
        // A sector thinner than a pixel ends where it starts, which GDI draws as the whole face.
        if (ex != cx || ey != face.top) {
            SetArcDirection(dc, AD_CLOCKWISE);
            Pie(dc, face.left, face.top, face.right, face.bottom, cx, face.top, ex, ey);
        }
    }

    SelectObject(dc, GetStockObject(HOLLOW_BRUSH));
    SelectObject(dc, GetStockObject(BLACK_PEN));
    Ellipse(dc, face.left, face.top, face.right, face.bottom);

    const int percent = maximum > 0 ? static_cast<int>(int64_t{done} * 100 / maximum) : 0;
    const std::wstring text = std::to_wstring(percent) + L"%";
    const platform::UniqueFont font(CreateFontW(-std::max(8, side / 6), 0, 0, 0, FW_BOLD, FALSE,
                                                FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                                DEFAULT_PITCH | FF_SWISS, L"Arial"));
    SelectObject(dc, font.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kPieTextColor);
    RECT textBox = face;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textBox,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    RestoreDC(dc, saved);
}

PieGaugeControl::~PieGaugeControl() {
    if (Handle()) RemoveWindowSubclass(Handle(), Proc, 0);
}

void PieGaugeControl::Create(HWND parent, Bounds b) {
    CreateControl(parent, WC_STATICW, "", SS_NOTIFY, 0, b.x, b.y, b.w, b.h);
    SetWindowSubclass(Handle(), Proc, 0, reinterpret_cast<DWORD_PTR>(this));
}

void PieGaugeControl::SetProgress(int progress) {
    progress_ = progress;
    InvalidateRect(Handle(), nullptr, FALSE);
}

void PieGaugeControl::SetMaximum(int maximum) {
    maximum_ = maximum;
    InvalidateRect(Handle(), nullptr, FALSE);
}

LRESULT CALLBACK PieGaugeControl::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                       DWORD_PTR self) {
    const auto* gauge = reinterpret_cast<const PieGaugeControl*>(self);
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            RECT box;
            GetClientRect(hwnd, &box);
            // The page's own background (its skin) behind the round face.
            POINT origin{0, 0};
            MapWindowPoints(hwnd, GetParent(hwnd), &origin, 1);
            POINT old;
            SetViewportOrgEx(dc, -origin.x, -origin.y, &old);
            SendMessageW(GetParent(hwnd), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
            SetViewportOrgEx(dc, old.x, old.y, nullptr);
            DrawPieGauge(dc, box, gauge->progress_, gauge->maximum_, false);
            EndPaint(hwnd, &ps);
            return 0;
        }
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

}  // namespace ui
