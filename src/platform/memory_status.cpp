#include "platform/memory_status.h"

#include <windows.h>

namespace platform {

MemoryFigures Win32MemoryStatus::Query() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status)) return {};
    return {status.dwMemoryLoad,     status.ullTotalPhys,     status.ullAvailPhys,
            status.ullTotalPageFile, status.ullAvailPageFile, status.ullTotalVirtual,
            status.ullAvailVirtual};
}

}  // namespace platform
