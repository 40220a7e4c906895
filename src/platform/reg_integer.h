#pragma once
// 32-bit values under HKEY_CURRENT_USER. A leading backslash of the key path is the root of
// HKEY_CURRENT_USER itself.
#include <cstdint>
#include <string>

namespace platform {

// The REG_DWORD value; 0 when the key or the value is missing, of another type, or unreadable.
int32_t ReadRegInteger(const std::string& key, const std::string& name);
// Creates the key (and the keys above it) when missing. A key that cannot be opened is passed
// over silently; a refused write throws.
void WriteRegInteger(const std::string& key, const std::string& name, int32_t value);

}  // namespace platform
