#pragma once
// Registry and shortcut helpers shared by the startup tests.
#include <windows.h>

#include <optional>
#include <string>

#include "platform/registry.h"

namespace startup_tests {

inline constexpr char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kRunTwin[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run-";
inline constexpr char kRunOnce[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
inline constexpr char kRunServices[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunServices";

void PutString(HKEY root, const std::string& key, const std::string& name, const std::string& data,
               DWORD type = REG_SZ);
void PutValue(HKEY root, const std::string& key, const platform::RegistryValue& value);
std::optional<platform::RegistryValue> GetValue(HKEY root, const std::string& key,
                                                const std::string& name);
bool KeyExists(HKEY root, const std::string& key);
// Makes a real shortcut file; throws when it cannot be saved.
void MakeShortcut(const std::string& linkPath, const std::string& target,
                  const std::string& arguments = "");

}  // namespace startup_tests
