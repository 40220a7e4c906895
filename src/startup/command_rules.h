#pragma once
// Text rules of startup commands and entry files; no platform calls.
#include <string>

namespace startup {

// The program path inside a command, in lower case: "\"C:\\A\\B.EXE\" /s" gives
// "c:\\a\\b.exe". See the .cpp for the exact rule, which is kept even where it gives odd
// results (a first dot inside a folder name without ".exe " gives the first three characters).
std::string ProgramPathOfCommand(const std::string& command);

// The command text of a shortcut: "target arguments", or "\"target\"" without arguments.
std::string ShortcutCommandText(const std::string& target, const std::string& arguments);

// The text after the last backslash.
std::string FileNamePart(const std::string& path);
// The text before the last backslash; empty without one.
std::string DirectoryPart(const std::string& path);
// From the last "." to the end; empty without a dot.
std::string ExtensionOf(const std::string& name);
// The target's working folder: up to and including its last backslash or colon.
std::string WorkingDirectoryOf(const std::string& target);

// The file a folder entry is stored in: a command that is a ".lnk" file is copied to
// "folder\\name.lnk" (".lnk" always appended); any other command gets a new shortcut
// "folder\\name" with the name's extension replaced by ".lnk".
std::string FolderEntryFile(const std::string& name, const std::string& command,
                            const std::string& folder);
bool CommandIsShortcutFile(const std::string& command);

std::string TrimBlanks(const std::string& s);  // blanks only

}  // namespace startup
