#pragma once
// The BIOS reader's access to the machine, through Windows and its native layer.
#include "platform/bios_source.h"

namespace platform {

class Win32BiosSource final : public BiosSource {
  public:
    bool Is95Family() const override;
    bool CopyLinearArea(std::span<std::byte> area) const override;
    SectionRead ReadPhysicalSection(std::span<std::byte> area) const override;
    bool RunCommandHidden(const std::string& program, const std::string& output,
                          uint32_t timeoutMs) const override;
    std::string TempFolder() const override;
    void SetLastError(uint32_t code) const override;
};

}  // namespace platform
