#include "ui/skin_engine.h"

#include <commctrl.h>

#include "platform/files.h"
#include "ui/window.h"

namespace ui {
namespace {

const SkinEngine* g_active = nullptr;

bool Skinnable(HWND hwnd) {
    return hwnd && TagOf(hwnd) != kUnskinnedTag;
}

// Dialogs made by the system (message boxes, file dialogs) and our own dialogs are coloured
// through a subclass that the creation hook puts on every dialog window of the thread.
LRESULT CALLBACK DialogSubclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
    const SkinEngine* skin = ActiveSkin();
    if (skin && Skinnable(hwnd)) {
        switch (msg) {
            case WM_CTLCOLORDLG:
                return reinterpret_cast<LRESULT>(
                    skin->ControlColor(WM_CTLCOLORSTATIC, reinterpret_cast<HDC>(wp), hwnd));
            case WM_CTLCOLORSTATIC:
            case WM_CTLCOLORBTN:
            case WM_CTLCOLOREDIT:
            case WM_CTLCOLORLISTBOX:
                if (HBRUSH b = skin->ControlColor(msg, reinterpret_cast<HDC>(wp),
                                                  reinterpret_cast<HWND>(lp)))
                    return reinterpret_cast<LRESULT>(b);
                break;
        }
    }
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, DialogSubclass, 1);
    return DefSubclassProc(hwnd, msg, wp, lp);
}

LRESULT CALLBACK CreationHook(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_CREATEWND) {
        const auto* create = reinterpret_cast<const CBT_CREATEWNDW*>(lp);
        // #32770 is the dialog class.
        if (create->lpcs->lpszClass == MAKEINTATOM(32770))
            SetWindowSubclass(reinterpret_cast<HWND>(wp), DialogSubclass, 1, 0);
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

}  // namespace

SkinEngine::~SkinEngine() {
    SetActive(false);
}

bool SkinEngine::SetActive(bool active) {
    if (hook_) UnhookWindowsHookEx(hook_);
    hook_ = nullptr;
    colors_.reset();
    if (g_active == this) g_active = nullptr;
    if (!active) return false;

    const auto text = platform::ReadWholeFile(path_);
    if (!text) return false;
    colors_ = ParseSkin(*text);
    if (!colors_) return false;
    windowBrush_.reset(CreateSolidBrush(colors_->window));
    editBrush_.reset(CreateSolidBrush(colors_->edit));
    hook_ = SetWindowsHookExW(WH_CBT, CreationHook, nullptr, GetCurrentThreadId());
    g_active = this;
    return true;
}

HBRUSH SkinEngine::ControlColor(UINT msg, HDC dc, HWND control) const {
    if (!colors_ || !Skinnable(control)) return nullptr;
    if (msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX) {
        SetTextColor(dc, colors_->editText);
        SetBkColor(dc, colors_->edit);
        return editBrush_.get();
    }
    SetTextColor(dc, colors_->text);
    SetBkColor(dc, colors_->window);
    return windowBrush_.get();
}

void SkinEngine::PaintBackground(HWND window, HDC dc) const {
    RECT r;
    GetClientRect(window, &r);
    FillRect(dc, &r, colors_ ? windowBrush_.get() : GetSysColorBrush(COLOR_BTNFACE));
}

const SkinEngine* ActiveSkin() {
    return g_active;
}

COLORREF SkinColor(Rgb SkinColors::*member, int systemColor) {
    return g_active ? g_active->Colors().*member : GetSysColor(systemColor);
}

}  // namespace ui
