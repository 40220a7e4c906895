#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/text.h"
#include "process/process_manager_page.h"
#include "support/page_fixture.h"

namespace {

using namespace process;
using platform::ModuleInformation;
using platform::ProcessMemoryCounters;

class ProcessPageTest : public testing_support::PageTest {
  protected:
    ProcessPageTest() {
        auto& idle = processes.Add(0, "[System Process]");
        idle.entry.threadCount = 2;
        auto& system = processes.Add(4, "System");
        system.entry.threadCount = 90;
        system.openable = false;  // access denied
        auto& editor = processes.Add(1200, "notepad.exe", "C:\\Windows\\notepad.exe");
        editor.entry.parentProcessId = 800;
        editor.entry.threadCount = 3;
        editor.counters = ProcessMemoryCounters{12'345'678, 6'000'000'000};
        AddModules(editor, 4);
        auto& host = processes.Add(800, "svchost.exe", "C:\\Windows\\System32\\svchost.exe");
        host.entry.parentProcessId = 4;
        host.counters = ProcessMemoryCounters{2'000'000, 30'000'000};
        AddModules(host, 1026);
        processes.Add(900, "lonely.exe", "C:\\Apps\\lonely.exe").modules = {
            {0x400000, "C:\\Apps\\lonely.exe", ModuleInformation{0x400000, 65536, 0x401000}}};
    }

    static void AddModules(testing_support::FakeProcessQueries::Process& p, size_t count) {
        p.modules.push_back(
            {0x140000000, p.path, ModuleInformation{0x140000000, 204800, 0x140001000}});
        for (size_t i = 1; i < count; ++i) {
            const uint64_t base = 0x7FF800000000 + 0x100000 * i;
            p.modules.push_back({base, "C:\\Windows\\System32\\lib" + std::to_string(i) + ".dll",
                                 ModuleInformation{base, 1232 * 1024, base + 0x1230}});
        }
    }

    ProcessManagerPage& Open() { return page_ = &OpenPage<ProcessManagerPage>(), *page_; }
    ProcessManagerPage& Page() { return *page_; }

    int RowOf(uint32_t processId) {
        const auto& list = Page().lvw_prc;
        for (int i = 0; i < list.Count(); ++i)
            if (list.CellText(i, 1) == std::to_string(processId)) return i;
        return -1;
    }
    void SelectProcess(uint32_t processId) {
        const int row = RowOf(processId);
        ASSERT_GE(row, 0) << processId;
        Page().lvw_prc.Select(row);
    }
    std::vector<std::string> RowTexts(const ui::ListView& list, int row, int columns) {
        std::vector<std::string> texts;
        for (int c = 0; c < columns; ++c)
            texts.push_back(list.CellText(row, c));
        return texts;
    }

    ProcessManagerPage* page_ = nullptr;
};

std::vector<std::pair<std::string, int>> Columns(const ui::ListView& list) {
    std::vector<std::pair<std::string, int>> columns;
    for (int i = 0; i < list.ColumnCount(); ++i) {
        wchar_t buf[64] = {};
        LVCOLUMNW col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH;
        col.pszText = buf;
        col.cchTextMax = 64;
        ListView_GetColumn(list.Handle(), i, &col);
        columns.emplace_back(platform::Narrow(buf), col.cx);
    }
    return columns;
}

TEST_F(ProcessPageTest, ControlsAsCaptionedAndSized) {
    Open();
    EXPECT_EQ(Page().DesignCaption(), "Process List");
    EXPECT_EQ(Page().Label26.Text(),
              "Process Manager: It lists all processes runing in your system. You can end any "
              "item, or make sure what it is. ");
    EXPECT_EQ(Columns(Page().lvw_prc),
              (std::vector<std::pair<std::string, int>>{{"Process Name", 250},
                                                        {"PID", 50},
                                                        {"Priority", 50},
                                                        {"FID", 50},
                                                        {"Thread Counts", 50},
                                                        {"Memory Size", 50},
                                                        {"PF Size", 50},
                                                        {"System", 50}}));
    EXPECT_EQ(Columns(Page().lvw_mod),
              (std::vector<std::pair<std::string, int>>{{"Module Name", 250},
                                                        {"Base Address", 60},
                                                        {"Size(KB)", 60},
                                                        {"Entrance Address", 60},
                                                        {"Short File Name", 80}}));
    for (const ui::ListView* list : {&Page().lvw_prc, &Page().lvw_mod}) {
        const LONG_PTR style = GetWindowLongPtrW(list->Handle(), GWL_STYLE);
        EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
        EXPECT_TRUE(style & LVS_NOSORTHEADER);
        EXPECT_FALSE(style & LVS_EDITLABELS);
        const DWORD ex = ListView_GetExtendedListViewStyle(list->Handle());
        EXPECT_TRUE(ex & LVS_EX_GRIDLINES);
        EXPECT_TRUE(ex & LVS_EX_FULLROWSELECT);
    }
    EXPECT_TRUE(GetWindowLongPtrW(Page().lvw_mod.Handle(), GWL_STYLE) & LVS_SHOWSELALWAYS);
    EXPECT_EQ(Page().BtnRefresh.Text(), "Refresh");
    EXPECT_EQ(Page().BtnClose.Text(), "End Process");
    EXPECT_EQ(Page().BtnFileProperty.Text(), "File Property");

    // The process list above the buttons, the module list below them, neither overlapping.
    RECT prc{}, mod{};
    GetWindowRect(Page().lvw_prc.Handle(), &prc);
    GetWindowRect(Page().lvw_mod.Handle(), &mod);
    for (const HWND button :
         {Page().BtnRefresh.Handle(), Page().BtnClose.Handle(), Page().BtnFileProperty.Handle()}) {
        RECT b{};
        GetWindowRect(button, &b);
        EXPECT_GE(b.top, prc.bottom);
        EXPECT_LE(b.bottom, mod.top);
    }
}

TEST_F(ProcessPageTest, PopupMenuItemsWithTheirPictures) {
    Open();
    auto& m = Page().PMProcess;
    EXPECT_EQ(GetMenuItemCount(m.Menu()), 3);
    EXPECT_EQ(m.MenuText(Page().Refresh1), "Refresh");
    EXPECT_EQ(m.MenuText(Page().EndProcess1), "End Process");
    EXPECT_EQ(m.MenuText(Page().FilePro1), "File Property");
    EXPECT_EQ(Page().Refresh1.Picture(), -1);
    EXPECT_EQ(Page().EndProcess1.Picture(), 19);
    EXPECT_EQ(Page().FilePro1.Picture(), 17);
    for (UINT i = 1; i < 3; ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_BITMAP;
        ASSERT_TRUE(GetMenuItemInfoW(m.Menu(), i, TRUE, &info));
        EXPECT_NE(info.hbmpItem, nullptr) << i;
    }
}

TEST_F(ProcessPageTest, ShowingListsEveryProcessAndEmptiesTheModules) {
    Open();
    EXPECT_EQ(processes.privilegeRequests, 1);
    auto& list = Page().lvw_prc;
    ASSERT_EQ(list.Count(), 5);
    EXPECT_EQ(RowTexts(list, 0, 8),
              (std::vector<std::string>{"[System Process]", "0", "0", "0", "2", "0", "0", "Yes"}));
    EXPECT_EQ(RowTexts(list, 1, 8),
              (std::vector<std::string>{"System", "4", "0", "0", "90", "", "", "Yes"}));
    EXPECT_EQ(RowTexts(list, 2, 8),
              (std::vector<std::string>{"C:\\Windows\\notepad.exe", "1200", "32", "800", "3",
                                        "12.35 MB", "6000.00 MB", "Suspicious"}));
    EXPECT_EQ(RowTexts(list, 3, 8)[7], "Yes");
    EXPECT_EQ(list.SelectedIndex(), -1);

    SelectProcess(1200);
    Page().lvw_prcClick();
    EXPECT_EQ(Page().lvw_mod.Count(), 3);
    ShowPageAgain();
    EXPECT_EQ(processes.privilegeRequests, 2);
    EXPECT_EQ(Page().lvw_mod.Count(), 0);
    EXPECT_EQ(list.Count(), 5);
}

TEST_F(ProcessPageTest, ClickListsTheModulesFromTheSecondOn) {
    Open();
    SelectProcess(1200);
    Page().lvw_prcClick();
    auto& mods = Page().lvw_mod;
    ASSERT_EQ(mods.Count(), 3);
    EXPECT_EQ(RowTexts(mods, 0, 5),
              (std::vector<std::string>{"C:\\Windows\\System32\\lib1.dll", "00007FF800100000",
                                        "1232Kb", "00007FF800101230", "lib1.dll"}));
    EXPECT_EQ(mods.CellText(2, 4), "lib3.dll");

    // Only its executable: nothing. The idle process: nothing.
    for (const uint32_t pid : {900u, 0u}) {
        SelectProcess(pid);
        Page().lvw_prcClick();
        EXPECT_EQ(mods.Count(), 0) << pid;
    }
    // No selection empties the list too.
    SelectProcess(1200);
    Page().lvw_prcClick();
    Page().lvw_prc.Select(-1);
    Page().lvw_prcClick();
    EXPECT_EQ(mods.Count(), 0);
}

TEST_F(ProcessPageTest, AThousandAndTwentySixModulesGiveATousandAndTwentyFourRows) {
    Open();
    SelectProcess(800);
    Page().lvw_prcClick();
    auto& mods = Page().lvw_mod;
    ASSERT_EQ(mods.Count(), 1024);
    EXPECT_EQ(mods.CellText(0, 4), "lib1.dll");
    EXPECT_EQ(mods.CellText(1023, 4), "lib1024.dll");
}

TEST_F(ProcessPageTest, RefreshRebuildsTheProcessesAndKeepsTheModules) {
    Open();
    SelectProcess(1200);
    Page().lvw_prcClick();
    processes.Add(1300, "calc.exe", "C:\\Windows\\calc.exe");
    Page().BtnRefresh.Click();
    EXPECT_EQ(Page().lvw_prc.Count(), 6);
    EXPECT_GE(RowOf(1300), 0);
    EXPECT_EQ(Page().lvw_prc.SelectedIndex(), -1);
    EXPECT_EQ(Page().lvw_mod.Count(), 3);
    Page().PMProcess.Choose(Page().Refresh1);
    EXPECT_EQ(processes.snapshots, 3);
    EXPECT_EQ(Page().lvw_mod.Count(), 3);
}

TEST_F(ProcessPageTest, EndProcessEndsTheSelectedProcessAndRebuildsTheList) {
    Open();
    SelectProcess(1200);
    Page().lvw_prcClick();
    Page().BtnClose.Click();
    EXPECT_EQ(processes.terminated, std::vector<uint32_t>{1200});
    EXPECT_EQ(RowOf(1200), -1);
    EXPECT_EQ(Page().lvw_prc.Count(), 4);
    EXPECT_EQ(Page().lvw_mod.Count(), 3);  // the ended process's modules stay
    EXPECT_TRUE(prompts.messages.empty());

    SelectProcess(900);
    Page().PMProcess.Choose(Page().EndProcess1);
    EXPECT_EQ(processes.terminated, (std::vector<uint32_t>{1200, 900}));
    EXPECT_EQ(RowOf(900), -1);
}

TEST_F(ProcessPageTest, EndProcessWithoutASelectionSaysFailar) {
    Open();
    Page().BtnClose.Click();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "Failar!");
    EXPECT_EQ(prompts.messages[0].style, platform::kOk);
    EXPECT_TRUE(processes.terminated.empty());
}

TEST_F(ProcessPageTest, EndProcessOnTheIdleRowDoesNothing) {
    Open();
    SelectProcess(0);
    const int snapshots = processes.snapshots;
    Page().BtnClose.Click();
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_TRUE(processes.terminated.empty());
    EXPECT_EQ(processes.snapshots, snapshots);  // not rebuilt
    EXPECT_EQ(Page().lvw_prc.SelectedIndex(), RowOf(0));
}

TEST_F(ProcessPageTest, ASystemProcessIsEndedOnlyWhenTheUserConfirms) {
    Open();
    SelectProcess(800);
    prompts.messageAnswers = {platform::kAnswerCancel};
    const int snapshots = processes.snapshots;
    Page().BtnClose.Click();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text,
              "svchost.exe is a system process. Ending it can end your whole Windows session. "
              "End it anyway?");
    EXPECT_EQ(prompts.messages[0].style,
              static_cast<unsigned>(MB_OKCANCEL | MB_ICONWARNING | MB_DEFBUTTON2));
    EXPECT_TRUE(processes.terminated.empty());
    EXPECT_EQ(processes.snapshots, snapshots);
    EXPECT_GE(RowOf(800), 0);

