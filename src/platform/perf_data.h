#pragma once
// The processor load as the platform reports it: the performance data block on the NT family,
// the kernel's CPU usage statistic under HKEY_DYN_DATA on the 95 family.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/handles.h"

namespace platform {

class PerfData {
  public:
    virtual ~PerfData() = default;

    // The version's platform id (2 for the NT family); nullopt when the version cannot be read.
    virtual std::optional<uint32_t> PlatformId() = 0;

    // NT family: the value "238" of HKEY_PERFORMANCE_DATA into `buffer`, all of it offered
    // (where that value lacks the processor object, our layer's block instead).
    // Returns the registry's result code: 0 when it fits, ERROR_MORE_DATA (234) when the buffer
    // is too small, another code on failure.
    virtual long QueryProcessorData(std::span<std::byte> buffer) = 0;

    // 95 family. Each read of "KERNEL\CPUUsage" sets `usage` only when it succeeds.
    // Opens "PerfStats\StartStat" with full access, reads the value (which starts the statistic)
    // and closes the key; false when the key cannot be opened.
    virtual bool StartStatistic(uint32_t& usage) = 0;
    // Opens "PerfStats\StatData" for reading and keeps it open; false when it cannot be opened.
    virtual bool OpenStatistic() = 0;
    // Reads the value from the key kept open.
    virtual void ReadStatistic(uint32_t& usage) = 0;
    virtual void CloseStatistic() = 0;
    // Opens "PerfStats\StopStat" with full access and reads the value, which stops the
    // statistic; silent when the key cannot be opened.
    virtual void StopStatistic() = 0;
};

class Win32PerfData final : public PerfData {
  public:
    Win32PerfData() = default;
    ~Win32PerfData() override;
    Win32PerfData(const Win32PerfData&) = delete;
    Win32PerfData& operator=(const Win32PerfData&) = delete;

    std::optional<uint32_t> PlatformId() override;
    long QueryProcessorData(std::span<std::byte> buffer) override;
    bool StartStatistic(uint32_t& usage) override;
    bool OpenStatistic() override;
    void ReadStatistic(uint32_t& usage) override;
    void CloseStatistic() override;
    void StopStatistic() override;

  private:
    UniqueKey statData_;
    bool queried_ = false;
    bool ownLayer_ = false;  // the platform's data lacks the processor object: ours answers
};

// Our layer for platforms whose performance data has no processor object (Wine answers with a
// bare header): the object built from each processor's idle time and the system time.
// nullopt when the platform gives no processor times either.
std::optional<std::vector<std::byte>> ProcessorBlockFromIdleTimes();

}  // namespace platform
