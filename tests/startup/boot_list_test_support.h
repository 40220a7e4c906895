#pragma once
// The startup page hosted on its own, over private registry roots and temporary Startup
// folders.
#include <functional>
#include <string>
#include <vector>

#include "startup/startup_manager_page.h"
#include "startup/form_attribute.h"
#include "support/page_fixture.h"

namespace startup_tests {

class BootListTest : public testing_support::PageTest {
  protected:
    void SetUp() override;

    startup::StartupManagerPage& Page() { return *page_; }
    std::string AllUsersFolder() { return specialFolders.folders[24]; }
    std::string UserFolder() { return specialFolders.folders[7]; }

    std::vector<std::string> Names();
    std::vector<startup::TStartupEntry> Rows();
    // The row with this name and type label; -1 when there is none.
    int RowOf(const std::string& name, const std::string& typeLabel = "");
    void Select(int row) { Page().LVBootList.Select(row); }
    void SelectRow(const std::string& name, const std::string& typeLabel = "");

    // Opens the properties dialog with `opener` and runs `script` once it is up. Whatever the
    // script leaves open is closed with the close box afterwards, so a test never hangs.
    void WithDialog(const std::function<void()>& opener,
                    const std::function<void(startup::TFormAttribute&)>& script);
    int dialogsShown = 0;

  private:
    startup::StartupManagerPage* page_ = nullptr;
};

// Picks a type from the list as the user does, or types one.
void PickType(startup::TFormAttribute& dialog, const std::string& label);
void TypeType(startup::TFormAttribute& dialog, const std::string& text);

}  // namespace startup_tests
