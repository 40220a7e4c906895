#include "platform/win32_disk_device.h"

#include <windows.h>

#include "platform/handles.h"

namespace platform {

bool Win32DiskDevice::Is95Family() const {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    static const bool is95 = (GetVersion() & 0x80000000u) != 0;
#pragma GCC diagnostic pop
    return is95;
}

bool Win32DiskDevice::Control(DiskPort port, uint32_t code, std::span<const std::byte> input,
                              std::span<std::byte> output) const {
    // The SMART driver is opened with no access and CREATE_NEW, the way it expects.
    const UniqueHandle device = AdoptFile(
        port == DiskPort::Scsi0
            ? CreateFileW(L"\\\\.\\Scsi0:", GENERIC_READ | GENERIC_WRITE,
                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr)
            : CreateFileW(L"\\\\.\\SMARTVSD", 0, 0, nullptr, CREATE_NEW, 0, nullptr));
    if (!device) return false;
    DWORD returned = 0;
    return DeviceIoControl(device.get(), code, const_cast<std::byte*>(input.data()),
                           static_cast<DWORD>(input.size()), output.data(),
                           static_cast<DWORD>(output.size()), &returned, nullptr) != FALSE;
}

}  // namespace platform
