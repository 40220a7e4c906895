#pragma once
// What the program is given from outside: its own path and the platform services behind seams.
// WinMain builds it from the real services; tests build it from fakes and a temporary folder.
#include <string>

#include "platform/bios_source.h"
#include "platform/clock.h"
#include "platform/disk_device.h"
#include "platform/drives.h"
#include "platform/files.h"
#include "platform/process_queries.h"
#include "platform/memory_status.h"
#include "platform/perf_data.h"
#include "platform/prompts.h"
#include "platform/shell_launcher.h"
#include "platform/special_folders.h"
#include "platform/system_queries.h"
#include "platform/virtual_memory.h"
#include "platform/url_cache.h"

namespace services {

struct AppContext {
    std::string programPath;  // the exe's full path; every file of ours lies beside it
    platform::Prompts* prompts = nullptr;
    platform::ShellLauncher* shell = nullptr;
    const platform::Clock* clock = nullptr;
    const platform::SpecialFolders* specialFolders = nullptr;
    const platform::DriveQueries* drives = nullptr;
    const platform::SystemQueries* system = nullptr;
    const platform::BiosSource* bios = nullptr;
    const platform::DiskDevice* disk = nullptr;
    platform::PerfData* perfData = nullptr;
    platform::MemoryStatus* memoryStatus = nullptr;
    platform::VirtualMemory* virtualMemory = nullptr;
    platform::UrlCache* urlCache = nullptr;
    platform::ProcessQueries* processes = nullptr;

    std::string ProgramFolder() const { return platform::FolderOf(programPath); }
    std::string ProgramFile(std::string_view relative) const {
        return platform::JoinPath(ProgramFolder(), relative);
    }
};

}  // namespace services
