#include <gtest/gtest.h>

#include <windows.h>
#include <sddl.h>

#include <algorithm>
#include <functional>
#include <utility>

#include "boot_list_test_support.h"
#include "platform/collate.h"
#include "platform/files.h"
#include "platform/prompts.h"
#include "platform/text.h"
#include "startup/storage.h"
#include "startup_test_support.h"
#include "ui/window.h"

namespace {

using namespace startup;
using namespace startup_tests;

const std::string kHklmRun =
    "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kHkcuRun = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";

TEST_F(BootListTest, PageControls) {
    EXPECT_EQ(Page().Label30.Text(),
              "StartUp Manager: This page list all program which run when your system startup. "
              "You can add, delete and disable any item. ");
    auto& list = Page().LVBootList;
    ASSERT_EQ(list.ColumnCount(), 4);
    const std::pair<const char*, int> columns[] = {
        {"Name", 100}, {"Command", 100}, {"Location", 100}, {"Type", 200}};
    for (int i = 0; i < 4; ++i) {
        wchar_t buf[32] = {};
        LVCOLUMNW col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH;
        col.pszText = buf;
        col.cchTextMax = 32;
        ListView_GetColumn(list.Handle(), i, &col);
        EXPECT_EQ(platform::Narrow(buf), columns[i].first);
        EXPECT_EQ(col.cx, columns[i].second);
    }
    const LONG_PTR style = GetWindowLongPtrW(list.Handle(), GWL_STYLE);
    EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
    EXPECT_TRUE(style & LVS_SINGLESEL);
    EXPECT_TRUE(style & LVS_NOSORTHEADER);
    EXPECT_FALSE(style & LVS_EDITLABELS);
    const DWORD ex = ListView_GetExtendedListViewStyle(list.Handle());
    EXPECT_TRUE(ex & LVS_EX_GRIDLINES);
    EXPECT_TRUE(ex & LVS_EX_FULLROWSELECT);
    EXPECT_EQ(ListView_GetImageList(list.Handle(), LVSIL_SMALL), Page().ImageListSetup2.get());
    EXPECT_EQ(ImageList_GetImageCount(Page().ImageListSetup2.get()), 3);
    EXPECT_EQ(Page().BtnBLAdd.Text(), "Add");
    EXPECT_EQ(Page().BtnBlDel.Text(), "Delete");
    EXPECT_EQ(Page().BtnBlProperty.Text(), "Property");
}

TEST_F(BootListTest, PopupMenuItemsInOrder) {
    auto& p = Page();
    struct Item {
        ui::MenuItem* item;
        const char* text;  // caption, tab, shortcut
        bool enabled;
        bool picture;
    };
    const Item items[] = {
        {&p.Disablebtn, "Disable(&C)\tCtrl+D", false, false},
        {&p.N18, nullptr, false, false},
        {&p.Addbtn, "Add...(&A)\tCtrl+N", true, true},
        {&p.delbtn, "Del(&D)\tDel", false, true},
        {&p.N19, nullptr, false, false},
        {&p.Refreshbtn, "Refresh(&E)\tF5", true, false},
        {&p.Runbtn, "Run(&R)\tCtrl+R", false, false},
        {&p.N20, nullptr, false, false},
        {&p.Propertiesbtn, "Property(&P)\tAlt+Enter", false, true},
    };
    HMENU menu = p.lvpopup.Menu();
    ASSERT_EQ(GetMenuItemCount(menu), 9);
    for (int i = 0; i < 9; ++i) {
        SCOPED_TRACE(items[i].item->Name());
        wchar_t buf[128] = {};
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_STRING | MIIM_FTYPE | MIIM_STATE | MIIM_BITMAP;
        mii.dwTypeData = buf;
        mii.cch = 128;
        ASSERT_TRUE(GetMenuItemInfoW(menu, i, TRUE, &mii));
        if (!items[i].text) {
            EXPECT_TRUE(mii.fType & MFT_SEPARATOR);
            continue;
        }
        EXPECT_EQ(platform::Narrow(buf), items[i].text);
        EXPECT_EQ(!(mii.fState & MFS_GRAYED), items[i].enabled);
        EXPECT_EQ(mii.hbmpItem != nullptr, items[i].picture);
    }
}

TEST_F(BootListTest, RefreshListsEveryLocationSortedByName) {
    // Folders: hidden and system files, a desktop.ini, a sub-folder, shortcuts of both kinds.
    MakeShortcut(UserFolder() + "\\Mail.lnk", "C:\\Apps\\mail.exe", "/tray");
    MakeShortcut(UserFolder() + "\\clock.lnk", "C:\\Apps\\clock.exe");
    MakeShortcut(UserFolder() + "\\Upper.LNK", "C:\\Apps\\up.exe");
    platform::WriteWholeFile(UserFolder() + "\\desktop.ini", "[.ShellClassInfo]");
    platform::WriteWholeFile(UserFolder() + "\\hidden.bat", "@echo off");
    SetFileAttributesW(platform::Widen(UserFolder() + "\\hidden.bat").c_str(),
                       FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    CreateDirectoryW(platform::Widen(UserFolder() + "\\Sub").c_str(), nullptr);
    platform::WriteWholeFile(UserFolder() + "\\Sub\\inner.exe", "MZ");
    platform::WriteWholeFile(AllUsersFolder() + "\\DESKTOP.INI", "x");
    platform::WriteWholeFile(AllUsersFolder() + "\\Agent.exe", "MZ");
    // Keys with values in both a key and its twin.
    PutString(HKEY_LOCAL_MACHINE, kRun, "beta", "C:\\b.exe");
    PutString(HKEY_LOCAL_MACHINE, kRunTwin, "beta", "C:\\b-parked.exe");
    PutString(HKEY_LOCAL_MACHINE, std::string(kRunServices) + "Once", "Zulu", "z.exe");
    PutString(HKEY_CURRENT_USER, kRunOnce, "alpha", "a.exe");
    PutString(HKEY_CURRENT_USER, std::string(kRunOnce) + "-", "Gamma", "%TEMP%\\g.exe",
              REG_EXPAND_SZ);
    Page().RefreshbtnClick();

    const std::string u = UserFolder(), a = AllUsersFolder();
    const std::string hkcuOnce = kHkcuRun + "Once";
    const std::vector<TStartupEntry> expected = {
        {"Agent.exe", a + "\\Agent.exe", a, "StartUP Folder-All Users", true},
        {"alpha", "a.exe", hkcuOnce, "Registry\\Current User\\RunOnce", true},
        {"beta", "C:\\b.exe", kHklmRun, "Registry\\All Users\\Run", true},
        {"beta", "C:\\b-parked.exe", kHklmRun + "-", "Registry\\All Users\\Run-", false},
        {"clock.lnk", "\"C:\\Apps\\clock.exe\"", u, "StartUP Folder-Current User", true},
        {"Gamma", "%TEMP%\\g.exe", hkcuOnce + "-", "Registry\\Current User\\RunOnce-", false},
        {"hidden.bat", u + "\\hidden.bat", u, "StartUP Folder-Current User", true},
        {"Mail.lnk", "C:\\Apps\\mail.exe /tray", u, "StartUP Folder-Current User", true},
        {"Upper.LNK", u + "\\Upper.LNK", u, "StartUP Folder-Current User", true},
        {"Zulu", "z.exe",
         "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\RunServicesOnce",
         "Registry\\All Users\\RunServicesOnce", true},
    };
    auto rows = Rows();
    // Equal names keep no defined order; compare the two "beta" rows as a set.
    ASSERT_EQ(rows.size(), expected.size());
    if (rows[2].Enabled == false) std::swap(rows[2], rows[3]);
    for (size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(rows[i], expected[i]) << i << " " << rows[i].Name;
    // The locale's order, not the code units': "alpha" < "beta" < "clock.lnk" < "Gamma".
    for (size_t i = 1; i < rows.size(); ++i)
        EXPECT_LE(platform::LocaleCompare(rows[i - 1].Name, rows[i].Name), 0);
    for (int i = 0; i < Page().LVBootList.Count(); ++i) {
        LVITEMW item{};
        item.mask = LVIF_IMAGE;
        item.iItem = i;
        ListView_GetItem(Page().LVBootList.Handle(), &item);
        EXPECT_EQ(item.iImage, 0);
    }
    SetFileAttributesW(platform::Widen(UserFolder() + "\\hidden.bat").c_str(),
                       FILE_ATTRIBUTE_NORMAL);
}

TEST_F(BootListTest, EmptyLocationsGiveAnEmptyList) {
    Page().RefreshbtnClick();
    EXPECT_EQ(Page().LVBootList.Count(), 0);
    EXPECT_EQ(ErrorLogText(), "<missing>");
}

TEST_F(BootListTest, TheListFillsWhenThePageIsFirstShownAndWhenItIsResized) {
    PutString(HKEY_CURRENT_USER, kRun, "First", "f.exe");
    // The page was shown before the value existed.
    EXPECT_EQ(Page().LVBootList.Count(), 0);
    ShowPageAgain();  // no refresh on later showings
    EXPECT_EQ(Page().LVBootList.Count(), 0);
    RECT r{};
    GetWindowRect(Page().LVBootList.Handle(), &r);
    SetWindowPos(Page().LVBootList.Handle(), nullptr, 0, 0, r.right - r.left - 20,
                 r.bottom - r.top - 20, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(Names(), (std::vector<std::string>{"First"}));
}

// A window of the test's own: what it does when a posted note reaches it.
class NoteWindow : public ui::Window {
  public:
    static constexpr UINT kNote = WM_APP + 21;
    explicit NoteWindow(std::function<void()> onNote)
        : Window("NoteWindow"), onNote_(std::move(onNote)) {
        CreateWindowOf(L"", WS_POPUP, 0, 0, 0, 10, 10, nullptr);
    }

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == kNote) onNote_();
        return Window::HandleMessage(msg, wp, lp);
    }

  private:
    std::function<void()> onNote_;
};

TEST_F(BootListTest, MessagesRunWhileTheListIsReadAndARefreshAskedMeanwhileFollowsIt) {
    PutString(HKEY_CURRENT_USER, kRun, "One", "1.exe");
    Page().RefreshbtnClick();
    for (const char* name : {"Two", "Three", "Four"})
        PutString(HKEY_CURRENT_USER, kRun, name, std::string(name) + ".exe");
    platform::WriteWholeFile(UserFolder() + "\\start.bat", "@echo off");
    bool refreshing = false, notedWhileRefreshing = false, listedAtOnce = true;
    std::vector<std::string> rowsWhenNoted;
    NoteWindow window([&] {
        notedWhileRefreshing = refreshing;
        rowsWhenNoted = Names();
        // A change and a refresh while the list is being read, as a delete would do.
        PutString(HKEY_CURRENT_USER, kRunTwin, "Parked", "p.exe");
        Page().RefreshbtnClick();
        listedAtOnce = RowOf("Parked") >= 0;
    });
    PostMessageW(window.Handle(), NoteWindow::kNote, 0, 0);
    refreshing = true;
    Page().RefreshbtnClick();
    refreshing = false;
    EXPECT_TRUE(notedWhileRefreshing);  // the window answered while the list was read
    // Meanwhile the list showed the old rows whole, not half of the new ones.
    EXPECT_EQ(rowsWhenNoted, (std::vector<std::string>{"One"}));
    EXPECT_FALSE(listedAtOnce);  // the refresh asked for meanwhile waited for the running one
    // Then it was done, once: every entry, the late one included, in one row each.
    EXPECT_EQ(Names(),
              (std::vector<std::string>{"Four", "One", "Parked", "start.bat", "Three", "Two"}));
}

TEST_F(BootListTest, ScrollBarsThatComeWithTheRowsDoNotAskForAnotherRefresh) {
    // More rows than the list shows: its scroll bar comes and goes as it is rebuilt, which
    // changes its client area but not its size. Every refresh logs the odd value once.
    for (int i = 0; i < 120; ++i)
        PutString(HKEY_CURRENT_USER, kRun, "Entry " + std::to_string(i), "e.exe");
    const uint32_t seven = 7;
    PutValue(HKEY_CURRENT_USER, kRun,
             {"Binary", REG_BINARY, std::string(reinterpret_cast<const char*>(&seven), 4)});
    Page().RefreshbtnClick();
    ASSERT_EQ(Page().LVBootList.Count(), 120);
    Page().RefreshbtnClick();
    const std::string log = ErrorLogText();
    size_t records = 0;
    for (size_t at = log.find("Invalid data type"); at != std::string::npos;
         at = log.find("Invalid data type", at + 1))
        ++records;
    EXPECT_EQ(records, 2u) << log;
}

TEST_F(BootListTest, NonStringValuesAreLoggedOnceAndTheRestIsListed) {
    const uint32_t seven = 7;
    PutString(HKEY_LOCAL_MACHINE, kRun, "Aardvark", "a.exe");
    PutValue(HKEY_LOCAL_MACHINE, kRun,
             {"Binary", REG_BINARY, std::string(reinterpret_cast<const char*>(&seven), 4)});
    PutString(HKEY_LOCAL_MACHINE, kRun, "Zebra", "z.exe");
    PutString(HKEY_CURRENT_USER, kRunOnce, "Later", "l.exe");
    Page().RefreshbtnClick();
    EXPECT_EQ(Names(), (std::vector<std::string>{"Aardvark", "Later", "Zebra"}));
    const std::string log = ErrorLogText();
    EXPECT_NE(log.find("LVBootList     Invalid data type for 'Binary'"), std::string::npos) << log;
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 2) << log;
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(BootListTest, SelectionDecidesTheMenuStates) {
    platform::WriteWholeFile(UserFolder() + "\\tool.exe", "MZ");
    PutString(HKEY_CURRENT_USER, kRun, "On", "C:\\on.exe");
    PutString(HKEY_CURRENT_USER, kRunTwin, "Off", "C:\\off.exe");
    Page().RefreshbtnClick();
    auto& p = Page();
    auto& m = p.lvpopup;
    const struct {
        const char* name;
        bool disable;
        const char* caption;
    } cases[] = {
        {"On", true, "Disable(&D)"}, {"Off", true, "Enable(&D)"}, {"tool.exe", false, nullptr}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SelectRow(c.name);
        EXPECT_TRUE(m.IsEnabledInMenu(p.delbtn));
        EXPECT_TRUE(m.IsEnabledInMenu(p.Runbtn));
        EXPECT_TRUE(m.IsEnabledInMenu(p.Propertiesbtn));
        EXPECT_EQ(m.IsEnabledInMenu(p.Disablebtn), c.disable);
        if (c.caption) {
            EXPECT_EQ(p.Disablebtn.Caption(), c.caption);
            EXPECT_EQ(m.MenuText(p.Disablebtn), std::string(c.caption) + "\tCtrl+D");
        }
    }
    Select(-1);
    for (auto* item : {&p.delbtn, &p.Runbtn, &p.Propertiesbtn, &p.Disablebtn})
        EXPECT_FALSE(m.IsEnabledInMenu(*item)) << item->Name();
    EXPECT_TRUE(m.IsEnabledInMenu(p.Addbtn));
    EXPECT_TRUE(m.IsEnabledInMenu(p.Refreshbtn));
}

TEST_F(BootListTest, DisableAndEnableMoveTheValueUnchanged) {
    PutString(HKEY_CURRENT_USER, kRun, "Expand", "%ProgramFiles%\\e.exe -x", REG_EXPAND_SZ);
    const auto original = GetValue(HKEY_CURRENT_USER, kRun, "Expand");
    Page().RefreshbtnClick();
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kRunTwin));
    SelectRow("Expand");
    Page().lvpopup.Choose(Page().Disablebtn);
    EXPECT_FALSE(GetValue(HKEY_CURRENT_USER, kRun, "Expand"));
    auto parked = GetValue(HKEY_CURRENT_USER, kRunTwin, "Expand");
    ASSERT_TRUE(parked);
    EXPECT_EQ(parked->type, static_cast<DWORD>(REG_EXPAND_SZ));
    EXPECT_EQ(parked->bytes, original->bytes);
    ASSERT_EQ(Rows().size(), 1u);
    EXPECT_EQ(Rows()[0], (TStartupEntry{"Expand", "%ProgramFiles%\\e.exe -x", kHkcuRun + "-",
                                        "Registry\\Current User\\Run-", false}));

