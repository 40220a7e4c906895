#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/perf_block.h"
#include "memory/memory_work.h"
#include "memory/unitcpu.h"
#include "support/memory_fakes.h"

namespace {

namespace perf = core::perf;
using testing_support::FakePerfData;

constexpr uint64_t kSecond = 10'000'000;  // in 100-ns intervals

perf::BlockTime At(uint64_t intervals) {
    return perf::TimeOfIntervals(intervals);
}
const uint64_t kStart = *perf::IntervalsSince1601({2026, 12, 5, 11, 12, 0, 0, 0});

// The processor object with the given idle counts for two processors and the total.
std::vector<std::byte> Block(uint64_t time, uint64_t idle0, uint64_t idle1 = 0,
                             size_t fillerBytes = 0) {
    std::vector<perf::ObjectData> objects;
    if (fillerBytes) objects.push_back({2, {{10, 0}}, {{u"x", {1}}}, fillerBytes});
    objects.push_back({perf::kProcessorObject,
                       {{perf::kProcessorTimeCounter, perf::kInverse100nsTimer}},
                       {{u"0", {idle0}}, {u"1", {idle1}}, {u"_Total", {(idle0 + idle1) / 2}}},
                       0});
    return perf::BuildBlock(At(time), objects);
}

void ExpectThrows(const std::function<void()>& f, const std::string& message) {
    try {
        f();
        ADD_FAILURE() << "no error; expected \"" << message << "\"";
    } catch (const std::exception& e) {
        EXPECT_EQ(std::string(e.what()), message);
    }
}

TEST(UnitcpuStartUp, ReadsTheVersionAndPreparesTheBuffer) {
    FakePerfData nt;
    memory::Unitcpu meter(nt);
    EXPECT_TRUE(meter.IsNt());
    EXPECT_EQ(meter.BufferSize(), 8192u);
    EXPECT_EQ(meter.ProcessorCount(), -1);
    EXPECT_FALSE(meter.HasEarlierSample());
    EXPECT_TRUE(nt.querySizes.empty()) << "start-up samples nothing";

    FakePerfData win98;
    win98.platformId = 1;
    EXPECT_FALSE(memory::Unitcpu(win98).IsNt());

    FakePerfData broken;
    broken.platformId.reset();
    ExpectThrows([&] { memory::Unitcpu m(broken); }, "Can't get the Windows version");
}

TEST(UnitcpuNt, UsageBetweenTwoSamples) {
    struct Case {
        const char* what;
        uint64_t dt, idle0, idle1;
        double usage0, usage1;
    };
    const Case cases[] = {
        {"same system time", 0, 5'000'000, 0, 0.0, 0.0},
        {"750 ms idle in 1 s", kSecond, 7'500'000, 0, 0.25, 1.0},
        {"idle all along", kSecond, kSecond, kSecond / 2, 0.0, 0.5},
        {"idle count a little ahead of the clock", kSecond, kSecond + 100'000, 0, 1.0 - 1.01, 1.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakePerfData platform;
        platform.blocks = {Block(kStart, 40'000'000, 80'000'000),
                           Block(kStart + c.dt, 40'000'000 + c.idle0, 80'000'000 + c.idle1)};
        memory::Unitcpu meter(platform);
        meter.SampleCpuCounters();
        meter.SampleCpuCounters();
        EXPECT_TRUE(meter.HasEarlierSample());
        EXPECT_EQ(meter.ProcessorCount(), 3);
        EXPECT_DOUBLE_EQ(meter.CpuUsage(0), c.usage0);
        EXPECT_DOUBLE_EQ(meter.CpuUsage(1), c.usage1);
    }
}

TEST(UnitcpuNt, TheFirstSampleShowsNoLoad) {
    FakePerfData platform;
    platform.blocks = {Block(kStart, 123'456'789)};
    memory::Unitcpu meter(platform);
    // Asking before any sample takes one.
    EXPECT_EQ(meter.CpuUsage(0), 0.0);
    EXPECT_EQ(platform.querySizes.size(), 1u);
    EXPECT_FALSE(meter.HasEarlierSample());
    // Asking again does not sample again.
    EXPECT_EQ(meter.CpuUsage(1), 0.0);
    EXPECT_EQ(platform.querySizes.size(), 1u);
}

TEST(UnitcpuNt, TheBufferGrowsBy4096AndStaysGrown) {
    FakePerfData platform;
    platform.blocks = {Block(kStart, 0, 0, 13000), Block(kStart + kSecond, 2'500'000, 0, 13000)};
    ASSERT_GT(platform.blocks[0].size(), 8192u + 4096u);
    ASSERT_LE(platform.blocks[0].size(), 8192u + 2 * 4096u);
    memory::Unitcpu meter(platform);
    meter.SampleCpuCounters();
    EXPECT_EQ(platform.querySizes, (std::vector<size_t>{8192, 12288, 16384}));
    EXPECT_EQ(meter.BufferSize(), 16384u);

    meter.SampleCpuCounters();
    EXPECT_EQ(platform.querySizes, (std::vector<size_t>{8192, 12288, 16384, 16384}));
    EXPECT_EQ(meter.BufferSize(), 16384u);
    EXPECT_DOUBLE_EQ(meter.CpuUsage(0), 0.75);
}

TEST(UnitcpuNt, APlatformThatNeverFitsStopsTheGrowth) {
    FakePerfData platform;
    platform.failure = 234;
    memory::Unitcpu meter(platform);
    ExpectThrows([&] { meter.SampleCpuCounters(); },
                 "Unable to locate the \"Processor\" performance object");
    EXPECT_EQ(meter.BufferSize(), memory::kPerfBufferLimit);
}

TEST(UnitcpuNt, AFailedQueryIsNoSample) {
    FakePerfData platform;
    platform.blocks = {Block(kStart, 1'000'000), Block(kStart + kSecond, 8'500'000)};
    memory::Unitcpu meter(platform);
    meter.SampleCpuCounters();
    meter.SampleCpuCounters();
    platform.failure = 5;  // access denied: the buffer still holds the last block
    ExpectThrows([&] { meter.SampleCpuCounters(); },
                 "Unable to locate the \"Processor\" performance object");
    EXPECT_DOUBLE_EQ(meter.CpuUsage(0), 0.25) << "the last two samples still count";
}

TEST(UnitcpuNt, IndexBounds) {
    FakePerfData platform;
    platform.blocks = {Block(kStart, 0)};
    memory::Unitcpu meter(platform);
    meter.SampleCpuCounters();
    ASSERT_EQ(meter.ProcessorCount(), 3);
    for (const int bad : {-1, 3, 1000})
        ExpectThrows([&] { meter.CpuUsage(bad); }, "CPU index out of bounds");
    for (const int good : {0, 1, 2})
        EXPECT_NO_THROW(meter.CpuUsage(good)) << good;
}

TEST(UnitcpuNt, MissingObjectOrCounterLeavesTheMeterAsItWas) {
    const auto good0 = Block(kStart, 1'000'000), good1 = Block(kStart + kSecond, 8'500'000);
    auto noCounter = Block(kStart + 2 * kSecond, 9'000'000);
    const size_t proc = *perf::FindObject(noCounter, perf::kProcessorObject);
    perf::WriteU32(noCounter,
                   proc + perf::layout::kObjectSize + perf::layout::kCounterNameTitleIndex, 7);
    auto noObject = Block(kStart + 2 * kSecond, 9'000'000);
    perf::WriteU32(noObject, proc + perf::layout::kObjectNameTitleIndex, 239);

    struct Case {
        std::vector<std::byte> block;
        const char* message;
    };
    const Case cases[] = {
        {noObject, "Unable to locate the \"Processor\" performance object"},
        {noCounter, "Unable to locate the \"% of CPU usage\" performance counter"},
        {perf::BuildBlock(At(kStart), {}), "Unable to locate the \"Processor\" performance object"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        FakePerfData platform;
        platform.blocks = {good0, good1, c.block};
        memory::Unitcpu meter(platform);
        meter.SampleCpuCounters();
        meter.SampleCpuCounters();
        ASSERT_DOUBLE_EQ(meter.CpuUsage(0), 0.25);
        ExpectThrows([&] { meter.SampleCpuCounters(); }, c.message);
        EXPECT_DOUBLE_EQ(meter.CpuUsage(0), 0.25);
        EXPECT_EQ(meter.ProcessorCount(), 3);

        // Failing at the very first sample leaves the meter unsampled.
        FakePerfData first;
        first.blocks = {c.block};
        memory::Unitcpu fresh(first);
        ExpectThrows([&] { fresh.CpuUsage(0); }, c.message);
        EXPECT_EQ(fresh.ProcessorCount(), -1);
        EXPECT_FALSE(fresh.HasEarlierSample());
    }
}

TEST(UnitcpuNt, TheProcessorCountStaysForTheRun) {
    FakePerfData platform;
    perf::ObjectData fewer{perf::kProcessorObject,
                           {{perf::kProcessorTimeCounter, perf::kInverse100nsTimer}},
                           {{u"0", {6'000'000}}},
                           0};
    platform.blocks = {Block(kStart, 1'000'000, 2'000'000),
                       perf::BuildBlock(At(kStart + kSecond), {fewer})};
    memory::Unitcpu meter(platform);
    meter.SampleCpuCounters();
    meter.SampleCpuCounters();
    EXPECT_EQ(meter.ProcessorCount(), 3);
    EXPECT_DOUBLE_EQ(meter.CpuUsage(0), 0.5);
    // Instances the block no longer holds keep their last two values.
    EXPECT_DOUBLE_EQ(meter.CpuUsage(1), 1.0 - 2'000'000.0 / kSecond);
}

TEST(UnitcpuNt, StoppingDoesNothing) {
    FakePerfData platform;
    platform.blocks = {Block(kStart, 0)};
    memory::Unitcpu meter(platform);
    meter.SampleCpuCounters();
    meter.StopCpuStatistics();
    EXPECT_TRUE(platform.calls.empty());
    EXPECT_NO_THROW(meter.SampleCpuCounters());
}

FakePerfData Win98(uint32_t usage) {
    FakePerfData p;
    p.platformId = 1;
    p.usage = usage;
    return p;
}

TEST(Unitcpu9x, StartsTheStatisticOnceAndReadsTheUsage) {
    auto platform = Win98(37);
    memory::Unitcpu meter(platform);
    meter.SampleCpuCounters();
    EXPECT_EQ(platform.calls, (std::vector<std::string>{"start", "open", "read"}));
    EXPECT_DOUBLE_EQ(meter.CpuUsage(0), 0.37);
    platform.usage = 80;
    meter.SampleCpuCounters();
    EXPECT_EQ(platform.calls, (std::vector<std::string>{"start", "open", "read", "read"}));
    EXPECT_DOUBLE_EQ(meter.CpuUsage(0), 0.80);
    EXPECT_TRUE(platform.querySizes.empty()) << "no performance data on the 95 family";
}

TEST(Unitcpu9x, AskingBeforeStartingStarts) {
    auto platform = Win98(12);
    memory::Unitcpu meter(platform);
    EXPECT_DOUBLE_EQ(meter.CpuUsage(0), 0.12);
    EXPECT_EQ(platform.calls, (std::vector<std::string>{"start", "open", "read"}));
    platform.usage = 50;
    EXPECT_DOUBLE_EQ(meter.CpuUsage(0), 0.12) << "a started statistic is not sampled again";
}

TEST(Unitcpu9x, OnlyProcessorZero) {
    auto platform = Win98(5);
    memory::Unitcpu meter(platform);
    for (const int bad : {1, -1, 2})
        ExpectThrows([&] { meter.CpuUsage(bad); }, "CPU index out of bounds");
    EXPECT_TRUE(platform.calls.empty());
}

TEST(Unitcpu9x, KeysThatCannotBeOpened) {
    auto noStart = Win98(5);
    noStart.startStatOpens = false;
    memory::Unitcpu a(noStart);
    ExpectThrows([&] { a.SampleCpuCounters(); }, "Unable to start performance monitoring");
    EXPECT_EQ(noStart.calls, (std::vector<std::string>{"start"}));
    a.StopCpuStatistics();
    EXPECT_EQ(noStart.calls, (std::vector<std::string>{"start"})) << "never started: no stop";

    auto noData = Win98(5);
    noData.statDataOpens = false;
    memory::Unitcpu b(noData);
    ExpectThrows([&] { b.SampleCpuCounters(); }, "Unable to read performance data");
    ExpectThrows([&] { b.CpuUsage(0); }, "Unable to read performance data");
    EXPECT_EQ(noData.calls, (std::vector<std::string>{"start", "open", "start", "open"}));
}

TEST(Unitcpu9x, StoppingClosesTheDataKeyAndStopsTheStatistic) {
    auto platform = Win98(5);
    memory::Unitcpu meter(platform);
    meter.SampleCpuCounters();
    meter.StopCpuStatistics();
    EXPECT_EQ(platform.calls, (std::vector<std::string>{"start", "open", "read", "close", "stop"}));
    EXPECT_FALSE(platform.statDataOpen);
    meter.StopCpuStatistics();
    EXPECT_EQ(platform.calls.size(), 5u) << "a second stop does nothing";
    // Sampling again starts it again.
    meter.SampleCpuCounters();
    EXPECT_EQ(platform.calls.back(), "read");
    EXPECT_EQ(platform.calls[5], "start");
}

TEST(CpuPanelText, FromTheSecondSampleOn) {
    FakePerfData platform;
    platform.blocks = {Block(kStart, 0), Block(kStart + kSecond, 8'750'000),
                       Block(kStart + 2 * kSecond, 8'750'000 + 5'000'000)};
    memory::Unitcpu meter(platform);
    EXPECT_EQ(memory::CpuPanelText(meter, "."), std::nullopt) << "one sample: nothing to show";
    EXPECT_EQ(memory::CpuPanelText(meter, "."), " CPU Usage  12.50%");
    EXPECT_EQ(memory::CpuPanelText(meter, ","), " CPU Usage  50,00%");
    EXPECT_EQ(platform.querySizes.size(), 3u) << "one sample per tick";
}

TEST(CpuPanelText, TheMetersErrorsPassThrough) {
    FakePerfData platform;
    platform.blocks = {perf::BuildBlock(At(kStart), {})};
    memory::Unitcpu meter(platform);
    ExpectThrows([&] { memory::CpuPanelText(meter, "."); },
                 "Unable to locate the \"Processor\" performance object");

    auto win98 = Win98(25);
    memory::Unitcpu old(win98);
    EXPECT_EQ(memory::CpuPanelText(old, "."), std::nullopt);
    EXPECT_EQ(memory::CpuPanelText(old, "."), " CPU Usage  25.00%");
}

}  // namespace
