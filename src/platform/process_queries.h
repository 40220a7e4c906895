#pragma once
// The process table: the snapshot walk, opened processes and the debug privilege.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "platform/vm_counters.h"

namespace platform {

// Access rights for Open, with the values OpenProcess takes.
inline constexpr uint32_t kProcessTerminate = 0x0001;
inline constexpr uint32_t kProcessVmRead = 0x0010;
inline constexpr uint32_t kProcessQueryInformation = 0x0400;

// One process of a snapshot.
struct ProcessSnapshotEntry {
    uint32_t processId = 0;
    uint32_t parentProcessId = 0;
    uint32_t threadCount = 0;
    uint32_t moduleId = 0;  // the module handle the snapshot names for the executable
    std::string exeFile;    // the executable's name as the snapshot gives it
};

struct ModuleInformation {
    uint64_t baseOfDll = 0;
    uint32_t sizeOfImage = 0;
    uint64_t entryPoint = 0;
};

// An open process handle; destroying it closes the handle.
class OpenedProcess {
  public:
    virtual ~OpenedProcess() = default;
    // The file name of one of its modules (module 0: its executable); empty when unreadable.
    virtual std::string ModuleFileName(uint64_t module) = 0;
    // Its priority class; 0 when it cannot be read.
    virtual uint32_t PriorityClass() = 0;
    virtual std::optional<ProcessMemoryCounters> MemoryCounters() = 0;
    // Fills `modules` with as many module handles as fit and returns how many the process has
    // (which may be more); nullopt when the modules cannot be listed.
    virtual std::optional<size_t> ModuleHandles(std::span<uint64_t> modules) = 0;
    virtual std::optional<ModuleInformation> Module(uint64_t module) = 0;
    virtual bool Terminate(uint32_t exitCode) = 0;
};

// How far enabling the debug privilege got.
enum class PrivilegeStage {
    kEnabled,
    kTokenNotOpened,
    kNameNotFound,
    kNotAdjusted,  // the adjustment failed or did not assign the privilege
};

class ProcessQueries {
  public:
    virtual ~ProcessQueries() = default;
    // Takes a snapshot of the whole system and hands each process to `visit` in the snapshot's
    // order; false when no snapshot could be taken.
    virtual bool WalkSnapshot(const std::function<void(const ProcessSnapshotEntry&)>& visit) = 0;
    // nullptr when the process cannot be opened with that access (denied, gone, the idle one).
    virtual std::unique_ptr<OpenedProcess> Open(uint32_t processId, uint32_t access,
                                                bool inheritable) = 0;
    // Enables "SeDebugPrivilege" in the program's own access token.
    virtual PrivilegeStage EnableDebugPrivilege() = 0;
};

class Win32ProcessQueries final : public ProcessQueries {
  public:
    bool WalkSnapshot(const std::function<void(const ProcessSnapshotEntry&)>& visit) override;
    std::unique_ptr<OpenedProcess> Open(uint32_t processId, uint32_t access,
                                        bool inheritable) override;
    PrivilegeStage EnableDebugPrivilege() override;
};

}  // namespace platform
