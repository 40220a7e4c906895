#include "ui/window.h"

#include <commctrl.h>

#include <cwchar>
#include <map>
#include <unordered_map>
#include <utility>

#include "platform/text.h"
#include "ui/dispatch.h"
#include "ui/skin_engine.h"

namespace ui {
namespace {

constexpr wchar_t kClassName[] = L"VeltrinWindow";
constexpr wchar_t kTagProp[] = L"Veltrin.Tag";

// The control behind each of our child windows. A window property would do, but under Wine
// every GetProp is a server round trip, and a list view sends several notifications per row.
std::unordered_map<HWND, Control*>& Controls() {
    static std::unordered_map<HWND, Control*> controls;
    return controls;
}

}  // namespace

void Window::RegisterOnce() {
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = Window::Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kClassName;
        return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
}

void SetTag(HWND hwnd, int tag) {
    SetPropW(hwnd, kTagProp, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(tag)));
}

int TagOf(HWND hwnd) {
    return static_cast<int>(reinterpret_cast<INT_PTR>(GetPropW(hwnd, kTagProp)));
}

namespace {

HFONT MakeUiFont(bool underline, UINT dpi) {
    const int height = -MulDiv(8, static_cast<int>(dpi), 72);
    return CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, underline, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif");
}

// Kept for the life of the program: every window of a DPI shares them.
HFONT CachedFont(bool underline, UINT dpi) {
    static std::map<std::pair<bool, UINT>, HFONT> fonts;
    HFONT& font = fonts[{underline, dpi}];
    if (!font) font = MakeUiFont(underline, dpi);
    return font;
}

bool IsOurWindow(HWND hwnd) {
    wchar_t name[32] = {};
    GetClassNameW(hwnd, name, 32);
    return wcscmp(name, kClassName) == 0;
}

}  // namespace

UINT DpiOf(HWND hwnd) {
    const UINT dpi = hwnd ? GetDpiForWindow(hwnd) : GetDpiForSystem();
    return dpi ? dpi : 96;
}

HFONT UiFont(UINT dpi) {
    return CachedFont(false, dpi);
}

HFONT UiLinkFont(UINT dpi) {
    return CachedFont(true, dpi);
}

void RescaleDescendants(HWND top, UINT oldDpi, UINT newDpi) {
    if (oldDpi == newDpi) return;
    struct Job {
        UINT oldDpi, newDpi;
    } job{oldDpi, newDpi};
    EnumChildWindows(
        top,
        [](HWND child, LPARAM lp) -> BOOL {
            const auto& j = *reinterpret_cast<const Job*>(lp);
            const auto scale = [&](LONG v) {
                return MulDiv(v, static_cast<int>(j.newDpi), static_cast<int>(j.oldDpi));
            };
            RECT r{};
            GetWindowRect(child, &r);
            MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
            SetWindowPos(child, nullptr, scale(r.left), scale(r.top), scale(r.right - r.left),
                         scale(r.bottom - r.top), SWP_NOZORDER | SWP_NOACTIVATE);
            const auto font = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
            if (font == UiFont(j.oldDpi) || font == UiLinkFont(j.oldDpi))
                SendMessageW(
                    child, WM_SETFONT,
                    reinterpret_cast<WPARAM>(font == UiFont(j.oldDpi) ? UiFont(j.newDpi)
                                                                      : UiLinkFont(j.newDpi)),
                    TRUE);
            wchar_t name[32] = {};
            GetClassNameW(child, name, 32);
            if (wcscmp(name, WC_LISTVIEWW) == 0) {
                const HWND header = ListView_GetHeader(child);
                const int columns = header ? Header_GetItemCount(header) : 0;
                for (int c = 0; c < columns; ++c)
                    ListView_SetColumnWidth(child, c, scale(ListView_GetColumnWidth(child, c)));
            }
            if (IsOurWindow(child))
                if (auto* w = reinterpret_cast<Window*>(GetWindowLongPtrW(child, GWLP_USERDATA)))
                    w->ScaleAnchors(j.oldDpi, j.newDpi);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&job));
    if (IsOurWindow(top))
        if (auto* w = reinterpret_cast<Window*>(GetWindowLongPtrW(top, GWLP_USERDATA)))
            w->ScaleAnchors(oldDpi, newDpi);
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

RECT Window::ClientUnits() const {
    const RECT r = ClientRect();
    const UINT dpi = Dpi();
    return {Unscale(r.left, dpi), Unscale(r.top, dpi), Unscale(r.right, dpi),
            Unscale(r.bottom, dpi)};
}

void Window::CreateWindowOf(const std::wstring& title, DWORD style, DWORD exStyle, int x, int y,
                            int w, int h, HWND parent) {
    RegisterOnce();
    if (style & WS_CHILD) {
        const UINT dpi = DpiOf(parent);
        x = Scale(x, dpi), y = Scale(y, dpi), w = Scale(w, dpi), h = Scale(h, dpi);
    }
    // `this` arrives with WM_NCCREATE, so every message of the window reaches HandleMessage.
    const HWND created = CreateWindowExW(exStyle, kClassName, title.c_str(), style, x, y, w, h,
                                         parent, nullptr, GetModuleHandleW(nullptr), this);
    if (!created) throw std::runtime_error("Cannot create window " + Name());
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont(Dpi())), FALSE);
}

void Window::ScaleAnchors(UINT oldDpi, UINT newDpi) {
    const auto scale = [&](LONG v) {
        return MulDiv(v, static_cast<int>(newDpi), static_cast<int>(oldDpi));
    };
    for (auto& a : anchored_) {
        a.margins = {scale(a.margins.left), scale(a.margins.top), scale(a.margins.right),
                     scale(a.margins.bottom)};
        a.size = {scale(a.size.cx), scale(a.size.cy)};
    }
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
    if (msg == WM_NCCREATE) {
        auto* creating =
            static_cast<Window*>(reinterpret_cast<const CREATESTRUCTW*>(lp)->lpCreateParams);
        if (creating) {
            creating->hwnd_ = hwnd;
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creating));
        }
    }
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
    // Only our own entry: the handle may already name a newer control.
    if (const auto it = Controls().find(hwnd_); it != Controls().end() && it->second == this)
        Controls().erase(it);
    if (hwnd_ && IsWindow(hwnd_)) {
        RemovePropW(hwnd_, kTagProp);
        DestroyWindow(hwnd_);
    }
}

Control* Control::FromHandle(HWND hwnd) {
    const auto& controls = Controls();
    const auto it = controls.find(hwnd);
    return it == controls.end() ? nullptr : it->second;
}

void Control::CreateControl(HWND parent, const wchar_t* className, const std::string& text,
                            DWORD style, DWORD exStyle, int x, int y, int w, int h) {
    const UINT dpi = DpiOf(parent);
    hwnd_ =
        CreateWindowExW(exStyle, className, platform::Widen(text).c_str(),
                        style | WS_CHILD | WS_VISIBLE, Scale(x, dpi), Scale(y, dpi), Scale(w, dpi),
                        Scale(h, dpi), parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!hwnd_) throw std::runtime_error("Cannot create control " + Name());
    Controls()[hwnd_] = this;
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont(dpi)), FALSE);
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
