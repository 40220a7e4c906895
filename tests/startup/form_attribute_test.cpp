#include <gtest/gtest.h>

#include "boot_list_test_support.h"
#include "platform/files.h"
#include "platform/prompts.h"
#include "platform/text.h"
#include "startup/enumeration.h"
#include "startup/locations.h"
#include "startup_test_support.h"

namespace {

using namespace startup;
using namespace startup_tests;

const std::string kHkcuRun = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kHklmRunOnce =
    "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

class PropertiesTest : public BootListTest {
  protected:
    void Add(const std::function<void(TFormAttribute&)>& script) {
        WithDialog([this] { Page().BtnBLAdd.Click(); }, script);
    }
    void Edit(const std::string& name, const std::function<void(TFormAttribute&)>& script) {
        Page().RefreshbtnClick();
        SelectRow(name);
        WithDialog([this] { Page().BtnBlProperty.Click(); }, script);
    }
    static void Fill(TFormAttribute& d, const std::string& name, const std::string& type,
                     const std::string& location, const std::string& command) {
        d.FlatEditName.SetText(name);
        d.FlatComboBoxType.SetText(type);
        d.FlatEditPath.SetText(location);
        d.FlatEditCmd.SetText(command);
    }
    std::vector<std::string> MessageTexts() {
        std::vector<std::string> out;
        for (const auto& m : prompts.messages)
            out.push_back(m.text);
        return out;
    }
};

TEST_F(PropertiesTest, ControlsCaptionsAndTabOrder) {
    Add([&](TFormAttribute& d) {
        wchar_t caption[32] = {};
        GetWindowTextW(d.Handle(), caption, 32);
        EXPECT_EQ(platform::Narrow(caption), "Properties");
        const RECT client = d.ClientRect();
        EXPECT_EQ(client.right, 393);
        EXPECT_EQ(client.bottom, 339);
        EXPECT_FALSE(GetWindowLongPtrW(d.Handle(), GWL_STYLE) & WS_THICKFRAME);
        EXPECT_EQ(d.GroupBoxProperties.Text(), "  Properties  ");
        EXPECT_EQ(d.LabelICO.Text(), "ICON");
        EXPECT_EQ(d.LabelName.Text(), "Name: ");
        EXPECT_EQ(d.LabelTypes.Text(), "Type: ");
        EXPECT_EQ(d.LabelPath.Text(), "Location:");
        EXPECT_EQ(d.LabelFile.Text(), "Command:");
        EXPECT_EQ(d.FlatButtonOpen.Text(), "...");
        EXPECT_EQ(d.FlatSpeedButtonFind.Text(), "Search");
        EXPECT_EQ(d.FlatSpeedButtonEnter.Text(), "OK(&O)");
        EXPECT_EQ(d.FlatSpeedButtonCancel.Text(), "Cancel(&C)");
        ASSERT_EQ(d.FlatComboBoxType.Count(), 14);
        for (int code = 1; code <= 14; ++code) {
            std::string label;
            LocationLabel(code, label);
            EXPECT_EQ(d.FlatComboBoxType.ItemText(code - 1), label);
        }
        // The combo box takes typing.
        EXPECT_EQ(GetWindowLongPtrW(d.FlatComboBoxType.Handle(), GWL_STYLE) & 3, CBS_DROPDOWN);
        // Tab order: name, type, location, command.
        const HWND order[] = {d.FlatEditName.Handle(), d.FlatComboBoxType.Handle(),
                              d.FlatEditPath.Handle(), d.FlatEditCmd.Handle()};
        for (int i = 0; i < 3; ++i) {
            HWND next = GetNextDlgTabItem(d.Handle(), order[i], FALSE);
            // The combo's own edit field belongs to the combo.
            if (GetParent(next) == order[i]) next = GetParent(next);
            EXPECT_EQ(next, order[i + 1]) << i;
        }
        EXPECT_EQ(
            d.openfile.filter,
            "程序文件(*.exe,*.com,*.bat,*.cmd,*.lnk)|*.exe;*.com;*.bat;*.cmd;*.lnk|COM文件(*.com)|"
            "*.com|批处理(*.bat)|*.bat|程序文件(*.lnk)|*.lnk|执行文件(*.exe)|*.exe|所有文件(*.*)|*."
            "*");
        EXPECT_EQ(d.openfile.defaultExtension, "*.exe;*.com;*.bat;*.cmd;.lnk");
        EXPECT_FALSE(d.openfile.allowMultiSelect);
        EXPECT_FALSE(IsWindowEnabled(frame.Handle()));  // modal
    });
    EXPECT_EQ(dialogsShown, 1);
    EXPECT_TRUE(IsWindowEnabled(frame.Handle()));
}

TEST_F(PropertiesTest, EditShowsTheRowAndTheProgramsIcon) {
    PutString(HKEY_CURRENT_USER, kRun, "Tool", "\"C:\\Apps\\Tool.exe\" /q");
    Edit("Tool", [&](TFormAttribute& d) {
        EXPECT_TRUE(d.IsEditMode());
        EXPECT_EQ(d.FlatEditName.Text(), "Tool");
        EXPECT_EQ(d.FlatEditCmd.Text(), "\"C:\\Apps\\Tool.exe\" /q");
        EXPECT_EQ(d.FlatEditPath.Text(), kHkcuRun);
        EXPECT_EQ(d.FlatComboBoxType.Text(), "Registry\\Current User\\Run");
        EXPECT_NE(SendMessageW(d.Image1.Handle(), STM_GETICON, 0, 0), 0);
    });
    EXPECT_EQ(Page().attributes.AttrName, "Tool");
}

TEST_F(PropertiesTest, OpenersWithoutASelectionAndForAdding) {
    PutString(HKEY_CURRENT_USER, kRun, "Tool", "t.exe");
    Page().RefreshbtnClick();
    const auto noop = [](TFormAttribute&) {};
    WithDialog([&] { Page().BtnBlProperty.Click(); }, noop);
    WithDialog([&] { Page().lvpopup.Choose(Page().Propertiesbtn); }, noop);
    WithDialog([&] { Page().LVBootList.onDblClick(); }, noop);
    EXPECT_EQ(dialogsShown, 0);
    SelectRow("Tool");
    WithDialog([&] { Page().lvpopup.Choose(Page().Addbtn); },
               [&](TFormAttribute& d) {
                   EXPECT_FALSE(d.IsEditMode());
                   EXPECT_EQ(d.FlatEditName.Text(), "");
                   EXPECT_EQ(d.FlatEditCmd.Text(), "");
                   EXPECT_EQ(d.FlatEditPath.Text(), "");
                   EXPECT_EQ(d.FlatComboBoxType.Text(), "");
               });
    SelectRow("Tool");
    WithDialog([&] { Page().LVBootList.onDblClick(); },
               [&](TFormAttribute& d) { EXPECT_EQ(d.FlatEditName.Text(), "Tool"); });
    EXPECT_EQ(dialogsShown, 2);
}

TEST_F(PropertiesTest, TheTypeFillsTheLocation) {
    Add([&](TFormAttribute& d) {
        PickType(d, "StartUP Folder-Current User");
        EXPECT_EQ(d.FlatEditPath.Text(), UserFolder());
        PickType(d, "StartUP Folder-All Users");
        EXPECT_EQ(d.FlatEditPath.Text(), AllUsersFolder());
        PickType(d, "Registry\\All Users\\RunOnce");
        EXPECT_EQ(d.FlatEditPath.Text(), kHklmRunOnce);
        TypeType(d, "  Registry\\All Users\\RunOnce-  ");
        EXPECT_EQ(d.FlatEditPath.Text(), kHklmRunOnce + "-");
        TypeType(d, "no such type");
        EXPECT_EQ(d.FlatEditPath.Text(), kHkcuRun);
        d.FlatEditPath.SetText("kept");
        TypeType(d, "   ");
        EXPECT_EQ(d.FlatEditPath.Text(), "kept");
    });
}

TEST_F(PropertiesTest, BrowseReplacesTheCommandAndSearchOpensExplorer) {
    prompts.fileAnswers = {std::vector<std::string>{"C:\\Picked\\new.exe"}, std::nullopt};
    Add([&](TFormAttribute& d) {
        d.FlatEditCmd.SetText("\"C:\\Old\\Prog.EXE\" -arg");
        d.FlatButtonOpen.Click();
        EXPECT_EQ(d.FlatEditCmd.Text(), "C:\\Picked\\new.exe");
        d.FlatButtonOpen.Click();  // cancelled: the command stays
        EXPECT_EQ(d.FlatEditCmd.Text(), "C:\\Picked\\new.exe");
        d.FlatEditCmd.SetText(" C:\\a b\\x.exe -y");
        d.FlatSpeedButtonFind.Click();
    });
    ASSERT_EQ(prompts.fileDialogs.size(), 2u);
    EXPECT_EQ(prompts.fileDialogs[0].fileName, "c:\\old\\prog.exe");
    EXPECT_EQ(prompts.fileDialogs[0].filter.substr(0, 12), "程序文件");
    EXPECT_EQ(prompts.fileDialogs[1].fileName, "c:\\picked\\new.exe");
    ASSERT_EQ(shell.commandLines.size(), 1u);
    EXPECT_EQ(shell.commandLines[0].commandLine, "explorer /select, C:\\a b\\x.exe -y");
    EXPECT_EQ(shell.commandLines[0].show, SW_SHOW);
}

TEST_F(PropertiesTest, EscAndEnterWorkFromEveryField) {
    PutString(HKEY_CURRENT_USER, kRun, "Keep", "k.exe");
    bool stillOpen = false;
    Add([&](TFormAttribute& d) {
        // A release without its press (the Enter that opened the dialog) does nothing.
        PostMessageW(d.FlatEditCmd.Handle(), WM_KEYUP, VK_RETURN, 0xC0000001);
        PostMessageW(d.FlatEditPath.Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
        PostMessageW(d.FlatEditPath.Handle(), WM_KEYUP, VK_ESCAPE, 0xC0000001);
        d.FlatEditName.SetText("Half filled");
        stillOpen = d.IsOpen();
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(prompts.messages.empty());  // Enter would have said the fields are incomplete
    EXPECT_EQ(Names(), (std::vector<std::string>{"Keep"}));  // Esc refreshed

    Add([&](TFormAttribute& d) {
        Fill(d, "ByEnter", "Registry\\Current User\\Run", kHkcuRun, "e.exe");
        PostMessageW(d.FlatComboBoxType.Handle(), WM_KEYDOWN, VK_RETURN, 1);
        PostMessageW(d.FlatComboBoxType.Handle(), WM_KEYUP, VK_RETURN, 0xC0000001);
    });
    EXPECT_TRUE(GetValue(HKEY_CURRENT_USER, kRun, "ByEnter"));
}

TEST_F(PropertiesTest, OkWithEverythingBlankOrUnchangedStoresNothing) {
    PutString(HKEY_CURRENT_USER, kRun, "Same", "s.exe");
    bool closed = false;
    Add([&](TFormAttribute& d) {
        Fill(d, "  ", "", " ", "");
        d.FlatSpeedButtonEnter.Click();
        closed = !d.IsOpen();
    });
    EXPECT_TRUE(closed);
    EXPECT_EQ(Names(), (std::vector<std::string>{"Same"}));
    Edit("Same", [&](TFormAttribute& d) {
        d.FlatSpeedButtonEnter.Click();
        closed = !d.IsOpen();
    });
    EXPECT_TRUE(closed);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(Rows().size(), 1u);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kRunTwin));
}

TEST_F(PropertiesTest, OkWithSomeFieldsBlankAsksAndStaysOpen) {
    const char* const blanks[] = {"name", "type", "location", "command"};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(blanks[i]);
        prompts.messages.clear();
        bool open = false;
        Add([&](TFormAttribute& d) {
            Fill(d, i == 0 ? " " : "N", i == 1 ? "" : "T", i == 2 ? "  " : kHkcuRun,
                 i == 3 ? "" : "c.exe");
            d.FlatSpeedButtonEnter.Click();
            open = d.IsOpen();
        });
        EXPECT_TRUE(open);
        EXPECT_EQ(MessageTexts(),
                  (std::vector<std::string>{"Please fill the right parameter and try again"}));
        EXPECT_FALSE(GetValue(HKEY_CURRENT_USER, kRun, "N"));
    }
}

TEST_F(PropertiesTest, AddToTheRegistryAndToAFolder) {
    PutString(HKEY_CURRENT_USER, kRun, "Selected", "sel.exe");
    Page().RefreshbtnClick();
    SelectRow("Selected");
    Add([&](TFormAttribute& d) {
        d.FlatEditName.SetText("Added");
        PickType(d, "Registry\\All Users\\RunOnce");
        d.FlatEditCmd.SetText("C:\\Apps\\added.exe -s");
        d.FlatSpeedButtonEnter.Click();
    });
    EXPECT_EQ(
        platform::RegistryString(*GetValue(
            HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce", "Added")),
        "C:\\Apps\\added.exe -s");
    // The selected row was left alone.
    EXPECT_TRUE(GetValue(HKEY_CURRENT_USER, kRun, "Selected"));
    EXPECT_EQ(Page().attributes.AttrName, "Added");
    EXPECT_EQ(Page().attributes.AttrLocation, kHklmRunOnce);
    EXPECT_EQ(Page().attributes.AttrType, "Registry\\All Users\\RunOnce");

    Add([&](TFormAttribute& d) {
        d.FlatEditName.SetText("Editor.exe");
        PickType(d, "StartUP Folder-Current User");
        d.FlatEditCmd.SetText("C:\\Apps\\editor.exe");
        d.FlatSpeedButtonEnter.Click();
    });
    EXPECT_EQ(ReadShortcutCommand(UserFolder() + "\\Editor.lnk"), "\"C:\\Apps\\editor.exe\"");
    EXPECT_GE(RowOf("Editor.lnk", "StartUP Folder-Current User"), 0);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(PropertiesTest, AHandTypedLocationWithAnOddRootStoresUnderTheCurrentUser) {
    Add([&](TFormAttribute& d) {
        Fill(d, "Typed", "whatever", "HKEY_USERS\\Software\\Typed By Hand", "t.exe");
        d.FlatSpeedButtonEnter.Click();
    });
    EXPECT_TRUE(GetValue(HKEY_CURRENT_USER, "Software\\Typed By Hand", "Typed"));
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(PropertiesTest, RenamingARegistryEntryMovesItWithinItsKey) {
    PutString(HKEY_CURRENT_USER, kRun, "Old", "%windir%\\o.exe", REG_EXPAND_SZ);
    Edit("Old", [&](TFormAttribute& d) {
        d.FlatEditName.SetText("New");
        d.FlatSpeedButtonEnter.Click();
    });
    EXPECT_FALSE(GetValue(HKEY_CURRENT_USER, kRun, "Old"));
    EXPECT_EQ(platform::RegistryString(*GetValue(HKEY_CURRENT_USER, kRun, "New")),
              "%windir%\\o.exe");
    EXPECT_EQ(Names(), (std::vector<std::string>{"New"}));
    EXPECT_TRUE(prompts.messages.empty());  // the removal asked nothing
}

TEST_F(PropertiesTest, EditingADisabledEntryKeepsItDisabled) {
    PutString(HKEY_CURRENT_USER, kRunTwin, "Parked", "p.exe");
    Edit("Parked", [&](TFormAttribute& d) {
        d.FlatEditCmd.SetText("p2.exe");
        d.FlatSpeedButtonEnter.Click();
    });
    EXPECT_EQ(platform::RegistryString(*GetValue(HKEY_CURRENT_USER, kRunTwin, "Parked")), "p2.exe");
    EXPECT_FALSE(GetValue(HKEY_CURRENT_USER, kRun, "Parked"));
    ASSERT_EQ(Rows().size(), 1u);
    EXPECT_FALSE(Rows()[0].Enabled);
}

TEST_F(PropertiesTest, ChangingOnlyTheCommandNeverRemovesWhatWasJustStored) {
    PutString(HKEY_CURRENT_USER, kRun, "Same", "old.exe");
    Edit("Same", [&](TFormAttribute& d) {
        d.FlatEditCmd.SetText("new.exe");
        d.FlatSpeedButtonEnter.Click();
    });
    EXPECT_EQ(platform::RegistryString(*GetValue(HKEY_CURRENT_USER, kRun, "Same")), "new.exe");

    MakeShortcut(UserFolder() + "\\Link.lnk", "C:\\Apps\\one.exe");
    Edit("Link.lnk", [&](TFormAttribute& d) {
        d.FlatEditCmd.SetText("C:\\Apps\\two.exe");
        d.FlatSpeedButtonEnter.Click();
    });
    EXPECT_EQ(ReadShortcutCommand(UserFolder() + "\\Link.lnk"), "\"C:\\Apps\\two.exe\"");
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(PropertiesTest, AFailedStoreKeepsTheOldEntry) {
    PutString(HKEY_CURRENT_USER, kRun, "Precious", "p.exe");
    Edit("Precious", [&](TFormAttribute& d) {
        d.FlatEditPath.SetText("HKEY_CURRENT_USER\\Software\\" + std::string(300, 'k'));
        d.FlatSpeedButtonEnter.Click();
    });
    EXPECT_EQ(
        MessageTexts(),
        (std::vector<std::string>{
            "Registry write key failed，Please check registry path and access rights to retry",
            "execute error!"}));
    EXPECT_TRUE(GetValue(HKEY_CURRENT_USER, kRun, "Precious"));
    EXPECT_EQ(Names(), (std::vector<std::string>{"Precious"}));

    prompts.messages.clear();
    MakeShortcut(UserFolder() + "\\Mine.lnk", "C:\\Apps\\mine.exe");
    Edit("Mine.lnk", [&](TFormAttribute& d) {
        d.FlatEditPath.SetText(UserFolder() + "\\no such folder");
        d.FlatSpeedButtonEnter.Click();
    });
    EXPECT_EQ(MessageTexts(),
              (std::vector<std::string>{
                  "Create shortcut failed，please check disk path and access rights to retry.",
                  "execute error!"}));
    EXPECT_TRUE(platform::FileExists(UserFolder() + "\\Mine.lnk"));
}

TEST_F(PropertiesTest, AProgramInAStartupFolderStaysWhenTheNewCommandNamesIt) {
    const std::string program = UserFolder() + "\\agent.exe";
    platform::WriteWholeFile(program, "MZ");
    Edit("agent.exe", [&](TFormAttribute& d) {
        d.FlatEditName.SetText("Agent Link");
        d.FlatSpeedButtonEnter.Click();
    });
    EXPECT_TRUE(platform::FileExists(program));
    EXPECT_EQ(ReadShortcutCommand(UserFolder() + "\\Agent Link.lnk"), "\"" + program + "\"");
}

TEST_F(PropertiesTest, MovingAnEntryFromTheRegistryToAFolder) {
    PutString(HKEY_CURRENT_USER, kRun, "Mover.exe", "C:\\Apps\\mover.exe");
    Edit("Mover.exe", [&](TFormAttribute& d) {
        PickType(d, "StartUP Folder-All Users");
        d.FlatSpeedButtonEnter.Click();
    });
    EXPECT_FALSE(GetValue(HKEY_CURRENT_USER, kRun, "Mover.exe"));
    EXPECT_TRUE(platform::FileExists(AllUsersFolder() + "\\Mover.lnk"));
    EXPECT_EQ(Names(), (std::vector<std::string>{"Mover.lnk"}));
}

// An edit or an add that would write over another entry of the same name asks first; Cancel
// is the default and changes nothing, the dialog staying open for another name.
struct ReplaceCase {
    int answer;
    bool replaced;
};

class ReplaceTest : public PropertiesTest, public ::testing::WithParamInterface<ReplaceCase> {
  protected:
    std::string ReplaceQuestion(const std::string& name, const std::string& where) {
        return "There is already an entry named " + name + " in " + where +
               ". Are you sure that you want to replace it?";
    }
    void ExpectOneReplaceQuestion(const std::string& name, const std::string& where) {
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_EQ(prompts.messages[0].text, ReplaceQuestion(name, where));
        EXPECT_EQ(prompts.messages[0].caption, "Veltrin");
        EXPECT_EQ(prompts.messages[0].style,
                  platform::kOkCancel | platform::kIconQuestion | platform::kDefaultButton2);
    }
};

TEST_P(ReplaceTest, RenamingOntoAnExistingName) {
    const ReplaceCase c = GetParam();
    PutString(HKEY_CURRENT_USER, kRun, "RenA", "C:\\a.exe");
    PutString(HKEY_CURRENT_USER, kRun, "RenB", "C:\\b-precious.exe --with-args");
    prompts.messageAnswers = {c.answer};
    bool open = false;
    Edit("RenA", [&](TFormAttribute& d) {
        d.FlatEditName.SetText("renb");  // the registry ignores letter case
        d.FlatSpeedButtonEnter.Click();
        open = d.IsOpen();
    });
    ExpectOneReplaceQuestion("renb", kHkcuRun);
    EXPECT_EQ(open, !c.replaced);
    EXPECT_EQ(GetValue(HKEY_CURRENT_USER, kRun, "RenA").has_value(), !c.replaced);
    EXPECT_EQ(platform::RegistryString(*GetValue(HKEY_CURRENT_USER, kRun, "RenB")),
              c.replaced ? "C:\\a.exe" : "C:\\b-precious.exe --with-args");
}

TEST_P(ReplaceTest, AddingOverAnExistingEntry) {
    const ReplaceCase c = GetParam();
    PutString(HKEY_CURRENT_USER, kRun, "Taken", "C:\\kept.exe /keep");
    prompts.messageAnswers = {c.answer};
    Add([&](TFormAttribute& d) {
        Fill(d, "Taken", "Registry\\Current User\\Run", kHkcuRun, "C:\\other.exe");
        d.FlatSpeedButtonEnter.Click();
    });
    ExpectOneReplaceQuestion("Taken", kHkcuRun);
    EXPECT_EQ(platform::RegistryString(*GetValue(HKEY_CURRENT_USER, kRun, "Taken")),
              c.replaced ? "C:\\other.exe" : "C:\\kept.exe /keep");

    // The same for the file a folder entry would be.
    prompts.messages.clear();
    prompts.messageAnswers = {c.answer};
    MakeShortcut(UserFolder() + "\\Tool.lnk", "C:\\Apps\\original.exe");
    Add([&](TFormAttribute& d) {
        Fill(d, "Tool.exe", "StartUP Folder-Current User", UserFolder(), "C:\\Apps\\other.exe");
        d.FlatSpeedButtonEnter.Click();
    });
    ExpectOneReplaceQuestion("Tool.exe", UserFolder());
    EXPECT_EQ(ReadShortcutCommand(UserFolder() + "\\Tool.lnk"),
              c.replaced ? "\"C:\\Apps\\other.exe\"" : "\"C:\\Apps\\original.exe\"");
}

INSTANTIATE_TEST_SUITE_P(CancelOrOk, ReplaceTest,
                         ::testing::Values(ReplaceCase{platform::kAnswerCancel, false},
                                           ReplaceCase{platform::kAnswerOk, true}));

TEST_F(PropertiesTest, AFreePlaceOrTheEditedEntryItselfAsksNothing) {
    PutString(HKEY_CURRENT_USER, kRun, "Alone", "C:\\a.exe");
    Edit("Alone", [&](TFormAttribute& d) {
        d.FlatEditName.SetText("ALONE");
        d.FlatEditCmd.SetText("C:\\a2.exe");
        d.FlatSpeedButtonEnter.Click();
    });
    EXPECT_EQ(platform::RegistryString(*GetValue(HKEY_CURRENT_USER, kRun, "Alone")), "C:\\a2.exe");
    Add([&](TFormAttribute& d) {
        Fill(d, "Fresh", "Registry\\Current User\\Run", kHkcuRun, "C:\\f.exe");
        d.FlatSpeedButtonEnter.Click();
    });
    EXPECT_TRUE(GetValue(HKEY_CURRENT_USER, kRun, "Fresh"));
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(PropertiesTest, TheCloseBoxClosesWithoutStoringOrRefreshing) {
    Page().RefreshbtnClick();
    Add([&](TFormAttribute& d) {
        Fill(d, "Unsaved", "Registry\\Current User\\Run", kHkcuRun, "u.exe");
        PutString(HKEY_CURRENT_USER, kRun, "Sneaked", "s.exe");
        // The fixture's close box follows.
    });
    EXPECT_FALSE(GetValue(HKEY_CURRENT_USER, kRun, "Unsaved"));
    EXPECT_TRUE(Names().empty());
}

}  // namespace
