#pragma once
// The processor, display and operating-system probes of the system information tree. Each asks
// the platform once per call and keeps nothing.
#include <cstdint>
#include <string>

#include "platform/system_queries.h"

namespace sysinfo {

// The processor's clock in MHz, timed with the time-stamp counter over half a second at
// real-time priority. Blocks for at least 510 ms.
double MeasureCpuMHz(const platform::SystemQueries& system);
std::string ProcessorTypeText(const platform::SystemQueries& system);
// Hertz; 0 when the current display mode cannot be read.
int32_t DisplayRefreshRate(const platform::SystemQueries& system);
// The description of the first display, or empty when no adapter carries its name.
std::string DisplayAdapterName(const platform::SystemQueries& system);
std::string WindowsVersionText(const platform::SystemQueries& system);

}  // namespace sysinfo
