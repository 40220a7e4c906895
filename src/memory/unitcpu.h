#pragma once
// The processor usage meter: samples the platform's processor counters and gives the usage of a
// processor between the last two samples. One per program, made at start-up.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/perf_data.h"

namespace memory {

inline constexpr size_t kInitialPerfBufferBytes = 8192;
inline constexpr size_t kPerfBufferGrowth = 4096;
// A platform that keeps asking for more than this is not answering; we stop growing there.
inline constexpr size_t kPerfBufferLimit = 64u << 20;

class Unitcpu {
  public:
    // Reads the version; throws "Can't get the Windows version" when it cannot.
    explicit Unitcpu(platform::PerfData& platform);
    Unitcpu(const Unitcpu&) = delete;
    Unitcpu& operator=(const Unitcpu&) = delete;
    ~Unitcpu();

    // Takes a sample of the counters. On failure it throws with the meter's message and the
    // meter is as it was before the sample (a grown buffer stays grown).
    void SampleCpuCounters();
    // The usage of processor `index` between the last two samples, 0.25 for a quarter busy; not
    // clamped. Samples first only when nothing was ever sampled. Throws "CPU index out of
    // bounds" for an index outside the processors.
    double CpuUsage(int index);
    // 95 family: stops the statistic when it was started.
    void StopCpuStatistics();

    bool IsNt() const { return nt_; }
    size_t BufferSize() const { return buffer_.size(); }
    int32_t ProcessorCount() const { return processorCount_; }
    // True once two samples were taken, so that a usage compares two real moments.
    bool HasEarlierSample() const { return samples_ >= 2; }

  private:
    void SampleNt();
    void Sample9x();

    platform::PerfData& platform_;
    bool nt_ = false;
    std::vector<std::byte> buffer_;
    int32_t processorCount_ = -1;
    std::vector<uint64_t> current_, previous_;
    uint64_t currentTime_ = 0, previousTime_ = 0;
    bool started9x_ = false;
    uint32_t usage9x_ = 0;
    uint64_t samples_ = 0;
};

}  // namespace memory
