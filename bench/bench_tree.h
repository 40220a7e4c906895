#pragma once
// The benchmarks' synthetic drive content: 100,000 files in 1,010 folders, one in a hundred a
// "*.tmp" of 100 bytes, and the bare FindFirstFileExW walk that is the yardstick of the scan.
#include <windows.h>

#include <string>
#include <vector>

#include "disk/junk_match.h"

namespace bench {

inline constexpr int kGroups = 10, kFoldersPerGroup = 100, kFilesPerFolder = 100;

inline void Touch(const std::wstring& path, DWORD bytes) {
    const HANDLE h =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    const std::string data(bytes, 'j');
    DWORD written = 0;
    if (bytes) WriteFile(h, data.data(), bytes, &written, nullptr);
    CloseHandle(h);
}

// Returns the number of files made.
inline int MakeTree(const std::wstring& root) {
    int files = 0;
    CreateDirectoryW(root.c_str(), nullptr);
    for (int g = 0; g < kGroups; ++g) {
        const std::wstring group = root + L"\\group" + std::to_wstring(g);
        CreateDirectoryW(group.c_str(), nullptr);
        for (int f = 0; f < kFoldersPerGroup; ++f) {
            const std::wstring folder = group + L"\\folder" + std::to_wstring(f);
            CreateDirectoryW(folder.c_str(), nullptr);
            for (int i = 0; i < kFilesPerFolder; ++i, ++files) {
                const bool junk = i == 37;  // one in a hundred
                Touch(folder + L"\\file" + std::to_wstring(i) + (junk ? L".tmp" : L".dat"),
                      junk ? 100 : 0);
            }
        }
    }
    return files;
}

inline void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW e;
    const HANDLE h = FindFirstFileW((path + L"\\*").c_str(), &e);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = e.cFileName;
            if (name == L"." || name == L"..") continue;
            if (e.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path + L"\\" + name);
            else
                DeleteFileW((path + L"\\" + name).c_str());
        } while (FindNextFileW(h, &e));
        FindClose(h);
    }
    RemoveDirectoryW(path.c_str());
}

struct WalkCount {
    long files = 0, junk = 0;
};

inline void BareWalk(const std::wstring& folder, WalkCount& count) {
    WIN32_FIND_DATAW e;
    const HANDLE h = FindFirstFileExW((folder + L"*").c_str(), FindExInfoBasic, &e,
                                      FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (h == INVALID_HANDLE_VALUE) return;
    std::vector<std::wstring> subfolders;
    do {
        if (e.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            const std::wstring name = e.cFileName;
            if (name != L"." && name != L".." &&
                !(e.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                subfolders.push_back(name);
        } else {
            ++count.files;
            if (disk::SameExtension(disk::ExtensionOf(std::wstring_view(e.cFileName)),
                                    std::wstring_view(L".tmp")))
                ++count.junk;
        }
    } while (FindNextFileW(h, &e));
    FindClose(h);
    for (const auto& s : subfolders)
        BareWalk(folder + s + L"\\", count);
}

}  // namespace bench
