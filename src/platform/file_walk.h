#pragma once
// Listing folders and removing files at any path length.
#include <windows.h>

#include <string>
#include <string_view>

#include "platform/handles.h"

namespace platform {

// The form of a full path that the wide file functions accept beyond MAX_PATH characters:
// "\\?\C:\..." or "\\?\UNC\server\share\..." when the path is long, else the path itself.
std::wstring ExtendedPath(std::wstring_view path);

// The entries of one folder, as one FindFirstFileExW listing (basic information, large fetch).
// A folder that cannot be listed simply has no entries.
class DirectoryListing {
  public:
    // `pattern` is a full path ending in a name pattern, such as "C:\Temp\*".
    explicit DirectoryListing(std::wstring_view pattern);
    // The next entry other than "." and ".."; false at the end.
    bool Next(WIN32_FIND_DATAW& entry);

  private:
    UniqueFind find_;
    WIN32_FIND_DATAW first_{};
    bool pendingFirst_ = false;
};

inline bool IsDotOrDotDot(const wchar_t* name) {
    return name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0));
}

// The attributes, or INVALID_FILE_ATTRIBUTES.
DWORD FileAttributes(const std::string& path);
bool SetFileAttributesOf(const std::string& path, DWORD attributes);
// DeleteFileW; true when the file was removed.
bool RemoveFile(const std::string& path);
// CopyFileW, replacing the target.
bool CopyFileOver(const std::string& from, const std::string& to);

}  // namespace platform
