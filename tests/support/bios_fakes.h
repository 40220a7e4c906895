#pragma once
// A scripted stand-in for the BIOS reader's access to the machine.
#include <cstddef>
#include <cstdint>
#include <span>
#include <optional>
#include <string>
#include <vector>

#include "platform/bios_source.h"

namespace testing_support {

class FakeBiosSource : public platform::BiosSource {
  public:
    bool is95Family = false;
    std::optional<std::string> linearArea;  // nullopt: the copy faults
    platform::SectionRead sectionResult = platform::SectionRead::Refused;
    std::string sectionArea;  // copied when the section reads
    std::string tempFolder;
    // What the DOS program leaves in its output file (nullopt: no file) and whether the wait
    // ends in time.
    std::optional<std::string> dumpOutput;
    bool dumpEndsInTime = true;

    struct Run {
        std::string program, output;
        uint32_t timeoutMs;
        std::optional<std::string> programBytes;  // the program file as the run found it
    };
    mutable std::vector<Run> runs;
    mutable std::vector<uint32_t> lastErrors;
    mutable unsigned linearReads = 0, sectionReads = 0;

    bool Is95Family() const override { return is95Family; }
    bool CopyLinearArea(std::span<std::byte> area) const override;
    platform::SectionRead ReadPhysicalSection(std::span<std::byte> area) const override;
    bool RunCommandHidden(const std::string& program, const std::string& output,
                          uint32_t timeoutMs) const override;
    std::string TempFolder() const override { return tempFolder; }
    void SetLastError(uint32_t code) const override { lastErrors.push_back(code); }
};

}  // namespace testing_support
