#include "platform/perf_data.h"

#include <windows.h>
#include <winperf.h>
#include <winternl.h>

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "core/perf_block.h"

namespace platform {
namespace {

namespace L = core::perf::layout;

// Our offsets must be the platform's.
static_assert(offsetof(PERF_DATA_BLOCK, TotalByteLength) == L::kBlockTotalByteLength);
static_assert(offsetof(PERF_DATA_BLOCK, HeaderLength) == L::kBlockHeaderLength);
static_assert(offsetof(PERF_DATA_BLOCK, NumObjectTypes) == L::kBlockNumObjectTypes);
static_assert(offsetof(PERF_DATA_BLOCK, SystemTime) == L::kBlockSystemTime);
static_assert(offsetof(PERF_DATA_BLOCK, PerfTime100nSec) == L::kBlockPerfTime100nSec);
static_assert(offsetof(PERF_DATA_BLOCK, SystemNameOffset) == L::kBlockSystemNameOffset);
static_assert(sizeof(PERF_DATA_BLOCK) == L::kBlockSize);
static_assert(offsetof(PERF_OBJECT_TYPE, DefinitionLength) == L::kObjectDefinitionLength);
static_assert(offsetof(PERF_OBJECT_TYPE, HeaderLength) == L::kObjectHeaderLength);
static_assert(offsetof(PERF_OBJECT_TYPE, ObjectNameTitleIndex) == L::kObjectNameTitleIndex);
static_assert(offsetof(PERF_OBJECT_TYPE, NumCounters) == L::kObjectNumCounters);
static_assert(offsetof(PERF_OBJECT_TYPE, NumInstances) == L::kObjectNumInstances);
static_assert(offsetof(PERF_OBJECT_TYPE, CodePage) == L::kObjectCodePage);
static_assert(sizeof(PERF_OBJECT_TYPE) == L::kObjectSize);
static_assert(offsetof(PERF_COUNTER_DEFINITION, CounterNameTitleIndex) ==
              L::kCounterNameTitleIndex);
static_assert(offsetof(PERF_COUNTER_DEFINITION, CounterType) == L::kCounterType);
static_assert(offsetof(PERF_COUNTER_DEFINITION, CounterOffset) == L::kCounterOffset);
static_assert(sizeof(PERF_COUNTER_DEFINITION) == L::kCounterDefinitionSize);
static_assert(offsetof(PERF_INSTANCE_DEFINITION, NameOffset) == L::kInstanceNameOffset);
static_assert(offsetof(PERF_INSTANCE_DEFINITION, NameLength) == L::kInstanceNameLength);
static_assert(sizeof(PERF_INSTANCE_DEFINITION) == L::kInstanceSize);
static_assert(sizeof(PERF_COUNTER_BLOCK) == L::kCounterBlockSize);
static_assert(PERF_100NSEC_TIMER_INV == core::perf::kInverse100nsTimer);
static_assert(PERF_NO_INSTANCES == core::perf::kNoInstances);

constexpr wchar_t kUsageValue[] = L"KERNEL\\CPUUsage";

void ReadUsage(HKEY key, uint32_t& usage) {
    DWORD value = 0, size = sizeof value;
    if (RegQueryValueExW(key, kUsageValue, nullptr, nullptr, reinterpret_cast<BYTE*>(&value),
                         &size) == ERROR_SUCCESS)
        usage = value;
}

// Opens, reads once and closes one of the statistic's control keys.
bool TouchControlKey(const wchar_t* path, uint32_t& usage) {
    HKEY raw = nullptr;
    if (RegOpenKeyExW(HKEY_DYN_DATA, path, 0, KEY_ALL_ACCESS, &raw) != ERROR_SUCCESS) return false;
    const UniqueKey key(raw);
    ReadUsage(key.get(), usage);
    return true;
}

}  // namespace

Win32PerfData::~Win32PerfData() {
    if (queried_) RegCloseKey(HKEY_PERFORMANCE_DATA);
}

std::optional<uint32_t> Win32PerfData::PlatformId() {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExW(&info)) return std::nullopt;
#pragma GCC diagnostic pop
    return info.dwPlatformId;
}

long Win32PerfData::QueryProcessorData(std::span<std::byte> buffer) {
    if (!ownLayer_) {
        queried_ = true;
        DWORD size = static_cast<DWORD>(std::min<size_t>(buffer.size(), MAXDWORD));
        const LONG rc = RegQueryValueExW(HKEY_PERFORMANCE_DATA, L"238", nullptr, nullptr,
                                         reinterpret_cast<BYTE*>(buffer.data()), &size);
        if (rc != ERROR_SUCCESS ||
            core::perf::FindObject(buffer.first(std::min<size_t>(size, buffer.size())),
                                   core::perf::kProcessorObject))
            return rc;
        // The platform answers without the object. Its answer costs tens of milliseconds under
        // Wine, so from now on only our layer is asked.
        if (!ProcessorBlockFromIdleTimes()) return rc;
        ownLayer_ = true;
    }
    const auto ours = ProcessorBlockFromIdleTimes();
    if (!ours) return ERROR_READ_FAULT;
    if (ours->size() > buffer.size()) return ERROR_MORE_DATA;
    std::copy(ours->begin(), ours->end(), buffer.begin());
    return ERROR_SUCCESS;
}

bool Win32PerfData::StartStatistic(uint32_t& usage) {
    return TouchControlKey(L"PerfStats\\StartStat", usage);
}

bool Win32PerfData::OpenStatistic() {
    HKEY raw = nullptr;
    if (RegOpenKeyExW(HKEY_DYN_DATA, L"PerfStats\\StatData", 0, KEY_READ, &raw) != ERROR_SUCCESS)
        return false;
    statData_.reset(raw);
    return true;
}

void Win32PerfData::ReadStatistic(uint32_t& usage) {
    if (statData_) ReadUsage(statData_.get(), usage);
}

void Win32PerfData::CloseStatistic() {
    statData_.reset();
}

void Win32PerfData::StopStatistic() {
    uint32_t ignored = 0;
    TouchControlKey(L"PerfStats\\StopStat", ignored);
}

std::optional<std::vector<std::byte>> ProcessorBlockFromIdleTimes() {
    // One processor group holds at most 64 processors.
    SYSTEM_PROCESSOR_PERFORMANCE_INFORMATION info[64];
    ULONG returned = 0;
    SYSTEMTIME now;
    GetSystemTime(&now);
    if (!NT_SUCCESS(NtQuerySystemInformation(SystemProcessorPerformanceInformation, info,
                                             sizeof info, &returned)))
        return std::nullopt;
    const size_t n = returned / sizeof info[0];
    if (n == 0) return std::nullopt;
    std::vector<uint64_t> idle(n);
    for (size_t i = 0; i < n; ++i)
        idle[i] = static_cast<uint64_t>(info[i].IdleTime.QuadPart);
    const core::perf::BlockTime time{now.wYear, now.wMonth,  now.wDayOfWeek, now.wDay,
                                     now.wHour, now.wMinute, now.wSecond,    now.wMilliseconds};
    return core::perf::BuildProcessorBlock(time, idle);
}

}  // namespace platform
