// The summary page: its tree as the user sees it, built at every showing from the machine the
// fixture describes, every node open, the group pictures, the indent and the editable captions.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/registry.h"
#include "support/page_fixture.h"
#include "sysinfo/summary_page.h"

namespace {

struct ShownNode {
    int depth;
    std::string text;
    int image, selectedImage;
    bool hasChildren, expanded;
};

std::vector<ShownNode> Walk(const ui::TreeView& tree) {
    std::vector<ShownNode> out;
    const auto walk = [&](auto&& self, HTREEITEM first, int depth) -> void {
        for (HTREEITEM i = first; i; i = tree.NextSibling(i)) {
            const auto [image, selected] = tree.ItemImages(i);
            const HTREEITEM child = tree.FirstChild(i);
            out.push_back(
                {depth, tree.ItemText(i), image, selected, child != nullptr, tree.IsExpanded(i)});
            self(self, child, depth + 1);
        }
    };
    walk(walk, tree.Root(), 0);
    return out;
}

class SummaryPageTest : public testing_support::PageTest {
  protected:
    SummaryPageTest() {
        system.version = {5, 1, 2600, 2, "Service Pack 2"};
        system.systemInfo = {2, 586, 0};
        system.displayFrequency = 75;
        system.displayDevices = {{"\\\\.\\DISPLAY1", "RADEON 9600"}};
        system.memory = platform::MemoryStatusRecord{37, 6442450944ull, 4058062848ull, 3, 4, 5, 6};
        system.texts = {{platform::SystemText::ComputerName, "BUILDBOX"},
                        {platform::SystemText::UserName, "alice"},
                        {platform::SystemText::WindowsFolder, "C:\\WINDOWS"},
                        {platform::SystemText::SystemFolder, "C:\\WINDOWS\\system32"},
                        {platform::SystemText::TempFolder, "C:\\TEMP\\"}};
        system.counterReadings = {0, 1496252587, 0, 1496252587};
        bios.sectionResult = platform::SectionRead::Copied;
        bios.sectionArea = std::string(0x10000, '\0');
        bios.sectionArea.replace(0xFFF5, 9, std::string("06/23/99\0", 9));
        bios.sectionArea.replace(0xE0C1, 6, std::string("Award\0", 6));
        disk.opens = true;
        std::string block(512, '\0');
        block.replace(54, 4, "EWTS");  // "WEST", high byte first
        block[112] = 63;
        disk.identifyBlock = block;
        const auto key = platform::RegKey::Create(
            HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows NT\\CurrentVersion", KEY_WRITE);
        if (key) key->WriteString("ProductName", "Microsoft Windows XP");
    }
};

TEST_F(SummaryPageTest, TheTreeAsShownOnTheFirstShowing) {
    auto& page = OpenPage<sysinfo::SummaryPage>();
    EXPECT_EQ("System Information: This page shows your software and hardware information.",
              page.Label1.Text());
    const auto shown = Walk(page.TVSysInfo);
    std::vector<std::pair<int, std::string>> texts;
    for (const auto& n : shown)
        texts.emplace_back(n.depth, n.text);
    const std::vector<std::pair<int, std::string>> expected = {
        {0, "My Computer"},
        {1, "System Information"},
        {2, "Computer Name:          BUILDBOX"},
        {2, "Windows Version:        Windows XP Service Pack: Service Pack 2, Build: 2600"},
        {2, "Product ID:             "},
        {2, "Product Name:           Microsoft Windows XP"},
        {2, "Registered Organization:"},
        {2, "Current User:           alice"},
        {2, "Windows Path:           C:\\WINDOWS"},
        {2, "System  Path:           C:\\WINDOWS\\system32"},
        {2, "TEMP Path:              C:\\TEMP\\"},
        {2, "CPU Type:               2Intel Pentium"},
        {2, "CPU Cpeed:              2992.505174MHz"},
        {2, "BIOS ID:                "},
        {2, "BIOS Date:              06/23/99"},
        {2, "BIOS Version:           "},
        {2, "BIOS Copyright:         "},
        {2, "BIOS Name:              Award"},
        {2, "Adapter Type:           RADEON 9600"},
        {2, "Screen Refresh Rate:    75"},
        {1, "RAM"},
        {2, "Total RAM:              6442450944Bytes"},
        {2, "Used RAM:               37%"},
        {2, "Free RAM:               4058062848Bytes"},
        {2, "Total Paging File:      3Bytes"},
        {2, "Free Paging File:       4Bytes"},
        {2, "Free Virtual RAM:       6Bytes"},
        {2, "Total Virtual RAM:      5Bytes"},
        {1, "Drivers"},
        {2, "HDD Model:              WEST"},  // the field's NULs end the caption
        {2, "HDD Ver:                "},
        {2, "HDD ID:                 "},
        {2, "TotalAddressableSectors:0"},
        {2, "SectorCapacity\xEF\xBC\x9A        0"},
        {2, "SectorsPerTrack\xEF\xBC\x9A       63"},
        {1, "Network"},
        {1, "Other"},
    };
    EXPECT_EQ(expected, texts);
}

TEST_F(SummaryPageTest, GroupPicturesEveryNodeOpenAndTheIndent) {
    auto& page = OpenPage<sysinfo::SummaryPage>();
    for (const auto& n : Walk(page.TVSysInfo)) {
        EXPECT_EQ(n.image, n.selectedImage) << n.text;
        if (n.depth == 2) {
            EXPECT_EQ(0, n.image) << n.text;
        }
        if (n.hasChildren) {
            EXPECT_TRUE(n.expanded) << n.text;
        }
    }
    const auto shown = Walk(page.TVSysInfo);
    std::vector<std::pair<std::string, int>> groups;
    for (const auto& n : shown)
        if (n.depth < 2) groups.emplace_back(n.text, n.image);
    const std::vector<std::pair<std::string, int>> expected = {
        {"My Computer", 2}, {"System Information", 4}, {"RAM", 15}, {"Drivers", 5}, {"Network", 1},
        {"Other", 7}};
    EXPECT_EQ(expected, groups);
    EXPECT_EQ(page.ILSmallIcon.get(), page.TVSysInfo.ImageList());
    EXPECT_EQ(21, ImageList_GetImageCount(page.ILSmallIcon.get()));
    EXPECT_EQ(19, page.TVSysInfo.Indent()) << "at 96 DPI";
    EXPECT_TRUE(GetWindowLongW(page.TVSysInfo.Handle(), GWL_STYLE) & TVS_EDITLABELS);
}

TEST_F(SummaryPageTest, RebuiltWithLiveValuesAtEveryShowing) {
    auto& page = OpenPage<sysinfo::SummaryPage>();
    EXPECT_EQ(1u, bios.sectionReads) << "one read of the BIOS area per build";
    system.memory->memoryLoad = 81;
    system.texts[platform::SystemText::UserName] = "bob";
    // A caption the user edited is forgotten at the next build.
    const HTREEITEM root = page.TVSysInfo.Root();
    TVITEMW item{};
    item.mask = TVIF_TEXT;
    item.hItem = root;
    wchar_t edited[] = L"Edited";
    item.pszText = edited;
    TreeView_SetItem(page.TVSysInfo.Handle(), &item);
    ASSERT_EQ("Edited", page.TVSysInfo.ItemText(root));

    ShowPageAgain();
    EXPECT_EQ(2u, bios.sectionReads);
    const auto shown = Walk(page.TVSysInfo);
    ASSERT_EQ(37u, shown.size()) << "cleared before it is built again";
    EXPECT_EQ("My Computer", shown[0].text);
    EXPECT_EQ("Current User:           bob", shown[7].text);
    EXPECT_EQ("Used RAM:               81%", shown[22].text);
    EXPECT_TRUE(shown[1].expanded);
}

TEST_F(SummaryPageTest, ProbesThatFailLeaveTheLabelsAlone) {
    system = testing_support::FakeSystemQueries{};
    bios.sectionResult = platform::SectionRead::Refused;
    disk.opens = false;
    auto& page = OpenPage<sysinfo::SummaryPage>();
    const auto shown = Walk(page.TVSysInfo);
    ASSERT_EQ(37u, shown.size());
    EXPECT_EQ("Computer Name:          ", shown[2].text);
    EXPECT_EQ("BIOS Name:              sadgf00net", shown[17].text);
    EXPECT_EQ("HDD Model:              ", shown[29].text);
    EXPECT_EQ("SectorsPerTrack\xEF\xBC\x9A       0", shown[34].text);
    EXPECT_FALSE(platform::FileExists(folder.File("Error.log"))) << "nothing went wrong";
}

}  // namespace
