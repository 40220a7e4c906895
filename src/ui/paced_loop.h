#pragma once
// PacedLoop: the one way a long handler keeps its window alive. Under Wine a PeekMessage costs a
// server round trip, a visible status panel write up to a millisecond and a list repaint more,
// so a loop over many items calls Tick() after every item and pays for those only on slices of
// a steady clock: pending messages run every few milliseconds, panel texts and list repaints
// catch up on a longer slice, and exactly once more at the end.
#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/controls.h"

namespace ui {

// Microseconds from the high-resolution counter (the tick count moves in ~16 ms steps on Wine).
uint64_t SteadyMicroseconds();

class PacedLoop {
  public:
    static constexpr uint64_t kPumpSliceUs = 10'000;
    static constexpr uint64_t kShowSliceUs = 200'000;

    // `window` is the window the loop works for: when it is destroyed while messages run, Tick
    // throws ui::Abort and the handler winds down. `status` may be null.
    PacedLoop(HWND window, StatusBar* status, uint64_t pumpSliceUs = kPumpSliceUs,
              uint64_t showSliceUs = kShowSliceUs);
    // Gives back the lists it holds (they repaint) without writing panels.
    ~PacedLoop();
    PacedLoop(const PacedLoop&) = delete;
    PacedLoop& operator=(const PacedLoop&) = delete;

    // Lets pending messages run when a pump slice has passed; shows progress when a show slice
    // has passed too. True when it pumped. Call it after every item.
    bool Tick();
    // The next Tick pumps and shows, whatever the clock says.
    void Due() { nextPump_ = nextShow_ = 0; }

    // Keeps the text for a status panel; it reaches the panel at the next show and at Flush.
    void SetPanel(int panel, std::string text);
    // Writes every kept panel text that has not reached its panel.
    void Flush();

    // Keeps the list's redraw off while the loop holds it (nested loops may hold the same list);
    // it repaints on the show slice when Changed() was called since the last repaint.
    void Hold(ListView& list);
    void Changed() { listsChanged_ = true; }

    // Runs after every pump (for example to take up changes the user made meanwhile).
    std::function<void()> afterPump;
    // Runs before each show and each Flush, to hand in panel texts kept elsewhere.
    std::function<void()> beforeShow;

  private:
    void Pump();
    void Show();

    HWND window_;
    StatusBar* status_;
    uint64_t pumpSliceUs_, showSliceUs_;
    uint64_t nextPump_ = 0, nextShow_ = 0;
    std::array<std::string, 4> panelText_;
    std::array<bool, 4> panelDirty_{};
    std::vector<ListView*> held_;
    bool listsChanged_ = false;
};

}  // namespace ui
