#include "startup/storage.h"

#include <algorithm>

#include "core/ascii_text.h"
#include "platform/file_identity.h"
#include "platform/registry.h"
#include "platform/shell_link.h"
#include "platform/text.h"
#include "startup/command_rules.h"
#include "startup/enumeration.h"
#include "startup/locations.h"

namespace startup {

using platform::RegKey;
using platform::Widen;

bool WriteRegValue(HKEY root, const std::string& keyPath, const std::string& name,
                   const std::string& data) {
    const auto key = RegKey::Create(root, keyPath, KEY_WRITE);
    return key && key->WriteString(name, data, REG_SZ);
}

bool DeleteRegValue(HKEY root, const std::string& keyPath, const std::string& name) {
    const auto key = RegKey::Create(root, keyPath, KEY_WRITE);
    return key && key->DeleteValue(name);
}

bool HoldsRegValue(HKEY root, const std::string& keyPath, const std::string& name) {
    const auto key = RegKey::Open(root, keyPath, KEY_READ);
    return key && key->ReadValue(name).has_value();
}

bool MoveRegValue(HKEY root, const std::string& fromKeyPath, const std::string& toKeyPath,
                  const std::string& name) {
    std::optional<platform::RegistryValue> value;
    if (const auto from = RegKey::Open(root, fromKeyPath, KEY_READ)) value = from->ReadValue(name);
    if (!value) return false;
    const auto to = RegKey::Create(root, toKeyPath, KEY_WRITE);
    if (!to || !to->WriteValue(*value)) return false;
    return DeleteRegValue(root, fromKeyPath, name);
}

bool DeleteFileForced(const std::string& path) {
    // Through a link, Wine would clear the attributes of the file it points to, and delete it.
    return platform::DeleteFileReachedByItsOwnName(path, true);
}

bool CreateShortcut(const std::string& target, const std::string& arguments,
                    const std::string& linkPath, const std::string& description) {
    try {
        return platform::SaveShellLink(linkPath, target, arguments, WorkingDirectoryOf(target),
                                       description);
    } catch (const std::exception&) {
        return false;
    }
}

bool WriteFolderEntry(const std::string& name, const std::string& command,
                      const std::string& folder) {
    const std::string file = FolderEntryFile(name, command, folder);
    if (CommandIsShortcutFile(command))
        return CopyFileW(Widen(command).c_str(), Widen(file).c_str(), FALSE) != FALSE;
    return CreateShortcut(command, "", file, "");
}

bool IsRegistryLocation(const std::string& location) {
    return core::ContainsIgnoreAsciiCase(location, "HKEY_");
}

namespace {

// Removal looks only at the start of the location text (storing looks anywhere in it).
bool IsRegistryEntry(const TStartupEntry& e) {
    return core::EqualsIgnoreAsciiCase(e.Location.substr(0, 5), "HKEY_");
}

HKEY RootOf(const RegistryLocation& l) {
    return RootKey(l.root == RegistryRoot::LocalMachine);
}

std::string EntryFile(const TStartupEntry& e) {
    return e.Location + "\\" + e.Name;
}

std::string Unquoted(const std::string& command) {
    std::string s = command;
    s.erase(std::remove(s.begin(), s.end(), '"'), s.end());
    return core::TrimControlAndBlanks(s);
}

}  // namespace

bool HoldsEntryAt(const std::string& name, const std::string& command,
                  const std::string& location) {
    if (IsRegistryLocation(location)) {
        const RegistryLocation l = ParseRegistryLocation(location);
        return HoldsRegValue(RootOf(l), l.keyPath, name);
    }
    const DWORD attributes =
        GetFileAttributesW(Widen(FolderEntryFile(name, command, location)).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES;
}

bool ConfirmReplace(platform::Prompts& prompts, const std::string& name, const std::string& where) {
    const std::string text =
        kReplaceQuestionText + name + kReplaceQuestionIn + where + kReplaceQuestionEnd;
    return prompts.Message(text, kMessageCaption,
                           platform::kOkCancel | platform::kIconQuestion |
                               platform::kDefaultButton2) == platform::kAnswerOk;
}

bool WriteStartupEntry(platform::Prompts& prompts, const std::string& name,
                       const std::string& command, const std::string& location) {
    if (IsRegistryLocation(location)) {
        const RegistryLocation l = ParseRegistryLocation(location);
        if (!WriteRegValue(RootOf(l), l.keyPath, name, command)) {
            prompts.Message(kWriteKeyFailedText, kMessageCaption, platform::kOk);
            return false;
        }
        return true;
    }
    if (!WriteFolderEntry(name, command, location)) {
        prompts.Message(kCreateShortcutFailedText, kMessageCaption, platform::kOk);
        return false;
    }
    return true;
}

void DeleteStartupEntry(platform::Prompts& prompts, const TStartupEntry& entry) {
    if (IsRegistryEntry(entry)) {
        const RegistryLocation l = ParseRegistryLocation(entry.Location);
        if (!DeleteRegValue(RootOf(l), l.keyPath, entry.Name))
            prompts.Message(kDeleteKeyFailedText, kMessageCaption, platform::kOk);
        return;
    }
    if (!DeleteFileForced(EntryFile(entry)))
        prompts.Message(kDeleteFileFailedText, kMessageCaption, platform::kOk);
}

bool StoresOver(const TStartupEntry& old, const TStartupEntry& stored) {
    const bool storedInRegistry = IsRegistryLocation(stored.Location);
    if (IsRegistryEntry(old) && storedInRegistry) {
        const RegistryLocation a = ParseRegistryLocation(old.Location);
        const RegistryLocation b = ParseRegistryLocation(stored.Location);
        // Key and value names are compared as the registry compares them: ignoring case.
        return a.root == b.root &&
               core::EqualsIgnoreAsciiCase(ApiKeyPath(a.keyPath), ApiKeyPath(b.keyPath)) &&
               core::EqualsIgnoreAsciiCase(old.Name, stored.Name);
    }
    if (!IsRegistryEntry(old) && !storedInRegistry)
        return core::EqualsIgnoreAsciiCase(
            EntryFile(old), FolderEntryFile(stored.Name, stored.Command, stored.Location));
    return false;
}

bool NeedsOldFile(const TStartupEntry& old, const TStartupEntry& stored) {
    if (IsRegistryEntry(old)) return false;
    // A ".lnk" command stored in a folder was copied: the copy no longer needs the original.
    if (!IsRegistryLocation(stored.Location) && CommandIsShortcutFile(stored.Command)) return false;
    const std::string file = EntryFile(old);
    return core::EqualsIgnoreAsciiCase(Unquoted(stored.Command), file) ||
           ProgramPathOfCommand(stored.Command) == core::AsciiLower(file);
}

}  // namespace startup
