#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/handles.h"
#include "platform/text.h"

#include "support/main_window_fixture.h"
#include "ui/message_pump.h"

namespace {

using testing_support::MainWindowTest;

std::string WindowText(HWND h) {
    wchar_t buf[256] = {};
    GetWindowTextW(h, buf, 256);
    std::string out;
    for (wchar_t* p = buf; *p; ++p)
        out += static_cast<char>(*p);
    return out;
}

std::string ClassOf(HWND h) {
    wchar_t buf[64] = {};
    GetClassNameW(h, buf, 64);
    std::string out;
    for (wchar_t* p = buf; *p; ++p)
        out += static_cast<char>(*p);
    return out;
}

class NavigationTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MakeWindow();
        Frame().FirstShow();
        shell.calls.clear();  // the tips program started at the first showing
    }
    // Presses a bar button the way an automation tool does: a BM_CLICK on its window.
    void Press(int header, int index) {
        Frame().mxOBP.SetHeaderOpen(header, true);
        SendMessageW(Frame().mxOBP.ButtonAt(header, index).Handle(), BM_CLICK, 0, 0);
    }
    std::string ActivePage() { return Frame().PCMain.ActivePage()->Name(); }
};

struct NavCase {
    int header, index;
    const char* name;
    const char* caption;
    bool large;
    const char* page;  // the page the button shows, or null
};

const NavCase kNavCases[] = {
    {0, 0, "mBtnHelp", "User Manual", true, nullptr},
    {0, 1, "mBtnSummary", "System Information", false, "TSSummary"},
    {0, 2, "mBtnOneKeyClean", "OneKey CleanUp", true, "TSOneKeyCleaning"},
    {0, 3, "mBtnUpgrad", "Live Update", true, nullptr},
    {1, 0, "mBtnDiskMedic", "Disk Cleaner", true, "TSDiskMedic"},
    {1, 1, "mBtnMemeryMedic", "Optimize Memory", true, "TSMemoryMedic"},
    {1, 2, "mBtnProcessList", "Process Manager", true, "TSProcessList"},
    {1, 3, "mBtnStartUp", "StartUp Manager", true, "TSBootList"},
    {2, 0, "mBtnInternetPrivacy", "Privacy Protector", true, "TSInternetPrivacy"},
    {2, 1, "mBtnCookieManager", "Cookie Manager", true, "TSCookieManager"},
    {2, 2, "mBtnFileShreder", "File Shredder", true, "TSFileShredder"},
    {3, 0, "mBtnReport", "Report", true, "TSReport"},
    {3, 1, "mBtnAbout", "About ...", true, "TSAbout"},
};

