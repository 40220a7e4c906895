#pragma once
// The memory page's work over plain values: figure texts, block counts, the auto-optimize rule
// and the optimizer's commit-and-release loop.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "memory/unitcpu.h"
#include "platform/memory_status.h"
#include "platform/virtual_memory.h"

namespace memory {

inline constexpr size_t kBlockBytes = size_t{1} << 20;
inline constexpr uint32_t kMaxBlocks = 1024;
inline constexpr int kThresholdMin = 60, kThresholdMax = 100;

// Whole mebibytes of physical memory plus one.
uint32_t BlockCount(uint64_t totalPhysBytes);
// How many blocks one optimization commits: the block count, at most kMaxBlocks.
uint32_t BlocksUsed(uint32_t blockCount);
// The gauge counts each block used twice (commit and release), so it ends full.
uint32_t GaugeMaximum(uint32_t blockCount);
// The percentage the gauge writes in its middle.
int GaugePercent(int progress, int maximum);

// Strictly above the threshold: a load equal to it does nothing.
bool ShouldAutoOptimize(bool autoOptimize, int threshold, uint32_t load);

// A byte figure in full, such as "3221225472 B".
std::string ByteFigureText(uint64_t bytes);
// The memory load, such as "61 %".
std::string LoadText(uint32_t load);
// The threshold label, such as "75%".
std::string ThresholdText(int position);
// The status bar's processor text, such as " CPU Usage  12.50%".
std::string CpuUsageText(double usage, std::string_view decimalSeparator);

// One tick's processor text for the status bar: samples the counters, then the usage of
// processor 0. nullopt while the meter has a single sample, whose usage means nothing; the
// meter's errors pass through.
std::optional<std::string> CpuPanelText(Unitcpu& meter, std::string_view decimalSeparator);

// The seven value labels of the page.
struct MemoryTexts {
    std::string totalRam, freeRam, totalPage, pageFree, totalVirtual, freeVirtual, memoryLoad;
};
MemoryTexts FigureTexts(const platform::MemoryFigures& figures);

struct OptimizerState {
    bool running = false;       // an optimization is under way
    std::vector<void*> blocks;  // the regions committed by the current optimization
};

// Commits and writes up to kMaxBlocks regions of `blockBytes`, then releases them all, calling
// `progress` (when given) after each commit and each release. Returns at once, committing
// nothing, when an optimization is already running. A region that cannot be committed ends the
// committing; whatever was committed is released and the running mark cleared in every case.
// Returns the number of regions committed.
uint32_t FreeUpMemory(OptimizerState& state, uint32_t blockCount, platform::VirtualMemory& memory,
                      const std::function<void()>& progress, size_t blockBytes = kBlockBytes);

}  // namespace memory
