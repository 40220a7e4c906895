#pragma once
// The URL cache's entry block as the 64-bit cache functions fill a caller's buffer: a fixed part
// of 112 bytes followed by the entry's texts, which the fixed part points at by address. The
// texts are UTF-16. Pure logic: no Windows header, so it builds and can be fuzzed natively.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace core {

// Offsets inside the fixed part (little-endian; addresses are 8 bytes, 8-aligned).
namespace cache_block {
inline constexpr size_t kStructSize = 0;       // u32
inline constexpr size_t kSourceUrlName = 8;    // address of a UTF-16 text
inline constexpr size_t kLocalFileName = 16;   // address
inline constexpr size_t kEntryType = 24;       // u32
inline constexpr size_t kUseCount = 28;        // u32
inline constexpr size_t kHitRate = 32;         // u32
inline constexpr size_t kSizeLow = 36;         // u32
inline constexpr size_t kSizeHigh = 40;        // u32
inline constexpr size_t kLastModified = 44;    // two u32: low, high (100 ns ticks since 1601)
inline constexpr size_t kExpire = 52;          // two u32
inline constexpr size_t kLastAccess = 60;      // two u32
inline constexpr size_t kLastSync = 68;        // two u32
inline constexpr size_t kHeaderInfo = 80;      // address
inline constexpr size_t kHeaderInfoSize = 88;  // u32
inline constexpr size_t kFileExtension = 96;   // address
inline constexpr size_t kExemptDelta = 104;    // u32
inline constexpr size_t kFixedSize = 112;
}  // namespace cache_block

// Entry-type bits of the cache, as the platform defines them.
inline constexpr uint32_t kNormalCacheEntry = 0x00000001;
inline constexpr uint32_t kCookieCacheEntry = 0x00100000;
inline constexpr uint32_t kUrlHistoryCacheEntry = 0x00200000;

struct CacheEntryRecord {
    std::u16string sourceUrlName;
    std::u16string localFileName;
    uint32_t entryType = 0;
    uint32_t useCount = 0;
    uint32_t hitRate = 0;
    uint32_t sizeLow = 0;
    uint32_t sizeHigh = 0;
    uint64_t lastModified = 0;  // FILETIME ticks
    uint64_t expire = 0;
    uint64_t lastAccess = 0;
    uint64_t lastSync = 0;
    std::u16string headerInfo;
    std::u16string fileExtension;
    uint32_t exemptDelta = 0;

    bool operator==(const CacheEntryRecord&) const = default;
};

// Reads a block that lies at `blockAddress` in memory. A text is read up to its first NUL, or to
// the end of the block when it has none; a null address, or one that does not point into the
// block, reads as the empty text: the platform always puts the texts inside the block, and
// nothing outside it is ours to read. nullopt when the block is shorter than the fixed part.
std::optional<CacheEntryRecord> ParseCacheEntryBlock(std::span<const std::byte> block,
                                                     uint64_t blockAddress);

// The bytes a block of this record takes: the fixed part and each non-empty text with its NUL.
size_t CacheEntryBlockSize(const CacheEntryRecord& record);

// Lays the record out in `out` (at least CacheEntryBlockSize bytes), with addresses of `out`'s
// own memory; empty texts get a null address. Returns false, writing nothing, when it is short.
bool EncodeCacheEntryBlock(const CacheEntryRecord& record, std::span<std::byte> out);

// Which entries a search pattern asks for. A pattern names a container by the prefix of its
// URLs: "Cookie:" the cookies, "Visited:" the history; no pattern, or the empty one, the content
// entries, whose URLs carry neither prefix. Prefixes compare without ASCII letter case.
bool PatternSelects(const std::optional<std::string>& pattern, std::u16string_view url);

// An entry a walk hands out: its URL fits the pattern and its type shares a bit with the filter.
bool WalkSelects(const std::optional<std::string>& pattern, uint32_t filter,
                 const CacheEntryRecord& record);

}  // namespace core
