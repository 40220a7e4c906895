#pragma once
// A horizontal track bar. Its parent hands it the scroll messages it sends (Scrolled); a change
// of position, by the user or by SetPosition, runs onChange.
#include <windows.h>

#include <functional>

#include "ui/controls.h"

namespace ui {

class TrackBar : public Control {
  public:
    using Control::Control;
    void Create(HWND parent, Bounds b, int minimum, int maximum, int position);
    int Position() const;
    void SetPosition(int position);
    // For the parent's WM_HSCROLL from this control.
    void Scrolled();

    std::function<void()> onChange;

  private:
    int last_ = 0;
};

// A gauge drawn as a pie (see pie_gauge.h).
class PieGaugeControl : public Control {
  public:
    using Control::Control;
    ~PieGaugeControl() override;
    void Create(HWND parent, Bounds b);
    int Progress() const { return progress_; }
    int Maximum() const { return maximum_; }
    void SetProgress(int progress);
    void SetMaximum(int maximum);
    void AddProgress(int delta) { SetProgress(progress_ + delta); }

  private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                 DWORD_PTR self);
    int progress_ = 0, maximum_ = 100;
};

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
