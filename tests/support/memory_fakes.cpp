#include "support/memory_fakes.h"

#include <algorithm>
#include <stdexcept>

#include "core/perf_block.h"

namespace testing_support {

long FakePerfData::QueryProcessorData(std::span<std::byte> buffer) {
    querySizes.push_back(buffer.size());
    if (failure) return *failure;
    if (blocks.empty()) {
        const uint64_t start = *core::perf::IntervalsSince1601({2026, 12, 5, 11, 12, 0, 0, 0});
        const uint64_t n = ++generated;
        const uint64_t idle[] = {n * 5'000'000, n * 5'000'000};
        const auto block = core::perf::BuildProcessorBlock(
            core::perf::TimeOfIntervals(start + n * 10'000'000), idle);
        if (block.size() > buffer.size()) return 234;
        std::copy(block.begin(), block.end(), buffer.begin());
        return 0;
    }
    const std::vector<std::byte>& block = blocks.front();
    if (block.size() > buffer.size()) return 234;  // ERROR_MORE_DATA
    std::copy(block.begin(), block.end(), buffer.begin());
    if (blocks.size() > 1) blocks.pop_front();
    return 0;
}

bool FakePerfData::StartStatistic(uint32_t& value) {
    calls.push_back("start");
    if (!startStatOpens) return false;
    value = usage;
    return true;
}

bool FakePerfData::OpenStatistic() {
    calls.push_back("open");
    statDataOpen = statDataOpens;
    return statDataOpens;
}

void FakePerfData::ReadStatistic(uint32_t& value) {
    calls.push_back("read");
    if (statDataOpen) value = usage;
}

void FakePerfData::CloseStatistic() {
    calls.push_back("close");
    statDataOpen = false;
}

void FakePerfData::StopStatistic() {
    calls.push_back("stop");
}

void* FakeVirtualMemory::Commit(size_t bytes) {
    if (onCommit) onCommit();
    const size_t index = commits++;
    if (refuseFrom && index >= *refuseFrom) return nullptr;
    std::vector<std::byte> region(bytes, std::byte{0xAB});
    void* address = region.data();
    storage.emplace(address, std::move(region));
    committed.push_back(address);
    return address;
}

void FakeVirtualMemory::Release(void* region) {
    const auto it = storage.find(region);
    if (it == storage.end()) {
        ++badReleases;
        return;
    }
    if (!std::all_of(it->second.begin(), it->second.end(),
                     [](std::byte b) { return b == std::byte{0}; }))
        ++releasedUnwritten;
    storage.erase(it);
    released.push_back(region);
}

size_t FakeVirtualMemory::Outstanding() const {
    return storage.size();
}

bool FakeVirtualMemory::AllZero(void* region) const {
    const auto it = storage.find(region);
    return it != storage.end() && std::all_of(it->second.begin(), it->second.end(),
                                              [](std::byte b) { return b == std::byte{0}; });
}

}  // namespace testing_support
