// The performance data block (the platform's processor data, or our layer's) as the meter reads
// it: every length and offset comes from the bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <variant>

#include "core/perf_block.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const std::byte> block(reinterpret_cast<const std::byte*>(data), size);
    const auto found = core::perf::FindObject(block, core::perf::kProcessorObject);
    FUZZ_CHECK(!found || *found < size);
    for (const int32_t limit : {-1, 0, 1, 3}) {
        const auto result = core::perf::ParseProcessorBlock(block, limit);
        if (const auto* s = std::get_if<core::perf::ProcessorSample>(&result)) {
            FUZZ_CHECK(found.has_value());
            FUZZ_CHECK(s->instances >= 0);
            const size_t wanted = limit < 0 ? static_cast<size_t>(s->instances)
                                            : std::min<size_t>(static_cast<size_t>(limit),
                                                               static_cast<size_t>(s->instances));
            FUZZ_CHECK(s->values.size() == wanted);
            // The time read back is a real calendar time.
            FUZZ_CHECK(core::perf::IntervalsSince1601(core::perf::TimeOfIntervals(s->time)) ==
                       s->time);
        }
    }
    return 0;
}
