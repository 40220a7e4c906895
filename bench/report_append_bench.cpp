// What one report line costs while the report grows to 100,000 lines, with the report page
// hidden (the usual case: a tool's own page is showing) and visible. Messages are pumped on a
// time slice, as a long tool loop pumps them, so the gathered lines reach the memo as they would
// in use. Prints the mean cost of an append per block of 10,000 lines; a cost that grows with the
// length of the report shows up as rising blocks.
#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <cstdio>

#include "services/report_log.h"
#include "platform/clock.h"
#include "ui/controls.h"
#include "ui/paced_loop.h"
#include "ui/window.h"

namespace {

double Micros(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - since)
        .count();
}

// A parent that passes the report's flush message on, as the report page does.
class Host : public ui::Window {
  public:
    Host() : Window("Host") {
        CreateWindowOf(L"", WS_POPUP | WS_VISIBLE, 0, 0, 0, 600, 500, nullptr);
    }
    services::Report* report = nullptr;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == services::Report::kFlushMessage && report) report->Flush();
        return Window::HandleMessage(msg, wp, lp);
    }
};

void Run(bool visible) {
    Host host;
    ui::Memo memo("MMReport");
    memo.Create(host.Handle(), {0, 0, 600, 500});
    memo.Show(visible);
    platform::SystemClock clock;
    services::Report report(memo, clock);
    host.report = &report;
    ui::PacedLoop pump(host.Handle(), nullptr);

    constexpr int kBlock = 10000, kBlocks = 10;
    std::printf("\nreport page %s\nlines      mean append (us)\n", visible ? "visible" : "hidden");
    for (int block = 0; block < kBlocks; ++block) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < kBlock; ++i) {
            report.AddReportLine("C:\\Windows\\Temp\\~DF" + std::to_string(block * kBlock + i) +
                                 ".tmp deleted!");
            pump.Tick();
        }
        std::printf("%6d     %8.1f\n", (block + 1) * kBlock, Micros(start) / kBlock);
    }
    const auto start = std::chrono::steady_clock::now();
    const size_t length = report.Text().size();
    std::printf("showing the whole report (%zu bytes): %.0f ms\n", length, Micros(start) / 1000);
}

}  // namespace

int main() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    Run(false);
    Run(true);
    return 0;
}
