#include "platform/special_folders.h"

#include <windows.h>
#include <shlobj.h>

#include "platform/text.h"

namespace platform {

std::optional<std::string> Win32SpecialFolders::Path(int csidl) const {
    PIDLIST_ABSOLUTE items = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &items)) || !items) return std::nullopt;
    wchar_t buf[MAX_PATH] = {};
    const BOOL ok = SHGetPathFromIDListW(items, buf);
    CoTaskMemFree(items);
    if (!ok || !buf[0]) return std::nullopt;
    std::string path = Narrow(buf);
    while (path.size() > 3 && path.back() == '\\')
        path.pop_back();
    return path;
}

}  // namespace platform