    SelectRow("Expand");
    EXPECT_EQ(Page().Disablebtn.Caption(), "Enable(&D)");
    Page().lvpopup.Choose(Page().Disablebtn);
    EXPECT_FALSE(GetValue(HKEY_CURRENT_USER, kRunTwin, "Expand"));
    auto back = GetValue(HKEY_CURRENT_USER, kRun, "Expand");
    ASSERT_TRUE(back);
    EXPECT_EQ(back->type, static_cast<DWORD>(REG_EXPAND_SZ));
    EXPECT_EQ(back->bytes, original->bytes);
    EXPECT_EQ(Rows()[0].TypeLabel, "Registry\\Current User\\Run");
    EXPECT_TRUE(prompts.messages.empty());
}

// Disable and Enable ask before a move writes over an entry of the same name already parked
// (or already enabled); Cancel moves nothing.
TEST_F(BootListTest, DisableAndEnableAskBeforeReplacingAnEntryOfTheSameName) {
    struct Case {
        bool disable;
        int answer;
    };
    const Case cases[] = {{true, platform::kAnswerCancel},
                          {true, platform::kAnswerOk},
                          {false, platform::kAnswerCancel},
                          {false, platform::kAnswerOk}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.disable ? "disable" : "enable") +
                     (c.answer == platform::kAnswerOk ? " OK" : " Cancel"));
        prompts.messages.clear();
        PutString(HKEY_CURRENT_USER, kRun, "Dup", "C:\\new.exe");
        PutString(HKEY_CURRENT_USER, kRunTwin, "Dup", "C:\\old-parked.exe /keep");
        const std::string from = c.disable ? kRun : kRunTwin;
        const std::string to = c.disable ? kRunTwin : kRun;
        const std::string moving =
            platform::RegistryString(*GetValue(HKEY_CURRENT_USER, from, "Dup"));
        const std::string staying =
            platform::RegistryString(*GetValue(HKEY_CURRENT_USER, to, "Dup"));
        Page().RefreshbtnClick();
        SelectRow("Dup",
                  c.disable ? "Registry\\Current User\\Run" : "Registry\\Current User\\Run-");
        prompts.messageAnswers = {c.answer};
        Page().lvpopup.Choose(Page().Disablebtn);

        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_EQ(prompts.messages[0].text, "There is already an entry named Dup in " + kHkcuRun +
                                                (c.disable ? "-" : "") +
                                                ". Are you sure that you want to replace it?");
        EXPECT_EQ(prompts.messages[0].style,
                  platform::kOkCancel | platform::kIconQuestion | platform::kDefaultButton2);
        const bool moved = c.answer == platform::kAnswerOk;
        EXPECT_EQ(GetValue(HKEY_CURRENT_USER, from, "Dup").has_value(), !moved);
        EXPECT_EQ(platform::RegistryString(*GetValue(HKEY_CURRENT_USER, to, "Dup")),
                  moved ? moving : staying);
        if (!moved) {
            EXPECT_EQ(platform::RegistryString(*GetValue(HKEY_CURRENT_USER, from, "Dup")), moving);
        }
    }
}

