#pragma once
// The window timer of a page.
#include <windows.h>

#include <functional>

#include "ui/component.h"

namespace ui {

// A timer of a window: while enabled, onTimer runs every `interval` milliseconds on the window's
// thread, through the dispatcher.
class Timer : public Component {
  public:
    using Component::Component;
    ~Timer() override;
    // The window whose message loop carries the timer.
    void Attach(HWND owner, unsigned interval);
    void SetEnabled(bool enabled);
    bool Enabled() const { return enabled_; }
    unsigned Interval() const { return interval_; }
    // One period's end, as the timer runs it: onTimer through the dispatcher.
    void Elapse();

    std::function<void()> onTimer;

  private:
    static void CALLBACK Proc(HWND hwnd, UINT msg, UINT_PTR id, DWORD time);
    HWND owner_ = nullptr;
    unsigned interval_ = 1000;
    bool enabled_ = false;
};

}  // namespace ui
