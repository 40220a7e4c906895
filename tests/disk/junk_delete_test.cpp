// Deleting what the scan found: for good or to the recycle bin, with one true report line each.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <cctype>

#include "disk_page_fixture.h"
#include "platform/file_identity.h"
#include "platform/recycle_bin.h"
#include "support/file_link.h"

namespace {

using disk_testing::DiskPageTest;
using Lines = std::vector<std::string>;

// The display names of the items in the shell's recycle bin folder.
std::vector<std::string> RecycleBinNames() {
    std::vector<std::string> names;
    IShellFolder* desktop = nullptr;
    if (FAILED(SHGetDesktopFolder(&desktop))) return names;
    PIDLIST_ABSOLUTE bin = nullptr;
    IShellFolder* folder = nullptr;
    if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_BITBUCKET, &bin)) &&
        SUCCEEDED(desktop->BindToObject(bin, nullptr, IID_IShellFolder,
                                        reinterpret_cast<void**>(&folder)))) {
        IEnumIDList* items = nullptr;
        if (folder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, &items) == S_OK) {
            PITEMID_CHILD item = nullptr;
            while (items->Next(1, &item, nullptr) == S_OK) {
                STRRET name{};
                if (SUCCEEDED(folder->GetDisplayNameOf(item, SHGDN_NORMAL, &name))) {
                    if (name.uType == STRRET_WSTR) {
                        names.push_back(platform::Narrow(name.pOleStr));
                        CoTaskMemFree(name.pOleStr);
                    } else if (name.uType == STRRET_CSTR) {
                        names.push_back(name.cStr);
                    } else if (name.uType == STRRET_OFFSET) {
                        names.push_back(reinterpret_cast<const char*>(item) + name.uOffset);
                    }
                }
                CoTaskMemFree(item);
            }
            items->Release();
        }
        folder->Release();
    }
    CoTaskMemFree(bin);
    desktop->Release();
    return names;
}

bool InRecycleBin(const std::string& name) {
    for (const auto& n : RecycleBinNames())
        if (n == name || n.starts_with(name + ".")) return true;  // shown with or without extension
    return false;
}

class DeleteTest : public DiskPageTest {
  protected:
    // A scan of the fixture tree, every find listed and checked.
    void Scan(std::initializer_list<std::string> files) {
        OpenPageWith({{"*.tmp", "", true}});
        for (const auto& f : files)
            MakeFile(f);
        WalkTree();
        ASSERT_EQ(Results().size(), files.size());
    }
    int RowOf(const std::string& relative) {
        for (int i = 0; i < Page().LVScanJunkResult.Count(); ++i)
            if (Page().LVScanJunkResult.CellText(i, 2) == Tree(relative)) return i;
        return -1;
    }
    // Without a settings file the later radio button ends selected: the tests choose.
    void Scan(std::initializer_list<std::string> files, bool recycle) {
        Scan(files);
        (recycle ? Page().RBMoveToRecycle : Page().RBDirectDel).SetChecked(true);
    }
    // The separator closing "Delete All", as the report holds it.
    const std::string separator_ = std::string(58, '=');
};

