// The junk scan as a user sees it: the real program (all pages created, the disk cleaner page
// visible on a display) is started as its own process; this process presses "Scan Now" and
// polls status panel 2 every 20 ms until it reads "Scan Finished", and compares that time with
// a bare FindFirstFileExW walk of the same drive.
//   Run: tools/bench scan_as_user_bench   (under Xvfb, in the display prefix)
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "disk/junk_types.h"
#include "platform/files.h"
#include "platform/handles.h"
#include "platform/text.h"
#include "bench_tree.h"

namespace {

using Clock = std::chrono::steady_clock;
using platform::Narrow;
using platform::Widen;

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

struct Found {
    DWORD pid;
    const wchar_t* text;
    const wchar_t* className;
    HWND hwnd;
};

BOOL CALLBACK FindChild(HWND hwnd, LPARAM lp) {
    auto& f = *reinterpret_cast<Found*>(lp);
    wchar_t buf[256] = {};
    if (f.className) {
        GetClassNameW(hwnd, buf, 256);
        if (_wcsicmp(buf, f.className) != 0) return TRUE;
    }
    if (f.text) {
        GetWindowTextW(hwnd, buf, 256);
        if (wcscmp(buf, f.text) != 0) return TRUE;
    }
    f.hwnd = hwnd;
    return FALSE;
}

BOOL CALLBACK FindTop(HWND hwnd, LPARAM lp) {
    auto& f = *reinterpret_cast<Found*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    wchar_t title[64] = {};
    GetWindowTextW(hwnd, title, 64);
    if (pid != f.pid || wcscmp(title, L"Veltrin") != 0 || !IsWindowVisible(hwnd)) return TRUE;
    f.hwnd = hwnd;
    return FALSE;
}

HWND Child(HWND top, const wchar_t* text, const wchar_t* className = nullptr) {
    Found f{0, text, className, nullptr};
    EnumChildWindows(top, FindChild, reinterpret_cast<LPARAM>(&f));
    return f.hwnd;
}

// A status panel of another process: the text travels through a buffer in that process.
class RemotePanel {
  public:
    RemotePanel(HANDLE process, HWND bar) : process_(process), bar_(bar) {
        buffer_ = VirtualAllocEx(process_, nullptr, kBytes, MEM_COMMIT, PAGE_READWRITE);
    }
    ~RemotePanel() { VirtualFreeEx(process_, buffer_, 0, MEM_RELEASE); }
    std::string Text(int panel) {
        std::vector<wchar_t> local(kBytes / sizeof(wchar_t), L'\0');
        WriteProcessMemory(process_, buffer_, local.data(), kBytes, nullptr);
        SendMessageW(bar_, SB_GETTEXTW, static_cast<WPARAM>(panel),
                     reinterpret_cast<LPARAM>(buffer_));
        ReadProcessMemory(process_, buffer_, local.data(), kBytes - sizeof(wchar_t), nullptr);
        return Narrow(local.data());
    }
    void SetText(int panel, const std::wstring& text) {
        WriteProcessMemory(process_, buffer_, text.c_str(), (text.size() + 1) * sizeof(wchar_t),
                           nullptr);
        SendMessageW(bar_, SB_SETTEXTW, static_cast<WPARAM>(panel),
                     reinterpret_cast<LPARAM>(buffer_));
    }

  private:
    static constexpr SIZE_T kBytes = 4096;
    HANDLE process_;
    HWND bar_;
    void* buffer_ = nullptr;
};

}  // namespace

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 2) {
        std::fprintf(stderr, "usage: scan_as_user_bench PATH\\Veltrin.exe\n");
        return 2;
    }
    const std::wstring exe = argv[1];
    const std::wstring programFolder = exe.substr(0, exe.find_last_of(L'\\'));

    const std::wstring base =
        Widen(platform::TempFolder()) + L"veltrin-bench-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(base.c_str(), nullptr);
    const int files = bench::MakeTree(base + L"\\tree");
    std::printf("tree: %d files\n", files);
    // One checked type, the working list of the installed program.
    platform::WriteWholeFile(Narrow(programFolder + L"\\JunkFileType.lst"),
                             disk::EncodeJunkTypeList({{"*.tmp", "Temporary files", true}}));

    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::wstring command = L"\"" + exe + L"\"";
    if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        programFolder.c_str(), &si, &pi)) {
        std::fprintf(stderr, "cannot start %s\n", Narrow(exe).c_str());
        return 1;
    }
    platform::UniqueHandle process(pi.hProcess), thread(pi.hThread);
    WaitForInputIdle(pi.hProcess, 20000);
    Found top{pi.dwProcessId, nullptr, nullptr, nullptr};
    for (int i = 0; i < 200 && !top.hwnd; ++i) {
        EnumWindows(FindTop, reinterpret_cast<LPARAM>(&top));
        if (!top.hwnd) Sleep(50);
    }
    if (!top.hwnd) {
        std::fprintf(stderr, "no main window\n");
        TerminateProcess(pi.hProcess, 1);
        return 1;
    }
    // To the disk cleaner page, as a user clicks there.
    SendMessageW(Child(top.hwnd, L"System Tools"), BM_CLICK, 0, 0);
    SendMessageW(Child(top.hwnd, L"Disk Cleaner"), BM_CLICK, 0, 0);
    const HWND scanNow = Child(top.hwnd, L"Scan Now");
    const HWND bar = Child(top.hwnd, nullptr, STATUSCLASSNAMEW);
    if (!scanNow || !bar) {
        std::fprintf(stderr, "no Scan Now button or status bar\n");
        TerminateProcess(pi.hProcess, 1);
        return 1;
    }
    RemotePanel panel(pi.hProcess, bar);
    Sleep(1000);

    double bestWalk = 1e9, bestScan = 1e9;
    bench::WalkCount walked;
    bool finished = true;
    for (int run = 0; run < 3 && finished; ++run) {
        walked = {};
        auto t = Clock::now();
        bench::BareWalk(L"C:\\", walked);
        bestWalk = std::min(bestWalk, Seconds(Clock::now() - t));

        panel.SetText(2, L"");
        t = Clock::now();
        PostMessageW(scanNow, BM_CLICK, 0, 0);
        finished = false;
        while (Seconds(Clock::now() - t) < 120) {
            Sleep(20);
            if (panel.Text(2) == "Scan Finished") {
                finished = true;
                break;
            }
        }
        bestScan = std::min(bestScan, Seconds(Clock::now() - t));
    }
    const std::string count = panel.Text(0);
    std::printf("drive C: %ld files, %ld of them *.tmp; panel 1 \"%s\"\n", walked.files,
                walked.junk, count.c_str());
    std::printf("bare walk           : %7.3f s  %9.0f files/s\n", bestWalk,
                walked.files / bestWalk);
    std::printf("Scan Now, as a user : %7.3f s  %9.0f files/s\n", bestScan,
                walked.files / bestScan);
    std::printf("ratio               : %.2f (target >= 0.80)\n", bestWalk / bestScan);

    PostMessageW(top.hwnd, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    bench::RemoveTree(base);
    DeleteFileW((programFolder + L"\\JunkFileType.lst").c_str());
    return finished && count == std::to_string(walked.junk) + "  Junk Files" ? 0 : 1;
}
