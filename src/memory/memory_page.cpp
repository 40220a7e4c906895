#include "memory/memory_page.h"

#include "platform/locale_format.h"
#include "ui/dispatch.h"

namespace memory {
namespace {

// A once-a-second refresh mostly finds the same figures: a control is only written, and so
// repainted, when its text changes.
void Put(ui::Control& control, const std::string& text) {
    if (control.Text() != text) control.SetText(text);
}

void PutPanel(ui::StatusBar& status, int panel, const std::string& text) {
    if (status.PanelText(panel) != text) status.SetPanelText(panel, text);
}

constexpr int kCaptionWidth = 110, kValueWidth = 170, kRowHeight = 24, kGaugeSide = 150;

}  // namespace

MemoryPage::MemoryPage(const services::PageContext& context)
    : Page("TSMemoryMedic", "Memory Medic"), context_(context), meter_(*context.app.perfData) {}

MemoryPage::~MemoryPage() {
    meter_.StopCpuStatistics();
}

void MemoryPage::Create(HWND host) {
    using namespace ui;
    CreatePage(host);
    const int top = AddHeading(Label9, Image7, NavIcon::Memory,
                               "Optimize Memory: This page shows the information about your memory "
                               "usage. You can optimize  it to improve system speed.");
    const RECT r = ClientUnits();
    const int frameHeight = 16 + 7 * kRowHeight + 16;
    GroupBox4.Create(Handle(), "Memory Usage  Information", {8, top, r.right - 16, frameHeight});
    AnchorChild(GroupBox4.Handle(), kAnchorLeft | kAnchorTop | kAnchorRight);
    const std::pair<Label*, const char*> captions[] = {
        {&Label10, "Total Memory: "},     {&Label11, "Free Memory:"},
        {&Label12, "Total Paging File:"}, {&Label13, "Free Paging File:"},
        {&Label14, "Total Virtual:"},     {&Label15, "Free Virtual:"},
        {&Label17, "Memory Load:"}};
    Label* const values[] = {&LTotalRAM,     &LFreeRAM,     &LTotalPage, &LPageFree,
                             &LTotalVirtual, &LFreeVirtual, &LMemoryLoad};
    int y = top + 22;
    for (size_t i = 0; i < 7; ++i, y += kRowHeight) {
        captions[i].first->Create(Handle(), captions[i].second, {24, y, kCaptionWidth, 18});
        values[i]->Create(Handle(), "", {24 + kCaptionWidth + 8, y, kValueWidth, 18});
    }
    const int gaugeTop = top + (frameHeight - kGaugeSide) / 2 + 4;
    Pie.Create(Handle(), {r.right - 16 - 16 - kGaugeSide, gaugeTop, kGaugeSide, kGaugeSide});
    AnchorChild(Pie.Handle(), kAnchorTop | kAnchorRight);
    Pie.Show(false);

    y = top + frameHeight + 16;
    Label18.Create(Handle(), "Auto-Optimize Percent ", {16, y + 4, 150, 18});
    TrackBar1.Create(Handle(), {170, y, 240, 30}, kThresholdMin, kThresholdMax, kThresholdMin);
    Label16.Create(Handle(), ThresholdText(kThresholdMin), {418, y + 4, 50, 18});
    TrackBar1.onChange = [this] { TrackBar1Change(); };

    y += 40;
    CheckBox1.Create(Handle(), "Auto Optimize", {16, y, 150, 20});
    context_.settings.RegisterCheckBox(kAutoOptimizeKey, CheckBox1);
    BtnMemoryMedicOptimize.Create(Handle(), "Optimize", {r.right - 16 - 100, y - 4, 100, 28},
                                  BS_DEFPUSHBUTTON);
    AnchorChild(BtnMemoryMedicOptimize.Handle(), kAnchorTop | kAnchorRight);
    BtnMemoryMedicOptimize.onClick = [this] { BtnMemoryMedicOptimizeClick(); };

    Timer1.Attach(Handle(), kTimerInterval);
    Timer1.onTimer = [this] { Timer1Timer(); };
}

LRESULT MemoryPage::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    // A track bar tells its parent of moves with scroll messages.
    if (msg == WM_HSCROLL && reinterpret_cast<HWND>(lp) == TrackBar1.Handle()) {
        TrackBar1.Scrolled();
        return 0;
    }
    return Page::HandleMessage(msg, wp, lp);
}

void MemoryPage::TSMemoryMedicShow() {
    blockCount_ = memory::BlockCount(context_.app.memoryStatus->Query().totalPhys);
    const MemoryTexts t = FigureTexts(context_.app.memoryStatus->Query());
    LTotalRAM.SetText(t.totalRam);
    LFreeRAM.SetText(t.freeRam);
    LTotalPage.SetText(t.totalPage);
    LPageFree.SetText(t.pageFree);
    LTotalVirtual.SetText(t.totalVirtual);
    LFreeVirtual.SetText(t.freeVirtual);
    LMemoryLoad.SetText(t.memoryLoad);
    shown_ = true;
    Timer1.SetEnabled(true);
}

void MemoryPage::TSMemoryMedicHide() {
    shown_ = false;
    Timer1.SetEnabled(false);
    context_.status.SetPanelText(2, "");
    context_.status.SetPanelText(1, " ");
}

void MemoryPage::Timer1Timer() {
    const platform::MemoryFigures figures = context_.app.memoryStatus->Query();
    const MemoryTexts t = FigureTexts(figures);
    Put(LFreeRAM, t.freeRam);
    Put(LPageFree, t.pageFree);
    Put(LFreeVirtual, t.freeVirtual);
    Put(LMemoryLoad, t.memoryLoad);
    // The meter's errors end the tick here and reach the error log.
    if (const auto text = CpuPanelText(meter_, platform::DecimalSeparator()))
        PutPanel(context_.status, 2, *text);
    if (ShouldAutoOptimize(CheckBox1.IsChecked(), TrackBar1.Position(), figures.load))
        BtnMemoryMedicOptimizeClick();
}

void MemoryPage::TrackBar1Change() {
    Label16.SetText(ThresholdText(TrackBar1.Position()));
}

void MemoryPage::BtnMemoryMedicOptimizeClick() {
    context_.report.AddReportLine(kStartOptimize);
    // A press during a run (messages run inside it) only reports: the gauge and the timer
    // belong to the run under way, which keeps the timer off until it ends.
    const bool nested = optimizer_.running;
    if (!nested) {
        Timer1.SetEnabled(false);
        Pie.SetProgress(0);
        Pie.Show(true);
        Pie.SetMaximum(static_cast<int>(GaugeMaximum(blockCount_)));
    }
    {
        ui::PacedLoop loop(Handle(), &context_.status);
        ui::PacedLoop* const outer = loop_;
        loop_ = &loop;
        try {
            FreeUpMemory(blockCount_, [this] { OptimizeProgress(); });
        } catch (...) {
            loop_ = outer;
            throw;
        }
        loop_ = outer;
    }
    context_.status.SetPanelText(1, kOptimizeFinishedPanel);
    if (!nested) {
        Pie.Show(false);
        // Left while it ran, the page stays without its timer.
        Timer1.SetEnabled(shown_);
    }
    context_.report.AddReportLine(kOptimizationFinished);
}

void MemoryPage::FreeUpMemory(uint32_t blockCount, const std::function<void()>& callback) {
    memory::FreeUpMemory(optimizer_, blockCount, *context_.app.virtualMemory, callback);
}

void MemoryPage::OptimizeProgress() {
    if (loop_) loop_->Tick();
    Pie.AddProgress(1);
}

}  // namespace memory
