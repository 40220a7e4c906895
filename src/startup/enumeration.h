#pragma once
// Reading the startup locations: the Startup folders' files (with the commands stored in
// shortcuts) and the values of a Run-type key and of its "-" twin.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/special_folders.h"
#include "startup/startup_entry.h"

namespace startup {

// The path of a special folder, empty when the shell cannot resolve it.
std::string SpecialFolderPath(const platform::SpecialFolders& folders, int csidl);

// The full paths of the files in a folder, in the platform's find order: hidden and system
// files included; ".", "..", sub-folders and "desktop.ini" (any letter case) left out. A folder
// that does not exist, or an empty path, gives nothing.
std::vector<std::string> ListFolderFiles(const std::string& folder, const std::string& mask);

// The command of a shortcut file (see ShortcutCommandText); a file that is no shortcut gives
// two double quotes. Throws when the shell link object cannot be created.
std::string ReadShortcutCommand(const std::string& shortcutPath);

// One entry per file of a Startup folder, labelled with `code`.
TStartupEntry FolderEntry(const std::string& path, int code);

// The key under its root, as the registry functions take it (no leading backslash).
HKEY RootKey(bool localMachine);
std::string ApiKeyPath(const std::string& keyPath);

// Reports a value that cannot be listed; the enumeration goes on without it.
using BadValueReport = std::function<void(const std::string& message)>;

// The entries of keyPath (enabled, labelled with code) followed by those of its twin
// keyPath + "-" (disabled, labelled with code + 1). Keys are opened for reading only. A value
// of a type other than REG_SZ / REG_EXPAND_SZ is left out and reported.
std::vector<TStartupEntry> RegistryEntries(HKEY root, const std::string& keyPath, int code,
                                           const BadValueReport& report);

// The icon of a program path: the shell's icon for the file type when the path holds a colon
// and a backslash, otherwise the first icon stored in the named file. The caller owns it.
HICON ProgramIcon(const std::string& path, bool small);

}  // namespace startup
