#pragma once
// The system queries answered by Windows.
#include "platform/system_queries.h"

namespace platform {

class Win32SystemQueries final : public SystemQueries {
  public:
    VersionRecord Version() const override;
    SystemInfoRecord SystemInfo() const override;
    std::optional<int32_t> CurrentDisplayFrequency() const override;
    std::optional<DisplayDeviceRecord> DisplayDevice(uint32_t index) const override;
    std::optional<MemoryStatusRecord> MemoryStatus() const override;
    std::optional<std::string> Text(SystemText which) const override;
    uint64_t TimeStampCounter() const override;
    void Sleep(uint32_t milliseconds) const override;
    uint32_t ProcessPriorityClass() const override;
    void SetProcessPriorityClass(uint32_t priorityClass) const override;
    int ThreadPriority() const override;
    void SetThreadPriority(int priority) const override;
};

}  // namespace platform
