#pragma once
// Storing and removing startup entries: registry values of the Run-type keys and their twins,
// and files (shortcuts) in the Startup folders. Each operation opens and closes what it uses.
#include <windows.h>

#include <string>

#include "platform/prompts.h"
#include "startup/startup_entry.h"

namespace startup {

// Plain message boxes carry the program's title.
inline constexpr char kMessageCaption[] = "Veltrin";
inline constexpr char kMoveFailedText[] = "删除键值未成功，请检查注册表路径及访问权限后再试。";
inline constexpr char kDeleteKeyFailedText[] =
    "Delete key failed,Please check the registry path and your rights";
inline constexpr char kDeleteFileFailedText[] =
    "Delete Failed, Please check the path and whether you have the right to delete.";
inline constexpr char kWriteKeyFailedText[] =
    "Registry write key failed，Please check registry path and access rights to retry";
inline constexpr char kCreateShortcutFailedText[] =
    "Create shortcut failed，please check disk path and access rights to retry.";
inline constexpr char kDeleteQuestionText[] = "Are you sure that you want to delete";
inline constexpr char kDeleteQuestionCaption[] = "Yes";
// Asked before a store or a move writes over an entry that is already there.
inline constexpr char kReplaceQuestionText[] = "There is already an entry named ";
inline constexpr char kReplaceQuestionIn[] = " in ";
inline constexpr char kReplaceQuestionEnd[] = ". Are you sure that you want to replace it?";

// Writes a REG_SZ value, creating the key (and the keys above it) when missing.
bool WriteRegValue(HKEY root, const std::string& keyPath, const std::string& name,
                   const std::string& data);
// Deletes a value. The key is created when missing, so a missing key is left behind empty.
bool DeleteRegValue(HKEY root, const std::string& keyPath, const std::string& name);
// Moves a value between two keys of a root exactly as stored (type and bytes): written to the
// destination first, removed from the source only when that worked.
bool MoveRegValue(HKEY root, const std::string& fromKeyPath, const std::string& toKeyPath,
                  const std::string& name);

// True when the key holds a value of that name (the registry ignores letter case).
bool HoldsRegValue(HKEY root, const std::string& keyPath, const std::string& name);

// Clears read-only, hidden and system first, so that such files can be deleted too.
bool DeleteFileForced(const std::string& path);

bool CreateShortcut(const std::string& target, const std::string& arguments,
                    const std::string& linkPath, const std::string& description);
// A command naming a ".lnk" file is copied to "folder\\name.lnk"; any other command gets a new
// shortcut "folder\\<name with extension .lnk>".
bool WriteFolderEntry(const std::string& name, const std::string& command,
                      const std::string& folder);

// Stores an entry where the location text says: a text containing "HKEY_" (any letter case) is
// a registry key, anything else a folder. Shows its own failure message.
bool WriteStartupEntry(platform::Prompts& prompts, const std::string& name,
                       const std::string& command, const std::string& location);

bool IsRegistryLocation(const std::string& location);
// True when storing (name, command, location) would write over an entry already there: a value
// of that name in that key, or the file the folder entry would be.
bool HoldsEntryAt(const std::string& name, const std::string& command, const std::string& location);
// Asks whether to replace the entry `name` already at `where`; Cancel is the default. True for
// OK.
bool ConfirmReplace(platform::Prompts& prompts, const std::string& name, const std::string& where);
// Removes an entry from where it is stored; shows the failure message when that fails.
void DeleteStartupEntry(platform::Prompts& prompts, const TStartupEntry& entry);

// True when storing `stored` (name, command, location) wrote over the very place that holds
// `old`: then removing the old entry would remove what was just stored.
bool StoresOver(const TStartupEntry& old, const TStartupEntry& stored);
// True when the stored entry's command still needs the old entry's file (a new shortcut was
// made to it).
bool NeedsOldFile(const TStartupEntry& old, const TStartupEntry& stored);

}  // namespace startup
