// The cost of one SampleCpuCounters on the platform's own path (under Wine: the registry's bare
// answer, then our layer building the processor object from the per-processor idle times), and
// of the parse alone on a block of the same shape.
//   Run: tools/bench cpu_sample_bench
// Measured under Wine 8, two cores shared with other builds (load average about 12, December
// 2026): one sample 20 us median, 50 us mean, p95 20 us, rare peaks of some ms when the machine
// is busy; the parse alone 0.2 to 0.5 us. The very first sample also asks the registry, whose
// answer (without the processor object) costs about 33 ms under Wine; after that only our layer
// answers. Before that choice was made once, every sample cost those 33 ms.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "core/perf_block.h"
#include "memory/unitcpu.h"
#include "platform/perf_data.h"

namespace {

using Clock = std::chrono::steady_clock;

double Micros(Clock::duration d) {
    return std::chrono::duration<double, std::micro>(d).count();
}

}  // namespace

int main() {
    platform::Win32PerfData platform;
    memory::Unitcpu meter(platform);
    meter.SampleCpuCounters();  // the first one also loads what the platform needs

    constexpr int kRounds = 500;
    std::vector<double> each;
    each.reserve(kRounds);
    for (int i = 0; i < kRounds; ++i) {
        const auto t0 = Clock::now();
        meter.SampleCpuCounters();
        each.push_back(Micros(Clock::now() - t0));
    }
    std::sort(each.begin(), each.end());
    double sum = 0;
    for (const double v : each)
        sum += v;
    std::printf(
        "SampleCpuCounters, platform path: mean %.1f us, median %.1f us, p95 %.1f us, "
        "max %.1f us (%d samples, %d instances)\n",
        sum / kRounds, each[kRounds / 2], each[kRounds * 95 / 100], each.back(), kRounds,
        meter.ProcessorCount());

    std::vector<uint64_t> idle(static_cast<size_t>(std::max(1, meter.ProcessorCount() - 1)), 7);
    const auto block =
        core::perf::BuildProcessorBlock(core::perf::TimeOfIntervals(1ull << 57), idle);
    constexpr int kParses = 100000;
    size_t read = 0;
    const auto t0 = Clock::now();
    for (int i = 0; i < kParses; ++i) {
        const auto r = core::perf::ParseProcessorBlock(block, -1);
        read += std::get<core::perf::ProcessorSample>(r).values.size();
    }
    std::printf("ParseProcessorBlock alone: %.3f us per block (%zu values read)\n",
                Micros(Clock::now() - t0) / kParses, read);
    return 0;
}
