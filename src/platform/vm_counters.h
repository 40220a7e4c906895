#pragma once
// The memory counters record of a process as the native process query returns it. No Windows
// header: pure logic over the record's bytes.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace platform {

// Byte counts of a process's memory, full width.
struct ProcessMemoryCounters {
    uint64_t workingSetSize = 0;
    uint64_t virtualSize = 0;
};

// The record is eleven pointer-wide fields, the third (the page fault count) a 32-bit number
// padded to pointer width; `pointerSize` is 4 or 8. nullopt when the block is shorter than the
// record or the width is neither.
std::optional<ProcessMemoryCounters> ParseVmCounters(std::span<const std::byte> block,
                                                     size_t pointerSize);

// The record's length for a pointer width: 44 or 88 bytes.
constexpr size_t VmCountersLength(size_t pointerSize) {
    return 11 * pointerSize;
}

}  // namespace platform
