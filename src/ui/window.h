#pragma once
// Window: a window of our own class (main window, pages, panels) that owns its HWND and reflects
// WM_COMMAND / WM_NOTIFY back to the Control that sent them. Control: a child window of a
// standard class, with its handlers as std::function members.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/component.h"

namespace ui {

class Control;

enum Anchor : unsigned { kAnchorLeft = 1, kAnchorTop = 2, kAnchorRight = 4, kAnchorBottom = 8 };

// The skin engine leaves alone a window whose Tag is this.
constexpr int kUnskinnedTag = 9999;
void SetTag(HWND hwnd, int tag);
int TagOf(HWND hwnd);

// Layout is written in units of 96 DPI and scaled by the DPI of the window it lands in.
UINT DpiOf(HWND hwnd);
inline int Scale(int units, UINT dpi) {
    return MulDiv(units, static_cast<int>(dpi), 96);
}
inline int Unscale(int pixels, UINT dpi) {
    return MulDiv(pixels, 96, static_cast<int>(dpi));
}

// The font every control of the program uses, and its underlined twin for links, at a DPI.
HFONT UiFont(UINT dpi = 96);
HFONT UiLinkFont(UINT dpi = 96);

// Moves and sizes every descendant of `top` by newDpi / oldDpi and gives each its font at the
// new DPI, as WM_DPICHANGED asks; list view columns follow.
void RescaleDescendants(HWND top, UINT oldDpi, UINT newDpi);

class Window : public Component {
  public:
    explicit Window(std::string name) : Component(std::move(name)) {}
    ~Window() override;

    HWND Handle() const override { return hwnd_; }
    void Show(bool visible) { ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE); }
    bool IsVisible() const { return IsWindowVisible(hwnd_) != FALSE; }
    RECT ClientRect() const;
    // The client area in 96-DPI units: what a page lays its controls out in.
    RECT ClientUnits() const;
    UINT Dpi() const { return DpiOf(hwnd_); }

    // Keeps the child's distances to the given edges of this window's client area.
    void AnchorChild(HWND child, unsigned anchors);

  protected:
    // Creates the window of the program's common window class. A child window's position and
    // size are in 96-DPI units; a top-level window's are in pixels.
    void CreateWindowOf(const std::wstring& title, DWORD style, DWORD exStyle, int x, int y, int w,
                        int h, HWND parent);
    // Called after WM_DPICHANGED moved the descendants; anchors are in pixels and follow.
    void ScaleAnchors(UINT oldDpi, UINT newDpi);
    virtual LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Default(UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcW(hwnd_, msg, wp, lp); }

  private:
    static void RegisterOnce();
    friend void RescaleDescendants(HWND top, UINT oldDpi, UINT newDpi);
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void LayoutAnchored();

    struct AnchoredChild {
        HWND hwnd;
        unsigned anchors;
        RECT margins;  // left, top, right, bottom distances at the time of anchoring
        SIZE size;
    };
    HWND hwnd_ = nullptr;
    std::vector<AnchoredChild> anchored_;
};

// Reflection helpers for window procedures that are not a ui::Window (dialogs).
bool ReflectCommand(WPARAM wp, LPARAM lp);
bool ReflectNotify(LPARAM lp, LRESULT& result);

class Control : public Component {
  public:
    explicit Control(std::string name) : Component(std::move(name)) {}
    ~Control() override;

    HWND Handle() const override { return hwnd_; }
    void SetText(const std::string& text);
    std::string Text() const;
    void SetEnabled(bool enabled) { EnableWindow(hwnd_, enabled); }
    bool IsEnabled() const { return IsWindowEnabled(hwnd_) != FALSE; }
    void Show(bool visible) { ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE); }
    bool IsVisible() const { return IsWindowVisible(hwnd_) != FALSE; }
    void SetTag(int tag) { ui::SetTag(hwnd_, tag); }
    int Tag() const { return TagOf(hwnd_); }
    // In pixels of the parent's client area.
    void Move(int x, int y, int w, int h) { MoveWindow(hwnd_, x, y, w, h, TRUE); }
    int Id() const { return GetDlgCtrlID(hwnd_); }

    // Called by the parent for WM_COMMAND and WM_NOTIFY of this control.
    virtual void OnCommand(int /*code*/) {}
    virtual LRESULT OnNotify(const NMHDR& /*header*/) { return 0; }
    // Called by the parent after the colours of this control's text are set.
    virtual void OnColor(HDC /*dc*/) {}
    // The cursor over this control; null for the class's own.
    virtual HCURSOR Cursor() const { return nullptr; }

    static Control* FromHandle(HWND hwnd);

  protected:
    // Position and size in 96-DPI units of the parent.
    void CreateControl(HWND parent, const wchar_t* className, const std::string& text, DWORD style,
                       DWORD exStyle, int x, int y, int w, int h);
    // Runs a handler of this control through the dispatcher.
    void Fire(const std::function<void()>& handler) const;

  private:
    HWND hwnd_ = nullptr;
};

}  // namespace ui
