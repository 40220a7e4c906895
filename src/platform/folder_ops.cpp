#include "platform/folder_ops.h"

#include <windows.h>

#include "platform/handles.h"
#include "platform/text.h"

namespace platform {

bool CreateFolder(const std::string& path) {
    return CreateDirectoryW(Widen(path).c_str(), nullptr) != FALSE;
}

bool RemoveFolder(const std::string& path) {
    return RemoveDirectoryW(Widen(path).c_str()) != FALSE;
}

bool WriteFileInOneWrite(const std::string& path, std::string_view bytes) {
    UniqueHandle file =
        AdoptFile(CreateFileW(Widen(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    const bool ok =
        WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size();
    return CloseHandle(file.release()) && ok;
}

std::optional<std::string> ReadFileStart(const std::string& path, size_t maxBytes) {
    UniqueHandle file =
        AdoptFile(CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    std::string bytes(maxBytes, '\0');
    DWORD read = 0;
    if (maxBytes &&
        !ReadFile(file.get(), bytes.data(), static_cast<DWORD>(maxBytes), &read, nullptr))
        return std::nullopt;
    bytes.resize(read);
    return bytes;
}

}  // namespace platform
