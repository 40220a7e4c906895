// Starts Wine's desktop process before the tests (tools/test), detached from ctest's output.
// With --hold it keeps its window until killed: Wine ends an idle desktop after a few seconds,
// and tests starting together would then race to start it again.
#include <windows.h>

#include <cstring>

int main(int argc, char** argv) {
    HWND w = CreateWindowExW(0, L"STATIC", L"warm-up", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    if (argc > 1 && std::strcmp(argv[1], "--hold") == 0) {
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0)
            DispatchMessageW(&msg);
    }
    DestroyWindow(w);
    return 0;
}
