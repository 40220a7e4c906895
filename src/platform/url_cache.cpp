#include "platform/url_cache.h"

#include <windows.h>
#include <wininet.h>

#include <cstddef>
#include <vector>

#include "core/cache_entry_block.h"
#include "platform/text.h"

namespace platform {

// The block layout is the platform's entry record; keep the two in step.
static_assert(offsetof(INTERNET_CACHE_ENTRY_INFOW, lpszSourceUrlName) ==
              core::cache_block::kSourceUrlName);
static_assert(offsetof(INTERNET_CACHE_ENTRY_INFOW, lpszLocalFileName) ==
              core::cache_block::kLocalFileName);
static_assert(offsetof(INTERNET_CACHE_ENTRY_INFOW, CacheEntryType) ==
              core::cache_block::kEntryType);
static_assert(offsetof(INTERNET_CACHE_ENTRY_INFOW, dwSizeHigh) == core::cache_block::kSizeHigh);
static_assert(offsetof(INTERNET_CACHE_ENTRY_INFOW, LastModifiedTime) ==
              core::cache_block::kLastModified);
static_assert(offsetof(INTERNET_CACHE_ENTRY_INFOW, LastSyncTime) == core::cache_block::kLastSync);
static_assert(offsetof(INTERNET_CACHE_ENTRY_INFOW, lpHeaderInfo) == core::cache_block::kHeaderInfo);
static_assert(offsetof(INTERNET_CACHE_ENTRY_INFOW, lpszFileExtension) ==
              core::cache_block::kFileExtension);
static_assert(offsetof(INTERNET_CACHE_ENTRY_INFOW, dwExemptDelta) ==
              core::cache_block::kExemptDelta);
static_assert(sizeof(INTERNET_CACHE_ENTRY_INFOW) == core::cache_block::kFixedSize);

bool UrlCache::LibraryFound() {
    if (found_) return true;
    try {
        found_ = ProbeLibrary();
    } catch (...) {
        found_ = false;
    }
    return found_;
}

namespace {

using FindFirstExFn = decltype(&FindFirstUrlCacheEntryExW);
using FindNextExFn = decltype(&FindNextUrlCacheEntryExW);
using FindFirstFn = decltype(&FindFirstUrlCacheEntryW);
using FindNextFn = decltype(&FindNextUrlCacheEntryW);
using FindCloseFn = decltype(&FindCloseUrlCache);
using GetInfoExFn = decltype(&GetUrlCacheEntryInfoExW);
using DeleteFn = decltype(&DeleteUrlCacheEntryW);

// The library's functions, looked up once it passes the check; it stays loaded for the process.
struct Api {
    FindFirstExFn findFirstEx = nullptr;
    FindNextExFn findNextEx = nullptr;
    FindFirstFn findFirst = nullptr;
    FindNextFn findNext = nullptr;
    FindCloseFn findClose = nullptr;
    GetInfoExFn getInfoEx = nullptr;
    DeleteFn deleteEntry = nullptr;
};

Api& TheApi() {
    static Api api;
    return api;
}

template <class Fn>
Fn Lookup(HMODULE module, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

bool Load() {
    static bool loaded = false;
    if (loaded) return true;
    const HMODULE module = LoadLibraryW(L"wininet.dll");
    if (!module) return false;
    // The library is recognised by these five, in this order.
    for (const char* name :
         {"FindFirstUrlCacheGroup", "FindNextUrlCacheGroup", "GetUrlCacheGroupAttributeA",
          "SetUrlCacheGroupAttributeA", "FindFirstUrlCacheEntryExA"})
        if (!GetProcAddress(module, name)) return false;
    Api& api = TheApi();
    api.findFirstEx = Lookup<FindFirstExFn>(module, "FindFirstUrlCacheEntryExW");
    api.findNextEx = Lookup<FindNextExFn>(module, "FindNextUrlCacheEntryExW");
    api.findFirst = Lookup<FindFirstFn>(module, "FindFirstUrlCacheEntryW");
    api.findNext = Lookup<FindNextFn>(module, "FindNextUrlCacheEntryW");
    api.findClose = Lookup<FindCloseFn>(module, "FindCloseUrlCache");
    api.getInfoEx = Lookup<GetInfoExFn>(module, "GetUrlCacheEntryInfoExW");
    api.deleteEntry = Lookup<DeleteFn>(module, "DeleteUrlCacheEntryW");
    loaded = true;
    return true;
}

uint32_t LastError() {
    const DWORD e = GetLastError();
    return e ? e : ERROR_GEN_FAILURE;  // a failing call always has a code to report
}

// The extended find functions answer this when they are stubs.
bool ExtendedFindMissing(uint32_t error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_CALL_NOT_IMPLEMENTED ||
           error == ERROR_PROC_NOT_FOUND;
}

}  // namespace

// One walk: either the platform's extended find handle, or our own walk over the plain find
// functions with the pattern and the filter applied here.
struct Win32UrlCache::Walk {
    HANDLE native = nullptr;
    HANDLE plain = nullptr;
    bool started = false;
    std::optional<std::string> pattern;
    std::wstring widePattern;
    uint32_t filter = 0;
    std::vector<std::byte> scratch = std::vector<std::byte>(4096);
    // The entry found but not yet handed out: the caller's buffer was too small for it.
    std::optional<core::CacheEntryRecord> pending;

    ~Walk() {
        if (native && TheApi().findClose) TheApi().findClose(native);
        if (plain && TheApi().findClose) TheApi().findClose(plain);
    }

