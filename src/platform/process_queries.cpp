#include "platform/process_queries.h"

#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <algorithm>
#include <array>
#include <vector>

#include "platform/handles.h"
#include "platform/text.h"
#include "platform/vm_counters.h"

namespace platform {
namespace {

// Only the process entries are read: heap lists, threads and modules would be gathered for
// nothing, at a cost that grows with every thread of the system.
constexpr DWORD kSnapshotProcesses = TH32CS_SNAPPROCESS;
constexpr DWORD kTokenAccess = TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY | STANDARD_RIGHTS_READ;
constexpr auto kProcessVmCounters = static_cast<PROCESSINFOCLASS>(3);
// Long paths ("\\?\" names) reach this many characters.
constexpr DWORD kLongestPath = 32768;

HMODULE AsModule(uint64_t module) {
    return reinterpret_cast<HMODULE>(static_cast<uintptr_t>(module));
}

uint64_t AsNumber(const void* address) {
    return reinterpret_cast<uintptr_t>(address);
}

class Win32OpenedProcess final : public OpenedProcess {
  public:
    explicit Win32OpenedProcess(UniqueHandle process) : process_(std::move(process)) {}

    std::string ModuleFileName(uint64_t module) override {
        // Most paths fit the first buffer; a longer one is read again in full, never cut.
        for (DWORD size = MAX_PATH + 1;; size = kLongestPath) {
            std::wstring name(size, L'\0');
            const DWORD length =
                GetModuleFileNameExW(process_.get(), AsModule(module), name.data(), size);
            if (length == 0) return {};
            if (length < size - 1 || size == kLongestPath) {
                name.resize(length);
                return Narrow(name);
            }
        }
    }

    uint32_t PriorityClass() override { return GetPriorityClass(process_.get()); }

    std::optional<ProcessMemoryCounters> MemoryCounters() override {
        std::array<std::byte, VmCountersLength(sizeof(void*))> record{};
        ULONG returned = 0;
        const NTSTATUS status = NtQueryInformationProcess(process_.get(), kProcessVmCounters,
                                                          record.data(), record.size(), &returned);
        if (status < 0) return std::nullopt;
        return ParseVmCounters(std::span(record).first(std::min<size_t>(returned, record.size())),
                               sizeof(void*));
    }

    std::optional<size_t> ModuleHandles(std::span<uint64_t> modules) override {
        std::vector<HMODULE> handles(modules.size());
        DWORD needed = 0;
        if (!EnumProcessModules(process_.get(), handles.data(),
                                static_cast<DWORD>(handles.size() * sizeof(HMODULE)), &needed))
            return std::nullopt;
        const size_t count = needed / sizeof(HMODULE);
        for (size_t i = 0; i < count && i < modules.size(); ++i)
            modules[i] = AsNumber(handles[i]);
        return count;
    }

    std::optional<ModuleInformation> Module(uint64_t module) override {
        MODULEINFO info{};
        if (!GetModuleInformation(process_.get(), AsModule(module), &info, sizeof info))
            return std::nullopt;
        return ModuleInformation{AsNumber(info.lpBaseOfDll), info.SizeOfImage,
                                 AsNumber(info.EntryPoint)};
    }

    bool Terminate(uint32_t exitCode) override {
        return TerminateProcess(process_.get(), exitCode) != FALSE;
    }

  private:
    UniqueHandle process_;
};

}  // namespace

bool Win32ProcessQueries::WalkSnapshot(
    const std::function<void(const ProcessSnapshotEntry&)>& visit) {
    const UniqueHandle snapshot = AdoptFile(CreateToolhelp32Snapshot(kSnapshotProcesses, 0));
    if (!snapshot) return false;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    // A fresh snapshot answers its first process to a "next" request as well.
    while (Process32NextW(snapshot.get(), &entry)) {
        ProcessSnapshotEntry row;
        row.processId = entry.th32ProcessID;
        row.parentProcessId = entry.th32ParentProcessID;
        row.threadCount = entry.cntThreads;
        row.moduleId = entry.th32ModuleID;
        row.exeFile = Narrow(entry.szExeFile);
        visit(row);
        entry.dwSize = sizeof entry;
    }
    return true;
}

std::unique_ptr<OpenedProcess> Win32ProcessQueries::Open(uint32_t processId, uint32_t access,
                                                         bool inheritable) {
    UniqueHandle process(OpenProcess(access, inheritable ? TRUE : FALSE, processId));
    if (!process) return nullptr;
    return std::make_unique<Win32OpenedProcess>(std::move(process));
}

PrivilegeStage Win32ProcessQueries::EnableDebugPrivilege() {
    HANDLE rawToken = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), kTokenAccess, &rawToken))
        return PrivilegeStage::kTokenNotOpened;
    const UniqueHandle token(rawToken);
    LUID debug{};
    if (!LookupPrivilegeValueW(nullptr, L"SeDebugPrivilege", &debug))
        return PrivilegeStage::kNameNotFound;
    TOKEN_PRIVILEGES wanted{};
    wanted.PrivilegeCount = 1;
    wanted.Privileges[0].Luid = debug;
    wanted.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    TOKEN_PRIVILEGES previous{};
    DWORD previousLength = 0;
    SetLastError(ERROR_SUCCESS);
    AdjustTokenPrivileges(token.get(), FALSE, &wanted, sizeof previous, &previous, &previousLength);
    // Success with ERROR_NOT_ALL_ASSIGNED means the account lacks the right.
    return GetLastError() == ERROR_SUCCESS ? PrivilegeStage::kEnabled
                                           : PrivilegeStage::kNotAdjusted;
}

}  // namespace platform