    prompts.messageAnswers = {platform::kAnswerOk};
    Page().BtnClose.Click();
    EXPECT_EQ(processes.terminated, std::vector<uint32_t>{800});
    EXPECT_EQ(RowOf(800), -1);
}

// A table whose termination throws, as a failing platform layer might.
class ThrowingTable : public testing_support::FakeProcessQueries {
  public:
    std::unique_ptr<platform::OpenedProcess> Open(uint32_t processId, uint32_t access,
                                                  bool inheritable) override {
        if (access == platform::kProcessTerminate) throw std::runtime_error("no handle");
        return FakeProcessQueries::Open(processId, access, inheritable);
    }
};

TEST_F(ProcessPageTest, AnErrorWhileEndingSaysFailar) {
    ThrowingTable table;
    table.processes = processes.processes;
    context.processes = &table;
    Open();
    SelectProcess(1200);
    Page().BtnClose.Click();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "Failar!");
    // Handled here, so it never reaches the error log.
    EXPECT_EQ(ErrorLogText().find("no handle"), std::string::npos);
}

TEST_F(ProcessPageTest, FilePropertyOpensTheSheetOfTheBareFileName) {
    Open();
    Page().BtnFileProperty.Click();
    EXPECT_TRUE(shell.properties.empty());
    SelectProcess(1200);
    Page().BtnFileProperty.Click();
    Page().PMProcess.Choose(Page().FilePro1);
    shell.result = false;  // refused: nothing is shown
    Page().BtnFileProperty.Click();
    ASSERT_EQ(shell.properties.size(), 3u);
    EXPECT_EQ(shell.properties[0].file, "notepad.exe");
    EXPECT_EQ(shell.properties[0].owner, frame.Handle());
    EXPECT_TRUE(prompts.messages.empty());
}

// The real process table, with a child process of the test's own.
TEST_F(ProcessPageTest, EndProcessOnARealChildProcess) {
    platform::Win32ProcessQueries real;
    context.processes = &real;
    wchar_t folder[MAX_PATH] = {};
    GetSystemDirectoryW(folder, MAX_PATH);
    const std::wstring program = std::wstring(folder) + L"\\notepad.exe";
    std::wstring line = L"\"" + program + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &si, &pi));
    CloseHandle(pi.hThread);
    WaitForInputIdle(pi.hProcess, 10000);

    Open();
    SelectProcess(pi.dwProcessId);
    Page().lvw_prcClick();
    EXPECT_GT(Page().lvw_mod.Count(), 0);
    Page().BtnClose.Click();
    EXPECT_EQ(WaitForSingleObject(pi.hProcess, 5000), WAIT_OBJECT_0);
    EXPECT_EQ(RowOf(pi.dwProcessId), -1);
    EXPECT_GE(RowOf(GetCurrentProcessId()), 0);
    EXPECT_TRUE(prompts.messages.empty());
    if (WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hProcess);
}

}  // namespace
