#include "support/bios_fakes.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "platform/files.h"

namespace testing_support {

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

}  // namespace testing_support
