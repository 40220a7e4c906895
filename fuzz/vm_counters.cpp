// The memory counters record of a process: eleven pointer-wide fields. A parse reads inside the
// record only, refuses what is shorter than it, and takes its figures from the right fields.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

#include "fuzz_support.h"
#include "platform/vm_counters.h"

namespace {

uint64_t Field(const uint8_t* data, size_t index, size_t width) {
    uint64_t v = 0;
    std::memcpy(&v, data + index * width, width);  // little-endian, as the record is
    return v;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const std::byte> block(reinterpret_cast<const std::byte*>(data), size);
    for (const size_t width : {size_t{0}, size_t{2}, size_t{4}, size_t{8}, size_t{16}}) {
        const auto counters = platform::ParseVmCounters(block, width);
        const bool known = width == 4 || width == 8;
        FUZZ_CHECK(counters.has_value() == (known && size >= platform::VmCountersLength(width)));
        if (!counters) continue;
        // The virtual size is the second field, the working set the fifth.
        FUZZ_CHECK(counters->virtualSize == Field(data, 1, width));
        FUZZ_CHECK(counters->workingSetSize == Field(data, 4, width));
    }
    return 0;
}
