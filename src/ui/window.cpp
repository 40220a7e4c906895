#include "ui/window.h"

#include <commctrl.h>

#include "platform/text.h"
#include "ui/dispatch.h"
#include "ui/skin_engine.h"

namespace ui {
namespace {

constexpr wchar_t kClassName[] = L"VeltrinWindow";
constexpr wchar_t kTagProp[] = L"Veltrin.Tag";
constexpr wchar_t kControlProp[] = L"Veltrin.Control";

void RegisterOnce() {
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = DefWindowProcW;  // replaced per window below
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kClassName;
        return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
}

}  // namespace

void SetTag(HWND hwnd, int tag) {
    SetPropW(hwnd, kTagProp, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(tag)));
}

int TagOf(HWND hwnd) {
    return static_cast<int>(reinterpret_cast<INT_PTR>(GetPropW(hwnd, kTagProp)));
}

namespace {

HFONT MakeUiFont(bool underline) {
    HDC dc = GetDC(nullptr);
    const int height = -MulDiv(8, GetDeviceCaps(dc, LOGPIXELSY), 72);
    ReleaseDC(nullptr, dc);
    return CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, underline, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif");
}

}  // namespace

HFONT UiFont() {
    static HFONT font = MakeUiFont(false);
    return font;
}

HFONT UiLinkFont() {
    static HFONT font = MakeUiFont(true);
    return font;
}

Window::~Window() {
    if (hwnd_) {
        // No virtual call may reach a half-destroyed object.
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DefWindowProcW));
        DestroyWindow(hwnd_);
    }
}

RECT Window::ClientRect() const {
    RECT r{};
    GetClientRect(hwnd_, &r);
    return r;
}

void Window::CreateWindowOf(const std::wstring& title, DWORD style, DWORD exStyle, int x, int y,
                            int w, int h, HWND parent) {
    RegisterOnce();
    hwnd_ = CreateWindowExW(exStyle, kClassName, title.c_str(), style, x, y, w, h, parent, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    if (!hwnd_) throw std::runtime_error("Cannot create window " + Name());
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Window::Proc));
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont()), FALSE);
}

void Window::AnchorChild(HWND child, unsigned anchors) {
    RECT client = ClientRect(), r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
    anchored_.push_back({child, anchors,
                         RECT{r.left, r.top, client.right - r.right, client.bottom - r.bottom},
                         SIZE{r.right - r.left, r.bottom - r.top}});
}

void Window::LayoutAnchored() {
    if (anchored_.empty()) return;
    const RECT client = ClientRect();
    for (const auto& a : anchored_) {
        int x = a.margins.left, y = a.margins.top, w = a.size.cx, h = a.size.cy;
        if (a.anchors & kAnchorRight) {
            if (a.anchors & kAnchorLeft)
                w = client.right - a.margins.right - x;
            else
                x = client.right - a.margins.right - w;
        }
        if (a.anchors & kAnchorBottom) {
            if (a.anchors & kAnchorTop)
                h = client.bottom - a.margins.bottom - y;
            else
                y = client.bottom - a.margins.bottom - h;
        }
        MoveWindow(a.hwnd, x, y, w > 0 ? w : 0, h > 0 ? h : 0, TRUE);
    }
}

bool ReflectCommand(WPARAM wp, LPARAM lp) {
    if (!lp) return false;
    Control* c = Control::FromHandle(reinterpret_cast<HWND>(lp));
    if (!c) return false;
    c->OnCommand(HIWORD(wp));
    return true;
}

bool ReflectNotify(LPARAM lp, LRESULT& result) {
    const auto* header = reinterpret_cast<const NMHDR*>(lp);
    Control* c = header ? Control::FromHandle(header->hwndFrom) : nullptr;
    if (!c) return false;
    result = c->OnNotify(*header);
    return true;
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_COMMAND:
            if (ReflectCommand(wp, lp)) return 0;
            break;
        case WM_NOTIFY: {
            LRESULT r = 0;
            if (ReflectNotify(lp, r)) return r;
            break;
        }
        case WM_SIZE:
            LayoutAnchored();
            break;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX: {
            const SkinEngine* skin = ActiveSkin();
            HBRUSH brush = skin ? skin->ControlColor(msg, reinterpret_cast<HDC>(wp),
                                                     reinterpret_cast<HWND>(lp))
                                : nullptr;
            const LRESULT result = brush ? reinterpret_cast<LRESULT>(brush) : Default(msg, wp, lp);
            if (Control* c = Control::FromHandle(reinterpret_cast<HWND>(lp)))
                c->OnColor(reinterpret_cast<HDC>(wp));
            return result;
        }
        case WM_SETCURSOR:
            if (Control* c = Control::FromHandle(reinterpret_cast<HWND>(wp));
                c && LOWORD(lp) == HTCLIENT && c->Cursor()) {
                SetCursor(c->Cursor());
                return TRUE;
            }
            break;
        case WM_ERASEBKGND:
            if (const SkinEngine* skin = ActiveSkin(); skin && TagOf(hwnd_) != kUnskinnedTag) {
                skin->PaintBackground(hwnd_, reinterpret_cast<HDC>(wp));
                return 1;
            }
            break;
    }
    return Default(msg, wp, lp);
}

LRESULT CALLBACK Window::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
    LRESULT result = 0;
    const bool ok = Dispatch(self, [&] { result = self->HandleMessage(msg, wp, lp); });
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    return ok ? result : DefWindowProcW(hwnd, msg, wp, lp);
}

Control::~Control() {
    if (hwnd_ && IsWindow(hwnd_)) {
        RemovePropW(hwnd_, kControlProp);
        RemovePropW(hwnd_, kTagProp);
        DestroyWindow(hwnd_);
    }
}

Control* Control::FromHandle(HWND hwnd) {
    return static_cast<Control*>(GetPropW(hwnd, kControlProp));
}

void Control::CreateControl(HWND parent, const wchar_t* className, const std::string& text,
                            DWORD style, DWORD exStyle, int x, int y, int w, int h) {
    hwnd_ = CreateWindowExW(exStyle, className, platform::Widen(text).c_str(),
                            style | WS_CHILD | WS_VISIBLE, x, y, w, h, parent, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    if (!hwnd_) throw std::runtime_error("Cannot create control " + Name());
    SetPropW(hwnd_, kControlProp, this);
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont()), FALSE);
}

void Control::Fire(const std::function<void()>& handler) const {
    if (handler) Dispatch(this, handler);
}

void Control::SetText(const std::string& text) {
    SetWindowTextW(hwnd_, platform::Widen(text).c_str());
}

std::string Control::Text() const {
    std::wstring buf(static_cast<size_t>(GetWindowTextLengthW(hwnd_)) + 1, L'\0');
    buf.resize(
        static_cast<size_t>(GetWindowTextW(hwnd_, buf.data(), static_cast<int>(buf.size()))));
    return platform::Narrow(buf);
}

}  // namespace ui
