#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/perf_block.h"
#include "memory/memory_page.h"
#include "support/page_fixture.h"

namespace {

using Lines = std::vector<std::string>;
constexpr uint64_t kMiB = uint64_t{1} << 20, kGiB = uint64_t{1} << 30;

// Shown by the page (the test's window itself is never on a screen).
bool Shown(const ui::Control& c) {
    return GetWindowLongW(c.Handle(), GWL_STYLE) & WS_VISIBLE;
}

class MemoryPageTest : public testing_support::PageTest {
  protected:
    memory::MemoryPage& Open() { return OpenPage<memory::MemoryPage>(); }

    // Leaves the page for another one, as the navigation bar does.
    void Leave() {
        if (!other_.Handle()) {
            other_.Create(host.Handle());
            host.AddPage(other_);
        }
        host.ShowPage(other_);
    }

    // The processor blocks of two processors, one second apart, with processor 0 idle for the
    // given 100-ns intervals in each second.
    void ScriptProcessor(const std::vector<uint64_t>& idlePerSecond) {
        const uint64_t start = *core::perf::IntervalsSince1601({2026, 12, 5, 11, 12, 0, 0, 0});
        uint64_t idle = 0;
        for (size_t i = 0; i < idlePerSecond.size(); ++i) {
            idle += idlePerSecond[i];
            const uint64_t counts[] = {idle, 0};
            perfData.blocks.push_back(core::perf::BuildProcessorBlock(
                core::perf::TimeOfIntervals(start + i * 10'000'000), counts));
        }
    }

    ui::Page other_{"TSBlank", "TSBlank"};
};

TEST_F(MemoryPageTest, ControlsAndCaptions) {
    auto& page = Open();
    EXPECT_EQ(page.Name(), "TSMemoryMedic");
    EXPECT_EQ(page.DesignCaption(), "Memory Medic");
    EXPECT_EQ(page.Label9.Text(),
              "Optimize Memory: This page shows the information about your memory usage. You can "
              "optimize  it to improve system speed.");
    EXPECT_EQ(page.GroupBox4.Text(), "Memory Usage  Information");
    const std::pair<ui::Label*, const char*> captions[] = {
        {&page.Label10, "Total Memory: "},     {&page.Label11, "Free Memory:"},
        {&page.Label12, "Total Paging File:"}, {&page.Label13, "Free Paging File:"},
        {&page.Label14, "Total Virtual:"},     {&page.Label15, "Free Virtual:"},
        {&page.Label17, "Memory Load:"}};
    for (auto [label, caption] : captions)
        EXPECT_EQ(label->Text(), caption);
    EXPECT_EQ(page.Label18.Text(), "Auto-Optimize Percent ");
    EXPECT_EQ(page.Label16.Text(), "60%");
    EXPECT_EQ(page.TrackBar1.Position(), 60);
    EXPECT_EQ(SendMessageW(page.TrackBar1.Handle(), TBM_GETRANGEMIN, 0, 0), 60);
    EXPECT_EQ(SendMessageW(page.TrackBar1.Handle(), TBM_GETRANGEMAX, 0, 0), 100);
    EXPECT_EQ(page.CheckBox1.Text(), "Auto Optimize");
    EXPECT_FALSE(page.CheckBox1.IsChecked());
    EXPECT_EQ(page.BtnMemoryMedicOptimize.Text(), "Optimize");
    EXPECT_TRUE(GetWindowLongW(page.BtnMemoryMedicOptimize.Handle(), GWL_STYLE) & BS_DEFPUSHBUTTON);
    EXPECT_FALSE(Shown(page.Pie));
    EXPECT_EQ(page.Timer1.Interval(), 1000u);
}

TEST_F(MemoryPageTest, ShowingFillsTheFiguresInFullAndStartsTheTimer) {
    memoryStatus.figures = {61, 3 * kGiB, 2 * kGiB + 5, 32 * kGiB, 31 * kGiB, 128ull << 40, 1234};
    auto& page = Open();
    EXPECT_EQ(page.LTotalRAM.Text(), "3221225472 B");
    EXPECT_EQ(page.LFreeRAM.Text(), "2147483653 B");
    EXPECT_EQ(page.LTotalPage.Text(), "34359738368 B");
    EXPECT_EQ(page.LPageFree.Text(), "33285996544 B");
    EXPECT_EQ(page.LTotalVirtual.Text(), "140737488355328 B");
    EXPECT_EQ(page.LFreeVirtual.Text(), "1234 B");
    EXPECT_EQ(page.LMemoryLoad.Text(), "61 %");
    EXPECT_EQ(page.BlockCount(), 3073u);
    EXPECT_TRUE(page.Timer1.Enabled());
    EXPECT_EQ(memoryStatus.queries, 2) << "once for the block count, once for the labels";
}

TEST_F(MemoryPageTest, TheTrackBarLabel) {
    auto& page = Open();
    page.TrackBar1.SetPosition(75);
    EXPECT_EQ(page.Label16.Text(), "75%");
    // A user's move reaches the page as a scroll message.
    SendMessageW(page.TrackBar1.Handle(), TBM_SETPOS, TRUE, 90);
    SendMessageW(page.Handle(), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 90),
                 reinterpret_cast<LPARAM>(page.TrackBar1.Handle()));
    EXPECT_EQ(page.Label16.Text(), "90%");
}

