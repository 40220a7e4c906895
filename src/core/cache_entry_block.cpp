#include "core/cache_entry_block.h"

#include <cstring>

namespace core {
namespace {

using namespace cache_block;

uint32_t ReadU32(std::span<const std::byte> b, size_t at) {
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i)
        v |= static_cast<uint32_t>(b[at + i]) << (8 * i);
    return v;
}

uint64_t ReadU64(std::span<const std::byte> b, size_t at) {
    return static_cast<uint64_t>(ReadU32(b, at)) | static_cast<uint64_t>(ReadU32(b, at + 4)) << 32;
}

void WriteU32(std::span<std::byte> b, size_t at, uint32_t v) {
    for (size_t i = 0; i < 4; ++i)
        b[at + i] = static_cast<std::byte>(v >> (8 * i));
}

void WriteU64(std::span<std::byte> b, size_t at, uint64_t v) {
    WriteU32(b, at, static_cast<uint32_t>(v));
    WriteU32(b, at + 4, static_cast<uint32_t>(v >> 32));
}

std::u16string ReadText(std::span<const std::byte> b, uint64_t blockAddress, uint64_t address) {
    std::u16string text;
    if (address < blockAddress || address - blockAddress >= b.size()) return text;
    for (size_t at = static_cast<size_t>(address - blockAddress); at + 1 < b.size(); at += 2) {
        const auto unit = static_cast<char16_t>(static_cast<uint16_t>(b[at]) |
                                                static_cast<uint16_t>(b[at + 1]) << 8);
        if (unit == u'\0') break;
        text.push_back(unit);
    }
    return text;
}

size_t TextBytes(const std::u16string& text) {
    return text.empty() ? 0 : (text.size() + 1) * 2;
}

char16_t LowerUnit(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool StartsWithIgnoreAsciiCase(std::u16string_view url, std::string_view prefix) {
    if (url.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (LowerUnit(url[i]) != LowerUnit(static_cast<char16_t>(prefix[i]))) return false;
    return true;
}

constexpr std::string_view kCookiePrefix = "Cookie:";
constexpr std::string_view kHistoryPrefix = "Visited:";

}  // namespace

std::optional<CacheEntryRecord> ParseCacheEntryBlock(std::span<const std::byte> block,
                                                     uint64_t blockAddress) {
    if (block.size() < kFixedSize) return std::nullopt;
    CacheEntryRecord r;
    r.sourceUrlName = ReadText(block, blockAddress, ReadU64(block, kSourceUrlName));
    r.localFileName = ReadText(block, blockAddress, ReadU64(block, kLocalFileName));
    r.entryType = ReadU32(block, kEntryType);
    r.useCount = ReadU32(block, kUseCount);
    r.hitRate = ReadU32(block, kHitRate);
    r.sizeLow = ReadU32(block, kSizeLow);
    r.sizeHigh = ReadU32(block, kSizeHigh);
    r.lastModified = ReadU64(block, kLastModified);
    r.expire = ReadU64(block, kExpire);
    r.lastAccess = ReadU64(block, kLastAccess);
    r.lastSync = ReadU64(block, kLastSync);
    r.headerInfo = ReadText(block, blockAddress, ReadU64(block, kHeaderInfo));
    r.fileExtension = ReadText(block, blockAddress, ReadU64(block, kFileExtension));
    r.exemptDelta = ReadU32(block, kExemptDelta);
    return r;
}

size_t CacheEntryBlockSize(const CacheEntryRecord& r) {
    return kFixedSize + TextBytes(r.sourceUrlName) + TextBytes(r.localFileName) +
           TextBytes(r.headerInfo) + TextBytes(r.fileExtension);
}

bool EncodeCacheEntryBlock(const CacheEntryRecord& r, std::span<std::byte> out) {
    if (out.size() < CacheEntryBlockSize(r)) return false;
    std::memset(out.data(), 0, kFixedSize);
    const auto base = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(out.data()));
    size_t next = kFixedSize;
    auto put = [&](size_t field, const std::u16string& text) {
        if (text.empty()) return WriteU64(out, field, 0);
        WriteU64(out, field, base + next);
        for (char16_t unit : text) {
            out[next++] = static_cast<std::byte>(unit & 0xFF);
            out[next++] = static_cast<std::byte>(unit >> 8);
        }
        out[next++] = std::byte{0};
        out[next++] = std::byte{0};
    };
    WriteU32(out, kStructSize, static_cast<uint32_t>(kFixedSize));
    put(kSourceUrlName, r.sourceUrlName);
    put(kLocalFileName, r.localFileName);
    WriteU32(out, kEntryType, r.entryType);
    WriteU32(out, kUseCount, r.useCount);
    WriteU32(out, kHitRate, r.hitRate);
    WriteU32(out, kSizeLow, r.sizeLow);
    WriteU32(out, kSizeHigh, r.sizeHigh);
    WriteU64(out, kLastModified, r.lastModified);
    WriteU64(out, kExpire, r.expire);
    WriteU64(out, kLastAccess, r.lastAccess);
    WriteU64(out, kLastSync, r.lastSync);
    put(kHeaderInfo, r.headerInfo);
    WriteU32(out, kHeaderInfoSize, static_cast<uint32_t>(r.headerInfo.size() * 2));
    put(kFileExtension, r.fileExtension);
    WriteU32(out, kExemptDelta, r.exemptDelta);
    return true;
}

bool PatternSelects(const std::optional<std::string>& pattern, std::u16string_view url) {
    if (!pattern || pattern->empty())
        return !StartsWithIgnoreAsciiCase(url, kCookiePrefix) &&
               !StartsWithIgnoreAsciiCase(url, kHistoryPrefix);
    return StartsWithIgnoreAsciiCase(url, *pattern);
}

bool WalkSelects(const std::optional<std::string>& pattern, uint32_t filter,
                 const CacheEntryRecord& record) {
    return (record.entryType & filter) != 0 && PatternSelects(pattern, record.sourceUrlName);
}

}  // namespace core
