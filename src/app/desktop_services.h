#pragma once
// The real platform services of a running program, and the context that hands them out.
// The program's entry and the showcase build the main window on one of these.
#include "services/app_context.h"
#include "platform/clock.h"
#include "platform/drives.h"
#include "platform/handles.h"
#include "platform/process_queries.h"
#include "platform/memory_status.h"
#include "platform/perf_data.h"
#include "platform/virtual_memory.h"
#include "platform/shell_launcher.h"
#include "platform/special_folders.h"
#include "platform/win32_bios_source.h"
#include "platform/win32_disk_device.h"
#include "platform/win32_system_queries.h"
#include "platform/url_cache.h"
#include "ui/win32_prompts.h"

namespace app {

class DesktopServices {
  public:
    // Registers the common controls and enters COM for the thread.
    DesktopServices();
    DesktopServices(const DesktopServices&) = delete;
    DesktopServices& operator=(const DesktopServices&) = delete;

    platform::ComScope com;
    ui::Win32Prompts prompts;
    platform::Win32ShellLauncher shell;
    platform::SystemClock clock;
    platform::Win32SpecialFolders specialFolders;
    platform::Win32DriveQueries drives;
    platform::Win32SystemQueries system;
    platform::Win32BiosSource bios;
    platform::Win32DiskDevice disk;
    platform::Win32PerfData perfData;
    platform::Win32MemoryStatus memoryStatus;
    platform::Win32VirtualMemory virtualMemory;
    platform::Win32UrlCache urlCache;
    platform::Win32ProcessQueries processes;
    services::AppContext context;
};

}  // namespace app
