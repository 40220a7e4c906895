#pragma once
// The startup manager page TSBootList: every entry of the two Startup folders and the six
// Run-type keys with their "-" twins in one list, with its pop-up menu, buttons and the
// properties dialog.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/prompts.h"
#include "platform/shell_launcher.h"
#include "platform/special_folders.h"
#include "services/page_context.h"
#include "startup/startup_entry.h"
#include "ui/controls.h"
#include "ui/paced_loop.h"
#include "ui/page.h"
#include "ui/popup_menu.h"

namespace startup {

class TFormAttribute;

// The list reports selection changes as the page's selection event, hands its key presses to
// the page's menu and tells when its size changed.
class BootListView : public ui::ListView {
  public:
    using ListView::ListView;
    LRESULT OnNotify(const NMHDR& header) override;
    std::function<void()> onSelectItem;
    // A key pressed in the list; true when it was taken as a shortcut.
    std::function<bool(UINT key)> onKey;
    std::function<void(SIZE)> onSized;

  protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
};

struct ImageListDestroyer {
    void operator()(HIMAGELIST list) const {
        if (list) ImageList_Destroy(list);
    }
};
using UniqueImageList = std::unique_ptr<std::remove_pointer_t<HIMAGELIST>, ImageListDestroyer>;

inline constexpr char kBootListText[] =
    "StartUp Manager: This page list all program which run when your system startup. You can "
    "add, delete and disable any item. ";

class StartupManagerPage : public ui::Page {
  public:
    explicit StartupManagerPage(const services::PageContext& context);

    void Create(HWND host) override;
    // The list first receives its rows when the page is first shown.
    void OnShow() override;

    // Refresh: rebuilds the list from the folders and the registry. Messages run while it reads;
    // a refresh asked for meanwhile is done once the running one has finished.
    void LVBootListResize();
    void RefreshbtnClick() { LVBootListResize(); }
    // Where the two readers put each entry they read.
    using EntrySink = std::function<void(TStartupEntry)>;
    void AddFolderEntries(const std::vector<std::string>& files, int code, const EntrySink& list);
    void AddRegistryEntries(HKEY root, const std::string& keyPath, int code, const EntrySink& list);
    // Inserts a row at its place in name order; returns its index.
    int AddEntry(const TStartupEntry& entry);

    void LVBootListSelectItem();
    void DisablebtnClick(const ui::Component* sender);
    void delbtnClick(const ui::Component* sender);
    void RunbtnClick();
    void AddbtnClick(const ui::Component* sender);
    void PropertiesbtnClick(const ui::Component* sender) { AddbtnClick(sender); }
    void BtnBLAddClick() { AddbtnClick(&Addbtn); }

    // The row as an entry; the selected row, when there is one.
    TStartupEntry Entry(int row) const;
    std::optional<TStartupEntry> SelectedEntry() const;
    std::string SpecialFolderPath(int csidl) const;

    ui::Picture Image10{"Image10"};
    ui::Label Label30{"Label30"};
    BootListView LVBootList{"LVBootList"};
    ui::Button BtnBLAdd{"BtnBLAdd"};
    ui::Button BtnBlDel{"BtnBlDel"};
    ui::Button BtnBlProperty{"BtnBlProperty"};
    ui::Picture ImageProgram{"ImageProgram"};  // the selected row's program

    ui::PopupMenu lvpopup{"lvpopup"};
    ui::MenuItem Disablebtn{"Disablebtn", "Disable(&C)", {'D', ui::kCtrl}, false};
    ui::MenuItem N18{"N18", "-"};
    ui::MenuItem Addbtn{"Addbtn", "Add...(&A)", {'N', ui::kCtrl}, true, 0};
    ui::MenuItem delbtn{"delbtn", "Del(&D)", {VK_DELETE, ui::kNoModifier}, false, 1};
    ui::MenuItem N19{"N19", "-"};
    ui::MenuItem Refreshbtn{"Refreshbtn", "Refresh(&E)", {VK_F5, ui::kNoModifier}, true};
    ui::MenuItem Runbtn{"Runbtn", "Run(&R)", {'R', ui::kCtrl}, false};
    ui::MenuItem N20{"N20", "-"};
    ui::MenuItem Propertiesbtn{"Propertiesbtn", "Property(&P)", {VK_RETURN, ui::kAlt}, false, 2};

    UniqueImageList ImageListSetup2;
    AttributeTexts attributes;

    // Runs once each properties dialog is up, inside its modal loop (tests drive it here).
    std::function<void(TFormAttribute&)> onDialogShown;

  private:
    void RebuildList();
    HWND Owner() const { return GetAncestor(Handle(), GA_ROOT); }

    platform::Prompts& prompts_;
    platform::ShellLauncher& shell_;
    const platform::SpecialFolders& folders_;
    platform::UniqueIcon programIcon_;
    bool listLive_ = false;
    SIZE listSize_{};
    bool rebuilding_ = false;
    bool rebuildAgain_ = false;
};

}  // namespace startup
