#include "ui/timer.h"

#include "ui/dispatch.h"

namespace ui {

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
