#include "memory/unitcpu.h"

#include <stdexcept>
#include <variant>

#include "core/perf_block.h"

namespace memory {
namespace {

constexpr uint32_t kNtPlatform = 2;
constexpr long kMoreData = 234;
constexpr char kNoObject[] = "Unable to locate the \"Processor\" performance object";
constexpr char kNoCounter[] = "Unable to locate the \"% of CPU usage\" performance counter";

}  // namespace

Unitcpu::Unitcpu(platform::PerfData& platform)
    : platform_(platform), buffer_(kInitialPerfBufferBytes) {
    const auto id = platform_.PlatformId();
    if (!id) throw std::runtime_error("Can't get the Windows version");
    nt_ = *id == kNtPlatform;
}

Unitcpu::~Unitcpu() = default;

void Unitcpu::SampleCpuCounters() {
    if (nt_)
        SampleNt();
    else
        Sample9x();
    ++samples_;
}

void Unitcpu::SampleNt() {
    long result;
    while ((result = platform_.QueryProcessorData(buffer_)) == kMoreData &&
           buffer_.size() + kPerfBufferGrowth <= kPerfBufferLimit)
        buffer_.resize(buffer_.size() + kPerfBufferGrowth);
    // A failed query leaves the buffer as the last sample left it: reading that again would
    // show a made-up load of 0, so it fails as a missing object does.
    if (result != 0) throw std::runtime_error(kNoObject);

    const auto parsed = core::perf::ParseProcessorBlock(buffer_, processorCount_);
    if (const auto* error = std::get_if<core::perf::ParseError>(&parsed))
        throw std::runtime_error(
            *error == core::perf::ParseError::NoProcessorTimeCounter ? kNoCounter : kNoObject);
    const auto& sample = std::get<core::perf::ProcessorSample>(parsed);
    if (processorCount_ == -1) {
        processorCount_ = sample.instances;
        current_.assign(static_cast<size_t>(processorCount_), 0);
        previous_.assign(static_cast<size_t>(processorCount_), 0);
    }
    for (size_t i = 0; i < sample.values.size(); ++i) {
        previous_[i] = current_[i];
        current_[i] = sample.values[i];
    }
    previousTime_ = currentTime_;
    currentTime_ = sample.time;
}

void Unitcpu::Sample9x() {
    if (!started9x_) {
        if (!platform_.StartStatistic(usage9x_))
            throw std::runtime_error("Unable to start performance monitoring");
        if (!platform_.OpenStatistic()) throw std::runtime_error("Unable to read performance data");
        started9x_ = true;
    }
    platform_.ReadStatistic(usage9x_);
}

double Unitcpu::CpuUsage(int index) {
    if (!nt_) {
        if (index != 0) throw std::runtime_error("CPU index out of bounds");
        if (!started9x_) SampleCpuCounters();
        return usage9x_ / 100.0;
    }
    if (processorCount_ == -1) SampleCpuCounters();
    if (index < 0 || index >= processorCount_) throw std::runtime_error("CPU index out of bounds");
    // With a single sample there is no earlier moment to compare with: no load is known yet.
    if (currentTime_ == previousTime_ || previousTime_ == 0) return 0.0;
    const auto i = static_cast<size_t>(index);
    const double idle = static_cast<double>(static_cast<int64_t>(current_[i] - previous_[i]));
    const double elapsed = static_cast<double>(static_cast<int64_t>(currentTime_ - previousTime_));
    return 1.0 - idle / elapsed;
}

void Unitcpu::StopCpuStatistics() {
    if (nt_ || !started9x_) return;
    started9x_ = false;
    platform_.CloseStatistic();
    platform_.StopStatistic();
}

}  // namespace memory
