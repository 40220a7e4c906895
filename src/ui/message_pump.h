#pragma once
// Letting pending window messages run from inside long handlers.
#include <windows.h>

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

}  // namespace ui
