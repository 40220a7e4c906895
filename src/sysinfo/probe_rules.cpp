#include "sysinfo/probe_rules.h"

#include <cstdio>

namespace sysinfo {

std::string VersionTextOf(const platform::VersionRecord& v) {
    std::string text;
    switch (v.platformId) {
        case 0:
            text = "Windows 3.11";
            break;
        case 1:
            switch (v.minor) {
                case 0:
                    text = "Windows 95";
                    break;
                case 10:
                    text = v.servicePack.size() >= 2 && v.servicePack[1] == 'A' ? "Windows 98 SE"
                                                                                : "Windows 98";
                    break;
                case 90:
                    text = "Windows Millenium";
                    break;
                default:
                    text = "Unknown Version";
            }
            break;
        case 2:
            if (v.major == 3 || v.major == 4)
                text = "Windows NT " + std::to_string(v.major) + "." + std::to_string(v.minor);
            else if (v.major == 5 && v.minor == 0)
                text = "Windows 2000";
            else if (v.major == 5 && v.minor == 1)
                text = "Windows XP";
            else
                text = "Unknown Version";
            if (!v.servicePack.empty()) text += " Service Pack: " + v.servicePack;
            break;
        default:
            text = "Unknown Platform";
    }
    // The 95 family keeps the version in the high half of the build number.
    return text + ", Build: " + std::to_string(v.build & 0xFFFFu);
}

namespace {

constexpr uint16_t kMachineArm64 = 0xAA64;

const char* ProcessorName(const platform::SystemInfoRecord& info) {
    // A program for x86-64 running on an ARM64 machine is told of an x86-64 processor; the
    // machine's own type is the truer answer.
    if (info.nativeMachine == kMachineArm64) return "ARM64";
    switch (info.processorType) {
        case 386:
            return "Intel 80386";
        case 486:
            return "Intel 80486";
        case 586:
            return "Intel Pentium";
        case 4000:
            return "MIPS R4000";
        case 21064:
            return "ALPHA 21064";
        case 8664:
            return "x86-64";
    }
    return nullptr;
}

}  // namespace

std::string ProcessorTypeTextOf(const platform::SystemInfoRecord& info) {
    const char* name = ProcessorName(info);
    if (!name) return {};
    char buf[64];
    std::snprintf(buf, sizeof buf, "%d%s", static_cast<int>(info.processorCount), name);
    return buf;
}

bool IsFirstDisplayName(std::string_view deviceName) {
    return deviceName == "\\\\.\\Display1" || deviceName == "\\\\.\\DISPLAY1";
}

double CpuMHzFromTicks(uint64_t ticks) {
    return static_cast<double>(ticks) / 500000.0;
}

}  // namespace sysinfo
