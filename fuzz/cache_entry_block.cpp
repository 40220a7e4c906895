// A URL cache entry block as the cache hands it over: the fixed part and texts that its own
// addresses point at. Whatever the bytes, a parse reads inside the block only, and a record
// read back from its own encoding is the same record.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/cache_entry_block.h"
#include "fuzz_support.h"

namespace {

// The seeds lay their texts out as if the block stood at this address.
constexpr uint64_t kSeedAddress = 0x10000;

void RoundTrip(const core::CacheEntryRecord& record) {
    std::vector<std::byte> out(core::CacheEntryBlockSize(record));
    FUZZ_CHECK(out.size() >= core::cache_block::kFixedSize);
    FUZZ_CHECK(core::EncodeCacheEntryBlock(record, out));
    const auto again = core::ParseCacheEntryBlock(out, reinterpret_cast<uintptr_t>(out.data()));
    FUZZ_CHECK(again.has_value());
    FUZZ_CHECK(*again == record);
    if (!out.empty()) {
        std::vector<std::byte> shorter(out.size() - 1);
        FUZZ_CHECK(!core::EncodeCacheEntryBlock(record, shorter));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const std::byte> block(reinterpret_cast<const std::byte*>(data), size);
    for (const uint64_t at :
         {kSeedAddress, static_cast<uint64_t>(reinterpret_cast<uintptr_t>(data))}) {
        const auto record = core::ParseCacheEntryBlock(block, at);
        FUZZ_CHECK(record.has_value() == (size >= core::cache_block::kFixedSize));
        if (!record) continue;
        // No text can be longer than the block it came from.
        for (const auto* text : {&record->sourceUrlName, &record->localFileName,
                                 &record->headerInfo, &record->fileExtension})
            FUZZ_CHECK(text->size() * 2 <= size);
        RoundTrip(*record);
        for (const std::optional<std::string>& pattern :
             {std::optional<std::string>{}, std::optional<std::string>{""},
              std::optional<std::string>{"Cookie:"}, std::optional<std::string>{"visited:"}})
            for (const uint32_t filter : {0u, core::kNormalCacheEntry, core::kCookieCacheEntry,
                                          core::kUrlHistoryCacheEntry, 0xFFFFFFFFu}) {
                const bool selected = core::WalkSelects(pattern, filter, *record);
                FUZZ_CHECK(!selected || (record->entryType & filter) != 0);
            }
    }
    return 0;
}
