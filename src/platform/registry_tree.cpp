#include "platform/registry_tree.h"

#include <vector>

#include "platform/handles.h"
#include "platform/text.h"

namespace platform {
namespace {

void DeleteSubKeys(HKEY root, const std::wstring& path) {
    HKEY raw = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS) return;
    UniqueKey key(raw);
    DWORD count = 0, longest = 0;
    if (RegQueryInfoKeyW(raw, nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr,
                         nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return;
    std::vector<wchar_t> name(longest + 1);
    for (DWORD i = count; i-- > 0;) {
        DWORD length = static_cast<DWORD>(name.size());
        if (RegEnumKeyExW(raw, i, name.data(), &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            continue;
        const std::wstring child = path + L"\\" + std::wstring(name.data(), length);
        DeleteSubKeys(root, child);
        RegDeleteKeyW(root, child.c_str());
    }
}

}  // namespace

bool DeleteKeyTree(HKEY root, const std::string& path) {
    const auto first = path.find_first_not_of('\\');
    if (first == std::string::npos) return false;  // never the root itself
    const std::wstring wpath = Widen(path.substr(first));
    DeleteSubKeys(root, wpath);
    return RegDeleteKeyW(root, wpath.c_str()) == ERROR_SUCCESS;
}

}  // namespace platform
