// The first disk's IDENTIFY against the real platform (Wine here), which has no SCSI port.
#include <gtest/gtest.h>

#include "platform/win32_disk_device.h"
#include "sysinfo/disk_identify.h"

namespace {

TEST(IdentifyFirstDisk, NoScsiPortUnderWine) {
    const platform::Win32DiskDevice device;
    EXPECT_FALSE(device.Is95Family());
    sysinfo::DiskIdentity id;
    id.model = "untouched";
    EXPECT_FALSE(sysinfo::IdentifyFirstDisk(device, id));
    EXPECT_EQ("untouched", id.model);
}

}  // namespace
