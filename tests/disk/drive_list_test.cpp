// The drive list and the drive choices kept in the registry.
#include <gtest/gtest.h>

#include "disk_page_fixture.h"
#include "platform/reg_integer.h"
#include "platform/registry.h"
#include "ui/message_pump.h"

namespace {

using disk_testing::DiskPageTest;

constexpr uint64_t kGiB = 1073741824;
constexpr char kKeyPath[] = "software\\KorvaneSoft\\FM\\Cleaner\\DiskInfo";

struct DriveRow {
    std::string root, capacity, used, free, percent;
    bool checked;
    bool operator==(const DriveRow&) const = default;
};

void PrintTo(const DriveRow& r, std::ostream* os) {
    *os << r.root << " | " << r.capacity << " | " << r.used << " | " << r.free << " | " << r.percent
        << (r.checked ? " [x]" : " [ ]");
}

class DriveListTest : public DiskPageTest {
  protected:
    DriveListTest() {
        drives.types = {{"C:\\", DRIVE_FIXED},   {"D:\\", DRIVE_CDROM},    {"E:\\", DRIVE_FIXED},
                        {"F:\\", DRIVE_FIXED},   {"G:\\", DRIVE_FIXED},    {"H:\\", DRIVE_REMOTE},
                        {"R:\\", DRIVE_RAMDISK}, {"U:\\", DRIVE_REMOVABLE}};
        drives.spaces["D:\\"] = platform::DriveSpace{kGiB, kGiB};
        drives.spaces["E:\\"] = platform::DriveSpace{4 * kGiB, kGiB};
        drives.spaces["F:\\"] = platform::DriveSpace{kGiB, 0};  // full: never listed
        // G:\ does not answer the size query.
        drives.spaces["H:\\"] = platform::DriveSpace{kGiB, kGiB};
    }
    std::vector<DriveRow> Rows() {
        auto& list = Page().LVDriveInfo;
        std::vector<DriveRow> rows;
        for (int i = 0; i < list.Count(); ++i)
            rows.push_back({list.CellText(i, 0), list.CellText(i, 1), list.CellText(i, 2),
                            list.CellText(i, 3), list.CellText(i, 4), list.IsChecked(i)});
        return rows;
    }
    int RowOf(const std::string& root) {
        for (int i = 0; i < Page().LVDriveInfo.Count(); ++i)
            if (Page().LVDriveInfo.CellText(i, 0) == root) return i;
        return -1;
    }
    void Store(const std::string& name, uint32_t value) {
        platform::RegKey::Create(HKEY_CURRENT_USER, kKeyPath, KEY_SET_VALUE)
            ->WriteDword(name, value);
    }
    // A mouse click on a row's check box, as the user makes it.
    void ClickCheckBox(int row) {
        const HWND list = Page().LVDriveInfo.Handle();
        RECT r{};
        ListView_GetItemRect(list, row, &r, LVIR_BOUNDS);
        const LPARAM at = MAKELPARAM(r.left + 8, (r.top + r.bottom) / 2);
        SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(list, WM_LBUTTONUP, 0, at);
        ui::PumpMessages();
    }
};

TEST_F(DriveListTest, FixedDrivesWithTheirFigures) {
    OpenPageWith({});
    EXPECT_EQ(Rows(), (std::vector<DriveRow>{
                          {"C:\\", " 1.00 GB", " 0.50 GB", " 0.50 GB", "50 %", true},
                          {"E:\\", " 4.00 GB", " 3.00 GB", " 1.00 GB", "75 %", false},
                          {"G:\\", "-0.00 GB", " 0.00 GB", "-0.00 GB", "0 %", false},
                      }));
}

TEST_F(DriveListTest, DriveCIsListedAndCheckedWhateverItIs) {
    drives.types["C:\\"] = DRIVE_CDROM;
    drives.spaces["C:\\"] = platform::DriveSpace{kGiB, 0};
    Store("C:\\", 0);
    OpenPageWith({});
    ASSERT_EQ(RowOf("C:\\"), 0);
    EXPECT_TRUE(Page().LVDriveInfo.IsChecked(0));
}

TEST_F(DriveListTest, StoredValuesChooseTheDrives) {
    Store("E:\\", 7);  // any number but 0 is checked
    platform::RegKey::Create(HKEY_CURRENT_USER, kKeyPath, KEY_SET_VALUE)
        ->WriteString("G:\\", "1");  // another type reads as unchecked
    OpenPageWith({});
    EXPECT_TRUE(Page().LVDriveInfo.IsChecked(RowOf("E:\\")));
    EXPECT_FALSE(Page().LVDriveInfo.IsChecked(RowOf("G:\\")));
}

TEST_F(DriveListTest, AClickStoresEveryRowAndTheNextShowingRestoresIt) {
    OpenPageWith({});
    const int e = RowOf("E:\\");
    ASSERT_GE(e, 0);
    ClickCheckBox(e);
    ASSERT_TRUE(Page().LVDriveInfo.IsChecked(e)) << "the click did not reach the check box";
    EXPECT_EQ(platform::ReadRegInteger(disk::kDiskInfoKey, "E:\\"), 1);
    EXPECT_EQ(platform::ReadRegInteger(disk::kDiskInfoKey, "C:\\"), 1);
    EXPECT_EQ(platform::ReadRegInteger(disk::kDiskInfoKey, "G:\\"), 0);
    const auto key = platform::RegKey::Open(HKEY_CURRENT_USER, kKeyPath, KEY_QUERY_VALUE);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->ReadDword("G:\\"), 0u);  // written, not just absent

