#include "ui/page.h"

#include "ui/dispatch.h"

namespace ui {

void Page::CreatePage(HWND parent) {
    RECT r{};
    GetClientRect(parent, &r);
    const UINT dpi = DpiOf(parent);
    CreateWindowOf(L"", WS_CHILD | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, 0, 0,
                   Unscale(r.right, dpi), Unscale(r.bottom, dpi), parent);
    SetTag(Handle(), 1);
}

int Page::AddHeading(Label& label, Picture& picture, NavIcon icon, const std::string& text) {
    headingIcon_.reset(MakeNavIcon(icon, Scale(48, Dpi())));
    picture.Create(Handle(), headingIcon_.get(), {8, 8, 48, 48});
    const int width = ClientUnits().right - 72;
    label.Create(Handle(), text, {64, 8, width, 56});
    AnchorChild(label.Handle(), kAnchorLeft | kAnchorTop | kAnchorRight);
    return 70;
}

void PageHost::Create(HWND parent, Bounds b) {
    CreateWindowOf(L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, b.x, b.y, b.w,
                   b.h, parent);
}

void PageHost::AddPage(Page& page) {
    SetParent(page.Handle(), Handle());
    pages_.push_back(&page);
}

void PageHost::ShowPage(Page& page) {
    if (active_ == &page) return;
    Page* old = active_;
    active_ = &page;
    page.Show(true);
    if (live_) Dispatch(&page, [&] { page.OnShow(); });
    if (old) {
        old->Show(false);
        if (live_) Dispatch(old, [&] { old->OnHide(); });
    }
}

void PageHost::GoLive() {
    if (live_) return;
    live_ = true;
    if (active_) Dispatch(active_, [&] { active_->OnShow(); });
}

LRESULT PageHost::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_SIZE) {
        const RECT r = ClientRect();
        for (Page* p : pages_)
            MoveWindow(p->Handle(), 0, 0, r.right, r.bottom, TRUE);
    }
    return Window::HandleMessage(msg, wp, lp);
}

}  // namespace ui
