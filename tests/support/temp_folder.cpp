#include "support/temp_folder.h"

#include <windows.h>

#include <atomic>
#include <stdexcept>

#include "platform/files.h"
#include "platform/text.h"

namespace testing_support {

using platform::Widen;

TempFolder::TempFolder() {
    static std::atomic<int> counter{0};
    for (;;) {
        path_ = platform::TempFolder() + "veltrin-test-" + std::to_string(GetCurrentProcessId()) +
                "-" + std::to_string(counter++);
        if (CreateDirectoryW(Widen(path_).c_str(), nullptr)) return;
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            throw std::runtime_error("cannot create " + path_);
    }
}

TempFolder::~TempFolder() {
    RemoveTree(path_);
}

std::string TempFolder::File(std::string_view relative) const {
    return platform::JoinPath(path_, relative);
}

std::string TempFolder::MakeFolder(std::string_view relative) const {
    const std::string full = File(relative);
    std::string partial;
    for (size_t i = 0; i <= full.size(); ++i) {
        if (i == full.size() || full[i] == '\\') {
            partial = full.substr(0, i);
            if (partial.size() > 3) CreateDirectoryW(Widen(partial).c_str(), nullptr);
        }
    }
    return full;
}

std::string TempFolder::Write(std::string_view relative, std::string_view bytes) const {
    const std::string full = File(relative);
    const std::string folder = platform::FolderOf(full);
    if (folder.size() > path_.size()) MakeFolder(folder.substr(path_.size() + 1));
    if (!platform::WriteWholeFile(full, bytes)) throw std::runtime_error("cannot write " + full);
    return full;
}

std::string TempFolder::Read(std::string_view relative) const {
    return platform::ReadWholeFile(File(relative)).value_or(std::string("<missing>"));
}

void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAW fd;
    const std::wstring pattern = Widen(path) + L"\\*";
    HANDLE find = FindFirstFileW(pattern.c_str(), &fd);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = fd.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::string child = path + "\\" + platform::Narrow(name);
            SetFileAttributesW(Widen(child).c_str(), FILE_ATTRIBUTE_NORMAL);
            if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                !(fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                RemoveTree(child);
            else if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveDirectoryW(Widen(child).c_str());
            else
                DeleteFileW(Widen(child).c_str());
        } while (FindNextFileW(find, &fd));
        FindClose(find);
    }
    RemoveDirectoryW(Widen(path).c_str());
}

}  // namespace testing_support