TEST_F(BootListTest, OddNamesAndValuesSurviveDisableAndEnable) {
    const std::string huge(60000, 'h');
    PutString(HKEY_LOCAL_MACHINE, kRun, "", "default.exe");
    PutString(HKEY_LOCAL_MACHINE, kRun, "Größe 启动", huge);
    Page().RefreshbtnClick();
    ASSERT_EQ(Names(), (std::vector<std::string>{"", "Größe 启动"}));
    EXPECT_EQ(Rows()[1].Command, huge);
    for (const std::string name : {"", "Größe 启动"}) {
        SCOPED_TRACE(name);
        SelectRow(name);
        Page().DisablebtnClick(&Page().Disablebtn);
        EXPECT_TRUE(GetValue(HKEY_LOCAL_MACHINE, kRunTwin, name));
        SelectRow(name);
        Page().DisablebtnClick(&Page().Disablebtn);
        EXPECT_EQ(platform::RegistryString(*GetValue(HKEY_LOCAL_MACHINE, kRun, name)),
                  name.empty() ? "default.exe" : huge);
    }
    EXPECT_TRUE(prompts.messages.empty());
}

// Only KEY_READ (and the right to change the rights back) for everyone on the key.
class ReadOnlyKey {
  public:
    ReadOnlyKey(HKEY root, const std::string& path) {
        RegCreateKeyExW(root, platform::Widen(path).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key_, nullptr);
        Apply(L"D:P(A;;KRWD;;;WD)");
    }
    ~ReadOnlyKey() {
        Apply(L"D:P(A;;KA;;;WD)");
        RegCloseKey(key_);
    }
    ReadOnlyKey(const ReadOnlyKey&) = delete;
    ReadOnlyKey& operator=(const ReadOnlyKey&) = delete;

