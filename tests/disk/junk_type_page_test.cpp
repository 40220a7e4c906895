// The junk file type list on the page: loading, the edit buttons, saving and loading files.
#include <gtest/gtest.h>

#include <functional>
#include <iterator>

#include "disk_page_fixture.h"

namespace {

using disk::JunkRecord;
using disk_testing::DiskPageTest;

class JunkTypePageTest : public DiskPageTest {
  protected:
    std::vector<JunkRecord> Rows() {
        auto& list = Page().LVJunkFileType;
        std::vector<JunkRecord> rows;
        for (int i = 0; i < list.Count(); ++i)
            rows.push_back({list.CellText(i, 0), list.CellText(i, 1), list.IsChecked(i)});
        return rows;
    }
    std::vector<JunkRecord> WorkingFile() {
        return disk::DecodeJunkTypeList(folder.Read(disk::kJunkTypeFile));
    }

    const std::vector<JunkRecord> two_ = {{"*.tmp", "Temporary files", true},
                                          {"*.bak", "Backups", false}};
};

TEST_F(JunkTypePageTest, PageLayoutAndCaptions) {
    auto& page = OpenPageWith(two_);
    EXPECT_EQ(page.Name(), "TSDiskMedic");
    EXPECT_EQ(page.DesignCaption(), "Disk Medic");
    EXPECT_EQ(page.Label2.Text(),
              "Disk Cleaner: There are many temporary files in your system when you run some "
              "programs. These garbage file waste your hard drive space, slow your system.  You  "
              "can use Disk Cleaner to find all junk files and delete them to free disk space");
    EXPECT_EQ(page.BtnScanJunkNow.Text(), "Scan Now");
    EXPECT_EQ(page.BtnStopScan.Text(), "Stop");
    EXPECT_EQ(page.BtnDeleteJunk.Text(), "Delete");
    EXPECT_EQ(page.BtnDeleteAllJunk.Text(), "Delete All");
    EXPECT_TRUE(page.BtnScanJunkNow.IsEnabled());
    EXPECT_FALSE(page.BtnStopScan.IsEnabled());
    ASSERT_EQ(page.PCDiskMedic.Count(), 3);
    EXPECT_EQ(page.PCDiskMedic.TabCaption(0), "Junk File Type   ");
    EXPECT_EQ(page.PCDiskMedic.TabCaption(1), "Options      ");
    EXPECT_EQ(page.PCDiskMedic.TabCaption(2), "Scan Result      ");
    EXPECT_EQ(page.PCDiskMedic.ActiveIndex(), 0);
    EXPECT_EQ(page.BtnAddJunkFileType.Text(), "Add");
    EXPECT_EQ(page.BtnDelJunkFileType.Text(), "Delete");
    EXPECT_EQ(page.BtnCheckAllJunkFileType.Text(), "Check All");
    EXPECT_EQ(page.BtnClearAllJunkFileType.Text(), "Clear All");
    EXPECT_EQ(page.BtnSaveJunkFileType.Text(), "Save as File");
    EXPECT_EQ(page.BtnLoadJunkFileType.Text(), "Load from File");
    EXPECT_EQ(page.BtnLoadDefaultJunkFileType.Text(), "Load Default");
    EXPECT_EQ(page.GBDeleteOption.Text(), "Delete Option    ");
    EXPECT_EQ(page.RBDirectDel.Text(), "Delete Permanently");
    EXPECT_EQ(page.RBMoveToRecycle.Text(), "Move To Recycle");
    // Each list has its columns, widths included.
    const auto columns = [](const ui::ListView& list) {
        std::vector<std::pair<std::string, int>> out;
        for (int i = 0; i < list.ColumnCount(); ++i) {
            wchar_t text[64] = {};
            LVCOLUMNW col{};
            col.mask = LVCF_TEXT | LVCF_WIDTH;
            col.pszText = text;
            col.cchTextMax = 64;
            ListView_GetColumn(list.Handle(), i, &col);
            out.emplace_back(platform::Narrow(text), col.cx);
        }
        return out;
    };
    using Cols = std::vector<std::pair<std::string, int>>;
    EXPECT_EQ(columns(page.LVJunkFileType), (Cols{{"Type", 100}, {"Description", 200}}));
    EXPECT_EQ(columns(page.LVScanJunkResult),
              (Cols{{"File Name", 120}, {"Size", 100}, {"Path", 250}}));
    const auto drive = columns(page.LVDriveInfo);
    ASSERT_EQ(drive.size(), 5u);
    EXPECT_EQ(drive[0].first, "Drive");
    EXPECT_EQ((Cols{drive.begin() + 1, drive.end()}),
              (Cols{{"Capacity", 80}, {"Used", 80}, {"Free", 80}, {"Used/Total (%)", 100}}));
    for (const ui::ListView* list :
         {&page.LVDriveInfo, &page.LVJunkFileType, &page.LVScanJunkResult})
        EXPECT_TRUE(ListView_GetExtendedListViewStyle(list->Handle()) & LVS_EX_CHECKBOXES);
    EXPECT_TRUE(ListView_GetExtendedListViewStyle(page.LVJunkFileType.Handle()) & LVS_EX_GRIDLINES);
}

TEST_F(JunkTypePageTest, ShowingLoadsTheWorkingList) {
    ShipDefaultList();
    OpenPageWith(two_);
    EXPECT_EQ(Rows(), two_);
}

TEST_F(JunkTypePageTest, WithoutAWorkingListTheDefaultListIsLoadedSilently) {
    ShipDefaultList();
    OpenPage();
    EXPECT_EQ(Rows(),
              disk::DecodeJunkTypeList(testing_support::ShippedData().at("DefaultJunk.lst")));
    EXPECT_EQ(ErrorLogText(), "<missing>");
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(JunkTypePageTest, AnEmptyWorkingListStaysEmpty) {
    ShipDefaultList();
    OpenPageWith({});
    EXPECT_TRUE(Rows().empty());
}

TEST_F(JunkTypePageTest, WithoutEitherListTheListIsEmptyAndOneErrorIsLogged) {
    OpenPage();
    EXPECT_TRUE(Rows().empty());
    const std::string log = ErrorLogText();
    const auto first = log.find("DefaultJunk.lst");
    EXPECT_NE(first, std::string::npos) << log;
    EXPECT_EQ(log.find("DefaultJunk.lst", first + 1), std::string::npos) << log;
    EXPECT_EQ(log.find("JunkFileType.lst"), std::string::npos) << log;
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(JunkTypePageTest, ListFilesOfOddSizesLoadWithoutFault) {
    OpenPageWith(two_);
    for (const size_t size : {0u, 1u, 65u, 66u, 67u, 131u, 132u, 1000u}) {
        std::string bytes = disk::EncodeJunkTypeList(two_) + disk::EncodeJunkTypeList(two_) +
                            disk::EncodeJunkTypeList(two_) + disk::EncodeJunkTypeList(two_) +
                            std::string(1000, '\xFF');
        bytes.resize(size);
        folder.Write("odd.lst", bytes);
        Page().LoadJunkTypeList("odd.lst");
        EXPECT_EQ(Rows().size(), size / 66) << size;
    }
}

TEST_F(JunkTypePageTest, CheckStatesOnScreenComeBackFromTheFile) {
    OpenPageWith(two_);
    Page().BtnCheckAllJunkFileTypeClick();
    EXPECT_TRUE(Rows()[1].checked);
    EXPECT_EQ(WorkingFile(), two_);  // "Check All" leaves the file alone
    ShowPageAgain();
    EXPECT_EQ(Rows(), two_);
    Page().BtnClearAllJunkFileTypeClick();
    EXPECT_FALSE(Rows()[0].checked);
    EXPECT_EQ(WorkingFile(), two_);
    ShowPageAgain();
    EXPECT_EQ(Rows(), two_);
}

TEST_F(JunkTypePageTest, AddAsksTwiceAndAppendsACheckedRow) {
    OpenPageWith(two_);
    prompts.inputAnswers = {std::string("*.old"), std::string("Old files")};
    Page().BtnAddJunkFileType.Click();
    ASSERT_EQ(prompts.inputs.size(), 2u);
    EXPECT_EQ(prompts.inputs[0].caption, "Input Filter");
    EXPECT_EQ(prompts.inputs[0].prompt, "Please input filter type(like *.tmp )");
    EXPECT_EQ(prompts.inputs[0].defaultText, "*.tmp");
    EXPECT_EQ(prompts.inputs[1].caption, "Input Description");
    EXPECT_EQ(prompts.inputs[1].prompt, "Please input this filter`s description");
    EXPECT_EQ(prompts.inputs[1].defaultText, "System tem files");
    auto expected = two_;
    expected.push_back({"*.old", "Old files", true});
    EXPECT_EQ(Rows(), expected);
    EXPECT_EQ(WorkingFile(), expected);
}

TEST_F(JunkTypePageTest, AddTakesEmptyAndDuplicateTypes) {
    OpenPageWith(two_);
    prompts.inputAnswers = {std::string(""), std::string(""), std::string("*.tmp"),
                            std::string("again")};
    Page().BtnAddJunkFileTypeClick();
    Page().BtnAddJunkFileTypeClick();
    auto expected = two_;
    expected.push_back({"", "", true});
    expected.push_back({"*.tmp", "again", true});
    EXPECT_EQ(WorkingFile(), expected);
}

TEST_F(JunkTypePageTest, AddWithTheTypeCancelledAddsNothing) {
    OpenPageWith(two_);
    const std::string before = folder.Read(disk::kJunkTypeFile);
    prompts.inputAnswers = {std::nullopt};
    Page().BtnAddJunkFileTypeClick();
    EXPECT_EQ(prompts.inputs.size(), 1u);  // the description is not asked for
    EXPECT_EQ(Rows(), two_);
    EXPECT_EQ(folder.Read(disk::kJunkTypeFile), before);
}

TEST_F(JunkTypePageTest, AddWithTheDescriptionCancelledTakesItsDefault) {
    OpenPageWith(two_);
    prompts.inputAnswers = {std::string("*.old"), std::nullopt};
    Page().BtnAddJunkFileTypeClick();
    ASSERT_EQ(Rows().size(), 3u);
    EXPECT_EQ(Rows()[2], (JunkRecord{"*.old", "System tem files", true}));
}

TEST_F(JunkTypePageTest, AddCutsLongTextsInTheFileOnly) {
    OpenPageWith({});
    prompts.inputAnswers = {std::string(30, 't'), std::string(50, 'd')};
    Page().BtnAddJunkFileTypeClick();
    EXPECT_EQ(Rows()[0].type, std::string(30, 't'));
    EXPECT_EQ(WorkingFile(),
              (std::vector<JunkRecord>{{std::string(20, 't'), std::string(40, 'd'), true}}));
    ShowPageAgain();
    EXPECT_EQ(Rows()[0].type, std::string(20, 't'));
}

TEST_F(JunkTypePageTest, NonAsciiTextsRoundTripThroughTheCodePage) {
    OpenPageWith({});
    // U+00E9 and U+00FC exist in every Western code page; the test prefix uses 1252.
    ASSERT_EQ(GetACP(), 1252u);
    prompts.inputAnswers = {std::string("*.caf\xC3\xA9"), std::string("M\xC3\xBCll")};
    Page().BtnAddJunkFileTypeClick();
    EXPECT_EQ(folder.Read(disk::kJunkTypeFile).substr(4, 7), std::string("\x06*.caf\xE9", 7));
    ShowPageAgain();
    EXPECT_EQ(Rows(), (std::vector<JunkRecord>{{"*.caf\xC3\xA9", "M\xC3\xBCll", true}}));
}

TEST_F(JunkTypePageTest, AnUnwritableListKeepsTheRowOnScreenAndLogs) {
    OpenPageWith(two_);
    // Held open without sharing: the working list cannot be rewritten.
    const HANDLE held = CreateFileW(platform::Widen(folder.File(disk::kJunkTypeFile)).c_str(),
                                    GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Page().BtnAddJunkFileType.Click();
    CloseHandle(held);
    EXPECT_EQ(Rows().size(), 3u);
    EXPECT_EQ(WorkingFile(), two_);
    EXPECT_NE(ErrorLogText().find("Cannot create file"), std::string::npos) << ErrorLogText();
}

// The working list held by another program while the page opens: the defaults are shown, a
// record says why, and the user's list survives the next edit as a ".bak" copy, whichever edit
// writes the working list first.
TEST_F(JunkTypePageTest, AWorkingListThatCouldNotBeReadIsKeptAside) {
    const std::vector<JunkRecord> four = {
        {"*.aa", "A", true}, {"*.bb", "B", false}, {"*.cc", "C", true}, {"*.dd", "D", true}};
    const std::string backupName = std::string(disk::kJunkTypeFile) + ".bak";
    const auto shipped =
        disk::DecodeJunkTypeList(testing_support::ShippedData().at("DefaultJunk.lst"));
    const std::function<void()> edits[] = {
        [&] { Page().BtnAddJunkFileTypeClick(); },
        [&] { Page().BtnLoadDefaultJunkFileTypeClick(); },
        [&] {
            Page().LVJunkFileType.Select(0);
            Page().BtnDelJunkFileTypeClick();
        },
        [&] {
            prompts.fileAnswers = {std::vector<std::string>{
                folder.Write("chosen.lst", disk::EncodeJunkTypeList(two_))}};
            Page().BtnLoadJunkFileTypeClick();
        }};
    for (size_t i = 0; i < std::size(edits); ++i) {
        SCOPED_TRACE(i);
        ShipDefaultList();
        folder.Write(backupName, "an older backup");
        folder.Write(disk::kJunkTypeFile, disk::EncodeJunkTypeList(four));
        DeleteFileW(platform::Widen(folder.File("Error.log")).c_str());
        const HANDLE held = CreateFileW(platform::Widen(folder.File(disk::kJunkTypeFile)).c_str(),
                                        GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        if (i == 0)
            OpenPage();
        else
            ShowPageAgain();
        CloseHandle(held);
        EXPECT_EQ(Rows(), shipped);
        EXPECT_NE(ErrorLogText().find(disk::kJunkTypeFile), std::string::npos) << ErrorLogText();

        edits[i]();
        EXPECT_EQ(disk::DecodeJunkTypeList(folder.Read(backupName)), four);
        EXPECT_NE(WorkingFile(), four);
    }
}

TEST_F(JunkTypePageTest, AListThatWasShownOrMissingNeedsNoBackup) {
    ShipDefaultList();
    OpenPageWith(two_);
    Page().BtnAddJunkFileTypeClick();
    EXPECT_EQ(WorkingFile().size(), 3u);
    DeleteFileW(platform::Widen(folder.File(disk::kJunkTypeFile)).c_str());
    ShowPageAgain();
    Page().BtnAddJunkFileTypeClick();
    EXPECT_FALSE(Exists(folder.File(std::string(disk::kJunkTypeFile) + ".bak")));
    EXPECT_EQ(ErrorLogText(), "<missing>");
}

TEST_F(JunkTypePageTest, AListStillHeldIsNotReplacedAndTheEditIsLogged) {
    ShipDefaultList();
    folder.Write(disk::kJunkTypeFile, disk::EncodeJunkTypeList(two_));
    const HANDLE held = CreateFileW(platform::Widen(folder.File(disk::kJunkTypeFile)).c_str(),
                                    GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    OpenPage();
    Page().BtnAddJunkFileType.Click();
    CloseHandle(held);
    EXPECT_EQ(WorkingFile(), two_);
    EXPECT_NE(ErrorLogText().find(".bak"), std::string::npos) << ErrorLogText();
}

TEST_F(JunkTypePageTest, DeleteRemovesTheSelectedRowAndWritesTheList) {
    OpenPageWith(two_);
    Page().LVJunkFileType.Select(0);
    Page().BtnDelJunkFileType.Click();
    EXPECT_EQ(Rows(), (std::vector<JunkRecord>{two_[1]}));
    EXPECT_EQ(WorkingFile(), (std::vector<JunkRecord>{two_[1]}));
}

TEST_F(JunkTypePageTest, DeleteWithoutASelectionDoesNothing) {
    OpenPageWith(two_);
    Page().BtnCheckAllJunkFileTypeClick();
    Page().LVJunkFileType.Select(-1);
    Page().BtnDelJunkFileTypeClick();
    EXPECT_EQ(Rows().size(), 2u);
    EXPECT_EQ(WorkingFile(), two_);  // not rewritten with the screen's check states
}

TEST_F(JunkTypePageTest, DeleteUnableToWriteIsSilent) {
    OpenPageWith(two_);
    const HANDLE held = CreateFileW(platform::Widen(folder.File(disk::kJunkTypeFile)).c_str(),
                                    GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    Page().LVJunkFileType.Select(1);
    Page().BtnDelJunkFileType.Click();
    CloseHandle(held);
    EXPECT_EQ(Rows(), (std::vector<JunkRecord>{two_[0]}));
    EXPECT_EQ(WorkingFile(), two_);
    EXPECT_EQ(ErrorLogText(), "<missing>");
}

TEST_F(JunkTypePageTest, LoadDefaultReplacesTheRowsAndTheWorkingList) {
    ShipDefaultList();
    OpenPageWith(two_);
    Page().BtnLoadDefaultJunkFileType.Click();
    const auto shipped =
        disk::DecodeJunkTypeList(testing_support::ShippedData().at("DefaultJunk.lst"));
    EXPECT_EQ(Rows(), shipped);
    EXPECT_EQ(WorkingFile(), shipped);
}

TEST_F(JunkTypePageTest, LoadDefaultWithoutTheDefaultListLeavesTheWorkingList) {
    OpenPageWith(two_);
    Page().BtnLoadDefaultJunkFileType.Click();
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(WorkingFile(), two_);
    EXPECT_NE(ErrorLogText().find("DefaultJunk.lst"), std::string::npos);
}

TEST_F(JunkTypePageTest, SaveAsFileCopiesTheWorkingListAsLastWritten) {
    OpenPageWith(two_);
    Page().BtnCheckAllJunkFileTypeClick();  // on screen only
    const std::string target = folder.File("saved.lst");
    folder.Write("saved.lst", "old content");
    prompts.fileAnswers = {std::vector<std::string>{target}};
    Page().BtnSaveJunkFileType.Click();
    ASSERT_EQ(prompts.fileDialogs.size(), 1u);
    EXPECT_EQ(prompts.fileDialogs[0].defaultExtension, "lst");
    EXPECT_EQ(prompts.fileDialogs[0].filter, "Lst file(*.lst)|*.lst");
    EXPECT_EQ(folder.Read("saved.lst"), disk::EncodeJunkTypeList(two_));
    // The shared dialog keeps what it was given.
    EXPECT_EQ(saveDialog.filter, "Lst file(*.lst)|*.lst");
}

TEST_F(JunkTypePageTest, SaveAsFileCancelledCopiesNothing) {
    OpenPageWith(two_);
    Page().BtnSaveJunkFileTypeClick();
    EXPECT_EQ(prompts.fileDialogs.size(), 1u);
    EXPECT_EQ(folder.Read("saved.lst"), "<missing>");
}

TEST_F(JunkTypePageTest, LoadFromFileShowsTheLoadedRowsAtOnce) {
    OpenPageWith(two_);
    const std::vector<JunkRecord> other = {{"*.old", "Old", false}, {"*.chk", "Chk", true}};
    const std::string first = folder.Write("other.lst", disk::EncodeJunkTypeList(other));
    const std::string second = folder.Write("ignored.lst", disk::EncodeJunkTypeList(two_));
    prompts.fileAnswers = {std::vector<std::string>{first, second}};
    Page().BtnLoadJunkFileType.Click();
    ASSERT_EQ(prompts.fileDialogs.size(), 1u);
    EXPECT_EQ(prompts.fileDialogs[0].defaultExtension, "lst");
    EXPECT_EQ(prompts.fileDialogs[0].filter, "Lst file(*.lst)|*.lst");
    EXPECT_TRUE(openDialog.allowMultiSelect);
    EXPECT_EQ(WorkingFile(), other);
    EXPECT_EQ(Rows(), other);
    // A following "Add" keeps the list just loaded.
    prompts.inputAnswers = {std::string("*.new"), std::string("New")};
    Page().BtnAddJunkFileTypeClick();
    auto expected = other;
    expected.push_back({"*.new", "New", true});
    EXPECT_EQ(WorkingFile(), expected);
}

TEST_F(JunkTypePageTest, ATenMegabyteListLoadsWholeAndAnEditKeepsEveryOtherRow) {
    OpenPageWith(two_);
    std::vector<JunkRecord> huge;
    for (int i = 0; i < 158875; ++i)
        huge.push_back({"*.j" + std::to_string(i), "Type " + std::to_string(i), i % 2 == 0});
    huge[1000] = {"*.tmp", "Temporary files", true};
    const std::string file = folder.Write("huge.lst", disk::EncodeJunkTypeList(huge));
    prompts.fileAnswers = {std::vector<std::string>{file}};
    Page().BtnLoadJunkFileType.Click();
    ASSERT_EQ(Page().LVJunkFileType.Count(), 158875);
    EXPECT_EQ(ListView_GetItemCount(Page().LVJunkFileType.Handle()), 158875);
    EXPECT_EQ(Rows(), huge);

    // A scan takes the checked types as they are now: "*.tmp" and half of the others.
    MakeFile("a.tmp");
    MakeFile("b.j2");
    MakeFile("c.j3");  // an unchecked type
    EXPECT_TRUE(WalkTree());
    EXPECT_EQ(ListedSet(), (std::multiset<std::string>{"a.tmp", "b.j2"}));
    Page().LVJunkFileType.SetChecked(1000, false);
    Page().LVJunkFileType.SetChecked(3, true);
    Page().LVScanJunkResult.Clear();
    EXPECT_TRUE(WalkTree());
    EXPECT_EQ(ListedSet(), (std::multiset<std::string>{"b.j2", "c.j3"}));

    // Deleting the last row writes every other row back as it is on screen.
    Page().LVJunkFileType.Select(158874);
    Page().BtnDelJunkFileType.Click();
    huge[1000].checked = false;
    huge[3].checked = true;
    huge.pop_back();
    EXPECT_EQ(WorkingFile(), huge);
}

TEST_F(JunkTypePageTest, LoadFromFileCancelledChangesNothing) {
    OpenPageWith(two_);
    Page().BtnLoadJunkFileTypeClick();
    EXPECT_EQ(Rows(), two_);
    EXPECT_EQ(WorkingFile(), two_);
}

}  // namespace
