#pragma once
// A process table held in memory, for the process list without the real one. Header only, so
// the benchmarks can use it too.
#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/process_queries.h"

namespace testing_support {

class FakeProcessQueries : public platform::ProcessQueries {
  public:
    struct LoadedModule {
        uint64_t handle = 0;
        std::string path;  // empty: the name cannot be read
        std::optional<platform::ModuleInformation> info;
    };
    struct Process {
        platform::ProcessSnapshotEntry entry;
        bool openable = true;       // false: denied, or ended since the snapshot
        uint32_t deniedAccess = 0;  // an open asking for any of these rights is refused
        std::string path;           // the executable's file name; empty: cannot be read
        uint32_t priority = 32;
        std::optional<platform::ProcessMemoryCounters> counters;  // nullopt: the query fails
        std::vector<LoadedModule> modules;  // the executable first, as the platform lists them
        bool modulesListable = true;
        bool terminable = true;
    };
    struct OpenCall {
        uint32_t processId, access;
        bool inheritable;
    };

    std::vector<Process> processes;  // in snapshot order
    bool snapshotAvailable = true;
    platform::PrivilegeStage privilege = platform::PrivilegeStage::kEnabled;

    std::vector<OpenCall> opens;
    std::vector<uint32_t> terminated;
    int snapshots = 0;
    int privilegeRequests = 0;
    int openHandles = 0;  // opened and not yet closed

    Process& Add(uint32_t processId, std::string exeFile, std::string path = {}) {
        Process p;
        p.entry.processId = processId;
        p.entry.exeFile = std::move(exeFile);
        p.path = std::move(path);
        processes.push_back(std::move(p));
        return processes.back();
    }
    Process* Find(uint32_t processId) {
        const auto it = std::find_if(processes.begin(), processes.end(), [&](const Process& p) {
            return p.entry.processId == processId;
        });
        return it == processes.end() ? nullptr : &*it;
    }

    bool WalkSnapshot(
        const std::function<void(const platform::ProcessSnapshotEntry&)>& visit) override {
        if (!snapshotAvailable) return false;
        ++snapshots;
        // A picture of the moment: what happens to the table during the walk does not show.
        std::vector<platform::ProcessSnapshotEntry> picture;
        for (const Process& p : processes)
            picture.push_back(p.entry);
        for (const auto& entry : picture)
            visit(entry);
        return true;
    }

    std::unique_ptr<platform::OpenedProcess> Open(uint32_t processId, uint32_t access,
                                                  bool inheritable) override {
        opens.push_back({processId, access, inheritable});
        const Process* p = Find(processId);
        // The idle process can never be opened.
        if (processId == 0 || !p || !p->openable || (access & p->deniedAccess)) return nullptr;
        return std::make_unique<Opened>(*this, processId);
    }

    platform::PrivilegeStage EnableDebugPrivilege() override {
        ++privilegeRequests;
        return privilege;
    }

  private:
    class Opened final : public platform::OpenedProcess {
      public:
        Opened(FakeProcessQueries& table, uint32_t processId)
            : table_(table), processId_(processId) {
            ++table_.openHandles;
        }
        ~Opened() override { --table_.openHandles; }

        std::string ModuleFileName(uint64_t module) override {
            const Process* p = table_.Find(processId_);
            if (!p) return {};
            if (module == 0) return p->path;
            const LoadedModule* m = FindModule(*p, module);
            return m ? m->path : std::string();
        }
        uint32_t PriorityClass() override {
            const Process* p = table_.Find(processId_);
            return p ? p->priority : 0;
        }
        std::optional<platform::ProcessMemoryCounters> MemoryCounters() override {
            const Process* p = table_.Find(processId_);
            return p ? p->counters : std::nullopt;
        }
        std::optional<size_t> ModuleHandles(std::span<uint64_t> modules) override {
            const Process* p = table_.Find(processId_);
            if (!p || !p->modulesListable) return std::nullopt;
            for (size_t i = 0; i < p->modules.size() && i < modules.size(); ++i)
                modules[i] = p->modules[i].handle;
            return p->modules.size();
        }
        std::optional<platform::ModuleInformation> Module(uint64_t module) override {
            const Process* p = table_.Find(processId_);
            const LoadedModule* m = p ? FindModule(*p, module) : nullptr;
            return m ? m->info : std::nullopt;
        }
        bool Terminate(uint32_t) override {
            const Process* p = table_.Find(processId_);
            if (!p || !p->terminable) return false;
            table_.terminated.push_back(processId_);
            std::erase_if(table_.processes,
                          [&](const Process& q) { return q.entry.processId == processId_; });
            return true;
        }

      private:
        static const LoadedModule* FindModule(const Process& p, uint64_t handle) {
            for (const auto& m : p.modules)
                if (m.handle == handle) return &m;
            return nullptr;
        }
        FakeProcessQueries& table_;
        uint32_t processId_;
    };
};

}  // namespace testing_support