  private:
    void Apply(const wchar_t* sddl) {
        PSECURITY_DESCRIPTOR sd = nullptr;
        if (ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &sd,
                                                                 nullptr)) {
            RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, sd);
            LocalFree(sd);
        }
    }
    HKEY key_ = nullptr;
};

TEST_F(BootListTest, KeysWithoutWriteAccessAreListedAndChangesReportFailure) {
    PutString(HKEY_LOCAL_MACHINE, kRun, "Locked", "l.exe");
    ReadOnlyKey guard(HKEY_LOCAL_MACHINE, kRun);
    HKEY probe = nullptr;
    const LSTATUS full =
        RegOpenKeyExW(HKEY_LOCAL_MACHINE, platform::Widen(kRun).c_str(), 0, KEY_ALL_ACCESS, &probe);
    if (probe) RegCloseKey(probe);
    ASSERT_EQ(full, ERROR_ACCESS_DENIED) << "the key's rights are not enforced here";

    Page().RefreshbtnClick();
    ASSERT_EQ(Names(), (std::vector<std::string>{"Locked"}));
    SelectRow("Locked");
    Page().DisablebtnClick(&Page().Disablebtn);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "删除键值未成功，请检查注册表路径及访问权限后再试。");
    // The copy went to the twin first; the original stays where it was.
    EXPECT_TRUE(GetValue(HKEY_LOCAL_MACHINE, kRun, "Locked"));
    SelectRow("Locked", "Registry\\All Users\\Run");
    Page().delbtnClick(&Page().BtnBlDel);
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(prompts.messages[1].text,
              "Delete key failed,Please check the registry path and your rights");
    EXPECT_TRUE(GetValue(HKEY_LOCAL_MACHINE, kRun, "Locked"));
}