    // The next entry that the pattern and the filter select, or the find's error.
    uint32_t Advance(core::CacheEntryRecord& out) {
        const Api& api = TheApi();
        if (!api.findFirst || !api.findNext) return ERROR_PROC_NOT_FOUND;
        for (;;) {
            auto* info = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOW*>(scratch.data());
            DWORD size = static_cast<DWORD>(scratch.size());
            BOOL ok;
            if (!started) {
                plain = api.findFirst(pattern ? widePattern.c_str() : nullptr, info, &size);
                ok = plain != nullptr;
                started = ok;
            } else {
                ok = api.findNext(plain, info, &size);
            }
            if (!ok) {
                const uint32_t error = LastError();
                if (error == ERROR_INSUFFICIENT_BUFFER && size > scratch.size()) {
                    scratch.resize(size);
                    continue;
                }
                return error;
            }
            const auto record = core::ParseCacheEntryBlock(
                scratch, static_cast<uint64_t>(reinterpret_cast<uintptr_t>(scratch.data())));
            if (record && core::WalkSelects(pattern, filter, *record)) {
                out = *record;
                return ERROR_SUCCESS;
            }
        }
    }

    // Hands the next selected entry to the caller's buffer, keeping it for the next call when
    // the buffer is too small.
    uint32_t Hand(std::byte* buffer, uint32_t& size) {
        if (!pending) {
            core::CacheEntryRecord record;
            if (const uint32_t error = Advance(record)) return error;
            pending = std::move(record);
        }
        const auto needed = static_cast<uint32_t>(core::CacheEntryBlockSize(*pending));
        if (!buffer || size < needed) {
            size = needed;
            return ERROR_INSUFFICIENT_BUFFER;
        }
        core::EncodeCacheEntryBlock(*pending, std::span<std::byte>(buffer, size));
        size = needed;
        pending.reset();
        return ERROR_SUCCESS;
    }
};

Win32UrlCache::Win32UrlCache() = default;
Win32UrlCache::~Win32UrlCache() = default;

bool Win32UrlCache::ProbeLibrary() {
    return Load();
}

uint32_t Win32UrlCache::FindFirst(const std::optional<std::string>& pattern, uint32_t filter,
                                  uint64_t group, std::byte* buffer, uint32_t& size,
                                  UrlFindHandle& handle) {
    handle = nullptr;
    if (!Load()) return ERROR_FILE_NOT_FOUND;
    const Api& api = TheApi();
    auto walk = std::make_unique<Walk>();
    walk->pattern = pattern;
    if (pattern) walk->widePattern = Widen(*pattern);
    walk->filter = filter;

    uint32_t error = ERROR_PROC_NOT_FOUND;
    if (api.findFirstEx) {
        DWORD dsize = size;
        walk->native = api.findFirstEx(pattern ? walk->widePattern.c_str() : nullptr, 0, filter,
                                       static_cast<GROUPID>(group),
                                       reinterpret_cast<INTERNET_CACHE_ENTRY_INFOW*>(buffer),
                                       &dsize, nullptr, nullptr, nullptr);
        size = dsize;
        error = walk->native ? ERROR_SUCCESS : LastError();
    }
    if (!walk->native) {
        if (!ExtendedFindMissing(error)) return error;
        // The plain functions know no cache groups; every caller walks group 0.
        error = walk->Hand(buffer, size);
        if (error) return error;  // the walk closes with `walk`
    }
    const uintptr_t id = nextWalk_++;
    walks_[id] = std::move(walk);
    handle = reinterpret_cast<UrlFindHandle>(id);
    return ERROR_SUCCESS;
}

uint32_t Win32UrlCache::FindNext(UrlFindHandle handle, std::byte* buffer, uint32_t& size) {
    const auto it = walks_.find(reinterpret_cast<uintptr_t>(handle));
    if (it == walks_.end()) return ERROR_INVALID_HANDLE;
    Walk& walk = *it->second;
    if (!walk.native) return walk.Hand(buffer, size);
    DWORD dsize = size;
    const BOOL ok =
        TheApi().findNextEx(walk.native, reinterpret_cast<INTERNET_CACHE_ENTRY_INFOW*>(buffer),
                            &dsize, nullptr, nullptr, nullptr);
    size = dsize;
    return ok ? ERROR_SUCCESS : LastError();
}

void Win32UrlCache::FindClose(UrlFindHandle handle) {
    const auto it = walks_.find(reinterpret_cast<uintptr_t>(handle));
    if (it != walks_.end()) {
        walks_.erase(it);
    } else if (Load() && TheApi().findClose) {
        TheApi().findClose(handle);  // not a walk of ours (null): the platform answers it
    }
}

uint32_t Win32UrlCache::GetEntryInfo(const std::string& url, std::byte* buffer, uint32_t& size) {
    if (!Load() || !TheApi().getInfoEx) return ERROR_PROC_NOT_FOUND;
    DWORD dsize = size;
    const BOOL ok = TheApi().getInfoEx(Widen(url).c_str(),
                                       reinterpret_cast<INTERNET_CACHE_ENTRY_INFOW*>(buffer),
                                       &dsize, nullptr, nullptr, nullptr, 0);
    size = dsize;
    return ok ? ERROR_SUCCESS : LastError();
}

uint32_t Win32UrlCache::DeleteEntry(const std::string& url) {
    if (!Load() || !TheApi().deleteEntry) return ERROR_PROC_NOT_FOUND;
    return TheApi().deleteEntry(Widen(url).c_str()) ? ERROR_SUCCESS : LastError();
}

}  // namespace platform
