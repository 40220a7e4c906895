#pragma once
// The disk IDENTIFY request through Windows' device control.
#include "platform/disk_device.h"

namespace platform {

class Win32DiskDevice final : public DiskDevice {
  public:
    bool Is95Family() const override;
    bool Control(DiskPort port, uint32_t code, std::span<const std::byte> input,
                 std::span<std::byte> output) const override;
};

}  // namespace platform
