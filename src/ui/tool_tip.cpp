#include "ui/tool_tip.h"

#include <commctrl.h>

#include <vector>

#include "platform/text.h"

namespace ui {
namespace {

TTTOOLINFOW ToolOf(HWND owner, HWND control) {
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = owner;
    info.uId = reinterpret_cast<UINT_PTR>(control);
    return info;
}

}  // namespace

ToolTip::~ToolTip() {
    if (tip_) DestroyWindow(tip_);
}

void ToolTip::Create(HWND owner) {
    if (tip_) return;
    owner_ = owner;
    tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
    // Long hints wrap instead of running off the screen.
    if (tip_) SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, 400);
}

void ToolTip::Add(HWND control, const std::string& text) {
    if (!tip_) return;
    std::wstring wide = platform::Widen(text);
    TTTOOLINFOW info = ToolOf(owner_, control);
    info.lpszText = wide.data();
    SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

std::string ToolTip::TextOf(HWND control) const {
    if (!tip_) return {};
    std::vector<wchar_t> buffer(1024);
    TTTOOLINFOW info = ToolOf(owner_, control);
    info.lpszText = buffer.data();
    if (!SendMessageW(tip_, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info))) return {};
    return platform::Narrow(std::wstring_view(buffer.data()));
}

}  // namespace ui
