#include "ui/track_bar.h"

#include <commctrl.h>

#include "ui/dispatch.h"
#include "ui/pie_gauge.h"

namespace ui {

void TrackBar::Create(HWND parent, Bounds b, int minimum, int maximum, int position) {
    CreateControl(parent, TRACKBAR_CLASSW, "", TBS_HORZ | TBS_AUTOTICKS | WS_TABSTOP, 0, b.x, b.y,
                  b.w, b.h);
    SendMessageW(Handle(), TBM_SETRANGE, FALSE, MAKELPARAM(minimum, maximum));
    SendMessageW(Handle(), TBM_SETTICFREQ, 5, 0);
    SendMessageW(Handle(), TBM_SETPOS, TRUE, position);
    last_ = Position();
}

int TrackBar::Position() const {
    return static_cast<int>(SendMessageW(Handle(), TBM_GETPOS, 0, 0));
}

void TrackBar::SetPosition(int position) {
    SendMessageW(Handle(), TBM_SETPOS, TRUE, position);
    Scrolled();
}

void TrackBar::Scrolled() {
    const int now = Position();
    if (now == last_) return;
    last_ = now;
    Fire(onChange);
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

Timer::~Timer() {
    if (owner_ && enabled_) KillTimer(owner_, reinterpret_cast<UINT_PTR>(this));
}

void Timer::Attach(HWND owner, unsigned interval) {
    owner_ = owner;
    interval_ = interval;
}

void Timer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (!owner_) return;
    if (enabled)
        SetTimer(owner_, reinterpret_cast<UINT_PTR>(this), interval_, Proc);
    else
        KillTimer(owner_, reinterpret_cast<UINT_PTR>(this));
}

void Timer::Elapse() {
    if (onTimer) Dispatch(this, onTimer);
}

void CALLBACK Timer::Proc(HWND, UINT, UINT_PTR id, DWORD) {
    auto* timer = reinterpret_cast<Timer*>(id);
    if (timer->enabled_) timer->Elapse();
}

}  // namespace ui