TEST_F(NavigationTest, HeadersInOrderWithOnlyTheFirstOpen) {
    auto& bar = Frame().mxOBP;
    const std::pair<const char*, const char*> headers[] = {{"hdrSystemInformation", "Information"},
                                                           {"hdrSysTools", "System Tools"},
                                                           {"hdrPrivacy", "Privacy Tools"},
                                                           {"mOther", "Report"}};
    ASSERT_EQ(bar.HeaderCount(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(bar.HeaderButton(i).Name(), headers[i].first);
        EXPECT_EQ(WindowText(bar.HeaderButton(i).Handle()), headers[i].second);
        EXPECT_EQ(bar.IsHeaderOpen(i), i == 0) << "header " << i;
    }
    // The open header's buttons are visible, a closed header's are not.
    EXPECT_TRUE(IsWindowVisible(bar.ButtonAt(0, 0).Handle()));
    EXPECT_FALSE(IsWindowVisible(bar.ButtonAt(1, 0).Handle()));
}

TEST_F(NavigationTest, HeadersOpenAndCloseOnClick) {
    auto& bar = Frame().mxOBP;
    SendMessageW(bar.HeaderButton(2).Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(bar.IsHeaderOpen(2));
    EXPECT_FALSE(bar.IsHeaderOpen(0));
    EXPECT_TRUE(IsWindowVisible(bar.ButtonAt(2, 1).Handle()));
    EXPECT_FALSE(IsWindowVisible(bar.ButtonAt(0, 0).Handle()));
    SendMessageW(bar.HeaderButton(2).Handle(), BM_CLICK, 0, 0);
    EXPECT_FALSE(bar.IsHeaderOpen(2));
    EXPECT_FALSE(IsWindowVisible(bar.ButtonAt(2, 1).Handle()));
}

TEST_F(NavigationTest, EveryButtonIsARealButtonBoundToItsHandler) {
    auto& bar = Frame().mxOBP;
    int total = 0;
    for (int h = 0; h < bar.HeaderCount(); ++h)
        total += bar.ButtonCount(h);
    ASSERT_EQ(total, static_cast<int>(std::size(kNavCases)));
    for (const NavCase& c : kNavCases) {
        SCOPED_TRACE(c.caption);
        ui::Button& b = bar.ButtonAt(c.header, c.index);
        EXPECT_EQ(b.Name(), c.name);
        EXPECT_EQ(ClassOf(b.Handle()), "Button");
        EXPECT_EQ(WindowText(b.Handle()), c.caption);
        EXPECT_EQ(bar.IsLarge(c.header, c.index), c.large);
        // Start from a page no button shows twice, so every showing is a real change.
        Frame().ShowPage(c.page && std::string(c.page) == "TSAbout"
                             ? static_cast<ui::Page&>(Frame().TSReport)
                             : static_cast<ui::Page&>(Frame().TSAbout));
        const std::string before = ActivePage();
        shell.calls.clear();
        prompts.messages.clear();
        Press(c.header, c.index);
        if (c.page) {
            EXPECT_EQ(ActivePage(), c.page);
            EXPECT_TRUE(shell.calls.empty());
        } else {
            EXPECT_EQ(ActivePage(), before);
        }
    }
}

TEST_F(NavigationTest, ProcessManagerListsTheProcessTableAtEveryShowing) {
    processes.Add(1200, "notepad.exe", "C:\\Windows\\notepad.exe");
    Press(1, 2);
    auto& list = Frame().TSProcessList.lvw_prc;
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.CellText(0, 0), "C:\\Windows\\notepad.exe");
    processes.Add(1300, "calc.exe", "C:\\Windows\\calc.exe");
    Press(1, 3);
    Press(1, 2);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(processes.privilegeRequests, 2);
}

TEST_F(NavigationTest, UserManualAndF1OpenTheHelpFile) {
    Press(0, 0);
    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.calls[0].verb, "open");
    EXPECT_EQ(shell.calls[0].file, folder.File("help.chm"));
    EXPECT_EQ(shell.calls[0].show, SW_SHOWNORMAL);

    // F1 released over any control reaches the window first (key preview).
    Frame().ShowPage(Frame().TSReport);
    PostMessageW(Frame().TSReport.MMReport.Handle(), WM_KEYUP, VK_F1, 0);
    ui::PumpMessages();
    ASSERT_EQ(shell.calls.size(), 2u);
    EXPECT_EQ(shell.calls[1].file, folder.File("help.chm"));
}

TEST_F(NavigationTest, F8ShowsTheOneKeyPageAndWaitsOneSecond) {
    Frame().ShowPage(Frame().TSReport);
    PostMessageW(Frame().TSReport.BtnTsReportSave.Handle(), WM_KEYUP, VK_F8, 0);
    ui::PumpMessages();
    EXPECT_EQ(ActivePage(), "TSOneKeyCleaning");
    EXPECT_EQ(clock.sleeps, std::vector<uint32_t>{1000});
    // Other keys do nothing here.
    PostMessageW(Frame().TSReport.MMReport.Handle(), WM_KEYUP, VK_F2, 0);
    ui::PumpMessages();
    EXPECT_EQ(clock.sleeps.size(), 1u);
    EXPECT_TRUE(shell.calls.empty() ||
                shell.calls.back().file.find("help.chm") == std::string::npos);
}

