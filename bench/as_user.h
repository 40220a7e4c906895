#pragma once
// Driving the installed program from another process, as a user would: start it, find its
// windows by caption or class, read its status panels and lists, and watch how long it takes
// to answer while it works. Used by the *_as_user_bench programs (run under Xvfb).
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>
#include <shellapi.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "platform/handles.h"
#include "platform/text.h"

namespace bench {

using Clock = std::chrono::steady_clock;

inline double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

inline double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

namespace detail {

struct Found {
    DWORD pid;
    const wchar_t* text;
    const wchar_t* className;
    HWND hwnd;
};

// Whether the window has the class and caption asked for (either may be left out).
inline bool Matches(HWND hwnd, const Found& f) {
    wchar_t buf[256] = {};
    if (f.className) {
        GetClassNameW(hwnd, buf, 256);
        if (_wcsicmp(buf, f.className) != 0) return false;
    }
    if (f.text) {
        GetWindowTextW(hwnd, buf, 256);
        if (wcscmp(buf, f.text) != 0) return false;
    }
    return true;
}

inline BOOL CALLBACK FindChild(HWND hwnd, LPARAM lp) {
    auto& f = *reinterpret_cast<Found*>(lp);
    if (!Matches(hwnd, f)) return TRUE;
    f.hwnd = hwnd;
    return FALSE;
}

inline BOOL CALLBACK FindTop(HWND hwnd, LPARAM lp) {
    auto& f = *reinterpret_cast<Found*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != f.pid || !IsWindowVisible(hwnd) || !Matches(hwnd, f)) return TRUE;
    f.hwnd = hwnd;
    return FALSE;
}

}  // namespace detail

// The first descendant of `top` with this caption (and class, when given).
inline HWND Child(HWND top, const wchar_t* text, const wchar_t* className = nullptr) {
    detail::Found f{0, text, className, nullptr};
    EnumChildWindows(top, detail::FindChild, reinterpret_cast<LPARAM>(&f));
    return f.hwnd;
}

// The list view on the same page as the button with this caption; null when there is none.
inline HWND ListBeside(HWND top, const wchar_t* button) {
    const HWND found = Child(top, button);
    return found ? Child(GetParent(found), nullptr, WC_LISTVIEWW) : nullptr;
}

inline int RowCount(HWND list) {
    return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
}

// A visible top-level window of process `pid` with this caption and/or class.
inline HWND TopWindow(DWORD pid, const wchar_t* text, const wchar_t* className = nullptr) {
    detail::Found f{pid, text, className, nullptr};
    EnumWindows(detail::FindTop, reinterpret_cast<LPARAM>(&f));
    return f.hwnd;
}

// The running program: its process and its main window.
struct Program {
    platform::UniqueHandle process, thread;
    DWORD pid = 0;
    HWND main = nullptr;

    // Closes the window and waits for the process, ending it if it does not go.
    void Close() {
        if (!process) return;
        if (main) PostMessageW(main, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process.get(), 10000) != WAIT_OBJECT_0)
            TerminateProcess(process.get(), 1);
        process.reset();
    }
    ~Program() { Close(); }
};

// Starts `exe` in its own folder and waits for its main window; false when it did not come.
inline bool StartProgram(const std::wstring& exe, Program& program) {
    const std::wstring folder = exe.substr(0, exe.find_last_of(L'\\'));
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::wstring command = L"\"" + exe + L"\"";
    if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &si, &pi)) {
        std::fprintf(stderr, "cannot start %s\n", platform::Narrow(exe).c_str());
        return false;
    }
    program.process.reset(pi.hProcess);
    program.thread.reset(pi.hThread);
    program.pid = pi.dwProcessId;
    WaitForInputIdle(pi.hProcess, 20000);
    for (int i = 0; i < 400 && !program.main; ++i) {
        program.main = TopWindow(pi.dwProcessId, L"Veltrin");
        if (!program.main) Sleep(50);
    }
    if (!program.main) std::fprintf(stderr, "no main window\n");
    return program.main != nullptr;
}

// The program's own path, from the bench's command line.
inline std::wstring ProgramArgument(const char* benchName) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 2) {
        std::fprintf(stderr, "usage: %s PATH\\Veltrin.exe\n", benchName);
        return {};
    }
    std::wstring exe = argv[1];
    LocalFree(argv);
    return exe;
}

// Committed memory of another process.
inline double CommittedMegabytes(HANDLE process) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, &counters, sizeof counters)) return -1;
    return static_cast<double>(counters.PagefileUsage) / (1024.0 * 1024.0);
}

// A status panel of another process: the text travels through a buffer in that process.
class RemotePanel {
  public:
    RemotePanel(HANDLE process, HWND bar) : process_(process), bar_(bar) {
        buffer_ = VirtualAllocEx(process_, nullptr, kBytes, MEM_COMMIT, PAGE_READWRITE);
    }
    ~RemotePanel() { VirtualFreeEx(process_, buffer_, 0, MEM_RELEASE); }
    RemotePanel(const RemotePanel&) = delete;
    RemotePanel& operator=(const RemotePanel&) = delete;
    std::string Text(int panel) {
        std::vector<wchar_t> local(kBytes / sizeof(wchar_t), L'\0');
        WriteProcessMemory(process_, buffer_, local.data(), kBytes, nullptr);
        SendMessageW(bar_, SB_GETTEXTW, static_cast<WPARAM>(panel),
                     reinterpret_cast<LPARAM>(buffer_));
        ReadProcessMemory(process_, buffer_, local.data(), kBytes - sizeof(wchar_t), nullptr);
        return platform::Narrow(local.data());
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

// While it lives, a thread asks `window` every 10 ms for an answer (WM_NULL, as Windows does
// to decide that a window hangs) and keeps the longest wait: how frozen the window was.
class AnswerWatch {
  public:
    explicit AnswerWatch(HWND window)
        : thread_([this, window] {
              while (!stop_) {
                  const auto t = Clock::now();
                  DWORD_PTR result = 0;
                  SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &result);
                  longest_ = std::max(longest_.load(), Milliseconds(Clock::now() - t));
                  Sleep(10);
              }
          }) {}
    ~AnswerWatch() { Stop(); }
    AnswerWatch(const AnswerWatch&) = delete;
    AnswerWatch& operator=(const AnswerWatch&) = delete;
    // The longest wait in milliseconds, once the watch has ended.
    double Stop() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
        return longest_;
    }

  private:
    std::atomic<bool> stop_{false};
    std::atomic<double> longest_{0};
    std::thread thread_;
};

}  // namespace bench
