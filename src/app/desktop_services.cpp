#include "app/desktop_services.h"

#include <windows.h>
#include <commctrl.h>

namespace app {
namespace {

bool RegisterCommonControls() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    return InitCommonControlsEx(&icc) != FALSE;
}

}  // namespace

DesktopServices::DesktopServices() {
    RegisterCommonControls();
    context.programPath = platform::ModulePath();
    context.prompts = &prompts;
    context.shell = &shell;
    context.clock = &clock;
    context.specialFolders = &specialFolders;
    context.drives = &drives;
    context.system = &system;
    context.bios = &bios;
    context.disk = &disk;
    context.perfData = &perfData;
    context.memoryStatus = &memoryStatus;
    context.virtualMemory = &virtualMemory;
    context.urlCache = &urlCache;
    // The cache library is checked once before any window exists.
    urlCache.LibraryFound();
    context.processes = &processes;
}

}  // namespace app
