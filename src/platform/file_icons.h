#pragma once
// Icons of files: the shell's icon for a file type, and the first icon stored in a file.
#include <windows.h>

#include <string>

namespace platform {

// The icon the shell associates with the path's file type; the file itself is not opened.
// The caller owns the icon; null when the shell has none.
HICON FileTypeIcon(const std::string& path, bool small);
// The first icon stored in the named program or library; null when it holds none.
HICON FirstIconOf(const std::string& path);

}  // namespace platform
