#include "support/memory_fakes.h"

#include <algorithm>
#include <stdexcept>

namespace testing_support {

long FakePerfData::QueryProcessorData(std::span<std::byte> buffer) {
    querySizes.push_back(buffer.size());
    if (failure) return *failure;
    if (blocks.empty()) throw std::logic_error("FakePerfData: no block scripted");
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
    const size_t index = commits++;
    if (refuseFrom && index >= *refuseFrom) return nullptr;
    storage.emplace_back(bytes, std::byte{0xAB});
    committed.push_back(storage.back().data());
    return storage.back().data();
}

void FakeVirtualMemory::Release(void* region) {
    if (std::find(committed.begin(), committed.end(), region) == committed.end() ||
        std::find(released.begin(), released.end(), region) != released.end())
        ++badReleases;
    else
        released.push_back(region);
}

size_t FakeVirtualMemory::Outstanding() const {
    return committed.size() - released.size();
}

bool FakeVirtualMemory::AllZero(void* region) const {
    for (const auto& s : storage)
        if (s.data() == region)
            return std::all_of(s.begin(), s.end(), [](std::byte b) { return b == std::byte{0}; });
    return false;
}

}  // namespace testing_support
