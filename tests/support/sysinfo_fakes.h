#pragma once
// Scripted stand-ins for the system information seams: a machine described by the test.
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/bios_source.h"
#include "platform/disk_device.h"
#include "platform/system_queries.h"

namespace testing_support {

class FakeSystemQueries : public platform::SystemQueries {
  public:
    platform::VersionRecord version;
    platform::SystemInfoRecord systemInfo;
    std::optional<int32_t> displayFrequency;
    std::vector<platform::DisplayDeviceRecord> displayDevices;
    std::optional<platform::MemoryStatusRecord> memory;
    std::map<platform::SystemText, std::string> texts;  // absent: the call fails
    mutable std::deque<uint64_t> counterReadings;       // one per read; 0 when used up
    uint32_t priorityClass = 32;                        // NORMAL_PRIORITY_CLASS
    int threadPriority = 0;

    // Every timing step in order: "class 256", "thread 15", "sleep 10", "counter", ...
    mutable std::vector<std::string> timingSteps;
    mutable unsigned displayDeviceCalls = 0;

    platform::VersionRecord Version() const override { return version; }
    platform::SystemInfoRecord SystemInfo() const override { return systemInfo; }
    std::optional<int32_t> CurrentDisplayFrequency() const override { return displayFrequency; }
    std::optional<platform::DisplayDeviceRecord> DisplayDevice(uint32_t index) const override;
    std::optional<platform::MemoryStatusRecord> MemoryStatus() const override { return memory; }
    std::optional<std::string> Text(platform::SystemText which) const override;
    uint64_t TimeStampCounter() const override;
    void Sleep(uint32_t milliseconds) const override;
    uint32_t ProcessPriorityClass() const override { return priorityClass; }
    void SetProcessPriorityClass(uint32_t priorityClass) const override;
    int ThreadPriority() const override { return threadPriority; }
    void SetThreadPriority(int priority) const override;
};

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

// A driver that answers IDENTIFY with a given block, placed where the driver's reply record
// puts it.
class FakeDiskDevice : public platform::DiskDevice {
  public:
    bool is95Family = false;
    bool opens = true;
    bool accepts = true;
    std::optional<std::string> identifyBlock;  // nullopt: the driver returns no data

    struct Call {
        platform::DiskPort port;
        uint32_t code;
        std::string input;
        size_t outputSize;
        bool inPlace;
    };
    mutable std::vector<Call> calls;

    bool Is95Family() const override { return is95Family; }
    bool Control(platform::DiskPort port, uint32_t code, std::span<const std::byte> input,
                 std::span<std::byte> output) const override;
};

}  // namespace testing_support
