#include "support/sysinfo_fakes.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "platform/files.h"

namespace testing_support {

std::optional<platform::DisplayDeviceRecord> FakeSystemQueries::DisplayDevice(
    uint32_t index) const {
    ++displayDeviceCalls;
    if (index >= displayDevices.size()) return std::nullopt;
    return displayDevices[index];
}

std::optional<std::string> FakeSystemQueries::Text(platform::SystemText which) const {
    const auto it = texts.find(which);
    if (it == texts.end()) return std::nullopt;
    return it->second;
}

uint64_t FakeSystemQueries::TimeStampCounter() const {
    timingSteps.push_back("counter");
    if (counterReadings.empty()) return 0;
    const uint64_t v = counterReadings.front();
    counterReadings.pop_front();
    return v;
}

void FakeSystemQueries::Sleep(uint32_t milliseconds) const {
    timingSteps.push_back("sleep " + std::to_string(milliseconds));
}

void FakeSystemQueries::SetProcessPriorityClass(uint32_t value) const {
    timingSteps.push_back("class " + std::to_string(value));
}

void FakeSystemQueries::SetThreadPriority(int value) const {
    timingSteps.push_back("thread " + std::to_string(value));
}

bool FakeBiosSource::CopyLinearArea(std::span<std::byte> area) const {
    ++linearReads;
    if (!linearArea) return false;
    std::memset(area.data(), 0, area.size());
    std::memcpy(area.data(), linearArea->data(), std::min(area.size(), linearArea->size()));
    return true;
}

platform::SectionRead FakeBiosSource::ReadPhysicalSection(std::span<std::byte> area) const {
    ++sectionReads;
    if (sectionResult == platform::SectionRead::Copied) {
        std::memset(area.data(), 0, area.size());
        std::memcpy(area.data(), sectionArea.data(), std::min(area.size(), sectionArea.size()));
    } else if (sectionResult == platform::SectionRead::NotAvailable) {
        lastErrors.push_back(ERROR_CALL_NOT_IMPLEMENTED);
    }
    return sectionResult;
}

bool FakeBiosSource::RunCommandHidden(const std::string& program, const std::string& output,
                                      uint32_t timeoutMs) const {
    runs.push_back({program, output, timeoutMs, platform::ReadWholeFile(program)});
    if (dumpOutput) platform::WriteWholeFile(output, *dumpOutput);
    return dumpEndsInTime;
}

bool FakeDiskDevice::Control(platform::DiskPort port, uint32_t code,
                             std::span<const std::byte> input, std::span<std::byte> output) const {
    calls.push_back({port, code,
                     std::string(reinterpret_cast<const char*>(input.data()), input.size()),
                     output.size(), input.data() == output.data()});
    if (!opens || !accepts) return false;
    if (!identifyBlock) return true;
    // The NT miniport reply repeats the 28-byte control header, then the command-out record
    // (4-byte size, 12-byte driver status); the SMART reply starts with the command-out record.
    const size_t at = port == platform::DiskPort::Scsi0 ? 28 + 16 : 16;
    const std::string& block = *identifyBlock;
    if (at < output.size())
        std::memcpy(output.data() + at, block.data(), std::min(output.size() - at, block.size()));
    return true;
}

}  // namespace testing_support