TEST_F(BootListTest, FolderRowsCannotBeDisabled) {
    platform::WriteWholeFile(UserFolder() + "\\tool.exe", "MZ");
    Page().RefreshbtnClick();
    SelectRow("tool.exe");
    EXPECT_FALSE(Page().lvpopup.IsEnabledInMenu(Page().Disablebtn));
    Page().lvpopup.Choose(Page().Disablebtn);  // a disabled item does nothing
    EXPECT_TRUE(platform::FileExists(UserFolder() + "\\tool.exe"));
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(BootListTest, DeleteThroughTheMenuAsksAndCancelOnlyRefreshes) {
    PutString(HKEY_CURRENT_USER, kRun, "Victim", "v.exe");
    Page().RefreshbtnClick();
    SelectRow("Victim");
    PutString(HKEY_CURRENT_USER, kRun, "Newcomer", "n.exe");
    prompts.messageAnswers = {platform::kAnswerCancel};
    Page().lvpopup.Choose(Page().delbtn);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "Are you sure that you want to deleteVictim?");
    EXPECT_EQ(prompts.messages[0].caption, "Yes");
    EXPECT_EQ(prompts.messages[0].style,
              static_cast<unsigned>(platform::kOkCancel | platform::kIconQuestion));
    EXPECT_TRUE(GetValue(HKEY_CURRENT_USER, kRun, "Victim"));
    EXPECT_EQ(Names(), (std::vector<std::string>{"Newcomer", "Victim"}));

    SelectRow("Victim");
    prompts.messageAnswers = {platform::kAnswerOk};
    Page().lvpopup.Choose(Page().delbtn);
    EXPECT_FALSE(GetValue(HKEY_CURRENT_USER, kRun, "Victim"));
    EXPECT_EQ(Names(), (std::vector<std::string>{"Newcomer"}));
}

