// The process table of the machine the tests run on, with child processes the tests start.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "core/ascii_text.h"
#include "platform/process_queries.h"
#include "platform/shell_launcher.h"
#include "platform/text.h"
#include "process/process_actions.h"
#include "process/process_list.h"

namespace {

using namespace process;

// A program of the system's own, started hidden; ended when the test is over.
class ChildProcess {
  public:
    explicit ChildProcess(const std::wstring& program = SystemProgram(L"notepad.exe")) {
        std::wstring line = L"\"" + program + L"\"";
        STARTUPINFOW si{};
        si.cb = sizeof si;
        si.dwFlags = STARTF_USESHOWWINDOW;
        si.wShowWindow = SW_HIDE;
        started_ = CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                  nullptr, &si, &info_) != FALSE;
        if (started_) WaitForInputIdle(info_.hProcess, 10000);
    }
    ~ChildProcess() {
        if (!started_) return;
        if (Running()) TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, 5000);
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return started_; }
    uint32_t Id() const { return info_.dwProcessId; }
    bool Running() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }
    bool EndsWithin(DWORD milliseconds) const {
        return WaitForSingleObject(info_.hProcess, milliseconds) == WAIT_OBJECT_0;
    }

    static std::wstring SystemProgram(const wchar_t* name) {
        wchar_t folder[MAX_PATH] = {};
        GetSystemDirectoryW(folder, MAX_PATH);
        return std::wstring(folder) + L"\\" + name;
    }

  private:
    PROCESS_INFORMATION info_{};
    bool started_ = false;
};

const ProcessRow* RowOf(const std::vector<ProcessRow>& rows, uint32_t processId) {
    const auto it = std::find_if(rows.begin(), rows.end(),
                                 [&](const ProcessRow& r) { return r.processId == processId; });
    return it == rows.end() ? nullptr : &*it;
}

bool IsHexAddress(const std::string& text) {
    return (text.size() == 8 || text.size() == 16) &&
           std::all_of(text.begin(), text.end(),
                       [](char c) { return std::isdigit(c) || (c >= 'A' && c <= 'F'); });
}

bool IsMegabytes(const std::string& text) {
    return text.size() > 7 && text.ends_with(" MB") && text[text.size() - 6] == '.';
}

class RealProcessTest : public ::testing::Test {
  protected:
    platform::Win32ProcessQueries queries;
};

// Whether the program's own token holds the debug privilege enabled.
bool DebugPrivilegeEnabled() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
    DWORD length = 0;
    GetTokenInformation(token, TokenPrivileges, nullptr, 0, &length);
    std::vector<std::byte> buffer(length);
    bool enabled = false;
    LUID debug{};
    if (GetTokenInformation(token, TokenPrivileges, buffer.data(), length, &length) &&
        LookupPrivilegeValueW(nullptr, L"SeDebugPrivilege", &debug)) {
        const auto* privileges = reinterpret_cast<const TOKEN_PRIVILEGES*>(buffer.data());
        for (DWORD i = 0; i < privileges->PrivilegeCount; ++i) {
            const auto& p = privileges->Privileges[i];
            if (p.Luid.LowPart == debug.LowPart && p.Luid.HighPart == debug.HighPart)
                enabled = (p.Attributes & SE_PRIVILEGE_ENABLED) != 0;
        }
    }
    CloseHandle(token);
    return enabled;
}

TEST_F(RealProcessTest, DebugPrivilegeIsEnabledOrTheRefusalSaid) {
    const int first = EnableDebugPrivilege(queries);
    // 0 where the account holds the right, -4 where it does not.
    ASSERT_TRUE(first == 0 || first == -4) << first;
    EXPECT_EQ(DebugPrivilegeEnabled(), first == 0);
    EXPECT_EQ(EnableDebugPrivilege(queries), first);  // asked again on every showing
}

