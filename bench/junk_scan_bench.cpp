// The junk walk against a bare walk of the same drive, without any window. Builds a synthetic
// tree of 100,000 files in 1,000 folders (1 % of them "*.tmp") under the temporary folder, then
// times
//   (a) a bare FindFirstFileExW walk (basic information, large fetch) of drive C, and
//   (b) the scan's walk (WalkJunkFiles) over drive C, paced by the paced loop exactly as the
//       disk cleaner page paces it, with one checked type, and with 158,000 checked types,
// and prints files per second, the ratios, the longest time a pending message waited during the
// walk and how long a stop takes to end it.
//   Run: tools/bench junk_scan_bench
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench_tree.h"
#include "disk/junk_match.h"
#include "disk/junk_walk.h"
#include "platform/files.h"
#include "platform/handles.h"
#include "platform/text.h"
#include "ui/paced_loop.h"

namespace {

using Clock = std::chrono::steady_clock;
using platform::Widen;

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// How long a pending message waits while the scan runs: a helper thread posts a message to a
// window of the UI thread every millisecond, stamped with the time it was posted; the window
// notes the longest wait, and presses "Stop" once its time has come.
struct Probe {
    bool armed = false;
    Clock::time_point since{};  // messages posted before the scan waited for the bare walk
    Clock::duration longest{};
    Clock::time_point stopAt{}, stoppedAt{};
    long waits = 0, late = 0;  // handled, and of those waited more than 20 ms
    // The first pump of a scan paints the result tab it has just brought to the front.
    Clock::time_point firstHandled{};
    Clock::duration longestAfterFirst{};
    bool* running = nullptr;
};
Probe probe;
constexpr UINT kProbeMessage = WM_APP + 7;

LRESULT CALLBACK ProbeProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg != kProbeMessage) return DefWindowProcW(hwnd, msg, wp, lp);
    const auto now = Clock::now();
    const Clock::time_point posted(Clock::duration(static_cast<Clock::rep>(lp)));
    if (!probe.armed || posted < probe.since) return 0;
    probe.longest = std::max(probe.longest, now - posted);
    ++probe.waits;
    if (probe.firstHandled == Clock::time_point{}) probe.firstHandled = now;
    if (posted > probe.firstHandled)
        probe.longestAfterFirst = std::max(probe.longestAfterFirst, now - posted);
    if (now - posted > std::chrono::milliseconds(20)) ++probe.late;
    if (probe.stopAt != Clock::time_point{} && probe.stoppedAt == Clock::time_point{} &&
        now >= probe.stopAt) {
        probe.stoppedAt = now;
        *probe.running = false;
    }
    return 0;
}

struct Poster {
    HWND target;
    volatile bool running = true;
};

DWORD WINAPI PostEveryMillisecond(void* arg) {
    auto* p = static_cast<Poster*>(arg);
    while (p->running) {
        PostMessageW(p->target, kProbeMessage, 0,
                     static_cast<LPARAM>(Clock::now().time_since_epoch().count()));
        Sleep(1);
    }
    return 0;
}

}  // namespace

// The scan's walk over drive C with the given types, paced as the page paces it; the number of
// finds. `running` is the continue flag a probe may clear.
long PacedWalk(const disk::JunkExtensionTable& types, bool& running) {
    ui::PacedLoop loop(nullptr, nullptr);
    long finds = 0;
    double bytes = 0;
    std::wstring current;
    disk::JunkWalkEvents events;
    events.onFile = [&](std::wstring_view folder, const WIN32_FIND_DATAW& entry) {
        current.assign(folder).append(entry.cFileName);
    };
    events.onFind = [&](std::wstring_view, const WIN32_FIND_DATAW& entry) {
        ++finds;
        loop.Tick();
        loop.SetPanel(0, std::to_string(finds) + "  Junk Files");
        bytes += entry.nFileSizeLow;
    };
    events.onTick = [&] {
        loop.Tick();
        return running;
    };
    loop.Due();
    disk::WalkJunkFiles(L"*.*", L"C:\\", true, types, events);
    loop.Flush();
    return finds;
}

