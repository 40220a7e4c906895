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

}  // namespace ui
