#include "sysinfo/disk_identify.h"

namespace sysinfo {

bool IdentifyFirstDisk(const platform::DiskDevice& device, DiskIdentity& identity) {
    IdentifyBuffer buffer;
    size_t blockOffset = 0;
    if (!device.Is95Family()) {
        buffer = NtIdentifyRequest();
        if (!device.Control(platform::DiskPort::Scsi0, kScsiMiniportCode, buffer, buffer))
            return false;
        blockOffset = kNtBlockOffset;
    } else {
        buffer = Win9xIdentifyRequest();
        const std::span<const std::byte> request(buffer.data(), kWin9xRequestSize);
        const std::span<std::byte> reply(buffer.data() + kWin9xReplyOffset, kWin9xReplySize);
        if (!device.Control(platform::DiskPort::SmartDriver, kReceiveDriveDataCode, request, reply))
            return false;
        blockOffset = kWin9xBlockOffset;
    }
    // The reply's length and driver status are not looked at: a driver that gives no data
    // leaves the zeroed block.
    identity = ParseIdentifyBlock(
        std::span<const std::byte>(buffer).subspan(blockOffset, kIdentifyBlockSize));
    return true;
}

}  // namespace sysinfo
