#pragma once
// Scripted stand-ins for the processor and memory seams.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/memory_status.h"
#include "platform/perf_data.h"
#include "platform/virtual_memory.h"

namespace testing_support {

// Answers performance data queries from a queue of blocks, one per successful query (the last
// block keeps answering); with no block queued, a machine of two processors half busy whose
// clock moves a second per query. The 95 family's statistic comes from plain fields.
class FakePerfData : public platform::PerfData {
  public:
    std::optional<uint32_t> platformId = 2;  // the NT family
    std::deque<std::vector<std::byte>> blocks;
    std::optional<long> failure;     // answer every query with this code, leaving the buffer
    std::vector<size_t> querySizes;  // the buffer size offered, per query
    uint64_t generated = 0;          // blocks made up so far

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
    int releasedUnwritten = 0;         // regions released with bytes not zeroed
    std::function<void()> onCommit;    // runs inside each commit, before it is answered
    std::map<void*, std::vector<std::byte>> storage;  // regions held

    void* Commit(size_t bytes) override;
    void Release(void* region) override;
    // Regions committed and not yet released.
    size_t Outstanding() const;
    bool AllZero(void* region) const;
};

// A small machine by default: 8 MiB of physical memory (9 blocks), 40 % in use.
class FakeMemoryStatus : public platform::MemoryStatus {
  public:
    platform::MemoryFigures figures{
        40, 8u << 20, 5u << 20, 16u << 20, 9u << 20, 128ull << 40, (128ull << 40) - (64u << 20)};
    int queries = 0;
    platform::MemoryFigures Query() override {
        ++queries;
        return figures;
    }
};

}  // namespace testing_support
