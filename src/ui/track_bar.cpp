#include "ui/track_bar.h"

#include <commctrl.h>

#include "ui/dispatch.h"

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

}  // namespace ui
