#include "platform/file_walk.h"

#include "platform/text.h"

namespace platform {

std::wstring ExtendedPath(std::wstring_view path) {
    // Below this length every file function takes the plain form (CreateDirectory's limit is
    // MAX_PATH - 12); the plain form also keeps names such as "C:\a\..\b" working.
    constexpr size_t kPlainLimit = MAX_PATH - 12;
    if (path.size() < kPlainLimit || path.starts_with(L"\\\\?\\")) return std::wstring(path);
    if (path.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + std::wstring(path.substr(2));
    return L"\\\\?\\" + std::wstring(path);
}

DirectoryListing::DirectoryListing(std::wstring_view pattern) {
    const std::wstring p = ExtendedPath(pattern);
    HANDLE h = FindFirstFileExW(p.c_str(), FindExInfoBasic, &first_, FindExSearchNameMatch, nullptr,
                                FIND_FIRST_EX_LARGE_FETCH);
    if (h == INVALID_HANDLE_VALUE) return;
    find_.reset(h);
    pendingFirst_ = true;
}

bool DirectoryListing::Next(WIN32_FIND_DATAW& entry) {
    if (!find_) return false;
    for (;;) {
        if (pendingFirst_) {
            pendingFirst_ = false;
            entry = first_;
        } else if (!FindNextFileW(find_.get(), &entry)) {
            find_.reset();
            return false;
        }
        if (!IsDotOrDotDot(entry.cFileName)) return true;
    }
}

DWORD FileAttributes(const std::string& path) {
    return GetFileAttributesW(ExtendedPath(Widen(path)).c_str());
}

bool SetFileAttributesOf(const std::string& path, DWORD attributes) {
    return SetFileAttributesW(ExtendedPath(Widen(path)).c_str(), attributes) != FALSE;
}

bool RemoveFile(const std::string& path) {
    return DeleteFileW(ExtendedPath(Widen(path)).c_str()) != FALSE;
}

bool CopyFileOver(const std::string& from, const std::string& to) {
    return CopyFileW(ExtendedPath(Widen(from)).c_str(), ExtendedPath(Widen(to)).c_str(), FALSE) !=
           FALSE;
}

}  // namespace platform
