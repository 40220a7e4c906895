#pragma once
// The rules that turn the platform's records into the probe texts. No Windows header: pure logic.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/system_queries.h"

namespace sysinfo {

// "Windows XP Service Pack: Service Pack 2, Build: 2600" and the like.
std::string VersionTextOf(const platform::VersionRecord& version);

// The processor count directly followed by the type's name ("2Intel Pentium"); empty for a
// processor type without a name.
std::string ProcessorTypeTextOf(const platform::SystemInfoRecord& info);

// Only the first display's two usual spellings name the adapter whose description is shown.
bool IsFirstDisplayName(std::string_view deviceName);

// Counter ticks over the nominal half second, as ticks per microsecond.
double CpuMHzFromTicks(uint64_t ticks);

}  // namespace sysinfo
