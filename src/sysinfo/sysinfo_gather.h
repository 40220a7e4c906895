#pragma once
// Gathering the tree's values from the machine: every probe once, in the tree's work order.
#include <string>

#include "platform/bios_source.h"
#include "platform/disk_device.h"
#include "platform/system_queries.h"
#include "sysinfo/sysinfo_tree.h"

namespace sysinfo {

struct SysInfoSources {
    const platform::SystemQueries& system;
    const platform::BiosSource& bios;
    const platform::DiskDevice& disk;
};

// Asks every probe once, in the order the tree has always done its work: disk, memory,
// display, BIOS (one read of the area for all five texts), processor, registry, names and
// folders. The registry values come from HKEY_LOCAL_MACHINE, read-only.
SysInfoValues GatherSysInfo(const SysInfoSources& sources);

// A registry text value under "Software\Microsoft\Windows NT\CurrentVersion"; empty when the
// key or value is missing or the value is not text.
std::string CurrentVersionValue(const std::string& name);

}  // namespace sysinfo
