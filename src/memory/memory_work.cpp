#include "memory/memory_work.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>

#include "core/number_text.h"

namespace memory {

uint32_t BlockCount(uint64_t totalPhysBytes) {
    const uint64_t blocks = (totalPhysBytes >> 20) + 1;
    return static_cast<uint32_t>(std::min<uint64_t>(blocks, UINT32_MAX));
}

uint32_t BlocksUsed(uint32_t blockCount) {
    return std::min(blockCount, kMaxBlocks);
}

uint32_t GaugeMaximum(uint32_t blockCount) {
    return 2 * BlocksUsed(blockCount);
}

int GaugePercent(int progress, int maximum) {
    if (maximum <= 0) return 0;
    return static_cast<int>(int64_t{std::clamp(progress, 0, maximum)} * 100 / maximum);
}

bool ShouldAutoOptimize(bool autoOptimize, int threshold, uint32_t load) {
    return autoOptimize && static_cast<int64_t>(threshold) < static_cast<int64_t>(load);
}

std::string ByteFigureText(uint64_t bytes) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%" PRIu64 " B", bytes);
    return buf;
}

std::string LoadText(uint32_t load) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "%" PRIu32 " %%", load);
    return buf;
}

std::string ThresholdText(int position) {
    return std::to_string(position) + "%";
}

std::string CpuUsageText(double usage, std::string_view decimalSeparator) {
    return " CPU Usage  " + core::FormatWithSeparator("%5.2f%%", usage * 100, decimalSeparator);
}

std::optional<std::string> CpuPanelText(Unitcpu& meter, std::string_view decimalSeparator) {
    meter.SampleCpuCounters();
    const double usage = meter.CpuUsage(0);
    if (!meter.HasEarlierSample()) return std::nullopt;
    return CpuUsageText(usage, decimalSeparator);
}

MemoryTexts FigureTexts(const platform::MemoryFigures& f) {
    return {ByteFigureText(f.totalPhys),
            ByteFigureText(f.availPhys),
            ByteFigureText(f.totalPageFile),
            ByteFigureText(f.availPageFile),
            ByteFigureText(f.totalVirtual),
            ByteFigureText(f.availVirtual),
            LoadText(f.load)};
}

namespace {

// Releases what the run committed and clears the running mark however the run ends, also when
// the progress callback throws.
class RunGuard {
  public:
    RunGuard(OptimizerState& state, platform::VirtualMemory& memory,
             const std::function<void()>& progress)
        : state_(state), memory_(memory), progress_(progress) {
        state_.running = true;
        state_.blocks.clear();
    }
    ~RunGuard() {
        while (released_ < state_.blocks.size())
            memory_.Release(state_.blocks[released_++]);
        state_.blocks.clear();
        state_.running = false;
    }
    RunGuard(const RunGuard&) = delete;
    RunGuard& operator=(const RunGuard&) = delete;

    void ReleaseAll() {
        while (released_ < state_.blocks.size()) {
            memory_.Release(state_.blocks[released_++]);
            if (progress_) progress_();
        }
    }

  private:
    OptimizerState& state_;
    platform::VirtualMemory& memory_;
    const std::function<void()>& progress_;
    size_t released_ = 0;
};

}  // namespace

uint32_t FreeUpMemory(OptimizerState& state, uint32_t blockCount, platform::VirtualMemory& memory,
                      const std::function<void()>& progress, size_t blockBytes) {
    if (state.running) return 0;
    RunGuard run(state, memory, progress);
    const uint32_t n = BlocksUsed(blockCount);
    state.blocks.reserve(n);
    for (uint32_t i = 0; i < n; ++i) {
        void* region = memory.Commit(blockBytes);
        if (!region) break;
        state.blocks.push_back(region);
        // Writing every word makes the system hand over a real page for each page of it.
        auto* words = static_cast<volatile uint32_t*>(region);
        for (size_t w = 0; w < blockBytes / sizeof(uint32_t); ++w)
            words[w] = 0;
        if (progress) progress();
    }
    const auto committed = static_cast<uint32_t>(state.blocks.size());
    run.ReleaseAll();
    return committed;
}

}  // namespace memory
