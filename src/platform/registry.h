#pragma once
// RAII registry keys over the wide registry functions. Keys are opened with the least access
// that works and closed when the object goes.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/handles.h"

namespace platform {

// A value exactly as stored: its type and its bytes (strings as UTF-16 with their terminator),
// so a value can be moved between keys without changing it.
struct RegistryValue {
    std::string name;  // UTF-8
    DWORD type = REG_NONE;
    std::string bytes;
};

class RegKey {
  public:
    // Paths are relative to the root; leading backslashes, as the program's key texts write
    // them ("\\software\\..."), are dropped, since the registry refuses them.
    // Opens an existing key; nullopt when it is missing or access is refused.
    static std::optional<RegKey> Open(HKEY root, const std::string& path, REGSAM access);
    // Opens the key, creating it and the keys above it when missing.
    static std::optional<RegKey> Create(HKEY root, const std::string& path, REGSAM access);

    HKEY get() const { return key_.get(); }

    // A REG_DWORD value; nullopt when missing or of another type.
    std::optional<uint32_t> ReadDword(const std::string& name) const;
    bool WriteDword(const std::string& name, uint32_t value) const;
    // A REG_SZ or REG_EXPAND_SZ value (not expanded); nullopt when missing or of another type.
    std::optional<std::string> ReadString(const std::string& name) const;
    bool WriteString(const std::string& name, const std::string& value, DWORD type = REG_SZ) const;

    std::optional<RegistryValue> ReadValue(const std::string& name) const;
    bool WriteValue(const RegistryValue& value) const;
    bool DeleteValue(const std::string& name) const;

    // Every value, in the order the registry enumerates them.
    std::vector<RegistryValue> Values() const;
    std::vector<std::string> SubKeyNames() const;

  private:
    explicit RegKey(HKEY key) : key_(key) {}
    UniqueKey key_;
};

// The text of a string value's bytes (UTF-16, terminator optional).
std::string RegistryString(const RegistryValue& value);

}  // namespace platform
