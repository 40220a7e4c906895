#pragma once
// A headless main window over a temporary program folder, with every prompt, shell start,
// clock reading, special folder and drive answered by fakes.
#include <gtest/gtest.h>

#include <memory>

#include "app/frm_main.h"
#include "support/bios_fakes.h"
#include "support/fake_url_cache.h"
#include "support/fake_process_queries.h"
#include "support/fakes.h"
#include "support/memory_fakes.h"
#include "support/registry_redirect.h"
#include "support/system_fakes.h"
#include "support/temp_folder.h"

namespace testing_support {

// Common controls, COM and the window classes, once per test process.
void InitHeadlessUi();

class MainWindowTest : public ::testing::Test {
  protected:
    MainWindowTest();
    ~MainWindowTest() override;

    // Creates the window (runs FormCreate); FirstShow() is up to the test.
    app::TFrmMain& MakeWindow();
    app::TFrmMain& Frame() { return *frame_; }
    // Closes the window as the user would and waits until it is gone.
    void CloseWindow();
    std::string ErrorLogText() const { return folder.Read("Error.log"); }

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
    FakeUrlCache urlCache;              // an empty cache
    FakeProcessQueries processes;       // no process until a test adds some
    services::AppContext context;

  private:
    std::unique_ptr<app::TFrmMain> frame_;
};

}  // namespace testing_support
