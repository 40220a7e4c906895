#include "platform/recycle_bin.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/text.h"

namespace platform {

bool SendToRecycleBin(const std::string& fullName, bool confirm) {
    // A list of one name: the name, its terminator and the list's terminator.
    std::wstring from = Widen(fullName);
    from.append(2, L'\0');
    SHFILEOPSTRUCTW op{};
    op.hwnd = nullptr;
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.pTo = nullptr;
    op.fFlags = FOF_ALLOWUNDO | FOF_SILENT;
    if (!confirm) op.fFlags |= FOF_NOCONFIRMATION;
    op.hNameMappings = nullptr;
    if (SHFileOperationW(&op) != 0 || op.fAnyOperationsAborted) return false;
    // The shell reports success for moves it did not make (a cancelled question, a missing
    // trash folder); only the file's absence tells the truth.
    return GetFileAttributesW(from.c_str()) == INVALID_FILE_ATTRIBUTES &&
           GetLastError() == ERROR_FILE_NOT_FOUND;
}

}  // namespace platform
