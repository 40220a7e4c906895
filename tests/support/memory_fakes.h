#pragma once
// Scripted stand-ins for the processor and memory seams.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/memory_status.h"
#include "platform/perf_data.h"
#include "platform/virtual_memory.h"

namespace testing_support {

// Answers performance data queries from a queue of blocks, one per successful query (the last
// block keeps answering), and the 95 family's statistic from plain fields.
class FakePerfData : public platform::PerfData {
  public:
    std::optional<uint32_t> platformId = 2;  // the NT family
    std::deque<std::vector<std::byte>> blocks;
    std::optional<long> failure;     // answer every query with this code, leaving the buffer
    std::vector<size_t> querySizes;  // the buffer size offered, per query

    bool startStatOpens = true, statDataOpens = true, stopStatOpens = true;
    uint32_t usage = 0;              // the statistic's "KERNEL\CPUUsage"
    std::vector<std::string> calls;  // "start", "open", "read", "close", "stop" in order
    bool statDataOpen = false;

    std::optional<uint32_t> PlatformId() override { return platformId; }
    long QueryProcessorData(std::span<std::byte> buffer) override;
    bool StartStatistic(uint32_t& value) override;
    bool OpenStatistic() override;
    void ReadStatistic(uint32_t& value) override;
    void CloseStatistic() override;
    void StopStatistic() override;
};

// Hands out regions of real memory, filled with 0xAB so that a test can see them written, and
// refuses commits from a chosen one on.
class FakeVirtualMemory : public platform::VirtualMemory {
  public:
    std::optional<size_t> refuseFrom;  // index of the first commit that fails
    size_t commits = 0;                // commits asked for, refused ones included
    std::vector<void*> committed;      // in order
    std::vector<void*> released;       // in order
    int badReleases = 0;               // releases of regions not held
    std::vector<std::vector<std::byte>> storage;

    void* Commit(size_t bytes) override;
    void Release(void* region) override;
    // Regions committed and not yet released.
    size_t Outstanding() const;
    bool AllZero(void* region) const;
};

class FakeMemoryStatus : public platform::MemoryStatus {
  public:
    platform::MemoryFigures figures;
    int queries = 0;
    platform::MemoryFigures Query() override {
        ++queries;
        return figures;
    }
};

}  // namespace testing_support