TEST_F(DeleteTest, DeleteAllRemovesTheCheckedFilesFromTheLastRowToTheFirst) {
    Scan({"a.tmp", "b.tmp", "c.tmp", "keep1.tmp", "keep2.tmp"}, false);
    SetFileAttributesW(platform::Widen(Tree("b.tmp")).c_str(),
                       FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    Page().LVScanJunkResult.SetChecked(RowOf("keep1.tmp"), false);
    Page().LVScanJunkResult.SetChecked(RowOf("keep2.tmp"), false);
    Lines expected;
    for (int i = Page().LVScanJunkResult.Count() - 1; i >= 0; --i)
        if (Page().LVScanJunkResult.IsChecked(i))
            expected.push_back(Page().LVScanJunkResult.CellText(i, 2) + " deleted!");
    expected.push_back("All Junk files deleted! ");
    expected.push_back(separator_);

    Page().BtnDeleteAllJunk.Click();
    for (const char* gone : {"a.tmp", "b.tmp", "c.tmp"})
        EXPECT_FALSE(Exists(Tree(gone))) << gone;
    EXPECT_TRUE(Exists(Tree("keep1.tmp")));
    EXPECT_TRUE(Exists(Tree("keep2.tmp")));
    EXPECT_EQ(ListedSet(), (std::multiset<std::string>{"keep1.tmp", "keep2.tmp"}));
    EXPECT_EQ(ReportLines(), expected);
    EXPECT_NE(report.Text().find(separator_ + "\r\n"), std::string::npos);
    EXPECT_EQ(Panel(2), "All Junk files deleted! ");
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(DeleteTest, DeleteAllWithNothingCheckedStillCloses) {
    Scan({"a.tmp"}, false);
    Page().LVScanJunkResult.SetChecked(0, false);
    Page().BtnDeleteAllJunkClick();
    EXPECT_TRUE(Exists(Tree("a.tmp")));
    EXPECT_EQ(ReportLines(), (Lines{"All Junk files deleted! ", separator_}));
    EXPECT_EQ(Panel(2), "All Junk files deleted! ");
}

TEST_F(DeleteTest, DeleteAllTellsWhichFilesStayed) {
    Scan({"held.tmp", "gone.tmp", "fine.tmp"}, false);
    SetFileAttributesW(platform::Widen(Tree("held.tmp")).c_str(), FILE_ATTRIBUTE_HIDDEN);
    const DWORD attributes = GetFileAttributesW(platform::Widen(Tree("held.tmp")).c_str());
    // Held open without sharing: it cannot be deleted. Another vanished since the scan.
    const HANDLE held = CreateFileW(platform::Widen(Tree("held.tmp")).c_str(), GENERIC_READ, 0,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    DeleteFileW(platform::Widen(Tree("gone.tmp")).c_str());
    Page().BtnDeleteAllJunkClick();
    CloseHandle(held);

    EXPECT_TRUE(Exists(Tree("held.tmp")));
    EXPECT_EQ(GetFileAttributesW(platform::Widen(Tree("held.tmp")).c_str()), attributes)
        << "a file that stays keeps its attributes";
    EXPECT_FALSE(Exists(Tree("fine.tmp")));
    const auto lines = ReportLines();
    const std::multiset<std::string> fileLines(lines.begin(), lines.end() - 2);
    EXPECT_EQ(fileLines, (std::multiset<std::string>{Tree("held.tmp") + " could not be deleted!",
                                                     Tree("gone.tmp") + " could not be deleted!",
                                                     Tree("fine.tmp") + " deleted!"}));
    EXPECT_EQ(Lines(lines.end() - 2, lines.end()), (Lines{"All Junk files deleted! ", separator_}));
    // Their rows stay, unchecked, so the user sees what is left.
    ASSERT_EQ(Results().size(), 2u);
    for (const auto& r : Results())
        EXPECT_FALSE(r.checked) << r.path;
}

TEST_F(DeleteTest, DeleteAllNeverRemovesAFolderThatTookAListedName) {
    Scan({"x.tmp"}, true);
    DeleteFileW(platform::Widen(Tree("x.tmp")).c_str());
    MakeFile("x.tmp\\inside.dat");
    Page().BtnDeleteAllJunkClick();
    EXPECT_TRUE(Exists(Tree("x.tmp\\inside.dat")));
    EXPECT_EQ(ReportLines()[0], Tree("x.tmp") + " could not be sent to Recycle Bin!");
}

TEST_F(DeleteTest, DeleteAllReachesLongPathsAndNonAsciiNames) {
    OpenPageWith({{"*.tmp", "", true}});
    Page().RBDirectDel.SetChecked(true);
    std::string relative;
    for (int i = 0; i < 12; ++i)
        relative += "folder-with-a-long-name-" + std::to_string(i) + "\\";
    relative.pop_back();
    const std::wstring deep = MakeLongFolder(relative) + L"\\deep.tmp";
    const HANDLE h =
        CreateFileW(deep.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
    MakeFile("\xE6\x97\xA5\xE6\x9C\xAC-M\xC3\xBCll.tmp");
    WalkTree();
    ASSERT_EQ(Results().size(), 2u);
    Page().BtnDeleteAllJunkClick();
    EXPECT_EQ(GetFileAttributesW(deep.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(Exists(Tree("\xE6\x97\xA5\xE6\x9C\xAC-M\xC3\xBCll.tmp")));
    EXPECT_TRUE(Results().empty());
}

TEST_F(DeleteTest, DeleteAllToTheRecycleBin) {
    const std::string name = "recycled-" + std::to_string(GetCurrentProcessId()) + ".tmp";
    Scan({name}, true);
    Page().BtnDeleteAllJunkClick();
    EXPECT_FALSE(Exists(Tree(name)));
    EXPECT_TRUE(InRecycleBin(name)) << ::testing::PrintToString(RecycleBinNames());
    EXPECT_EQ(ReportLines(), (Lines{Tree(name) + " sent to Recycle Bin!",
                                    "All Junk files deleted! ", separator_}));
    EXPECT_TRUE(Results().empty());
    EXPECT_TRUE(prompts.messages.empty());  // no question, no progress window
}

TEST_F(DeleteTest, TheOptionChosenWhileDeleteAllRunsCounts) {
    Scan({"a.tmp", "b.tmp"}, false);
    // Switched while "Delete All" lets messages run before its first file.
    Page().BtnDeleteJunk.onClick = [&] { Page().RBMoveToRecycle.SetChecked(true); };
    PostMessageW(Page().BtnDeleteJunk.Handle(), BM_CLICK, 0, 0);
    Page().BtnDeleteAllJunkClick();
    const auto lines = ReportLines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_TRUE(lines[0].ends_with(" sent to Recycle Bin!")) << lines[0];
    EXPECT_TRUE(lines[1].ends_with(" sent to Recycle Bin!")) << lines[1];
}

TEST_F(DeleteTest, DeleteRemovesTheSelectedRowAndShowsItsName) {
    Scan({"a.tmp", "b.tmp"}, false);
    const int row = RowOf("b.tmp");
    Page().LVScanJunkResult.SetChecked(row, false);  // checked or not
    Page().LVScanJunkResult.Select(row);
    Page().BtnDeleteJunk.Click();
    EXPECT_FALSE(Exists(Tree("b.tmp")));
    EXPECT_TRUE(Exists(Tree("a.tmp")));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, Tree("b.tmp"));
    EXPECT_EQ(prompts.messages[0].style & 0xF, platform::kOk);
    EXPECT_EQ(ReportLines(), (Lines{Tree("b.tmp") + " deleted!"}));
    EXPECT_EQ(ListedSet(), (std::multiset<std::string>{"a.tmp"}));
}

TEST_F(DeleteTest, DeleteToTheRecycleBin) {
    const std::string name = "one-" + std::to_string(GetCurrentProcessId()) + ".tmp";
    Scan({name}, true);
    Page().LVScanJunkResult.Select(0);
    Page().BtnDeleteJunkClick();
    EXPECT_FALSE(Exists(Tree(name)));
    EXPECT_TRUE(InRecycleBin(name)) << ::testing::PrintToString(RecycleBinNames());
    EXPECT_EQ(ReportLines(), (Lines{Tree(name) + " sent to Recycle Bin!"}));
    EXPECT_TRUE(Results().empty());
}

TEST_F(DeleteTest, DeleteLeavesAttributesAloneAndSaysWhenItFails) {
    Scan({"ro.tmp"}, false);
    SetFileAttributesW(platform::Widen(Tree("ro.tmp")).c_str(), FILE_ATTRIBUTE_READONLY);
    Page().LVScanJunkResult.Select(0);
    Page().BtnDeleteJunkClick();
    EXPECT_TRUE(Exists(Tree("ro.tmp")));
    EXPECT_EQ(ReportLines(), (Lines{Tree("ro.tmp") + " could not be deleted!"}));
    EXPECT_EQ(prompts.messages.size(), 1u);
    ASSERT_EQ(Results().size(), 1u);
    EXPECT_FALSE(Results()[0].checked);
}

TEST_F(DeleteTest, DeleteWithoutASelectionDoesNothing) {
    Scan({"a.tmp"}, false);
    Page().LVScanJunkResult.Select(-1);
    Page().BtnDeleteJunkClick();
    EXPECT_TRUE(Exists(Tree("a.tmp")));
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(report.Text(), "");
}

// A listed file that is a link to a file elsewhere: neither mode, through neither button, may
// change or remove what it points to, nor the link.
struct LinkCase {
    bool recycle;
    bool all;  // "Delete All", else "Delete" on the selected row
    const char* notRemoved;
};

class LinkDeleteTest : public DeleteTest, public ::testing::WithParamInterface<LinkCase> {};

TEST_P(LinkDeleteTest, ALinkIsNeverFollowed) {
    const LinkCase c = GetParam();
    // Names of their own: the recycle bin outlives the test.
    const std::string unique =
        std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount64());
    const std::string targetName = "target-" + unique + ".txt";
    const std::string linkName = "flink-" + unique + ".vjk";
    const std::string target = folder.Write("outside\\" + targetName, "precious");
    // Hidden, so that clearing the attributes through the link would show.
    SetFileAttributesW(platform::Widen(target).c_str(), FILE_ATTRIBUTE_HIDDEN);
    const DWORD targetAttributes = GetFileAttributesW(platform::Widen(target).c_str());
    OpenPageWith({{"*.vjk", "", true}});
    folder.MakeFolder("tree");
    const std::string link = Tree(linkName);
    ASSERT_TRUE(testing_support::MakeFileLink(link, target));
    struct Unlink {
        std::string link;
        ~Unlink() { testing_support::RemoveFileLink(link); }
    } unlink{link};
    MakeFile("plain.vjk");
    WalkTree();
    ASSERT_EQ(ListedSet(), (std::multiset<std::string>{linkName, "plain.vjk"}));
    (c.recycle ? Page().RBMoveToRecycle : Page().RBDirectDel).SetChecked(true);

    if (c.all) {
        Page().BtnDeleteAllJunkClick();
    } else {
        Page().LVScanJunkResult.Select(RowOf(linkName));
        Page().BtnDeleteJunkClick();
    }

    EXPECT_TRUE(Exists(target));
    EXPECT_EQ(folder.Read("outside\\" + targetName), "precious");
    EXPECT_EQ(GetFileAttributesW(platform::Widen(target).c_str()), targetAttributes);
    EXPECT_TRUE(Exists(link));
    EXPECT_FALSE(InRecycleBin(targetName));
    EXPECT_FALSE(InRecycleBin(linkName));
    const auto lines = ReportLines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), link + c.notRemoved), lines.end())
        << ::testing::PrintToString(lines);
    const int row = RowOf(linkName);
    ASSERT_GE(row, 0);
    EXPECT_FALSE(Page().LVScanJunkResult.IsChecked(row));
    // A plain file beside it goes as before.
    if (c.all) {
        EXPECT_FALSE(Exists(Tree("plain.vjk")));
    }
}

INSTANTIATE_TEST_SUITE_P(
    BothModesBothButtons, LinkDeleteTest,
    ::testing::Values(LinkCase{false, true, " could not be deleted!"},
                      LinkCase{true, true, " could not be sent to Recycle Bin!"},
                      LinkCase{false, false, " could not be deleted!"},
                      LinkCase{true, false, " could not be sent to Recycle Bin!"}));

TEST(FileReachedByItsOwnName, OnlyThePlainFileItself) {
    testing_support::TempFolder folder;
    const std::string target = folder.Write("target.txt", "x");
    const std::string link = folder.File("link.txt");
    ASSERT_TRUE(testing_support::MakeFileLink(link, target));
    EXPECT_TRUE(platform::IsFileReachedByItsOwnName(target));
    EXPECT_FALSE(platform::IsFileReachedByItsOwnName(link));
    testing_support::RemoveFileLink(link);
    EXPECT_FALSE(platform::IsFileReachedByItsOwnName(folder.Path())) << "a folder";
    EXPECT_FALSE(platform::IsFileReachedByItsOwnName(folder.File("missing.txt")));
    // The same file named in other letter cases and in the extended form is still itself.
    std::string upper = target;
    for (char& ch : upper)
        ch = static_cast<char>(toupper(static_cast<unsigned char>(ch)));
    EXPECT_TRUE(platform::IsFileReachedByItsOwnName(upper));
    EXPECT_TRUE(platform::IsFileReachedByItsOwnName("\\\\?\\" + target));
}

TEST(DeleteFileReachedByItsOwnName, DeletesOnlyThePlainFileAndKeepsTheAttributesOfOneThatStays) {
    testing_support::TempFolder folder;
    const auto attributesOf = [](const std::string& path) {
        return GetFileAttributesW(platform::Widen(path).c_str());
    };
    const std::string plain = folder.Write("plain.txt", "x");
    EXPECT_TRUE(platform::DeleteFileReachedByItsOwnName(plain, false));
    EXPECT_FALSE(platform::FileExists(plain));

    const std::string guarded = folder.Write("guarded.txt", "x");
    SetFileAttributesW(platform::Widen(guarded).c_str(),
                       FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    const DWORD guardedAttributes = attributesOf(guarded);
    EXPECT_FALSE(platform::DeleteFileReachedByItsOwnName(guarded, false));
    EXPECT_EQ(attributesOf(guarded), guardedAttributes);
    {
        // Held open by another without leave to delete it: it stays, and so do its attributes.
        const platform::UniqueHandle held = platform::AdoptFile(
            CreateFileW(platform::Widen(guarded).c_str(), GENERIC_READ,
                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        EXPECT_FALSE(platform::DeleteFileReachedByItsOwnName(guarded, true));
        EXPECT_EQ(attributesOf(guarded), guardedAttributes);
    }
    EXPECT_TRUE(platform::DeleteFileReachedByItsOwnName(guarded, true));
    EXPECT_FALSE(platform::FileExists(guarded));

    const std::string target = folder.Write("target.txt", "precious");
    const std::string link = folder.File("link.txt");
    ASSERT_TRUE(testing_support::MakeFileLink(link, target));
    EXPECT_FALSE(platform::DeleteFileReachedByItsOwnName(link, true));
    testing_support::RemoveFileLink(link);
    EXPECT_EQ(folder.Read("target.txt"), "precious");
    EXPECT_FALSE(platform::DeleteFileReachedByItsOwnName(folder.Path(), true)) << "a folder";
    EXPECT_FALSE(platform::DeleteFileReachedByItsOwnName(folder.File("missing.txt"), true));
}

TEST(SendToRecycleBin, TrueOnlyWhenTheFileWentThere) {
    testing_support::TempFolder folder;
    const std::string name = "direct-" + std::to_string(GetCurrentProcessId()) + ".tmp";
    const std::string path = folder.Write(name, "x");
    EXPECT_TRUE(platform::SendToRecycleBin(path, false));
    EXPECT_FALSE(platform::FileExists(path));
    EXPECT_TRUE(InRecycleBin(name));
    EXPECT_FALSE(platform::SendToRecycleBin(folder.File("never-there.tmp"), false));
}

TEST_F(DeleteTest, WithoutSettingsTheLaterDeleteOptionEndsSelected) {
    OpenPageWith({});
    EXPECT_TRUE(Page().RBMoveToRecycle.IsChecked());
    EXPECT_FALSE(Page().RBDirectDel.IsChecked());
}

TEST_F(DeleteTest, TheDeleteOptionIsKeptInTheSettingsFile) {
    folder.Write("Veltrin.INI", "[RadioButton]\r\n22=0\r\n23=-1\r\n");
    OpenPageWith({});
    EXPECT_TRUE(Page().RBMoveToRecycle.IsChecked());
    EXPECT_FALSE(Page().RBDirectDel.IsChecked());
    Page().RBDirectDel.SetChecked(true);
    CloseWindow();
    const std::string ini = folder.Read("Veltrin.INI");
    EXPECT_NE(ini.find("22=-1"), std::string::npos) << ini;
    EXPECT_NE(ini.find("23=0"), std::string::npos) << ini;
}

}  // namespace
