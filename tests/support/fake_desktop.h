#pragma once
// Every service of the program answered by a fake, over a temporary program folder, with the
// registry redirected: what the main-window and the one-page fixtures both stand on.
#include "services/app_context.h"
#include "support/bios_fakes.h"
#include "support/fake_process_queries.h"
#include "support/fake_url_cache.h"
#include "support/fakes.h"
#include "support/memory_fakes.h"
#include "support/registry_redirect.h"
#include "support/system_fakes.h"
#include "support/temp_folder.h"

namespace testing_support {

// Common controls, COM and the window classes, once per test process.
void InitHeadlessUi();

class FakeDesktop {
  public:
    FakeDesktop();
    FakeDesktop(const FakeDesktop&) = delete;
    FakeDesktop& operator=(const FakeDesktop&) = delete;

    TempFolder folder;
    RegistryRedirect registry;
    FakePrompts prompts;
    FakeShell shell;
    FakeClock clock;
    FakeSpecialFolders specialFolders;  // the two Startup folders, empty, inside `folder`
    FakeDrives drives;                  // drive C of 1 GiB, half free; no other drive
    FakeSystemQueries system;           // a machine that answers nothing
    FakeBiosSource bios;                // a BIOS area that cannot be read
    FakeDiskDevice disk;                // no disk to identify
    FakePerfData perfData;
    FakeMemoryStatus memoryStatus;
    FakeVirtualMemory virtualMemory;
    FakeUrlCache urlCache;         // an empty cache
    FakeProcessQueries processes;  // no process until a test adds some
    services::AppContext context;  // every seam set, the program in `folder`
};

}  // namespace testing_support
