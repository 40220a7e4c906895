// The content of the system information tree: what it shows top to bottom, its labels and
// images, and the small getters' buffer limits.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/system_queries.h"
#include "support/system_fakes.h"
#include "sysinfo/sysinfo_tree.h"

namespace {

using testing_support::FakeSystemQueries;

using Shown = std::vector<std::pair<int, std::string>>;  // depth, text

Shown ShownTree(const std::vector<sysinfo::SysInfoNode>& nodes) {
    Shown out;
    for (const auto& d : sysinfo::DisplayOrder(nodes))
        out.emplace_back(d.depth, nodes[d.index].text);
    return out;
}

sysinfo::SysInfoValues SampleValues() {
    sysinfo::SysInfoValues v;
    v.computerName = "BUILDBOX";
    v.windowsVersion = "Windows XP Service Pack: Service Pack 2, Build: 2600";
    v.productId = "55274-640-1234567-23456";
    v.productName = "Microsoft Windows XP";
    v.registeredOrganization = "Korvane";
    v.currentUser = "alice";
    v.windowsPath = "C:\\WINDOWS";
    v.systemPath = "C:\\WINDOWS\\system32";
    v.tempPath = "C:\\DOCUME~1\\alice\\LOCALS~1\\Temp\\";
    v.cpuType = "2Intel Pentium";
    v.cpuMHz = 2992.505174;
    v.bios = {"Award Modular BIOS", "Copyright (C) 1984-99", "v4.51PG", "06/23/99", "2A69KG0C"};
    v.adapterType = "RADEON 9600";
    v.refreshRate = 75;
    v.memory = {37,
                6442450944ull,
                4058062848ull,
                12884901888ull,
                9663676416ull,
                140737488224256ull,
                140737471209472ull};
    v.disk.model = "WDC WD5000AAKS-00V1A0                   ";
    v.disk.firmware = "01.01A01";
    v.disk.serialNumber = "     WD-WCAV12345678";
    v.disk.totalAddressableSectors = 976773168;
    v.disk.capacitySectors = 16514064;
    v.disk.sectorsPerTrack = 63;
    return v;
}

TEST(SysInfoTree, DisplayOrderLabelsAndValues) {
    const Shown expected = {
        {0, "My Computer"},
        {1, "System Information"},
        {2, "Computer Name:          BUILDBOX"},
        {2, "Windows Version:        Windows XP Service Pack: Service Pack 2, Build: 2600"},
        {2, "Product ID:             55274-640-1234567-23456"},
        {2, "Product Name:           Microsoft Windows XP"},
        {2, "Registered Organization:Korvane"},
        {2, "Current User:           alice"},
        {2, "Windows Path:           C:\\WINDOWS"},
        {2, "System  Path:           C:\\WINDOWS\\system32"},
        {2, "TEMP Path:              C:\\DOCUME~1\\alice\\LOCALS~1\\Temp\\"},
        {2, "CPU Type:               2Intel Pentium"},
        {2, "CPU Cpeed:              2992.505174MHz"},
        {2, "BIOS ID:                2A69KG0C"},
        {2, "BIOS Date:              06/23/99"},
        {2, "BIOS Version:           v4.51PG"},
        {2, "BIOS Copyright:         Copyright (C) 1984-99"},
        {2, "BIOS Name:              Award Modular BIOS"},
        {2, "Adapter Type:           RADEON 9600"},
        {2, "Screen Refresh Rate:    75"},
        {1, "RAM"},
        {2, "Total RAM:              6442450944Bytes"},
        {2, "Used RAM:               37%"},
        {2, "Free RAM:               4058062848Bytes"},
        {2, "Total Paging File:      12884901888Bytes"},
        {2, "Free Paging File:       9663676416Bytes"},
        {2, "Free Virtual RAM:       140737471209472Bytes"},
        {2, "Total Virtual RAM:      140737488224256Bytes"},
        {1, "Drivers"},
        {2, "HDD Model:              WDC WD5000AAKS-00V1A0                   "},
        {2, "HDD Ver:                01.01A01"},
        {2, "HDD ID:                      WD-WCAV12345678"},
        {2, "TotalAddressableSectors:976773168"},
        {2, "SectorCapacity\xEF\xBC\x9A        16514064"},
        {2, "SectorsPerTrack\xEF\xBC\x9A       63"},
        {1, "Network"},
        {1, "Other"},
    };
    EXPECT_EQ(expected, ShownTree(sysinfo::SysInfoTreeNodes(SampleValues(), ".")));
}

TEST(SysInfoTree, EveryNodeGoesFirstUnderAParentAlreadyThere) {
    const auto nodes = sysinfo::SysInfoTreeNodes(SampleValues(), ".");
    ASSERT_FALSE(nodes.empty());
    EXPECT_EQ(-1, nodes[0].parent);
    for (size_t i = 1; i < nodes.size(); ++i) {
        EXPECT_GE(nodes[i].parent, 0) << nodes[i].text;
        EXPECT_LT(nodes[i].parent, static_cast<int>(i)) << nodes[i].text;
    }
    // The work order: the groups from the bottom up, then each group's leaves from the bottom.
    std::vector<std::string> firstTexts;
    for (size_t i = 0; i < 5; ++i)
        firstTexts.push_back(nodes[i].text);
    EXPECT_EQ((std::vector<std::string>{"My Computer", "Other", "Network", "Drivers",
                                        "SectorsPerTrack\xEF\xBC\x9A       63"}),
              firstTexts);
    EXPECT_EQ("Computer Name:          BUILDBOX", nodes.back().text);
}

TEST(SysInfoTree, GroupImagesAndEmptyGroups) {
    const auto nodes = sysinfo::SysInfoTreeNodes(SampleValues(), ".");
    std::vector<std::pair<std::string, int>> groups;
    std::vector<int> childCount(nodes.size(), 0);
    for (const auto& n : nodes)
        if (n.parent >= 0) ++childCount[n.parent];
    for (size_t i = 0; i < nodes.size(); ++i) {
        if (nodes[i].parent <= 0) {
            groups.emplace_back(nodes[i].text, nodes[i].image);
        } else {
            EXPECT_EQ(0, nodes[i].image) << nodes[i].text;
        }
        if (nodes[i].text == "Network" || nodes[i].text == "Other") {
            EXPECT_EQ(0, childCount[i]) << nodes[i].text;
        }
    }
    const std::vector<std::pair<std::string, int>> expected = {
        {"My Computer", 2}, {"Other", 7}, {"Network", 1},
        {"Drivers", 5},     {"RAM", 15},  {"System Information", 4}};
    EXPECT_EQ(expected, groups);
}

TEST(SysInfoTree, EveryLabelIs24ColumnsWide) {
    // With every text empty, a leaf is its label, plus "0" for a count.
    const auto nodes = sysinfo::SysInfoTreeNodes(sysinfo::SysInfoValues{}, ".");
    size_t leaves = 0;
    for (const auto& n : nodes) {
        if (n.parent <= 0) continue;
        ++leaves;
        // Labels end in a colon or a blank, never in the digit of an empty count.
        std::string label = n.text;
        for (const std::string unit : {"Bytes", "%", "MHz"})
            if (label.size() > unit.size() &&
                label.compare(label.size() - unit.size(), unit.size(), unit) == 0)
                label.resize(label.size() - unit.size());
        if (label.back() == '0') label.pop_back();
        EXPECT_EQ(24u, sysinfo::DisplayColumns(label)) << "[" << n.text << "]";
    }
    EXPECT_EQ(31u, leaves);
}

TEST(SysInfoTree, FullWidthColonIsOneRealCharacterTwoColumnsWide) {
    EXPECT_EQ(2u, sysinfo::DisplayColumns("\xEF\xBC\x9A"));
    EXPECT_EQ(24u, sysinfo::DisplayColumns("SectorCapacity\xEF\xBC\x9A        "));
    EXPECT_EQ(24u, sysinfo::DisplayColumns("SectorsPerTrack\xEF\xBC\x9A       "));
    EXPECT_EQ(24u, sysinfo::DisplayColumns("TotalAddressableSectors:"));
}

TEST(SysInfoTree, ProcessorSpeedInTheUsersDecimalSeparator) {
    auto v = SampleValues();
    for (const auto& [mhz, separator, expected] :
         {std::tuple{2992.505174, ",", "CPU Cpeed:              2992,505174MHz"},
          std::tuple{2992.505174, ".", "CPU Cpeed:              2992.505174MHz"},
          std::tuple{3000.0, ",", "CPU Cpeed:              3000MHz"},
          std::tuple{1.0 / 3.0, ".", "CPU Cpeed:              0.333333333333333MHz"},
          std::tuple{0.0, ".", "CPU Cpeed:              0MHz"}}) {
        v.cpuMHz = mhz;
        const auto shown = ShownTree(sysinfo::SysInfoTreeNodes(v, separator));
        EXPECT_EQ(expected, shown[12].second);
    }
}

TEST(SysInfoTree, TextsShowUpToTheirFirstNul) {
    auto v = SampleValues();
    v.disk.model = std::string("ST\0\0garbage", 11);
    v.disk.serialNumber = std::string(20, '\0');
    const auto shown = ShownTree(sysinfo::SysInfoTreeNodes(v, "."));
    EXPECT_EQ("HDD Model:              ST", shown[29].second);
    EXPECT_EQ("HDD ID:                 ", shown[31].second);
}

// ---- the small getters ----

TEST(SysInfoGetters, BufferLimitsAndTheFirstNul) {
    using platform::SystemText;
    struct Case {
        SystemText which;
        std::string platformText;
        std::string expected;
    };
    const std::string folder260 = "C:\\" + std::string(257, 'f');
    const std::string e15 = [] {
        std::string s;
        for (int i = 0; i < 15; ++i)
            s += "\xC3\xA9";
        return s;
    }();
    const Case cases[] = {
        {SystemText::ComputerName, "FIFTEEN-CHARS-1", "FIFTEEN-CHARS-1"},
        {SystemText::ComputerName, "SIXTEEN-CHARS-12", ""},
        {SystemText::ComputerName, e15, e15},  // 15 characters in 30 bytes
        {SystemText::UserName, std::string(20, 'u'), std::string(20, 'u')},
        {SystemText::UserName, std::string(21, 'u'), ""},
        {SystemText::UserName, std::string("ann\0bob", 7), "ann"},
        {SystemText::WindowsFolder, folder260, folder260},
        {SystemText::WindowsFolder, folder260 + "g", ""},
        {SystemText::SystemFolder, folder260, folder260},
        {SystemText::SystemFolder, folder260 + "\\", ""},
        {SystemText::TempFolder, "C:\\TEMP\\", "C:\\TEMP\\"},
        {SystemText::TempFolder, folder260 + "\\", ""},
    };
    for (const auto& c : cases) {
        FakeSystemQueries system;
        system.texts[c.which] = c.platformText;
        const std::string got = [&] {
            switch (c.which) {
                case SystemText::ComputerName:
                    return sysinfo::ComputerNameText(system);
                case SystemText::UserName:
                    return sysinfo::UserNameText(system);
                case SystemText::WindowsFolder:
                    return sysinfo::WindowsFolderText(system);
                case SystemText::SystemFolder:
                    return sysinfo::SystemFolderText(system);
                case SystemText::TempFolder:
                    return sysinfo::TempFolderText(system);
            }
            return std::string("?");
        }();
        EXPECT_EQ(c.expected, got) << c.platformText.size() << " bytes";
    }
    const FakeSystemQueries failing;
    EXPECT_EQ("", sysinfo::ComputerNameText(failing));
    EXPECT_EQ("", sysinfo::TempFolderText(failing));
}

}  // namespace
