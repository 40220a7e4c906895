#pragma once
// How the BIOS reader reaches physical memory and runs its DOS dump program, behind a seam so
// tests can play any platform's answers. No Windows header here: the reader's rules stay pure.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace platform {

// What came of reading the BIOS area through the kernel's physical-memory section.
enum class SectionRead {
    Copied,        // the whole area is in the buffer
    NotAvailable,  // the native entry points are missing; last error set to 120
    AccessDenied,  // the section refused us (C0000022h); no last error set
    Refused,       // any other failure to open it; last error set from the status
    MapFailed,     // the section opened but its view could not be mapped
};

class BiosSource {
  public:
    virtual ~BiosSource() = default;

    // True on the Windows 95 family (the high bit of the platform's version number).
    virtual bool Is95Family() const = 0;
    // Copies the process's view of linear addresses F0000h..FFFFFh; false when that faults.
    virtual bool CopyLinearArea(std::span<std::byte> area) const = 0;
    // Maps \Device\PhysicalMemory at F0000h and copies 65,536 bytes of it.
    virtual SectionRead ReadPhysicalSection(std::span<std::byte> area) const = 0;
    // Runs `program` through the command interpreter, its output into `output`; false only when
    // the wait ran out (or the interpreter could not be started). The program is ended then.
    virtual bool RunCommandHidden(const std::string& program, const std::string& output,
                                  uint32_t timeoutMs) const = 0;
    // The user's temporary folder as the platform gives it; empty when it cannot.
    virtual std::string TempFolder() const = 0;
    virtual void SetLastError(uint32_t code) const = 0;
};

constexpr uint32_t kNoTimeLimit = 0xFFFFFFFF;

}  // namespace platform
