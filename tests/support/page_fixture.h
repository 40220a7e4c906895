#pragma once
// One tool page in a page host of its own, over a temporary program folder, with every prompt,
// shell start, clock reading, special folder and drive answered by fakes, and a status bar, a
// report and a settings file of the fixture's: a page test builds that page and nothing else.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "services/error_log.h"
#include "services/page_context.h"
#include "support/bios_fakes.h"
#include "support/fake_url_cache.h"
#include "support/fake_process_queries.h"
#include "support/fakes.h"
#include "support/memory_fakes.h"
#include "support/registry_redirect.h"
#include "support/system_fakes.h"
#include "support/temp_folder.h"
#include "ui/page.h"

namespace testing_support {

// The window around the page host: the status bar below it, the report memo hidden beside it.
class PageFrame : public ui::Window {
  public:
    PageFrame() : Window("FrmMain") {}
    void Create(int width, int height);
    services::Report* report = nullptr;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
};

class PageTest : public ::testing::Test {
  protected:
    PageTest();
    ~PageTest() override;

    // Builds the page from the fixture's context, creates it in the host, loads the settings
    // of its registered controls as the main window does, and shows it.
    template <class P, class... Args>
    P& OpenPage(Args&&... args) {
        auto page = std::make_unique<P>(pageContext, std::forward<Args>(args)...);
        P& created = *page;
        Host(std::move(page));
        return created;
    }
    // Shows another (empty) page and the first one again, as the navigation bar does.
    void ShowPageAgain();
    ui::Page& HostedPage() { return *pages_.front(); }

    std::string Panel(int i) const { return status.PanelText(i); }
    // The report's lines without their time of day.
    std::vector<std::string> ReportLines();
    std::string ErrorLogText() const { return folder.Read("Error.log"); }
    // Saves the settings as the main window does when it closes, and closes the window.
    void CloseWindow();

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

    PageFrame frame;
    ui::PageHost host{"PCMain"};
    ui::StatusBar status{"SBMain"};
    ui::Memo memo{"MMReport"};
    services::Report report{memo, clock};
    services::SettingsFile settings;
    services::ErrorLog errorLog;
    platform::FileDialogState openDialog, saveDialog;
    services::PageContext pageContext;

  private:
    void Host(std::unique_ptr<ui::Page> page);
    std::vector<std::unique_ptr<ui::Page>> pages_;
};

}  // namespace testing_support
