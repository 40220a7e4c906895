#include "ui/message_pump.h"

namespace ui {
namespace {

MessageFilter& Filter() {
    static MessageFilter filter;
    return filter;
}

void Deliver(MSG& msg) {
    if (Filter() && Filter()(msg)) return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

}  // namespace

void SetMessageFilter(MessageFilter filter) {
    Filter() = std::move(filter);
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        Deliver(msg);
    }
}

int RunMessageLoop() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        Deliver(msg);
    return static_cast<int>(msg.wParam);
}

}  // namespace ui
