#pragma once
// Letting pending window messages run from inside long handlers.
#include <windows.h>

#include <cstdint>
#include <functional>

namespace ui {

// Sees every message before it is dispatched (the main window's key preview and dialog keys);
// returns true when it handled the message itself.
using MessageFilter = std::function<bool(MSG&)>;
void SetMessageFilter(MessageFilter filter);

// Handles every pending message and returns. A WM_QUIT is put back for the outer loop.
void PumpMessages();

// The application's message loop; returns the WM_QUIT code.
int RunMessageLoop();

// Pumps at most once per slice: a PeekMessage costs a server round trip under Wine, so a loop
// over many items calls Tick() after every item and pays for the pump only every few ms.
class TimeSlicedPump {
  public:
    explicit TimeSlicedPump(uint32_t sliceMs = 15) : sliceMs_(sliceMs), next_(GetTickCount64()) {}
    // Returns true when it pumped.
    bool Tick() {
        const uint64_t now = GetTickCount64();
        if (now < next_) return false;
        PumpMessages();
        next_ = GetTickCount64() + sliceMs_;
        return true;
    }

  private:
    uint32_t sliceMs_;
    uint64_t next_;
};

}  // namespace ui
