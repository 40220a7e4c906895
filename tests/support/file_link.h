#pragma once
// File symbolic links for tests. Where the platform makes them (Windows) CreateSymbolicLinkW
// does; Wine only pretends to, so there the link is made on the host side, the way a user's own
// `ln -s` would, which Wine then shows as a plain file.
#include <string>

namespace testing_support {

// Makes `link` a symbolic link to the existing file `target`; false when no link came to be.
bool MakeFileLink(const std::string& link, const std::string& target);

// Removes the link itself, leaving what it points to.
void RemoveFileLink(const std::string& link);

}  // namespace testing_support
