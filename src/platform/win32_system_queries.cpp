#include "platform/win32_system_queries.h"

#include <windows.h>
#include <intrin.h>

#include <string>

#include "platform/text.h"

namespace platform {

namespace {

std::string NarrowUpToNul(const wchar_t* text, size_t capacity) {
    size_t n = 0;
    while (n < capacity && text[n] != L'\0')
        ++n;
    return Narrow(std::wstring_view(text, n));
}

// Calls that take a buffer and its size in characters, and on a short buffer report the size
// they need: the buffer grows until the whole text fits.
template <typename Call>
std::optional<std::string> GrowingText(Call call) {
    std::wstring buf(MAX_PATH + 1, L'\0');
    for (int round = 0; round < 8; ++round) {
        DWORD size = static_cast<DWORD>(buf.size());
        const std::optional<DWORD> got = call(buf.data(), size);
        if (!got) {
            if (size <= buf.size()) size = static_cast<DWORD>(buf.size() * 2);
            buf.assign(size + 1, L'\0');
            continue;
        }
        if (*got == 0) return std::nullopt;
        return Narrow(std::wstring_view(buf.data(), std::min<size_t>(*got, buf.size())));
    }
    return std::nullopt;
}

// GetWindowsDirectory and its kin return the length written, or the size needed when the
// buffer is short, or 0 on failure.
template <typename F>
std::optional<std::string> FolderText(F f) {
    return GrowingText([&](wchar_t* buf, DWORD& size) -> std::optional<DWORD> {
        const DWORD n = f(buf, size);
        if (n >= size) {
            size = n;
            return std::nullopt;
        }
        return n;
    });
}

std::optional<std::string> ComputerName() {
    return GrowingText([](wchar_t* buf, DWORD& size) -> std::optional<DWORD> {
        DWORD n = size;
        if (GetComputerNameW(buf, &n)) return n;
        if (GetLastError() != ERROR_BUFFER_OVERFLOW) return 0;
        size = n;
        return std::nullopt;
    });
}

std::optional<std::string> UserName() {
    return GrowingText([](wchar_t* buf, DWORD& size) -> std::optional<DWORD> {
        DWORD n = size;
        // The count it gives back includes the terminating NUL.
        if (GetUserNameW(buf, &n)) return n > 0 ? n - 1 : 0;
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return 0;
        size = n;
        return std::nullopt;
    });
}

uint16_t NativeMachine() {
    using IsWow64Process2Fn = BOOL(WINAPI*)(HANDLE, USHORT*, USHORT*);
    static const auto fn = reinterpret_cast<IsWow64Process2Fn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "IsWow64Process2")));
    USHORT process = 0, native = 0;
    if (!fn || !fn(GetCurrentProcess(), &process, &native)) return 0;
    return native;
}

}  // namespace

VersionRecord Win32SystemQueries::Version() const {
    OSVERSIONINFOW v{};
    v.dwOSVersionInfoSize = sizeof v;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    // The version the platform chooses to tell this program is the one to show.
    if (!GetVersionExW(&v)) return {};
#pragma GCC diagnostic pop
    return {v.dwMajorVersion, v.dwMinorVersion, v.dwBuildNumber, v.dwPlatformId,
            NarrowUpToNul(v.szCSDVersion, std::size(v.szCSDVersion))};
}

SystemInfoRecord Win32SystemQueries::SystemInfo() const {
    SYSTEM_INFO si{};
    GetSystemInfo(&si);
    return {si.dwNumberOfProcessors, si.dwProcessorType, NativeMachine()};
}

std::optional<int32_t> Win32SystemQueries::CurrentDisplayFrequency() const {
    DEVMODEW mode{};
    mode.dmSize = sizeof mode;
    mode.dmDriverExtra = 0;
    if (!EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &mode)) return std::nullopt;
    return static_cast<int32_t>(mode.dmDisplayFrequency);
}

std::optional<DisplayDeviceRecord> Win32SystemQueries::DisplayDevice(uint32_t index) const {
    DISPLAY_DEVICEW d{};
    d.cb = sizeof d;
    if (!EnumDisplayDevicesW(nullptr, index, &d, 0)) return std::nullopt;
    return DisplayDeviceRecord{NarrowUpToNul(d.DeviceName, std::size(d.DeviceName)),
                               NarrowUpToNul(d.DeviceString, std::size(d.DeviceString))};
}

std::optional<MemoryStatusRecord> Win32SystemQueries::MemoryStatus() const {
    MEMORYSTATUSEX m{};
    m.dwLength = sizeof m;
    if (!GlobalMemoryStatusEx(&m)) return std::nullopt;
    return MemoryStatusRecord{m.dwMemoryLoad,     m.ullTotalPhys,     m.ullAvailPhys,
                              m.ullTotalPageFile, m.ullAvailPageFile, m.ullTotalVirtual,
                              m.ullAvailVirtual};
}

std::optional<std::string> Win32SystemQueries::Text(SystemText which) const {
    switch (which) {
        case SystemText::ComputerName:
            return ComputerName();
        case SystemText::UserName:
            return UserName();
        case SystemText::WindowsFolder:
            return FolderText([](wchar_t* b, DWORD n) { return GetWindowsDirectoryW(b, n); });
        case SystemText::SystemFolder:
            return FolderText([](wchar_t* b, DWORD n) { return GetSystemDirectoryW(b, n); });
        case SystemText::TempFolder:
            return FolderText([](wchar_t* b, DWORD n) { return GetTempPathW(n, b); });
    }
    return std::nullopt;
}

uint64_t Win32SystemQueries::TimeStampCounter() const {
    return __rdtsc();
}

void Win32SystemQueries::Sleep(uint32_t milliseconds) const {
    ::Sleep(milliseconds);
}

uint32_t Win32SystemQueries::ProcessPriorityClass() const {
    return GetPriorityClass(GetCurrentProcess());
}

void Win32SystemQueries::SetProcessPriorityClass(uint32_t priorityClass) const {
    ::SetPriorityClass(GetCurrentProcess(), priorityClass);
}

int Win32SystemQueries::ThreadPriority() const {
    return GetThreadPriority(GetCurrentThread());
}

void Win32SystemQueries::SetThreadPriority(int priority) const {
    ::SetThreadPriority(GetCurrentThread(), priority);
}

}  // namespace platform
