#include "support/fake_desktop.h"

#include <commctrl.h>
#include <objbase.h>

namespace testing_support {

void InitHeadlessUi() {
    static const bool done = [] {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
        InitCommonControlsEx(&icc);
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        return true;
    }();
    (void)done;
}

FakeDesktop::FakeDesktop() {
    InitHeadlessUi();
    context.programPath = folder.File("Veltrin.exe");
    context.prompts = &prompts;
    context.shell = &shell;
    context.clock = &clock;
    specialFolders.folders[24] = folder.MakeFolder("Startup All Users");
    specialFolders.folders[7] = folder.MakeFolder("Startup Current User");
    context.specialFolders = &specialFolders;
    drives.spaces["C:\\"] = platform::DriveSpace{1073741824, 536870912};
    context.drives = &drives;
    context.system = &system;
    context.bios = &bios;
    disk.opens = false;
    context.disk = &disk;
    context.perfData = &perfData;
    context.memoryStatus = &memoryStatus;
    context.virtualMemory = &virtualMemory;
    context.urlCache = &urlCache;
    context.processes = &processes;
}

}  // namespace testing_support
