#pragma once
// The first ATA disk's IDENTIFY request, behind a seam so tests can play the driver's answers.
// No Windows header here.
#include <cstddef>
#include <cstdint>
#include <span>

namespace platform {

enum class DiskPort {
    Scsi0,        // "\\.\Scsi0:", the NT family's first SCSI port
    SmartDriver,  // "\\.\SMARTVSD", the 95 family's SMART driver
};

class DiskDevice {
  public:
    virtual ~DiskDevice() = default;
    // The platform family as the program found it at start-up.
    virtual bool Is95Family() const = 0;
    // Opens the device the way it wants to be opened, sends one control request and closes it.
    // `input` and `output` may be the same bytes. False when the device cannot be opened or
    // the driver rejects the request.
    virtual bool Control(DiskPort port, uint32_t code, std::span<const std::byte> input,
                         std::span<std::byte> output) const = 0;
};

}  // namespace platform