TEST_F(RealProcessTest, OwnProcessAndAChildAreListedWithTheirFigures) {
    ChildProcess child;
    ASSERT_TRUE(child.Started());
    const auto rows = BuildProcessRows(queries, ".");
    ASSERT_GE(rows.size(), 2u);

    const ProcessRow* own = RowOf(rows, GetCurrentProcessId());
    ASSERT_NE(own, nullptr);
    wchar_t ownPath[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, ownPath, MAX_PATH);
    EXPECT_TRUE(core::EqualsIgnoreAsciiCase(own->caption, platform::Narrow(ownPath)))
        << own->caption;
    EXPECT_EQ(own->processIdText, std::to_string(GetCurrentProcessId()));
    EXPECT_EQ(own->priority, std::to_string(GetPriorityClass(GetCurrentProcess())));
    EXPECT_NE(own->threadCount, "0");
    EXPECT_TRUE(IsMegabytes(own->memorySize)) << own->memorySize;
    EXPECT_TRUE(IsMegabytes(own->pageFileSize)) << own->pageFileSize;
    EXPECT_NE(own->memorySize, "0.00 MB");
    EXPECT_EQ(own->system, "Suspicious");

    const ProcessRow* kid = RowOf(rows, child.Id());
    ASSERT_NE(kid, nullptr);
    EXPECT_TRUE(core::EqualsIgnoreAsciiCase(FileNamePart(kid->caption), "notepad.exe"))
        << kid->caption;
    EXPECT_EQ(kid->parentId, std::to_string(GetCurrentProcessId()));
    EXPECT_EQ(kid->priority, "32");
    EXPECT_TRUE(IsMegabytes(kid->memorySize)) << kid->memorySize;
    EXPECT_EQ(kid->system, "Suspicious");
}

TEST_F(RealProcessTest, MemoryFiguresOfTheOwnProcessAreFullWidth) {
    const auto opened =
        queries.Open(GetCurrentProcessId(), platform::kProcessQueryInformation, false);
    ASSERT_NE(opened, nullptr);
    const auto counters = opened->MemoryCounters();
    ASSERT_TRUE(counters);
    EXPECT_GT(counters->workingSetSize, 1'000'000u);
    // A 64-bit process reserves far more address space than it touches.
    EXPECT_GE(counters->virtualSize, counters->workingSetSize);
}

TEST_F(RealProcessTest, ModulesOfAChildFromTheSecondOn) {
    ChildProcess child;
    ASSERT_TRUE(child.Started());
    const auto rows = BuildModuleRows(queries, child.Id());
    ASSERT_FALSE(rows.empty());
    bool ntdll = false;
    for (const auto& row : rows) {
        EXPECT_FALSE(core::EqualsIgnoreAsciiCase(row.shortName, "notepad.exe"));
        EXPECT_EQ(row.shortName, FileNamePart(row.path));
        EXPECT_TRUE(IsHexAddress(row.baseAddress)) << row.baseAddress;
        EXPECT_TRUE(IsHexAddress(row.entryAddress)) << row.entryAddress;
        EXPECT_TRUE(row.size.ends_with("Kb")) << row.size;
        ntdll = ntdll || core::EqualsIgnoreAsciiCase(row.shortName, "ntdll.dll");
    }
    EXPECT_TRUE(ntdll);
}

TEST_F(RealProcessTest, ProcessesThatCannotBeOpenedListNoModules) {
    EXPECT_TRUE(BuildModuleRows(queries, 0).empty());
    ChildProcess child;
    ASSERT_TRUE(child.Started());
    const uint32_t id = child.Id();
    ASSERT_EQ(TerminateProcessById(queries, id), 0);
    ASSERT_TRUE(child.EndsWithin(5000));
    EXPECT_TRUE(BuildModuleRows(queries, id).empty());
}

TEST_F(RealProcessTest, EndProcessEndsAChildAndTheRebuiltListLacksIt) {
    ChildProcess child;
    ASSERT_TRUE(child.Started());
    auto rows = BuildProcessRows(queries, ".");
    const ProcessRow* kid = RowOf(rows, child.Id());
    ASSERT_NE(kid, nullptr);
    struct NoPrompts final : platform::Prompts {
        int asked = 0;
        int Message(const std::string&, const std::string&, unsigned) override {
            ++asked;
            return platform::kAnswerCancel;
        }
        std::optional<std::string> Input(const std::string&, const std::string&,
                                         const std::string&) override {
            return std::nullopt;
        }
        bool Open(platform::FileDialogState&) override { return false; }
        bool Save(platform::FileDialogState&) override { return false; }
    } prompts;
    EXPECT_EQ(EndSelectedProcess(kid, queries, prompts), EndProcessOutcome::kAttempted);
    EXPECT_EQ(prompts.asked, 0);
    EXPECT_TRUE(child.EndsWithin(5000));
    rows = BuildProcessRows(queries, ".");
    EXPECT_EQ(RowOf(rows, child.Id()), nullptr);
}

TEST_F(RealProcessTest, TerminatingWhatCannotBeOpened) {
    EXPECT_EQ(TerminateProcessById(queries, 0), -2);
    // Process identifiers are multiples of four; this one is never handed out.
    EXPECT_EQ(TerminateProcessById(queries, 0xFFFFFFF3u), -2);
}

TEST_F(RealProcessTest, PropertiesOfAFileTheShellCannotFindFailSilently) {
    platform::Win32ShellLauncher shell;
    EXPECT_FALSE(ShowFileProperties(shell, "no-such-program-7f3a.exe", nullptr));
}

}  // namespace