TEST_F(BootListTest, DeleteThroughTheButtonAsksNothing) {
    MakeShortcut(UserFolder() + "\\ro.lnk", "C:\\x.exe");
    SetFileAttributesW(platform::Widen(UserFolder() + "\\ro.lnk").c_str(), FILE_ATTRIBUTE_READONLY);
    PutString(HKEY_LOCAL_MACHINE, kRunTwin, "Parked", "p.exe");
    Page().RefreshbtnClick();
    SelectRow("ro.lnk");
    Page().BtnBlDel.Click();
    EXPECT_FALSE(platform::FileExists(UserFolder() + "\\ro.lnk"));
    SelectRow("Parked");
    Page().BtnBlDel.Click();
    EXPECT_FALSE(GetValue(HKEY_LOCAL_MACHINE, kRunTwin, "Parked"));
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(Page().LVBootList.Count(), 0);
}

TEST_F(BootListTest, WithoutASelectionRunDoesNothingAndDeleteAndDisableOnlyRefresh) {
    PutString(HKEY_CURRENT_USER, kRun, "Only", "o.exe");
    Page().RefreshbtnClick();
    SelectRow("Only");
    Page().RefreshbtnClick();  // the selection goes with the rows; the menu keeps its states
    PutString(HKEY_CURRENT_USER, kRun, "Second", "s.exe");
    Page().lvpopup.Choose(Page().Runbtn);
    EXPECT_TRUE(shell.calls.empty());
    Page().lvpopup.Choose(Page().delbtn);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(Names(), (std::vector<std::string>{"Only", "Second"}));
    PutString(HKEY_CURRENT_USER, kRun, "Third", "t.exe");
    Page().lvpopup.Choose(Page().Disablebtn);
    EXPECT_EQ(Names(), (std::vector<std::string>{"Only", "Second", "Third"}));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kRunTwin));
}