TEST_F(NavigationTest, LiveUpdateWithoutTheProgramExplains) {
    Press(0, 3);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text,
              "  You have not installed the update packdge\r Please download the newest version "
              "from https://www.example.com/veltrin/");
    EXPECT_EQ(prompts.messages[0].style & 0xF0, static_cast<unsigned>(platform::kIconInformation));
    EXPECT_TRUE(shell.calls.empty());
    ui::PumpMessages();
    EXPECT_TRUE(IsWindow(Frame().Handle()));
}

TEST_F(NavigationTest, LiveUpdateStartsTheProgramAndClosesTheWindow) {
    folder.Write("update\\update.exe", "MZ");
    Frame().report().AddReportLine("before update");
    ui::CheckBox probe("CBProbe");
    probe.Create(Frame().TSAbout.Handle(), "probe", {0, 0, 50, 20}, false);
    Frame().settings.RegisterCheckBox(98, probe);
    Press(0, 3);
    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.calls[0].file, folder.File("update\\update.exe"));
    EXPECT_EQ(shell.calls[0].parameters, "");
    EXPECT_TRUE(prompts.messages.empty());
    ui::PumpMessages();
    EXPECT_FALSE(IsWindow(Frame().Handle()));
    // Closed as any close: the report and the settings were saved.
    EXPECT_NE(folder.Read("Last.VELLog").find("before update"), std::string::npos);
    EXPECT_NE(folder.Read("Veltrin.INI").find("98=0"), std::string::npos);
}

TEST_F(MainWindowTest, WindowShapeAndStartPage) {
    auto& f = MakeWindow();
    EXPECT_EQ(WindowText(f.Handle()), "Veltrin");
    RECT r;
    GetWindowRect(f.Handle(), &r);
    EXPECT_EQ(r.right - r.left, 780);
    EXPECT_EQ(r.bottom - r.top, 700);
    EXPECT_TRUE(GetWindowLongW(f.Handle(), GWL_STYLE) & WS_THICKFRAME);

    MINMAXINFO info{};
    info.ptMaxTrackSize = {4000, 4000};
    SendMessageW(f.Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMaxTrackSize.x, 780);
    EXPECT_EQ(info.ptMaxTrackSize.y, 700);

    // The summary page is current at start and the only visible page.
    f.FirstShow();
    EXPECT_EQ(f.PCMain.ActivePage(), &f.TSSummary);
    int visible = 0;
    for (ui::Page* p : f.PCMain.Pages())
        visible += IsWindowVisible(p->Handle()) ? 1 : 0;
    EXPECT_EQ(visible, 1);
    EXPECT_EQ(f.PCMain.Pages().size(), 11u);
}

TEST_F(MainWindowTest, StatusBarHasThreePanels) {
    auto& f = MakeWindow();
    int edges[4] = {};
    ASSERT_EQ(SendMessageW(f.SBMain.Handle(), SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)), 3);
    EXPECT_EQ(edges[0], 150);
    EXPECT_EQ(edges[1], 300);
    EXPECT_EQ(edges[2], -1);
    RECT r;
    GetWindowRect(f.SBMain.Handle(), &r);
    EXPECT_EQ(r.bottom - r.top, 27);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(f.SBMain.PanelText(i), "");
}

TEST_F(MainWindowTest, ShrinkingTheWindowShrinksThePageArea) {
    auto& f = MakeWindow();
    RECT before, after;
    GetWindowRect(f.PCMain.Handle(), &before);
    SetWindowPos(f.Handle(), nullptr, 0, 0, 600, 500, SWP_NOMOVE | SWP_NOZORDER);
    GetWindowRect(f.PCMain.Handle(), &after);
    EXPECT_EQ((before.right - before.left) - (after.right - after.left), 180);
    EXPECT_EQ((before.bottom - before.top) - (after.bottom - after.top), 200);
}

