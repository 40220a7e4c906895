#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "memory/memory_work.h"
#include "platform/virtual_memory.h"
#include "support/memory_fakes.h"

namespace {

using testing_support::FakeVirtualMemory;
constexpr uint64_t kMiB = uint64_t{1} << 20, kGiB = uint64_t{1} << 30;

TEST(MemoryBlocks, CountUsedAndGauge) {
    struct Case {
        uint64_t physical;
        uint32_t count, used, gauge;
    };
    const Case cases[] = {
        {512 * kMiB, 513, 513, 1026},    {512 * kMiB + 1000, 513, 513, 1026},
        {1023 * kMiB, 1024, 1024, 2048}, {1024 * kMiB, 1025, 1024, 2048},
        {2 * kGiB, 2049, 1024, 2048},    {3 * kGiB, 3073, 1024, 2048},
        {32 * kGiB, 32769, 1024, 2048},  {0, 1, 1, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.physical);
        EXPECT_EQ(memory::BlockCount(c.physical), c.count);
        EXPECT_EQ(memory::BlocksUsed(c.count), c.used);
        EXPECT_EQ(memory::GaugeMaximum(c.count), c.gauge);
    }
}

TEST(MemoryBlocks, GaugePercent) {
    EXPECT_EQ(memory::GaugePercent(0, 2048), 0);
    EXPECT_EQ(memory::GaugePercent(1024, 2048), 50);
    EXPECT_EQ(memory::GaugePercent(2048, 2048), 100);
    EXPECT_EQ(memory::GaugePercent(1025, 1026), 99);
    EXPECT_EQ(memory::GaugePercent(5, 0), 0);
    EXPECT_EQ(memory::GaugePercent(3000, 2048), 100);
}

TEST(MemoryAutoOptimize, StrictlyAboveTheThreshold) {
    struct Case {
        bool on;
        int threshold;
        uint32_t load;
        bool optimize;
    };
    const Case cases[] = {
        {true, 60, 60, false},   {true, 60, 61, true},  {false, 60, 61, false},
        {true, 100, 100, false}, {true, 75, 74, false}, {true, 75, 99, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(memory::ShouldAutoOptimize(c.on, c.threshold, c.load), c.optimize)
            << c.on << " " << c.threshold << " " << c.load;
}

TEST(MemoryTexts, FiguresInFull) {
    platform::MemoryFigures f;
    f.load = 61;
    f.totalPhys = 3 * kGiB;
    f.availPhys = 512 * kMiB;
    f.totalPageFile = 32 * kGiB;
    f.availPageFile = 0;
    f.totalVirtual = 128ull << 40;
    f.availVirtual = (128ull << 40) - 4096;
    const auto t = memory::FigureTexts(f);
    EXPECT_EQ(t.totalRam, "3221225472 B");
    EXPECT_EQ(t.freeRam, "536870912 B");
    EXPECT_EQ(t.totalPage, "34359738368 B");
    EXPECT_EQ(t.pageFree, "0 B");
    EXPECT_EQ(t.totalVirtual, "140737488355328 B");
    EXPECT_EQ(t.freeVirtual, "140737488351232 B");
    EXPECT_EQ(t.memoryLoad, "61 %");
}

TEST(MemoryTexts, ThresholdAndProcessorTexts) {
    EXPECT_EQ(memory::ThresholdText(75), "75%");
    EXPECT_EQ(memory::ThresholdText(60), "60%");
    EXPECT_EQ(memory::CpuUsageText(0.125, "."), " CPU Usage  12.50%");
    EXPECT_EQ(memory::CpuUsageText(0.125, ","), " CPU Usage  12,50%");
    EXPECT_EQ(memory::CpuUsageText(0.0, "."), " CPU Usage   0.00%");
    EXPECT_EQ(memory::CpuUsageText(1.0, "."), " CPU Usage  100.00%");
    EXPECT_EQ(memory::CpuUsageText(-0.001, "."), " CPU Usage  -0.10%");
}

TEST(FreeUpMemory, CommitsWritesAndReleasesEveryBlock) {
    for (const uint32_t count : {513u, 2049u, 32769u}) {
        SCOPED_TRACE(count);
        FakeVirtualMemory vm;
        memory::OptimizerState state;
        std::vector<size_t> outstandingAtCall;
        int calls = 0;
        bool allWritten = true;
        const auto progress = [&] {
            EXPECT_TRUE(state.running);
            outstandingAtCall.push_back(vm.Outstanding());
            // While committing, the block just committed has been written.
            if (calls == static_cast<int>(vm.committed.size()) - 1)
                allWritten = allWritten && vm.AllZero(vm.committed.back());
            ++calls;
        };
        const uint32_t used = memory::FreeUpMemory(state, count, vm, progress, 64);
        EXPECT_EQ(used, memory::BlocksUsed(count));
        EXPECT_EQ(vm.committed.size(), used);
        EXPECT_EQ(vm.released, vm.committed) << "released in the order committed";
        EXPECT_EQ(vm.badReleases, 0);
        EXPECT_EQ(static_cast<uint32_t>(calls), memory::GaugeMaximum(count))
            << "the gauge ends full";
        EXPECT_TRUE(allWritten);
        EXPECT_EQ(vm.releasedUnwritten, 0);
        // All are committed before the first is released.
        ASSERT_EQ(outstandingAtCall.size(), 2u * used);
        EXPECT_EQ(outstandingAtCall[used - 1], used);
        EXPECT_EQ(outstandingAtCall[used], used - 1);
        EXPECT_EQ(outstandingAtCall.back(), 0u);
        EXPECT_FALSE(state.running);
        EXPECT_TRUE(state.blocks.empty());
    }
}

TEST(FreeUpMemory, WithoutCallback) {
    FakeVirtualMemory vm;
    memory::OptimizerState state;
    EXPECT_EQ(memory::FreeUpMemory(state, 3, vm, {}, 16), 3u);
    EXPECT_EQ(vm.Outstanding(), 0u);
    EXPECT_EQ(vm.releasedUnwritten, 0);
}

TEST(FreeUpMemory, ANestedRunReturnsAtOnce) {
    FakeVirtualMemory vm;
    memory::OptimizerState state;
    int nestedCalls = 0, nestedResult = -1;
    const auto progress = [&] {
        if (nestedCalls++ == 0)
            nestedResult = static_cast<int>(memory::FreeUpMemory(state, 5, vm, {}, 16));
    };
    EXPECT_EQ(memory::FreeUpMemory(state, 4, vm, progress, 16), 4u);
    EXPECT_EQ(nestedResult, 0);
    EXPECT_EQ(vm.commits, 4u) << "the nested run committed nothing";
    EXPECT_EQ(vm.Outstanding(), 0u);
    EXPECT_FALSE(state.running);
}

TEST(FreeUpMemory, AFailedCommitReleasesEverything) {
    for (const size_t refuseFrom : {size_t{0}, size_t{1}, size_t{7}}) {
        SCOPED_TRACE(refuseFrom);
        FakeVirtualMemory vm;
        vm.refuseFrom = refuseFrom;
        memory::OptimizerState state;
        int calls = 0;
        const uint32_t used = memory::FreeUpMemory(
            state, 513, vm, [&] { ++calls; }, 16);
        EXPECT_EQ(used, refuseFrom);
        EXPECT_EQ(vm.commits, refuseFrom + 1) << "committing stops at the refusal";
        EXPECT_EQ(vm.released, vm.committed);
        EXPECT_EQ(calls, static_cast<int>(2 * refuseFrom));
        EXPECT_FALSE(state.running);
        // The next run starts afresh.
        vm.refuseFrom.reset();
        EXPECT_EQ(memory::FreeUpMemory(state, 2, vm, {}, 16), 2u);
        EXPECT_EQ(vm.Outstanding(), 0u);
    }
}

TEST(FreeUpMemory, AnErrorInsideTheCallbackStillReleasesEverything) {
    for (const int throwAt : {1, 3, 5}) {
        SCOPED_TRACE(throwAt);
        FakeVirtualMemory vm;
        memory::OptimizerState state;
        int calls = 0;
        EXPECT_THROW(memory::FreeUpMemory(
                         state, 3, vm,
                         [&] {
                             if (++calls == throwAt) throw std::runtime_error("nested handler");
                         },
                         16),
                     std::runtime_error);
        EXPECT_EQ(vm.Outstanding(), 0u);
        EXPECT_EQ(vm.badReleases, 0);
        EXPECT_FALSE(state.running);
    }
}

TEST(FreeUpMemory, RealRegionsOfOneMebibyte) {
    platform::Win32VirtualMemory vm;
    memory::OptimizerState state;
    std::vector<void*> seen;
    const auto progress = [&] {
        if (seen.size() < state.blocks.size()) {
            seen.push_back(state.blocks.back());
            MEMORY_BASIC_INFORMATION info{};
            ASSERT_TRUE(VirtualQuery(seen.back(), &info, sizeof info));
            EXPECT_EQ(info.State, static_cast<DWORD>(MEM_COMMIT));
            EXPECT_GE(info.RegionSize, memory::kBlockBytes);
        }
    };
    EXPECT_EQ(memory::FreeUpMemory(state, 4, vm, progress), 4u);
    ASSERT_EQ(seen.size(), 4u);
    for (void* region : seen) {
        MEMORY_BASIC_INFORMATION info{};
        ASSERT_TRUE(VirtualQuery(region, &info, sizeof info));
        EXPECT_EQ(info.State, static_cast<DWORD>(MEM_FREE)) << "released";
    }
}

}  // namespace
