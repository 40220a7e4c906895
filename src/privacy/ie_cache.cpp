#include "privacy/ie_cache.h"

#include <windows.h>

#include <span>
#include <vector>

#include "core/cache_entry_block.h"
#include "core/date_time.h"
#include "platform/file_time.h"
#include "platform/text.h"

namespace privacy {
namespace {

// What the library check's failure makes the look-ups answer.
constexpr uint32_t kNoLibrary = ERROR_FILE_NOT_FOUND;

std::string Utf8(const std::u16string& text) {
    return platform::Narrow(std::wstring(text.begin(), text.end()));
}

class CloseAtExit {
  public:
    explicit CloseAtExit(std::function<void()> close) : close_(std::move(close)) {}
    ~CloseAtExit() { close_(); }
    CloseAtExit(const CloseAtExit&) = delete;
    CloseAtExit& operator=(const CloseAtExit&) = delete;

  private:
    std::function<void()> close_;
};

}  // namespace

std::optional<std::string> PatternText(TSearchPattern pattern) {
    switch (pattern) {
        case TSearchPattern::spCookies:
            return "Cookie:";
        case TSearchPattern::spHistory:
            return "Visited:";
        case TSearchPattern::spUrl:
            return std::string();
        case TSearchPattern::spAll:
            break;
    }
    return std::nullopt;
}

uint32_t FilterFlag(TFilterOption option) {
    switch (option) {
        case TFilterOption::NORMAL_ENTRY:
            return 0x00000001;
        case TFilterOption::STABLE_ENTRY:
            return 0x00000002;
        case TFilterOption::STICKY_ENTRY:
            return 0x00000004;
        case TFilterOption::COOKIE_ENTRY:
            return 0x00100000;
        case TFilterOption::URLHISTORY_ENTRY:
            return 0x00200000;
        case TFilterOption::TRACK_OFFLINE_ENTRY:
            return 0x00000010;
        case TFilterOption::TRACK_ONLINE_ENTRY:
            return 0x00000020;
        case TFilterOption::SPARSE_ENTRY:
            return 0x00010000;
        case TFilterOption::OCX_ENTRY:
            return 0x00020000;
    }
    return 0;
}

uint32_t EntryTypeMask(TFilterOptions options) {
    uint32_t mask = 0;
    for (int o = 0; o <= static_cast<int>(TFilterOption::OCX_ENTRY); ++o)
        if (options.Contains(static_cast<TFilterOption>(o)))
            mask += FilterFlag(static_cast<TFilterOption>(o));
    return mask;
}

TFilterOptions DefaultFilterOptions() {
    using enum TFilterOption;
    return {NORMAL_ENTRY,     STICKY_ENTRY,        COOKIE_ENTRY,
            URLHISTORY_ENTRY, TRACK_OFFLINE_ENTRY, TRACK_ONLINE_ENTRY};
}

double LocalDateTime(uint64_t fileTime) {
    try {
        const auto t = platform::LocalTimeFromFileTime(fileTime);
        if (!t) return 0;
        return core::DateTimeFromFields(t->year, t->month, t->day, t->hour, t->minute, t->second,
                                        t->millisecond)
            .value_or(0);
    } catch (...) {
        return 0;
    }
}

TEntryInfo EntryInfoFromRecord(const core::CacheEntryRecord& r) {
    TEntryInfo e;
    e.SourceUrlName = Utf8(r.sourceUrlName);
    e.LocalFileName = Utf8(r.localFileName);
    e.EntryType = r.entryType;
    e.UseCount = r.useCount;
    e.HitRate = r.hitRate;
    e.Size = static_cast<int32_t>(r.sizeLow);
    e.FullSize = static_cast<uint64_t>(r.sizeHigh) << 32 | r.sizeLow;
    e.LastModifiedTime = LocalDateTime(r.lastModified);
    e.ExpireTime = LocalDateTime(r.expire);
    e.LastAccessTime = LocalDateTime(r.lastAccess);
    e.LastSyncTime = LocalDateTime(r.lastSync);
    e.HeaderInfo = Utf8(r.headerInfo);
    e.FileExtension = Utf8(r.fileExtension);
    e.ExemptDelta = r.exemptDelta;
    return e;
}

TIECache::TIECache(platform::UrlCache& cache, std::string name)
    : cache_(cache), name_(std::move(name)) {
    SetFilterOptions(DefaultFilterOptions());
}

void TIECache::SetFilterOptions(TFilterOptions options) {
    filterOptions_ = options;
    mask_ = privacy::EntryTypeMask(options);
}

// The platform is asked for the size first, then given a buffer of exactly that size; an entry
// that grew in between makes the second call fail, and that failure is the answer.
template <class Call>
uint32_t TIECache::Fetch(Call call) {
    uint32_t size = 0;
    call(nullptr, size);
    std::vector<std::byte> buffer(size);
    const uint32_t result = call(buffer.data(), size);
    if (result != ERROR_SUCCESS) return result;
    const auto record = core::ParseCacheEntryBlock(
        buffer, static_cast<uint64_t>(reinterpret_cast<uintptr_t>(buffer.data())));
    if (!record) return ERROR_INVALID_DATA;
    FillEntryInfo(*record);
    return ERROR_SUCCESS;
}

uint32_t TIECache::FindFirstEntry(uint64_t GroupID, platform::UrlFindHandle& find) {
    find = nullptr;
    if (!LibraryFound()) return kNoLibrary;
    const auto pattern = PatternText(SearchPattern);
    bool sized = false;
    const uint32_t result = Fetch([&](std::byte* buffer, uint32_t& size) {
        if (sized && find) {  // the sizing call opened a walk after all
            cache_.FindClose(find);
            find = nullptr;
        }
        sized = true;
        return cache_.FindFirst(pattern, mask_, GroupID, buffer, size, find);
    });
    if (result == ERROR_SUCCESS && !find) return ERROR_INVALID_HANDLE;
    return result;
}

uint32_t TIECache::FindNextEntry(platform::UrlFindHandle find) {
    if (!LibraryFound()) return kNoLibrary;
    return Fetch(
        [&](std::byte* buffer, uint32_t& size) { return cache_.FindNext(find, buffer, size); });
}

void TIECache::FillEntryInfo(const core::CacheEntryRecord& record) {
    entryInfo_ = EntryInfoFromRecord(record);
}

void TIECache::ClearEntryInfo() {
    entryInfo_ = TEntryInfo{};
}

void TIECache::RetrieveEntries(uint64_t GroupID) {
    if (!LibraryFound()) return;
    bool cancel = false;
    platform::UrlFindHandle find = nullptr;
    CloseAtExit close([&] { cache_.FindClose(find); });
    auto raise = [&] {
        if (OnEntry) OnEntry(*this, cancel);
    };
    uint32_t result = FindFirstEntry(GroupID, find);
    if (result != ERROR_SUCCESS) return;
    raise();
    while (result == ERROR_SUCCESS && !cancel) {
        result = FindNextEntry(find);
        if (result == ERROR_SUCCESS) raise();
    }
}

uint32_t TIECache::GetEntryInfo(const std::string& url) {
    if (!LibraryFound()) return kNoLibrary;
    return Fetch(
        [&](std::byte* buffer, uint32_t& size) { return cache_.GetEntryInfo(url, buffer, size); });
}

uint32_t TIECache::DeleteEntry(const std::string& url) {
    if (!LibraryFound()) return ERROR_SUCCESS;
    const uint32_t result = cache_.DeleteEntry(url);
    if (result == ERROR_SUCCESS) ClearEntryInfo();
    return result;
}

void TIECache::DeleteAllEntries() {
    if (!LibraryFound()) return;
    platform::UrlFindHandle find = nullptr;
    CloseAtExit close([&] { cache_.FindClose(find); });
    uint32_t result = FindFirstEntry(0, find);
    if (result != ERROR_SUCCESS) return;
    do {
        const std::string url = entryInfo_.SourceUrlName;
        DeleteEntry(url);
        if (OnDeleted) OnDeleted();
        result = FindNextEntry(find);
    } while (result == ERROR_SUCCESS);
}

}  // namespace privacy
