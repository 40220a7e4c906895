#pragma once
// The browser's URL cache: find-first / find-next / close / get-by-URL / delete-by-URL with the
// cache functions' own calling convention (a caller's buffer and its size in bytes; a call that
// is given too little fails with ERROR_INSUFFICIENT_BUFFER and says the size it needs) and their
// result codes (0, or the failing call's last-error code). A buffer receives one entry block
// (core/cache_entry_block.h).
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace platform {

// A walk under way; null is no walk.
using UrlFindHandle = void*;

class UrlCache {
  public:
    virtual ~UrlCache() = default;

    // Whether the cache library is there with the functions it is recognised by. A positive
    // answer is kept for the life of this layer; a negative one is asked again next time. An
    // exception during the look-ups is a negative answer.
    bool LibraryFound();

    // `pattern`: nullopt passes no pattern at all, which differs from the empty one.
    virtual uint32_t FindFirst(const std::optional<std::string>& pattern, uint32_t filter,
                               uint64_t group, std::byte* buffer, uint32_t& size,
                               UrlFindHandle& handle) = 0;
    virtual uint32_t FindNext(UrlFindHandle handle, std::byte* buffer, uint32_t& size) = 0;
    // Accepts a null handle, as the platform does.
    virtual void FindClose(UrlFindHandle handle) = 0;
    virtual uint32_t GetEntryInfo(const std::string& url, std::byte* buffer, uint32_t& size) = 0;
    virtual uint32_t DeleteEntry(const std::string& url) = 0;

  protected:
    // Loads the library and looks up its functions; no caching.
    virtual bool ProbeLibrary() = 0;

  private:
    bool found_ = false;
};

// WinINet. Its extended find functions are the production path. Where they are unimplemented
// (they fail with ERROR_FILE_NOT_FOUND although the cache has entries), a walk falls back to the
// plain find functions, and this layer applies the pattern and the entry-type filter itself, so
// the caller sees the same entries and the same result codes.
class Win32UrlCache final : public UrlCache {
  public:
    Win32UrlCache();
    ~Win32UrlCache() override;

    uint32_t FindFirst(const std::optional<std::string>& pattern, uint32_t filter, uint64_t group,
                       std::byte* buffer, uint32_t& size, UrlFindHandle& handle) override;
    uint32_t FindNext(UrlFindHandle handle, std::byte* buffer, uint32_t& size) override;
    void FindClose(UrlFindHandle handle) override;
    uint32_t GetEntryInfo(const std::string& url, std::byte* buffer, uint32_t& size) override;
    uint32_t DeleteEntry(const std::string& url) override;

    struct Walk;

  protected:
    bool ProbeLibrary() override;

  private:
    std::map<uintptr_t, std::unique_ptr<Walk>> walks_;
    uintptr_t nextWalk_ = 1;
};

}  // namespace platform
