#include "support/fake_url_cache.h"

#include <windows.h>

#include <stdexcept>

#include "platform/text.h"

namespace testing_support {
namespace {

std::u16string U16(const std::string& utf8) {
    const std::wstring wide = platform::Widen(utf8);
    return std::u16string(wide.begin(), wide.end());
}

std::string Ascii(const std::u16string& text) {
    return platform::Narrow(std::wstring(text.begin(), text.end()));
}

}  // namespace

core::CacheEntryRecord CacheRecord(const std::string& url, uint32_t type, uint64_t size) {
    core::CacheEntryRecord r;
    r.sourceUrlName = U16(url);
    r.localFileName =
        U16("C:\\cache\\" + std::to_string(std::hash<std::string>()(url) % 100000) + ".htm");
    r.entryType = type;
    r.sizeLow = static_cast<uint32_t>(size);
    r.sizeHigh = static_cast<uint32_t>(size >> 32);
    r.fileExtension = u"htm";
    return r;
}

std::vector<std::string> FakeUrlCache::Urls() const {
    std::vector<std::string> urls;
    for (const auto& slot : slots_)
        if (slot) urls.push_back(Ascii(slot->sourceUrlName));
    return urls;
}

bool FakeUrlCache::ProbeLibrary() {
    ++probes;
    if (probeThrows) throw std::runtime_error("look-up failed");
    return libraryPresent;
}

std::optional<size_t> FakeUrlCache::NextMatch(const Walk& walk, size_t from) const {
    for (size_t i = from; i < slots_.size(); ++i)
        if (slots_[i] && core::WalkSelects(walk.pattern, walk.filter, *slots_[i])) return i;
    return std::nullopt;
}

std::optional<size_t> FakeUrlCache::Find(const std::string& url) const {
    for (size_t i = 0; i < slots_.size(); ++i)
        if (slots_[i] && Ascii(slots_[i]->sourceUrlName) == url) return i;
    return std::nullopt;
}

uint32_t FakeUrlCache::Hand(size_t slot, std::byte* buffer, uint32_t& size) {
    auto& record = *slots_[slot];
    const auto needed = static_cast<uint32_t>(core::CacheEntryBlockSize(record));
    if (!buffer || size < needed) {
        size = needed;
        if (!growsAfterSizing.empty() && Ascii(record.sourceUrlName) == growsAfterSizing) {
            record.headerInfo += std::u16string(64, u'x');
            growsAfterSizing.clear();
        }
        return ERROR_INSUFFICIENT_BUFFER;
    }
    core::EncodeCacheEntryBlock(record, std::span<std::byte>(buffer, size));
    size = needed;
    return ERROR_SUCCESS;
}

uint32_t FakeUrlCache::FindFirst(const std::optional<std::string>& pattern, uint32_t filter,
                                 uint64_t group, std::byte* buffer, uint32_t& size,
                                 platform::UrlFindHandle& handle) {
    log.push_back(buffer ? "FindFirst" : "FindFirst no buffer");
    findFirsts.push_back({pattern, filter, group});
    handle = nullptr;
    Walk walk{0, pattern, filter};
    const auto first = NextMatch(walk, 0);
    if (!first) return ERROR_NO_MORE_ITEMS;
    if (const uint32_t error = Hand(*first, buffer, size)) return error;
    walk.next = *first + 1;
    const uintptr_t id = nextWalk_++;
    walks_[id] = walk;
    handle = reinterpret_cast<platform::UrlFindHandle>(id);
    return ERROR_SUCCESS;
}

uint32_t FakeUrlCache::FindNext(platform::UrlFindHandle handle, std::byte* buffer, uint32_t& size) {
    const auto id = reinterpret_cast<uintptr_t>(handle);
    log.push_back("FindNext #" + std::to_string(id));
    const auto it = walks_.find(id);
    if (it == walks_.end()) return ERROR_INVALID_HANDLE;
    const auto next = NextMatch(it->second, it->second.next);
    if (!next) return ERROR_NO_MORE_ITEMS;
    if (const uint32_t error = Hand(*next, buffer, size)) return error;
    it->second.next = *next + 1;
    return ERROR_SUCCESS;
}

void FakeUrlCache::FindClose(platform::UrlFindHandle handle) {
    const auto id = reinterpret_cast<uintptr_t>(handle);
    log.push_back(handle ? "Close #" + std::to_string(id) : std::string("Close null"));
    walks_.erase(id);
}

uint32_t FakeUrlCache::GetEntryInfo(const std::string& url, std::byte* buffer, uint32_t& size) {
    log.push_back("GetEntryInfo " + url);
    const auto slot = Find(url);
    if (!slot) return ERROR_FILE_NOT_FOUND;
    return Hand(*slot, buffer, size);
}

uint32_t FakeUrlCache::DeleteEntry(const std::string& url) {
    log.push_back("Delete " + url);
    if (undeletable.count(url)) return ERROR_ACCESS_DENIED;
    const auto slot = Find(url);
    if (!slot) return ERROR_FILE_NOT_FOUND;
    slots_[*slot].reset();
    return ERROR_SUCCESS;
}

}  // namespace testing_support
