#include "ui/paced_loop.h"

#include "ui/dispatch.h"
#include "ui/message_pump.h"

namespace ui {

uint64_t SteadyMicroseconds() {
    static const uint64_t frequency = [] {
        LARGE_INTEGER f{};
        QueryPerformanceFrequency(&f);
        return static_cast<uint64_t>(f.QuadPart);
    }();
    LARGE_INTEGER c{};
    QueryPerformanceCounter(&c);
    const auto count = static_cast<uint64_t>(c.QuadPart);
    return count / frequency * 1'000'000 + count % frequency * 1'000'000 / frequency;
}

PacedLoop::PacedLoop(HWND window, StatusBar* status, uint64_t pumpSliceUs, uint64_t showSliceUs)
    : window_(window), status_(status), pumpSliceUs_(pumpSliceUs), showSliceUs_(showSliceUs) {}

PacedLoop::~PacedLoop() {
    for (ListView* list : held_)
        list->PopRedrawOff();
}

void PacedLoop::Hold(ListView& list) {
    list.PushRedrawOff();
    held_.push_back(&list);
}

bool PacedLoop::Tick() {
    if (SteadyMicroseconds() < nextPump_) return false;
    Pump();
    if (SteadyMicroseconds() >= nextShow_) {
        Show();
        nextShow_ = SteadyMicroseconds() + showSliceUs_;
    }
    nextPump_ = SteadyMicroseconds() + pumpSliceUs_;
    return true;
}

void PacedLoop::Pump() {
    PumpMessages();
    // The window closed while its messages ran: nothing is left to work for.
    if (window_ && !IsWindow(window_)) throw Abort{};
    if (afterPump) afterPump();
}

void PacedLoop::SetPanel(int panel, std::string text) {
    panelText_[static_cast<size_t>(panel)] = std::move(text);
    panelDirty_[static_cast<size_t>(panel)] = true;
}

void PacedLoop::Flush() {
    if (beforeShow) beforeShow();
    for (size_t i = 0; i < panelText_.size(); ++i) {
        if (!panelDirty_[i]) continue;
        if (status_) status_->SetPanelText(static_cast<int>(i), panelText_[i]);
        panelDirty_[i] = false;
    }
}

void PacedLoop::Show() {
    Flush();
    if (!listsChanged_) return;
    listsChanged_ = false;
    // Rows added or removed with redraw off appear now: the pump paints them before redraw
    // goes off again.
    bool repainting = false;
    for (ListView* list : held_)
        repainting = list->PeekRedraw() || repainting;
    if (!repainting) return;
    PumpMessages();
    for (ListView* list : held_)
        list->EndPeekRedraw();
    if (window_ && !IsWindow(window_)) throw Abort{};
}

}  // namespace ui
