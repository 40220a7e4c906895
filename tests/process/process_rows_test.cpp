#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "process/process_list.h"
#include "process/process_texts.h"
#include "support/fake_process_queries.h"

namespace {

using namespace process;
using platform::ProcessMemoryCounters;
using testing_support::FakeProcessQueries;

TEST(ProcessCaptionTest, ShortOrMissingPathsFallBackToTheSnapshotName) {
    struct Case {
        std::string path, exeFile, expected;
    };
    const std::vector<Case> cases = {
        {"C:\\Windows\\notepad.exe", "notepad.exe", "C:\\Windows\\notepad.exe"},
        {"", "System", "System"},                    // the name could not be read
        {"C:\\", "smss.exe", "smss.exe"},            // three characters
        {"  C:\\ \t\r\n", "smss.exe", "smss.exe"},   // three once trimmed
        {"C:\\a", "a.exe", "C:\\a"},                 // four is enough
        {" C:\\a ", "a.exe", " C:\\a "},             // kept as returned, blanks and all
        {"\x01\x02\x03\x04", "ctl.exe", "ctl.exe"},  // control characters only
        {"\xC3\xA9:\\", "e.exe", "e.exe"},           // three characters in four bytes
        {"\xC3\xA9:\\x", "e.exe", "\xC3\xA9:\\x"},   // four characters
    };
    for (size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(ProcessCaption(cases[i].path, cases[i].exeFile), cases[i].expected)
            << "case " << i << ": \"" << cases[i].path << "\"";
}

TEST(ProcessCaptionTest, FileNamePartIsAfterTheLastBackslashOrColon) {
    EXPECT_EQ(FileNamePart("C:\\Windows\\System32\\svchost.exe"), "svchost.exe");
    EXPECT_EQ(FileNamePart("C:notepad.exe"), "notepad.exe");
    EXPECT_EQ(FileNamePart("\\\\?\\C:\\x\\y.exe"), "y.exe");
    EXPECT_EQ(FileNamePart("System"), "System");
    EXPECT_EQ(FileNamePart("C:\\folder\\"), "");
    EXPECT_EQ(FileNamePart(""), "");
}

TEST(SystemVerdictTest, SubstringOfAnySystemNameInAnyCaseReadsYes) {
    struct Case {
        std::string caption, verdict;
        bool wholeName;  // whether ending it asks first
    };
    const std::vector<Case> cases = {
        {"C:\\Windows\\System32\\svchost.exe", "Yes", true},
        {"C:\\WINDOWS\\SYSTEM32\\SVCHOST.EXE", "Yes", true},
        {"C:\\Tools\\mysvchost.exe", "Yes", false},
        {"C:\\Windows\\notepad.exe", "Suspicious", false},
        {"[System Process]", "Yes", false},
        {"C:\\Games\\SYSTEMSHOCK.EXE", "Yes", false},
        {"System", "Yes", true},
        {"c:\\windows\\explorer.exe", "Yes", true},
        {"Explorer.EXE", "Yes", true},
        {"C:\\x\\smss.exe", "Yes", true},
        {"C:\\x\\csrss.exe", "Yes", true},
        {"C:\\x\\winlogon.exe", "Yes", true},
        {"C:\\x\\services.exe", "Yes", true},
        {"C:\\x\\lsass.exe", "Yes", true},
        {"C:\\x\\lsass.exe.bak", "Yes", false},
        // Only the file name counts, never the folder.
        {"C:\\Windows\\System32\\calc.exe", "Suspicious", false},
        {"C:\\svchost.exe\\calc.exe", "Suspicious", false},
        {"", "Suspicious", false},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(SystemVerdict(cases[i].caption), cases[i].verdict) << cases[i].caption;
        EXPECT_EQ(IsSystemProcessName(cases[i].caption), cases[i].wholeName) << cases[i].caption;
    }
}

TEST(MemoryTextTest, DecimalMegabytesWithTwoDecimalsRoundedHalfUp) {
    struct Case {
        uint64_t bytes;
        std::string separator, expected;
    };
    const std::vector<Case> cases = {
        {12'345'678, ".", "12.35 MB"},
        {12'345'678, ",", "12,35 MB"},
        {0, ".", "0.00 MB"},
        {4'999, ".", "0.00 MB"},
        {5'000, ".", "0.01 MB"},  // a tie goes up
        {125'000, ".", "0.13 MB"},
        {1'000'000, ".", "1.00 MB"},
        {999'995'000, ".", "1000.00 MB"},  // no thousands separator
        // Beyond 32 bits: never cut to the low 32 bits.
        {5'000'000'000, ".", "5000.00 MB"},
        {4'294'967'296, ".", "4294.97 MB"},
        {UINT64_MAX, ".", "18446744073709.55 MB"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MegabytesText(c.bytes, c.separator), c.expected) << c.bytes;
}

class ProcessTableTest : public ::testing::Test {
  protected:
    FakeProcessQueries table;
};

TEST_F(ProcessTableTest, MemoryTextsOfTheIdleProcessAFigureAndAFailure) {
    table.Add(0, "System Idle Process");
    table.Add(100, "a.exe").counters = ProcessMemoryCounters{12'345'678, 6'000'000'000};
    table.Add(200, "b.exe");  // the query fails
    table.Add(300, "c.exe").openable = false;
    table.processes.back().counters = ProcessMemoryCounters{1, 1};

    EXPECT_EQ(FormatWorkingSetSize(table, 0, "."), "0");
    EXPECT_EQ(FormatVirtualSize(table, 0, "."), "0");
    EXPECT_EQ(FormatWorkingSetSize(table, 100, "."), "12.35 MB");
    EXPECT_EQ(FormatVirtualSize(table, 100, "."), "6000.00 MB");
    EXPECT_EQ(FormatWorkingSetSize(table, 200, "."), "");
    EXPECT_EQ(FormatVirtualSize(table, 200, "."), "");
    EXPECT_EQ(FormatWorkingSetSize(table, 300, "."), "");
    EXPECT_EQ(FormatVirtualSize(table, 300, "."), "");
    EXPECT_EQ(FormatWorkingSetSize(table, 999, "."), "");  // no such process
    // Process 0 is answered without asking the platform.
    for (const auto& open : table.opens)
        EXPECT_NE(open.processId, 0u);
    EXPECT_EQ(table.opens.back().access, platform::kProcessQueryInformation);
    EXPECT_EQ(table.openHandles, 0);
}

TEST_F(ProcessTableTest, DebugPrivilegeResultCodes) {
    const std::vector<std::pair<platform::PrivilegeStage, int>> cases = {
        {platform::PrivilegeStage::kEnabled, 0},
        {platform::PrivilegeStage::kTokenNotOpened, -2},
        {platform::PrivilegeStage::kNameNotFound, -3},
        {platform::PrivilegeStage::kNotAdjusted, -4},
    };
    for (const auto& [stage, code] : cases) {
        table.privilege = stage;
        EXPECT_EQ(EnableDebugPrivilege(table), code);
    }
}

TEST_F(ProcessTableTest, RowsFollowTheSnapshotWithEveryColumn) {
    auto& idle = table.Add(0, "System Idle Process");
    idle.entry.threadCount = 2;
    auto& editor = table.Add(1234, "notepad.exe", "C:\\Windows\\notepad.exe");
    editor.entry.parentProcessId = 880;
    editor.entry.threadCount = 3;
    editor.priority = 128;
    editor.counters = ProcessMemoryCounters{12'345'678, 45'000'000};
    auto& host = table.Add(880, "svchost.exe", "C:\\Windows\\System32\\svchost.exe");
    host.entry.parentProcessId = 4;
    host.entry.threadCount = 17;
    host.counters = ProcessMemoryCounters{1'000'000, 2'000'000};

    const auto rows = BuildProcessRows(table, ",");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].processId, 0u);
    EXPECT_EQ(rows[0].Columns(), (std::array<std::string, 8>{"System Idle Process", "0", "0", "0",
                                                             "2", "0", "0", "Yes"}));
    EXPECT_EQ(rows[1].processId, 1234u);
    EXPECT_EQ(rows[1].Columns(),
              (std::array<std::string, 8>{"C:\\Windows\\notepad.exe", "1234", "128", "880", "3",
                                          "12,35 MB", "45,00 MB", "Suspicious"}));
    EXPECT_EQ(rows[2].Columns(),
              (std::array<std::string, 8>{"C:\\Windows\\System32\\svchost.exe", "880", "32", "4",
                                          "17", "1,00 MB", "2,00 MB", "Yes"}));
    EXPECT_EQ(table.snapshots, 1);
    EXPECT_EQ(table.openHandles, 0);
}

TEST_F(ProcessTableTest, CaptionIsReadThroughTheSnapshotsModuleWithReadAccess) {
    auto& p = table.Add(42, "tool.exe", "C:\\Tools\\tool.exe");
    p.entry.moduleId = 0;
    BuildProcessRows(table, ".");
    ASSERT_FALSE(table.opens.empty());
    EXPECT_EQ(table.opens.front().processId, 42u);
    EXPECT_EQ(table.opens.front().access,
              platform::kProcessQueryInformation | platform::kProcessVmRead);
}

TEST_F(ProcessTableTest, IdleProcessTakesItsSnapshotNameAndItsVerdictFromIt) {
    table.Add(0, "[System Process]");
    const auto rows = BuildProcessRows(table, ".");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].caption, "[System Process]");
    EXPECT_EQ(rows[0].memorySize, "0");
    EXPECT_EQ(rows[0].pageFileSize, "0");
    EXPECT_EQ(rows[0].system, "Yes");
}

TEST_F(ProcessTableTest, AnUnreadableRowNeverRepeatsTheRowAbove) {
    auto& first = table.Add(10, "first.exe", "C:\\Apps\\first.exe");
    first.priority = 128;
    first.counters = ProcessMemoryCounters{3'000'000, 9'000'000};
    // Ended between the snapshot and its row: nothing can be opened.
    table.Add(11, "gone.exe", "C:\\Apps\\gone.exe").openable = false;
    table.processes.back().counters = ProcessMemoryCounters{7'000'000, 7'000'000};
    // Opens, but neither its path nor its memory can be read.
    table.Add(12, "locked.exe");
    // A three-character path after a full one.
    table.Add(13, "root.exe", "C:\\");

    const auto rows = BuildProcessRows(table, ".");
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].caption, "C:\\Apps\\first.exe");
    EXPECT_EQ(rows[0].memorySize, "3.00 MB");
    EXPECT_EQ(rows[1].Columns(),
              (std::array<std::string, 8>{"gone.exe", "11", "0", "0", "0", "", "", "Suspicious"}));
    EXPECT_EQ(rows[2].caption, "locked.exe");
    EXPECT_EQ(rows[2].priority, "32");
    EXPECT_EQ(rows[2].memorySize, "");
    EXPECT_EQ(rows[2].pageFileSize, "");
    EXPECT_EQ(rows[3].caption, "root.exe");
}

TEST_F(ProcessTableTest, FiguresStillShowWhenOnlyTheQueryAccessIsGranted) {
    auto& p = table.Add(20, "guarded.exe", "C:\\Apps\\guarded.exe");
    p.deniedAccess = platform::kProcessVmRead;
    p.priority = 128;
    p.counters = ProcessMemoryCounters{2'000'000, 4'000'000};
    const auto rows = BuildProcessRows(table, ".");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].Columns(), (std::array<std::string, 8>{"guarded.exe", "20", "0", "0", "0",
                                                             "2.00 MB", "4.00 MB", "Suspicious"}));
    EXPECT_EQ(table.openHandles, 0);
}

TEST_F(ProcessTableTest, NoSnapshotGivesNoRows) {
    table.Add(10, "a.exe", "C:\\a.exe");
    table.snapshotAvailable = false;
    EXPECT_TRUE(BuildProcessRows(table, ".").empty());
    EXPECT_TRUE(table.opens.empty());
}

TEST_F(ProcessTableTest, EveryBuildIsFromAFreshSnapshot) {
    table.Add(10, "a.exe", "C:\\a.exe");
    EXPECT_EQ(BuildProcessRows(table, ".").size(), 1u);
    table.Add(11, "b.exe", "C:\\b.exe");
    const auto rows = BuildProcessRows(table, ".");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].caption, "C:\\b.exe");
    EXPECT_EQ(table.snapshots, 2);
}

TEST_F(ProcessTableTest, AThousandProcesses) {
    for (uint32_t i = 0; i < 1000; ++i) {
        auto& p = table.Add(4 * (i + 1), "p" + std::to_string(i) + ".exe",
                            "C:\\Programs\\p" + std::to_string(i) + ".exe");
        p.counters = ProcessMemoryCounters{uint64_t{i} * 1'000'000, uint64_t{i} * 2'000'000};
    }
    const auto rows = BuildProcessRows(table, ".");
    ASSERT_EQ(rows.size(), 1000u);
    EXPECT_EQ(rows[999].caption, "C:\\Programs\\p999.exe");
    EXPECT_EQ(rows[999].processIdText, "4000");
    EXPECT_EQ(rows[999].memorySize, "999.00 MB");
    EXPECT_EQ(rows[999].pageFileSize, "1998.00 MB");
    EXPECT_EQ(table.opens.size(), 1000u);  // one open a row
    EXPECT_EQ(table.openHandles, 0);
}

}  // namespace
