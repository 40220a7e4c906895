// The meter on the platform's own path. Under Wine the performance data has no processor object,
// so this runs our layer over the real per-processor idle times.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "core/perf_block.h"
#include "memory/unitcpu.h"
#include "platform/handles.h"
#include "platform/perf_data.h"

namespace {

constexpr wchar_t kBusyFlag[] = L"--veltrin-busy-child";

// Started with kBusyFlag, this test program only keeps a processor busy for a few seconds.
const bool kIsBusyChild = [] {
    if (!wcsstr(GetCommandLineW(), kBusyFlag)) return false;
    const ULONGLONG end = GetTickCount64() + 6000;
    volatile unsigned spin = 0;
    while (GetTickCount64() < end)
        for (int i = 0; i < 100000; ++i)
            spin = spin + 1;
    ExitProcess(0);
}();

DWORD ProcessorCount() {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return info.dwNumberOfProcessors;
}

TEST(CpuMeterPlatform, TheBlockHasEachProcessorAndTheTotal) {
    platform::Win32PerfData platform;
    std::vector<std::byte> buffer(memory::kInitialPerfBufferBytes);
    ASSERT_EQ(platform.QueryProcessorData(buffer), 0);
    const auto parsed = core::perf::ParseProcessorBlock(buffer, -1);
    ASSERT_TRUE(std::holds_alternative<core::perf::ProcessorSample>(parsed));
    const auto& sample = std::get<core::perf::ProcessorSample>(parsed);
    EXPECT_EQ(sample.instances, static_cast<int32_t>(ProcessorCount() + 1));
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const uint64_t nowIntervals = (uint64_t{now.dwHighDateTime} << 32) | now.dwLowDateTime;
    EXPECT_LT(nowIntervals - sample.time, 10'000'000u) << "the block's time is the system time";

    // A buffer too small for it is answered with "more data".
    std::vector<std::byte> tiny(64);
    EXPECT_EQ(platform.QueryProcessorData(tiny), 234);
}

TEST(CpuMeterPlatform, IsTheNtFamilyAndSamples) {
    platform::Win32PerfData platform;
    memory::Unitcpu meter(platform);
    ASSERT_TRUE(meter.IsNt());
    meter.SampleCpuCounters();
    Sleep(300);
    meter.SampleCpuCounters();
    EXPECT_EQ(meter.ProcessorCount(), static_cast<int32_t>(ProcessorCount() + 1));
    for (int i = 0; i < meter.ProcessorCount(); ++i) {
        const double usage = meter.CpuUsage(i);
        EXPECT_GE(usage, -0.1) << i;
        EXPECT_LE(usage, 1.1) << i;
    }
    meter.StopCpuStatistics();
}

// Child processes of this test, each spinning until it ends or is ended.
struct BusyChildren {
    std::vector<platform::UniqueHandle> processes;
    ~BusyChildren() {
        for (auto& p : processes)
            TerminateProcess(p.get(), 0);
    }
};

// A one-second reading of processor 0 and of the total.
struct Reading {
    double processor0, total;
};

Reading Measure(memory::Unitcpu& meter) {
    meter.SampleCpuCounters();
    Sleep(1000);
    meter.SampleCpuCounters();
    return {meter.CpuUsage(0), meter.CpuUsage(meter.ProcessorCount() - 1)};
}

TEST(CpuMeterPlatform, TheReadingRisesWhileAChildKeepsTheProcessorsBusy) {
    platform::Win32PerfData platform;
    memory::Unitcpu meter(platform);
    const Reading quiet = Measure(meter);

    wchar_t module[MAX_PATH];
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    // Run from a host path without a drive (as the tests are), the module name is only usable
    // in its long form.
    std::wstring exe = module;
    if (exe.rfind(L"\\\\", 0) != 0) exe = L"\\\\?\\" + exe;
    BusyChildren busy;
    for (DWORD i = 0; i < ProcessorCount(); ++i) {
        std::wstring commandLine = L"\"" + exe + L"\" " + kBusyFlag;
        STARTUPINFOW si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        ASSERT_TRUE(CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                                   nullptr, nullptr, &si, &pi));
        CloseHandle(pi.hThread);
        busy.processes.emplace_back(pi.hProcess);
    }
    Sleep(300);  // the children are up and spinning
    const Reading loaded = Measure(meter);
    for (const auto& p : busy.processes)
        EXPECT_EQ(WaitForSingleObject(p.get(), 0), static_cast<DWORD>(WAIT_TIMEOUT))
            << "a child still spinning";
    std::printf("quiet: processor 0 %.3f, total %.3f; busy: processor 0 %.3f, total %.3f\n",
                quiet.processor0, quiet.total, loaded.processor0, loaded.total);

    // With every processor spun, whatever else runs here, processor 0 is mostly busy.
    EXPECT_GT(loaded.processor0, 0.6);
    EXPECT_GT(loaded.total, 0.6);
    // Other programs on this machine may already have kept it busy; otherwise it rises.
    if (quiet.processor0 >= 0.85)
        std::printf("the machine was already busy before the children started: no rise to see\n");
    if (quiet.processor0 < 0.85) {
        EXPECT_GT(loaded.processor0, quiet.processor0);
    }
    if (quiet.total < 0.85) {
        EXPECT_GT(loaded.total, quiet.total);
    }
}

}  // namespace
