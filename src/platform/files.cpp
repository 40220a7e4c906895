#include "platform/files.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>

#include "platform/handles.h"
#include "platform/text.h"

namespace platform {

std::optional<std::string> ReadWholeFile(const std::string& path, size_t maxBytes) {
    UniqueHandle file =
        AdoptFile(CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > 0x7FFFFFFF ||
        static_cast<uint64_t>(size.QuadPart) > maxBytes)
        return std::nullopt;
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() &&
        (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)))
        return std::nullopt;
    bytes.resize(read);
    return bytes;
}

namespace {

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

}  // namespace

bool WriteWholeFile(const std::string& path, std::string_view bytes) {
    UniqueHandle file = AdoptFile(CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file && WriteAll(file.get(), bytes) && CloseHandle(file.release());
}

bool AppendToFile(const std::string& path, std::string_view bytes) {
    UniqueHandle file =
        AdoptFile(CreateFileW(Widen(path).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file && WriteAll(file.get(), bytes) && CloseHandle(file.release());
}

bool FileExists(const std::string& path) {
    const DWORD a = GetFileAttributesW(Widen(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path) {
    const DWORD a = GetFileAttributesW(Widen(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::string JoinPath(const std::string& folder, std::string_view name) {
    if (folder.empty()) return std::string(name);
    std::string out = folder;
    if (out.back() != '\\' && out.back() != '/') out += '\\';
    while (!name.empty() && (name.front() == '\\' || name.front() == '/'))
        name.remove_prefix(1);
    return out.append(name);
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string ReplaceExtension(const std::string& path, std::string_view extension) {
    const auto slash = path.find_last_of("\\/:");
    const auto dot = path.rfind('.');
    const bool hasExt = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    std::string out = hasExt ? path.substr(0, dot) : path;
    return out.append(extension);
}

std::string ModulePath() {
    std::wstring buf(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n < buf.size()) return Narrow(std::wstring_view(buf.data(), n));
        buf.resize(buf.size() * 2);
    }
}

std::string TempFolder() {
    wchar_t buf[MAX_PATH + 2];
    const DWORD n = GetTempPathW(MAX_PATH + 2, buf);
    return n ? Narrow(std::wstring_view(buf, n)) : std::string("C:\\");
}

std::string LastErrorText() {
    const DWORD code = GetLastError();
    wchar_t* text = nullptr;
    FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string out = text ? Narrow(text) : "error " + std::to_string(code);
    if (text) LocalFree(text);
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r' || out.back() == ' '))
        out.pop_back();
    return out;
}

}  // namespace platform
