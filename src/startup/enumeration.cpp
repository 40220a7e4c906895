#include "startup/enumeration.h"

#include "core/ascii_text.h"
#include "platform/file_icons.h"
#include "platform/handles.h"
#include "platform/registry.h"
#include "platform/shell_link.h"
#include "platform/text.h"
#include "startup/command_rules.h"
#include "startup/locations.h"

namespace startup {

using platform::Narrow;
using platform::Widen;

std::string SpecialFolderPath(const platform::SpecialFolders& folders, int csidl) {
    return folders.Path(csidl).value_or(std::string());
}

std::vector<std::string> ListFolderFiles(const std::string& folder, const std::string& mask) {
    std::vector<std::string> out;
    // An empty folder would turn the pattern into "\*.*", the root of the current drive.
    if (folder.empty()) return out;
    WIN32_FIND_DATAW fd;
    platform::UniqueFind find(FindFirstFileW(Widen(folder + "\\" + mask).c_str(), &fd));
    if (find.get() == INVALID_HANDLE_VALUE) {
        find.release();
        return out;
    }
    do {
        const std::wstring name = fd.cFileName;
        if (name == L"." || name == L"..") continue;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        const std::string utf8 = Narrow(name);
        if (core::AsciiLower(utf8) == "desktop.ini") continue;
        out.push_back(folder + "\\" + utf8);
    } while (FindNextFileW(find.get(), &fd));
    return out;
}

std::string ReadShortcutCommand(const std::string& shortcutPath) {
    const platform::ShellLinkData link = platform::ReadShellLink(shortcutPath);
    return ShortcutCommandText(link.target, link.arguments);
}

TStartupEntry FolderEntry(const std::string& path, int code) {
    TStartupEntry e;
    e.Name = FileNamePart(path);
    e.Enabled = true;
    // Exactly ".lnk": a shortcut named in capitals is listed with its own path.
    e.Command = ExtensionOf(e.Name) == ".lnk" ? ReadShortcutCommand(path) : path;
    e.Location = DirectoryPart(path);
    LocationLabel(code, e.TypeLabel);
    return e;
}

HKEY RootKey(bool localMachine) {
    return localMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

std::string ApiKeyPath(const std::string& keyPath) {
    // The registry refuses a sub-key name that begins with a backslash.
    const auto first = keyPath.find_first_not_of('\\');
    return first == std::string::npos ? std::string() : keyPath.substr(first);
}

namespace {

void AddKeyValues(std::vector<TStartupEntry>& out, HKEY root, const std::string& keyPath, int code,
                  bool enabled, const BadValueReport& report) {
    const auto key = platform::RegKey::Open(root, keyPath, KEY_READ);
    if (!key) return;
    const std::string location = RegistryLocationText(
        root == HKEY_LOCAL_MACHINE ? RegistryRoot::LocalMachine : RegistryRoot::CurrentUser,
        keyPath);
    for (const platform::RegistryValue& v : key->Values()) {
        if (v.type != REG_SZ && v.type != REG_EXPAND_SZ) {
            if (report) report("Invalid data type for '" + v.name + "'");
            continue;
        }
        TStartupEntry e;
        e.Name = v.name;
        e.Command = platform::RegistryString(v);
        e.Location = location;
        LocationLabel(code, e.TypeLabel);
        e.Enabled = enabled;
        out.push_back(std::move(e));
    }
}

}  // namespace

std::vector<TStartupEntry> RegistryEntries(HKEY root, const std::string& keyPath, int code,
                                           const BadValueReport& report) {
    std::vector<TStartupEntry> out;
    AddKeyValues(out, root, keyPath, code, true, report);
    AddKeyValues(out, root, keyPath + "-", code + 1, false, report);
    return out;
}

HICON ProgramIcon(const std::string& path, bool small) {
    if (path.find(':') != std::string::npos && path.find('\\') != std::string::npos)
        return platform::FileTypeIcon(path, small);
    return platform::FirstIconOf(path);
}

}  // namespace startup
