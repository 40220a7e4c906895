#pragma once
// A URL cache held in memory, speaking the cache layer's calling convention, for the cases the
// real cache cannot be made to show: an entry that grows between the sizing call and the fetch,
// sizes of 4 GiB and more, a missing library, a deletion that fails.
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/cache_entry_block.h"
#include "platform/url_cache.h"

namespace testing_support {

// A record with the given URL and type, a local file and a size.
core::CacheEntryRecord CacheRecord(const std::string& url, uint32_t type = core::kNormalCacheEntry,
                                   uint64_t size = 100);

class FakeUrlCache : public platform::UrlCache {
  public:
    // Entries in the order walks meet them. A deleted entry leaves a hole, so a walk under way
    // goes on where it was.
    void Add(const core::CacheEntryRecord& record) { slots_.push_back(record); }
    std::vector<std::string> Urls() const;  // the entries still there, in walk order

    // The walks select entries by the pattern and filter they are given, as the platform does.
    bool libraryPresent = true;
    bool probeThrows = false;
    int probes = 0;
    std::set<std::string> undeletable;  // their deletion fails with ERROR_ACCESS_DENIED
    // The entry of this URL grows right after a call has told its size.
    std::string growsAfterSizing;

    // Every call, in order: "FindFirst(null|'pattern', filter, group)", "FindFirst no buffer",
    // "FindNext #n", "GetEntryInfo url", "Delete url", "Close #n" ("Close null").
    std::vector<std::string> log;
    struct FindFirstCall {
        std::optional<std::string> pattern;
        uint32_t filter;
        uint64_t group;
    };
    std::vector<FindFirstCall> findFirsts;
    int openWalks() const { return static_cast<int>(walks_.size()); }

    uint32_t FindFirst(const std::optional<std::string>& pattern, uint32_t filter, uint64_t group,
                       std::byte* buffer, uint32_t& size, platform::UrlFindHandle& handle) override;
    uint32_t FindNext(platform::UrlFindHandle handle, std::byte* buffer, uint32_t& size) override;
    void FindClose(platform::UrlFindHandle handle) override;
    uint32_t GetEntryInfo(const std::string& url, std::byte* buffer, uint32_t& size) override;
    uint32_t DeleteEntry(const std::string& url) override;

  protected:
    bool ProbeLibrary() override;

  private:
    struct Walk {
        size_t next = 0;
        std::optional<std::string> pattern;
        uint32_t filter = 0;
    };
    std::optional<size_t> NextMatch(const Walk& walk, size_t from) const;
    std::optional<size_t> Find(const std::string& url) const;
    uint32_t Hand(size_t slot, std::byte* buffer, uint32_t& size);

    std::vector<std::optional<core::CacheEntryRecord>> slots_;
    std::map<uintptr_t, Walk> walks_;
    uintptr_t nextWalk_ = 1;
};

}  // namespace testing_support
