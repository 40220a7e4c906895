#include "platform/virtual_memory.h"

#include <windows.h>

namespace platform {

void* Win32VirtualMemory::Commit(size_t bytes) {
    return VirtualAlloc(nullptr, bytes, MEM_COMMIT, PAGE_READWRITE | PAGE_NOCACHE);
}

void Win32VirtualMemory::Release(void* region) {
    VirtualFree(region, 0, MEM_RELEASE);
}

}  // namespace platform
