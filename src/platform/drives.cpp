#include "platform/drives.h"

#include <windows.h>

#include "platform/text.h"

namespace platform {

unsigned Win32DriveQueries::DriveType(const std::string& root) const {
    return GetDriveTypeW(Widen(root).c_str());
}

std::optional<DriveSpace> Win32DriveQueries::Space(const std::string& root) const {
    ULARGE_INTEGER available{}, total{}, totalFree{};
    // A drive without a medium must not make Windows ask the user to insert one.
    const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    const BOOL ok = GetDiskFreeSpaceExW(Widen(root).c_str(), &available, &total, &totalFree);
    SetErrorMode(oldMode);
    if (!ok) return std::nullopt;
    return DriveSpace{total.QuadPart, available.QuadPart};
}

}  // namespace platform