    // Drive C stored unchecked still comes back checked.
    ClickCheckBox(0);
    EXPECT_EQ(platform::ReadRegInteger(disk::kDiskInfoKey, "C:\\"), 0);
    ShowPageAgain();
    EXPECT_TRUE(Page().LVDriveInfo.IsChecked(RowOf("E:\\")));
    EXPECT_TRUE(Page().LVDriveInfo.IsChecked(0));
}

TEST_F(DriveListTest, CheckingWithoutAClickStoresNothing) {
    OpenPageWith({});
    Page().LVDriveInfo.SetChecked(RowOf("E:\\"), true);
    EXPECT_FALSE(platform::RegKey::Open(HKEY_CURRENT_USER, kKeyPath, KEY_QUERY_VALUE));
    ShowPageAgain();
    EXPECT_FALSE(Page().LVDriveInfo.IsChecked(RowOf("E:\\")));
}

TEST_F(DriveListTest, TheListIsRebuiltAtEveryShowing) {
    OpenPageWith({});
    drives.types["E:\\"] = DRIVE_REMOVABLE;
    drives.types["K:\\"] = DRIVE_FIXED;
    drives.spaces["K:\\"] = platform::DriveSpace{kGiB, kGiB / 4};
    ShowPageAgain();
    std::vector<std::string> roots;
    for (const auto& r : Rows())
        roots.push_back(r.root);
    EXPECT_EQ(roots, (std::vector<std::string>{"C:\\", "G:\\", "K:\\"}));
}

class RegIntegerTest : public ::testing::Test {
  protected:
    testing_support::RegistryRedirect registry;
};

TEST_F(RegIntegerTest, ReadsZeroForWhatIsNotADword) {
    EXPECT_EQ(platform::ReadRegInteger("\\software\\Nowhere", "X"), 0);
    const auto key = platform::RegKey::Create(HKEY_CURRENT_USER, "software\\Here", KEY_SET_VALUE);
    key->WriteString("text", "12");
    key->WriteDword("big", 0xFFFFFFFFu);
    EXPECT_EQ(platform::ReadRegInteger("\\software\\Here", "text"), 0);
    EXPECT_EQ(platform::ReadRegInteger("\\software\\Here", "missing"), 0);
    EXPECT_EQ(platform::ReadRegInteger("\\software\\Here", "big"), -1);
}

TEST_F(RegIntegerTest, WritingCreatesTheKeysAboveFromTheRoot) {
    platform::WriteRegInteger("\\software\\A\\B\\C", "D:\\", 1);
    const auto key =
        platform::RegKey::Open(HKEY_CURRENT_USER, "software\\A\\B\\C", KEY_QUERY_VALUE);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->ReadDword("D:\\"), 1u);
    EXPECT_EQ(platform::ReadRegInteger("\\software\\A\\B\\C", "D:\\"), 1);
    platform::WriteRegInteger("\\software\\A\\B\\C", "D:\\", 0);
    EXPECT_EQ(platform::ReadRegInteger("\\software\\A\\B\\C", "D:\\"), 0);
}

}  // namespace
