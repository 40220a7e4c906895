#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "process/process_actions.h"
#include "process/process_texts.h"
#include "support/fake_process_queries.h"
#include "support/fakes.h"

namespace {

using namespace process;
using platform::ModuleInformation;
using testing_support::FakeProcessQueries;
using testing_support::FakePrompts;
using testing_support::FakeShell;

TEST(ModuleTextTest, AddressesShowEightDigitsOrAllSixteen) {
    const std::vector<std::pair<uint64_t, std::string>> cases = {
        {0x0, "00000000"},
        {0x400000, "00400000"},
        {0x7C80ABCD, "7C80ABCD"},
        {0xFFFFFFFF, "FFFFFFFF"},
        {0x1'0000'0000, "0000000100000000"},
        {0x140000000, "0000000140000000"},
        {0x7FFA'1234'ABCD, "00007FFA1234ABCD"},
        {0xFFFF'FFFF'FFFF'FFFF, "FFFFFFFFFFFFFFFF"},
    };
    for (const auto& [address, text] : cases)
        EXPECT_EQ(AddressText(address), text);
}

TEST(ModuleTextTest, SizesInWholeKilobytes) {
    EXPECT_EQ(ModuleSizeText(1232 * 1024), "1232Kb");
    EXPECT_EQ(ModuleSizeText(1232 * 1024 + 1023), "1232Kb");
    EXPECT_EQ(ModuleSizeText(1023), "0Kb");
    EXPECT_EQ(ModuleSizeText(0xFFFFFFFF), "4194303Kb");
}

class ModuleListTest : public ::testing::Test {
  protected:
    FakeProcessQueries::Process& WithModules(uint32_t processId, size_t count) {
        auto& p = table.Add(processId, "host.exe", "C:\\App\\host.exe");
        for (size_t i = 0; i < count; ++i) {
            const uint64_t base = 0x10000000 + 0x100000 * i;
            p.modules.push_back({base, "C:\\App\\m" + std::to_string(i) + ".dll",
                                 ModuleInformation{base, 8192, base + 0x1000}});
        }
        return p;
    }
    FakeProcessQueries table;
};

TEST_F(ModuleListTest, AProcessWithOnlyItsExecutableListsNothing) {
    WithModules(50, 1);
    EXPECT_TRUE(BuildModuleRows(table, 50).empty());
    EXPECT_EQ(table.openHandles, 0);
}

TEST_F(ModuleListTest, ModulesFromTheSecondOnWithEveryColumn) {
    auto& p = WithModules(50, 1);
    p.modules.push_back({0x7FFA00000000, "C:\\Windows\\System32\\KERNEL32.DLL",
                         ModuleInformation{0x7FFA00000000, 1232 * 1024 + 512, 0x7FFA00011230}});
    p.modules.push_back({0x6B000000, "C:\\Windows\\SysWOW64\\old.dll",
                         ModuleInformation{0x6B000000, 4096, 0x6B001A2F}});
    const auto rows = BuildModuleRows(table, 50);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].Columns(),
              (std::array<std::string, 5>{"C:\\Windows\\System32\\KERNEL32.DLL", "00007FFA00000000",
                                          "1232Kb", "00007FFA00011230", "KERNEL32.DLL"}));
    EXPECT_EQ(rows[1].Columns(),
              (std::array<std::string, 5>{"C:\\Windows\\SysWOW64\\old.dll", "6B000000", "4Kb",
                                          "6B001A2F", "old.dll"}));
    ASSERT_EQ(table.opens.size(), 1u);
    EXPECT_EQ(table.opens[0].access, platform::kProcessQueryInformation | platform::kProcessVmRead);
    EXPECT_FALSE(table.opens[0].inheritable);
}

TEST_F(ModuleListTest, ManyModulesStopAtHandle1025) {
    WithModules(60, 1026);
    const auto rows = BuildModuleRows(table, 60);
    ASSERT_EQ(rows.size(), 1024u);
    EXPECT_EQ(rows.front().path, "C:\\App\\m1.dll");
    EXPECT_EQ(rows.back().path, "C:\\App\\m1024.dll");
    EXPECT_EQ(table.openHandles, 0);
}

TEST_F(ModuleListTest, ExactlyTheLimitListsAllButTheFirst) {
    WithModules(61, 1025);
    const auto rows = BuildModuleRows(table, 61);
    ASSERT_EQ(rows.size(), 1024u);
    EXPECT_EQ(rows.back().path, "C:\\App\\m1024.dll");
}

TEST_F(ModuleListTest, UnreadableModulesGetNoRow) {
    auto& p = WithModules(70, 5);
    p.modules[1].path.clear();  // name unreadable
    p.modules[3].info.reset();  // information unreadable
    const auto rows = BuildModuleRows(table, 70);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].shortName, "m2.dll");
    EXPECT_EQ(rows[1].shortName, "m4.dll");
}

TEST_F(ModuleListTest, ProcessesThatCannotBeOpenedOrListedGiveNothing) {
    WithModules(80, 3).openable = false;
    WithModules(81, 3).modulesListable = false;
    table.Add(0, "System Idle Process");
    EXPECT_TRUE(BuildModuleRows(table, 80).empty());
    EXPECT_TRUE(BuildModuleRows(table, 81).empty());
    EXPECT_TRUE(BuildModuleRows(table, 0).empty());
    EXPECT_TRUE(BuildModuleRows(table, 12345).empty());  // ended
    EXPECT_EQ(table.openHandles, 0);
}

