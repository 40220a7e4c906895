#include "sysinfo/sysinfo_gather.h"

#include <windows.h>

#include "platform/registry.h"
#include "platform/text.h"
#include "sysinfo/bios_help.h"
#include "sysinfo/disk_identify.h"
#include "sysinfo/probes.h"

namespace sysinfo {

namespace {

constexpr const char* kCurrentVersionKey = "Software\\Microsoft\\Windows NT\\CurrentVersion";

// BIOS and disk texts are bytes in the system's code page.
std::string FromCodePage(const std::string& bytes) {
    return platform::FromAnsi(bytes);
}

}  // namespace

std::string CurrentVersionValue(const std::string& name) {
    // Read access is all it takes, so a standard user sees the values too.
    const auto key = platform::RegKey::Open(HKEY_LOCAL_MACHINE, kCurrentVersionKey, KEY_READ);
    if (!key) return {};
    return key->ReadString(name).value_or(std::string());
}

SysInfoValues GatherSysInfo(const SysInfoSources& s) {
    SysInfoValues v;
    if (DiskIdentity disk; IdentifyFirstDisk(s.disk, disk)) {
        v.disk = disk;
        v.disk.serialNumber = FromCodePage(disk.serialNumber);
        v.disk.model = FromCodePage(disk.model);
        v.disk.firmware = FromCodePage(disk.firmware);
    }
    v.memory = s.system.MemoryStatus().value_or(platform::MemoryStatusRecord{});
    v.refreshRate = DisplayRefreshRate(s.system);
    v.adapterType = DisplayAdapterName(s.system);
    const BiosTexts bios = ReadBiosTexts(s.bios);
    v.bios = {FromCodePage(bios.name), FromCodePage(bios.copyright), FromCodePage(bios.version),
              FromCodePage(bios.date), FromCodePage(bios.id)};
    v.cpuMHz = MeasureCpuMHz(s.system);
    v.cpuType = ProcessorTypeText(s.system);
    v.registeredOrganization = CurrentVersionValue("RegisteredOrganization");
    v.productName = CurrentVersionValue("ProductName");
    v.productId = CurrentVersionValue("ProductId");
    v.tempPath = TempFolderText(s.system);
    v.systemPath = SystemFolderText(s.system);
    v.windowsPath = WindowsFolderText(s.system);
    v.currentUser = UserNameText(s.system);
    v.windowsVersion = WindowsVersionText(s.system);
    v.computerName = ComputerNameText(s.system);
    return v;
}

}  // namespace sysinfo
