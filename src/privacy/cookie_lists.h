#pragma once
// The cookie manager's work: the two lists (cookies to delete, cookies to keep), the moves
// between them and the deletion of the delete list. Items are cookie URLs, shown whole, in the
// order they were added, duplicates kept.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace privacy {

using CookieList = std::vector<std::string>;

// Appends the selected item of `from` to the end of `to` and removes it from `from`. Nothing
// happens without a selection (or one past the end). True when an item moved.
bool MoveCookie(CookieList& from, std::optional<size_t> selected, CookieList& to);

// Moves every item of `from`, from the last to the first, to the end of `to`: they arrive in
// reverse order below what `to` held.
void MoveAllCookies(CookieList& from, CookieList& to);

// The report lines of one cookie's deletion (the item already begins "Cookie:").
std::string CookieDeletedLine(const std::string& item);
std::string CookieNotDeletedLine(const std::string& item);

struct CookieDeletionHooks {
    // Deletes one cookie from the cache: 0, or the platform's error code.
    std::function<uint32_t(const std::string& item)> deleteEntry;
    std::function<void(const std::string& line)> report;
    // The item at this index left the list (it was deleted).
    std::function<void(size_t index)> removed;
    // After each item, for repainting the lists and keeping the window alive.
    std::function<void()> itemDone;
};

// Deletes the items of `toDelete` from the last to the first, each reported. A deleted cookie
// leaves the list; one that could not be deleted (or whose deletion threw) stays on it.
void DeleteCookies(CookieList& toDelete, const CookieDeletionHooks& hooks);

}  // namespace privacy
