#include "sysinfo/probes.h"

#include "sysinfo/probe_rules.h"

namespace sysinfo {

namespace {

constexpr uint32_t kRealtimePriorityClass = 256;
constexpr int kTimeCriticalPriority = 15;

}  // namespace

double MeasureCpuMHz(const platform::SystemQueries& system) {
    const uint32_t oldClass = system.ProcessPriorityClass();
    const int oldPriority = system.ThreadPriority();
    system.SetProcessPriorityClass(kRealtimePriorityClass);
    system.SetThreadPriority(kTimeCriticalPriority);
    system.Sleep(10);
    const uint64_t t0 = system.TimeStampCounter();
    system.Sleep(500);
    const uint64_t t1 = system.TimeStampCounter();
    system.SetThreadPriority(oldPriority);
    system.SetProcessPriorityClass(oldClass);
    // The whole 64-bit difference: cut to 32 bits it would wrap above about 8.6 GHz. A counter
    // that ran backwards (read on two unsynchronised cores) measured nothing.
    return t1 >= t0 ? CpuMHzFromTicks(t1 - t0) : 0.0;
}

std::string ProcessorTypeText(const platform::SystemQueries& system) {
    return ProcessorTypeTextOf(system.SystemInfo());
}

int32_t DisplayRefreshRate(const platform::SystemQueries& system) {
    return system.CurrentDisplayFrequency().value_or(0);
}

std::string DisplayAdapterName(const platform::SystemQueries& system) {
    std::string result;
    for (uint32_t i = 0;; ++i) {
        const auto device = system.DisplayDevice(i);
        if (!device) break;
        // The walk goes on after a match: the last device of that name wins.
        if (IsFirstDisplayName(device->name)) result = device->description;
    }
    return result;
}

std::string WindowsVersionText(const platform::SystemQueries& system) {
    return VersionTextOf(system.Version());
}

}  // namespace sysinfo
