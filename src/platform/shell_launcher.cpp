#include "platform/shell_launcher.h"

#include <windows.h>
#include <shellapi.h>

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

}  // namespace platform
