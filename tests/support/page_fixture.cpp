#include "support/page_fixture.h"

#include "support/main_window_fixture.h"
#include "ui/dispatch.h"

namespace testing_support {
namespace {

// The main window's size; the page host fills it above the status bar.
constexpr int kFrameWidth = 780 - 161;
constexpr int kFrameHeight = 700 - 27;

}  // namespace

void PageFrame::Create(int width, int height) {
    CreateWindowOf(L"Veltrin", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, 0, 0,
                   width, height, nullptr);
}

LRESULT PageFrame::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == services::Report::kFlushMessage && report) report->Flush();
    return Window::HandleMessage(msg, wp, lp);
}

PageTest::PageTest()
    : settings(folder.File("Veltrin.INI")),
      errorLog(folder.Path(), clock),
      pageContext{context, status, report, settings, openDialog, saveDialog} {
    InitHeadlessUi();
    context.programPath = folder.File("Veltrin.exe");
    context.prompts = &prompts;
    context.shell = &shell;
    context.clock = &clock;
    specialFolders.folders[24] = folder.MakeFolder("Startup All Users");
    specialFolders.folders[7] = folder.MakeFolder("Startup Current User");
    context.specialFolders = &specialFolders;
    drives.spaces["C:\\"] = platform::DriveSpace{1073741824, 536870912};
    context.drives = &drives;
    context.system = &system;
    context.bios = &bios;
    disk.opens = false;
    context.disk = &disk;
    context.perfData = &perfData;
    context.memoryStatus = &memoryStatus;
    context.virtualMemory = &virtualMemory;
    context.urlCache = &urlCache;
    context.processes = &processes;
    openDialog.allowMultiSelect = true;

    frame.Create(kFrameWidth, kFrameHeight + 40);
    frame.report = &report;
    status.Create(frame.Handle(), 27, {150, 150, -1});
    memo.Create(frame.Handle(), {0, 0, 100, 100});
    memo.Show(false);
    host.Create(frame.Handle(), {0, 0, kFrameWidth, kFrameHeight});
    ui::SetExceptionHandler([this](const ui::Component* sender, const std::string& message) {
        errorLog.WriteErrorLog(sender, message);
    });
}

PageTest::~PageTest() {
    ui::SetExceptionHandler(nullptr);
    pages_.clear();
}

void PageTest::Host(std::unique_ptr<ui::Page> page) {
    ui::Page& p = *page;
    pages_.push_back(std::move(page));
    p.Create(host.Handle());
    host.AddPage(p);
    ui::Dispatch(&frame, [this] {
        settings.LoadCheckBoxes();
        settings.LoadRadioButtons();
    });
    host.ShowPage(p);
    host.GoLive();
}

void PageTest::ShowPageAgain() {
    if (pages_.size() < 2) {
        auto blank = std::make_unique<ui::Page>("TSBlank", "TSBlank");
        blank->Create(host.Handle());
        host.AddPage(*blank);
        pages_.push_back(std::move(blank));
    }
    host.ShowPage(*pages_[1]);
    host.ShowPage(*pages_[0]);
}

void PageTest::CloseWindow() {
    ui::Dispatch(&frame, [this] {
        settings.SaveCheckBoxes();
        settings.SaveRadioButtons();
    });
    pages_.clear();
    DestroyWindow(frame.Handle());
}

std::vector<std::string> PageTest::ReportLines() {
    std::vector<std::string> lines;
    const std::string text = report.Text();
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        // Drop the time of day and the four spaces after it.
        if (const auto gap = line.find("    "); gap != std::string::npos)
            line = line.substr(gap + 4);
        if (!line.empty()) lines.push_back(line);
        start = end + 2;
    }
    return lines;
}

}  // namespace testing_support
