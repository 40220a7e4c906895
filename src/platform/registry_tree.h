#pragma once
// Deleting a registry key with everything below it.
#include <windows.h>

#include <string>

namespace platform {

// Deletes the key at `path` (leading backslashes dropped) under `root`, its values and all its
// subkeys, deepest keys first, the last subkey of each level first. False when the key is left
// (missing, or something below it could not be deleted).
bool DeleteKeyTree(HKEY root, const std::string& path);

}  // namespace platform
