#pragma once
// Hints shown on hover for chosen controls only: one tool tip window per page, each control
// added with its text.
#include <windows.h>

#include <string>

namespace ui {

class ToolTip {
  public:
    ToolTip() = default;
    ~ToolTip();
    ToolTip(const ToolTip&) = delete;
    ToolTip& operator=(const ToolTip&) = delete;

    // The tool tip of `owner`'s controls; created once.
    void Create(HWND owner);
    // Shows `text` while the mouse rests on `control`.
    void Add(HWND control, const std::string& text);
    // The hint of `control`, or "" when it has none.
    std::string TextOf(HWND control) const;
    HWND Handle() const { return tip_; }

  private:
    HWND owner_ = nullptr;
    HWND tip_ = nullptr;
};

}  // namespace ui