TEST_F(MemoryPageTest, LeavingThePageStopsTheTimerAndBlanksPanelsOneAndTwo) {
    auto& page = Open();
    status.SetPanelText(0, "kept");
    status.SetPanelText(1, "Optimize memory finished!");
    status.SetPanelText(2, " CPU Usage  12.50%");
    Leave();
    EXPECT_FALSE(page.Timer1.Enabled());
    EXPECT_EQ(Panel(0), "kept");
    EXPECT_EQ(Panel(1), " ");
    EXPECT_EQ(Panel(2), "");
    ShowPageAgain();
    EXPECT_TRUE(page.Timer1.Enabled());
}

TEST_F(MemoryPageTest, ATickRefreshesTheFreeFiguresAndShowsTheUsageFromTheSecondTickOn) {
    ScriptProcessor({0, 8'750'000, 5'000'000});
    auto& page = Open();
    status.SetPanelText(2, "before");
    memoryStatus.figures = {55, 4 * kGiB, 1 * kGiB, 8 * kGiB, 3 * kGiB, 5 * kGiB, 6 * kGiB};
    page.Timer1Timer();
    EXPECT_EQ(page.LFreeRAM.Text(), "1073741824 B");
    EXPECT_EQ(page.LPageFree.Text(), "3221225472 B");
    EXPECT_EQ(page.LFreeVirtual.Text(), "6442450944 B");
    EXPECT_EQ(page.LMemoryLoad.Text(), "55 %");
    EXPECT_EQ(page.LTotalRAM.Text(), "8388608 B") << "the totals are not refreshed";
    EXPECT_EQ(Panel(2), "before") << "the first sample has nothing to compare with";
    page.Timer1Timer();
    EXPECT_EQ(Panel(2), " CPU Usage  12.50%");
    page.Timer1Timer();
    EXPECT_EQ(Panel(2), " CPU Usage  50.00%");
    EXPECT_TRUE(ReportLines().empty()) << "auto-optimize is off";
}

TEST_F(MemoryPageTest, AutoOptimizeStrictlyAboveTheThreshold) {
    struct Case {
        bool on;
        int threshold;
        uint32_t load;
        bool optimizes;
    };
    const Case cases[] = {{true, 60, 60, false},
                          {true, 60, 61, true},
                          {false, 60, 99, false},
                          {true, 75, 75, false},
                          {true, 75, 76, true}};
    auto& page = Open();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.on << " " << c.threshold << " " << c.load);
        report.Clear();
        page.CheckBox1.SetChecked(c.on);
        page.TrackBar1.SetPosition(c.threshold);
        memoryStatus.figures.load = c.load;
        page.Timer1Timer();
        EXPECT_EQ(ReportLines(), c.optimizes ? (Lines{"Start optimize memory....",
                                                      "Memory optimization finished!"})
                                             : Lines{});
        EXPECT_TRUE(page.Timer1.Enabled());
    }
    // Every tick above the threshold optimizes again.
    report.Clear();
    page.TrackBar1.SetPosition(60);
    page.CheckBox1.SetChecked(true);
    memoryStatus.figures.load = 90;
    page.Timer1Timer();
    page.Timer1Timer();
    EXPECT_EQ(ReportLines().size(), 4u);
}

TEST_F(MemoryPageTest, AMeterErrorEndsTheTickAfterTheFigures) {
    perfData.blocks.push_back(core::perf::BuildBlock(
        core::perf::TimeOfIntervals(*core::perf::IntervalsSince1601({2026, 1, 4, 1, 0, 0, 0, 0})),
        {}));
    auto& page = Open();
    page.CheckBox1.SetChecked(true);
    memoryStatus.figures.load = 99;
    memoryStatus.figures.availPhys = 777;
    status.SetPanelText(2, "before");
    page.Timer1.Elapse();
    EXPECT_EQ(page.LFreeRAM.Text(), "777 B");
    EXPECT_EQ(Panel(2), "before");
    EXPECT_TRUE(ReportLines().empty()) << "no optimization after the error";
    EXPECT_NE(ErrorLogText().find("Unable to locate the \"Processor\" performance object"),
              std::string::npos);
    EXPECT_TRUE(page.Timer1.Enabled()) << "the timer goes on";
}

