#include "platform/win32_bios_source.h"

#include <windows.h>
#include <winternl.h>

#include <algorithm>
#include <cstring>

#include "platform/handles.h"
#include "platform/text.h"

namespace platform {

namespace {

constexpr uintptr_t kAreaAddress = 0xF0000;
constexpr size_t kAreaSize = 0x10000;
constexpr LONG kStatusAccessDenied = static_cast<LONG>(0xC0000022);
constexpr ACCESS_MASK kSectionMapRead = 4;

using ZwOpenSectionFn = LONG(NTAPI*)(HANDLE*, ACCESS_MASK, OBJECT_ATTRIBUTES*);
using RtlNtStatusToDosErrorFn = ULONG(NTAPI*)(LONG);

struct NativeCalls {
    ZwOpenSectionFn openSection = nullptr;
    RtlNtStatusToDosErrorFn statusToError = nullptr;
};

// Looked up on the first use and kept for the life of the process. A missing module is not
// remembered, so a later call may still find it.
const NativeCalls* Native() {
    static NativeCalls calls;
    static bool found = false;
    if (found) return &calls;
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    if (!ntdll) return nullptr;
    calls.openSection = reinterpret_cast<ZwOpenSectionFn>(
        reinterpret_cast<void*>(GetProcAddress(ntdll, "ZwOpenSection")));
    calls.statusToError = reinterpret_cast<RtlNtStatusToDosErrorFn>(
        reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlNtStatusToDosError")));
    found = true;
    return &calls;
}

struct ViewUnmapper {
    void operator()(void* view) const {
        if (view) UnmapViewOfFile(view);
    }
};

}  // namespace

bool Win32BiosSource::Is95Family() const {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    return (GetVersion() & 0x80000000u) != 0;
#pragma GCC diagnostic pop
}

bool Win32BiosSource::CopyLinearArea(std::span<std::byte> area) const {
    std::memset(area.data(), 0, area.size());
    // A read through the process's own memory manager fails cleanly where a plain copy of an
    // unmapped address would fault.
    SIZE_T read = 0;
    const size_t size = std::min(area.size(), kAreaSize);
    return ReadProcessMemory(GetCurrentProcess(), reinterpret_cast<const void*>(kAreaAddress),
                             area.data(), size, &read) &&
           read == size;
}

SectionRead Win32BiosSource::ReadPhysicalSection(std::span<std::byte> area) const {
    const NativeCalls* native = Native();
    if (!native || !native->openSection || !native->statusToError) {
        ::SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return SectionRead::NotAvailable;
    }
    wchar_t name[] = L"\\Device\\PhysicalMemory";
    UNICODE_STRING objectName{};
    objectName.Buffer = name;
    objectName.Length = static_cast<USHORT>((std::size(name) - 1) * sizeof(wchar_t));
    objectName.MaximumLength = static_cast<USHORT>(std::size(name) * sizeof(wchar_t));
    OBJECT_ATTRIBUTES attributes{};
    attributes.Length = sizeof attributes;
    attributes.RootDirectory = nullptr;
    attributes.ObjectName = &objectName;
    attributes.Attributes = OBJ_CASE_INSENSITIVE;
    attributes.SecurityDescriptor = nullptr;
    attributes.SecurityQualityOfService = nullptr;

    HANDLE raw = nullptr;
    const LONG status = native->openSection(&raw, kSectionMapRead, &attributes);
    if (status == kStatusAccessDenied) return SectionRead::AccessDenied;
    if (status < 0) {
        ::SetLastError(native->statusToError(status));
        return SectionRead::Refused;
    }
    const UniqueHandle section(raw);
    const std::unique_ptr<void, ViewUnmapper> view(MapViewOfFile(
        section.get(), kSectionMapRead, 0, static_cast<DWORD>(kAreaAddress), kAreaSize));
    if (!view) return SectionRead::MapFailed;
    std::memset(area.data(), 0, area.size());
    std::memcpy(area.data(), view.get(), std::min(area.size(), kAreaSize));
    return SectionRead::Copied;
}

bool Win32BiosSource::RunCommandHidden(const std::string& program, const std::string& output,
                                       uint32_t timeoutMs) const {
    wchar_t comSpec[MAX_PATH + 1];
    const DWORD n = GetEnvironmentVariableW(L"ComSpec", comSpec, MAX_PATH + 1);
    if (n == 0 || n > MAX_PATH) return false;
    std::wstring commandLine =
        std::wstring(comSpec, n) + L" /C " + Widen(program) + L" > " + Widen(output);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION pi{};
    // Started suspended inside a job of its own, so that a program that never ends can be
    // ended with everything it started.
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE,
                        CREATE_NEW_CONSOLE | CREATE_NEW_PROCESS_GROUP | CREATE_SUSPENDED, nullptr,
                        nullptr, &startup, &pi))
        return false;
    const UniqueHandle process(pi.hProcess), thread(pi.hThread);
    UniqueHandle job(CreateJobObjectW(nullptr, nullptr));
    if (job) {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        if (!SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits,
                                     sizeof limits) ||
            !AssignProcessToJobObject(job.get(), process.get()))
            job.reset();
    }
    ResumeThread(thread.get());
    const DWORD wait =
        WaitForSingleObject(process.get(), timeoutMs == kNoTimeLimit ? INFINITE : timeoutMs);
    if (wait != WAIT_TIMEOUT) return true;
    if (job)
        TerminateJobObject(job.get(), 1);
    else
        TerminateProcess(process.get(), 1);
    // Let it go before the caller removes its files.
    WaitForSingleObject(process.get(), 2000);
    return false;
}

std::string Win32BiosSource::TempFolder() const {
    wchar_t buf[MAX_PATH + 1];
    const DWORD n = GetTempPathW(MAX_PATH + 1, buf);
    if (n == 0 || n > MAX_PATH) return {};
    return Narrow(std::wstring_view(buf, n));
}

void Win32BiosSource::SetLastError(uint32_t code) const {
    ::SetLastError(code);
}

}  // namespace platform
