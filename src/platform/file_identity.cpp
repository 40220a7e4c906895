#include "platform/file_identity.h"

#include <windows.h>
#include <winternl.h>

#include <cstring>
#include <string_view>
#include <vector>

#include "platform/file_walk.h"
#include "platform/handles.h"
#include "platform/text.h"

namespace platform {
namespace {

// The longest path the wide file functions take, with room for the "\\?\" prefix.
constexpr size_t kLongestPath = 32768 + 8;

// "\\?\C:\x" -> "C:\x", "\\?\UNC\server\share" -> "\\server\share"; other paths as they are.
std::wstring PlainForm(std::wstring path) {
    constexpr std::wstring_view unc = L"\\\\?\\UNC\\";
    constexpr std::wstring_view extended = L"\\\\?\\";
    if (path.starts_with(unc)) return L"\\\\" + path.substr(unc.size());
    if (path.starts_with(extended)) return path.substr(extended.size());
    return path;
}

bool SameText(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// The object's own name, where it is a DOS path ("\??\C:\..."), in the "\\?\" form. Wine
// gives such names; Windows gives device names, which this leaves out.
std::wstring DosObjectName(HANDLE file) {
    std::vector<unsigned char> buffer(sizeof(UNICODE_STRING) + kLongestPath * sizeof(wchar_t));
    ULONG length = 0;
    if (NtQueryObject(file, static_cast<OBJECT_INFORMATION_CLASS>(1 /* ObjectNameInformation */),
                      buffer.data(), static_cast<ULONG>(buffer.size()), &length) != 0)
        return {};
    UNICODE_STRING name;
    std::memcpy(&name, buffer.data(), sizeof name);
    if (!name.Buffer) return {};
    const std::wstring text(name.Buffer, name.Length / sizeof(wchar_t));
    constexpr std::wstring_view dos = L"\\??\\";
    if (!text.starts_with(dos)) return {};
    return L"\\\\?\\" + text.substr(dos.size());
}

std::wstring FinalPath(HANDLE file) {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n =
            GetFinalPathNameByHandleW(file, buffer.data(), static_cast<DWORD>(buffer.size()),
                                      FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (n > 0 && n < buffer.size()) return std::wstring(buffer.data(), n);
        // Too small: Windows gives the size needed, Wine only ERROR_MORE_DATA.
        const bool more = n > 0 || GetLastError() == ERROR_MORE_DATA;
        // Wine's fails beyond MAX_PATH characters whatever the buffer; its object name serves.
        if (!more || buffer.size() >= kLongestPath) return DosObjectName(file);
        buffer.resize(n > 0 ? n + 1 : kLongestPath);
    }
}

// The path with every short (8.3) name expanded; the path itself when that fails.
std::wstring LongForm(const std::wstring& path) {
    const std::wstring extended = ExtendedPath(path);
    const DWORD n = GetLongPathNameW(extended.c_str(), nullptr, 0);
    if (n == 0) return path;
    std::wstring out(n, L'\0');
    const DWORD written = GetLongPathNameW(extended.c_str(), out.data(), n);
    if (written == 0 || written >= n) return path;
    out.resize(written);
    return PlainForm(out);
}

// Opens the link itself where the platform keeps links apart from their targets.
UniqueHandle OpenOwnName(const std::wstring& wide, DWORD access) {
    return AdoptFile(
        CreateFileW(ExtendedPath(wide).c_str(), access | FILE_READ_ATTRIBUTES,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

// Whether the open file is a plain file whose final path is `wide`; its attributes in `out`.
bool IsOwnFile(HANDLE file, const std::wstring& wide, DWORD& attributes) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(file, &info)) return false;
    attributes = info.dwFileAttributes;
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) return false;
    const std::wstring reached = PlainForm(FinalPath(file));
    if (reached.empty()) return false;
    return SameText(reached, wide) || SameText(reached, LongForm(wide));
}

bool SetAttributesByHandle(HANDLE file, DWORD attributes) {
    FILE_BASIC_INFO basic{};  // times of zero stay as they are
    basic.FileAttributes = attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
    return SetFileInformationByHandle(file, FileBasicInfo, &basic, sizeof basic) != FALSE;
}

}  // namespace

bool IsFileReachedByItsOwnName(const std::string& path) {
    const std::wstring wide = PlainForm(Widen(path));
    const UniqueHandle file = OpenOwnName(wide, 0);
    DWORD attributes = 0;
    return file && IsOwnFile(file.get(), wide, attributes);
}

bool DeleteFileReachedByItsOwnName(const std::string& path, bool clearAttributes) {
    const std::wstring wide = PlainForm(Widen(path));
    const UniqueHandle file = OpenOwnName(wide, DELETE | FILE_WRITE_ATTRIBUTES);
    DWORD attributes = 0;
    if (!file || !IsOwnFile(file.get(), wide, attributes)) return false;
    constexpr DWORD kGuarding =
        FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    const bool cleared = clearAttributes && (attributes & kGuarding) &&
                         SetAttributesByHandle(file.get(), FILE_ATTRIBUTE_NORMAL);
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = TRUE;
    if (SetFileInformationByHandle(file.get(), FileDispositionInfo, &disposition,
                                   sizeof disposition))
        return true;  // gone when the handle closes
    if (cleared) SetAttributesByHandle(file.get(), attributes);
    return false;
}

}  // namespace platform
