#include "privacy/cookie_lists.h"

namespace privacy {

bool MoveCookie(CookieList& from, std::optional<size_t> selected, CookieList& to) {
    if (from.empty() || !selected || *selected >= from.size()) return false;
    to.push_back(from[*selected]);
    from.erase(from.begin() + static_cast<std::ptrdiff_t>(*selected));
    return true;
}

void MoveAllCookies(CookieList& from, CookieList& to) {
    for (size_t i = from.size(); i-- > 0;) {
        to.push_back(from[i]);
        from.erase(from.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

std::string CookieDeletedLine(const std::string& item) {
    return "Cookie: " + item + " Deleted!";
}

std::string CookieNotDeletedLine(const std::string& item) {
    return "Cookie: " + item + " could not be deleted!";
}

void DeleteCookies(CookieList& toDelete, const CookieDeletionHooks& hooks) {
    for (size_t i = toDelete.size(); i-- > 0;) {
        try {
            const std::string item = toDelete[i];
            if (hooks.deleteEntry(item) == 0) {
                hooks.report(CookieDeletedLine(item));
                toDelete.erase(toDelete.begin() + static_cast<std::ptrdiff_t>(i));
                if (hooks.removed) hooks.removed(i);
            } else {
                hooks.report(CookieNotDeletedLine(item));
            }
        } catch (...) {
            // The cookie stays on the list; the others go on.
        }
        if (hooks.itemDone) hooks.itemDone();
    }
}

}  // namespace privacy
