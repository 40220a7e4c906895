// Creates and destroys one window, so that Wine starts its desktop process before the tests
// (tools/test), detached from ctest's output.
#include <windows.h>

int main() {
    HWND w = CreateWindowExW(0, L"STATIC", L"warm-up", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    DestroyWindow(w);
    return 0;
}
