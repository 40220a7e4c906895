#pragma once
// The browser cache enumerator: walks the URL cache for the entries of one search pattern and
// entry-type filter, handing each to its owner, and looks up and deletes entries by URL.
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>

#include "platform/url_cache.h"

namespace core {
struct CacheEntryRecord;
}

namespace privacy {

enum class TSearchPattern : uint8_t { spAll, spCookies, spHistory, spUrl };

// The pattern each value passes to the cache: spAll none at all, spUrl the empty text.
std::optional<std::string> PatternText(TSearchPattern pattern);

enum class TFilterOption : uint8_t {
    NORMAL_ENTRY,
    STABLE_ENTRY,
    STICKY_ENTRY,
    COOKIE_ENTRY,
    URLHISTORY_ENTRY,
    TRACK_OFFLINE_ENTRY,
    TRACK_ONLINE_ENTRY,
    SPARSE_ENTRY,
    OCX_ENTRY,
};

// The cache's entry-type flag of each option.
uint32_t FilterFlag(TFilterOption option);

// A set of filter options, one bit per ordinal.
class TFilterOptions {
  public:
    TFilterOptions() = default;
    TFilterOptions(std::initializer_list<TFilterOption> options) {
        for (auto o : options)
            bits_ |= Bit(o);
    }
    bool Contains(TFilterOption o) const { return (bits_ & Bit(o)) != 0; }
    uint16_t Bits() const { return bits_; }
    bool operator==(const TFilterOptions&) const = default;

  private:
    static uint16_t Bit(TFilterOption o) {
        return static_cast<uint16_t>(1u << static_cast<int>(o));
    }
    uint16_t bits_ = 0;
};

// The entry-type mask of a set: the sum of its members' flags, 0 for the empty set.
uint32_t EntryTypeMask(TFilterOptions options);

// The set both enumerators of the main window use.
TFilterOptions DefaultFilterOptions();

// The browser cache entry record. Texts are UTF-8; a date-time is local time as days since
// 30 December 1899 (0 when it cannot be converted).
struct TEntryInfo {
    std::string SourceUrlName;
    std::string LocalFileName;
    uint32_t EntryType = 0;
    uint32_t UseCount = 0;
    uint32_t HitRate = 0;
    int32_t Size = 0;       // the low 32 bits of the entry's size
    uint64_t FullSize = 0;  // the whole size, for totals that must not wrap
    double LastModifiedTime = 0;
    double ExpireTime = 0;
    double LastAccessTime = 0;
    double LastSyncTime = 0;
    std::string HeaderInfo;
    std::string FileExtension;
    uint32_t ExemptDelta = 0;

    bool operator==(const TEntryInfo&) const = default;
};

// A file time as a local date-time, 0 when it cannot be converted.
double LocalDateTime(uint64_t fileTime);

// The record of a parsed entry block.
TEntryInfo EntryInfoFromRecord(const core::CacheEntryRecord& record);

class TIECache {
  public:
    using TOnEntryEvent = std::function<void(TIECache& Sender, bool& Cancel)>;

    TIECache(platform::UrlCache& cache, std::string name);
    TIECache(const TIECache&) = delete;
    TIECache& operator=(const TIECache&) = delete;

    const std::string& Name() const { return name_; }

    // Which pattern the walks pass; the component never changes it itself.
    TSearchPattern SearchPattern = TSearchPattern::spAll;
    // Raised once for every entry a walk finds; setting Cancel ends the walk after it returns.
    TOnEntryEvent OnEntry;

    TFilterOptions FilterOptions() const { return filterOptions_; }
    void SetFilterOptions(TFilterOptions options);
    uint32_t EntryTypeMask() const { return mask_; }

    // The current entry: meaningful inside OnEntry and after a successful GetEntryInfo.
    const TEntryInfo& EntryInfo() const { return entryInfo_; }

    bool LibraryFound() const { return cache_.LibraryFound(); }

    void RetrieveEntries(uint64_t GroupID);
    uint32_t GetEntryInfo(const std::string& url);
    uint32_t DeleteEntry(const std::string& url);
    // Deletes every entry of the pattern and filter, each on the walk's own find handle.
    void DeleteAllEntries();

    // Called after each entry DeleteAllEntries deletes, so the owner can keep its window
    // alive during a long deletion.
    std::function<void()> OnDeleted;

  private:
    // Each walk keeps its own find handle, so a walk started from inside another's handler or
    // pace hook never closes or moves the outer one.
    uint32_t FindFirstEntry(uint64_t GroupID, platform::UrlFindHandle& find);
    uint32_t FindNextEntry(platform::UrlFindHandle find);
    void FillEntryInfo(const core::CacheEntryRecord& record);
    void ClearEntryInfo();
    template <class Call>
    uint32_t Fetch(Call call);

    platform::UrlCache& cache_;
    std::string name_;
    TFilterOptions filterOptions_;
    uint32_t mask_ = 0;
    TEntryInfo entryInfo_;
};

}  // namespace privacy
