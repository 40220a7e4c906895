// The processor, display and version texts from the platform's records, and the probes' use of
// the platform.
#include <gtest/gtest.h>

#include "support/system_fakes.h"
#include "sysinfo/probe_rules.h"
#include "sysinfo/probes.h"

namespace {

using platform::VersionRecord;
using testing_support::FakeSystemQueries;

struct VersionCase {
    VersionRecord version;
    const char* expected;
};

class VersionText : public testing::TestWithParam<VersionCase> {};

TEST_P(VersionText, FromTheVersionRecord) {
    const auto& c = GetParam();
    EXPECT_EQ(c.expected, sysinfo::VersionTextOf(c.version));
    FakeSystemQueries system;
    system.version = c.version;
    EXPECT_EQ(c.expected, sysinfo::WindowsVersionText(system));
}

INSTANTIATE_TEST_SUITE_P(
    EveryBranch, VersionText,
    testing::Values(
        VersionCase{{3, 10, 0x0A03, 0, ""}, "Windows 3.11, Build: 2563"},
        VersionCase{{4, 0, 0x040003B6, 1, ""}, "Windows 95, Build: 950"},
        // The 95 family keeps the version in the build's high half: only the low 16 bits show.
        VersionCase{{4, 0, 0x040003B6, 1, " C"}, "Windows 95, Build: 950"},
        VersionCase{{4, 10, 0x040A08AE, 1, " A "}, "Windows 98 SE, Build: 2222"},
        VersionCase{{4, 10, 0x040A07CE, 1, ""}, "Windows 98, Build: 1998"},
        VersionCase{{4, 10, 1998, 1, "A"}, "Windows 98, Build: 1998"},
        VersionCase{{4, 10, 1998, 1, " B"}, "Windows 98, Build: 1998"},
        VersionCase{{4, 90, 0x045A0BB8, 1, " "}, "Windows Millenium, Build: 3000"},
        VersionCase{{4, 20, 7, 1, ""}, "Unknown Version, Build: 7"},
        // A service pack never shows on the 95 family.
        VersionCase{{4, 0, 950, 1, "Service Pack 1"}, "Windows 95, Build: 950"},
        VersionCase{{3, 51, 1057, 2, ""}, "Windows NT 3.51, Build: 1057"},
        VersionCase{{4, 0, 1381, 2, "Service Pack 6"},
                    "Windows NT 4.0 Service Pack: Service Pack 6, Build: 1381"},
        VersionCase{{5, 0, 2195, 2, ""}, "Windows 2000, Build: 2195"},
        VersionCase{{5, 0, 2195, 2, "Service Pack 4"},
                    "Windows 2000 Service Pack: Service Pack 4, Build: 2195"},
        VersionCase{{5, 1, 2600, 2, "Service Pack 2"},
                    "Windows XP Service Pack: Service Pack 2, Build: 2600"},
        VersionCase{{5, 2, 3790, 2, "Service Pack 2"},
                    "Unknown Version Service Pack: Service Pack 2, Build: 3790"},
        VersionCase{{6, 0, 6001, 2, "Service Pack 1"},
                    "Unknown Version Service Pack: Service Pack 1, Build: 6001"},
        VersionCase{{10, 0, 19045, 2, ""}, "Unknown Version, Build: 19045"},
        VersionCase{{10, 0, 0x12345678, 2, ""}, "Unknown Version, Build: 22136"},
        VersionCase{{5, 1, 2600, 3, "Service Pack 2"}, "Unknown Platform, Build: 2600"}));

struct ProcessorCase {
    platform::SystemInfoRecord info;
    const char* expected;
};

class ProcessorType : public testing::TestWithParam<ProcessorCase> {};

TEST_P(ProcessorType, CountDirectlyFollowedByTheName) {
    const auto& c = GetParam();
    EXPECT_EQ(c.expected, sysinfo::ProcessorTypeTextOf(c.info));
    FakeSystemQueries system;
    system.systemInfo = c.info;
    EXPECT_EQ(c.expected, sysinfo::ProcessorTypeText(system));
}

INSTANTIATE_TEST_SUITE_P(
    Table, ProcessorType,
    testing::Values(
        ProcessorCase{{1, 386, 0}, "1Intel 80386"}, ProcessorCase{{1, 486, 0}, "1Intel 80486"},
        ProcessorCase{{1, 586, 0}, "1Intel Pentium"}, ProcessorCase{{2, 586, 0}, "2Intel Pentium"},
        ProcessorCase{{4, 4000, 0}, "4MIPS R4000"}, ProcessorCase{{1, 21064, 0}, "1ALPHA 21064"},
        ProcessorCase{{16, 8664, 0x8664}, "16x86-64"}, ProcessorCase{{8, 8664, 0}, "8x86-64"},
        // An x86-64 program on an ARM64 machine is told of an x86-64 processor.
        ProcessorCase{{8, 8664, 0xAA64}, "8ARM64"}, ProcessorCase{{8, 0, 0xAA64}, "8ARM64"},
        ProcessorCase{{1, 2200, 0}, ""}, ProcessorCase{{2, 0, 0}, ""},
        ProcessorCase{{1, 601, 0x1F0}, ""}));

TEST(DisplayAdapter, OnlyTheFirstDisplaysTwoSpellingsMatch) {
    EXPECT_TRUE(sysinfo::IsFirstDisplayName("\\\\.\\Display1"));
    EXPECT_TRUE(sysinfo::IsFirstDisplayName("\\\\.\\DISPLAY1"));
    for (const char* other : {"\\\\.\\display1", "\\\\.\\DisPlay1", "\\\\.\\DISPLAY2",
                              "\\\\.\\DISPLAY10", "\\\\.\\DISPLAY1 ", "DISPLAY1", ""})
        EXPECT_FALSE(sysinfo::IsFirstDisplayName(other)) << other;
}

TEST(DisplayAdapter, WalksEveryDeviceAndKeepsTheLastMatch) {
    FakeSystemQueries system;
    system.displayDevices = {{"\\\\.\\DISPLAY2", "Second"},
                             {"\\\\.\\Display1", "First spelling"},
                             {"\\\\.\\DISPLAY3", "Third"},
                             {"\\\\.\\DISPLAY1", "Other spelling"},
                             {"\\\\.\\DISPLAY4", "Fourth"}};
    EXPECT_EQ("Other spelling", sysinfo::DisplayAdapterName(system));
    EXPECT_EQ(6u, system.displayDeviceCalls) << "asks until the platform has no further device";
}

TEST(DisplayAdapter, EmptyWithoutAMatchOrWithoutDevices) {
    FakeSystemQueries system;
    EXPECT_EQ("", sysinfo::DisplayAdapterName(system));
    system.displayDevices = {{"\\\\.\\display1", "Lower case"}, {"\\\\.\\DISPLAY2", "Two"}};
    EXPECT_EQ("", sysinfo::DisplayAdapterName(system));
}

TEST(DisplayRefreshRate, TheCurrentModesFrequencyOrZero) {
    FakeSystemQueries system;
    system.displayFrequency = 75;
    EXPECT_EQ(75, sysinfo::DisplayRefreshRate(system));
    system.displayFrequency = std::nullopt;
    EXPECT_EQ(0, sysinfo::DisplayRefreshRate(system));
}

TEST(MeasureCpuMHz, TimesHalfASecondAtRealTimePriorityAndRestoresBoth) {
    FakeSystemQueries system;
    system.priorityClass = 0x4000;  // below normal
    system.threadPriority = -1;
    system.counterReadings = {1000, 1000 + 1496252587};
    const double mhz = sysinfo::MeasureCpuMHz(system);
    EXPECT_DOUBLE_EQ(2992.505174, mhz);
    const std::vector<std::string> expected = {"class 256", "thread 15",  "sleep 10",
                                               "counter",   "sleep 500",  "counter",
                                               "thread -1", "class 16384"};
    EXPECT_EQ(expected, system.timingSteps);
}

TEST(MeasureCpuMHz, KeepsTheWholeDifferenceAbove32Bits) {
    FakeSystemQueries system;
    // 5 GHz over half a second: 2.5e9 ticks, beyond 2^32 only from about 8.6 GHz; take 10 GHz.
    system.counterReadings = {0x7FFFFFFF00000000ull, 0x7FFFFFFF00000000ull + 5000000000ull};
    EXPECT_DOUBLE_EQ(10000.0, sysinfo::MeasureCpuMHz(system));
    EXPECT_DOUBLE_EQ(8589.934592, sysinfo::CpuMHzFromTicks(1ull << 32));
}

TEST(MeasureCpuMHz, ACounterThatRanBackwardsMeasuresNothing) {
    FakeSystemQueries system;
    system.counterReadings = {5000000000ull, 4000000000ull};
    EXPECT_DOUBLE_EQ(0.0, sysinfo::MeasureCpuMHz(system));
}

}  // namespace
