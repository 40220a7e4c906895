#include "platform/vm_counters.h"

namespace platform {
namespace {

// Field indexes within the record, in pointer-wide slots.
constexpr size_t kVirtualSizeSlot = 1;
constexpr size_t kWorkingSetSizeSlot = 4;

uint64_t ReadLittleEndian(std::span<const std::byte> block, size_t offset, size_t width) {
    uint64_t value = 0;
    for (size_t i = width; i-- > 0;)
        value = (value << 8) | static_cast<uint8_t>(block[offset + i]);
    return value;
}

}  // namespace

std::optional<ProcessMemoryCounters> ParseVmCounters(std::span<const std::byte> block,
                                                     size_t pointerSize) {
    if (pointerSize != 4 && pointerSize != 8) return std::nullopt;
    if (block.size() < VmCountersLength(pointerSize)) return std::nullopt;
    ProcessMemoryCounters counters;
    counters.virtualSize = ReadLittleEndian(block, kVirtualSizeSlot * pointerSize, pointerSize);
    counters.workingSetSize =
        ReadLittleEndian(block, kWorkingSetSizeSlot * pointerSize, pointerSize);
    return counters;
}

}  // namespace platform
