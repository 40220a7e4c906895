#pragma once
// The machine's memory figures (GlobalMemoryStatusEx), all byte counts 64-bit.
#include <cstdint>

namespace platform {

struct MemoryFigures {
    uint32_t load = 0;  // per cent of physical memory in use
    uint64_t totalPhys = 0, availPhys = 0;
    uint64_t totalPageFile = 0, availPageFile = 0;
    uint64_t totalVirtual = 0, availVirtual = 0;
};

class MemoryStatus {
  public:
    virtual ~MemoryStatus() = default;
    virtual MemoryFigures Query() = 0;
};

class Win32MemoryStatus final : public MemoryStatus {
  public:
    // All zero when the platform cannot say.
    MemoryFigures Query() override;
};

}  // namespace platform
