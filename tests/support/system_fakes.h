#pragma once
// Scripted stand-ins for the system query and disk seams: a machine described by the test.
// Header-only and free of Windows headers, so pure tests can use them in the native build too.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <deque>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

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
    std::optional<platform::DisplayDeviceRecord> DisplayDevice(uint32_t index) const override {
        ++displayDeviceCalls;
        if (index >= displayDevices.size()) return std::nullopt;
        return displayDevices[index];
    }
    std::optional<platform::MemoryStatusRecord> MemoryStatus() const override { return memory; }
    std::optional<std::string> Text(platform::SystemText which) const override {
        const auto it = texts.find(which);
        if (it == texts.end()) return std::nullopt;
        return it->second;
    }
    uint64_t TimeStampCounter() const override {
        timingSteps.push_back("counter");
        if (counterReadings.empty()) return 0;
        const uint64_t v = counterReadings.front();
        counterReadings.pop_front();
        return v;
    }
    void Sleep(uint32_t milliseconds) const override {
        timingSteps.push_back("sleep " + std::to_string(milliseconds));
    }
    uint32_t ProcessPriorityClass() const override { return priorityClass; }
    void SetProcessPriorityClass(uint32_t value) const override {
        timingSteps.push_back("class " + std::to_string(value));
    }
    int ThreadPriority() const override { return threadPriority; }
    void SetThreadPriority(int value) const override {
        timingSteps.push_back("thread " + std::to_string(value));
    }
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
                 std::span<std::byte> output) const override {
        calls.push_back({port, code,
                         std::string(reinterpret_cast<const char*>(input.data()), input.size()),
                         output.size(), input.data() == output.data()});
        if (!opens || !accepts) return false;
        if (!identifyBlock) return true;
        // The NT miniport reply repeats the 28-byte control header, then the command-out record
        // (4-byte size, 12-byte driver status); the SMART reply starts with the command-out
        // record.
        const size_t at = port == platform::DiskPort::Scsi0 ? 28 + 16 : 16;
        const std::string& block = *identifyBlock;
        if (at < output.size())
            std::memcpy(output.data() + at, block.data(),
                        std::min(output.size() - at, block.size()));
        return true;
    }
};

}  // namespace testing_support
