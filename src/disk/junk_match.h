#pragma once
// Which files a junk type selects: the extension of the type against the extension of the
// file's name. Pure logic, for narrow and wide text alike (the walk compares the wide names
// the directory listing gives, without converting every one).
#include <string_view>

namespace disk {

// The part of `text` from its last "." to its end, unless a "\" or ":" follows that "."; else
// empty. "*.tmp" -> ".tmp", "a.b\c" -> "", ".tmp" -> ".tmp", "*.*" -> ".*", "Thumbs" -> "".
template <class Ch>
std::basic_string_view<Ch> ExtensionOf(std::basic_string_view<Ch> text) {
    const auto dot = text.rfind(Ch('.'));
    if (dot == std::basic_string_view<Ch>::npos) return {};
    const auto rest = text.substr(dot);
    if (rest.find(Ch('\\')) != rest.npos || rest.find(Ch(':')) != rest.npos) return {};
    return rest;
}

// Equal when they differ at most in the letter case of A to Z; other letters must match exactly.
template <class A, class B>
bool SameExtension(std::basic_string_view<A> a, std::basic_string_view<B> b) {
    if (a.size() != b.size()) return false;
    const auto fold = [](auto c) {
        const auto u = static_cast<unsigned long>(c);
        return u >= 'a' && u <= 'z' ? u - ('a' - 'A') : u;
    };
    for (size_t i = 0; i < a.size(); ++i)
        if (fold(a[i]) != fold(b[i])) return false;
    return true;
}

}  // namespace disk