TEST(TerminateTest, ResultCodes) {
    FakeProcessQueries table;
    table.Add(10, "a.exe");
    table.Add(11, "b.exe").openable = false;
    table.Add(12, "c.exe").terminable = false;
    EXPECT_EQ(TerminateProcessById(table, 10), 0);
    EXPECT_EQ(TerminateProcessById(table, 11), -2);
    EXPECT_EQ(TerminateProcessById(table, 12), -3);
    EXPECT_EQ(TerminateProcessById(table, 99), -2);
    EXPECT_EQ(table.terminated, std::vector<uint32_t>{10});
    ASSERT_FALSE(table.opens.empty());
    EXPECT_EQ(table.opens[0].access, platform::kProcessTerminate);
    EXPECT_EQ(table.openHandles, 0);
}

class EndProcessTest : public ::testing::Test {
  protected:
    EndProcessTest() {
        table.Add(0, "System Idle Process");
        table.Add(4, "System");
        table.Add(300, "notepad.exe", "C:\\Windows\\notepad.exe");
        table.Add(400, "svchost.exe", "C:\\Windows\\System32\\svchost.exe");
        table.Add(500, "mysvchost.exe", "C:\\Tools\\mysvchost.exe");
        rows = BuildProcessRows(table, ".");
    }
    const ProcessRow* Row(uint32_t processId) const {
        for (const auto& r : rows)
            if (r.processId == processId) return &r;
        return nullptr;
    }
    bool Listed(uint32_t processId) const {
        for (const auto& r : BuildProcessRows(table, "."))
            if (r.processId == processId) return true;
        return false;
    }
    mutable FakeProcessQueries table;
    FakePrompts prompts;
    std::vector<ProcessRow> rows;
};

TEST_F(EndProcessTest, NoSelectionSaysFailar) {
    EXPECT_EQ(EndSelectedProcess(nullptr, table, prompts), EndProcessOutcome::kNoSelection);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "Failar!");
    EXPECT_EQ(prompts.messages[0].style, platform::kOk);
    EXPECT_TRUE(table.terminated.empty());
}

TEST_F(EndProcessTest, TheIdleRowDoesNothing) {
    const size_t opensBefore = table.opens.size();
    EXPECT_EQ(EndSelectedProcess(Row(0), table, prompts), EndProcessOutcome::kIdleProcess);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(table.opens.size(), opensBefore);
    EXPECT_TRUE(table.terminated.empty());
}

TEST_F(EndProcessTest, OtherProcessesEndWithoutAQuestion) {
    for (const uint32_t pid : {300u, 500u}) {
        EXPECT_EQ(EndSelectedProcess(Row(pid), table, prompts), EndProcessOutcome::kAttempted);
        EXPECT_FALSE(Listed(pid));
    }
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(table.terminated, (std::vector<uint32_t>{300, 500}));
}

TEST_F(EndProcessTest, ASystemProcessNameAsksFirstAndCancelEndsNothing) {
    prompts.messageAnswers = {platform::kAnswerCancel, platform::kAnswerCancel};
    for (const uint32_t pid : {4u, 400u})
        EXPECT_EQ(EndSelectedProcess(Row(pid), table, prompts), EndProcessOutcome::kDeclined);
    EXPECT_TRUE(table.terminated.empty());
    EXPECT_TRUE(Listed(4) && Listed(400));
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(prompts.messages[0].text,
              "System is a system process. Ending it can end your whole Windows session. End it "
              "anyway?");
    EXPECT_EQ(prompts.messages[1].text, std::string("svchost.exe") + kEndSystemProcessQuestion);
    EXPECT_EQ(prompts.messages[1].caption, "Veltrin");
    // OK and Cancel, Cancel the default button (MB_OKCANCEL | MB_ICONWARNING | MB_DEFBUTTON2).
    EXPECT_EQ(prompts.messages[1].style, 0x1u | 0x30u | 0x100u);
}

TEST_F(EndProcessTest, ASystemProcessNameEndsWhenConfirmed) {
    prompts.messageAnswers = {platform::kAnswerOk};
    EXPECT_EQ(EndSelectedProcess(Row(400), table, prompts), EndProcessOutcome::kAttempted);
    EXPECT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(table.terminated, std::vector<uint32_t>{400});
    EXPECT_FALSE(Listed(400));
}

TEST_F(EndProcessTest, ARefusedTerminationIsSilent) {
    table.Find(300)->terminable = false;
    EXPECT_EQ(EndSelectedProcess(Row(300), table, prompts), EndProcessOutcome::kAttempted);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_TRUE(Listed(300));
}

TEST(FilePropertyTest, TheSheetOfTheCaptionsFileNameWithoutItsFolder) {
    FakeShell shell;
    const auto owner = reinterpret_cast<HWND>(0x1234);
    ProcessRow row;
    row.processId = 300;
    row.caption = "C:\\Windows\\notepad.exe";
    EXPECT_TRUE(ShowSelectedFileProperties(&row, shell, owner));
    shell.result = false;
    EXPECT_FALSE(ShowSelectedFileProperties(&row, shell, owner));
    EXPECT_FALSE(ShowSelectedFileProperties(nullptr, shell, owner));
    ASSERT_EQ(shell.properties.size(), 2u);
    EXPECT_EQ(shell.properties[0].file, "notepad.exe");
    EXPECT_EQ(shell.properties[0].owner, owner);
    EXPECT_TRUE(shell.calls.empty());
}

}  // namespace