TEST_F(BootListTest, RunOpensTheWholeCommandAsTheFile) {
    PutString(HKEY_CURRENT_USER, kRun, "Tool", "  \"C:\\Apps\\tool.exe\" -quiet  ");
    Page().RefreshbtnClick();
    SelectRow("Tool");
    Page().lvpopup.Choose(Page().Runbtn);
    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.calls[0].verb, "open");
    EXPECT_EQ(shell.calls[0].file, "\"C:\\Apps\\tool.exe\" -quiet");
    EXPECT_EQ(shell.calls[0].parameters, "");
    EXPECT_EQ(shell.calls[0].directory, "");
    EXPECT_EQ(shell.calls[0].show, SW_SHOWNORMAL);
    EXPECT_EQ(Names(), (std::vector<std::string>{"Tool"}));
}

class ShortcutKeyTest : public BootListTest {
  protected:
    void Press(UINT key, bool ctrl = false, bool alt = false) {
        BYTE state[256] = {};
        GetKeyboardState(state);
        state[VK_CONTROL] = ctrl ? 0x80 : 0;
        state[VK_MENU] = alt ? 0x80 : 0;
        SetKeyboardState(state);
        SendMessageW(Page().LVBootList.Handle(), alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key,
                     alt ? (1 << 29) : 0);
        state[VK_CONTROL] = state[VK_MENU] = 0;
        SetKeyboardState(state);
    }
};

TEST_F(ShortcutKeyTest, MenuShortcutsWorkInTheList) {
    PutString(HKEY_CURRENT_USER, kRun, "Keyed", "k.exe");
    Press(VK_F5);
    EXPECT_EQ(Names(), (std::vector<std::string>{"Keyed"}));
    Press(VK_DELETE);  // nothing selected: the item is disabled
    EXPECT_TRUE(prompts.messages.empty());
    SelectRow("Keyed");
    Press('R', true);
    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.calls[0].file, "k.exe");
    Press('D', true);
    EXPECT_TRUE(GetValue(HKEY_CURRENT_USER, kRunTwin, "Keyed"));
    SelectRow("Keyed");
    prompts.messageAnswers = {platform::kAnswerCancel};
    Press(VK_DELETE);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "Are you sure that you want to deleteKeyed?");
}

TEST_F(ShortcutKeyTest, CtrlNAndAltEnterOpenTheDialog) {
    PutString(HKEY_CURRENT_USER, kRun, "Keyed", "k.exe");
    Page().RefreshbtnClick();
    bool editing = true;
    WithDialog([&] { Press('N', true); }, [&](TFormAttribute& d) { editing = d.IsEditMode(); });
    EXPECT_EQ(dialogsShown, 1);
    EXPECT_FALSE(editing);
    SelectRow("Keyed");
    WithDialog([&] { Press(VK_RETURN, false, true); },
               [&](TFormAttribute& d) { editing = d.IsEditMode(); });
    EXPECT_EQ(dialogsShown, 2);
    EXPECT_TRUE(editing);
}

}  // namespace