// --- FormShow: the tips program and the Sunday update --------------------------------------

struct TipsCase {
    const char* ini;  // null: no ini file
    bool startsTips;
};

class TipsTest : public MainWindowTest, public ::testing::WithParamInterface<TipsCase> {};

TEST_P(TipsTest, IsShowDecidesWhetherTheTipsProgramStarts) {
    if (GetParam().ini) folder.Write("Tips\\KorTips.ini", GetParam().ini);
    MakeWindow().FirstShow();
    const bool started =
        !shell.calls.empty() && shell.calls[0].file == folder.File("Tips\\KorTips.exe");
    EXPECT_EQ(started, GetParam().startsTips);
    if (started) {
        EXPECT_EQ(shell.calls[0].verb, "open");
        EXPECT_EQ(shell.calls[0].parameters, "");
    }
    EXPECT_EQ(ErrorLogText(), "<missing>");
}

INSTANTIATE_TEST_SUITE_P(Values, TipsTest,
                         ::testing::Values(TipsCase{nullptr, true},
                                           TipsCase{"[Other]\r\nIsShow=0\r\n", true},
                                           TipsCase{"[Show]\r\nIsShow=0\r\n", false},
                                           TipsCase{"[Show]\r\nIsShow=False\r\n", false},
                                           TipsCase{"[Show]\r\nIsShow=fALSE\r\n", false},
                                           TipsCase{"[Show]\r\nIsShow=1\r\n", true},
                                           TipsCase{"[Show]\r\nIsShow=-1\r\n", true},
                                           TipsCase{"[Show]\r\nIsShow=TRUE\r\n", true}));

TEST_F(MainWindowTest, SundayStartsTheUpdateProgramOnce) {
    folder.Write("Tips\\KorTips.ini", "[Show]\r\nIsShow=0\r\n");
    folder.Write("update\\update.exe", "MZ");
    clock.now = {2026, 12, 13, 0, 9, 30, 0, 0};  // a Sunday
    MakeWindow().FirstShow();
    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.calls[0].verb, "open");
    EXPECT_EQ(shell.calls[0].file, folder.File("update\\update.exe"));
    EXPECT_EQ(shell.calls[0].parameters, "/Silent /NoIcon /NoReport /NoList");
    EXPECT_EQ(shell.calls[0].directory, "");
    EXPECT_EQ(shell.calls[0].show, SW_SHOWNORMAL);
}

TEST_F(MainWindowTest, NoUpdateOnMondayOrWithoutTheProgram) {
    folder.Write("Tips\\KorTips.ini", "[Show]\r\nIsShow=0\r\n");
    clock.now = {2026, 12, 13, 0, 9, 30, 0, 0};  // Sunday, but no update program
    MakeWindow().FirstShow();
    EXPECT_TRUE(shell.calls.empty());
}

TEST_F(MainWindowTest, MondayDoesNotStartTheUpdate) {
    folder.Write("Tips\\KorTips.ini", "[Show]\r\nIsShow=0\r\n");
    folder.Write("update\\update.exe", "MZ");
    clock.now = {2026, 12, 14, 1, 9, 30, 0, 0};
    MakeWindow().FirstShow();
    EXPECT_TRUE(shell.calls.empty());
}

TEST_F(MainWindowTest, NonBooleanIsShowIsLoggedAndSkipsTheSundayCheck) {
    folder.Write("Tips\\KorTips.ini", "[Show]\r\nIsShow=maybe\r\n");
    folder.Write("update\\update.exe", "MZ");
    clock.now = {2026, 12, 13, 0, 9, 30, 0, 0};
    auto& f = MakeWindow();
    f.FirstShow();
    EXPECT_TRUE(shell.calls.empty());
    EXPECT_TRUE(IsWindowVisible(f.Handle()));
    const std::string log = ErrorLogText();
    EXPECT_NE(log.find(":   FrmMain     'maybe' is not a valid boolean value\r\n  \r\n"),
              std::string::npos)
        << log;
    // One record: a record line and the line of two blanks.
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 2);
}

