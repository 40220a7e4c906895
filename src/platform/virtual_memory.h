#pragma once
// Committing and releasing private memory regions (VirtualAlloc / VirtualFree).
#include <cstddef>

namespace platform {

class VirtualMemory {
  public:
    virtual ~VirtualMemory() = default;
    // A new committed, writable, uncached region of `bytes`; null when it cannot be committed.
    virtual void* Commit(size_t bytes) = 0;
    // Releases a whole region that Commit returned.
    virtual void Release(void* region) = 0;
};

class Win32VirtualMemory final : public VirtualMemory {
  public:
    void* Commit(size_t bytes) override;
    void Release(void* region) override;
};

}  // namespace platform
