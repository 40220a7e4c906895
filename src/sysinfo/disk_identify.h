#pragma once
// Identification of the first hard disk (the master drive of the first channel).
#include "platform/disk_device.h"
#include "sysinfo/identify_block.h"

namespace sysinfo {

// True with the disk's texts and counts in `identity`; false, leaving `identity` as it was,
// when the device cannot be opened or rejects the request.
bool IdentifyFirstDisk(const platform::DiskDevice& device, DiskIdentity& identity);

}  // namespace sysinfo
