#pragma once
// A progress gauge drawn as a pie: the share done as a blue sector growing clockwise from twelve
// o'clock, its percentage written in the middle in red bold.
#include <windows.h>

#include "ui/controls.h"

namespace ui {

inline constexpr COLORREF kPieColor = RGB(0, 0, 255);
inline constexpr COLORREF kPieTextColor = RGB(255, 0, 0);

// Draws the gauge into `box` of `dc`, on the face colour of dialogs unless the caller has
// painted the background itself.
void DrawPieGauge(HDC dc, const RECT& box, int progress, int maximum, bool fillBackground = true);

// A gauge drawn as a pie (as DrawPieGauge draws it).
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

}  // namespace ui
