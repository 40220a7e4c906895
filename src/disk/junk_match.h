#pragma once
// Which files a junk type selects: the extension of the type against the extension of the
// file's name. Pure logic, for narrow and wide text alike (the walk compares the wide names
// the directory listing gives, without converting every one).
#include <string>
#include <string_view>
#include <unordered_map>

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

// The checked junk types as the walk compares them: each extension, with the letters A to Z
// folded, and how many checked types give it. A lookup costs the same for one type or for a
// hundred thousand, and a file that two types select is still counted twice.
class JunkExtensionTable {
  public:
    // Adds a type's text ("*.tmp").
    void Add(std::wstring_view type) { ++counts_[Folded(ExtensionOf(type))]; }
    void Clear() { counts_.clear(); }
    bool Empty() const { return counts_.empty(); }
    // How many of the types select a file of this name.
    int Matches(std::wstring_view fileName) const {
        if (counts_.empty()) return 0;
        key_.assign(ExtensionOf(fileName));
        FoldInPlace(key_);
        const auto it = counts_.find(key_);
        return it == counts_.end() ? 0 : it->second;
    }

  private:
    static void FoldInPlace(std::wstring& text) {
        for (wchar_t& c : text)
            if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - (L'a' - L'A'));
    }
    static std::wstring Folded(std::wstring_view text) {
        std::wstring out(text);
        FoldInPlace(out);
        return out;
    }

    std::unordered_map<std::wstring, int> counts_;
    mutable std::wstring key_;  // reused: no allocation per file looked at
};

}  // namespace disk
