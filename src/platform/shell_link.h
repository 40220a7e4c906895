#pragma once
// Shell link (.lnk) files through the shell link object and its IShellLink / IPersistFile.
#include <string>

namespace platform {

struct ShellLinkData {
    std::string target;     // as stored: environment references are not expanded
    std::string arguments;  // at most 256 characters
};

// Loads a link file. A file that cannot be loaded (not a link, empty, missing) gives empty
// texts. Throws std::runtime_error when the shell link object itself cannot be created.
ShellLinkData ReadShellLink(const std::string& linkPath);

// Saves a new link file; false when the shell link object cannot be created or the file cannot
// be saved. The setters' results are not checked: what they refuse, the saved file lacks.
bool SaveShellLink(const std::string& linkPath, const std::string& target,
                   const std::string& arguments, const std::string& workingDirectory,
                   const std::string& description);

}  // namespace platform
