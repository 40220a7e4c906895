#include "platform/clipboard.h"

#include <windows.h>

namespace platform {

bool EmptyClipboardNow() {
    // Another program may hold the clipboard open for a moment.
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (OpenClipboard(nullptr)) {
            const bool emptied = EmptyClipboard() != FALSE;
            CloseClipboard();
            return emptied;
        }
        Sleep(10);
    }
    return false;
}

}  // namespace platform
