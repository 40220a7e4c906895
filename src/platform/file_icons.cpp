#include "platform/file_icons.h"

#include <shellapi.h>

#include "platform/text.h"

namespace platform {

HICON FileTypeIcon(const std::string& path, bool small) {
    SHFILEINFOW info{};
    UINT flags = SHGFI_ICON | SHGFI_USEFILEATTRIBUTES;
    if (small) flags |= SHGFI_SMALLICON;
    if (!SHGetFileInfoW(Widen(path).c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info, flags))
        return nullptr;
    return info.hIcon;
}

HICON FirstIconOf(const std::string& path) {
    HICON icon = ExtractIconW(GetModuleHandleW(nullptr), Widen(path).c_str(), 0);
    // ExtractIcon answers 1 for a file that is not a program, library or icon file.
    if (reinterpret_cast<INT_PTR>(icon) == 1) return nullptr;
    return icon;
}

}  // namespace platform
