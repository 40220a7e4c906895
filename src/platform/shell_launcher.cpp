#include "platform/shell_launcher.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/handles.h"
#include "platform/text.h"

namespace platform {

bool Win32ShellLauncher::Execute(const std::string& verb, const std::string& file,
                                 const std::string& parameters, const std::string& directory,
                                 int show) {
    const std::wstring v = Widen(verb), f = Widen(file), p = Widen(parameters),
                       d = Widen(directory);
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, v.empty() ? nullptr : v.c_str(), f.c_str(),
                      p.empty() ? nullptr : p.c_str(), d.empty() ? nullptr : d.c_str(), show));
    return result > 32;
}

bool Win32ShellLauncher::RunCommandLine(const std::string& commandLine, int show) {
    // WinExec has no wide form; CreateProcess with the same window request is its wide twin.
    std::wstring line = Widen(commandLine);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = static_cast<WORD>(show);
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi))
        return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

bool Win32ShellLauncher::ShowProperties(const std::string& file, HWND owner) {
    const std::wstring f = Widen(file);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_INVOKEIDLIST | SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner;
    info.lpVerb = L"properties";
    info.lpFile = f.c_str();
    info.nShow = SW_HIDE;
    const bool accepted = ShellExecuteExW(&info) != FALSE;
    // The sheet runs in this process; a handle the shell still hands back is ours to close.
    const UniqueHandle started(info.hProcess);
    return accepted;
}

}  // namespace platform
