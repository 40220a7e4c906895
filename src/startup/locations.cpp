#include "startup/locations.h"

namespace startup {
namespace {

constexpr Location kTable[] = {
    {1, "StartUP Folder-All Users", nullptr, kCsidlCommonStartup},
    {2, "StartUP Folder-Current User", nullptr, kCsidlStartup},
    {3, "Registry\\All Users\\Run",
     "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0},
    {4, "Registry\\All Users\\Run-",
     "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run-", 0},
    {5, "Registry\\All Users\\RunOnce",
     "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce", 0},
    {6, "Registry\\All Users\\RunOnce-",
     "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce-", 0},
    {7, "Registry\\All Users\\RunServices",
     "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\RunServices", 0},
    {8, "Registry\\All Users\\RunServices-",
     "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\RunServices-", 0},
    {9, "Registry\\All Users\\RunServicesOnce",
     "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\RunServicesOnce", 0},
    {10, "Registry\\All Users\\RunServicesOnce-",
     "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\RunServicesOnce-", 0},
    {11, "Registry\\Current User\\Run",
     "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0},
    {12, "Registry\\Current User\\Run-",
     "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run-", 0},
    {13, "Registry\\Current User\\RunOnce",
     "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce", 0},
    {14, "Registry\\Current User\\RunOnce-",
     "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce-", 0},
};
static_assert(sizeof kTable / sizeof kTable[0] == kLastCode);

}  // namespace

const Location* LocationTable() {
    return kTable;
}

bool IsFolderCode(int code) {
    return code == 1 || code == 2;
}

bool IsEnabledRegistryCode(int code) {
    return code >= 3 && code <= 13 && code % 2 == 1;
}

void LocationLabel(int code, std::string& label) {
    if (code >= kFirstCode && code <= kLastCode) label = kTable[code - 1].label;
}

std::string LocationPath(const std::string& label,
                         const std::function<std::string(int csidl)>& specialFolderPath) {
    for (const Location& l : kTable) {
        if (label != l.label) continue;
        if (l.text) return l.text;
        return specialFolderPath ? specialFolderPath(l.csidl) : std::string();
    }
    return kDefaultLocation;
}

RegistryLocation ParseRegistryLocation(const std::string& location) {
    const auto p = location.find('\\');
    if (p == std::string::npos) return {RegistryRoot::CurrentUser, location};
    const std::string rootName = location.substr(0, p);
    return {rootName == kLocalMachine ? RegistryRoot::LocalMachine : RegistryRoot::CurrentUser,
            location.substr(p)};
}

std::string RegistryLocationText(RegistryRoot root, const std::string& keyPath) {
    return (root == RegistryRoot::LocalMachine ? kLocalMachine : kCurrentUser) + keyPath;
}

}  // namespace startup
