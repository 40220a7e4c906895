// The junk scan: which files it lists, in which order, its panels, "Stop" and its buttons.
#include <gtest/gtest.h>

#include "disk_page_fixture.h"
#include "ui/message_pump.h"

namespace {

using disk::JunkRecord;
using disk_testing::DiskPageTest;
using Set = std::multiset<std::string>;

struct MatchCase {
    const char* name;
    std::vector<JunkRecord> types;
    std::vector<std::string> files;
    Set listed;
};

void PrintTo(const MatchCase& c, std::ostream* os) {
    *os << c.name;
}

class ExtensionRuleTest : public DiskPageTest, public ::testing::WithParamInterface<MatchCase> {};

TEST_P(ExtensionRuleTest, ListsTheFilesOfTheCheckedTypes) {
    OpenPageWith(GetParam().types);
    for (const auto& f : GetParam().files)
        MakeFile(f);
    EXPECT_TRUE(WalkTree());
    EXPECT_EQ(ListedSet(), GetParam().listed);
    EXPECT_EQ(Page().JunkCount(), static_cast<int>(GetParam().listed.size()));
}

const std::vector<std::string> kMixed = {"a.tmp", "B.TMP",     "c.Tmp",    "d.tmpx",
                                         "e.tm",  "f.txt",     "README",   "Makefile",
                                         ".tmp",  "g.tmp.bak", "h.bak.tmp"};

INSTANTIATE_TEST_SUITE_P(
    Cases, ExtensionRuleTest,
    ::testing::Values(MatchCase{"AnyLetterCase",
                                {{"*.tmp", "", true}},
                                kMixed,
                                {"a.tmp", "B.TMP", "c.Tmp", ".tmp", "h.bak.tmp"}},
                      MatchCase{"OnlyTheExtensionOfTheTypeCounts",
                                {{"x.TMP", "", true}},
                                kMixed,
                                {"a.tmp", "B.TMP", "c.Tmp", ".tmp", "h.bak.tmp"}},
                      MatchCase{"TwoTypesOfOneExtensionListTwice",
                                {{"~*.tmp", "", true}, {"*.tmp", "", true}},
                                {"a.tmp", "f.txt"},
                                {"a.tmp", "a.tmp"}},
                      MatchCase{"ATypeWithoutADotSelectsNamesWithoutOne",
                                {{"Thumbs", "", true}},
                                kMixed,
                                {"README", "Makefile"}},
                      MatchCase{"StarDotStarSelectsNothing", {{"*.*", "", true}}, kMixed, {}},
                      MatchCase{"UncheckedTypesTakeNoPart",
                                {{"*.tmp", "", false}, {"*.bak", "", true}},
                                kMixed,
                                {"g.tmp.bak"}},
                      MatchCase{"OnlyAToZFold",
                                {{"*.\xC3\x89x", "", true}},
                                {"a.\xC3\x89x", "b.\xC3\x89X", "c.\xC3\xA9x"},
                                {"a.\xC3\x89x", "b.\xC3\x89X"}},
                      MatchCase{
                          "NamesBeyondAscii",
                          {{"*.tmp", "", true}},
                          {"\xE6\x97\xA5\xE6\x9C\xAC.tmp", "M\xC3\xBCll.TMP", "\xE6\x97\xA5.txt"},
                          {"\xE6\x97\xA5\xE6\x9C\xAC.tmp", "M\xC3\xBCll.TMP"}}),
    [](const auto& info) { return std::string(info.param.name); });

class ScanTest : public DiskPageTest {
  protected:
    const std::vector<JunkRecord> tmp_ = {{"*.tmp", "Temporary files", true}};
};

TEST_F(ScanTest, HiddenSystemAndReadOnlyFilesAndFoldersAreLookedAt) {
    OpenPageWith(tmp_);
    MakeFile("hidden.tmp", "x", FILE_ATTRIBUTE_HIDDEN);
    MakeFile("system.tmp", "x", FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN);
    MakeFile("readonly.tmp", "x", FILE_ATTRIBUTE_READONLY);
    MakeFile("secret\\inner.tmp");
    SetFileAttributesW(platform::Widen(Tree("secret")).c_str(),
                       FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    WalkTree();
    EXPECT_EQ(ListedSet(), (Set{"hidden.tmp", "system.tmp", "readonly.tmp", "secret\\inner.tmp"}));
}

TEST_F(ScanTest, AFolderNamedLikeJunkIsNotListedButItsFilesAreLookedAt) {
    OpenPageWith(tmp_);
    MakeFile("x.tmp\\inner.dat");
    MakeFile("x.tmp\\inner.tmp");
    folder.MakeFolder("tree\\empty.tmp");
    WalkTree();
    EXPECT_EQ(ListedSet(), (Set{"x.tmp\\inner.tmp"}));
}

TEST_F(ScanTest, RowsHoldNameSizePathAndAreChecked) {
    OpenPageWith(tmp_);
    MakeFile("sub\\five.tmp", "12345");
    MakeFile("empty.tmp", "");
    WalkTree();
    auto rows = Results();
    ASSERT_EQ(rows.size(), 2u);
    std::sort(rows.begin(), rows.end(), [](auto& a, auto& b) { return a.name < b.name; });
    EXPECT_EQ(rows[0].name, "empty.tmp");
    EXPECT_EQ(rows[0].size, "0");
    EXPECT_EQ(rows[0].path, Tree("empty.tmp"));
    EXPECT_EQ(rows[1].name, "five.tmp");
    EXPECT_EQ(rows[1].size, "5");
    EXPECT_EQ(rows[1].path, Tree("sub\\five.tmp"));
    EXPECT_TRUE(rows[0].checked && rows[1].checked);
    EXPECT_EQ(Page().JunkBytes(), 5.0);
    EXPECT_EQ(Panel(0), "2  Junk Files");
    EXPECT_EQ(Panel(1), "         5 Bytes");
}

TEST_F(ScanTest, FilesBeforeSubfoldersAndEachSubfolderWhole) {
    OpenPageWith(tmp_);
    for (const char* f : {"r1.tmp", "r2.tmp", "a\\a.tmp", "a\\deep\\ad.tmp", "a\\deep\\er\\ae.tmp",
                          "b\\b.tmp", "b\\deep\\bd.tmp"})
        MakeFile(f);
    WalkTree();
    const auto listed = ListedInTree();
    ASSERT_EQ(listed.size(), 7u);
    EXPECT_EQ(Set(listed.begin(), listed.begin() + 2), (Set{"r1.tmp", "r2.tmp"}));
    // The two subtrees come whole, one after the other, each folder's files first.
    const auto at = [&](const std::string& p) {
        return std::find(listed.begin(), listed.end(), p) - listed.begin();
    };
    EXPECT_LT(at("a\\a.tmp"), at("a\\deep\\ad.tmp"));
    EXPECT_LT(at("a\\deep\\ad.tmp"), at("a\\deep\\er\\ae.tmp"));
    EXPECT_LT(at("b\\b.tmp"), at("b\\deep\\bd.tmp"));
    const bool aFirst = at("a\\a.tmp") == 2;
    EXPECT_EQ(at(aFirst ? "a\\deep\\er\\ae.tmp" : "b\\deep\\bd.tmp"), aFirst ? 4 : 3);
}

TEST_F(ScanTest, SizesAreSixtyFourBit) {
    OpenPageWith(tmp_);
    const std::string big = MakeFile("big.tmp", "");
    {
        // A sparse file: its size costs no disk space.
        const HANDLE h = CreateFileW(platform::Widen(big).c_str(), GENERIC_WRITE, 0, nullptr,
                                     OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        LARGE_INTEGER size{};
        size.QuadPart = 3000000000LL;
        SetFilePointerEx(h, size, nullptr, FILE_BEGIN);
        ASSERT_TRUE(SetEndOfFile(h));
        CloseHandle(h);
    }
    MakeFile("small.tmp", std::string(4096, 'x'));
    WalkTree();
    std::string bigSize;
    for (const auto& r : Results())
        if (r.name == "big.tmp") bigSize = r.size;
    EXPECT_EQ(bigSize, "3000000000");
    EXPECT_EQ(Page().JunkBytes(), 3000004096.0);
    EXPECT_EQ(Panel(1), "3000004096 Bytes");
}

TEST_F(ScanTest, PathsLongerThanMaxPathAreWalked) {
    OpenPageWith(tmp_);
    std::string relative;
    for (int i = 0; i < 12; ++i)
        relative += "folder-with-a-long-name-" + std::to_string(i) + "\\";
    relative.pop_back();
    const std::wstring deep = MakeLongFolder(relative);
    const HANDLE h = CreateFileW((deep + L"\\deep.tmp").c_str(), GENERIC_WRITE, 0, nullptr,
                                 CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
    WalkTree();
    const auto listed = ListedInTree();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0], relative + "\\deep.tmp");
    EXPECT_GT(Results()[0].path.size(), 300u);
}

TEST_F(ScanTest, AFolderThatCannotBeListedContributesNothing) {
    OpenPageWith(tmp_);
    MakeFile("a.tmp");
    EXPECT_TRUE(Page().FkFileListGet("*.*", Tree("missing"), true));
    EXPECT_TRUE(Results().empty());
    // Blanks around the folder and a missing trailing backslash are taken care of.
    EXPECT_TRUE(Page().FkFileListGet("*.*", "  " + Tree() + "\t", true));
    EXPECT_EQ(ListedSet(), (Set{"a.tmp"}));
}

TEST_F(ScanTest, WithoutRecursionOnlyTheFolderItself) {
    OpenPageWith(tmp_);
    MakeFile("a.tmp");
    MakeFile("sub\\b.tmp");
    EXPECT_TRUE(Page().FkFileListGet("*.*", Tree(), false));
    EXPECT_EQ(ListedSet(), (Set{"a.tmp"}));
}

TEST_F(ScanTest, AMaskNarrowsTheFilesButNotTheSubfolders) {
    OpenPageWith(tmp_);
    MakeFile("a.tmp");
    MakeFile("b.tmp");
    MakeFile("sub\\a.tmp");
    MakeFile("sub\\c.tmp");
    EXPECT_TRUE(Page().FkFileListGet("a*", Tree(), true));
    EXPECT_EQ(ListedSet(), (Set{"a.tmp", "sub\\a.tmp"}));
}

// A junction or symbolic link to a folder is never entered. Wine does not make reparse points,
// so this runs where the platform can make one.
TEST_F(ScanTest, ReparsePointsAreNotEntered) {
    OpenPageWith(tmp_);
    MakeFile("target\\t.tmp");
    const std::wstring link = platform::Widen(Tree("link"));
    CreateSymbolicLinkW(
        link.c_str(), platform::Widen(Tree("target")).c_str(),
        SYMBOLIC_LINK_FLAG_DIRECTORY | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE);
    const DWORD attributes = GetFileAttributesW(link.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        GTEST_SKIP() << "this platform made no directory symbolic link";
    WalkTree();
    EXPECT_EQ(ListedSet(), (Set{"target\\t.tmp"}));
    RemoveDirectoryW(link.c_str());
}

// "Stop" clears the continue flag; the walk then winds down: the folder being listed ends after
// its file at hand, its parent skips its other subfolders and returns true, so the grandparent
// goes on with its next subfolder, which in turn ends after its first file.
TEST_F(ScanTest, StopWindsTheWalkDown) {
    OpenPageWith(tmp_);
    for (const char* f : {"p\\one\\p1.tmp", "p\\one\\p2.tmp", "p\\two\\p3.tmp", "p\\two\\p4.tmp",
                          "q\\q1.tmp", "q\\q2.tmp", "q\\sub\\q3.tmp"})
        MakeFile(f);
    folder.MakeFolder("tree\\empty\\a\\b");
    Page().BtnStopScanClick();
    EXPECT_FALSE(Page().ContinueScan());
    EXPECT_TRUE(WalkTree());  // the tree itself holds no file, so it ends normally
    const auto listed = ListedInTree();
    ASSERT_EQ(listed.size(), 2u) << ::testing::PrintToString(listed);
    // One file of p's first subfolder, then one of q; q's subfolder is not walked.
    const bool pFirst = listed[0].starts_with("p\\");
    const auto& pFile = pFirst ? listed[0] : listed[1];
    const auto& qFile = pFirst ? listed[1] : listed[0];
    EXPECT_TRUE(pFile.starts_with("p\\one\\") || pFile.starts_with("p\\two\\")) << pFile;
    EXPECT_TRUE(qFile == "q\\q1.tmp" || qFile == "q\\q2.tmp") << qFile;

    // A folder with files of its own ends after the first and says so.
    EXPECT_FALSE(Page().FkFileListGet("*.*", Tree("q"), true));
}

class ScanHandlerTest : public ScanTest {
  protected:
    // Only drive C, the test prefix's own, which holds the program folder. The junk type is an
    // extension no other file there has, so the whole drive can be scanned.
    ScanHandlerTest()
        : extension_(".v" + std::to_string(GetCurrentProcessId()) + "q"),
          unique_{{"*" + extension_, "Test junk", true}} {}
    std::string Junk(const std::string& stem) const { return stem + extension_; }
    void MakeJunkTree() {
        MakeFile(Junk("a"), "12");
        MakeFile("one\\" + Junk("b"), "1234");
        MakeFile("one\\two\\" + Junk("c"), "123456");
        MakeFile("other.tmp");
    }

    std::string extension_;
    std::vector<JunkRecord> unique_;
};

TEST_F(ScanHandlerTest, ScanNowListsEveryCheckedDriveAndEndsWithTheTotals) {
    OpenPageWith(unique_);
    MakeJunkTree();
    Page().PCDiskMedic.Activate(1);
    Page().BtnScanJunkNow.Click();
    EXPECT_EQ(ListedSet(), (Set{Junk("a"), "one\\" + Junk("b"), "one\\two\\" + Junk("c")}));
    EXPECT_EQ(Results().size(), 3u);  // nothing else on the drive has this extension
    EXPECT_EQ(Page().JunkCount(), 3);
    EXPECT_EQ(Page().JunkBytes(), 12.0);
    EXPECT_EQ(Panel(0), "3  Junk Files");
    EXPECT_EQ(Panel(1), "   0.000 MB");
    EXPECT_EQ(Panel(2), "Scan Finished");
    EXPECT_EQ(Page().PCDiskMedic.ActiveIndex(), 2);
    EXPECT_TRUE(Page().BtnScanJunkNow.IsEnabled());
    EXPECT_FALSE(Page().BtnStopScan.IsEnabled());
    EXPECT_TRUE(Page().ContinueScan());
    EXPECT_FALSE(Page().Scanning());
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(ScanHandlerTest, EachScanCountsOnlyItsOwnFinds) {
    OpenPageWith(unique_);
    MakeFile(Junk("a"), std::string(1500000, 'x'));
    Page().BtnScanJunkNowClick();
    EXPECT_EQ(Panel(1), "   1.500 MB");
    MakeFile(Junk("b"), std::string(500000, 'x'));
    DeleteFileW(platform::Widen(Tree(Junk("a"))).c_str());
    Page().BtnScanJunkNowClick();
    EXPECT_EQ(ListedSet(), (Set{Junk("b")}));
    EXPECT_EQ(Page().JunkCount(), 1);
    EXPECT_EQ(Panel(0), "1  Junk Files");
    EXPECT_EQ(Panel(1), "   0.500 MB");
}

TEST_F(ScanHandlerTest, WithoutACheckedTypeItAsksForOne) {
    OpenPageWith({{"*.tmp", "", false}});
    Page().LVScanJunkResult.AddRow("kept.tmp", {"1", "C:\\kept.tmp"}, true);
    Page().PCDiskMedic.Activate(2);
    Page().BtnScanJunkNowClick();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "Please select filters             ");
    EXPECT_EQ(prompts.messages[0].style & 0xF, platform::kOk);
    EXPECT_EQ(Page().PCDiskMedic.ActiveIndex(), 0);
    EXPECT_EQ(Results().size(), 1u);
    EXPECT_TRUE(Page().BtnScanJunkNow.IsEnabled());
}

TEST_F(ScanHandlerTest, WithoutACheckedDriveItEndsAtOnce) {
    OpenPageWith(unique_);
    MakeJunkTree();
    Page().LVDriveInfo.SetChecked(0, false);
    status.SetPanelText(0, "before");
    Page().BtnScanJunkNowClick();
    EXPECT_TRUE(Results().empty());
    EXPECT_EQ(Panel(0), "before");
    EXPECT_EQ(Panel(1), "   0.000 MB");
    EXPECT_EQ(Panel(2), "Scan Finished");
}

TEST_F(ScanHandlerTest, StopDuringTheScanWindsItDownAndScanNowWaitsForTheEnd) {
    OpenPageWith(unique_);
    for (int i = 0; i < 20; ++i)
        MakeFile("f" + std::to_string(i) + "\\" + Junk("x"));
    bool scanNowEnabled = true, stopEnabled = true, scanning = false;
    Page().BtnStopScan.onClick = [&] {
        Page().BtnStopScanClick();
        scanNowEnabled = Page().BtnScanJunkNow.IsEnabled();
        stopEnabled = Page().BtnStopScan.IsEnabled();
        scanning = Page().Scanning();
    };
    // The click waits in the queue until the scan first lets messages run.
    PostMessageW(Page().BtnStopScan.Handle(), BM_CLICK, 0, 0);
    Page().BtnScanJunkNowClick();
    EXPECT_TRUE(scanning) << "Stop was not pressed during the scan";
    EXPECT_FALSE(scanNowEnabled);
    EXPECT_FALSE(stopEnabled);
    EXPECT_LT(Results().size(), 20u);
    EXPECT_TRUE(Page().ContinueScan());
    EXPECT_TRUE(Page().BtnScanJunkNow.IsEnabled());
    EXPECT_FALSE(Page().BtnStopScan.IsEnabled());
    EXPECT_EQ(Panel(2), "Scan Finished");
}

TEST_F(ScanHandlerTest, AScanCannotStartInsideAnother) {
    OpenPageWith(unique_);
    MakeJunkTree();
    bool nestedRan = false, scanNowEnabled = true;
    size_t rowsBefore = 0, rowsAfter = 0;
    // Another handler run by the scan's pumping starts a scan, as one-key cleaning would.
    Page().BtnDeleteJunk.onClick = [&] {
        nestedRan = true;
        scanNowEnabled = Page().BtnScanJunkNow.IsEnabled();
        rowsBefore = Results().size();
        Page().BtnScanJunkNowClick();
        rowsAfter = Results().size();
    };
    PostMessageW(Page().BtnDeleteJunk.Handle(), BM_CLICK, 0, 0);
    Page().BtnScanJunkNowClick();
    ASSERT_TRUE(nestedRan);
    EXPECT_FALSE(scanNowEnabled);
    EXPECT_EQ(rowsAfter, rowsBefore);
    EXPECT_EQ(ListedSet(), (Set{Junk("a"), "one\\" + Junk("b"), "one\\two\\" + Junk("c")}));
    EXPECT_EQ(Page().JunkCount(), 3);
    EXPECT_EQ(Panel(2), "Scan Finished");
}

TEST_F(ScanHandlerTest, TypesCheckedWhileTheScanRunsTakePartFromThen) {
    OpenPageWith({{"*" + extension_, "", false}, {"*.none", "", true}});
    MakeJunkTree();
    Page().BtnDeleteJunk.onClick = [&] { Page().LVJunkFileType.SetChecked(0, true); };
    PostMessageW(Page().BtnDeleteJunk.Handle(), BM_CLICK, 0, 0);
    Page().BtnScanJunkNowClick();
    // The check came with the first pump, before the walk reached the fixture tree.
    EXPECT_EQ(Results().size(), 3u);
}

}  // namespace
