// Where the time of one system information tree build goes: each probe on the real platform,
// the five BIOS texts read once and read five times, and the whole gathering with the nodes.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "platform/win32_bios_source.h"
#include "platform/win32_disk_device.h"
#include "platform/locale_format.h"
#include "platform/win32_system_queries.h"
#include "sysinfo/bios_help.h"
#include "sysinfo/disk_identify.h"
#include "sysinfo/probes.h"
#include "sysinfo/sysinfo_gather.h"

namespace {

template <typename F>
void Time(const char* what, int rounds, F f) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < rounds; ++i)
        f();
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("%-34s %10.3f ms\n", what, ms / rounds);
}

}  // namespace

int main() {
    const platform::Win32SystemQueries system;
    const platform::Win32BiosSource bios;
    const platform::Win32DiskDevice disk;
    volatile size_t sink = 0;

    Time("IdentifyFirstDisk", 20, [&] {
        sysinfo::DiskIdentity id;
        sink = sink + sysinfo::IdentifyFirstDisk(disk, id);
    });
    Time("memory status", 20, [&] { sink = sink + system.MemoryStatus()->memoryLoad; });
    Time("DisplayRefreshRate", 20, [&] { sink = sink + sysinfo::DisplayRefreshRate(system); });
    Time("DisplayAdapterName", 20,
         [&] { sink = sink + sysinfo::DisplayAdapterName(system).size(); });
    Time("BIOS texts, one read", 20,
         [&] { sink = sink + sysinfo::ReadBiosTexts(bios).name.size(); });
    Time("BIOS texts, five getters", 20, [&] {
        sink = sink + sysinfo::BiosNameText(bios).size() + sysinfo::BiosCopyrightText(bios).size() +
               sysinfo::BiosVersionText(bios).size() + sysinfo::BiosDateText(bios).size() +
               sysinfo::BiosIDText(bios).size();
    });
    Time("BIOS via the DOS program", 3, [&] {
        sysinfo::BiosImage image;
        sink = sink + sysinfo::DumpBiosImageViaDos(bios, image, sysinfo::kBiosDumpTimeoutMs);
    });
    Time("MeasureCpuMHz", 2,
         [&] { sink = sink + static_cast<size_t>(sysinfo::MeasureCpuMHz(system)); });
    Time("ProcessorTypeText", 20, [&] { sink = sink + sysinfo::ProcessorTypeText(system).size(); });
    Time("registry values (three)", 20, [&] {
        sink = sink + sysinfo::CurrentVersionValue("ProductId").size() +
               sysinfo::CurrentVersionValue("ProductName").size() +
               sysinfo::CurrentVersionValue("RegisteredOrganization").size();
    });
    Time("names and folders (five)", 20, [&] {
        sink = sink + sysinfo::ComputerNameText(system).size() +
               sysinfo::UserNameText(system).size() + sysinfo::WindowsFolderText(system).size() +
               sysinfo::SystemFolderText(system).size() + sysinfo::TempFolderText(system).size();
    });
    Time("WindowsVersionText", 20,
         [&] { sink = sink + sysinfo::WindowsVersionText(system).size(); });
    Time("whole gathering + nodes", 2, [&] {
        const auto values = sysinfo::GatherSysInfo({system, bios, disk});
        sink = sink + sysinfo::SysInfoTreeNodes(values, platform::DecimalSeparator()).size();
    });
    return sink == 0xFFFFFFFF;
}