// --- FormClose -----------------------------------------------------------------------------

TEST_F(MainWindowTest, CloseWritesTheReportAndSettings) {
    folder.Write("Last.VELLog", "an older run");
    auto& f = MakeWindow();
    f.FirstShow();
    // A fresh start shows an empty report although an older one exists.
    EXPECT_EQ(f.report().Text(), "");
    f.report().AddReportLine("one");
    const std::string text = f.report().Text();
    CloseWindow();
    EXPECT_FALSE(IsWindow(f.Handle()));
    EXPECT_EQ(folder.Read("Last.VELLog"), text);
}

TEST_F(MainWindowTest, TheMemoryPageReportsHereAndKeepsAutoOptimizeUnderItsKey) {
    auto& f = MakeWindow();
    f.FirstShow();
    f.mxOBPHeaders1Buttons1Click();
    auto& page = f.TSMemoryMedic;
    EXPECT_TRUE(page.Timer1.Enabled());
    page.CheckBox1.SetChecked(true);
    page.BtnMemoryMedicOptimizeClick();
    EXPECT_NE(f.report().Text().find("Start optimize memory...."), std::string::npos);
    EXPECT_NE(f.report().Text().find("Memory optimization finished!"), std::string::npos);
    EXPECT_EQ(virtualMemory.Outstanding(), 0u);
    CloseWindow();
    EXPECT_NE(folder.Read("Veltrin.INI").find("122=-1"), std::string::npos);
}

// A file held open without sharing cannot be written by anyone else, even by root under Wine.
platform::UniqueHandle Lock(const std::string& path) {
    return platform::AdoptFile(CreateFileW(platform::Widen(path).c_str(),
                                           GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
}

TEST_F(MainWindowTest, UnwritableSettingsAreLoggedAndTheReportIsStillSaved) {
    auto& f = MakeWindow();
    f.FirstShow();
    ui::CheckBox probe("CBProbe");
    probe.Create(f.TSAbout.Handle(), "probe", {0, 0, 50, 20}, true);
    f.settings.RegisterCheckBox(36, probe);
    f.report().AddReportLine("kept");
    const std::string text = f.report().Text();
    {
        auto lock = Lock(folder.File("Veltrin.INI"));
        ASSERT_TRUE(lock);
        CloseWindow();
    }
    EXPECT_FALSE(IsWindow(f.Handle()));
    EXPECT_EQ(folder.Read("Last.VELLog"), text);
    EXPECT_NE(
        ErrorLogText().find(":   FrmMain     Unable to write to " + folder.File("Veltrin.INI")),
        std::string::npos)
        << ErrorLogText();
}

TEST_F(MainWindowTest, UnwritableReportIsLoggedAndTheSettingsAreStillSaved) {
    auto& f = MakeWindow();
    f.FirstShow();
    ui::CheckBox probe("CBProbe");
    probe.Create(f.TSAbout.Handle(), "probe", {0, 0, 50, 20}, true);
    // A key no check box of the window uses: boxes sharing a key save in no fixed order.
    f.settings.RegisterCheckBox(2, probe);
    {
        auto lock = Lock(folder.File("Last.VELLog"));
        ASSERT_TRUE(lock);
        CloseWindow();
    }
    EXPECT_FALSE(IsWindow(f.Handle()));
    EXPECT_NE(folder.Read("Veltrin.INI").find("\n2=-1"), std::string::npos)
        << folder.Read("Veltrin.INI");
    EXPECT_NE(ErrorLogText().find("Cannot create file \"" + folder.File("Last.VELLog")),
              std::string::npos)
        << ErrorLogText();
}

}  // namespace
