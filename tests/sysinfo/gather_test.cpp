// Gathering the tree's values: every probe once, one read of the BIOS area, the registry's text
// values, and what the tree shows when probes fail or run on Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/registry.h"
#include "platform/win32_bios_source.h"
#include "platform/win32_disk_device.h"
#include "platform/win32_system_queries.h"
#include "support/bios_fakes.h"
#include "support/registry_redirect.h"
#include "support/system_fakes.h"
#include "sysinfo/sysinfo_gather.h"

namespace {

using testing_support::FakeBiosSource;
using testing_support::FakeDiskDevice;
using testing_support::FakeSystemQueries;

using Shown = std::vector<std::pair<int, std::string>>;  // depth, text

Shown ShownTree(const std::vector<sysinfo::SysInfoNode>& nodes) {
    Shown out;
    for (const auto& d : sysinfo::DisplayOrder(nodes))
        out.emplace_back(d.depth, nodes[d.index].text);
    return out;
}

constexpr const char* kCurrentVersion = "Software\\Microsoft\\Windows NT\\CurrentVersion";

TEST(GatherSysInfo, EmptyValuesWhenEveryProbeFails) {
    testing_support::RegistryRedirect registry;
    const FakeSystemQueries system;
    FakeBiosSource bios;
    bios.sectionResult = platform::SectionRead::Refused;
    FakeDiskDevice disk;
    disk.opens = false;
    const auto values = sysinfo::GatherSysInfo({system, bios, disk});
    const auto shown = ShownTree(sysinfo::SysInfoTreeNodes(values, "."));
    const Shown expected = {
        {0, "My Computer"},
        {1, "System Information"},
        {2, "Computer Name:          "},
        {2, "Windows Version:        Windows 3.11, Build: 0"},
        {2, "Product ID:             "},
        {2, "Product Name:           "},
        {2, "Registered Organization:"},
        {2, "Current User:           "},
        {2, "Windows Path:           "},
        {2, "System  Path:           "},
        {2, "TEMP Path:              "},
        {2, "CPU Type:               "},
        {2, "CPU Cpeed:              0MHz"},
        {2, "BIOS ID:                sadgf00net"},
        {2, "BIOS Date:              sadgf00net"},
        {2, "BIOS Version:           sadgf00net"},
        {2, "BIOS Copyright:         sadgf00net"},
        {2, "BIOS Name:              sadgf00net"},
        {2, "Adapter Type:           "},
        {2, "Screen Refresh Rate:    0"},
        {1, "RAM"},
        {2, "Total RAM:              0Bytes"},
        {2, "Used RAM:               0%"},
        {2, "Free RAM:               0Bytes"},
        {2, "Total Paging File:      0Bytes"},
        {2, "Free Paging File:       0Bytes"},
        {2, "Free Virtual RAM:       0Bytes"},
        {2, "Total Virtual RAM:      0Bytes"},
        {1, "Drivers"},
        {2, "HDD Model:              "},
        {2, "HDD Ver:                "},
        {2, "HDD ID:                 "},
        {2, "TotalAddressableSectors:0"},
        {2, "SectorCapacity\xEF\xBC\x9A        0"},
        {2, "SectorsPerTrack\xEF\xBC\x9A       0"},
        {1, "Network"},
        {1, "Other"},
    };
    EXPECT_EQ(expected, shown);
}

TEST(GatherSysInfo, EveryProbeOnceAndOneReadOfTheBiosArea) {
    testing_support::RegistryRedirect registry;
    FakeSystemQueries system;
    system.version = {5, 1, 2600, 2, "Service Pack 3"};
    system.systemInfo = {2, 586, 0};
    system.displayFrequency = 85;
    system.displayDevices = {{"\\\\.\\DISPLAY1", "Test Adapter"}};
    system.memory = platform::MemoryStatusRecord{12, 8589934592ull, 1, 2, 3, 4, 5};
    system.counterReadings = {100, 100 + 1000000000};
    system.texts = {{platform::SystemText::ComputerName, "PC"},
                    {platform::SystemText::UserName, "bob"},
                    {platform::SystemText::WindowsFolder, "C:\\WIN"},
                    {platform::SystemText::SystemFolder, "C:\\WIN\\SYS"},
                    {platform::SystemText::TempFolder, "C:\\T\\"}};
    FakeBiosSource bios;
    bios.sectionResult = platform::SectionRead::Copied;
    bios.sectionArea = std::string(0x10000, '\0');
    bios.sectionArea.replace(0xFFF5, 8, "12/31/01");
    FakeDiskDevice disk;
    disk.identifyBlock = std::string(512, '\0');
    (*disk.identifyBlock)[112] = 17;

    const auto v = sysinfo::GatherSysInfo({system, bios, disk});
    EXPECT_EQ(1u, bios.sectionReads) << "the five texts share one read";
    EXPECT_EQ("12/31/01", v.bios.date);
    EXPECT_EQ("", v.bios.name);
    EXPECT_EQ("PC", v.computerName);
    EXPECT_EQ("Windows XP Service Pack: Service Pack 3, Build: 2600", v.windowsVersion);
    EXPECT_EQ("2Intel Pentium", v.cpuType);
    EXPECT_DOUBLE_EQ(2000.0, v.cpuMHz);
    EXPECT_EQ("Test Adapter", v.adapterType);
    EXPECT_EQ(85, v.refreshRate);
    EXPECT_EQ(8589934592ull, v.memory.totalPhys) << "more than 4 GiB shows as it is";
    EXPECT_EQ(17, v.disk.sectorsPerTrack);
    EXPECT_EQ("bob", v.currentUser);
    EXPECT_EQ("C:\\WIN", v.windowsPath);
    EXPECT_EQ("C:\\WIN\\SYS", v.systemPath);
    EXPECT_EQ("C:\\T\\", v.tempPath);
}

TEST(GatherSysInfo, RegistryTextValues) {
    testing_support::RegistryRedirect registry;
    {
        const auto key = platform::RegKey::Create(HKEY_LOCAL_MACHINE, kCurrentVersion, KEY_WRITE);
        ASSERT_TRUE(key);
        ASSERT_TRUE(key->WriteString("ProductId", "76487-OEM-0011903-00102"));
        ASSERT_TRUE(key->WriteString("ProductName", "Windows %Edition%", REG_EXPAND_SZ));
        ASSERT_TRUE(key->WriteString("RegisteredOrganization", ""));
    }
    EXPECT_EQ("76487-OEM-0011903-00102", sysinfo::CurrentVersionValue("ProductId"));
    EXPECT_EQ("Windows %Edition%", sysinfo::CurrentVersionValue("ProductName"));
    EXPECT_EQ("", sysinfo::CurrentVersionValue("RegisteredOrganization"));
    EXPECT_EQ("", sysinfo::CurrentVersionValue("Missing"));
}

TEST(GatherSysInfo, AValueOfAnotherTypeReadsAsEmptyAndTheTreeIsComplete) {
    testing_support::RegistryRedirect registry;
    {
        const auto key = platform::RegKey::Create(HKEY_LOCAL_MACHINE, kCurrentVersion, KEY_WRITE);
        ASSERT_TRUE(key);
        ASSERT_TRUE(key->WriteDword("ProductId", 12345));
        ASSERT_TRUE(key->WriteString("ProductName", "Name After"));
    }
    const FakeSystemQueries system;
    const FakeBiosSource bios;
    const FakeDiskDevice disk;
    const auto v = sysinfo::GatherSysInfo({system, bios, disk});
    EXPECT_EQ("", v.productId);
    EXPECT_EQ("Name After", v.productName);
    EXPECT_EQ(37u, sysinfo::SysInfoTreeNodes(v, ".").size());
}

TEST(GatherSysInfo, TheRealPlatformUnderWine) {
    const platform::Win32SystemQueries system;
    const platform::Win32BiosSource bios;
    const platform::Win32DiskDevice disk;
    const auto shown =
        ShownTree(sysinfo::SysInfoTreeNodes(sysinfo::GatherSysInfo({system, bios, disk}), "."));
    ASSERT_EQ(37u, shown.size());
    EXPECT_EQ("Adapter Type:           Wine Adapter", shown[18].second);
    EXPECT_EQ("Screen Refresh Rate:    60", shown[19].second);
    EXPECT_EQ("BIOS Name:              sadgf00net", shown[17].second);
    EXPECT_EQ("HDD Model:              ", shown[29].second);
    EXPECT_EQ("SectorsPerTrack\xEF\xBC\x9A       0", shown[34].second);
    EXPECT_EQ("Windows Path:           C:\\windows", shown[8].second);
}

}  // namespace