TEST_F(MemoryPageTest, OptimizeReportsCommitsReleasesAndFillsTheGauge) {
    memoryStatus.figures.totalPhys = 12 * kMiB + 100;
    auto& page = Open();
    ASSERT_EQ(page.BlockCount(), 13u);
    bool timerOffDuring = true, gaugeShownDuring = true;
    virtualMemory.onCommit = [&] {
        timerOffDuring = timerOffDuring && !page.Timer1.Enabled();
        gaugeShownDuring = gaugeShownDuring && Shown(page.Pie);
    };
    page.BtnMemoryMedicOptimize.Click();
    EXPECT_EQ(ReportLines(), (Lines{"Start optimize memory....", "Memory optimization finished!"}));
    EXPECT_EQ(Panel(1), "Optimize memory finished!");
    EXPECT_EQ(virtualMemory.committed.size(), 13u);
    EXPECT_EQ(virtualMemory.released, virtualMemory.committed);
    EXPECT_EQ(virtualMemory.releasedUnwritten, 0);
    EXPECT_EQ(page.Pie.Maximum(), 26);
    EXPECT_EQ(page.Pie.Progress(), page.Pie.Maximum()) << "the gauge reaches full";
    EXPECT_TRUE(timerOffDuring);
    EXPECT_TRUE(gaugeShownDuring);
    EXPECT_FALSE(Shown(page.Pie));
    EXPECT_TRUE(page.Timer1.Enabled());
    EXPECT_FALSE(page.Running());
}

TEST_F(MemoryPageTest, ANestedOptimizeWritesItsLinesAndLeavesTheRunAlone) {
    auto& page = Open();  // 9 blocks
    int commitsSeen = 0;
    bool stillOff = true;
    virtualMemory.onCommit = [&] {
        if (++commitsSeen == 3) page.BtnMemoryMedicOptimizeClick();  // pressed again meanwhile
        if (commitsSeen > 3) stillOff = stillOff && !page.Timer1.Enabled();
    };
    page.BtnMemoryMedicOptimizeClick();
    EXPECT_EQ(ReportLines(),
              (Lines{"Start optimize memory....", "Start optimize memory....",
                     "Memory optimization finished!", "Memory optimization finished!"}));
    EXPECT_EQ(virtualMemory.commits, 9u) << "the nested press committed nothing";
    EXPECT_EQ(virtualMemory.Outstanding(), 0u);
    EXPECT_TRUE(stillOff) << "no tick during the run";
    EXPECT_EQ(page.Pie.Progress(), 18);
    EXPECT_TRUE(page.Timer1.Enabled());
}

TEST_F(MemoryPageTest, AFailedCommitReleasesEverythingAndTheNextRunWorks) {
    auto& page = Open();
    virtualMemory.refuseFrom = 4;
    page.BtnMemoryMedicOptimizeClick();
    EXPECT_EQ(ReportLines(), (Lines{"Start optimize memory....", "Memory optimization finished!"}));
    EXPECT_EQ(virtualMemory.committed.size(), 4u);
    EXPECT_EQ(virtualMemory.Outstanding(), 0u);
    EXPECT_FALSE(page.Running());
    virtualMemory.refuseFrom.reset();
    page.BtnMemoryMedicOptimizeClick();
    EXPECT_EQ(virtualMemory.committed.size(), 4u + 9u);
    EXPECT_EQ(virtualMemory.Outstanding(), 0u);
}

TEST_F(MemoryPageTest, AutoOptimizeIsKeptInTheSettingsFile) {
    auto& page = Open();
    page.CheckBox1.SetChecked(true);
    CloseWindow();
    const std::string ini = folder.Read("Veltrin.INI");
    EXPECT_NE(ini.find("[CheckBox]"), std::string::npos) << ini;
    EXPECT_NE(ini.find("122=-1"), std::string::npos) << ini;
}

TEST_F(MemoryPageTest, TheTimerTicksOnItsOwnWhileThePageIsShown) {
    auto& page = Open();
    const ULONGLONG end = GetTickCount64() + 2600;
    MSG msg;
    while (GetTickCount64() < end) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(20);
    }
    EXPECT_GE(perfData.generated, 2u) << "a sample per tick";
    EXPECT_EQ(Panel(2), " CPU Usage  50.00%");
    Leave();
    const uint64_t samples = perfData.generated;
    const ULONGLONG later = GetTickCount64() + 1300;
    while (GetTickCount64() < later) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        Sleep(20);
    }
    EXPECT_EQ(perfData.generated, samples) << "no tick while the page is hidden";
    (void)page;
}

}  // namespace
