#include "startup_test_support.h"

#include <stdexcept>

#include "platform/shell_link.h"

namespace startup_tests {

void PutString(HKEY root, const std::string& key, const std::string& name, const std::string& data,
               DWORD type) {
    auto k = platform::RegKey::Create(root, key, KEY_WRITE);
    if (!k || !k->WriteString(name, data, type)) throw std::runtime_error("cannot write " + key);
}

void PutValue(HKEY root, const std::string& key, const platform::RegistryValue& value) {
    auto k = platform::RegKey::Create(root, key, KEY_WRITE);
    if (!k || !k->WriteValue(value)) throw std::runtime_error("cannot write " + key);
}

std::optional<platform::RegistryValue> GetValue(HKEY root, const std::string& key,
                                                const std::string& name) {
    auto k = platform::RegKey::Open(root, key, KEY_READ);
    if (!k) return std::nullopt;
    return k->ReadValue(name);
}

bool KeyExists(HKEY root, const std::string& key) {
    return platform::RegKey::Open(root, key, KEY_READ).has_value();
}

void MakeShortcut(const std::string& linkPath, const std::string& target,
                  const std::string& arguments) {
    if (!platform::SaveShellLink(linkPath, target, arguments, "", ""))
        throw std::runtime_error("cannot save " + linkPath);
}

}  // namespace startup_tests