int main() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);

    const std::wstring base =
        Widen(platform::TempFolder()) + L"veltrin-bench-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(base.c_str(), nullptr);
    const auto made = Clock::now();
    const int files = bench::MakeTree(base + L"\\tree");
    std::printf("tree: %d files in %d folders, made in %.1f s\n", files,
                bench::kGroups * bench::kFoldersPerGroup + bench::kGroups,
                Seconds(Clock::now() - made));

    disk::JunkExtensionTable one, many;
    one.Add(L"*.tmp");
    // A list file of 10 MB holds about 158,000 records: every one a different extension but one.
    many.Add(L"*.tmp");
    for (int i = 1; i < 158000; ++i)
        many.Add(L"*.x" + std::to_wstring(i));

    WNDCLASSW wc{};
    wc.lpfnWndProc = ProbeProc;
    wc.lpszClassName = L"VeltrinBenchProbe";
    RegisterClassW(&wc);
    Poster poster{CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  nullptr, nullptr)};
    platform::UniqueHandle thread(
        CreateThread(nullptr, 0, PostEveryMillisecond, &poster, 0, nullptr));

    double bestWalk = 1e9, bestScan = 1e9, bestMany = 1e9;
    bench::WalkCount walked;
    Clock::duration longest{};
    long waits = 0, late = 0, finds = 0, manyFinds = 0;
    bool running = true;
    for (int run = 0; run < 3; ++run) {
        walked = {};
        auto t = Clock::now();
        bench::BareWalk(L"C:\\", walked);
        bestWalk = std::min(bestWalk, Seconds(Clock::now() - t));

        probe = Probe{true, Clock::now(), {}, {}, {}, 0, 0, {}, {}, &running};
        t = Clock::now();
        finds = PacedWalk(one, running);
        bestScan = std::min(bestScan, Seconds(Clock::now() - t));
        probe.armed = false;
        longest = std::max(longest, probe.longest);
        waits += probe.waits;
        late += probe.late;

        t = Clock::now();
        manyFinds = PacedWalk(many, running);
        bestMany = std::min(bestMany, Seconds(Clock::now() - t));
    }
    const bool exact = finds == walked.junk && manyFinds == walked.junk;

    // A stop a quarter into a walk: how long until the walk returns.
    const auto quarter =
        std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(bestScan / 4));
    probe = Probe{true, Clock::now(), {}, Clock::now() + quarter, {}, 0, 0, {}, {}, &running};
    PacedWalk(one, running);
    const auto stopLatency = Clock::now() - probe.stoppedAt;
    probe.armed = false;

    std::printf("drive C: %ld files, %ld of them *.tmp\n", walked.files, walked.junk);
    std::printf("bare walk            : %7.3f s  %9.0f files/s\n", bestWalk,
                walked.files / bestWalk);
    std::printf("junk walk, 1 type    : %7.3f s  %9.0f files/s  ratio %.2f\n", bestScan,
                walked.files / bestScan, bestWalk / bestScan);
    std::printf("junk walk, 158k types: %7.3f s  %9.0f files/s  %.2f times the one-type walk\n",
                bestMany, walked.files / bestMany, bestMany / bestScan);
    const auto ms = [](Clock::duration d) {
        return std::chrono::duration<double, std::milli>(d).count();
    };
    std::printf("longest wait of a pending message: %.1f ms; %ld of %ld waited more than 20 ms\n",
                ms(longest), late, waits);
    std::printf("stop mid-walk: the walk returned %.1f ms later\n", ms(stopLatency));
    std::printf("finds exact: %s\n", exact ? "yes" : "NO");

    poster.running = false;
    WaitForSingleObject(thread.get(), INFINITE);
    bench::RemoveTree(base);
    return exact ? 0 : 1;
}
