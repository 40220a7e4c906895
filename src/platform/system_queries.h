#pragma once
// What the system information probes ask Windows, behind a seam so tests can describe a machine.
// The records are plain values (no Windows header), so the rules built on them stay pure.
#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// The operating system's version record.
struct VersionRecord {
    uint32_t major = 0, minor = 0, build = 0;
    uint32_t platformId = 0;  // 0 Win32s, 1 the 95 family, 2 the NT family
    std::string servicePack;  // cut at its first NUL
};

struct SystemInfoRecord {
    uint32_t processorCount = 0;
    uint32_t processorType = 0;  // the platform's processor type number (386, 586, 8664, ...)
    uint16_t nativeMachine = 0;  // the machine's own image-file machine code; 0 when not known
};

// One display device as the platform lists it.
struct DisplayDeviceRecord {
    std::string name;         // "\\.\DISPLAY1"
    std::string description;  // "Wine Adapter"
};

// The memory status in 64-bit counts.
struct MemoryStatusRecord {
    uint32_t memoryLoad = 0;  // percent
    uint64_t totalPhys = 0, availPhys = 0;
    uint64_t totalPageFile = 0, availPageFile = 0;
    uint64_t totalVirtual = 0, availVirtual = 0;
};

// Names and folders the platform keeps.
enum class SystemText { ComputerName, UserName, WindowsFolder, SystemFolder, TempFolder };

class SystemQueries {
  public:
    virtual ~SystemQueries() = default;

    virtual VersionRecord Version() const = 0;
    virtual SystemInfoRecord SystemInfo() const = 0;
    // The current display mode's frequency in hertz; nullopt when the mode cannot be read.
    virtual std::optional<int32_t> CurrentDisplayFrequency() const = 0;
    // The display adapter at `index`; nullopt past the last one.
    virtual std::optional<DisplayDeviceRecord> DisplayDevice(uint32_t index) const = 0;
    virtual std::optional<MemoryStatusRecord> MemoryStatus() const = 0;
    // The whole text as the platform holds it, however long; nullopt when the call fails.
    virtual std::optional<std::string> Text(SystemText which) const = 0;

    // The processor's time-stamp counter, and what a timing needs around it.
    virtual uint64_t TimeStampCounter() const = 0;
    virtual void Sleep(uint32_t milliseconds) const = 0;
    virtual uint32_t ProcessPriorityClass() const = 0;
    virtual void SetProcessPriorityClass(uint32_t priorityClass) const = 0;
    virtual int ThreadPriority() const = 0;
    virtual void SetThreadPriority(int priority) const = 0;
};

}  // namespace platform
